// Discovery seen from outside: the real program, in a client namespace joined
// to two simulated network segments, lists the devices that answer there, and
// Find All (key F) empties the list and asks again.

#include "harness.h"
#include "../support/devsim.h"

#include <QtTest>

using namespace E2e;

namespace {

const QString PumpDevice =
    QStringLiteral("00:1A:2B:3C:4D:01,1A2B,10.77.1.20,255.255.255.0,10.77.1.2,TRUE,Pump_1,Hall A");
const QString ValveDevice = QStringLiteral(
    "00:1A:2B:3C:4D:02,FF,10.77.1.21,255.255.255.0,10.77.1.2,FALSE,Valve_7,Cellar,Gate Box");
const QString MeterDevice =
    QStringLiteral("00:1A:2B:3C:4D:03,10,10.77.2.20,255.255.255.0,10.77.2.2,FALSE,Meter,Roof");
const QString MeterMoved =
    QStringLiteral("00:1A:2B:3C:4D:03,10,10.77.2.30,255.255.255.0,10.77.2.2,TRUE,Meter,Roof");
const QString SensorDevice =
    QStringLiteral("00:1A:2B:3C:4D:04,ABCDEF,10.77.2.21,255.255.255.0,10.77.2.2,TRUE,,Shed");

// The texts of the datagrams a simulator received, each with its source.
QStringList receivedQueries(const DeviceSimulator &sim)
{
    QStringList lines;
    const QList<DeviceSimulator::Datagram> datagrams = sim.received();
    for (const DeviceSimulator::Datagram &d : datagrams)
        lines << d.source + QLatin1Char(' ') + d.text();
    return lines;
}

} // namespace

class tst_E2eDiscovery : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void findsDevicesOnBothSegments();
    void findAllEmptiesAndRefills();

private:
    Desktop m_desktop;
    QStringList m_segments;
    QStringList m_clientAddresses;
};

void tst_E2eDiscovery::initTestCase()
{
    E2E_REQUIRE_MACHINE();
    m_segments = NetnsSegments();
    m_clientAddresses = NetnsClientAddresses();
    E2E_REQUIRE(m_segments.size() == 2 && m_clientAddresses.size() == 2,
                QStringLiteral("needs the client namespace with two segments that "
                               "tools/netns.sh builds (run it through ctest)"));
    E2E_REQUIRE_DESKTOP(m_desktop);
}

void tst_E2eDiscovery::findsDevicesOnBothSegments()
{
    DeviceSimulator segmentA(m_segments.at(0));
    DeviceSimulator segmentB(m_segments.at(1));
    QVERIFY(segmentA.start(DeviceSimulator::deviceArguments({PumpDevice, ValveDevice})));
    QVERIFY(segmentB.start(DeviceSimulator::deviceArguments({MeterDevice})));

    Workspace workspace;
    QVERIFY(workspace.isValid());
    ClientRun run(m_desktop, workspace);
    const WindowId window = run.startAndWaitForRows(3);
    QVERIFY2(window != 0, qPrintable(run.output()));

    // The start-up discovery: one read query on each segment, from the
    // client's address there, carrying sequence number 1.
    QTest::qWait(300); // nothing more may come
    QCOMPARE(receivedQueries(segmentA),
             QStringList{m_clientAddresses.at(0) + QStringLiteral(":2850 ZOL_READ_QUERY,0,1")});
    QCOMPARE(receivedQueries(segmentB),
             QStringList{m_clientAddresses.at(1) + QStringLiteral(":2850 ZOL_READ_QUERY,0,1")});
    QCOMPARE(segmentA.sent().size(), 2);
    QCOMPARE(segmentB.sent().size(), 1);
    QCOMPARE(listRowCount(m_desktop, window), 3);
    QVERIFY(!m_desktop.screenshot(QStringLiteral("discovery-three-devices")).isEmpty());

    E2E_VERIFY_NO_FAULT(run.endWith(window, QStringLiteral("Escape")));
}

void tst_E2eDiscovery::findAllEmptiesAndRefills()
{
    DeviceSimulator segmentA(m_segments.at(0));
    auto segmentB = std::make_unique<DeviceSimulator>(m_segments.at(1));
    QVERIFY(segmentA.start(DeviceSimulator::deviceArguments({PumpDevice, ValveDevice})));
    QVERIFY(segmentB->start(DeviceSimulator::deviceArguments({MeterDevice})));

    Workspace workspace;
    QVERIFY(workspace.isValid());
    ClientRun run(m_desktop, workspace);
    const WindowId window = run.startAndWaitForRows(3);
    QVERIFY2(window != 0, qPrintable(run.output()));

    // The device on the second segment goes away: Find All empties the
    // list, so its row does not survive the refresh.
    segmentB.reset();
    QVERIFY(m_desktop.key(window, QStringLiteral("f")));
    QVERIFY(DeviceSimulator::waitFor([&] { return segmentA.received().size() == 2; }, 5000));
    QCOMPARE(segmentA.received().at(1).text(), QStringLiteral("ZOL_READ_QUERY,0,2"));
    QVERIFY(waitForListRows(m_desktop, window, 2));
    QVERIFY(!m_desktop.screenshot(QStringLiteral("discovery-after-find-all-one-segment")).isEmpty());

    // Two devices answer on the second segment now, one of them with new
    // settings: the next Find All lists all four.
    segmentB = std::make_unique<DeviceSimulator>(m_segments.at(1));
    QVERIFY(segmentB->start(DeviceSimulator::deviceArguments({MeterMoved, SensorDevice})));
    QVERIFY(m_desktop.key(window, QStringLiteral("f")));
    QVERIFY(segmentB->waitForReceived(1));
    QCOMPARE(segmentB->received().at(0).text(), QStringLiteral("ZOL_READ_QUERY,0,3"));
    QVERIFY(waitForListRows(m_desktop, window, 4));
    QCOMPARE(segmentA.received().size(), 3);
    QVERIFY(!m_desktop.screenshot(QStringLiteral("discovery-after-find-all")).isEmpty());

    E2E_VERIFY_NO_FAULT(run.endWith(window, QStringLiteral("Escape")));
}

QTEST_GUILESS_MAIN(tst_E2eDiscovery)
#include "tst_e2e_discovery.moc"
