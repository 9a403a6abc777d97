// Editing a device from end to end: the real program, in a client namespace
// joined to two simulated segments, sends the write query the user asked
// for, plays its progress animation, asks again and shows what the device now
// reports; a refusal heard through both segments is shown once.

#include "harness.h"
#include "../support/devsim.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace E2e;

namespace {

const QString EditCaption = QStringLiteral("Edit Network Configuration");
const QString ProgressCaption = QStringLiteral("Please Wait");

const QString ValveMac = QStringLiteral("00:1A:2B:3C:4D:02");
const QString ValveDevice =
    ValveMac + QStringLiteral(",FF,10.77.1.21,255.255.255.0,10.77.1.2,FALSE,Valve_7,Cellar,Gate Box");
const QString MeterDevice =
    QStringLiteral("00:1A:2B:3C:4D:03,10,10.77.2.20,255.255.255.0,10.77.2.2,FALSE,Meter,Roof");
const QString GuardedMac = QStringLiteral("00:1A:2B:3C:4D:05");
// One device wired to both segments: it hears every query twice.
const QString GuardedDevice =
    GuardedMac + QStringLiteral(",5,10.77.1.30,255.255.255.0,10.77.1.2,FALSE,Lock,Gate,Gate Box");

QStringList texts(const QList<DeviceSimulator::Datagram> &datagrams)
{
    QStringList list;
    for (const DeviceSimulator::Datagram &d : datagrams)
        list << d.text();
    return list;
}

// The editable line edits of the edit dialog, top to bottom: white boxes
// down a line near the dialog's right edge, where every field column ends
// (the read-only identity fields and disabled fields are grey).
QList<QRect> whiteFields(const Desktop &desktop, WindowId dialog)
{
    const QRect area = desktop.geometry(dialog);
    const QImage screen = desktop.grab();
    QList<QRect> fields;
    if (area.isNull() || screen.isNull())
        return fields;
    const int x = area.right() - 30;
    auto white = [&](int y) { return (screen.pixel(x, y) & 0xffffff) == 0xffffff; };
    for (int y = area.top(); y <= area.bottom(); ++y) {
        if (!white(y))
            continue;
        const int top = y;
        while (y <= area.bottom() && white(y))
            ++y;
        if (y - top >= 10 && y - top <= 40)
            fields << QRect(x - 40, top, 41, y - top);
    }
    return fields;
}

} // namespace

class tst_E2eModify : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void changedAddressIsWrittenAndShown();
    void switchingDhcpOnShowsTheLongProgress();
    void refusalThroughTwoSegmentsShowsOneBox();

private:
    // Clicks into the edit dialog's IP address field (DHCP off: the first of
    // the last five editable fields).
    bool focusIpAddress(WindowId dialog);
    // Clicks the list's row `index` (in display order) and presses Return;
    // returns the edit dialog.
    WindowId openRow(ClientRun &run, WindowId window, int index);

    Desktop m_desktop;
    QStringList m_segments;
    QStringList m_clientAddresses;
};

void tst_E2eModify::initTestCase()
{
    E2E_REQUIRE_MACHINE();
    m_segments = NetnsSegments();
    m_clientAddresses = NetnsClientAddresses();
    E2E_REQUIRE(m_segments.size() == 2 && m_clientAddresses.size() == 2,
                QStringLiteral("needs the client namespace with two segments that "
                               "tools/netns.sh builds (run it through ctest)"));
    E2E_REQUIRE_DESKTOP(m_desktop);
}

WindowId tst_E2eModify::openRow(ClientRun &run, WindowId window, int index)
{
    const QList<QRect> rows = listRows(m_desktop, window);
    if (index >= rows.size())
        return 0;
    if (!m_desktop.click(rows.at(index).center()) || !m_desktop.key(window, QStringLiteral("Return")))
        return 0;
    const WindowId dialog = m_desktop.waitForWindow(run.pid(), EditCaption, 5000);
    m_desktop.parkPointer();
    QTest::qWait(200); // let it paint before anyone looks
    return dialog;
}

bool tst_E2eModify::focusIpAddress(WindowId dialog)
{
    const QList<QRect> fields = whiteFields(m_desktop, dialog);
    if (fields.size() < 5)
        return false;
    const bool ok = m_desktop.click(fields.at(fields.size() - 5).center());
    m_desktop.parkPointer();
    return ok;
}

void tst_E2eModify::changedAddressIsWrittenAndShown()
{
    DeviceSimulator segmentA(m_segments.at(0));
    DeviceSimulator segmentB(m_segments.at(1));
    QVERIFY(segmentA.start(DeviceSimulator::deviceArguments({ValveDevice})));
    QVERIFY(segmentB.start(DeviceSimulator::deviceArguments({MeterDevice})));

    Workspace workspace;
    QVERIFY(workspace.isValid());
    ClientRun run(m_desktop, workspace);
    const WindowId window = run.startAndWaitForRows(2);
    QVERIFY2(window != 0, qPrintable(run.output()));

    // "Gate Box" sorts before "VRD Module": the valve is the first row.
    const WindowId dialog = openRow(run, window, 0);
    QVERIFY2(dialog != 0, qPrintable(run.output()));
    QVERIFY(!m_desktop.screenshot(QStringLiteral("modify-edit-dialog")).isEmpty());

    // Only Tab and plain keys from here on while the DHCP box may have the
    // focus: this dialog turns any key the box ignores (Shift or Ctrl on
    // their own, too) into a click on the box.
    QVERIFY(focusIpAddress(dialog));
    QCOMPARE(m_desktop.copyText(dialog), QStringLiteral("10.77.1.21"));
    QVERIFY(m_desktop.key(dialog, QStringLiteral("ctrl+a BackSpace")));
    QVERIFY(m_desktop.type(dialog, QStringLiteral("10.77.1.99")));
    QVERIFY(!m_desktop.screenshot(QStringLiteral("modify-edit-dialog-changed")).isEmpty());
    // Subnet mask, gateway, name, location, then OK.
    QVERIFY(m_desktop.key(dialog, QStringLiteral("Tab Tab Tab Tab Tab space")));

    // The write query, the device's confirmation, the progress dialog, and
    // after it the next discovery.
    QElapsedTimer clock;
    clock.start();
    qint64 writeSeenMs = -1;
    qint64 readSeenMs = -1;
    bool progressSeen = false;
    while (clock.elapsed() < 10000 && readSeenMs < 0) {
        const int received = int(segmentA.received().size());
        if (received >= 2 && writeSeenMs < 0)
            writeSeenMs = clock.elapsed();
        if (received >= 3)
            readSeenMs = clock.elapsed();
        if (!progressSeen && writeSeenMs >= 0)
            progressSeen = m_desktop.findWindow(run.pid(), ProgressCaption) != 0;
        QTest::qWait(10);
    }
    QVERIFY2(readSeenMs >= 0, qPrintable(texts(segmentA.received()).join(QLatin1Char('\n'))));
    QVERIFY(progressSeen);
    // 41 steps of 20 ms lie between the two.
    qInfo("write query to next read query: about %lld ms", readSeenMs - writeSeenMs);
    QVERIFY2(readSeenMs - writeSeenMs >= 600, qPrintable(QString::number(readSeenMs - writeSeenMs)));

    const QString write = QStringLiteral("ZOL_WRITE_QUERY,0,2,") + ValveMac
        + QStringLiteral(",10.77.1.99,255.255.255.0,10.77.1.2,FALSE,Valve_7,Cellar,");
    const QStringList expected{QStringLiteral("ZOL_READ_QUERY,0,1"), write,
                               QStringLiteral("ZOL_READ_QUERY,0,3")};
    QCOMPARE(texts(segmentA.received()), expected);
    // The broadcast reaches the other segment too, from the client's
    // address there; the device there ignores a write for another MAC.
    QVERIFY(segmentB.waitForReceived(3));
    QCOMPARE(texts(segmentB.received()), expected);
    QCOMPARE(segmentB.received().at(1).source, m_clientAddresses.at(1) + QStringLiteral(":2850"));
    QCOMPARE(segmentB.sent().size(), 2);
    QVERIFY(segmentA.sent().size() >= 3);
    QCOMPARE(segmentA.sent().at(1).text(),
             QStringLiteral("ZOL_WRITE_RESPONSE,0,2,") + ValveMac + QStringLiteral(",ZOL_CONFIGURATION_UPDATED"));

    // No message: the change was accepted.
    QTest::qWait(300);
    QCOMPARE(m_desktop.findWindow(run.pid(), messageBoxCaption()), WindowId(0));
    QCOMPARE(m_desktop.findWindow(run.pid(), ProgressCaption), WindowId(0));
    QVERIFY(waitForListRows(m_desktop, window, 2));
    QVERIFY(!m_desktop.screenshot(QStringLiteral("modify-list-after-change")).isEmpty());

    // The list shows what the device reports now: open the row again.
    const WindowId again = openRow(run, window, 0);
    QVERIFY(again != 0);
    QVERIFY(focusIpAddress(again));
    QCOMPARE(m_desktop.copyText(again), QStringLiteral("10.77.1.99"));
    // On to Cancel (Escape leaves this dialog open) and close it.
    QVERIFY(m_desktop.key(again, QStringLiteral("Tab Tab Tab Tab Tab Tab space")));
    QVERIFY(m_desktop.waitForWindowGone(again, 5000));
    QTest::qWait(300);
    QCOMPARE(segmentA.received().size(), 3); // Cancel sends nothing

    E2E_VERIFY_NO_FAULT(run.endWith(window, QStringLiteral("Escape")));
}

void tst_E2eModify::switchingDhcpOnShowsTheLongProgress()
{
    DeviceSimulator segmentA(m_segments.at(0));
    QVERIFY(segmentA.start(DeviceSimulator::deviceArguments({ValveDevice})));

    Workspace workspace;
    QVERIFY(workspace.isValid());
    ClientRun run(m_desktop, workspace);
    const WindowId window = run.startAndWaitForRows(1);
    QVERIFY2(window != 0, qPrintable(run.output()));
    const WindowId dialog = openRow(run, window, 0);
    QVERIFY2(dialog != 0, qPrintable(run.output()));

    // From the IP address back to the DHCP box (Renew Lease is disabled),
    // Shift going down while the address still has the focus; Space there
    // switches DHCP on, which disables the addresses and enables Renew
    // Lease: then Renew Lease, name, location, OK.
    QVERIFY(focusIpAddress(dialog));
    QVERIFY(m_desktop.key(dialog, QStringLiteral("shift+Tab space")));
    QVERIFY(m_desktop.key(dialog, QStringLiteral("Tab Tab Tab Tab")));
    QTest::qWait(200);
    QVERIFY(!m_desktop.screenshot(QStringLiteral("modify-edit-dialog-dhcp-on")).isEmpty());
    QVERIFY(m_desktop.key(dialog, QStringLiteral("space")));

    // 41 steps of 100 ms: time to look at the progress dialog.
    const WindowId progress = m_desktop.waitForWindow(run.pid(), ProgressCaption, 3000);
    QVERIFY(progress != 0);
    QTest::qWait(1500);
    QVERIFY(!m_desktop.screenshot(QStringLiteral("modify-progress")).isEmpty());
    QVERIFY(m_desktop.geometry(progress).isValid());
    QCOMPARE(segmentA.received().size(), 2); // no discovery before the end
    QCOMPARE(segmentA.received().at(1).text(),
             QStringLiteral("ZOL_WRITE_QUERY,0,2,") + ValveMac
                 + QStringLiteral(",10.77.1.21,255.255.255.0,10.77.1.2,TRUE,Valve_7,Cellar,"));

    QVERIFY(m_desktop.waitForWindowGone(progress, 6000));
    QVERIFY(segmentA.waitForReceived(3));
    QCOMPARE(segmentA.received().at(2).text(), QStringLiteral("ZOL_READ_QUERY,0,3"));

    E2E_VERIFY_NO_FAULT(run.endWith(window, QStringLiteral("Escape")));
}

void tst_E2eModify::refusalThroughTwoSegmentsShowsOneBox()
{
    const QStringList refusing = DeviceSimulator::deviceArguments({GuardedDevice})
        << QStringLiteral("--status") << QStringLiteral("ZOL_SECURITY_VIOLATION");
    DeviceSimulator segmentA(m_segments.at(0));
    DeviceSimulator segmentB(m_segments.at(1));
    QVERIFY(segmentA.start(refusing));
    QVERIFY(segmentB.start(refusing));

    Workspace workspace;
    QVERIFY(workspace.isValid());
    ClientRun run(m_desktop, workspace);
    // Heard on both segments, listed once.
    const WindowId window = run.startAndWaitForRows(1);
    QVERIFY2(window != 0, qPrintable(run.output()));
    const WindowId dialog = openRow(run, window, 0);
    QVERIFY2(dialog != 0, qPrintable(run.output()));

    QVERIFY(focusIpAddress(dialog));
    QCOMPARE(m_desktop.copyText(dialog), QStringLiteral("10.77.1.30"));
    QVERIFY(m_desktop.key(dialog, QStringLiteral("ctrl+a BackSpace")));
    QVERIFY(m_desktop.type(dialog, QStringLiteral("10.77.1.31")));
    QVERIFY(m_desktop.key(dialog, QStringLiteral("Tab Tab Tab Tab Tab space")));

    // Both copies of the device refuse; the answers wait until the flow is
    // over, and then one box says so.
    QVERIFY(segmentA.waitForReceived(2));
    QVERIFY(segmentB.waitForReceived(2));
    const WindowId box = run.waitForMessageBox(10000);
    QVERIFY2(box != 0, qPrintable(run.output()));
    m_desktop.parkPointer();
    QVERIFY(!m_desktop.screenshot(QStringLiteral("modify-refusal")).isEmpty());
    QCOMPARE(m_desktop.messageBoxText(box),
             QStringLiteral("Modify failed, security mode enabled on device."));
    QCOMPARE(segmentA.sent().at(1).text(),
             QStringLiteral("ZOL_WRITE_RESPONSE,0,2,") + GuardedMac + QStringLiteral(",ZOL_SECURITY_VIOLATION"));
    QCOMPARE(segmentB.sent().at(1).text(), segmentA.sent().at(1).text());
    QVERIFY(m_desktop.answerMessageBox(box));

    // No second box follows.
    QTest::qWait(1500);
    QCOMPARE(m_desktop.findWindow(run.pid(), messageBoxCaption()), WindowId(0));
    QCOMPARE(m_desktop.visibleWindows(run.pid()), QList<WindowId>{window});

    E2E_VERIFY_NO_FAULT(run.endWith(window, QStringLiteral("Escape")));
}

QTEST_GUILESS_MAIN(tst_E2eModify)
#include "tst_e2e_modify.moc"
