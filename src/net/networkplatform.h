// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QByteArray>
#include <QList>

#include <sys/socket.h>

#include <cstddef>

// The operating system's part of sending: the adapter list, address-to-text
// conversion and one UDP broadcast from a bound local address. The program
// uses getifaddrs() and BSD sockets; tests hand in a fake.
class NetworkPlatform
{
public:
    struct UnicastAddress
    {
        sockaddr_storage address{};
        socklen_t length = 0;
    };
    struct Adapter
    {
        QList<UnicastAddress> unicast;
    };
    enum class ListResult { Ok, AccessFailed, AllocFailed };

    virtual ~NetworkPlatform() = default;

    // Every adapter with every unicast address, in the system's order.
    virtual ListResult listAdapters(QList<Adapter> *adapters) = 0;

    // Writes the NUL-terminated text of the address into buffer (*length bytes
    // of room). On failure *length may be raised to the size needed.
    virtual bool addressToText(const UnicastAddress &address, char *buffer, std::size_t *length) = 0;

    // socket, broadcast permission, bind to localIPv4 (network order, 4 bytes)
    // and port 2850, one send to 255.255.255.255:2850, close.
    virtual bool sendBroadcast(const QByteArray &bytes, const unsigned char *localIPv4) = 0;
};

// The platform in use; the system one unless a test installed another.
NetworkPlatform &CurrentNetworkPlatform();
// Installs a platform (nullptr: back to the system one); returns the previous
// override, or nullptr.
NetworkPlatform *SetNetworkPlatform(NetworkPlatform *platform);
