// SPDX-License-Identifier: Apache-2.0
#pragma once

// Test-side handle on the device simulator (tools/zol_devsim.cpp), run in the
// given segment namespace through "ip netns exec" (or in the test's own one),
// logging into a private folder and stopped by the destructor:
//   ZOL_REQUIRE_NETNS();  DeviceSimulator sim(NetnsSegments().value(0));
//   QVERIFY(sim.start(DeviceSimulator::deviceArguments({"00:11:...,FF,10.77.1.9,...,TRUE,N,L"})));
//   QVERIFY(sim.waitForReceived(1));  sim.received().at(0).source / .text()

#include "netns.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

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
    Q_DISABLE_COPY_MOVE(DeviceSimulator)

    static QString program() { return qEnvironmentVariable("ZOL_DEVSIM"); }
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
    // until it listens.
    bool start(const QStringList &arguments, int timeoutMs = 5000)
    {
        const QStringList args = arguments + QStringList{QStringLiteral("--log"), logPath()};
        if (m_netns.isEmpty())
            m_process.start(program(), args);
        else
            m_process.start(QStringLiteral("ip"), QStringList{QStringLiteral("netns"), QStringLiteral("exec"), m_netns, program()} + args);
        if (!m_process.waitForStarted(timeoutMs))
            return false;
        return waitFor([this] { return !logLines(QStringLiteral("READY ")).isEmpty(); }, timeoutMs);
    }

    void stop()
    {
        if (m_process.state() != QProcess::NotRunning && (m_process.terminate(), !m_process.waitForFinished(3000))) {
            m_process.kill();
            m_process.waitForFinished(3000);
        }
    }

    QStringList logLines(const QString &prefix = QString()) const
    {
        QFile file(logPath());
        QStringList lines;
        if (file.open(QIODevice::ReadOnly)) {
            for (const QByteArray &line : file.readAll().split('\n')) {
                if (!line.isEmpty() && QString::fromLatin1(line).startsWith(prefix))
                    lines << QString::fromLatin1(line);
            }
        }
        return lines;
    }

    QList<Datagram> received() const { return datagrams(QStringLiteral("RECV ")); }
    bool waitForReceived(int count, int timeoutMs = 5000) const
    {
        return waitFor([&] { return received().size() >= count; }, timeoutMs);
    }

    template <typename Condition>
    static bool waitFor(Condition condition, int timeoutMs)
    {
        const QDeadlineTimer deadline(timeoutMs);
        while (!condition()) {
            if (deadline.hasExpired())
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            QThread::msleep(5);
        }
        return true;
    }

private:
    // Log lines "<prefix><ip:port> <text with \xNN escapes>".
    QList<Datagram> datagrams(const QString &prefix) const
    {
        QList<Datagram> list;
        for (const QString &line : logLines(prefix)) {
            const QStringList parts = line.mid(prefix.size()).split(u' ');
            Datagram d{parts.first(), {}};
            const QByteArray text = line.mid(prefix.size() + parts.first().size() + 1).toLatin1();
            for (qsizetype i = 0; i < text.size(); ++i) {
                const bool escape = text.at(i) == '\\' && i + 3 < text.size() && text.at(i + 1) == 'x';
                d.bytes += escape ? char(text.mid(i + 2, 2).toInt(nullptr, 16)) : text.at(i);
                i += escape ? 3 : 0;
            }
            list << d;
        }
        return list;
    }

    QString m_netns;
    QTemporaryDir m_dir;
    QProcess m_process;
};
