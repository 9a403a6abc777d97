// SPDX-License-Identifier: Apache-2.0
// The simulator's lossy network: --loss drops queries and answers, each
// direction drawn on its own.

#include "../support/devsim.h"

#include "net/messages.h"

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
    QUdpSocket queries;
    for (int i = 1; i <= 100; ++i)
        queries.writeDatagram(FormatReadQuery(i).toLatin1(), QHostAddress::LocalHost, QueryPort);
    // Each query is taken or lost; each one taken is answered or its answer lost.
    const auto count = [&](const QString &prefix) { return int(sim.logLines(prefix).size()); };
    QVERIFY(DeviceSimulator::waitFor([&] { return count(u"RECV "_s) + count(u"LOST RECV "_s) == 100; }, 5000));
    QVERIFY(DeviceSimulator::waitFor([&] { return count(u"SENT "_s) + count(u"LOST SENT "_s) == count(u"RECV "_s); }, 5000));
    const int lostQueries = count(u"LOST RECV "_s), lostAnswers = count(u"LOST SENT "_s);
    QVERIFY2(lostQueries >= 20 && lostQueries <= 60 && lostAnswers >= 12 && lostAnswers <= 36,
             qPrintable(u"%1 queries and %2 answers lost"_s.arg(lostQueries).arg(lostAnswers)));
}

QTEST_GUILESS_MAIN(tst_Devsim)
#include "tst_devsim.moc"
