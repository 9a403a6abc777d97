// "config.cfg" when the disk or the folder fails while the real program runs:
// whatever happens at exit, the old file is neither lost nor cut short, no
// half-written file is left behind, and the program still ends with 0.
//
// The test moves into a mount namespace of its own and gives each run a small
// tmpfs as its folder, so it can fill that folder up without touching the
// machine's own file systems. The program runs as the unprivileged user
// "nobody", as a technician would, so that folder permissions apply to it.

#include "harness.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>

using namespace E2e;

namespace {

const QString Config = QStringLiteral("config.cfg");

// Columns 0 and 1 swapped, Chinese.
QByteArray oldRecord()
{
    return makeRecord({1, 0, 2, 3, 4, 5, 6, 7, 8}, {101, 102, 103, 104, 105, 106, 107, 108, 300}, "c");
}

// A private network with loopback only, and the user "nobody".
QStringList unprivileged()
{
    return Network::loopbackOnly()
        << QStringLiteral("setpriv") << QStringLiteral("--reuid=65534") << QStringLiteral("--regid=65534")
        << QStringLiteral("--clear-groups") << QStringLiteral("--");
}

bool setMode(const QString &path, mode_t mode)
{
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

ino_t inodeOf(const QString &path)
{
    struct stat st{};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

} // namespace

class tst_E2eConfigFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void healthyDiskRewritesTheFile();
    void faultAtExit_data();
    void faultAtExit();

private:
    // A run of the program in `workspace` (whose folder is a fresh tmpfs of
    // `options`), with the old record in place; returns its main window.
    bool startOnTmpfs(ClientRun &run, const Workspace &workspace, const QString &options);

    Desktop m_desktop;
    QStringList m_mounts;
};

void tst_E2eConfigFaults::initTestCase()
{
    E2E_REQUIRE_MACHINE();
    // Mounts made from here on are seen by this process and its children only.
    E2E_REQUIRE(::unshare(CLONE_NEWNS) == 0, QStringLiteral("no mount namespace: unshare(CLONE_NEWNS) failed"));
    E2E_REQUIRE(::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0,
                QStringLiteral("cannot make the mounts private"));
    E2E_REQUIRE_DESKTOP(m_desktop);
}

void tst_E2eConfigFaults::cleanup()
{
    for (const QString &mount : std::as_const(m_mounts))
        ::umount2(QFile::encodeName(mount).constData(), MNT_DETACH);
    m_mounts.clear();
}

bool tst_E2eConfigFaults::startOnTmpfs(ClientRun &run, const Workspace &workspace, const QString &options)
{
    const QByteArray path = QFile::encodeName(workspace.path());
    if (::mount("zolcfg", path.constData(), "tmpfs", 0, options.toLatin1().constData()) != 0) {
        qWarning("mount tmpfs %s on %s failed", qPrintable(options), path.constData());
        return false;
    }
    m_mounts << workspace.path();
    // Reachable and writable for "nobody": the folder, its parent, the lock folder.
    if (!workspace.writeConfig(oldRecord()) || !setMode(workspace.configPath(), 0666)
        || !setMode(QFileInfo(workspace.path()).absolutePath(), 0755) || !setMode(workspace.lockDir(), 0777)) {
        return false;
    }
    return run.start({}, unprivileged());
}

void tst_E2eConfigFaults::healthyDiskRewritesTheFile()
{
    // The control: on a sound disk the record is replaced (a new file).
    Workspace workspace;
    QVERIFY(workspace.isValid());
    ClientRun client(m_desktop, workspace);
    QVERIFY(startOnTmpfs(client, workspace, QStringLiteral("size=256k,mode=0777")));
    const WindowId window = client.waitForMainWindow();
    QVERIFY(window != 0);
    const ino_t before = inodeOf(workspace.configPath());
    E2E_VERIFY_NO_FAULT(client.endWith(window, QStringLiteral("Escape"), 0, ExitBudgetMs));
    QCOMPARE(workspace.config().size(), 72);
    QCOMPARE(workspace.config().mid(64, 2), QByteArray("c\0", 2));
    QVERIFY(inodeOf(workspace.configPath()) != before);
    QCOMPARE(QDir(workspace.path()).entryList(QDir::Files | QDir::Hidden), QStringList{Config});
}

void tst_E2eConfigFaults::faultAtExit_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("options");
    QTest::newRow("folder made read-only") << "read-only" << "size=256k,mode=0777";
    QTest::newRow("no space left") << "full" << "size=64k,mode=0777";
    QTest::newRow("no inode left") << "no-inodes" << "size=256k,nr_inodes=16,mode=0777";
    QTest::newRow("file replaced by a folder") << "folder" << "size=256k,mode=0777";
}

void tst_E2eConfigFaults::faultAtExit()
{
    QFETCH(QString, fault);
    QFETCH(QString, options);

    Workspace workspace;
    QVERIFY(workspace.isValid());
    ClientRun client(m_desktop, workspace);
    QVERIFY(startOnTmpfs(client, workspace, options));
    const WindowId window = client.waitForMainWindow();
    QVERIFY(window != 0);
    const QDir folder(workspace.path());

    QStringList expectedFiles{Config};
    if (fault == QLatin1String("read-only")) {
        QVERIFY(setMode(workspace.path(), 0555));
    } else if (fault == QLatin1String("full")) {
        QFile filler(folder.filePath(QStringLiteral("filler")));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {
        }
        filler.close();
        expectedFiles << QStringLiteral("filler");
    } else if (fault == QLatin1String("no-inodes")) {
        for (int i = 0; i < 64; ++i) {
            QFile file(folder.filePath(QStringLiteral("f%1").arg(i, 2, 10, QLatin1Char('0'))));
            if (!file.open(QIODevice::WriteOnly))
                break;
            expectedFiles << file.fileName().section(QLatin1Char('/'), -1);
        }
        QVERIFY2(expectedFiles.size() < 64, "the inode limit did not hold");
    } else if (fault == QLatin1String("folder")) {
        QVERIFY(QFile::remove(folder.filePath(Config)));
        QVERIFY(folder.mkdir(Config));
        expectedFiles.clear();
    }
    const QByteArray before = workspace.config();

    E2E_VERIFY_NO_FAULT(client.endWith(window, QStringLiteral("Escape"), 0, ExitBudgetMs));

    if (fault == QLatin1String("folder")) {
        QVERIFY(QFileInfo(folder.filePath(Config)).isDir());
    } else {
        QCOMPARE(workspace.config(), oldRecord());
        QCOMPARE(before, oldRecord());
    }
    // Nothing half-written is left beside it.
    QStringList files = folder.entryList(QDir::Files | QDir::Hidden);
    files.sort();
    expectedFiles.sort();
    QCOMPARE(files, expectedFiles);
}

QTEST_GUILESS_MAIN(tst_E2eConfigFaults)
#include "tst_e2e_configfaults.moc"
