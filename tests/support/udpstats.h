#pragma once

// Kernel UDP counters of the test's network namespace.

#include <QByteArray>
#include <QFile>
#include <QList>

// Datagrams the kernel dropped for lack of room in a socket's receive buffer
// (the "Udp: ... RcvbufErrors" counter of /proc/net/snmp); -1 if unknown.
inline qint64 UdpReceiveBufferDrops()
{
    QFile snmp(QStringLiteral("/proc/net/snmp"));
    if (!snmp.open(QIODevice::ReadOnly))
        return -1;
    QList<QByteArray> names;
    const QList<QByteArray> lines = snmp.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (!line.startsWith("Udp: "))
            continue;
        const QList<QByteArray> fields = line.mid(5).split(' ');
        if (names.isEmpty()) {
            names = fields;
            continue;
        }
        const qsizetype at = names.indexOf("RcvbufErrors");
        return at >= 0 ? fields.value(at).toLongLong() : -1;
    }
    return -1;
}
