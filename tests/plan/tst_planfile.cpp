// SPDX-License-Identifier: Apache-2.0
#include "plan/planfile.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// "3 mac ip mask gateway dhcp name location", "-" for a value kept.
QString summary(const PlanRow &row)
{
    const auto text = [](const std::optional<QString> &value) { return value ? *value : QStringLiteral("-"); };
    return QStringList{QString::number(row.line), row.mac, text(row.ip), text(row.mask), text(row.gateway),
                       row.dhcp ? (*row.dhcp ? QStringLiteral("on") : QStringLiteral("off")) : QStringLiteral("-"),
                       text(row.name), text(row.location)}
        .join(u' ');
}

const QByteArray Header = "Device Type,Serial Number,MAC Address,IP Address,Subnet Mask,Gateway,DHCP,Name,Location\r\n";

} // namespace

class tst_PlanFile : public QObject
{
    Q_OBJECT

private slots:
    void read_data();
    void read();
    void findCsvRoundTripChangesNothing();
};

void tst_PlanFile::read_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("rows"); // summaries, or the one error text

    QTest::newRow("find's CSV: type and serial ignored, Enabled read")
        << Header + "VRD Module,0000255,00:11:22:33:44:55,10.0.0.5,255.255.255.0,10.0.0.1,Enabled,cam1,Hall A\r\n"
        << QStringList{u"2 00:11:22:33:44:55 10.0.0.5 255.255.255.0 10.0.0.1 on cam1 Hall A"_s};
    QTest::newRow("LF, own column order and case, empty cells keep, blank lines skipped")
        << QByteArray("mac address,dhcp,NAME\n\nAA-BB-CC-DD-EE-FF,off,\n,,\n")
        << QStringList{u"3 AA-BB-CC-DD-EE-FF - - - off - -"_s};
    QTest::newRow("quoted cells: comma, doubled quote, line break counted")
        << QByteArray("MAC Address,Location,DHCP\n\"00:11:22:33:44:55\",\"a,\"\"b\"\"\nc\",TRUE\n"
                      "00:11:22:33:44:56,x,???\n")
        << QStringList{u"2 00:11:22:33:44:55 - - - on - a,\"b\"\nc"_s, u"4 00:11:22:33:44:56 - - - - - x"_s};
    QTest::newRow("JSON: find's keys, dhcp null keeps, lines of the objects")
        << QByteArray("[\n  {\"type\": \"VRD Module\", \"mac\": \"00:11:22:33:44:55\", \"dhcp\": null, \"from\": \"10.0.0.5\"},\n"
                      "  {\"mac\": \"00:11:22:33:44:56\",\n   \"dhcp\": false, \"name\": \"\", \"ip\": \"10.0.0.6\"}\n]\n")
        << QStringList{u"2 00:11:22:33:44:55 - - - - - -"_s, u"3 00:11:22:33:44:56 10.0.0.6 - - off - -"_s};
    QTest::newRow("neither format") << QByteArray("hello\nworld\n")
                                    << QStringList{u"line 1: not a plan: neither CSV with find's header row nor a JSON array"_s};
    QTest::newRow("no MAC column") << QByteArray("Name,Location\nx,y\n")
                                   << QStringList{u"line 1: the header has no \"MAC Address\" column"_s};
    QTest::newRow("unknown column") << QByteArray("MAC Address,Notes\n") << QStringList{u"line 1: unknown column \"Notes\""_s};
    QTest::newRow("short row") << Header + "a,b,00:11:22:33:44:55\r\n"
                               << QStringList{u"line 2: the row has 3 cells, the header 9"_s};
    QTest::newRow("bad UTF-8 on its line") << QByteArray("MAC Address,Name\nx,y\nz,\xc3\x28\n")
                                           << QStringList{u"line 3: not UTF-8 text"_s};
    QTest::newRow("quote never closed") << QByteArray("MAC Address,Name\nx,\"y\n\n") << QStringList{u"line 2: a quoted cell is not closed"_s};
    QTest::newRow("DHCP word unknown") << QByteArray("MAC Address,DHCP\nx,yes\n")
                                       << QStringList{u"line 2: DHCP takes Enabled, Disabled, on, off, true or false, not \"yes\""_s};
    QTest::newRow("row without MAC") << QByteArray("MAC Address,Name\n,cam\n") << QStringList{u"line 2: the row has no MAC address"_s};
    QTest::newRow("JSON syntax error on its line") << QByteArray("[\n{\"mac\": \"x\"},\n{\"mac\" \"y\"}\n]")
                                                   << QStringList{u"line 3: missing name separator"_s};
    QTest::newRow("JSON value of the wrong kind") << QByteArray("[\n{\"mac\": \"x\",\n \"name\": 5}]")
                                                  << QStringList{u"line 2: \"name\" must be a text"_s};
    QTest::newRow("JSON object, not array") << QByteArray("{\"mac\": \"x\"}") << QStringList{u"line 1: a JSON plan is an array of objects"_s};
}

void tst_PlanFile::read()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, rows);
    const PlanFileResult result = ReadPlanFile(file);
    QStringList got;
    if (result.ok()) {
        for (const PlanRow &row : result.plan)
            got << summary(row);
    } else {
        got << result.errorText();
    }
    QCOMPARE(got, rows);
}

void tst_PlanFile::findCsvRoundTripChangesNothing()
{
    // Texts find writes as they are: a hyphen, a comma, a quote, DHCP
    // unknown, a DHCP device.
    const QList<DeviceTexts> table{
        {u"VRD Module"_s, u"0000255"_s, u"00:11:22:33:44:55"_s, u"10.0.0.5"_s, u"255.255.255.0"_s, u"10.0.0.1"_s, u"Disabled"_s, u"cam-1"_s, u"Hall, \"A\""_s},
        {u"X"_s, u"???"_s, u"00:11:22:33:44:56"_s, u"10.0.0.6"_s, u"255.255.255.0"_s, u"10.0.0.1"_s, u"???"_s, u""_s, u""_s},
        {u"VRD Module"_s, u"0000001"_s, u"00:11:22:33:44:57"_s, u"10.0.0.7"_s, u"255.255.255.0"_s, u"10.0.0.1"_s, u"Enabled"_s, u"c"_s, u"B"_s},
    };
    QString csv = DeviceCsvHeader();
    QList<DeviceSettings> devices;
    for (const DeviceTexts &texts : table) {
        AppendDeviceCsvLine(csv, texts);
        devices << DeviceSettings::fromTexts(texts);
    }
    const PlanFileResult read = ReadPlanFile(csv.toUtf8());
    QVERIFY2(read.ok(), qPrintable(read.errorText()));
    const PlanCheck check = CheckPlan(read.plan, devices);
    QVERIFY(!check.failed());
    for (const RowCheck &row : check.rows)
        QVERIFY(row.unchanged());
    // A plan written out reads back the same.
    const PlanFileResult again = ReadPlanFile(PlanCsv(read.plan));
    QCOMPARE(again.plan.size(), read.plan.size());
    for (int i = 0; i < read.plan.size(); ++i)
        QCOMPARE(summary(again.plan[i]), summary(read.plan[i]));
}

QTEST_APPLESS_MAIN(tst_PlanFile)
#include "tst_planfile.moc"
