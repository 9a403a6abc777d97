// SPDX-License-Identifier: Apache-2.0
#include "plan/planrun.h"

#include <QTest>

using namespace Qt::StringLiterals;

// A site of devices that answer the run's queries at once, each as its
// behaviour words say: "silent" (no verdict), "lose1" (the first verdict
// lost), "refuse", "odd" (an unknown status word), "ignore" (says updated,
// keeps its values), "deaf1" (misses the first read query), "dhcpip" (its
// DHCP server hands it another address), "absent".
struct FakeDevice
{
    DeviceSettings settings;
    QString behaviour;
    int reads = 0;
    int writes = 0;
    bool is(const char *word) const { return behaviour.split(u' ').contains(QLatin1String(word)); }
};

struct FakeSite
{
    QList<FakeDevice> devices;
    int readQueries = 0;
    int writeQueries = 0;

    // Carries queries and answers back and forth until the run sends nothing more.
    void exchange(PlanRun &run, qint64 now)
    {
        for (QStringList queries; !(queries = run.takeQueries()).isEmpty();) {
            for (const QString &query : std::as_const(queries))
                answer(run, query.split(u','), now);
        }
    }

    void answer(PlanRun &run, const QStringList &f, qint64 now)
    {
        if (f[0] == QLatin1String("ZOL_READ_QUERY")) {
            ++readQueries;
            for (FakeDevice &d : devices) {
                if (!d.is("absent") && !(d.is("deaf1") && d.reads++ == 0))
                    run.takeAnswer(QStringList{u"ZOL_READ_RESPONSE,0,0,FF"_s, d.settings.mac, d.settings.ip, d.settings.mask,
                                               d.settings.gateway, d.settings.dhcp ? u"TRUE"_s : u"FALSE"_s,
                                               d.settings.name, d.settings.location, u"0"_s}
                                       .join(u','),
                                   now);
            }
            return;
        }
        ++writeQueries;
        for (FakeDevice &d : devices) {
            if (d.settings.mac != f[3] || d.is("absent") || d.is("silent"))
                continue;
            ++d.writes;
            const QString status = d.is("refuse") ? QStringLiteral("ZOL_SECURITY_VIOLATION")
                : d.is("odd")                     ? QStringLiteral("ZOL_BUSY")
                                                  : QStringLiteral("ZOL_CONFIGURATION_UPDATED");
            if (status.endsWith(QLatin1String("UPDATED")) && !d.is("ignore")) {
                d.settings = DeviceSettings{f[3], f[4], f[5], f[6], f[7] == QLatin1String("TRUE"), f[8], f[9]};
                if (d.is("dhcpip") && d.settings.dhcp)
                    d.settings.ip = QStringLiteral("10.0.0.99");
            }
            if (!(d.is("lose1") && d.writes == 1))
                run.takeAnswer(u"ZOL_WRITE_RESPONSE,0,0,"_s + d.settings.mac + u',' + status, now);
        }
    }

    QList<DeviceSettings> known() const
    {
        QList<DeviceSettings> list;
        std::transform(devices.cbegin(), devices.cend(), std::back_inserter(list), [](const FakeDevice &d) { return d.settings; });
        return list;
    }
};

namespace {

DeviceSettings device(int n, const QString &name = QStringLiteral("cam1"))
{
    return DeviceSettings{QStringLiteral("00:00:00:00:00:%1").arg(n, 2, 16, QChar(u'0')),
                          QStringLiteral("10.0.0.%1").arg(10 + n), QStringLiteral("255.255.255.0"),
                          QStringLiteral("10.0.0.1"), false, name, QStringLiteral("Hall")};
}

PlanRow renamed(const DeviceSettings &d, int line)
{
    PlanRow row;
    row.line = line;
    row.mac = d.mac;
    row.name = QStringLiteral("Cam_%1").arg(line);
    return row;
}

// Wakes the run whenever it asks until it is done.
void runToEnd(PlanRun &run, FakeSite &site, qint64 *now)
{
    for (int step = 0; step < 1000 && !run.finished(); ++step) {
        site.exchange(run, *now);
        if (run.finished())
            break;
        *now = run.nextWakeMs();
        run.advance(*now);
    }
}

} // namespace

class tst_PlanRun : public QObject
{
    Q_OBJECT

private slots:
    void eachResult_data();
    void eachResult();
    void failingChecksSendNothing();
    void silentDevices_data();
    void silentDevices();
};

void tst_PlanRun::eachResult_data()
{
    QTest::addColumn<QString>("behaviour");
    QTest::addColumn<bool>("dhcpOn");
    QTest::addColumn<QString>("name");
    QTest::addColumn<RowStatus>("status");
    QTest::addColumn<int>("attempts");
    QTest::addColumn<QString>("message");

    const QString name = QStringLiteral("Cam_9"), same = QStringLiteral("cam1");
    QTest::newRow("nothing to change is unchanged") << u""_s << false << same << RowStatus::Unchanged << 0 << u""_s;
    QTest::newRow("accepted and seen: updated") << u""_s << false << name << RowStatus::Updated << 1 << u""_s;
    QTest::newRow("refusal carries the window's message")
        << u"refuse"_s << false << name << RowStatus::Refused << 1 << u"Modify failed, security mode enabled on device."_s;
    QTest::newRow("said updated, reports old values: not verified")
        << u"ignore"_s << false << name << RowStatus::NotVerified << 1 << u"reports name cam1 (not Cam_9)"_s;
    QTest::newRow("no verdict after every resend: no answer") << u"silent"_s << false << name << RowStatus::NoAnswer << 4 << u""_s;
    QTest::newRow("unknown status word is no verdict") << u"odd"_s << false << name << RowStatus::NoAnswer << 4 << u""_s;
    QTest::newRow("lost verdict retried and counted") << u"lose1"_s << false << name << RowStatus::Updated << 2 << u""_s;
    QTest::newRow("missed first read: discovery repeats") << u"deaf1"_s << false << name << RowStatus::Updated << 1 << u""_s;
    QTest::newRow("nobody answers for the MAC: not found") << u"absent"_s << false << name << RowStatus::NotFound << 0 << u""_s;
    QTest::newRow("DHCP on: the server's address is not compared")
        << u"dhcpip"_s << true << name << RowStatus::Updated << 1 << u""_s;
}

void tst_PlanRun::eachResult()
{
    QFETCH(QString, behaviour);
    QFETCH(bool, dhcpOn);
    QFETCH(QString, name);
    QFETCH(RowStatus, status);
    QFETCH(int, attempts);
    QFETCH(QString, message);

    FakeSite site;
    site.devices << FakeDevice{device(1), behaviour};
    PlanRow row = renamed(device(1), 1);
    row.name = name;
    if (dhcpOn)
        row.dhcp = true;
    PlanRun run({row});
    qint64 now = 0;
    run.start(now);
    runToEnd(run, site, &now);

    QVERIFY(run.finished());
    QCOMPARE(run.rows().at(0).status, status);
    QCOMPARE(run.rows().at(0).attempts, attempts);
    QCOMPARE(run.rows().at(0).message, message);
    QCOMPARE(site.writeQueries, attempts);
    QCOMPARE(run.doneCount(), 1);
    QCOMPARE(run.takeChangedRows(), QList<int>{0});
}

void tst_PlanRun::failingChecksSendNothing()
{
    FakeSite site;
    for (int n = 1; n <= 4; ++n)
        site.devices << FakeDevice{device(n), QString()};
    Plan plan{renamed(device(1), 2), renamed(device(2), 3), renamed(device(3), 4), renamed(device(4), 5)};
    plan[1].name = QStringLiteral("2nd");
    plan[3].ip = QStringLiteral("10.0.0.077");
    PlanRun run(plan);
    qint64 now = 0;
    run.start(now);
    runToEnd(run, site, &now);

    QCOMPARE(site.writeQueries, 0);
    const QStringList errors = run.check().errorLines(run.plan());
    QCOMPARE(errors.size(), 2);
    QVERIFY(errors[0].startsWith(QLatin1String("line 3: Invalid name")));
    QCOMPARE(errors[1], QStringLiteral("line 5: Invalid IP Address."));
    QCOMPARE(PlanSummary(run.rows()), u"2 not sent, 2 check failed"_s);
    QCOMPARE(run.rows().at(1).status, RowStatus::CheckFailed);

    // A dry run of the rows that pass: their changes, nothing sent.
    PlanRunOptions dry;
    dry.checkOnly = true;
    PlanRun dryRun({plan[0], plan[2]}, dry);
    dryRun.start(now);
    runToEnd(dryRun, site, &now);
    QCOMPARE(site.writeQueries, 0);
    QCOMPARE(ChangesText(dryRun.check().rows.at(1).changes), u"name cam1 -> Cam_4"_s);
    QCOMPARE(PlanSummary(dryRun.rows()), u"2 not sent"_s);
}

void tst_PlanRun::silentDevices_data()
{
    // How the run is cut short once the queries due at `at` are out, or not:
    // cancelled, or the driver failed to send them.
    QTest::addColumn<QString>("cut");
    QTest::addColumn<qint64>("at");
    QTest::addColumn<qint64>("endsAt");
    QTest::addColumn<int>("writes");
    QTest::addColumn<int>("attempts"); // the first row's
    QTest::addColumn<QString>("summary");
    const QString settled = QStringLiteral("32 no answer, 8 not sent");
    QTest::newRow("32 waiting at once, each sent four times")
        << u""_s << qint64(0) << qint64(16000) << 160 << 4 << u"40 no answer"_s;
    QTest::newRow("settle now ends at once") << u"settle now"_s << qint64(0) << qint64(0) << 32 << 1 << settled;
    QTest::newRow("settle in flight waits, resends nothing")
        << u"settle in flight"_s << qint64(0) << qint64(2000) << 32 << 1 << settled;
    QTest::newRow("first sends that failed are not sent, not unanswered")
        << u"send failed"_s << qint64(0) << qint64(0) << 0 << 0 << u"40 not sent"_s;
    QTest::newRow("resends that failed are not counted")
        << u"send failed"_s << qint64(2000) << qint64(2000) << 32 << 1 << settled;
}

void tst_PlanRun::silentDevices()
{
    QFETCH(QString, cut);
    QFETCH(qint64, at);
    QFETCH(qint64, endsAt);
    QFETCH(int, writes);
    QFETCH(int, attempts);
    QFETCH(QString, summary);
    FakeSite site;
    Plan plan;
    for (int n = 1; n <= 40; ++n) {
        site.devices << FakeDevice{device(n), u"silent"_s};
        plan << renamed(device(n), n);
    }
    PlanRun run(plan, PlanRunOptions{2000, 0});
    qint64 now = 0;
    run.start(now, site.known());
    for (; now < at; run.advance(now = run.nextWakeMs()))
        site.exchange(run, now);
    if (cut == u"send failed"_s) {
        run.sendFailed(now, run.takeQueries());
    } else if (!cut.isEmpty()) {
        site.exchange(run, now);
        run.cancel(now, cut == u"settle now"_s ? PlanRun::Cancel::SettleNow : PlanRun::Cancel::SettleInFlight);
    }
    runToEnd(run, site, &now);

    QCOMPARE(now, endsAt);
    QCOMPARE(site.writeQueries, writes);
    QCOMPARE(site.readQueries, 0); // the devices handed to it are all there is
    QCOMPARE(run.rows().at(0).attempts, attempts);
    QCOMPARE(run.doneCount(), 40);
    QCOMPARE(PlanSummary(run.rows()), summary);
    QCOMPARE(run.cancelled(), !cut.isEmpty());
}

QTEST_GUILESS_MAIN(tst_PlanRun)
#include "tst_planrun.moc"
