#include "harness.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <QtEndian>

#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace E2e {

void dieWithTest(QProcess &process)
{
    const pid_t parent = ::getpid();
    process.setChildProcessModifier([parent] {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent)
            ::_exit(127);
    });
}

namespace {

constexpr int ToolTimeoutMs = 5000;

void stopProcess(QProcess &process, int graceMs)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(graceMs)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

QString helperPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/zol_e2e_clipboard");
}

int lineValue(const QString &text, const QString &label)
{
    const QRegularExpression re(QRegularExpression::escape(label) + QStringLiteral(":\\s*(-?\\d+)"));
    const QRegularExpressionMatch m = re.match(text);
    return m.hasMatch() ? m.captured(1).toInt() : INT_MIN;
}

QString readNetNamespace(qint64 pid)
{
    const QByteArray link = pid > 0 ? QByteArray("/proc/") + QByteArray::number(pid) + "/ns/net"
                                    : QByteArray("/proc/self/ns/net");
    char buffer[128];
    const ssize_t n = ::readlink(link.constData(), buffer, sizeof buffer - 1);
    return n > 0 ? QString::fromLatin1(buffer, int(n)) : QString();
}

} // namespace

bool inCi()
{
    return qEnvironmentVariable("CI").compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0;
}

QString missingPrerequisites()
{
    QStringList missing;
    if (::geteuid() != 0)
        missing << QStringLiteral("root (network namespaces)");
    const QStringList tools = {QStringLiteral("Xvfb"), QStringLiteral("openbox"),
                               QStringLiteral("xdotool"), QStringLiteral("xwininfo"),
                               QStringLiteral("xprop"), QStringLiteral("import"),
                               QStringLiteral("ip"), QStringLiteral("unshare")};
    for (const QString &tool : tools) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            missing << tool;
    }
    if (!QFileInfo(ClientRun::programPath()).isExecutable())
        missing << ClientRun::programPath();
    if (!QFileInfo(helperPath()).isExecutable())
        missing << helperPath();
    if (missing.isEmpty()) {
        // Root is not enough inside some containers: try it.
        QProcess probe;
        probe.start(QStringLiteral("unshare"), {QStringLiteral("--net"), QStringLiteral("--"),
                                                QStringLiteral("ip"), QStringLiteral("link"),
                                                QStringLiteral("set"), QStringLiteral("lo"),
                                                QStringLiteral("up")});
        if (!probe.waitForFinished(ToolTimeoutMs) || probe.exitStatus() != QProcess::NormalExit
            || probe.exitCode() != 0) {
            missing << QStringLiteral("a network namespace (unshare --net failed: %1)")
                           .arg(QString::fromLocal8Bit(probe.readAllStandardError()).trimmed());
        }
    }
    if (missing.isEmpty())
        return {};
    return QStringLiteral("end-to-end tests need: ") + missing.join(QStringLiteral(", "));
}

QString screenshotDir()
{
    QString dir = qEnvironmentVariable("ZOL_SCREENSHOT_DIR");
    if (dir.isEmpty())
        dir = QDir::current().absoluteFilePath(QStringLiteral("screenshots"));
    QDir().mkpath(dir);
    return dir;
}

bool waitUntil(const std::function<bool()> &condition, int timeoutMs, int stepMs)
{
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        if (condition())
            return true;
        if (timer.elapsed() >= timeoutMs)
            return false;
        QThread::msleep(stepMs);
    }
}

// ---------------------------------------------------------------- Desktop

Desktop::Desktop() = default;

Desktop::~Desktop()
{
    stop();
}

bool Desktop::start(QString *error)
{
    auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        stop();
        return false;
    };
    if (!m_runtimeDir.isValid())
        return fail(QStringLiteral("no temporary folder"));

    // The display number is ours to choose. Xvfb's own -displayfd search is
    // no good here: it writes no lock file, and a server started in another
    // network namespace finds the abstract socket of ours free and takes over
    // our /tmp/.X11-unix socket, so programs of one test end up on another
    // test's screen. A server given its number locks it (and refuses a
    // number that is locked), so try numbers from one derived from our PID.
    const int first = 100 + int(::getpid() % 800);
    for (int attempt = 0; attempt < 40 && m_display.isEmpty(); ++attempt) {
        const int number = 100 + (first - 100 + attempt) % 800;
        const QString lock = QStringLiteral("/tmp/.X%1-lock").arg(number);
        if (QFileInfo::exists(lock) || QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)))
            continue;
        dieWithTest(m_xvfb);
        m_xvfb.setStandardOutputFile(QProcess::nullDevice());
        m_xvfb.setStandardErrorFile(m_runtimeDir.filePath(QStringLiteral("xvfb.log")));
        m_xvfb.start(QStringLiteral("Xvfb"),
                     {QLatin1Char(':') + QString::number(number), QStringLiteral("-screen"),
                      QStringLiteral("0"), QStringLiteral("1280x800x24"),
                      QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                      QStringLiteral("-noreset")});
        if (!m_xvfb.waitForStarted(ToolTimeoutMs))
            return fail(QStringLiteral("Xvfb did not start: ") + m_xvfb.errorString());
        const QByteArray pid = QByteArray::number(m_xvfb.processId());
        m_display = QLatin1Char(':') + QString::number(number);
        // Ours once the lock names our server and the server answers.
        const bool ready = waitUntil(
            [&] {
                if (m_xvfb.state() == QProcess::NotRunning)
                    return true;
                QFile file(lock);
                if (!file.open(QIODevice::ReadOnly) || file.readAll().trimmed() != pid)
                    return false;
                return runTool(QStringLiteral("xprop"), {QStringLiteral("-root"),
                                                         QStringLiteral("-notype"),
                                                         QStringLiteral("_NET_NONE")},
                               nullptr, ToolTimeoutMs);
            },
            15000, 50);
        if (!ready || m_xvfb.state() == QProcess::NotRunning) {
            stopProcess(m_xvfb, 1000);
            m_display.clear(); // taken meanwhile: the next number
        }
    }
    if (m_display.isEmpty())
        return fail(QStringLiteral("no free X display number"));

    dieWithTest(m_openbox);
    m_openbox.setProcessEnvironment(environment());
    m_openbox.setStandardOutputFile(m_runtimeDir.filePath(QStringLiteral("openbox.log")));
    m_openbox.setStandardErrorFile(m_runtimeDir.filePath(QStringLiteral("openbox.log")),
                                   QIODevice::Append);
    m_openbox.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    if (!m_openbox.waitForStarted(ToolTimeoutMs))
        return fail(QStringLiteral("openbox did not start: ") + m_openbox.errorString());
    // Windows mapped before the window manager runs are placed and focused
    // differently: wait until openbox has announced itself on the root window.
    const bool managed = waitUntil(
        [this] {
            QByteArray out;
            return runTool(QStringLiteral("xprop"),
                           {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")},
                           &out, ToolTimeoutMs)
                && out.contains("window id");
        },
        10000, 100);
    if (!managed)
        return fail(QStringLiteral("openbox did not take over the display"));
    return true;
}

void Desktop::stop()
{
    stopProcess(m_openbox, 2000);
    stopProcess(m_xvfb, 3000);
}

bool Desktop::isRunning() const
{
    return m_xvfb.state() == QProcess::Running && m_openbox.state() == QProcess::Running;
}

QProcessEnvironment Desktop::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtimeDir.path());
    // The first run takes its language from the locale: keep it fixed.
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    for (const char *name : {"XAUTHORITY", "WAYLAND_DISPLAY", "QT_SCALE_FACTOR",
                             "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI", "QT_STYLE_OVERRIDE",
                             "QT_LOGGING_RULES", "ZOL_LOCK_DIR"}) {
        env.remove(QString::fromLatin1(name));
    }
    return env;
}

bool Desktop::runTool(const QString &program, const QStringList &args, QByteArray *output,
                      int timeoutMs) const
{
    QProcess tool;
    dieWithTest(tool);
    tool.setProcessEnvironment(environment());
    tool.start(program, args);
    if (!tool.waitForStarted(ToolTimeoutMs))
        return false;
    if (!tool.waitForFinished(timeoutMs)) {
        tool.kill();
        tool.waitForFinished(1000);
        return false;
    }
    if (output)
        *output = tool.readAllStandardOutput();
    return tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

bool Desktop::xdotool(const QStringList &args, QByteArray *output, int timeoutMs) const
{
    return runTool(QStringLiteral("xdotool"), args, output, timeoutMs);
}

QList<WindowId> Desktop::visibleWindows(qint64 pid) const
{
    QByteArray out;
    // xdotool ORs its search conditions unless told --all; it ends with 1
    // when nothing matched, which is an answer, not a failure.
    xdotool({QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("--onlyvisible"),
             QStringLiteral("--pid"), QString::number(pid)},
            &out);
    QList<WindowId> windows;
    for (const QByteArray &line : out.split('\n')) {
        bool ok = false;
        const WindowId id = line.trimmed().toULongLong(&ok);
        if (ok && id != 0)
            windows << id;
    }
    return windows;
}

QString Desktop::windowTitle(WindowId window) const
{
    QByteArray out;
    if (!xdotool({QStringLiteral("getwindowname"), QString::number(window)}, &out))
        return {};
    if (out.endsWith('\n'))
        out.chop(1);
    return QString::fromUtf8(out);
}

WindowId Desktop::findWindow(qint64 pid, const QString &title) const
{
    const QList<WindowId> windows = visibleWindows(pid);
    for (WindowId window : windows) {
        if (title.isEmpty() || windowTitle(window) == title)
            return window;
    }
    return 0;
}

WindowId Desktop::waitForWindow(qint64 pid, const QString &title, int timeoutMs) const
{
    WindowId found = 0;
    waitUntil([&] { return (found = findWindow(pid, title)) != 0; }, timeoutMs, 50);
    return found;
}

QRect Desktop::geometry(WindowId window) const
{
    QByteArray out;
    if (!runTool(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(window)},
                 &out, ToolTimeoutMs)) {
        return {};
    }
    const QString text = QString::fromLatin1(out);
    if (!text.contains(QLatin1String("IsViewable")))
        return {};
    const int x = lineValue(text, QStringLiteral("Absolute upper-left X"));
    const int y = lineValue(text, QStringLiteral("Absolute upper-left Y"));
    const int w = lineValue(text, QStringLiteral("Width"));
    const int h = lineValue(text, QStringLiteral("Height"));
    if (x == INT_MIN || y == INT_MIN || w <= 0 || h <= 0)
        return {};
    return QRect(x, y, w, h);
}

bool Desktop::waitForWindowGone(WindowId window, int timeoutMs) const
{
    return waitUntil([&] { return geometry(window).isNull(); }, timeoutMs, 50);
}

WindowId Desktop::activeWindow() const
{
    QByteArray out;
    if (!xdotool({QStringLiteral("getactivewindow")}, &out))
        return 0;
    return out.trimmed().toULongLong();
}

bool Desktop::focus(WindowId window) const
{
    if (activeWindow() == window)
        return true;
    // Through the window manager first, as a pager would; a window it won't
    // activate (behind a modal dialog, say) still takes the input focus.
    if (xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::number(window)},
                nullptr, 3000)) {
        return true;
    }
    return xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), QString::number(window)},
                   nullptr, 3000);
}

bool Desktop::key(WindowId window, const QString &keys) const
{
    if (!focus(window))
        return false;
    // No --window: xdotool would then switch between XTEST and XSendEvent per
    // event, and a key that closes its window gets its release sent to a
    // window that is gone; xdotool dies and the server keeps the key pressed,
    // auto-repeating it into whatever comes next.
    QStringList args = {QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("40")};
    args << keys.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return xdotool(args);
}

bool Desktop::type(WindowId window, const QString &text) const
{
    if (!focus(window))
        return false;
    return xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"), text});
}

bool Desktop::click(const QPoint &at, int count) const
{
    return xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                    QStringLiteral("sleep"), QStringLiteral("0.1"), QStringLiteral("click"),
                    QStringLiteral("--repeat"), QString::number(count), QStringLiteral("--delay"),
                    QStringLiteral("80"), QStringLiteral("1")});
}

bool Desktop::drag(const QPoint &from, const QPoint &to) const
{
    // Small steps with pauses: the toolkit starts a drag only after the
    // pointer has moved a few pixels with the button down, and follows it
    // motion event by motion event. ("mousemove --sync" would hang when the
    // pointer is already where it is sent.)
    QStringList args = {QStringLiteral("mousemove"), QString::number(from.x()),
                        QString::number(from.y()), QStringLiteral("sleep"), QStringLiteral("0.15"),
                        QStringLiteral("mousedown"), QStringLiteral("1"), QStringLiteral("sleep"),
                        QStringLiteral("0.15")};
    const QPoint delta = to - from;
    const int steps = qMax(6, delta.manhattanLength() / 8);
    for (int i = 1; i <= steps; ++i) {
        const QPoint p = from + delta * i / steps;
        args << QStringLiteral("mousemove") << QString::number(p.x()) << QString::number(p.y())
             << QStringLiteral("sleep") << QStringLiteral("0.03");
    }
    args << QStringLiteral("sleep") << QStringLiteral("0.15") << QStringLiteral("mouseup")
         << QStringLiteral("1") << QStringLiteral("sleep") << QStringLiteral("0.1");
    const bool ok = xdotool(args, nullptr, 20000);
    if (!ok) // never leave the button held down for the next test
        xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
    return ok;
}

bool Desktop::parkPointer() const
{
    return xdotool({QStringLiteral("mousemove"), QStringLiteral("1279"), QStringLiteral("799")});
}

QString Desktop::screenshot(const QString &name) const
{
    const QString path = QDir(screenshotDir()).filePath(name + QStringLiteral(".png"));
    QFile::remove(path);
    if (!runTool(QStringLiteral("import"),
                 {QStringLiteral("-silent"), QStringLiteral("-window"), QStringLiteral("root"), path},
                 nullptr, 15000)) {
        return {};
    }
    return QFileInfo(path).size() > 0 ? path : QString();
}

QImage Desktop::grab() const
{
    const QString path = m_runtimeDir.filePath(QStringLiteral("grab.png"));
    QFile::remove(path);
    if (!runTool(QStringLiteral("import"),
                 {QStringLiteral("-silent"), QStringLiteral("-window"), QStringLiteral("root"), path},
                 nullptr, 15000)) {
        return {};
    }
    return QImage(path);
}

QString Desktop::messageBoxText(WindowId box) const
{
    const QRect r = geometry(box);
    if (r.isNull())
        return {};
    // The box's label lets the mouse select its text: a click on its first
    // line (right of the icon, below the top margin) gives it the focus, then
    // select all and copy, and read the clipboard from a helper program.
    const QPoint onText(r.x() + qMax(70, r.width() / 2), r.y() + 20);
    if (!click(onText))
        return {};
    return copyText(box);
}

QString Desktop::copyText(WindowId window) const
{
    if (!key(window, QStringLiteral("ctrl+a ctrl+c")))
        return {};
    QString text;
    waitUntil(
        [&] {
            QByteArray out;
            if (!runTool(helperPath(), {}, &out, ToolTimeoutMs))
                return false;
            text = QString::fromUtf8(out);
            return !text.isEmpty();
        },
        2000, 100);
    return text;
}

bool Desktop::answerMessageBox(WindowId box, int timeoutMs) const
{
    return key(box, QStringLiteral("Return")) && waitForWindowGone(box, timeoutMs);
}

// ---------------------------------------------------------------- Workspace

Workspace::Workspace()
{
    if (!m_dir.isValid())
        return;
    QDir root(m_dir.path());
    if (!root.mkpath(QStringLiteral("run")) || !root.mkpath(QStringLiteral("lock"))
        || !root.mkpath(QStringLiteral("logs"))) {
        return;
    }
    const QDir run(path());
    // The program reads its message files and the progress icon from its
    // current directory, which is this folder.
    const QDir bin(qEnvironmentVariable("ZOL_BIN_DIR"));
    const QStringList files = bin.entryList({QStringLiteral("*.qm"), QStringLiteral("QOB.bmp")},
                                            QDir::Files);
    if (files.isEmpty())
        return;
    for (const QString &file : files) {
        if (!QFile::copy(bin.filePath(file), run.filePath(file)))
            return;
    }
    m_valid = true;
}

QString Workspace::path() const
{
    return m_dir.filePath(QStringLiteral("run"));
}

QString Workspace::lockDir() const
{
    return m_dir.filePath(QStringLiteral("lock"));
}

QString Workspace::newLogPath() const
{
    return m_dir.filePath(QStringLiteral("logs/run-%1.log").arg(++m_logs));
}

QString Workspace::configPath() const
{
    return QDir(path()).filePath(QStringLiteral("config.cfg"));
}

QByteArray Workspace::config() const
{
    QFile file(configPath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool Workspace::configExists() const
{
    return QFileInfo::exists(configPath());
}

bool Workspace::writeConfig(const QByteArray &bytes) const
{
    QFile file(configPath());
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// ---------------------------------------------------------------- Device list

QRect listViewport(const QImage &screen, const QRect &window)
{
    const QRect area = window.intersected(screen.rect());
    if (area.width() < 100)
        return {};
    // Right of the last column (and left of a vertical scroll bar) the
    // viewport is white from top to bottom, whatever the rows show; the
    // longest white run down that line is the viewport's height.
    const int probe = area.right() - 40;
    auto white = [&](int x, int y) { return (screen.pixel(x, y) & 0xffffff) == 0xffffff; };
    int bestTop = -1;
    int bestLength = 0;
    for (int y = area.top(); y <= area.bottom();) {
        if (!white(probe, y)) {
            ++y;
            continue;
        }
        const int top = y;
        while (y <= area.bottom() && white(probe, y))
            ++y;
        if (y - top > bestLength) {
            bestTop = top;
            bestLength = y - top;
        }
    }
    if (bestTop < 0 || bestLength < 20)
        return {};
    // The viewport's left edge: the leftmost white pixel after the frame on
    // any of its rows (a row may start with the current row's frame).
    int left = probe;
    for (int y = bestTop; y < bestTop + bestLength; ++y) {
        int x = area.left();
        while (x < left && !white(x, y))
            ++x;
        left = qMin(left, x);
    }
    return QRect(left, bestTop, probe - left + 1, bestLength);
}

QList<QRect> inkBands(const QImage &screen, const QRect &area)
{
    QList<QRect> bands;
    const QRect inside = area.intersected(screen.rect());
    int start = -1;
    for (int y = inside.top(); y <= inside.bottom() + 1; ++y) {
        bool ink = false;
        if (y <= inside.bottom()) {
            for (int x = inside.left(); x <= inside.right() && !ink; ++x)
                ink = qGray(screen.pixel(x, y)) < 128;
        }
        if (ink && start < 0)
            start = y;
        if (!ink && start >= 0) {
            bands << QRect(inside.left(), start, inside.width(), y - start);
            start = -1;
        }
    }
    return bands;
}

namespace {

bool findListRows(const Desktop &desktop, WindowId window, QList<QRect> *rows)
{
    const QImage screen = desktop.grab();
    const QRect viewport = listViewport(screen, desktop.geometry(window));
    if (viewport.isNull())
        return false;
    // Text only, in the first column: the device types used in the tests
    // have no descenders, so neighbouring rows never touch, and the light
    // frame around the current row is no ink.
    const QRect firstColumn(viewport.left(), viewport.top(), qMin(60, viewport.width()),
                            viewport.height());
    *rows = inkBands(screen, firstColumn);
    return true;
}

} // namespace

int listRowCount(const Desktop &desktop, WindowId window)
{
    QList<QRect> rows;
    return findListRows(desktop, window, &rows) ? int(rows.size()) : -1;
}

QList<QRect> listRows(const Desktop &desktop, WindowId window)
{
    QList<QRect> rows;
    findListRows(desktop, window, &rows);
    return rows;
}

bool waitForListRows(const Desktop &desktop, WindowId window, int rows, int timeoutMs)
{
    int seen = -1;
    const bool ok = waitUntil([&] { return (seen = listRowCount(desktop, window)) == rows; },
                              timeoutMs, 100);
    if (!ok)
        qWarning("the list shows %d rows, expected %d", seen, rows);
    return ok;
}

// ---------------------------------------------------------------- Layout record

QByteArray makeRecord(const QList<int> &orders, const QList<int> &widths, const QByteArray &code)
{
    QByteArray bytes(72, '\0');
    for (int i = 0; i < 9; ++i) {
        qToLittleEndian<qint32>(orders.value(i), bytes.data() + 8 * i);
        qToLittleEndian<qint32>(widths.value(i), bytes.data() + 8 * i + 4);
    }
    bytes.replace(64, code.size(), code);
    return bytes;
}

LayoutRecord readRecord(const QByteArray &bytes)
{
    LayoutRecord record;
    if (bytes.size() != 72)
        return record;
    for (int i = 0; i < 9; ++i) {
        record.orders << qFromLittleEndian<qint32>(bytes.constData() + 8 * i);
        record.widths << qFromLittleEndian<qint32>(bytes.constData() + 8 * i + 4);
    }
    record.code = bytes.mid(64, 8);
    record.code.truncate(record.code.indexOf('\0') < 0 ? 8 : record.code.indexOf('\0'));
    return record;
}

// ---------------------------------------------------------------- Exit

QString exitFault(QProcess &process, int exitCode)
{
    if (process.state() != QProcess::NotRunning && !process.waitForFinished(ExitTimeoutMs))
        return QStringLiteral("still running %1 ms later").arg(ExitTimeoutMs);
    if (process.exitStatus() != QProcess::NormalExit)
        return QStringLiteral("crashed");
    if (process.exitCode() != exitCode)
        return QStringLiteral("ended with %1, expected %2").arg(process.exitCode()).arg(exitCode);
    return {};
}

// ---------------------------------------------------------------- Network

namespace Network {

QStringList loopbackOnly()
{
    // unshare replaces itself with the shell and the shell with the program,
    // so the process started is the program itself (one PID for xdotool).
    return {QStringLiteral("unshare"), QStringLiteral("--net"), QStringLiteral("--"),
            QStringLiteral("sh"), QStringLiteral("-c"),
            QStringLiteral("ip link set lo up && exec \"$0\" \"$@\"")};
}

} // namespace Network

QString ownNetNamespace()
{
    return readNetNamespace(0);
}

// ---------------------------------------------------------------- ClientRun

ClientRun::ClientRun(const Desktop &desktop, const Workspace &workspace)
    : m_desktop(desktop), m_workspace(workspace)
{
    dieWithTest(m_process);
}

ClientRun::~ClientRun()
{
    // The screen as it was when the test failed, while the program still shows it.
    if (QTest::currentTestFailed() && isRunning() && m_desktop.isRunning()) {
        QString name = QString::fromLatin1(QTest::currentTestFunction());
        if (QTest::currentDataTag())
            name += QLatin1Char('-') + QString::fromLatin1(QTest::currentDataTag());
        name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_-]+")), QStringLiteral("_"));
        m_desktop.screenshot(QStringLiteral("failed-%1-%2").arg(QCoreApplication::applicationName(), name));
    }
    kill();
}

QString ClientRun::programPath()
{
    const QString program = qEnvironmentVariable("ZOL_E2E_PROGRAM");
    if (!program.isEmpty())
        return program;
    return QDir(qEnvironmentVariable("ZOL_BIN_DIR")).filePath(QStringLiteral("Zol_Client"));
}

bool ClientRun::start(const QStringList &arguments, const QStringList &launcher)
{
    m_log = m_workspace.newLogPath();
    QStringList command = launcher;
    command << programPath() << arguments;

    QProcessEnvironment env = m_desktop.environment();
    env.insert(QStringLiteral("ZOL_LOCK_DIR"), m_workspace.lockDir());
    m_process.setProcessEnvironment(env);
    m_process.setWorkingDirectory(m_workspace.path());
    m_process.setStandardOutputFile(m_log, QIODevice::Append);
    m_process.setStandardErrorFile(m_log, QIODevice::Append);
    m_process.setStandardInputFile(QProcess::nullDevice());
    m_process.start(command.takeFirst(), command);
    if (!m_process.waitForStarted(5000))
        return false;
    m_pid = m_process.processId();
    return true;
}

bool ClientRun::isRunning()
{
    if (m_process.state() == QProcess::NotRunning)
        return false;
    return !m_process.waitForFinished(0);
}

QString ClientRun::endWith(WindowId window, const QString &keys, int exitCode, int budgetMs)
{
    if (!isRunning())
        return QStringLiteral("ended before %1\n").arg(keys) + output();
    QElapsedTimer clock;
    clock.start();
    if (!m_desktop.key(window, keys))
        return QStringLiteral("could not press %1").arg(keys);
    const QString fault = exitFault(m_process, exitCode);
    const qint64 ms = clock.elapsed();
    if (!fault.isEmpty())
        return QStringLiteral("after %1: %2\n").arg(keys, fault) + output();
    qInfo("program ended %lld ms after %s", ms, qPrintable(keys));
    if (budgetMs > 0 && ms >= budgetMs)
        return QStringLiteral("took %1 ms to end after %2").arg(ms).arg(keys);
    return {};
}

WindowId ClientRun::startAndWaitForRows(int rows)
{
    if (!start({}, Network::inherited()))
        return 0;
    const WindowId window = waitForMainWindow();
    if (window == 0)
        return 0;
    m_desktop.parkPointer();
    return waitForListRows(m_desktop, window, rows) ? window : 0;
}

QString ClientRun::output() const
{
    QFile file(m_log);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(file.readAll());
}

QString ClientRun::netNamespace() const
{
    return readNetNamespace(m_pid);
}

void ClientRun::kill()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished(3000);
}

WindowId ClientRun::waitForMainWindow(int timeoutMs) const
{
    return m_desktop.waitForWindow(m_pid, mainWindowCaption(), timeoutMs);
}

WindowId ClientRun::waitForMessageBox(int timeoutMs) const
{
    return m_desktop.waitForWindow(m_pid, messageBoxCaption(), timeoutMs);
}

} // namespace E2e
