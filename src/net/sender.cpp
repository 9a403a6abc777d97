// SPDX-License-Identifier: Apache-2.0
#include "net/sender.h"

#include "net/networkplatform.h"

#include <QStringList>

#include <arpa/inet.h>

#include <cstring>

bool WriteAnswered = true;

namespace {
constexpr std::size_t AddressTextBufferSize = 128;
constexpr int ConversionAttempts = 3;
} // namespace

QString SendToAllAdapters(const QString &message, bool clearLatch)
{
    if (clearLatch)
        WriteAnswered = false;

    NetworkPlatform &platform = CurrentNetworkPlatform();
    QList<NetworkPlatform::Adapter> adapters;
    switch (platform.listAdapters(&adapters)) {
    case NetworkPlatform::ListResult::Ok:
        break;
    case NetworkPlatform::ListResult::AccessFailed:
        return QStringLiteral("Unable to access network adapters\n");
    case NetworkPlatform::ListResult::AllocFailed:
        return QStringLiteral("Unable to allocate memory needed to call GetAdaptersAddresses\n");
    }

    // One length variable for the whole enumeration: each conversion may
    // change it, and the next address starts from what the last one left.
    // It never claims more room than the buffer really has.
    std::size_t length = AddressTextBufferSize;
    QStringList addresses;
    for (const NetworkPlatform::Adapter &adapter : std::as_const(adapters)) {
        for (const NetworkPlatform::UnicastAddress &address : adapter.unicast) {
            char buffer[AddressTextBufferSize];
            bool converted = false;
            for (int attempt = 0; attempt < ConversionAttempts && !converted; ++attempt) {
                if (length > sizeof buffer)
                    length = sizeof buffer;
                std::memset(buffer, 0, sizeof buffer);
                converted = platform.addressToText(address, buffer, &length);
            }
            if (!converted)
                continue;
            buffer[sizeof buffer - 1] = '\0';
            const QString text = QString::fromLatin1(buffer);
            if (!IsIPv4Text(text))
                continue;
            if (!addresses.contains(text))
                addresses.append(text);
        }
    }

    const QByteArray bytes = message.toLatin1();
    for (const QString &text : std::as_const(addresses))
        SendFromAddress(bytes, text); // a failed address simply gets nothing
    return {};
}

bool SendFromAddress(const QByteArray &messageBytes, const QString &localAddressText)
{
    unsigned char local[4] = {0, 0, 0, 0};
    TextToAddress(AddressFamily::IPv4, localAddressText, local);
    return CurrentNetworkPlatform().sendBroadcast(messageBytes, local);
}

bool IsIPv4Text(const QString &text)
{
    if (text.size() < 7 || text.size() > 15)
        return false;
    // A run of dots is one separator, so empty parts don't count.
    const QStringList parts = text.split(u'.', Qt::SkipEmptyParts);
    if (parts.size() < 4)
        return false;
    for (int i = 0; i < 4; ++i) {
        const QString &part = parts.at(i);
        unsigned value = 0;
        for (QChar c : part) {
            if (c < u'0' || c > u'9')
                break;
            value = (value * 10 + (c.unicode() - u'0')) % 256;
        }
        if (value == 0 && part != QLatin1String("0"))
            return false;
    }
    return true;
}

bool TextToAddress(AddressFamily family, const QString &text, unsigned char *out)
{
    int af = 0;
    switch (family) {
    case AddressFamily::IPv4:
        af = AF_INET;
        break;
    case AddressFamily::IPv6:
        af = AF_INET6;
        break;
    case AddressFamily::Other:
        return false;
    }
    // Only the first 65 characters take part; the conversion reads up to the
    // first NUL like any C text.
    const QByteArray latin1 = text.left(65).toLatin1();
    const QByteArray cText(latin1.constData()); // stops at an embedded NUL
    unsigned char address[16];
    if (inet_pton(af, cText.constData(), address) != 1)
        return false;
    std::memcpy(out, address, af == AF_INET ? 4 : 16);
    return true;
}
