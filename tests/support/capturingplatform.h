#pragma once

#include "net/networkplatform.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <arpa/inet.h>
#include <netinet/in.h>

#include <cstring>

// A network platform with one adapter holding 127.0.0.1 that records every
// datagram instead of sending it, so nothing leaves the test.
class CapturingPlatform final : public NetworkPlatform
{
public:
    ListResult listAdapters(QList<Adapter> *adapters) override
    {
        UnicastAddress unicast;
        auto *in = reinterpret_cast<sockaddr_in *>(&unicast.address);
        in->sin_family = AF_INET;
        in->sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        unicast.length = sizeof(sockaddr_in);
        Adapter adapter;
        adapter.unicast.append(unicast);
        adapters->clear();
        adapters->append(adapter);
        return ListResult::Ok;
    }

    bool addressToText(const UnicastAddress &address, char *buffer, std::size_t *length) override
    {
        const auto *in = reinterpret_cast<const sockaddr_in *>(&address.address);
        if (*length < INET_ADDRSTRLEN) {
            *length = INET_ADDRSTRLEN;
            return false;
        }
        return inet_ntop(AF_INET, &in->sin_addr, buffer, static_cast<socklen_t>(*length)) != nullptr;
    }

    bool sendBroadcast(const QByteArray &bytes, const unsigned char *localIPv4) override
    {
        Q_UNUSED(localIPv4);
        sent.append(bytes);
        return true;
    }

    // What was sent, as text.
    QStringList texts() const
    {
        QStringList result;
        for (const QByteArray &bytes : sent)
            result.append(QString::fromLatin1(bytes));
        return result;
    }

    QList<QByteArray> sent;
};
