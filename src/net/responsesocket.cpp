// SPDX-License-Identifier: Apache-2.0
#include "net/responsesocket.h"

#include "net/messages.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

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

qsizetype ResponseSocket::textLength(const char *data, ssize_t received)
{
    const auto bytes = static_cast<std::size_t>(std::clamp<ssize_t>(received, 0, MaxDatagramText));
    return static_cast<qsizetype>(::strnlen(data, bytes));
}
