// SPDX-License-Identifier: Apache-2.0
#include "net/networkplatform.h"

#include "net/messages.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <netdb.h>
#include <netinet/in.h>
#include <unistd.h>

#include <cstring>

namespace {

class SystemNetworkPlatform final : public NetworkPlatform
{
public:
    ListResult listAdapters(QList<Adapter> *adapters) override
    {
        ifaddrs *list = nullptr;
        if (getifaddrs(&list) != 0)
            return ListResult::AccessFailed;

        // getifaddrs() gives one entry per address; an adapter is every entry
        // with the same interface name, kept in the order first seen.
        QList<QByteArray> names;
        QList<Adapter> result;
        for (const ifaddrs *entry = list; entry; entry = entry->ifa_next) {
            if (!entry->ifa_addr || !entry->ifa_name)
                continue;
            const int family = entry->ifa_addr->sa_family;
            if (family != AF_INET && family != AF_INET6)
                continue;
            const QByteArray name(entry->ifa_name);
            qsizetype index = names.indexOf(name);
            if (index < 0) {
                names.append(name);
                result.append(Adapter());
                index = result.size() - 1;
            }
            UnicastAddress address;
            address.length = family == AF_INET ? sizeof(sockaddr_in) : sizeof(sockaddr_in6);
            std::memcpy(&address.address, entry->ifa_addr, address.length);
            result[index].unicast.append(address);
        }
        freeifaddrs(list);
        *adapters = result;
        return ListResult::Ok;
    }

    bool addressToText(const UnicastAddress &address, char *buffer, std::size_t *length) override
    {
        char text[NI_MAXHOST];
        if (getnameinfo(reinterpret_cast<const sockaddr *>(&address.address), address.length,
                        text, sizeof text, nullptr, 0, NI_NUMERICHOST) != 0) {
            return false;
        }
        const std::size_t needed = std::strlen(text) + 1;
        if (needed > *length) {
            *length = needed;
            return false;
        }
        std::memcpy(buffer, text, needed);
        return true;
    }

    bool sendBroadcast(const QByteArray &bytes, const unsigned char *localIPv4) override
    {
        const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
        if (fd < 0)
            return false;
        const int on = 1;
        bool ok = ::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) == 0;
        if (ok) {
            // No address reuse: a program holding the port on this address
            // makes the bind fail, and this address sends nothing.
            sockaddr_in local{};
            local.sin_family = AF_INET;
            local.sin_port = htons(QueryPort);
            std::memcpy(&local.sin_addr, localIPv4, 4);
            ok = ::bind(fd, reinterpret_cast<const sockaddr *>(&local), sizeof local) == 0;
        }
        if (ok) {
            sockaddr_in target{};
            target.sin_family = AF_INET;
            target.sin_port = htons(QueryPort);
            target.sin_addr.s_addr = htonl(INADDR_BROADCAST);
            ok = ::sendto(fd, bytes.constData(), static_cast<std::size_t>(bytes.size()), 0,
                          reinterpret_cast<const sockaddr *>(&target), sizeof target)
                == bytes.size();
        }
        ::close(fd);
        return ok;
    }
};

NetworkPlatform *platformOverride = nullptr;

} // namespace

NetworkPlatform &CurrentNetworkPlatform()
{
    static SystemNetworkPlatform system;
    return platformOverride ? *platformOverride : system;
}

NetworkPlatform *SetNetworkPlatform(NetworkPlatform *platform)
{
    NetworkPlatform *previous = platformOverride;
    platformOverride = platform;
    return previous;
}
