// SPDX-License-Identifier: Apache-2.0
// zolctl as a user runs it: a child process without a display, against
// simulated devices on two segments of a private network.

#include "../support/devsim.h"

#include "net/messages.h"
#include "plan/planfile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryFile>
#include <QUdpSocket>
#include <QtTest>

#include <csignal>
#include <signal.h>
#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

struct Run
{
    int code = -1;
    QString out, err;
};

// A run ended by a signal has the code 128 + signal, as in a shell.
Run zolctl(const QStringList &arguments, const std::function<void(QProcess &)> &setUp = {})
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(u"DISPLAY"_s);
    env.remove(u"WAYLAND_DISPLAY"_s);
    process.setProcessEnvironment(env);
    if (setUp)
        setUp(process);
    process.start(qEnvironmentVariable("ZOL_BIN_DIR") + u"/zolctl"_s, arguments);
    if (!process.waitForFinished(30000))
        return {};
    const int signal = process.exitStatus() == QProcess::CrashExit ? 128 : 0;
    return {signal + process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// Python's csv module reads the CSV back (RFC 4180: quotes, CRLF).
QList<QStringList> readCsv(const QString &text)
{
    QProcess python;
    python.start(u"python3"_s, {u"-c"_s, u"import csv, io, json, sys; json.dump(list(csv.reader(io.TextIOWrapper("
                                         "sys.stdin.buffer, encoding='utf-8', newline=''))), sys.stdout)"_s});
    python.write(text.toUtf8());
    python.closeWriteChannel();
    python.waitForFinished();
    QList<QStringList> rows;
    for (const QJsonValue &row : QJsonDocument::fromJson(python.readAllStandardOutput()).array())
        rows << row.toVariant().toStringList();
    return rows;
}

const QString PumpMac = u"00:1A:2B:3C:4D:5E"_s; // on both segments
const QString GateMac = u"00:1A:2B:3C:4D:5F"_s;
// Its gateway, as another tool wrote it, fails the dialog's check.
const QString Pump = PumpMac + u",1A2B,10.77.1.20,255.255.255.0,10.77.1.01,TRUE,Pump_1,Hall A"_s;
// Named by another tool: the name fails the dialog's checks.
const QString Gate = GateMac + u",FFFF,10.77.2.20,255.255.255.0,10.77.2.1,FALSE,cam-1,Roof,Gate \"Box\""_s;

// `count` devices on segment `segment` (1 or 2), named Cam<n>, in "Roof".
QStringList site(int segment, int count)
{
    QStringList devices;
    for (int n = 10; n < 10 + count; ++n)
        devices << u"00:1A:2B:3C:0%1:%2,%2,10.77.%1.%2,255.255.255.0,10.77.%1.1,FALSE,Cam%2,Roof"_s.arg(segment).arg(n);
    return devices;
}

// Every device as find shows it, by MAC, from as many finds as it takes
// while answers are lost.
QMap<QString, QStringList> findEvery(int count)
{
    QMap<QString, QStringList> devices;
    for (int i = 0; i < 20 && devices.size() < count; ++i) {
        for (const QStringList &row : readCsv(zolctl({u"find"_s, u"--wait"_s, u"0.3"_s}).out).mid(1))
            devices.insert(row.value(2), row);
    }
    return devices;
}

QString written(const QString &text)
{
    QTemporaryFile *file = new QTemporaryFile(QCoreApplication::instance());
    file->open();
    file->write(text.toUtf8());
    file->close();
    return file->fileName();
}

int writeQueries(const DeviceSimulator &sim)
{
    return int(sim.logLines(u"RECV "_s).filter(u" ZOL_WRITE_QUERY,"_s).size());
}

} // namespace

class tst_Zolctl : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void findListsEveryDeviceOnceInEveryFormat();
    void renewSendsTheDialogsQuery();
    void setChecksTheValuesGivenAndTheAddressesFixed();
    void unwritableOutput_data();
    void unwritableOutput();
    void badInputSendsNothing_data();
    void badInputSendsNothing();
    void refusalGivesTheDevicesMessage();
    void takenResponsePortExitsThree();
    void setResendsWhileNoVerdictComes();
    void spreadsheetRoundTrip_data();
    void spreadsheetRoundTrip();
    void applyExitStatus_data();
    void applyExitStatus();
    void ctrlCStopsAndReportsTheRestNotSent();
    void assignDryRunCsvPipedIsAPlanForApply();

private:
    // The simulator on the first segment alone, started with these arguments.
    bool firstSegmentOnly(const QStringList &arguments)
    {
        m_segment[1].reset();
        m_segment[0] = std::make_unique<DeviceSimulator>(NetnsSegments().at(0));
        return m_segment[0]->start(arguments);
    }

    std::unique_ptr<DeviceSimulator> m_segment[2];
};

void tst_Zolctl::initTestCase()
{
    ZOL_REQUIRE_NETNS();
    QCOMPARE(NetnsSegments().size(), 2);
    const QStringList devices[2] = {{Pump}, {Pump, Gate}};
    for (int i = 0; i < 2; ++i) {
        m_segment[i] = std::make_unique<DeviceSimulator>(NetnsSegments().at(i));
        QVERIFY(m_segment[i]->start(DeviceSimulator::deviceArguments(devices[i])));
    }
}

void tst_Zolctl::findListsEveryDeviceOnceInEveryFormat()
{
    const Run json = zolctl({u"find"_s, u"--format"_s, u"json"_s});
    QCOMPARE(json.code, 0);
    const QJsonArray list = QJsonDocument::fromJson(json.out.toUtf8()).array();
    QCOMPARE(list.size(), 2);
    const QJsonObject pump = list.at(0).toObject();
    QCOMPARE(pump.value(u"mac"_s).toString(), PumpMac);
    QCOMPARE(pump.value(u"type"_s).toString(), u"VRD Module"_s);
    QCOMPARE(pump.value(u"dhcp"_s), QJsonValue(true));

    const QList<QStringList> csv = readCsv(zolctl({u"find"_s, u"--format"_s, u"csv"_s}).out);
    QCOMPARE(csv.size(), 3);
    QCOMPARE(csv.at(2), (QStringList{u"Gate \"Box\""_s, u"0065535"_s, GateMac, u"10.77.2.20"_s, u"255.255.255.0"_s,
                                     u"10.77.2.1"_s, u"Disabled"_s, u"cam-1"_s, u"Roof"_s}));

    const QStringList table = zolctl({u"find"_s, u"--format"_s, u"table"_s}).out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(table.size(), 3);
    QVERIFY(table.at(0).startsWith(u"Device Type  Serial Number  MAC Address"_s));
    QCOMPARE(table.at(1).indexOf(PumpMac), table.at(0).indexOf(u"MAC Address"_s));
}

void tst_Zolctl::renewSendsTheDialogsQuery()
{
    QCOMPARE(zolctl({u"renew"_s, u"00-1a-2b-3c-4d-5e"_s}).code, 0);
    // The number of the read query before it, the addresses zero, DHCP on.
    const QString query = u"RECV 10.77.1.1:2850 ZOL_WRITE_QUERY,0,1,"_s + PumpMac
        + u",0.0.0.0,0.0.0.0,0.0.0.0,TRUE,Pump_1,Hall A,"_s;
    QVERIFY(DeviceSimulator::waitFor([&] { return m_segment[0]->logLines().contains(query); }, 5000));
}

void tst_Zolctl::setChecksTheValuesGivenAndTheAddressesFixed()
{
    const Run run = zolctl({u"set"_s, GateMac, u"--ip"_s, u"10.77.2.30"_s});
    QCOMPARE(run.out, u"updated\n"_s);
    QCOMPARE(run.code, 0);
    const QList<QStringList> csv = readCsv(zolctl({u"find"_s}).out);
    QCOMPARE(csv.size(), 3);
    QCOMPARE(csv.at(2).mid(2, 7), (QStringList{GateMac, u"10.77.2.30"_s, u"255.255.255.0"_s, u"10.77.2.1"_s,
                                               u"Disabled"_s, u"cam-1"_s, u"Roof"_s}));
    const Run fixing = zolctl({u"set"_s, PumpMac, u"--dhcp"_s, u"off"_s}); // the kept addresses become fixed: checked
    QCOMPARE(fixing.err + QString::number(fixing.code), u"Invalid Gateway.\n2"_s);
}

void tst_Zolctl::unwritableOutput_data()
{
    QTest::addColumn<bool>("readerGone");
    QTest::addColumn<int>("code");
    QTest::newRow("a full disk: told in one line") << false << 4;
    QTest::newRow("a reader gone, SIGPIPE ignored: ended by it, quietly") << true << 128 + SIGPIPE;
}

void tst_Zolctl::unwritableOutput()
{
    QFETCH(bool, readerGone);
    QFETCH(int, code);
    QProcess reader; // ends at once
    const Run run = zolctl({u"find"_s, u"--wait"_s, u"0.5"_s, u"--format"_s, u"json"_s}, [&](QProcess &process) {
        if (!readerGone)
            return process.setStandardOutputFile(u"/dev/full"_s);
        // As some parents leave it: then the write fails with EPIPE.
        process.setChildProcessModifier([] { std::signal(SIGPIPE, SIG_IGN); });
        process.setStandardOutputProcess(&reader);
        reader.start(u"true"_s);
        QVERIFY(reader.waitForFinished());
    });
    QCOMPARE(run.code, code);
    QCOMPARE(run.err.count(u'\n'), readerGone ? 0 : 1);
    QVERIFY2(readerGone || run.err.contains(u"could not be written"_s), qPrintable(run.err));
}

void tst_Zolctl::badInputSendsNothing_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("says");
    QTest::newRow("unknown option") << QStringList{u"find"_s, u"--colour"_s, u"1"_s} << u"--colour"_s;
    QTest::newRow("MAC of five pairs") << QStringList{u"set"_s, u"00:1A:2B:3C:4D"_s} << u"MAC"_s;
    QTest::newRow("wait not a number") << QStringList{u"find"_s, u"--wait"_s, u"soon"_s} << u"--wait"_s;
    QTest::newRow("wait negative") << QStringList{u"set"_s, PumpMac, u"--wait=-1"_s} << u"--wait"_s;
    QTest::newRow("name failing the dialog's check") << QStringList{u"set"_s, PumpMac, u"--name"_s, u"1st"_s}
                                                     << u"Invalid name"_s;
    QTest::newRow("location failing the dialog's check")
        << QStringList{u"set"_s, PumpMac, u"--location"_s, u"a,b"_s} << u"Invalid location"_s;
    QTest::newRow("address with a leading zero") << QStringList{u"set"_s, GateMac, u"--gateway"_s, u"010.0.0.1"_s}
                                                 << u"Invalid Gateway."_s;
    QTest::newRow("address with DHCP on")
        << QStringList{u"set"_s, PumpMac, u"--dhcp"_s, u"on"_s, u"--ip"_s, u"10.77.1.9"_s} << u"--dhcp off"_s;
    QTest::newRow("assign's first address, before finding devices")
        << QStringList{u"assign"_s, u"--first"_s, u"10.77.1"_s, u"--all"_s} << u"--first: Invalid IP Address."_s;
    QTest::newRow("plan that never ends") << QStringList{u"apply"_s, u"/dev/zero"_s} << u"larger than 64 MiB"_s;
}

void tst_Zolctl::badInputSendsNothing()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, says);
    const qsizetype before = m_segment[1]->received().size();
    const Run run = zolctl(arguments);
    QCOMPARE(run.code, 2);
    QVERIFY2(run.err.contains(says), qPrintable(run.err));
    // A marker sent now arrives after anything the bad run sent: it must be
    // the next datagram the device heard.
    const QByteArray marker = "MARK";
    QUdpSocket socket;
    const QHostAddress device(qEnvironmentVariable("ZOL_NETNS_DEVICE_ADDRS").split(u' ').value(1));
    QCOMPARE(socket.writeDatagram(marker, device, QueryPort), qint64(marker.size()));
    QVERIFY(m_segment[1]->waitForReceived(int(before) + 1));
    QCOMPARE(m_segment[1]->received().value(before).bytes, marker);
}

void tst_Zolctl::refusalGivesTheDevicesMessage()
{
    m_segment[1] = std::make_unique<DeviceSimulator>(NetnsSegments().at(1));
    QVERIFY(m_segment[1]->start(DeviceSimulator::deviceArguments({Gate}) << u"--status"_s << u"ZOL_SECURITY_VIOLATION"_s));
    const Run run = zolctl({u"set"_s, GateMac, u"--location"_s, u"Roof 2"_s});
    QCOMPARE(run.code, 1);
    QCOMPARE(run.err, u"Modify failed, security mode enabled on device.\n"_s);
}

void tst_Zolctl::takenResponsePortExitsThree()
{
    QUdpSocket holder;
    QVERIFY(holder.bind(QHostAddress::AnyIPv4, ResponsePort));
    const Run run = zolctl({u"find"_s});
    QCOMPARE(run.code, 3);
    QVERIFY2(run.err.contains(u"2851"_s) && run.err.count(u'\n') == 1, qPrintable(run.err));
}

void tst_Zolctl::setResendsWhileNoVerdictComes()
{
    QVERIFY(firstSegmentOnly(DeviceSimulator::deviceArguments({Pump}) << u"--no-write-answer"_s));
    const Run run = zolctl({u"set"_s, PumpMac, u"--name"_s, u"Pump_9"_s, u"--wait"_s, u"0.2"_s, u"--retries"_s, u"2"_s});
    QCOMPARE(run.code, 1);
    // Each a new query by OK's rule: the next number.
    QStringList numbers;
    for (const QString &line : m_segment[0]->logLines(u"RECV 10.77.1.1:2850 ZOL_WRITE_QUERY"_s))
        numbers << line.section(u',', 2, 2);
    QCOMPARE(numbers, (QStringList{u"2"_s, u"3"_s, u"4"_s}));
}

void tst_Zolctl::spreadsheetRoundTrip_data()
{
    QTest::addColumn<QString>("loss");
    QTest::newRow("every device updated") << u"0"_s;
    QTest::newRow("5 % of queries and of answers lost: resent until verified") << u"5"_s;
}

void tst_Zolctl::spreadsheetRoundTrip()
{
    QFETCH(QString, loss);
    constexpr int PerSegment = 30;
    for (int i = 0; i < 2; ++i) {
        m_segment[i] = std::make_unique<DeviceSimulator>(NetnsSegments().at(i));
        QVERIFY(m_segment[i]->start(DeviceSimulator::deviceArguments(site(i + 1, PerSegment))
                                    << u"--loss"_s << loss << u"--seed"_s << QString::number(7 + i)));
    }
    QMap<QString, QStringList> devices = findEvery(2 * PerSegment);
    QCOMPARE(devices.size(), 2 * PerSegment);
    // find's CSV with the location edited on every row.
    QString csv = DeviceCsvHeader();
    for (QStringList row : std::as_const(devices)) {
        row[8] = u"Hall 2"_s;
        csv += row.join(u',') + u"\r\n"_s;
    }
    const Run run = zolctl({u"apply"_s, written(csv), u"--wait"_s, u"1"_s, u"--format"_s, u"json"_s});
    QCOMPARE(run.code, 0);
    const QJsonArray report = QJsonDocument::fromJson(run.out.toUtf8()).array();
    QCOMPARE(report.size(), 2 * PerSegment);
    for (const QJsonValue &row : report)
        QCOMPARE(row[u"result"_s].toString(), u"updated"_s);
    devices = findEvery(2 * PerSegment);
    for (const QStringList &row : std::as_const(devices))
        QCOMPARE(row.value(8), u"Hall 2"_s);
}

void tst_Zolctl::applyExitStatus_data()
{
    QTest::addColumn<QString>("plan");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("results"); // a pattern of each row's "result:message"
    const QString header = u"MAC Address,Name,IP Address\n"_s;
    QTest::newRow("a refusal: 1, the device's message") << header + GateMac + u",Gate_2,\n"_s << 1
                                                       << u"refused:Modify failed, security mode enabled on device\\."_s;
    QTest::newRow("a device not found: 1, the rest go ahead")
        << header + u"00:00:00:00:00:01,X,\n"_s + PumpMac + u",Pump_2,\n"_s << 1 << u"not found: updated:"_s;
    QTest::newRow("a check fails: 2, every failing line named, nothing sent")
        << header + PumpMac + u",2nd,\n"_s + GateMac + u",,10.77.1.20\n"_s << 2 << u"check failed:.+ check failed:.+"_s;
}

void tst_Zolctl::applyExitStatus()
{
    QFETCH(QString, plan);
    QFETCH(int, code);
    QFETCH(QString, results);
    QVERIFY(firstSegmentOnly(DeviceSimulator::deviceArguments({Pump, Gate}) << u"--refuse"_s << GateMac));
    const Run run = zolctl({u"apply"_s, written(plan), u"--wait"_s, u"0.5"_s, u"--format"_s, u"csv"_s});
    QCOMPARE(run.code, code);
    QStringList got;
    for (const QStringList &row : readCsv(run.out).mid(1))
        got << row.value(2) + u':' + row.value(5).simplified();
    QVERIFY2(QRegularExpression(u'^' + results + u'$').match(got.join(u' ')).hasMatch(), qPrintable(run.out + run.err));
    QCOMPARE(run.err.count(u"\nline "_s), got.filter(u"check failed:"_s).size()); // each failing line named
    QCOMPARE(writeQueries(*m_segment[0]) > 0, code == 1);
}

void tst_Zolctl::ctrlCStopsAndReportsTheRestNotSent()
{
    QVERIFY(firstSegmentOnly(DeviceSimulator::deviceArguments(site(1, 40)) << u"--no-write-answer"_s));
    QString plan = u"MAC Address,Name\n"_s;
    for (const QString &device : site(1, 40))
        plan += device.section(u',', 0, 0) + u",New\n"_s;
    QProcess process;
    process.start(qEnvironmentVariable("ZOL_BIN_DIR") + u"/zolctl"_s,
                  {u"apply"_s, written(plan), u"--wait"_s, u"4"_s, u"--format"_s, u"csv"_s});
    QVERIFY(DeviceSimulator::waitFor([&] { return writeQueries(*m_segment[0]) > 0; }, 10000));
    ::kill(pid_t(process.processId()), SIGINT);
    // At once: the writes out do not wait out their 4 s.
    QVERIFY(process.waitForFinished(3000));
    QCOMPARE(process.exitCode(), 130);
    QMap<QString, int> results;
    for (const QStringList &row : readCsv(QString::fromUtf8(process.readAllStandardOutput())).mid(1))
        ++results[row.value(2)];
    QCOMPARE(results, (QMap<QString, int>{{u"no answer"_s, 32}, {u"not sent"_s, 8}}));
}

void tst_Zolctl::assignDryRunCsvPipedIsAPlanForApply()
{
    QVERIFY(firstSegmentOnly(DeviceSimulator::deviceArguments({Pump, Gate})));
    const Run dry = zolctl({u"assign"_s, u"--first"_s, u"10.77.1.20"_s, u"--name-pattern"_s, u"Cam_{n:02}"_s, GateMac,
                            PumpMac, u"--dry-run"_s, u"--format"_s, u"csv"_s, u"--wait"_s, u"0.5"_s});
    QCOMPARE(dry.code, 0);
    QCOMPARE(writeQueries(*m_segment[0]), 0);
    QProcess feeder; // the plan in two parts, cut at a row's end, the second a moment later
    const qsizetype cut = dry.out.indexOf(u'\n', dry.out.indexOf(u'\n') + 1) + 1;
    const Run apply = zolctl({u"apply"_s, u"-"_s, u"--wait"_s, u"0.5"_s}, [&](QProcess &process) {
        feeder.setStandardOutputProcess(&process);
        feeder.start(u"sh"_s, {u"-c"_s, u"printf %s \"$0\"; sleep 0.5; printf %s \"$1\""_s, dry.out.left(cut), dry.out.mid(cut)});
    });
    QVERIFY2(apply.code == 0, qPrintable(apply.err));
    const QMap<QString, QStringList> devices = findEvery(2);
    // The Pump's own address is free to give: it moves off it.
    QCOMPARE(devices.value(GateMac).mid(3, 5),
             (QStringList{u"10.77.1.20"_s, u"255.255.255.0"_s, u"10.77.2.1"_s, u"Disabled"_s, u"Cam_01"_s}));
    QCOMPARE(devices.value(PumpMac).value(3), u"10.77.1.21"_s);
}

QTEST_GUILESS_MAIN(tst_Zolctl)
#include "tst_zolctl.moc"
