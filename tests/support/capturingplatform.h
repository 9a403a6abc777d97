#pragma once

#include "net/networkplatform.h"

#include <QStringList>

#include <arpa/inet.h>

// A network platform whose adapters hold the given addresses (IPv4 or IPv6
// texts; one adapter per list) and that records every datagram with the local
// address it was sent from, instead of sending it.
class CapturingPlatform final : public NetworkPlatform
{
public:
    QList<QStringList> adapters{{QStringLiteral("127.0.0.1")}};
    ListResult listResult = ListResult::Ok;
    QList<QByteArray> sent;
    QStringList sentFrom;

    ListResult listAdapters(QList<Adapter> *out) override
    {
        out->clear();
        for (const QStringList &texts : std::as_const(adapters)) {
            Adapter adapter;
            for (const QString &text : texts) {
                UnicastAddress unicast;
                const bool v6 = text.contains(u':');
                auto *in = reinterpret_cast<sockaddr_in *>(&unicast.address);
                auto *in6 = reinterpret_cast<sockaddr_in6 *>(&unicast.address);
                unicast.address.ss_family = v6 ? AF_INET6 : AF_INET;
                inet_pton(v6 ? AF_INET6 : AF_INET, text.toLatin1().constData(), v6 ? (void *)&in6->sin6_addr : (void *)&in->sin_addr);
                adapter.unicast.append(unicast);
            }
            out->append(adapter);
        }
        return listResult;
    }

    bool addressToText(const UnicastAddress &a, char *buffer, std::size_t *length) override
    {
        const bool v6 = a.address.ss_family == AF_INET6;
        const void *raw = v6 ? (const void *)&reinterpret_cast<const sockaddr_in6 *>(&a.address)->sin6_addr
                             : (const void *)&reinterpret_cast<const sockaddr_in *>(&a.address)->sin_addr;
        return inet_ntop(v6 ? AF_INET6 : AF_INET, raw, buffer, socklen_t(*length)) != nullptr;
    }

    bool sendBroadcast(const QByteArray &bytes, const unsigned char *localIPv4) override
    {
        char text[INET_ADDRSTRLEN] = {};
        inet_ntop(AF_INET, localIPv4, text, sizeof text);
        sent.append(bytes);
        sentFrom.append(QString::fromLatin1(text));
        return true;
    }

    QStringList texts() const
    {
        QStringList result;
        for (const QByteArray &bytes : sent)
            result.append(QString::fromLatin1(bytes));
        return result;
    }
};
