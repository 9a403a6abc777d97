// SPDX-License-Identifier: Apache-2.0
#include "zolctl/common.h"

#include "zolctl/listener.h"

#include "net/messages.h"
#include "net/sender.h"

#include <QHostAddress>
#include <QUdpSocket>

#include <cstdio>
#include <unistd.h>

void PrintError(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    if (!bytes.endsWith('\n'))
        bytes += '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

void Complain(const QString &line)
{
    PrintError(QStringLiteral("zolctl: ") + line);
}

QString SecondsText(int ms)
{
    return QString::number(ms / 1000.0, 'g', 6) + QStringLiteral(" s");
}

OutputFormat ChosenFormat(const CtlOptions &options)
{
    return options.format.value_or(::isatty(STDOUT_FILENO) ? OutputFormat::Table : OutputFormat::Csv);
}

QString SendQuery(const QString &query, const QStringList &to)
{
    // No window waits for a verdict here, so the write latch is left alone.
    const QString failure = SendToAllAdapters(query, false);
    if (!failure.isEmpty())
        return failure.trimmed();
    if (to.isEmpty())
        return QString();
    QUdpSocket socket;
    // From the query port like every other query when it is free; devices
    // answer to port 2851 whatever the source port.
    if (!socket.bind(QHostAddress::AnyIPv4, QueryPort) && !socket.bind(QHostAddress::AnyIPv4, 0))
        return QStringLiteral("no UDP socket for --to: %1").arg(socket.errorString());
    const QByteArray bytes = query.toLatin1();
    for (const QString &address : to) {
        if (socket.writeDatagram(bytes, QHostAddress(address), QueryPort) != bytes.size())
            Complain(QStringLiteral("could not send to %1: %2").arg(address, socket.errorString()));
    }
    return QString();
}

bool OpenListener(const Listener &listener)
{
    if (listener.isBound())
        return true;
    Complain(QStringLiteral("UDP port %1 is taken (by a running ZOL Client?): no answer could be received")
                 .arg(ResponsePort));
    return false;
}
