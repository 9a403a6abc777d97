// The font configuration is loaded on a thread of its own while the
// application object is built, as the program starts. Waiting is safe in any
// order, leaving without waiting is safe, and the toolkit's fonts work after.

#include "app/fontwarmup.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QTest>

class tst_FontWarmUp : public QObject
{
    Q_OBJECT

private slots:
    void fontsAfterWaiting();
    void waitingTwice();
    void endsWithoutWaiting();

private:
    static int advanceOfSample();
};

int tst_FontWarmUp::advanceOfSample()
{
    return QFontMetrics(QApplication::font()).horizontalAdvance(QStringLiteral("Serial Number "));
}

void tst_FontWarmUp::fontsAfterWaiting()
{
    // main() below started the warm-up before the application object.
    QVERIFY(!QFontDatabase::families().isEmpty());
    QVERIFY(QFontMetrics(QApplication::font()).height() > 0);
    QVERIFY(advanceOfSample() > 0);
}

void tst_FontWarmUp::waitingTwice()
{
    const int before = advanceOfSample();
    FontConfigWarmUp warmUp;
    warmUp.wait();
    warmUp.wait();
    QCOMPARE(advanceOfSample(), before);
}

void tst_FontWarmUp::endsWithoutWaiting()
{
    // The destructor waits for the thread (leaving early after a start-up
    // message must not end the process); the toolkit's fonts are unchanged.
    const int before = advanceOfSample();
    for (int i = 0; i < 3; ++i)
        FontConfigWarmUp warmUp;
    QCOMPARE(advanceOfSample(), before);
}

int main(int argc, char **argv)
{
    FontConfigWarmUp warmUp;
    QApplication app(argc, argv);
    warmUp.wait();
    tst_FontWarmUp test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_fontwarmup.moc"
