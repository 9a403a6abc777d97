// Real copies of the program started side by side. The test runs in a private
// network namespace, so their start-up broadcasts stay on its loopback.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <signal.h>

class tst_SingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void secondCopyIsRefused();
    void killedCopyReleasesTheClaim();
    void invalidArgumentsWinOverRunningCopy();
    void toolkitOptionsAreNotArguments();

private:
    QProcess *start(const QStringList &args = {});
    QString messages() const;
    static bool stillRunningAfter(QProcess *process, int ms);

    QTemporaryDir *m_dir = nullptr;
    QList<QProcess *> m_processes;
};

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

    QProcess *next = start();
    QVERIFY(stillRunningAfter(next, 1500));
    QVERIFY2(messages().isEmpty(), qPrintable(messages()));
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
