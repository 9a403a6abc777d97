#include "../support/devsim.h"
#include "../support/responsecollector.h"
#include "../support/udpstats.h"

#include "ui/appshell.h"
#include "net/deviceresponseevent.h"
#include "net/messages.h"
#include "net/receivethread.h"

#include <QElapsedTimer>
#include <QTest>

#include <sys/socket.h>
#include <unistd.h>

class tst_ReceiveThread : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void eventTypeIsReserved();
    void delivers_data();
    void delivers();
    void twoInArrivalOrder();
    void answerBeforeStartIsKept();
    void floodWhileOwnerIsBusyIsBounded();
    void bindFailureShownOnceOnGuiThread();
    void idleDestructorReleasesPort();
    void neverStartedDestructor();

private:
    bool startListening(ReceiveThread *receiver);

    QStringList m_messages;
    QList<QThread *> m_messageThreads;
};

void tst_ReceiveThread::initTestCase()
{
    ZOL_REQUIRE_NETNS();
}

void tst_ReceiveThread::init()
{
    m_messages.clear();
    m_messageThreads.clear();
    SetMessageHook([this](const QString &text) {
        m_messages << text;
        m_messageThreads << QThread::currentThread();
    });
    QVERIFY2(!UdpPortTaken(ResponsePort), "port 2851 is held before the test");
}

void tst_ReceiveThread::cleanup()
{
    SetMessageHook(nullptr);
}

bool tst_ReceiveThread::startListening(ReceiveThread *receiver)
{
    receiver->start();
    return DeviceSimulator::waitFor([] { return UdpPortTaken(ResponsePort); }, 5000);
}

void tst_ReceiveThread::eventTypeIsReserved()
{
    QCOMPARE(int(DeviceResponseEvent::eventType()), 12345);
    // Reserved: nobody else can be handed the number now.
    QVERIFY(QEvent::registerEventType(12345) != 12345);
}

void tst_ReceiveThread::delivers_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<QString>("text");

    QTest::newRow("answer") << QByteArray("ZOL_READ_RESPONSE,0,1,FF,M,1.2.3.4,255.0.0.0,1.2.3.1,TRUE,N,L,0")
                            << QStringLiteral("ZOL_READ_RESPONSE,0,1,FF,M,1.2.3.4,255.0.0.0,1.2.3.1,TRUE,N,L,0");
    QTest::newRow("empty datagram") << QByteArray() << QString();
    QTest::newRow("NUL inside") << QByteArray("ABC\0DEF", 7) << QStringLiteral("ABC");
    QTest::newRow("NUL first") << QByteArray("\0DEF", 4) << QString();
    QTest::newRow("latin-1") << QByteArray("Caf\xe9 \xff") << QString::fromLatin1("Caf\xe9 \xff");
    QTest::newRow("own query echoed") << QByteArray("ZOL_READ_QUERY,0,1") << QStringLiteral("ZOL_READ_QUERY,0,1");
    QTest::newRow("percent text is data") << QByteArray("%s%n%d") << QStringLiteral("%s%n%d");
    QTest::newRow("511 bytes") << QByteArray(511, 'a') << QString(511, u'a');
    QTest::newRow("512 bytes, no room for a terminator") << QByteArray(512, 'b') << QString(512, u'b');
    QTest::newRow("600 bytes cut to 512") << QByteArray(512, 'c') + QByteArray(88, 'd') << QString(512, u'c');
}

void tst_ReceiveThread::delivers()
{
    QFETCH(QByteArray, datagram);
    QFETCH(QString, text);
    ResponseCollector owner;
    {
        ReceiveThread receiver(&owner);
        QVERIFY(startListening(&receiver));
        SendToLoopback(ResponsePort, {datagram});
        QTRY_COMPARE(owner.texts.size(), 1);
        QCOMPARE(owner.texts.at(0), text);
        QCOMPARE(owner.types, QList<int>{12345});
    }
    QVERIFY(m_messages.isEmpty());
}

void tst_ReceiveThread::twoInArrivalOrder()
{
    ResponseCollector owner;
    ReceiveThread receiver(&owner);
    QVERIFY(startListening(&receiver));
    SendToLoopback(ResponsePort, {"ZOL_READ_RESPONSE,first", "ZOL_READ_RESPONSE,second"});
    QTRY_COMPARE(owner.texts.size(), 2);
    QCOMPARE(owner.texts, (QStringList{QStringLiteral("ZOL_READ_RESPONSE,first"),
                                       QStringLiteral("ZOL_READ_RESPONSE,second")}));
}

void tst_ReceiveThread::answerBeforeStartIsKept()
{
    // The first query leaves right after start(); an answer that beats the
    // new thread must still be there for it.
    ResponseCollector owner;
    ReceiveThread receiver(&owner);
    QVERIFY(UdpPortTaken(ResponsePort));
    SendToLoopback(ResponsePort, {"ZOL_READ_RESPONSE,early"});
    receiver.start();
    QTRY_COMPARE(owner.texts, QStringList{QStringLiteral("ZOL_READ_RESPONSE,early")});
}

void tst_ReceiveThread::floodWhileOwnerIsBusyIsBounded()
{
    // The GUI thread handles nothing (as during the modify flow's pauses)
    // while far more datagrams arrive than may wait: once the kernel's queue
    // is full as well, the answers queued for the GUI thread stop at their
    // bound and the kernel drops the rest; afterwards the receiver still
    // delivers.
    ResponseCollector owner;
    ReceiveThread receiver(&owner);
    QVERIFY(startListening(&receiver));
    const QByteArray padding(480, 'x');
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    const sockaddr_in to = LoopbackAddress(ResponsePort);
    const qint64 dropsBefore = UdpReceiveBufferDrops();
    int sent = 0;
    int peak = 0;
    int sentWhenFull = -1;
    // Until the bound is reached, then as much again as the kernel can hold.
    while (sent < 1000000 && (sentWhenFull < 0 || sent < 2 * sentWhenFull)) {
        for (int i = 0; i < 500; ++i, ++sent) {
            const QByteArray d = "ZOL_READ_RESPONSE," + QByteArray::number(sent) + ',' + padding;
            ::sendto(fd, d.constData(), size_t(d.size()), 0, reinterpret_cast<const sockaddr *>(&to), sizeof to);
        }
        QThread::usleep(200); // a pace the receiver keeps up with
        peak = qMax(peak, DeviceResponseEvent::alive());
        if (sentWhenFull < 0 && peak >= DeviceResponseEvent::MaxWaiting)
            sentWhenFull = sent;
    }
    ::close(fd);
    QThread::msleep(300);
    peak = qMax(peak, DeviceResponseEvent::alive());
    const qint64 dropped = UdpReceiveBufferDrops() - dropsBefore;
    qInfo("%d sent, %d waiting at the most, %lld dropped by the kernel", sent, peak, dropped);
    QCOMPARE(peak, DeviceResponseEvent::MaxWaiting);
    QVERIFY(dropped > 0);

    // What the kernel still held comes next (until nothing more arrives),
    // then a new datagram.
    qsizetype seen = -1;
    QElapsedTimer drain;
    drain.start();
    while ((seen != owner.texts.size() || DeviceResponseEvent::alive() != 0) && drain.elapsed() < 20000) {
        seen = owner.texts.size();
        QTest::qWait(300);
    }
    QCOMPARE(owner.texts.first().section(u',', 0, 1), QStringLiteral("ZOL_READ_RESPONSE,0"));
    QCOMPARE(owner.texts.size() + dropped, qint64(sent));
    owner.texts.clear();
    SendToLoopback(ResponsePort, {"ZOL_READ_RESPONSE,after"});
    QTRY_COMPARE(owner.texts.value(owner.texts.size() - 1), QStringLiteral("ZOL_READ_RESPONSE,after"));
}

void tst_ReceiveThread::bindFailureShownOnceOnGuiThread()
{
    UdpPortHolder holder(ResponsePort);
    QVERIFY(holder.ok());

    ResponseCollector owner;
    {
        ReceiveThread receiver(&owner);
        // Attached as the window attaches it: the box opens on the owner's thread.
        QObject::connect(&receiver, &ReceiveThread::bindFailed, &owner, [] {
            ShowMessage(QStringLiteral("The response socket is unavailable to bind."));
        });
        receiver.start();
        QVERIFY(receiver.wait(5000)); // run() gives up after the failed bind
        QTRY_COMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages.at(0), QStringLiteral("The response socket is unavailable to bind."));
        QCOMPARE(m_messageThreads.at(0), QCoreApplication::instance()->thread());
        SendToLoopback(ResponsePort, {"ZOL_READ_RESPONSE,late"});
        QTest::qWait(200);
        QCOMPARE(m_messages.size(), 1);
    }
    holder.release();
    QVERIFY(owner.texts.isEmpty());
}

void tst_ReceiveThread::idleDestructorReleasesPort()
{
    ResponseCollector owner;
    auto *receiver = new ReceiveThread(&owner);
    QVERIFY(startListening(receiver));
    QTest::qWait(50);
    delete receiver;
    QVERIFY(!UdpPortTaken(ResponsePort)); // the socket went with it
    QVERIFY(m_messages.isEmpty());
}

void tst_ReceiveThread::neverStartedDestructor()
{
    ResponseCollector owner;
    {
        ReceiveThread receiver(&owner);
    }
    QVERIFY(!UdpPortTaken(ResponsePort));
}

QTEST_GUILESS_MAIN(tst_ReceiveThread)
#include "tst_receivethread.moc"
