// SPDX-License-Identifier: Apache-2.0
// Real copies of the program started side by side. The test runs in a private
// network namespace, so their start-up broadcasts stay on its loopback.
#include "../support/netns.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class tst_SingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ZOL_REQUIRE_NETNS(); }
    void secondCopyIsRefused();
};

void tst_SingleInstance::secondCopyIsRefused()
{
    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("ZOL_LOCK_DIR"), dir.path());
    env.insert(QStringLiteral("ZOL_MESSAGE_LOG"), dir.filePath(QStringLiteral("messages.log")));
    QProcess copies[2];
    for (QProcess &copy : copies) {
        copy.setProcessEnvironment(env);
        copy.setWorkingDirectory(dir.path());
        copy.setProcessChannelMode(QProcess::ForwardedChannels);
        copy.start(QDir(qEnvironmentVariable("ZOL_BIN_DIR")).filePath(QStringLiteral("Zol_Client")), {});
        QVERIFY(copy.waitForStarted());
        if (&copy == &copies[0])
            QVERIFY2(!copy.waitForFinished(1500), "the first copy runs on");
    }
    QVERIFY(copies[1].waitForFinished(10000));
    QCOMPARE(copies[1].exitStatus(), QProcess::NormalExit);
    QCOMPARE(copies[1].exitCode(), 0);
    // Bad arguments are refused before the running copy is looked for.
    copies[1].start(copies[1].program(), {QStringLiteral("/x"), QStringLiteral("en")});
    QVERIFY(copies[1].waitForFinished(10000));
    QCOMPARE(copies[1].exitCode(), 1);
    QFile log(dir.filePath(QStringLiteral("messages.log")));
    QVERIFY(log.open(QIODevice::ReadOnly));
    QCOMPARE(log.readAll(), QByteArray("Cannot execute, there is a copy already running.\n--\n"
                                       "Invalid parameters.\n\nExample:\nZol_Client /s en\n--\n"));
    QCOMPARE(copies[0].state(), QProcess::Running);
    copies[0].kill();
    copies[0].waitForFinished(3000);
}

QTEST_GUILESS_MAIN(tst_SingleInstance)
#include "tst_singleinstance.moc"
