#include "app/columnlayoutrecord.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

class tst_ColumnLayoutRecord : public QObject
{
    Q_OBJECT

private slots:
    void failedSaveKeepsTheOldFile();
};

void tst_ColumnLayoutRecord::failedSaveKeepsTheOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("config.cfg"));
    QVERIFY(ColumnLayoutRecord::replaceFile(path, QByteArray(72, 'o')));
    // Files may not grow beyond 10 bytes: writing the new record fails
    // (with SIGXFSZ ignored, as an error instead of a signal).
    rlimit saved{};
    QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved) == 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 10;
    QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
    const bool replaced = ColumnLayoutRecord::replaceFile(path, QByteArray(72, 'n'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    QVERIFY(!replaced);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray(72, 'o'));
}

QTEST_APPLESS_MAIN(tst_ColumnLayoutRecord)
#include "tst_columnlayoutrecord.moc"
