#pragma once

// Support for the end-to-end tests: a private X server with a window manager,
// the real program started in a network namespace of its own, and xdotool to
// find its windows, press keys, click and drag, and take screenshots.

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace E2e {

using WindowId = quint64;

// The caption every message box of the program carries.
inline QString messageBoxCaption() { return QStringLiteral("Zol Client"); }
// The caption of the main window in English.
inline QString mainWindowCaption() { return QStringLiteral("ZOL Client"); }

// How long a test waits for the program to end before calling it hung.
constexpr int ExitTimeoutMs = 10000;
// How soon the program must end after its Exit key where a test times it:
// teardown stops the receiver thread, which may take up to about two seconds.
constexpr int ExitBudgetMs = 4000;

// A CI run treats a machine that can't run these tests as a failure.
bool inCi();

// Empty when this machine can run the tests; otherwise what is missing.
// Checks root, the tools and that a network namespace can be made.
QString missingPrerequisites();

// Where screenshots go: $ZOL_SCREENSHOT_DIR, else "screenshots" in the
// current directory. Created on demand.
QString screenshotDir();

// Polls `condition` every `stepMs` until it holds or `timeoutMs` passed.
bool waitUntil(const std::function<bool()> &condition, int timeoutMs, int stepMs = 50);

// A private X server (Xvfb, 1280x800x24, on a free display number it locks)
// managed by openbox. Both die with the test process, whatever ends it.
class Desktop final
{
public:
    Desktop();
    ~Desktop();
    Q_DISABLE_COPY_MOVE(Desktop)

    bool start(QString *error);
    void stop();
    bool isRunning() const;

    // ":<n>"
    QString display() const { return m_display; }
    // The environment for programs shown on this desktop: DISPLAY, the xcb
    // platform, a private runtime folder and a fixed C locale.
    QProcessEnvironment environment() const;

    // Windows of process `pid` that are mapped, in stacking order.
    QList<WindowId> visibleWindows(qint64 pid) const;
    QString windowTitle(WindowId window) const;
    // A mapped window of `pid` whose title is exactly `title` (case matters:
    // the main window is "ZOL Client", the message boxes "Zol Client");
    // 0 when there is none. An empty title takes any window of `pid`.
    WindowId findWindow(qint64 pid, const QString &title) const;
    WindowId waitForWindow(qint64 pid, const QString &title, int timeoutMs) const;
    bool waitForWindowGone(WindowId window, int timeoutMs) const;
    // The client area in root coordinates (without the frame); null if gone.
    QRect geometry(WindowId window) const;
    WindowId activeWindow() const;

    // Gives `window` the focus, then presses the keys through XTEST, as a
    // user would: "Escape", "Return", "ctrl+a", several separated by blanks.
    bool key(WindowId window, const QString &keys) const;
    // Types `text` into the focus widget of `window`.
    bool type(WindowId window, const QString &text) const;
    // Left button clicks at a root position.
    bool click(const QPoint &at, int count = 1) const;
    // Press at `from`, move in small steps, release at `to`.
    bool drag(const QPoint &from, const QPoint &to) const;
    // Parks the pointer in a corner, away from anything that reacts to it.
    bool parkPointer() const;

    // Saves the whole screen as <screenshotDir>/<name>.png; returns the path,
    // empty on failure.
    QString screenshot(const QString &name) const;
    // The whole screen as an image (null on failure).
    QImage grab() const;

    // The text of the focus widget of `window` (a line edit, a selectable
    // label): select all, copy, read the clipboard. Empty when nothing came.
    QString copyText(WindowId window) const;
    // The text of a message box: focuses its label and copies its text.
    QString messageBoxText(WindowId box) const;
    // Presses Return on the box (its one default button) and waits until the
    // box has gone.
    bool answerMessageBox(WindowId box, int timeoutMs = 5000) const;

    // Runs xdotool with `args`; false when it failed or ran out of time.
    bool xdotool(const QStringList &args, QByteArray *output = nullptr, int timeoutMs = 5000) const;

private:
    bool runTool(const QString &program, const QStringList &args, QByteArray *output,
                 int timeoutMs) const;
    bool focus(WindowId window) const;

    QProcess m_xvfb;
    QProcess m_openbox;
    QString m_display;
    QTemporaryDir m_runtimeDir;
};

// The folder one run of the program works in: its own "config.cfg", copies of
// the message files and the progress icon, and its own instance-lock folder.
class Workspace final
{
public:
    Workspace();
    Q_DISABLE_COPY_MOVE(Workspace)

    bool isValid() const { return m_valid; }
    // The program's current directory.
    QString path() const;
    QString lockDir() const;
    // A fresh file for the output of one run.
    QString newLogPath() const;
    QString configPath() const;
    // The bytes of "config.cfg"; empty when it does not exist.
    QByteArray config() const;
    bool configExists() const;
    bool writeConfig(const QByteArray &bytes) const;

private:
    QTemporaryDir m_dir;
    bool m_valid = false;
    mutable int m_logs = 0;
};

// Reading the device list off the screen. The list's viewport is white;
// every row's text is a band of dark pixels, apart from the next row's.

// The list's viewport inside `window` (root coordinates), null when none.
QRect listViewport(const QImage &screen, const QRect &window);
// The bands of rows in `area` that hold dark pixels, top to bottom.
QList<QRect> inkBands(const QImage &screen, const QRect &area);
// Number of rows the device list of the main window `window` shows, counted
// in the first column (no row selected: a selected row is one dark band
// that may touch its neighbours). -1 when the list can't be found.
int listRowCount(const Desktop &desktop, WindowId window);
// Waits up to `timeoutMs` until the list of the main window `window` shows
// `rows` rows (see listRowCount); warns with the count last seen if not.
bool waitForListRows(const Desktop &desktop, WindowId window, int rows, int timeoutMs = 5000);
// The rows' text bands in the list's first column, top to bottom (root
// coordinates): click the centre of one to select its row.
QList<QRect> listRows(const Desktop &desktop, WindowId window);

// The column layout record, "config.cfg", read and written from outside:
// nine (order, width) pairs of little-endian 32-bit numbers, the language
// code over the last pair's order (bytes 64 to 71, up to its first zero).
struct LayoutRecord
{
    QList<int> orders;
    QList<int> widths;
    QByteArray code;
};
QByteArray makeRecord(const QList<int> &orders, const QList<int> &widths, const QByteArray &code);
// Empty lists and code when `bytes` is not 72 bytes long.
LayoutRecord readRecord(const QByteArray &bytes);

// Waits up to ExitTimeoutMs for `process` to end. Empty when it ended
// normally with `exitCode`; otherwise what went wrong.
QString exitFault(QProcess &process, int exitCode);

// Launchers that put the program into a network of its own.
namespace Network {
// No launcher: the program shares the test's namespace (tests that run in
// the client namespace built by tools/netns.sh).
inline QStringList inherited() { return {}; }
// A fresh namespace with only the loopback adapter, up.
QStringList loopbackOnly();
} // namespace Network

// One run of the real program under the desktop, in a workspace, behind a
// network launcher. A run still going when this object dies is killed.
class ClientRun final
{
public:
    ClientRun(const Desktop &desktop, const Workspace &workspace);
    ~ClientRun();
    Q_DISABLE_COPY_MOVE(ClientRun)

    // $ZOL_E2E_PROGRAM when set, else Zol_Client in $ZOL_BIN_DIR.
    static QString programPath();

    bool start(const QStringList &arguments = {},
               const QStringList &launcher = Network::loopbackOnly());
    qint64 pid() const { return m_pid; }
    bool isRunning();
    // Presses `keys` on `window` and waits for the end. Empty when the
    // program ended as exitFault() expects and, given a `budgetMs`, in less
    // than that after the keys; otherwise what went wrong, with its output.
    QString endWith(WindowId window, const QString &keys, int exitCode = 0, int budgetMs = 0);
    // Starts the program in this process's network (the client namespace
    // with the simulated segments) and waits for its main window and for
    // `rows` rows in its list, the pointer parked; the window, 0 on failure.
    WindowId startAndWaitForRows(int rows);
    // Everything the program wrote to stdout and stderr so far.
    QString output() const;
    // The network namespace of the running program, as "net:[inode]".
    QString netNamespace() const;
    void kill();

    WindowId waitForMainWindow(int timeoutMs = 10000) const;
    WindowId waitForMessageBox(int timeoutMs = 10000) const;

private:
    const Desktop &m_desktop;
    const Workspace &m_workspace;
    QProcess m_process;
    qint64 m_pid = 0;
    QString m_log;
};

// The network namespace of this process, to tell the program's from ours.
QString ownNetNamespace();

// Children of a test must not outlive it, not even when the test crashes or is
// killed by the CTest time-out: an orphaned X server or program would hold a
// display, a lock or a port for the next run. Call before starting process.
void dieWithTest(QProcess &process);

} // namespace E2e

// Ends the current test: a skip with the reason on a developer's machine,
// a failure in CI.
#define E2E_REQUIRE(condition, reason)                                        \
    do {                                                                      \
        if (!(condition)) {                                                   \
            const QByteArray e2eReason_ = QString(reason).toLocal8Bit();      \
            if (E2e::inCi())                                                  \
                QFAIL(e2eReason_.constData());                                \
            QSKIP(e2eReason_.constData());                                    \
        }                                                                     \
    } while (false)

// Fails the current test with `fault` (a QString) unless it is empty.
#define E2E_VERIFY_NO_FAULT(fault)                                            \
    do {                                                                      \
        const QString e2eFault_ = (fault);                                    \
        QVERIFY2(e2eFault_.isEmpty(), qPrintable(e2eFault_));                 \
    } while (false)

#define E2E_REQUIRE_MACHINE()                                                 \
    do {                                                                      \
        const QString e2eMissing_ = E2e::missingPrerequisites();              \
        E2E_REQUIRE(e2eMissing_.isEmpty(), e2eMissing_);                      \
    } while (false)

// Starts `desktop` (an E2e::Desktop) or ends the test as E2E_REQUIRE does.
#define E2E_REQUIRE_DESKTOP(desktop)                                          \
    do {                                                                      \
        QString e2eError_;                                                    \
        E2E_REQUIRE((desktop).start(&e2eError_),                              \
                    QStringLiteral("no X desktop: ") + e2eError_);            \
    } while (false)
