// Real copies of the program started side by side. The test runs in a private
// network namespace, so their start-up broadcasts stay on its loopback.
#include "../support/devsim.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

class tst_SingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void secondCopyIsRefused();
    void killedCopyReleasesTheClaim();
    void invalidArgumentsWinOverRunningCopy();
    void toolkitOptionsAreNotArguments();
    void twentyCopiesLeaveOne();
    void responsePortHeldElsewhere();

private:
    // True while some process holds the instance lock in this test's folder.
    bool claimHeld() const;
    QProcess *start(const QStringList &args = {});
    QString messages() const;
    static bool stillRunningAfter(QProcess *process, int ms);

    QTemporaryDir *m_dir = nullptr;
    QList<QProcess *> m_processes;
};

void tst_SingleInstance::initTestCase()
{
    // The program broadcasts its discovery query at start-up.
    ZOL_REQUIRE_NETNS();
}

void tst_SingleInstance::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
}

void tst_SingleInstance::cleanup()
{
    for (QProcess *process : std::as_const(m_processes)) {
        process->kill();
        process->waitForFinished(3000);
        delete process;
    }
    m_processes.clear();
    delete m_dir;
    m_dir = nullptr;
}

QProcess *tst_SingleInstance::start(const QStringList &args)
{
    auto *process = new QProcess;
    m_processes << process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!args.contains(QStringLiteral("-platform")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("ZOL_LOCK_DIR"), m_dir->path());
    env.insert(QStringLiteral("ZOL_MESSAGE_LOG"), m_dir->filePath(QStringLiteral("messages.log")));
    process->setProcessEnvironment(env);
    process->setWorkingDirectory(m_dir->path());
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(QDir(qEnvironmentVariable("ZOL_BIN_DIR")).filePath(QStringLiteral("Zol_Client")), args);
    process->waitForStarted();
    return process;
}

QString tst_SingleInstance::messages() const
{
    QFile log(m_dir->filePath(QStringLiteral("messages.log")));
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
}

bool tst_SingleInstance::claimHeld() const
{
    const QByteArray path = QFile::encodeName(m_dir->filePath(QStringLiteral("ZOLConfig.lock")));
    const int fd = ::open(path.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd); // drops the claim again if this probe got it
    return held;
}

bool tst_SingleInstance::stillRunningAfter(QProcess *process, int ms)
{
    return !process->waitForFinished(ms) && process->state() == QProcess::Running;
}

void tst_SingleInstance::secondCopyIsRefused()
{
    QProcess *first = start();
    QVERIFY(stillRunningAfter(first, 1500));

    QElapsedTimer timer;
    timer.start();
    QProcess *second = start();
    QVERIFY(second->waitForFinished(10000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QVERIFY2(timer.elapsed() >= 450, "the second copy waits about 500 ms for the claim");
    QCOMPARE(messages(), QStringLiteral("Cannot execute, there is a copy already running.\n--\n"));
    // The refused copy touched nothing: no layout file of its own was written
    // over the first copy's.
    QVERIFY(stillRunningAfter(first, 300));
}

void tst_SingleInstance::killedCopyReleasesTheClaim()
{
    QProcess *first = start();
    QVERIFY(stillRunningAfter(first, 1500));
    ::kill(pid_t(first->processId()), SIGKILL);
    QVERIFY(first->waitForFinished(3000));

    QVERIFY(!claimHeld());

    // No waiting for a claim the dead copy can no longer give back.
    QElapsedTimer timer;
    timer.start();
    QProcess *next = start();
    while (!claimHeld() && timer.elapsed() < 10000 && next->state() == QProcess::Running)
        QTest::qWait(5);
    const qint64 claimedAfter = timer.elapsed();
    qInfo("the next copy held the claim %lld ms after it was started", claimedAfter);
    QVERIFY(claimHeld());
    QVERIFY(stillRunningAfter(next, 1500));
    QVERIFY2(messages().isEmpty(), qPrintable(messages()));
}

void tst_SingleInstance::twentyCopiesLeaveOne()
{
    QList<QProcess *> copies;
    for (int i = 0; i < 20; ++i)
        copies << start();
    QList<QProcess *> running;
    for (QProcess *copy : std::as_const(copies)) {
        if (!copy->waitForFinished(20000))
            running << copy;
    }
    QCOMPARE(running.size(), 1);
    for (QProcess *copy : std::as_const(copies)) {
        if (copy == running.first())
            continue;
        QCOMPARE(copy->exitStatus(), QProcess::NormalExit);
        QCOMPARE(copy->exitCode(), 0);
    }
    QCOMPARE(messages(), QStringLiteral("Cannot execute, there is a copy already running.\n--\n").repeated(19));
    QVERIFY(claimHeld());
    QVERIFY(stillRunningAfter(running.first(), 300));
}

void tst_SingleInstance::responsePortHeldElsewhere()
{
    // Another program on the answer port: the copy says so once and runs on.
    UdpPortHolder holder(2851);
    QVERIFY(holder.ok());

    QProcess *copy = start();
    QTRY_VERIFY_WITH_TIMEOUT(!messages().isEmpty(), 10000);
    QVERIFY(stillRunningAfter(copy, 1500));
    holder.release();
    QCOMPARE(messages(), QStringLiteral("The response socket is unavailable to bind.\n--\n"));
}

void tst_SingleInstance::invalidArgumentsWinOverRunningCopy()
{
    QProcess *first = start();
    QVERIFY(stillRunningAfter(first, 1500));
    QProcess *bad = start({QStringLiteral("/x"), QStringLiteral("en")});
    QVERIFY(bad->waitForFinished(10000));
    QCOMPARE(bad->exitCode(), 1);
    QCOMPARE(messages(), QStringLiteral("Invalid parameters.\n\nExample:\nZol_Client /s en\n--\n"));
    QVERIFY(stillRunningAfter(first, 200));
}

void tst_SingleInstance::toolkitOptionsAreNotArguments()
{
    QProcess *process = start({QStringLiteral("-platform"), QStringLiteral("offscreen"),
                               QStringLiteral("/s"), QStringLiteral("c")});
    QVERIFY(stillRunningAfter(process, 1500));
    QVERIFY2(messages().isEmpty(), qPrintable(messages()));
}

QTEST_GUILESS_MAIN(tst_SingleInstance)
#include "tst_singleinstance.moc"
