// During a burst the receiver leaves answers in the kernel's queue while the
// GUI thread has plenty queued already, and hands them over as it catches up:
// none lost, none out of order, and the queue of posted answers stays short.

#include "../support/devsim.h"
#include "../support/responsecollector.h"

#include "net/deviceresponseevent.h"
#include "net/messages.h"
#include "net/receivethread.h"

#include <QElapsedTimer>
#include <QTest>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

namespace {

void sendBurst(int count)
{
    QList<QByteArray> burst;
    for (int i = 0; i < count; ++i)
        burst << "ZOL_READ_RESPONSE,0,1,1,MAC" + QByteArray::number(i);
    SendToLoopback(ResponsePort, burst);
}

} // namespace

class tst_ReceiverHoldBack : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void burstWaitsInTheKernel();
    void waitEndsWhenAnswersAreHandled();
    void waitEndsAfterItsTime();
};

void tst_ReceiverHoldBack::initTestCase()
{
    ZOL_REQUIRE_NETNS();
}

void tst_ReceiverHoldBack::burstWaitsInTheKernel()
{
    constexpr int Count = 3000;
    ResponseCollector owner;
    ReceiveThread receiver(&owner);
    receiver.start();
    QVERIFY(!receiver.holdingBack());
    sendBurst(Count);

    // Nothing handled yet: the receiver stops posting at a few hundred and
    // says it is holding the rest back.
    QTRY_VERIFY_WITH_TIMEOUT(receiver.holdingBack(), 5000);
    const int posted = DeviceResponseEvent::alive();
    QVERIFY2(posted >= 100 && posted <= 512, qPrintable(QString::number(posted)));
    QTest::qSleep(100);
    QCOMPARE(DeviceResponseEvent::alive(), posted);

    // Handling them lets the rest through, in order, all of them.
    QTRY_COMPARE_WITH_TIMEOUT(owner.texts.size(), Count, 10000);
    for (int i = 0; i < Count; ++i)
        QCOMPARE(owner.texts.at(i), QStringLiteral("ZOL_READ_RESPONSE,0,1,1,MAC%1").arg(i));
    QTRY_VERIFY(!receiver.holdingBack());
    QCOMPARE(DeviceResponseEvent::alive(), 0);
}

void tst_ReceiverHoldBack::waitEndsWhenAnswersAreHandled()
{
    std::vector<std::unique_ptr<DeviceResponseEvent>> queued;
    for (int i = 0; i < 10; ++i)
        queued.push_back(std::make_unique<DeviceResponseEvent>(QStringLiteral("x")));
    std::atomic<bool> returned{false};
    std::thread waiter([&returned] {
        DeviceResponseEvent::waitUntilFewerAlive(5, 10000);
        returned = true;
    });
    QTest::qSleep(50);
    const bool returnedWhileTenAlive = returned;
    // Handling six of them brings the count below five, which wakes the
    // waiter long before its time is up.
    QElapsedTimer sinceHandled;
    sinceHandled.start();
    queued.erase(queued.begin(), queued.begin() + 6);
    waiter.join();
    QVERIFY(!returnedWhileTenAlive);
    QVERIFY2(sinceHandled.elapsed() < 5000, qPrintable(QString::number(sinceHandled.elapsed())));
}

void tst_ReceiverHoldBack::waitEndsAfterItsTime()
{
    DeviceResponseEvent queued(QStringLiteral("x"));
    QElapsedTimer waited;
    waited.start();
    DeviceResponseEvent::waitUntilFewerAlive(1, 100);
    QVERIFY(waited.elapsed() >= 90);
    QVERIFY(waited.elapsed() < 5000);
}

QTEST_GUILESS_MAIN(tst_ReceiverHoldBack)
#include "tst_receiverholdback.moc"
