// The cheap width bound must never be below the width the list's text layout
// gives (a column left too narrow would cut a text short), and close enough
// above it to be worth having.

#include "mainwindow/textwidthbound.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QRandomGenerator>
#include <QTest>

namespace {

QString printableLatin1()
{
    QString chars;
    for (char16_t c = 0x20; c < 0x7F; ++c)
        chars += QChar(c);
    for (char16_t c = 0xA0; c <= 0xFF; ++c) {
        if (c != 0xAD)
            chars += QChar(c);
    }
    return chars;
}

} // namespace

class tst_TextWidthBound : public QObject
{
    Q_OBJECT

private slots:
    void neverBelowLayout_data();
    void neverBelowLayout();
    void closeAboveLayout();
    void unboundedTexts_data();
    void unboundedTexts();
    void followsTheFont();
};

void tst_TextWidthBound::neverBelowLayout_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<qreal>("pointSize");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("kerning");

    const QString system = QApplication::font().family();
    QTest::newRow("default font") << system << QApplication::font().pointSizeF() << false << true;
    QTest::newRow("small") << system << qreal(6.5) << false << true;
    QTest::newRow("large bold") << system << qreal(21) << true << true;
    QTest::newRow("no kerning") << system << qreal(11) << false << false;
    QTest::newRow("serif") << QStringLiteral("Serif") << qreal(10) << false << true;
    QTest::newRow("monospace") << QStringLiteral("Monospace") << qreal(10) << false << true;
}

void tst_TextWidthBound::neverBelowLayout()
{
    QFETCH(QString, family);
    QFETCH(qreal, pointSize);
    QFETCH(bool, bold);
    QFETCH(bool, kerning);
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setKerning(kerning);
    const QFontMetrics metrics(font);
    TextWidthBound bound;

    // Pairs known to be kerned apart or together, repeated, and the kind of
    // texts devices send.
    QStringList texts{QStringLiteral("-J-J-J-J-J"), QString::fromLatin1("\xab\xc6\xab\xc6\xab\xc6"),
                      QStringLiteral("AVAVAVAV"), QStringLiteral("LTLTLT"), QStringLiteral("f.f.f.f."),
                      QStringLiteral("\"A\"A\"A"), QStringLiteral("T,T,T,"), QStringLiteral("Yo Yo Yo"),
                      QStringLiteral("ffi ffl fi fl"), QStringLiteral("00:1A:2B:3C:4D:5E"),
                      QStringLiteral("255.255.255.255"), QStringLiteral("-000001"), QStringLiteral("Gate Box")};
    const QString chars = printableLatin1();
    QRandomGenerator random(4711);
    for (int i = 0; i < 3000; ++i) {
        QString text;
        const int length = 1 + int(random.bounded(24));
        for (int k = 0; k < length; ++k)
            text += chars.at(int(random.bounded(chars.size())));
        texts << text;
    }
    for (const QString &text : std::as_const(texts)) {
        const int upper = bound.upperBound(font, text);
        QVERIFY2(upper >= 0, qPrintable(text));
        QVERIFY2(upper >= metrics.horizontalAdvance(text),
                 qPrintable(QStringLiteral("%1: %2 < %3").arg(text).arg(upper).arg(metrics.horizontalAdvance(text))));
    }
}

void tst_TextWidthBound::closeAboveLayout()
{
    // For what devices send the bound is within a few pixels: otherwise
    // every text would be laid out anyway.
    const QFont font = QApplication::font();
    const QFontMetrics metrics(font);
    TextWidthBound bound;
    for (const QString &text : {QStringLiteral("00:1A:2B:3C:4D:5E"), QStringLiteral("10.77.255.254"),
                                QStringLiteral("0069905"), QStringLiteral("Device_12345"),
                                QStringLiteral("Building 42"), QStringLiteral("VRD Module")}) {
        const int upper = bound.upperBound(font, text);
        QVERIFY2(upper - metrics.horizontalAdvance(text) <= 1, qPrintable(text));
    }
}

void tst_TextWidthBound::unboundedTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("Chinese") << QStringLiteral("启用");
    QTest::newRow("tab") << QStringLiteral("a\tb");
    QTest::newRow("soft hyphen") << QString::fromLatin1("Ger\xe4te\xadliste");
    QTest::newRow("control character") << QString::fromLatin1("a\x85" "b");
    QTest::newRow("combining accent") << QStringLiteral("e\u0301");
}

void tst_TextWidthBound::unboundedTexts()
{
    QFETCH(QString, text);
    TextWidthBound bound;
    QCOMPARE(bound.upperBound(QApplication::font(), text), -1);
}

void tst_TextWidthBound::followsTheFont()
{
    TextWidthBound bound;
    const QString text = QStringLiteral("255.255.255.0");
    QFont small = QApplication::font();
    small.setPointSizeF(8);
    QFont large = small;
    large.setPointSizeF(24);
    const int smallBound = bound.upperBound(small, text);
    const int largeBound = bound.upperBound(large, text);
    QVERIFY(largeBound >= QFontMetrics(large).horizontalAdvance(text));
    QVERIFY(smallBound < largeBound);
    QCOMPARE(bound.upperBound(small, text), smallBound);

    // Spacing changes the layout of the whole text: not bounded this way.
    QFont spaced = small;
    spaced.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    QCOMPARE(bound.upperBound(spaced, text), -1);
    QFont capitals = small;
    capitals.setCapitalization(QFont::SmallCaps);
    QCOMPARE(bound.upperBound(capitals, text), -1);
}

QTEST_MAIN(tst_TextWidthBound)
#include "tst_textwidthbound.moc"
