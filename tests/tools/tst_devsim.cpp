// The simulator's lossy network: what --loss drops never reaches the other
// side, in either direction.

#include "../support/devsim.h"

#include "net/messages.h"

#include <QNetworkDatagram>
#include <QTest>
#include <QUdpSocket>

using namespace Qt::StringLiterals;

class tst_Devsim : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ZOL_REQUIRE_NETNS(); }
    void lossDropsQueriesAndAnswers();
};

void tst_Devsim::lossDropsQueriesAndAnswers()
{
    DeviceSimulator sim;
    QVERIFY(sim.start(DeviceSimulator::deviceArguments({u"00:1A:2B:3C:4D:5E,1,10.0.0.9,255.0.0.0,10.0.0.1,TRUE,A,B"_s})
                      << u"--loss"_s << u"40"_s << u"--seed"_s << u"7"_s));
    QUdpSocket answers, queries;
    QVERIFY(answers.bind(QHostAddress::LocalHost, ResponsePort));
    constexpr int Queries = 100;
    for (int i = 1; i <= Queries; ++i)
        QVERIFY(queries.writeDatagram(FormatReadQuery(i).toLatin1(), QHostAddress::LocalHost, QueryPort) > 0);
    // Each query is taken or lost; each one taken gets its one device's answer, sent or lost.
    const auto lostQueries = [&] { return sim.logLines(u"LOST RECV "_s).size(); };
    QVERIFY(DeviceSimulator::waitFor([&] { return sim.received().size() + lostQueries() == Queries; }, 5000));
    const qsizetype taken = sim.received().size();
    const auto sent = [&] { return sim.logLines(u"SENT "_s).size(); };
    const auto lostAnswers = [&] { return sim.logLines(u"LOST SENT "_s).size(); };
    QVERIFY(DeviceSimulator::waitFor([&] { return sent() + lostAnswers() == taken; }, 5000));
    // About the share asked for, drawn separately each way.
    QVERIFY2(lostQueries() >= 20 && lostQueries() <= 60, qPrintable(QString::number(lostQueries())));
    QVERIFY2(lostAnswers() >= taken / 5 && lostAnswers() <= taken * 3 / 5, qPrintable(QString::number(lostAnswers())));

    int arrived = 0;
    const auto read = [&] {
        while (answers.hasPendingDatagrams() && answers.receiveDatagram().isValid())
            ++arrived;
        return arrived >= sent();
    };
    QVERIFY(DeviceSimulator::waitFor(read, 5000));
    QTest::qWait(100);
    read();
    QCOMPARE(arrived, sent());
}

QTEST_GUILESS_MAIN(tst_Devsim)
#include "tst_devsim.moc"
