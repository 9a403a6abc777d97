// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "net/networkplatform.h"

#include <QStringList>

#include <arpa/inet.h>

#include <cstring>

// A network platform whose adapters hold the given address texts (IPv4 or
// IPv6; one list per adapter) and that records every datagram, with the local
// address it was sent from, instead of sending it. The fake keeps each text in
// its address record, since only it reads them back.
class CapturingPlatform final : public NetworkPlatform
{
public:
    QList<QStringList> adapters{{QStringLiteral("127.0.0.1")}};
    ListResult listResult = ListResult::Ok;
    QStringList sent; // the datagrams' texts
    QStringList sentFrom;

    ListResult listAdapters(QList<Adapter> *out) override
    {
        out->clear();
        for (const QStringList &texts : std::as_const(adapters)) {
            out->append(Adapter());
            for (const QString &text : texts) {
                UnicastAddress unicast;
                std::strncpy(reinterpret_cast<char *>(&unicast.address), text.toLatin1().constData(), sizeof unicast.address - 1);
                out->last().unicast.append(unicast);
            }
        }
        return listResult;
    }
    bool addressToText(const UnicastAddress &a, char *buffer, std::size_t *length) override
    {
        std::strncpy(buffer, reinterpret_cast<const char *>(&a.address), *length);
        return true;
    }
    bool sendBroadcast(const QByteArray &bytes, const unsigned char *localIPv4) override
    {
        char text[INET_ADDRSTRLEN] = {};
        sent.append(QString::fromLatin1(bytes));
        sentFrom.append(QString::fromLatin1(inet_ntop(AF_INET, localIPv4, text, sizeof text)));
        return true;
    }
};
