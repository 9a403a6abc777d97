#pragma once

#include <QFile>

// Datagrams the kernel of the test's network namespace dropped for lack of
// room in a socket's receive buffer (the "Udp: ... RcvbufErrors" counter of
// /proc/net/snmp); -1 if unknown.
inline qint64 UdpReceiveBufferDrops()
{
    QFile snmp(QStringLiteral("/proc/net/snmp"));
    if (!snmp.open(QIODevice::ReadOnly))
        return -1;
    QList<QByteArray> names;
    for (const QByteArray &line : snmp.readAll().split('\n')) {
        if (!line.startsWith("Udp: "))
            continue;
        if (names.isEmpty()) {
            names = line.mid(5).split(' ');
            continue;
        }
        const qsizetype at = names.indexOf("RcvbufErrors");
        return at >= 0 ? line.mid(5).split(' ').value(at).toLongLong() : -1;
    }
    return -1;
}
