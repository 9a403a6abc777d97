// zolctl as a user runs it: a child process without a display, against
// simulated devices on two segments of a private network.

#include "../support/devsim.h"

#include "net/messages.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUdpSocket>
#include <QtTest>

#include <csignal>
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
const QString Pump = PumpMac + u",1A2B,10.77.1.20,255.255.255.0,10.77.1.1,TRUE,Pump_1,Hall A"_s;
// Named by another tool: the name fails the dialog's checks.
const QString Gate = GateMac + u",FFFF,10.77.2.20,255.255.255.0,10.77.2.1,FALSE,cam-1,Roof,Gate \"Box\""_s;

} // namespace

class tst_Zolctl : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void findListsEveryDeviceOnceInEveryFormat();
    void renewSendsTheDialogsQuery();
    void setChecksOnlyTheValuesGiven();
    void unwritableOutput_data();
    void unwritableOutput();
    void badInputSendsNothing_data();
    void badInputSendsNothing();
    void refusalGivesTheDevicesMessage();
    void takenResponsePortExitsThree();

private:
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
    const QJsonObject pump = list.at(0).toObject(), gate = list.at(1).toObject();
    QCOMPARE(pump.value(u"mac"_s).toString(), PumpMac);
    QCOMPARE(pump.value(u"type"_s).toString(), u"VRD Module"_s);
    QCOMPARE(pump.value(u"dhcp"_s), QJsonValue(true));
    QCOMPARE(gate.value(u"type"_s).toString(), u"Gate \"Box\""_s);
    QCOMPARE(gate.value(u"from"_s).toString(), u"10.77.2.2"_s);

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

void tst_Zolctl::setChecksOnlyTheValuesGiven()
{
    const Run run = zolctl({u"set"_s, GateMac, u"--ip"_s, u"10.77.2.30"_s});
    QCOMPARE(run.out, u"updated\n"_s);
    QCOMPARE(run.code, 0);
    const QList<QStringList> csv = readCsv(zolctl({u"find"_s}).out);
    QCOMPARE(csv.size(), 3);
    QCOMPARE(csv.at(2).mid(2, 7), (QStringList{GateMac, u"10.77.2.30"_s, u"255.255.255.0"_s, u"10.77.2.1"_s,
                                               u"Disabled"_s, u"cam-1"_s, u"Roof"_s}));
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

QTEST_GUILESS_MAIN(tst_Zolctl)
#include "tst_zolctl.moc"
