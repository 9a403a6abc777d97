// The installed program started the way the desktop menu starts it: the Exec
// lines of the installed menu entry, run on the test's private X desktop, in
// a network namespace with only loopback. Each user is a fresh HOME.

#include "../e2e/harness.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace E2e;

namespace {

constexpr int WindowTimeoutMs = 15000;

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The Exec value of each group of a menu entry, split into words. The entry's
// values hold no quotes (checked), so splitting at blanks is what a desktop
// does with them.
QHash<QString, QStringList> execLines(const QString &entryPath)
{
    QHash<QString, QStringList> result;
    QString group;
    const QStringList lines = QString::fromUtf8(readFile(entryPath)).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1Char('[')))
            group = line.mid(1, line.size() - 2);
        else if (line.startsWith(QLatin1String("Exec=")))
            result.insert(group, line.mid(5).split(QLatin1Char(' '), Qt::SkipEmptyParts));
    }
    return result;
}

} // namespace

class tst_InstalledStart : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void menuEntryStartsTheInstalledLauncher();
    void firstStartFromTheMenu();
    void chineseActionLoadsTheChineseMessages();
    void firstStartFromTheChineseAction();
    void englishAction();

private:
    // One start from the menu: the program (the launcher replaces itself with
    // it, and so does the namespace launcher) and its main window.
    struct Run
    {
        QProcess process;
        qint64 pid = 0;
        WindowId window = 0;
        QString messages; // where the program writes its messages
    };
    bool start(Run &run, const QString &user, const QString &menuGroup);
    // Esc is the Exit button's key.
    void closeWithEscape(Run &run);
    QString userFolder(const QString &user) const;
    QByteArray config(const QString &user) const;
    static bool loadedChinese(const Run &run);

    Desktop m_desktop;
    QTemporaryDir m_dir;
    QString m_prefix;
    QHash<QString, QStringList> m_exec;
};

void tst_InstalledStart::initTestCase()
{
    E2E_REQUIRE_MACHINE();
    QVERIFY(m_dir.isValid());

    m_prefix = m_dir.filePath(QStringLiteral("prefix"));
    QProcess install;
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start(qEnvironmentVariable("ZOL_CMAKE"),
                  {QStringLiteral("--install"), qEnvironmentVariable("ZOL_BUILD_DIR"),
                   QStringLiteral("--prefix"), m_prefix});
    QVERIFY(install.waitForFinished(120000));
    QVERIFY2(install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0,
             install.readAll().constData());

    const QString entry = m_prefix + QStringLiteral("/share/applications/zol-client.desktop");
    QVERIFY2(!readFile(entry).contains('"'), "the menu entry quotes a path; word splitting won't do");
    m_exec = execLines(entry);

    E2E_REQUIRE_DESKTOP(m_desktop);
}

QString tst_InstalledStart::userFolder(const QString &user) const
{
    return m_dir.filePath(user + QStringLiteral("/.local/share/zol-client"));
}

QByteArray tst_InstalledStart::config(const QString &user) const
{
    return readFile(userFolder(user) + QStringLiteral("/config.cfg"));
}

bool tst_InstalledStart::start(Run &run, const QString &user, const QString &menuGroup)
{
    const QStringList exec = m_exec.value(menuGroup);
    if (exec.isEmpty()) {
        qWarning("no Exec line in [%s]", qPrintable(menuGroup));
        return false;
    }
    const QString home = m_dir.filePath(user);
    QDir().mkpath(home);

    QProcessEnvironment env = m_desktop.environment();
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    // A desktop session sets LANG, not LC_ALL.
    env.remove(QStringLiteral("LC_ALL"));
    env.remove(QStringLiteral("LC_MESSAGES"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    // A message box would wait for a click; the program writes it here instead.
    run.messages = m_dir.filePath(user + QStringLiteral(".messages"));
    env.insert(QStringLiteral("ZOL_MESSAGE_LOG"), run.messages);
    run.process.setProcessEnvironment(env);
    run.process.setWorkingDirectory(home);
    run.process.setProcessChannelMode(QProcess::ForwardedChannels);
    run.process.setStandardInputFile(QProcess::nullDevice());
    dieWithTest(run.process);

    QStringList command = Network::loopbackOnly() + exec;
    run.process.start(command.takeFirst(), command);
    if (!run.process.waitForStarted(5000))
        return false;
    run.pid = run.process.processId();
    run.window = m_desktop.waitForWindow(run.pid, QString(), WindowTimeoutMs);
    return run.window != 0;
}

void tst_InstalledStart::closeWithEscape(Run &run)
{
    QVERIFY(m_desktop.key(run.window, QStringLiteral("Escape")));
    E2E_VERIFY_NO_FAULT(exitFault(run.process, 0));
    // Loopback answers nothing, and nothing else should have gone wrong.
    QCOMPARE(QString::fromUtf8(readFile(run.messages)), QString());
}

// The program maps the message file it loaded; the link in the user's
// folder resolves to the installed file.
bool tst_InstalledStart::loadedChinese(const Run &run)
{
    return readFile(QStringLiteral("/proc/%1/maps").arg(run.pid)).contains("/share/zol-client/qrt_c.qm\n");
}

void tst_InstalledStart::menuEntryStartsTheInstalledLauncher()
{
    const QString launcher = m_prefix + QStringLiteral("/bin/zol-client");
    QVERIFY(QFileInfo(launcher).isExecutable());
    QCOMPARE(m_exec.value(QStringLiteral("Desktop Entry")), QStringList{launcher});
    QCOMPARE(m_exec.value(QStringLiteral("Desktop Action English")),
             (QStringList{launcher, QStringLiteral("/s"), QStringLiteral("en")}));
    QCOMPARE(m_exec.value(QStringLiteral("Desktop Action Chinese")),
             (QStringList{launcher, QStringLiteral("/s"), QStringLiteral("c")}));
}

void tst_InstalledStart::firstStartFromTheMenu()
{
    const QString user = QStringLiteral("alice");
    Run run;
    QVERIFY(start(run, user, QStringLiteral("Desktop Entry")));
    QCOMPARE(m_desktop.windowTitle(run.window), mainWindowCaption());
    QCOMPARE(QFileInfo(QStringLiteral("/proc/%1/cwd").arg(run.pid)).symLinkTarget(), userFolder(user));
    QCOMPARE(QFileInfo(QStringLiteral("/proc/%1/exe").arg(run.pid)).symLinkTarget(),
             QFileInfo(m_prefix + QStringLiteral("/libexec/zol-client/Zol_Client")).canonicalFilePath());
    for (const char *file : {"qrt_en.qm", "qrt_c.qm", "QOB.bmp"})
        QVERIFY2(QFileInfo::exists(userFolder(user) + QLatin1Char('/') + QLatin1String(file)), file);
    QVERIFY(config(user).isEmpty());
    QVERIFY(!loadedChinese(run));

    closeWithEscape(run);
    QCOMPARE(config(user).size(), 72);
}

void tst_InstalledStart::chineseActionLoadsTheChineseMessages()
{
    const QString user = QStringLiteral("carol");
    {
        Run first;
        QVERIFY(start(first, user, QStringLiteral("Desktop Entry")));
        closeWithEscape(first);
    }
    QCOMPARE(config(user).size(), 72);

    Run run;
    QVERIFY(start(run, user, QStringLiteral("Desktop Action Chinese")));
    QVERIFY(loadedChinese(run));
    // The caption is translated, so this is not the English window.
    QVERIFY(m_desktop.windowTitle(run.window) != mainWindowCaption());
    m_desktop.parkPointer();
    m_desktop.screenshot(QStringLiteral("installed-chinese"));
    closeWithEscape(run);
    QCOMPARE(readRecord(config(user)).code, QByteArray("c"));
}

// No "config.cfg" yet: the program itself would follow the locale (C here);
// the launcher makes the menu's choice count all the same.
void tst_InstalledStart::firstStartFromTheChineseAction()
{
    const QString user = QStringLiteral("bob");
    Run run;
    QVERIFY(start(run, user, QStringLiteral("Desktop Action Chinese")));
    QVERIFY(loadedChinese(run));
    QVERIFY(m_desktop.windowTitle(run.window) != mainWindowCaption());
    closeWithEscape(run);
    QCOMPARE(config(user).size(), 72);
}

void tst_InstalledStart::englishAction()
{
    const QString user = QStringLiteral("dave");
    {
        Run first;
        QVERIFY(start(first, user, QStringLiteral("Desktop Action Chinese")));
        closeWithEscape(first);
    }
    Run run;
    QVERIFY(start(run, user, QStringLiteral("Desktop Action English")));
    QCOMPARE(m_desktop.windowTitle(run.window), mainWindowCaption());
    QVERIFY(!loadedChinese(run));
    closeWithEscape(run);
    QCOMPARE(readRecord(config(user)).code, QByteArray("en"));
}

QTEST_GUILESS_MAIN(tst_InstalledStart)
#include "tst_installedstart.moc"
