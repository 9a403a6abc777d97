// SPDX-License-Identifier: Apache-2.0
// The start-up limit: the least a Qt widgets program does to show a window
// and send one datagram. It sends the text of a first read query from
// 127.0.0.1:2850 to 255.255.255.255:2850, as the client does on loopback.

#include "net/protocol.h"

#include <QApplication>
#include <QWidget>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.show();

    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(ZolProtocol::QueryPort);
    local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(ZolProtocol::QueryPort);
    to.sin_addr.s_addr = htonl(INADDR_BROADCAST);
    const std::string text = std::string(ZolProtocol::ReadQueryKeyword) + ",0,1";
    if (::bind(fd, reinterpret_cast<const sockaddr *>(&local), sizeof local) == 0)
        ::sendto(fd, text.data(), text.size(), 0, reinterpret_cast<const sockaddr *>(&to), sizeof to);
    ::close(fd);

    return QApplication::exec();
}
