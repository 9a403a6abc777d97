// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QByteArray>
#include <QString>

// True when no write query waits for its first verdict.
extern bool WriteAnswered;

// Sends the query once from every distinct local IPv4 address, each time from
// a short-lived socket bound to that address and port 2850, to
// 255.255.255.255:2850. clearLatch clears WriteAnswered first.
// When the adapters can't be listed nothing is sent and the message for the
// user comes back; otherwise the result is empty. The caller shows it.
[[nodiscard]] QString SendToAllAdapters(const QString &message, bool clearLatch);

// One send from one local address text; true when the datagram was handed to
// the network stack.
bool SendFromAddress(const QByteArray &messageBytes, const QString &localAddressText);

bool IsIPv4Text(const QString &text);

enum class AddressFamily { IPv4, IPv6, Other };
// out must have room for 4 (IPv4) or 16 (IPv6) bytes; untouched on failure.
bool TextToAddress(AddressFamily family, const QString &text, unsigned char *out);
