// Start-up and exit of the real program: the main window, the Exit key, the
// one-copy rule and the command-line check, seen from outside as a user would.

#include "harness.h"

#include <QtTest>

using namespace E2e;

namespace {

const QString CopyRunningText = QStringLiteral("Cannot execute, there is a copy already running.");
const QString InvalidParametersText =
    QStringLiteral("Invalid parameters.\n\nExample:\nZol_Client /s en");

// True when the window area of the image holds more than one colour: a
// window the toolkit has painted, not an empty frame.
bool isPainted(const QImage &screen, const QRect &area)
{
    if (screen.isNull() || area.isEmpty())
        return false;
    const QRect inside = area.intersected(screen.rect());
    const QRgb first = screen.pixel(inside.topLeft());
    for (int y = inside.top(); y <= inside.bottom(); y += 2) {
        for (int x = inside.left(); x <= inside.right(); x += 2) {
            if (screen.pixel(x, y) != first)
                return true;
        }
    }
    return false;
}

} // namespace

class tst_E2eStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void mainWindowAppearsAndEscapeEnds();
    void secondCopyIsRefused();
    void copyStartsAfterKilledHolder();
    void invalidArgumentsAreRefused_data();
    void invalidArgumentsAreRefused();

private:
    Desktop m_desktop;
};

void tst_E2eStartup::initTestCase()
{
    E2E_REQUIRE_MACHINE();
    E2E_REQUIRE_DESKTOP(m_desktop);
}

void tst_E2eStartup::mainWindowAppearsAndEscapeEnds()
{
    Workspace workspace;
    QVERIFY(workspace.isValid());
    ClientRun run(m_desktop, workspace);
    QVERIFY(run.start());

    const WindowId window = run.waitForMainWindow();
    QVERIFY2(window != 0, qPrintable(run.output()));
    // The program really is in a network of its own.
    QVERIFY(!run.netNamespace().isEmpty());
    QVERIFY(run.netNamespace() != ownNetNamespace());

    const QRect area = m_desktop.geometry(window);
    QVERIFY(area.width() >= 907);
    QVERIFY(area.height() >= 262);
    QVERIFY(QRect(0, 0, 1280, 800).contains(area));
    // Only one top-level window: no message box came with it.
    QCOMPARE(m_desktop.visibleWindows(run.pid()).size(), 1);

    m_desktop.parkPointer();
    QVERIFY(waitUntil([&] { return isPainted(m_desktop.grab(), area); }, 5000, 200));
    QVERIFY(!m_desktop.screenshot(QStringLiteral("startup-main-window")).isEmpty());

    E2E_VERIFY_NO_FAULT(run.endWith(window, QStringLiteral("Escape"), 0, ExitBudgetMs));
    // An orderly end writes the column layout record.
    QCOMPARE(workspace.config().size(), 72);
}

void tst_E2eStartup::secondCopyIsRefused()
{
    Workspace workspace;
    QVERIFY(workspace.isValid());
    ClientRun first(m_desktop, workspace);
    QVERIFY(first.start());
    const WindowId firstWindow = first.waitForMainWindow();
    QVERIFY2(firstWindow != 0, qPrintable(first.output()));
    const QByteArray configBefore = workspace.config();

    ClientRun second(m_desktop, workspace);
    QVERIFY(second.start());
    const WindowId box = second.waitForMessageBox();
    QVERIFY2(box != 0, qPrintable(second.output()));
    QCOMPARE(m_desktop.visibleWindows(second.pid()).size(), 1);
    m_desktop.parkPointer();
    QVERIFY(!m_desktop.screenshot(QStringLiteral("startup-second-copy")).isEmpty());
    QCOMPARE(m_desktop.messageBoxText(box), CopyRunningText);

    // Return answers the box's one button.
    E2E_VERIFY_NO_FAULT(second.endWith(box, QStringLiteral("Return"), 0, ExitBudgetMs));
    QCOMPARE(workspace.config(), configBefore);

    // The first copy is undisturbed and still ends normally.
    QVERIFY(first.isRunning());
    QCOMPARE(m_desktop.findWindow(first.pid(), mainWindowCaption()), firstWindow);
    E2E_VERIFY_NO_FAULT(first.endWith(firstWindow, QStringLiteral("Escape"), 0, ExitBudgetMs));

    // Once it has gone, a new copy starts normally.
    ClientRun third(m_desktop, workspace);
    QVERIFY(third.start());
    const WindowId thirdWindow = third.waitForMainWindow();
    QVERIFY2(thirdWindow != 0, qPrintable(third.output()));
    QCOMPARE(m_desktop.findWindow(third.pid(), messageBoxCaption()), WindowId(0));
    E2E_VERIFY_NO_FAULT(third.endWith(thirdWindow, QStringLiteral("Escape"), 0, ExitBudgetMs));
}

void tst_E2eStartup::copyStartsAfterKilledHolder()
{
    Workspace workspace;
    QVERIFY(workspace.isValid());
    ClientRun first(m_desktop, workspace);
    QVERIFY(first.start());
    QVERIFY2(first.waitForMainWindow() != 0, qPrintable(first.output()));
    first.kill();
    QVERIFY(!first.isRunning());

    // The claim ended with the killed process.
    ClientRun next(m_desktop, workspace);
    QVERIFY(next.start());
    const WindowId window = next.waitForMainWindow();
    QVERIFY2(window != 0, qPrintable(next.output()));
    QCOMPARE(m_desktop.findWindow(next.pid(), messageBoxCaption()), WindowId(0));
    E2E_VERIFY_NO_FAULT(next.endWith(window, QStringLiteral("Escape"), 0, ExitBudgetMs));
}

void tst_E2eStartup::invalidArgumentsAreRefused_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("copyRunning");

    QTest::newRow("unknown switch /x en") << QStringList{QStringLiteral("/x"), QStringLiteral("en")} << false;
    QTest::newRow("switch without value") << QStringList{QStringLiteral("/s")} << false;
    QTest::newRow("value without switch") << QStringList{QStringLiteral("en")} << false;
    QTest::newRow("extra argument") << QStringList{QStringLiteral("/s"), QStringLiteral("en"), QStringLiteral("extra")} << false;
    // The arguments are checked before the one-copy rule.
    QTest::newRow("unknown switch while a copy runs") << QStringList{QStringLiteral("/x"), QStringLiteral("en")} << true;
}

void tst_E2eStartup::invalidArgumentsAreRefused()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, copyRunning);

    Workspace workspace;
    QVERIFY(workspace.isValid());
    ClientRun holder(m_desktop, workspace);
    WindowId holderWindow = 0;
    if (copyRunning) {
        QVERIFY(holder.start());
        holderWindow = holder.waitForMainWindow();
        QVERIFY2(holderWindow != 0, qPrintable(holder.output()));
    }
    const bool configBefore = workspace.configExists();
    const QByteArray configBytes = workspace.config();

    ClientRun run(m_desktop, workspace);
    QVERIFY(run.start(arguments));
    const WindowId box = run.waitForMessageBox();
    QVERIFY2(box != 0, qPrintable(run.output()));
    QCOMPARE(m_desktop.visibleWindows(run.pid()).size(), 1);
    if (QByteArray(QTest::currentDataTag()) == "unknown switch /x en") {
        m_desktop.parkPointer();
        QVERIFY(!m_desktop.screenshot(QStringLiteral("startup-invalid-parameters")).isEmpty());
    }
    QCOMPARE(m_desktop.messageBoxText(box), InvalidParametersText);

    E2E_VERIFY_NO_FAULT(run.endWith(box, QStringLiteral("Return"), 1, ExitBudgetMs));
    QCOMPARE(workspace.configExists(), configBefore);
    QCOMPARE(workspace.config(), configBytes);

    if (copyRunning) {
        QVERIFY(holder.isRunning());
        E2E_VERIFY_NO_FAULT(holder.endWith(holderWindow, QStringLiteral("Escape"), 0, ExitBudgetMs));
    }
}

QTEST_GUILESS_MAIN(tst_E2eStartup)
#include "tst_e2e_startup.moc"
