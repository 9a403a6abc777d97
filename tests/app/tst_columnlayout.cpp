// "config.cfg" as the main window reads it at construction and writes it at
// destruction: which widths, positions and language code come back, and that
// no content, no file type and no folder permission loses a layout.

#include "../support/devsim.h"

#include "windowfixture.h"

#include <QRandomGenerator>
#include <QTest>

#include <climits>
#include <sys/stat.h>

namespace {

const QString Config = QStringLiteral("config.cfg");
const QList<int> Identity{ 0, 1, 2, 3, 4, 5, 6, 7, 8 };

// Columns 0 and 1 swapped; column 8 is 300 wide so that a file cut inside its
// width still gives a width.
const QList<int> FullOrders{ 1, 0, 2, 3, 4, 5, 6, 7, 8 };
const QList<int> FullWidths{ 101, 102, 103, 104, 105, 106, 107, 108, 300 };

QByteArray fullRecord()
{
    return WindowFixture::record(FullOrders, FullWidths, QByteArray("en"));
}

// The record a window showing this arrangement and these widths writes.
QByteArray expectedSave(const QList<int> &shownColumns, const QList<int> &widths, const QString &code)
{
    QList<int> orders(9);
    for (int v = 0; v < shownColumns.size(); ++v)
        orders[shownColumns[v]] = v;
    return WindowFixture::record(orders, widths, code.toLatin1().left(8));
}

} // namespace

class tst_ColumnLayout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstRunCreatesEmptyFile();
    void load_data();
    void load();
    void roundTripRestoresWidthsAndPositions();
    void traceLines();
    void traceLineWithPercentInLabel();

    void anyContentIsSafe_data();
    void anyContentIsSafe();
    void directoryInsteadOfFile();
    void pipeInsteadOfFile();
    void readOnlyFolderWithoutFile();
    void readOnlyFolderKeepsLayout();
    void readOnlyFileIsLeftAlone();
    void failedWriteKeepsLayout();

private:
    WindowFixture f;
};

void tst_ColumnLayout::initTestCase()
{
    // The program broadcasts its discovery query at start-up.
    ZOL_REQUIRE_NETNS();
}

void tst_ColumnLayout::init()
{
    QVERIFY(f.begin());
}

void tst_ColumnLayout::cleanup()
{
    QVERIFY2(f.messages.isEmpty(), qPrintable(f.messages.join(QLatin1String(" | "))));
    f.end();
}

void tst_ColumnLayout::firstRunCreatesEmptyFile()
{
    QList<int> formWidths;
    {
        auto w = f.makeWindow();
        QVERIFY(!w->LayoutLoaded);
        QVERIFY(w->ConfigFile.isOpen());
        QVERIFY(QFileInfo(Config).isFile());
        QCOMPARE(QFileInfo(Config).size(), 0);
        QCOMPARE(f.shown(*w), Identity);
        formWidths = f.widths(*w);
        CurrentLanguage = QStringLiteral("C");
    }
    QCOMPARE(f.readFile(Config), expectedSave(Identity, formWidths, QStringLiteral("C")));
}

void tst_ColumnLayout::load_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QList<int>>("widths");
    QTest::addColumn<QList<int>>("shown");

    const QByteArray full = fullRecord();
    const QString none;
    const QString en = QStringLiteral("en");

    QTest::newRow("1 byte: column 0's order only")
            << full.left(1) << none << none << QList<int>(9, 0) << FullOrders;
    QTest::newRow("8 bytes: column 0 whole")
            << full.left(8) << none << none << QList<int>{ 101, 0, 0, 0, 0, 0, 0, 0, 0 } << FullOrders;
    QTest::newRow("40 bytes: columns 0 to 4")
            << full.left(40) << none << none << QList<int>{ 101, 102, 103, 104, 105, 0, 0, 0, 0 }
            << FullOrders;
    QTest::newRow("44 bytes: column 5's order without its width")
            << full.left(44) << none << none << QList<int>{ 101, 102, 103, 104, 105, 0, 0, 0, 0 }
            << FullOrders;
    QTest::newRow("64 bytes: no code yet")
            << full.left(64) << none << none
            << QList<int>{ 101, 102, 103, 104, 105, 106, 107, 108, 0 } << FullOrders;
    QTest::newRow("65 bytes: one character of the code")
            << full.left(65) << none << QStringLiteral("e")
            << QList<int>{ 101, 102, 103, 104, 105, 106, 107, 108, 0 } << FullOrders;
    QTest::newRow("66 bytes: the whole code")
            << full.left(66) << none << en
            << QList<int>{ 101, 102, 103, 104, 105, 106, 107, 108, 0 } << FullOrders;
    QTest::newRow("69 bytes: the low byte of column 8's width")
            << full.left(69) << none << en
            << QList<int>{ 101, 102, 103, 104, 105, 106, 107, 108, 300 & 0xff } << FullOrders;
    QTest::newRow("71 bytes") << full.left(71) << none << en << FullWidths << FullOrders;
    QTest::newRow("exactly 72 bytes") << full << none << en << FullWidths << FullOrders;
    {
        // The 28 bytes after the first record overwrite its first 28 bytes.
        const QByteArray tail = WindowFixture::record({ 2, 1, 0, 3 }, { 201, 202, 203 }).left(28);
        QTest::newRow("100 bytes")
                << full + tail << none << en
                << QList<int>{ 201, 202, 203, 104, 105, 106, 107, 108, 300 }
                << QList<int>{ 2, 1, 0, 3, 4, 5, 6, 7, 8 };
    }
    QTest::newRow("two whole records: the second")
            << WindowFixture::record(Identity, QList<int>(9, 55), "c") + full << none << en
            << FullWidths << FullOrders;

    const QList<int> lastFirst{ 1, 2, 3, 4, 5, 6, 7, 8, 0 };
    const QList<int> lastFirstShown{ 8, 0, 1, 2, 3, 4, 5, 6, 7 };
    QTest::newRow("column 8's order lost under en")
            << WindowFixture::record(lastFirst, FullWidths, "en") << none << en << FullWidths
            << lastFirstShown;
    QTest::newRow("column 8's order lost under c")
            << WindowFixture::record(lastFirst, FullWidths, "c") << none << QStringLiteral("c")
            << FullWidths << lastFirstShown;
    QTest::newRow("command line c over file en")
            << full << QStringLiteral("c") << QStringLiteral("c") << FullWidths << FullOrders;
    QTest::newRow("command line de over file en")
            << full << QStringLiteral("de") << QStringLiteral("de") << FullWidths << FullOrders;
    {
        QList<int> widths = FullWidths;
        widths[8] = 10000; // "efgh" read as a width
        QTest::newRow("code of 8 characters without a zero byte")
                << WindowFixture::record(FullOrders, FullWidths, "abcdefgh") << none
                << QStringLiteral("abcdefgh") << widths << FullOrders;
    }
    // Without a code, column 8's order is read as one: a control character.
    const QString order8 = QString(QChar(8));
    QTest::newRow("damaged widths")
            << WindowFixture::record(Identity, { -1, 10001, INT_MIN, INT_MAX, 0, 10000, 50, 60, 70 })
            << none << order8 << QList<int>{ 0, 10000, 0, 10000, 0, 10000, 50, 60, 70 } << Identity;
    QTest::newRow("orders outside the header")
            << WindowFixture::record({ -1, 9, 100, INT_MIN, INT_MAX, 3, 0, -7, 9 }, FullWidths)
            << none << QString(QChar(9)) << FullWidths << QList<int>{ 6, 0, 1, 5, 2, 3, 4, 7, 8 };
    {
        // Moved one by one in column order this would come out as 3 0 2 1.
        const QList<int> orders{ 2, 3, 1, 0, 4, 5, 6, 7, 8 };
        QTest::newRow("arrangement that single moves get wrong")
                << WindowFixture::record(orders, FullWidths) << none << order8 << FullWidths
                << QList<int>{ 3, 2, 0, 1, 4, 5, 6, 7, 8 };
    }
}

void tst_ColumnLayout::load()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, commandLine);
    QFETCH(QString, language);
    QFETCH(QList<int>, widths);
    QFETCH(QList<int>, shown);

    QVERIFY(f.writeFile(Config, contents));
    CurrentLanguage = commandLine;
    {
        auto w = f.makeWindow();
        QVERIFY(w->LayoutLoaded);
        QCOMPARE(CurrentLanguage, language);
        QCOMPARE(f.widths(*w), widths);
        QCOMPARE(f.shown(*w), shown);
    }
    // Whatever was read, the file now holds one clean record of what was shown.
    QCOMPARE(f.readFile(Config), expectedSave(shown, widths, language));
}

void tst_ColumnLayout::roundTripRestoresWidthsAndPositions()
{
    const QList<int> widths{ 120, 80, 150, 60, 90, 70, 40, 200, 130 };
    QList<int> arranged;
    {
        auto w = f.makeWindow();
        QHeaderView *header = w->MainList->header();
        for (int i = 0; i < 9; ++i)
            header->resizeSection(i, widths[i]);
        // What a user gets by dragging headers around, column 8 included.
        header->moveSection(header->visualIndex(8), 0);
        header->moveSection(header->visualIndex(3), 1);
        header->moveSection(header->visualIndex(0), 6);
        header->moveSection(header->visualIndex(5), 2);
        header->moveSection(header->visualIndex(1), 8);
        arranged = f.shown(*w);
        QVERIFY(arranged != Identity);
        CurrentLanguage = QStringLiteral("c");
    }
    QCOMPARE(QFileInfo(Config).size(), 72);

    CurrentLanguage.clear();
    for (int run = 0; run < 2; ++run) {
        auto w = f.makeWindow();
        QVERIFY(w->LayoutLoaded);
        QCOMPARE(f.widths(*w), widths);
        QCOMPARE(f.shown(*w), arranged);
        QCOMPARE(CurrentLanguage, QStringLiteral("c"));
    }
}

void tst_ColumnLayout::traceLines()
{
    QVERIFY(f.writeFile(Config, fullRecord()));
    const char *labels[9] = { "Device Type", "Serial Number ", "MAC Address ", "IP Address ",
                              "Subnet Mask ", "Gateway ", "DHCP ", "Name ", "Location" };
    for (int i = 0; i < 8; ++i) {
        QTest::ignoreMessage(QtDebugMsg, qPrintable(QStringLiteral("Assigning col %1%2: width: %3, order: %4")
                                                            .arg(i)
                                                            .arg(QLatin1String(labels[i]))
                                                            .arg(FullWidths[i])
                                                            .arg(FullOrders[i])));
    }
    // Column 8's order field holds "en".
    QTest::ignoreMessage(QtDebugMsg, "Assigning col 8Location: width: 300, order: 28261");
    auto w = f.makeWindow();
    for (int i = 0; i < 9; ++i) {
        QTest::ignoreMessage(QtDebugMsg, qPrintable(QStringLiteral("Detecting col %1%2: width: %3, order: %4")
                                                            .arg(i)
                                                            .arg(QLatin1String(labels[i]))
                                                            .arg(FullWidths[i])
                                                            .arg(FullOrders[i])));
    }
    w.reset();
}

void tst_ColumnLayout::traceLineWithPercentInLabel()
{
    auto w = f.makeWindow();
    // A translated label may hold anything; it must print as it is.
    w->MainList->headerItem()->setText(3, QStringLiteral("IP %s%n%d %1"));
    w->MainList->header()->resizeSection(3, 77);
    QTest::ignoreMessage(QtDebugMsg, "Detecting col 3IP %s%n%d %1: width: 77, order: 3");
    w.reset();
}

void tst_ColumnLayout::anyContentIsSafe_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("zeroFree");
    for (int size : { 0, 1, 7, 33, 64, 65, 70, 71, 72, 73, 99, 143, 144, 145, 300, 4096 }) {
        QTest::addRow("%d random bytes", size) << size << false;
        QTest::addRow("%d random bytes without zeros", size) << size << true;
    }
}

void tst_ColumnLayout::anyContentIsSafe()
{
    QFETCH(int, size);
    QFETCH(bool, zeroFree);

    QRandomGenerator gen(quint32(size * 2 + zeroFree));
    QByteArray contents(size, '\0');
    for (char &c : contents)
        c = char(zeroFree ? 1 + gen.bounded(255) : gen.bounded(256));
    QVERIFY(f.writeFile(Config, contents));

    {
        auto w = f.makeWindow();
        QCOMPARE(w->LayoutLoaded, size > 0);
        QVERIFY(CurrentLanguage.size() <= 8);
        for (int width : f.widths(*w))
            QVERIFY2(width >= 0 && width <= 10000, qPrintable(QString::number(width)));
        QList<int> sorted = f.shown(*w);
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(sorted, Identity);
    }
    QCOMPARE(QFileInfo(Config).size(), 72);
}

void tst_ColumnLayout::directoryInsteadOfFile()
{
    QVERIFY(QDir().mkdir(Config));
    {
        auto w = f.makeWindow();
        QVERIFY(!w->LayoutLoaded);
        QVERIFY(!w->ConfigFile.isOpen());
        QCOMPARE(f.shown(*w), Identity);
    }
    QVERIFY(QFileInfo(Config).isDir());
}

void tst_ColumnLayout::pipeInsteadOfFile()
{
    QCOMPARE(::mkfifo(QFile::encodeName(Config).constData(), 0666), 0);
    {
        // Must neither block nor read an endless stream.
        auto w = f.makeWindow();
        QVERIFY(!w->LayoutLoaded);
        QVERIFY(!w->ConfigFile.isOpen());
    }
    struct stat st{};
    QCOMPARE(::lstat(QFile::encodeName(Config).constData(), &st), 0);
    QVERIFY(S_ISFIFO(st.st_mode));
}

void tst_ColumnLayout::readOnlyFolderWithoutFile()
{
    QCOMPARE(::chmod(QFile::encodeName(f.dirPath()).constData(), 0555), 0);
    {
        AsOrdinaryUser user;
        QVERIFY(user.ok());
        auto w = f.makeWindow();
        QVERIFY(!w->LayoutLoaded);
        QVERIFY(!w->ConfigFile.isOpen());
        w.reset();
    }
    QVERIFY(!QFileInfo::exists(Config));
}

void tst_ColumnLayout::readOnlyFolderKeepsLayout()
{
    // The file can be opened, but no new file can be made beside it: the
    // layout read at start-up must survive the failed save.
    QVERIFY(f.writeFile(Config, fullRecord()));
    QCOMPARE(::chmod(QFile::encodeName(Config).constData(), 0666), 0);
    QCOMPARE(::chmod(QFile::encodeName(f.dirPath()).constData(), 0555), 0);
    {
        AsOrdinaryUser user;
        QVERIFY(user.ok());
        auto w = f.makeWindow();
        QVERIFY(w->LayoutLoaded);
        QCOMPARE(f.widths(*w), FullWidths);
        w->MainList->header()->resizeSection(0, 333);
        w.reset();
    }
    QCOMPARE(f.readFile(Config), fullRecord());
}

void tst_ColumnLayout::readOnlyFileIsLeftAlone()
{
    QVERIFY(f.writeFile(Config, fullRecord()));
    QCOMPARE(::chmod(QFile::encodeName(Config).constData(), 0444), 0);
    {
        AsOrdinaryUser user;
        QVERIFY(user.ok());
        auto w = f.makeWindow();
        QVERIFY(!w->LayoutLoaded);
        QCOMPARE(f.shown(*w), Identity);
        CurrentLanguage = QStringLiteral("c");
        w.reset();
    }
    QCOMPARE(f.readFile(Config), fullRecord());
}

void tst_ColumnLayout::failedWriteKeepsLayout()
{
    QVERIFY(f.writeFile(Config, fullRecord()));
    auto w = f.makeWindow();
    QVERIFY(w->LayoutLoaded);
    w->MainList->header()->resizeSection(0, 333);

    {
        // Writes beyond 10 bytes fail, so the new record cannot be written.
        FileSizeLimit limit(10);
        QVERIFY(limit.ok());
        w.reset();
    }

    QCOMPARE(f.readFile(Config), fullRecord());
    QCOMPARE(QDir().entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{ Config });
}

QTEST_MAIN(tst_ColumnLayout)
#include "tst_columnlayout.moc"
