// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QByteArrayView>
#include <QtGlobal>

#include <memory>

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

// Datagrams read with one system call: during a burst the reader takes what
// the kernel has queued in one go instead of waking for every answer.
class Batch final
{
    Q_DISABLE_COPY_MOVE(Batch)

public:
    static constexpr int Size = 64;

    Batch();
    ~Batch();

    // Reads what the socket holds, `most` datagrams at the most (up to Size),
    // without waiting: how many were read, or -1 with errno set.
    int receive(int fd, int most = Size);
    // The text of the i-th datagram read: it ends at the first zero byte and
    // never goes beyond the bytes received (a longer datagram is cut to
    // MaxDatagramText bytes). Valid until the next receive().
    QByteArrayView text(int i) const;
    // Where it came from (IPv4, host order), 0 when unknown.
    quint32 source(int i) const;

private:
    struct Buffers;
    // On the heap rather than the stack: the kernel checks every copy into a
    // stack buffer against the stack's frames.
    const std::unique_ptr<Buffers> m_buffers;
};

} // namespace ResponseSocket
