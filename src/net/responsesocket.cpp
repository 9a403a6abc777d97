// SPDX-License-Identifier: Apache-2.0
#include "net/responsesocket.h"

#include "net/messages.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

void raiseReceiveBuffer(int fd)
{
    const int size = ResponseSocket::ReceiveBufferBytes;
    // Past the system's limit only with privilege; otherwise up to the limit.
    if (::setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &size, sizeof size) != 0)
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
}

} // namespace

int ResponseSocket::open()
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
    if (fd < 0)
        return -1;
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(ResponsePort);
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    if (::bind(fd, reinterpret_cast<const sockaddr *>(&local), sizeof local) != 0) {
        ::close(fd);
        return -1;
    }
    raiseReceiveBuffer(fd);
    return fd;
}

struct ResponseSocket::Batch::Buffers
{
    char data[Size][MaxDatagramText];
    sockaddr_in sources[Size];
    iovec parts[Size];
    mmsghdr messages[Size];
};

ResponseSocket::Batch::Batch()
    : m_buffers(std::make_unique<Buffers>())
{
    Buffers &b = *m_buffers;
    for (int i = 0; i < Size; ++i) {
        b.parts[i] = iovec{b.data[i], sizeof b.data[i]};
        b.messages[i].msg_hdr.msg_name = &b.sources[i];
        b.messages[i].msg_hdr.msg_iov = &b.parts[i];
        b.messages[i].msg_hdr.msg_iovlen = 1;
    }
}

ResponseSocket::Batch::~Batch() = default;

int ResponseSocket::Batch::receive(int fd, int most)
{
    Buffers &b = *m_buffers;
    most = std::min(most, int(Size));
    // The kernel writes back the length of each source it fills in.
    for (int i = 0; i < most; ++i)
        b.messages[i].msg_hdr.msg_namelen = sizeof b.sources[i];
    return ::recvmmsg(fd, b.messages, unsigned(std::max(most, 0)), MSG_DONTWAIT, nullptr);
}

QByteArrayView ResponseSocket::Batch::text(int i) const
{
    const char *data = m_buffers->data[i];
    const std::size_t received = std::min<std::size_t>(m_buffers->messages[i].msg_len, MaxDatagramText);
    return QByteArrayView(data, qsizetype(::strnlen(data, received)));
}

quint32 ResponseSocket::Batch::source(int i) const
{
    const sockaddr_in &source = m_buffers->sources[i];
    const bool known = m_buffers->messages[i].msg_hdr.msg_namelen >= sizeof source && source.sin_family == AF_INET;
    return known ? ntohl(source.sin_addr.s_addr) : 0;
}
