#include "app/appshell.h"

#include <QTest>

#include <vector>

using namespace Qt::StringLiterals;

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
    QTest::addColumn<QString>("language"); // CurrentLanguage afterwards, "-" when untouched
    QTest::newRow("no arguments") << QStringList{} << 0 << u"-"_s;
    QTest::newRow("/s c stored") << QStringList{u"/s"_s, u"c"_s} << 0 << u"c"_s;
    QTest::newRow("-S any case, later pair wins") << QStringList{u"-S"_s, u"en"_s, u"/s"_s, u"EN"_s} << 0 << u"EN"_s;
    QTest::newRow("switch without code") << QStringList{u"/s"_s} << -1 << u"-"_s;
    QTest::newRow("unknown switch") << QStringList{u"/x"_s, u"en"_s} << -1 << u"-"_s;
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
    CurrentLanguage = QStringLiteral("-");
    QCOMPARE(ParseCommandLine(int(argv.size()), argv.data()), result);
    QCOMPARE(CurrentLanguage, language);
}

QTEST_APPLESS_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
