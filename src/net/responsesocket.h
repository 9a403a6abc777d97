// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QtGlobal>

#include <sys/types.h>

// The socket the devices' answers arrive on, shared by the window's receiver
// thread and zolctl so that both take the port and cut datagrams alike.
namespace ResponseSocket {

// Kernel receive queue asked for: a burst of answers (thousands of devices
// answering one broadcast) must not overflow it while the reader is busy.
constexpr int ReceiveBufferBytes = 64 * 1024 * 1024;

// A UDP socket bound to 0.0.0.0:2851 with the large receive queue, or -1
// when the port can't be had. Address reuse stays off: a second program on
// the port makes this fail.
int open();

// The length of a datagram's text: it ends at the first zero byte and never
// goes beyond the bytes received (a longer datagram was cut to the reader's
// buffer of MaxDatagramText bytes).
qsizetype textLength(const char *data, ssize_t received);

} // namespace ResponseSocket
