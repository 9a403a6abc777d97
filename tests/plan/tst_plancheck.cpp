// SPDX-License-Identifier: Apache-2.0
#include "plan/assign.h"
#include "plan/plan.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A: fixed 10.0.0.10, named by another tool with a hyphen; B: fixed
// 10.0.0.11; C: DHCP on at 10.0.0.12.
QList<DeviceSettings> site()
{
    const QString mask = QStringLiteral("255.255.255.0"), gw = QStringLiteral("10.0.0.1");
    return {
        {QStringLiteral("00:00:00:00:00:0A"), QStringLiteral("10.0.0.10"), mask, gw, false, QStringLiteral("cam-1"), QString()},
        {QStringLiteral("00:00:00:00:00:0B"), QStringLiteral("10.0.0.11"), mask, gw, false, QStringLiteral("camB"), QString()},
        {QStringLiteral("00:00:00:00:00:0C"), QStringLiteral("10.0.0.12"), mask, gw, true, QStringLiteral("camC"), QString()},
    };
}

// "A ip=10.0.0.20 name=x dhcp=on": a row for device A (or a MAC written out).
PlanRow row(const QString &text, int line)
{
    const QStringList words = text.split(u' ');
    PlanRow row;
    row.line = line;
    row.mac = words[0].size() == 1 ? QStringLiteral("00:00:00:00:00:0") + words[0] : words[0];
    for (const QString &word : words.mid(1)) {
        const QString key = word.section(u'=', 0, 0), value = word.section(u'=', 1);
        if (key == QLatin1String("dhcp"))
            row.dhcp = value == QLatin1String("on");
        else
            (key == QLatin1String("ip") ? row.ip : key == QLatin1String("gateway") ? row.gateway : row.name) = value;
    }
    return row;
}

} // namespace

class tst_PlanCheck : public QObject
{
    Q_OBJECT

private slots:
    void rows_data();
    void rows();
    void assign_data();
    void assign();
};

void tst_PlanCheck::rows_data()
{
    QTest::addColumn<QStringList>("plan");
    QTest::addColumn<QStringList>("errors");   // per row: the start of its first error, or ""
    QTest::addColumn<QStringList>("warnings"); // per row

    QTest::newRow("kept hyphenated name passes when only the address changes")
        << QStringList{u"A ip=10.0.0.20 name=cam-1"_s} << QStringList{u""_s} << QStringList{u""_s};
    QTest::newRow("a given name is checked")
        << QStringList{u"A name=cam-2"_s} << QStringList{u"Invalid name"_s} << QStringList{u""_s};
    QTest::newRow("addresses given with DHCP on: kept, with a warning")
        << QStringList{u"C ip=10.0.0.30"_s, u"A dhcp=on gateway=10.0.0.2"_s} << QStringList{u""_s, u""_s}
        << QStringList{u"ip, mask and gateway are not sent while DHCP is on"_s,
                       u"ip, mask and gateway are not sent while DHCP is on"_s};
    QTest::newRow("DHCP device's own address kept: no error") << QStringList{u"C ip=10.0.0.12 name=camD"_s} << QStringList{u""_s} << QStringList{u""_s};
    QTest::newRow("same MAC written twice, other case and separator")
        << QStringList{u"A name=x"_s, u"00-00-00-00-00-0a name=y"_s}
        << QStringList{u"the MAC address 00:00:00:00:00:0A is also on line 2"_s, u"the MAC address 00-00-00-00-00-0a is also on line 1"_s}
        << QStringList{u""_s, u""_s};
    QTest::newRow("one fixed address given twice")
        << QStringList{u"A ip=10.0.0.50"_s, u"B ip=10.0.0.50"_s}
        << QStringList{u"the address 10.0.0.50 is also given on line 2"_s, u"the address 10.0.0.50 is also given on line 1"_s}
        << QStringList{u""_s, u""_s};
    QTest::newRow("address shown by a device that keeps it")
        << QStringList{u"A ip=10.0.0.11"_s} << QStringList{u"the address 10.0.0.11 is in use by 00:00:00:00:00:0B"_s} << QStringList{u""_s};
    QTest::newRow("address held by DHCP device that stays on it")
        << QStringList{u"A ip=10.0.0.12"_s} << QStringList{u"the address 10.0.0.12 is in use"_s} << QStringList{u""_s};
    QTest::newRow("address held by DHCP device the plan only renames")
        << QStringList{u"C name=camE"_s, u"A ip=10.0.0.12"_s} << QStringList{u""_s, u"the address 10.0.0.12 is in use"_s}
        << QStringList{u""_s, u""_s};
    QTest::newRow("address freed by the plan moving its holder")
        << QStringList{u"A ip=10.0.0.11"_s, u"B ip=10.0.0.10"_s} << QStringList{u""_s, u""_s} << QStringList{u""_s, u""_s};
    QTest::newRow("turning DHCP off fixes the address it holds: checked against others")
        << QStringList{u"C dhcp=off"_s, u"A ip=10.0.0.12"_s}
        << QStringList{u"the address 10.0.0.12 is also given on line 2"_s, u"the address 10.0.0.12 is also given on line 1"_s}
        << QStringList{u""_s, u""_s};
    QTest::newRow("not found is no error, its values unchecked")
        << QStringList{u"00:00:00:00:00:FF name=1x"_s} << QStringList{u""_s} << QStringList{u""_s};
    QTest::newRow("not a MAC") << QStringList{u"00:00:00:00:00 name=x"_s} << QStringList{u"\"00:00:00:00:00\" is not a MAC"_s}
                               << QStringList{u""_s};
    QTest::newRow("gateway outside the subnet warns, none does not")
        << QStringList{u"A gateway=10.0.1.1"_s, u"B gateway=0.0.0.0"_s} << QStringList{u""_s, u""_s}
        << QStringList{u"the gateway 10.0.1.1 is outside the subnet of 10.0.0.10/255.255.255.0"_s, u""_s};
}

void tst_PlanCheck::rows()
{
    QFETCH(QStringList, plan);
    QFETCH(QStringList, errors);
    QFETCH(QStringList, warnings);
    Plan rows;
    for (int i = 0; i < plan.size(); ++i)
        rows << row(plan[i], i + 1);
    const QList<DeviceSettings> devices = site();
    const PlanCheck check = CheckPlan(rows, devices);
    QCOMPARE(check.failed(), !errors.join(QString()).isEmpty());
    for (int i = 0; i < plan.size(); ++i) {
        const QString first = check.rows[i].errors.value(0);
        QVERIFY2(errors[i].isEmpty() ? first.isEmpty() : first.startsWith(errors[i]), qPrintable(first));
        QCOMPARE(check.rows[i].warning, warnings[i]);
        // With DHCP on, a device's write carries the addresses it reports.
        const RowCheck &c = check.rows[i];
        if (c.found() && c.values.dhcp) {
            const DeviceSettings &device = devices.at(c.device);
            QCOMPARE(QStringList({c.values.ip, c.values.mask, c.values.gateway}),
                     QStringList({device.ip, device.mask, device.gateway}));
        }
    }
}

void tst_PlanCheck::assign_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("addresses");
    QTest::addColumn<QStringList>("names"); // "": kept
    QTest::addColumn<QString>("problem"); // "row N" or "field N": where the first problem is

    // A, B and D chosen, C (10.0.0.12) not: its address and the gateway are skipped.
    QTest::newRow("skips a device's address, pads the number")
        << u"10.0.0.11"_s << u"Cam_{n:03}"_s << QStringList{u"10.0.0.11"_s, u"10.0.0.13"_s, u"10.0.0.14"_s}
        << QStringList{u"Cam_001"_s, u"Cam_002"_s, u"Cam_003"_s} << u""_s;
    QTest::newRow("skips the gateway, plain number")
        << u"10.0.0.1"_s << u"Cam_{n}"_s << QStringList{u"10.0.0.2"_s, u"10.0.0.3"_s, u"10.0.0.4"_s}
        << QStringList{u"Cam_1"_s, u"Cam_2"_s, u"Cam_3"_s} << u""_s;
    QTest::newRow("past the end of the subnet") << u"10.0.0.253"_s << u""_s << QStringList{u"10.0.0.253"_s, u"10.0.0.254"_s, u""_s}
                                                << QStringList(3) << u"row 2"_s;
    QTest::newRow("pattern making a bad name") << u"10.0.0.20"_s << u"{n}cam"_s << QStringList{u"10.0.0.20"_s, u"10.0.0.21"_s, u"10.0.0.22"_s}
                                               << QStringList{u"1cam"_s, u"2cam"_s, u"3cam"_s} << u"field 3"_s;
    QTest::newRow("first address not an address") << u"10.0.0.300"_s << u""_s << QStringList(3) << QStringList(3)
                                                   << u"field 0"_s;
}

void tst_PlanCheck::assign()
{
    QFETCH(QString, first);
    QFETCH(QString, pattern);
    QFETCH(QStringList, addresses);
    QFETCH(QStringList, names);
    QFETCH(QString, problem);
    QList<DeviceSettings> devices = site();
    devices << DeviceSettings{QStringLiteral("00:00:00:00:00:0D"), QStringLiteral("192.168.5.5"), QStringLiteral("255.255.0.0"),
                              QStringLiteral("192.168.0.1"), true, QStringLiteral("camD"), QString()};
    AssignRequest request;
    request.macs = QStringList{devices[0].mac, devices[1].mac, devices[3].mac};
    request.first = first;
    request.namePattern = pattern;
    const AssignResult result = BuildAssignPlan(devices, request);

    QString found;
    for (int i = 0; i < AssignFieldCount && found.isEmpty(); ++i)
        found = result.fieldErrors[i].isEmpty() ? QString() : QStringLiteral("field %1").arg(i);
    for (int i = 0; i < result.rowErrors.size() && found.isEmpty(); ++i)
        found = result.rowErrors[i].isEmpty() ? QString() : QStringLiteral("row %1").arg(i);
    QCOMPARE(found, problem);
    QCOMPARE(result.ok(), problem.isEmpty());
    // Each device by its place, with DHCP off and the first device's mask.
    QCOMPARE(result.plan.size(), names.size());
    for (int i = 0; i < names.size(); ++i) {
        const PlanRow &row = result.plan[i];
        QCOMPARE(row.ip.value_or(QString()), addresses[i]);
        QCOMPARE(row.name.value_or(QString()), names[i]);
        QCOMPARE(row.mask.value_or(QString()), QStringLiteral("255.255.255.0"));
        QCOMPARE(row.dhcp.value_or(true), false);
        QCOMPARE(row.line, i + 1);
    }
}

QTEST_APPLESS_MAIN(tst_PlanCheck)
#include "tst_plancheck.moc"
