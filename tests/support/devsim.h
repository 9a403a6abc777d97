#pragma once

// Test-side handle on the device simulator (tools/zol_devsim.cpp) and the
// private-network guard for tests registered with zol_add_test(... SEGMENTS n).
//
//   ZOL_REQUIRE_NETNS();                      // in initTestCase(): skip/fail outside
//   DeviceSimulator sim(NetnsSegments().value(0));
//   QVERIFY(sim.start({"--device", "00:11:22:33:44:55,FF,10.77.1.9,255.255.255.0,10.77.1.1,TRUE,N,L"}));
//   QVERIFY(sim.waitForReceived(1));           // one datagram logged
//   sim.received().at(0).source / .text
//
// The simulator runs in the given namespace through "ip netns exec" (or in
// the test's own namespace when none is given) and logs into a private
// temporary folder; it is stopped by the destructor.

#include "udphelpers.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

// Names of the segment namespaces made by tools/netns.sh, in order.
inline QStringList NetnsSegments()
{
    return QString::fromLocal8Bit(qgetenv("ZOL_NETNS_SEGMENTS")).split(u' ', Qt::SkipEmptyParts);
}

inline QStringList NetnsClientAddresses()
{
    return QString::fromLocal8Bit(qgetenv("ZOL_NETNS_CLIENT_ADDRS")).split(u' ', Qt::SkipEmptyParts);
}

// Set by the wrappers that put a test into a private namespace:
// tools/in-private-netns.sh (NETNS) and tools/netns.sh (SEGMENTS n).
inline bool InPrivateNetworkNamespace()
{
    return qgetenv("ZOL_PRIVATE_NETNS") == "1";
}

// Every test that sends UDP must run in a private namespace.
#define ZOL_REQUIRE_NETNS()                                                                        \
    do {                                                                                           \
        if (!InPrivateNetworkNamespace()) {                                                        \
            if (qgetenv("CI") == "true")                                                           \
                QFAIL("not inside a private network namespace (run through ctest / netns.sh)");    \
            QSKIP("not inside a private network namespace (run through ctest / netns.sh)");        \
        }                                                                                          \
    } while (false)

class DeviceSimulator
{
public:
    struct Datagram
    {
        QString source; // "ip:port"
        QByteArray bytes;
        QString text() const { return QString::fromLatin1(bytes); }
    };

    explicit DeviceSimulator(const QString &netns = QString()) : m_netns(netns) {}
    ~DeviceSimulator() { stop(); }
    DeviceSimulator(const DeviceSimulator &) = delete;
    DeviceSimulator &operator=(const DeviceSimulator &) = delete;

    static QString program() { return QString::fromLocal8Bit(qgetenv("ZOL_DEVSIM")); }
    // "--device" before each device description.
    static QStringList deviceArguments(const QStringList &devices)
    {
        QStringList args;
        for (const QString &device : devices)
            args << QStringLiteral("--device") << device;
        return args;
    }
    QString logPath() const { return m_dir.filePath(QStringLiteral("devsim.log")); }

    // Starts the simulator with these arguments (a log is added) and waits
    // until it listens. Arguments with --send alone run once and exit.
    bool start(const QStringList &arguments, int timeoutMs = 5000)
    {
        QStringList args = arguments;
        args << QStringLiteral("--log") << logPath();
        if (m_netns.isEmpty()) {
            m_process.start(program(), args);
        } else {
            m_process.start(QStringLiteral("ip"),
                            QStringList{QStringLiteral("netns"), QStringLiteral("exec"), m_netns, program()} + args);
        }
        if (!m_process.waitForStarted(timeoutMs))
            return false;
        if (!arguments.contains(QStringLiteral("--device")) && !arguments.contains(QStringLiteral("--devices-file"))
            && arguments.contains(QStringLiteral("--send"))) {
            return m_process.waitForFinished(timeoutMs) && m_process.exitCode() == 0;
        }
        return waitFor([this] { return logLines(QStringLiteral("READY ")).size() > 0; }, timeoutMs);
    }

    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(3000)) {
            m_process.kill();
            m_process.waitForFinished(3000);
        }
    }

    QStringList logLines(const QString &prefix = QString()) const
    {
        QFile file(logPath());
        QStringList lines;
        if (!file.open(QIODevice::ReadOnly))
            return lines;
        const QList<QByteArray> raw = file.readAll().split('\n');
        for (const QByteArray &line : raw) {
            const QString text = QString::fromLatin1(line);
            if (!line.isEmpty() && text.startsWith(prefix))
                lines << text;
        }
        return lines;
    }

    QList<Datagram> received() const { return datagrams(QStringLiteral("RECV ")); }
    QList<Datagram> sent() const { return datagrams(QStringLiteral("SENT ")); }

    bool waitForReceived(int count, int timeoutMs = 5000) const
    {
        return waitFor([&] { return received().size() >= count; }, timeoutMs);
    }

    template <typename Condition>
    static bool waitFor(Condition condition, int timeoutMs)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (!condition()) {
            if (deadline.hasExpired())
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            QThread::msleep(5);
        }
        return true;
    }

private:
    QList<Datagram> datagrams(const QString &prefix) const
    {
        QList<Datagram> list;
        const QStringList lines = logLines(prefix);
        for (const QString &line : lines) {
            const qsizetype blank = line.indexOf(u' ', prefix.size());
            Datagram d;
            d.source = line.mid(prefix.size(), blank < 0 ? -1 : blank - prefix.size());
            if (blank >= 0)
                d.bytes = unescape(line.mid(blank + 1).toLatin1());
            list << d;
        }
        return list;
    }

    static QByteArray unescape(const QByteArray &text)
    {
        QByteArray out;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text.at(i) == '\\' && i + 3 < text.size() && text.at(i + 1) == 'x') {
                out += char(text.mid(i + 2, 2).toInt(nullptr, 16));
                i += 3;
            } else {
                out += text.at(i);
            }
        }
        return out;
    }

    QString m_netns;
    QTemporaryDir m_dir;
    QProcess m_process;
};
