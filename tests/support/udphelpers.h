#pragma once

// Plain UDP sockets for tests that talk to the program's ports on the
// loopback address or keep a port from it. Only for tests that run in a
// private network namespace (see ZOL_REQUIRE_NETNS in devsim.h).

#include <QByteArray>
#include <QList>
#include <QString>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

inline sockaddr_in LoopbackAddress(quint16 port)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}

// True when something holds this UDP port on every address (a bind to the
// loopback address and the port fails).
inline bool UdpPortTaken(quint16 port)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    const sockaddr_in a = LoopbackAddress(port);
    const bool taken = ::bind(fd, reinterpret_cast<const sockaddr *>(&a), sizeof a) != 0;
    ::close(fd);
    return taken;
}

// Sends the datagrams, in order, from an ephemeral port to 127.0.0.1:port.
inline void SendToLoopback(quint16 port, const QList<QByteArray> &datagrams)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    const sockaddr_in to = LoopbackAddress(port);
    for (const QByteArray &d : datagrams)
        ::sendto(fd, d.constData(), size_t(d.size()), 0, reinterpret_cast<const sockaddr *>(&to), sizeof to);
    ::close(fd);
}

// Another program on a UDP port: binds it on every address (or on the one
// given) until released or destroyed. Not inherited by started programs.
class UdpPortHolder
{
public:
    explicit UdpPortHolder(quint16 port, const QString &address = QString())
    {
        m_fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        if (m_fd < 0)
            return;
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(port);
        a.sin_addr.s_addr = htonl(INADDR_ANY);
        if (!address.isEmpty() && ::inet_pton(AF_INET, address.toLatin1().constData(), &a.sin_addr) != 1)
            return;
        m_bound = ::bind(m_fd, reinterpret_cast<const sockaddr *>(&a), sizeof a) == 0;
    }
    ~UdpPortHolder() { release(); }
    UdpPortHolder(const UdpPortHolder &) = delete;
    UdpPortHolder &operator=(const UdpPortHolder &) = delete;

    // The port is held (the socket was made and bound).
    bool ok() const { return m_bound; }

    void release()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
        m_bound = false;
    }

private:
    int m_fd = -1;
    bool m_bound = false;
};
