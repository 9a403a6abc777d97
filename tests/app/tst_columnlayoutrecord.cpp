#include "layoutfiletools.h"

#include "layout/columnlayoutrecord.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace ColumnLayoutRecord;

namespace {

QByteArray pattern(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char(i + 1);
    return bytes;
}

QByteArray randomBytes(int size, quint32 seed)
{
    QRandomGenerator gen(seed);
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char(gen.bounded(256));
    return bytes;
}

// Every block read from the start of the buffer, one after the other.
QByteArray overwriteBlockByBlock(const QByteArray &contents)
{
    QByteArray record(RecordSize, '\0');
    for (int at = 0; at < contents.size(); at += RecordSize) {
        const QByteArray block = contents.mid(at, RecordSize);
        record.replace(0, block.size(), block);
    }
    return record;
}

Columns sampleColumns()
{
    Columns columns;
    const qint32 orders[ColumnCount] = { 3, 0, 1, 2, 8, 7, 6, 5, 4 };
    for (int i = 0; i < ColumnCount; ++i)
        columns[i] = Column{ orders[i], 40 + 13 * i };
    return columns;
}

} // namespace

class tst_ColumnLayoutRecord : public QObject
{
    Q_OBJECT

private slots:
    void blocks_data();
    void blocks();
    void blocksFromFileMatchWholeReading();
    void nothingReadFromEmptyDevice();

    void columns_data();
    void columns();

    void arrangementFromOrders_data();
    void arrangementFromOrders();
    void everySavedArrangementComesBack();

    void language_data();
    void language();

    void encodeLayout();
    void encodeLanguage_data();
    void encodeLanguage();
    void encodeThenDecode();

    void traceLineKeepsPercentSigns();

    void replaceCreatesAndReplaces();
    void replaceRefusesDirectory();
    void failedWriteKeepsOldFile();
    void unwritableFolderKeepsOldFile();
};

void tst_ColumnLayoutRecord::blocks_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("empty") << QByteArray() << QByteArray(RecordSize, '\0');
    for (int n : { 1, 4, 8, 63, 64, 65, 66, 71 }) {
        QByteArray expected = pattern(n) + QByteArray(RecordSize - n, '\0');
        QTest::addRow("short %d bytes", n) << pattern(n) << expected;
    }
    QTest::newRow("exactly one record") << pattern(72) << pattern(72);
    {
        // 72 bytes, then 28 more that overwrite the first 28.
        const QByteArray contents = pattern(100);
        const QByteArray expected = contents.mid(72, 28) + contents.mid(28, 44);
        QTest::newRow("100 bytes") << contents << expected;
    }
    QTest::newRow("two records") << pattern(144) << pattern(144).mid(72);
    {
        const QByteArray contents = pattern(150);
        QTest::newRow("two records and 6 bytes")
                << contents << contents.mid(144, 6) + contents.mid(78, 66);
    }
    {
        const QByteArray contents = randomBytes(1000, 7);
        QTest::newRow("1000 random bytes") << contents << overwriteBlockByBlock(contents);
    }
}

void tst_ColumnLayoutRecord::blocks()
{
    QFETCH(QByteArray, contents);
    QFETCH(QByteArray, expected);

    QCOMPARE(fromContents(contents), expected);

    QByteArray copy = contents;
    QBuffer buffer(&copy);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QByteArray record(RecordSize, '\0');
    QCOMPARE(readBlocks(buffer, record.data()), !contents.isEmpty());
    QCOMPARE(record, expected);
}

void tst_ColumnLayoutRecord::blocksFromFileMatchWholeReading()
{
    // Files of every size around the block boundaries, read from disk (where
    // the reader skips ahead) must give what reading every block gives.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("config.cfg"));
    QList<int> sizes;
    for (int n = 0; n <= 4 * RecordSize + 1; ++n)
        sizes << n;
    sizes << 100000 << 100001 << 72 * 1000;
    for (int n : sizes) {
        const QByteArray contents = randomBytes(n, quint32(n));
        {
            QFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QCOMPARE(out.write(contents), qint64(n));
        }
        QFile in(path);
        QVERIFY(in.open(QIODevice::ReadWrite));
        QByteArray record(RecordSize, '\0');
        const bool loaded = readBlocks(in, record.data());
        QVERIFY2(loaded == (n > 0), qPrintable(QString::number(n)));
        QVERIFY2(record == overwriteBlockByBlock(contents), qPrintable(QString::number(n)));
    }
}

void tst_ColumnLayoutRecord::nothingReadFromEmptyDevice()
{
    QByteArray record(RecordSize, 'x');
    QBuffer empty;
    QVERIFY(empty.open(QIODevice::ReadOnly));
    QVERIFY(!readBlocks(empty, record.data()));
    QCOMPARE(record, QByteArray(RecordSize, 'x'));
}

void tst_ColumnLayoutRecord::columns_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QByteArray>("entry");
    QTest::addColumn<int>("order");
    QTest::addColumn<int>("width");

    QTest::newRow("plain") << 0 << le32(3) + le32(120) << 3 << 120;
    QTest::newRow("last column") << 8 << le32(8) + le32(77) << 8 << 77;
    QTest::newRow("width 0") << 2 << le32(1) + le32(0) << 1 << 0;
    QTest::newRow("negative width") << 4 << le32(2) + le32(-5) << 2 << 0;
    QTest::newRow("most negative width") << 5 << le32(2) + le32(INT32_MIN) << 2 << 0;
    QTest::newRow("width at the limit") << 1 << le32(0) + le32(10000) << 0 << 10000;
    QTest::newRow("width above the limit") << 1 << le32(0) + le32(10001) << 0 << 10000;
    QTest::newRow("largest width") << 6 << le32(0) + le32(INT32_MAX) << 0 << 10000;
    QTest::newRow("negative order kept") << 3 << le32(-1) + le32(50) << -1 << 50;
    QTest::newRow("large order kept") << 7 << le32(0x6e65) + le32(50) << 0x6e65 << 50;
    QTest::newRow("bytes are little-endian")
            << 0 << QByteArray("\x01\x02\x00\x00\x10\x01\x00\x00", 8) << 0x0201 << 0x0110;
}

void tst_ColumnLayoutRecord::columns()
{
    QFETCH(int, column);
    QFETCH(QByteArray, entry);
    QFETCH(int, order);
    QFETCH(int, width);

    // Surround the entry with bytes that must not leak into it.
    QByteArray record(RecordSize, '\x7f');
    record.replace(8 * column, 8, entry);

    const Column c = columnAt(record.constData(), column);
    QCOMPARE(c.order, order);
    QCOMPARE(c.width, width);
    QCOMPARE(columnsOf(record.constData())[column].width, width);
}

namespace {

Columns withOrders(const QList<int> &orders)
{
    Columns columns;
    for (int i = 0; i < ColumnCount; ++i)
        columns[i] = Column{ orders.value(i, 0), 50 };
    return columns;
}

const QList<int> identity{ 0, 1, 2, 3, 4, 5, 6, 7, 8 };

} // namespace

void tst_ColumnLayoutRecord::arrangementFromOrders_data()
{
    QTest::addColumn<QList<int>>("orders");
    QTest::addColumn<QList<int>>("current");
    QTest::addColumn<QList<int>>("expected");

    QTest::newRow("unmoved") << identity << identity << identity;
    QTest::newRow("one column moved to the front")
            << QList<int>{ 1, 2, 3, 0, 4, 5, 6, 7, 8 } << identity
            << QList<int>{ 3, 0, 1, 2, 4, 5, 6, 7, 8 };
    // Moved one by one in column order, this one comes out as 3 0 2 1.
    QTest::newRow("order that one-by-one moves get wrong")
            << QList<int>{ 2, 3, 1, 0, 4, 5, 6, 7, 8 } << identity
            << QList<int>{ 3, 2, 0, 1, 4, 5, 6, 7, 8 };
    QTest::newRow("reversed")
            << QList<int>{ 8, 7, 6, 5, 4, 3, 2, 1, 0 } << identity
            << QList<int>{ 8, 7, 6, 5, 4, 3, 2, 1, 0 };
    QTest::newRow("from a shuffled header")
            << QList<int>{ 1, 0, 2, 3, 4, 5, 6, 7, 8 } << QList<int>{ 8, 7, 6, 5, 4, 3, 2, 1, 0 }
            << QList<int>{ 1, 0, 2, 3, 4, 5, 6, 7, 8 };
    // The language code covers column 8's order: the free position is its own.
    QTest::newRow("column 8 under the code, at the front")
            << QList<int>{ 1, 2, 3, 4, 5, 6, 7, 8, 0x6e65 } << identity
            << QList<int>{ 8, 0, 1, 2, 3, 4, 5, 6, 7 };
    QTest::newRow("column 8 under the code, in the middle")
            << QList<int>{ 0, 1, 2, 3, 5, 6, 7, 8, 0x63 } << identity
            << QList<int>{ 0, 1, 2, 3, 8, 4, 5, 6, 7 };
    QTest::newRow("negative orders stay in their place")
            << QList<int>{ -1, -1, 0, -1, -1, -1, -1, -1, -1 } << identity
            << QList<int>{ 2, 0, 1, 3, 4, 5, 6, 7, 8 };
    QTest::newRow("order 9 is outside")
            << QList<int>{ 9, 9, 9, 9, 9, 9, 9, 9, 9 } << QList<int>{ 4, 0, 1, 2, 3, 5, 6, 7, 8 }
            << QList<int>{ 4, 0, 1, 2, 3, 5, 6, 7, 8 };
    QTest::newRow("all zero, as in a short file")
            << QList<int>{ 0, 0, 0, 0, 0, 0, 0, 0, 0 } << QList<int>{ 1, 0, 2, 3, 4, 5, 6, 7, 8 }
            << QList<int>{ 0, 1, 2, 3, 4, 5, 6, 7, 8 };
    QTest::newRow("duplicates: the first column keeps the position")
            << QList<int>{ 8, 8, 0, 0, 4, 5, 6, 7, 1 } << identity
            << QList<int>{ 2, 8, 1, 3, 4, 5, 6, 7, 0 };
}

void tst_ColumnLayoutRecord::arrangementFromOrders()
{
    QFETCH(QList<int>, orders);
    QFETCH(QList<int>, current);
    QFETCH(QList<int>, expected);

    QCOMPARE(arrangement(withOrders(orders), current), expected);
}

void tst_ColumnLayoutRecord::everySavedArrangementComesBack()
{
    QRandomGenerator gen(2024);
    for (int round = 0; round < 3000; ++round) {
        QList<int> saved = identity;
        QList<int> shown = identity;
        for (int i = ColumnCount - 1; i > 0; --i) {
            saved.swapItemsAt(i, gen.bounded(i + 1));
            shown.swapItemsAt(i, gen.bounded(i + 1));
        }
        QList<int> orders(ColumnCount);
        for (int v = 0; v < ColumnCount; ++v)
            orders[saved[v]] = v;
        QCOMPARE(arrangement(withOrders(orders), shown), saved);
        // Also with column 8's order lost under a language code.
        orders[8] = 0x6e65;
        QCOMPARE(arrangement(withOrders(orders), shown), saved);
    }
}

void tst_ColumnLayoutRecord::language_data()
{
    QTest::addColumn<QByteArray>("tail"); // bytes 64...71
    QTest::addColumn<QString>("language");

    QTest::newRow("en over column 8's order")
            << QByteArray("en\0\0", 4) + le32(90) << QStringLiteral("en");
    QTest::newRow("c over column 8's order")
            << QByteArray("c\0\0\0", 4) + le32(90) << QStringLiteral("c");
    QTest::newRow("no code, small order") << le32(0) + le32(90) << QString();
    QTest::newRow("no code, order 8 reads as a control character")
            << le32(8) + le32(90) << QStringLiteral("\x08");
    QTest::newRow("code of 8 characters, no zero byte")
            << QByteArray("abcdefgh") << QStringLiteral("abcdefgh");
    QTest::newRow("code of 7 characters") << QByteArray("abcdefg\0", 8) << QStringLiteral("abcdefg");
    QTest::newRow("Latin-1 bytes")
            << QByteArray("\xe9t\xe9\0", 4) + le32(1) << QString::fromLatin1("\xe9t\xe9");
    QTest::newRow("stops at the first zero") << QByteArray("de\0xy\0\0\0", 8) << QStringLiteral("de");
}

void tst_ColumnLayoutRecord::language()
{
    QFETCH(QByteArray, tail);
    QFETCH(QString, language);

    QCOMPARE(tail.size(), 8);
    QByteArray record(RecordSize, '\x55');
    record.replace(LanguageOffset, 8, tail);
    QCOMPARE(languageOf(record.constData()), language);
}

void tst_ColumnLayoutRecord::encodeLayout()
{
    const QByteArray record = encode(sampleColumns(), QString());
    QCOMPARE(record.size(), RecordSize);
    // Column 0: order 3, width 40.
    QCOMPARE(record.left(8), le32(3) + le32(40));
    // Column 8 keeps both fields when there is no code.
    QCOMPARE(record.mid(64, 8), le32(4) + le32(40 + 13 * 8));
}

void tst_ColumnLayoutRecord::encodeLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QByteArray>("tail");

    const qint32 width8 = 40 + 13 * 8;
    QTest::newRow("en") << QStringLiteral("en") << QByteArray("en\0\0", 4) + le32(width8);
    QTest::newRow("c") << QStringLiteral("c") << QByteArray("c\0\0\0", 4) + le32(width8);
    QTest::newRow("locale name")
            << QStringLiteral("en_US") << QByteArray("en_US") + le32(width8).mid(1);
    QTest::newRow("8 characters") << QStringLiteral("abcdefgh") << QByteArray("abcdefgh");
    QTest::newRow("cut to 8") << QStringLiteral("abcdefghijk") << QByteArray("abcdefgh");
    QTest::newRow("empty keeps column 8") << QString() << le32(4) + le32(width8);
}

void tst_ColumnLayoutRecord::encodeLanguage()
{
    QFETCH(QString, language);
    QFETCH(QByteArray, tail);

    const QByteArray record = encode(sampleColumns(), language);
    QCOMPARE(record.size(), RecordSize);
    QCOMPARE(record.mid(LanguageOffset), tail);
    // The code never reaches into column 7's entry.
    QCOMPARE(record.mid(56, 8), le32(5) + le32(40 + 13 * 7));
}

void tst_ColumnLayoutRecord::encodeThenDecode()
{
    const Columns columns = sampleColumns();
    for (const QString &code : { QStringLiteral("en"), QStringLiteral("c"),
                                 QStringLiteral("zh_CN"), QStringLiteral("abcdefghij") }) {
        const QByteArray record = encode(columns, code);
        const Columns back = columnsOf(record.constData());
        // Column 8's order lies under the code; its width too once the code
        // is longer than 4 characters.
        for (int i = 0; i < ColumnCount - 1; ++i) {
            QCOMPARE(back[i].width, columns[i].width);
            QCOMPARE(back[i].order, columns[i].order);
        }
        if (code.size() <= 4)
            QCOMPARE(back[ColumnCount - 1].width, columns[ColumnCount - 1].width);
        QCOMPARE(languageOf(record.constData()), code.left(MaxLanguageLength));
    }
}

void tst_ColumnLayoutRecord::traceLineKeepsPercentSigns()
{
    QCOMPARE(traceLine("Assigning col ", 3, QStringLiteral("IP Address "), 97, 2),
             QStringLiteral("Assigning col 3IP Address : width: 97, order: 2"));
    QCOMPARE(traceLine("Detecting col ", 0, QStringLiteral("%d%s%n %1"), 5, 8),
             QStringLiteral("Detecting col 0%d%s%n %1: width: 5, order: 8"));
}

void tst_ColumnLayoutRecord::replaceCreatesAndReplaces()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("config.cfg"));

    QVERIFY(replaceFile(path, pattern(72)));
    QFile first(path);
    QVERIFY(first.open(QIODevice::ReadOnly));
    QCOMPARE(first.readAll(), pattern(72));
    first.close();

    // Replaced while the old file is still held open, as the window does.
    QFile held(path);
    QVERIFY(held.open(QIODevice::ReadWrite));
    QVERIFY(replaceFile(path, QByteArray(72, 'z')));
    QFile second(path);
    QVERIFY(second.open(QIODevice::ReadOnly));
    QCOMPARE(second.readAll(), QByteArray(72, 'z'));
    // No temporary file is left behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{ QStringLiteral("config.cfg") });
}

void tst_ColumnLayoutRecord::replaceRefusesDirectory()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("config.cfg"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("config.cfg")));
    QVERIFY(!replaceFile(path, pattern(72)));
    QVERIFY(QFileInfo(path).isDir());
}

void tst_ColumnLayoutRecord::failedWriteKeepsOldFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("config.cfg"));
    const QByteArray old = randomBytes(72, 99);
    {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        QCOMPARE(out.write(old), qint64(72));
    }

    bool replaced = true;
    {
        // A file size limit smaller than the record makes the write itself fail.
        FileSizeLimit limit(10);
        QVERIFY(limit.ok());
        replaced = replaceFile(path, pattern(72));
    }

    QVERIFY(!replaced);
    QFile in(path);
    QVERIFY(in.open(QIODevice::ReadOnly));
    QCOMPARE(in.readAll(), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{ QStringLiteral("config.cfg") });
}

void tst_ColumnLayoutRecord::unwritableFolderKeepsOldFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("config.cfg"));
    const QByteArray old = randomBytes(72, 5);
    {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        QCOMPARE(out.write(old), qint64(72));
    }
    // The file itself stays writable; only its folder refuses new files.
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0666), 0);
    QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), 0555), 0);

    bool replaced = true;
    {
        // Root ignores folder permissions: try it as an ordinary user.
        AsOrdinaryUser user;
        QVERIFY2(user.ok(), "could not drop to an ordinary user");
        replaced = replaceFile(path, pattern(72));
    }
    ::chmod(QFile::encodeName(dir.path()).constData(), 0755);

    QVERIFY(!replaced);
    QFile in(path);
    QVERIFY(in.open(QIODevice::ReadOnly));
    QCOMPARE(in.readAll(), old);
}

QTEST_APPLESS_MAIN(tst_ColumnLayoutRecord)
#include "tst_columnlayoutrecord.moc"
