#include "app/commandline.h"
#include "ui/appshell.h"

#include <QTest>

#include <vector>

class tst_CommandLine : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
};

void tst_CommandLine::parse_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("language");

    const QString untouched = QStringLiteral("<untouched>");
    QTest::newRow("no arguments") << QStringList{} << 0 << untouched;
    QTest::newRow("/s en") << QStringList{QStringLiteral("/s"), QStringLiteral("en")} << 0 << QStringLiteral("en");
    QTest::newRow("-S c") << QStringList{QStringLiteral("-S"), QStringLiteral("c")} << 0 << QStringLiteral("c");
    QTest::newRow("/S keeps the value's case") << QStringList{QStringLiteral("/S"), QStringLiteral("EN")} << 0 << QStringLiteral("EN");
    QTest::newRow("-s de verbatim") << QStringList{QStringLiteral("-s"), QStringLiteral("de")} << 0 << QStringLiteral("de");
    QTest::newRow("later pair wins") << QStringList{QStringLiteral("/s"), QStringLiteral("en"), QStringLiteral("/s"), QStringLiteral("c")} << 0 << QStringLiteral("c");
    QTest::newRow("value may look like a switch") << QStringList{QStringLiteral("/s"), QStringLiteral("/s")} << 0 << QStringLiteral("/s");
    QTest::newRow("/s alone") << QStringList{QStringLiteral("/s")} << -1 << untouched;
    QTest::newRow("en alone") << QStringList{QStringLiteral("en")} << -1 << untouched;
    QTest::newRow("/s en extra") << QStringList{QStringLiteral("/s"), QStringLiteral("en"), QStringLiteral("extra")} << -1 << QStringLiteral("en");
    QTest::newRow("/x en") << QStringList{QStringLiteral("/x"), QStringLiteral("en")} << -1 << untouched;
    QTest::newRow("--s en") << QStringList{QStringLiteral("--s"), QStringLiteral("en")} << -1 << untouched;
    QTest::newRow("/s with trailing blank") << QStringList{QStringLiteral("/s "), QStringLiteral("en")} << -1 << untouched;
}

void tst_CommandLine::parse()
{
    QFETCH(QStringList, args);
    QFETCH(int, result);
    QFETCH(QString, language);

    std::vector<QByteArray> storage{QByteArrayLiteral("Zol_Client")};
    for (const QString &arg : args)
        storage.push_back(arg.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &arg : storage)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    CurrentLanguage = QStringLiteral("<untouched>");
    QCOMPARE(ParseCommandLine(int(storage.size()), argv.data()), result);
    QCOMPARE(CurrentLanguage, language);
}

QTEST_APPLESS_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
