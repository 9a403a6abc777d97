// SPDX-License-Identifier: Apache-2.0
#include "../support/netns.h"

#include "net/deviceresponseevent.h"
#include "net/messages.h"
#include "net/receivethread.h"

#include <QSignalSpy>
#include <QTest>
#include <QUdpSocket>

namespace {
// Stands for the receiver's owner.
struct Collector : QObject
{
    QStringList texts;
    void customEvent(QEvent *event) override { texts << static_cast<DeviceResponseEvent *>(event)->text(); }
};
} // namespace

class tst_ReceiveThread : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ZOL_REQUIRE_NETNS(); }
    void datagramText_data();
    void datagramText();
    void burstInArrivalOrder();
    void takenPortSignalled();
};

void tst_ReceiveThread::datagramText_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<QString>("text");
    QTest::newRow("cut at the first NUL") << QByteArray("ABC\0DEF", 7) << QStringLiteral("ABC");
    QTest::newRow("NUL first gives an empty text") << QByteArray("\0DEF", 4) << QString();
    QTest::newRow("512 bytes kept whole") << QByteArray(512, 'b') << QString(512, u'b');
    QTest::newRow("600 bytes cut to 512") << QByteArray(512, 'c') + QByteArray(88, 'd') << QString(512, u'c');
    QTest::newRow("Latin-1 bytes") << QByteArray("Caf\xe9") << QString::fromLatin1("Caf\xe9");
}

void tst_ReceiveThread::datagramText()
{
    QFETCH(QByteArray, datagram);
    QFETCH(QString, text);
    Collector owner;
    ReceiveThread receiver(&owner);
    receiver.start();
    QUdpSocket device;
    for (const QByteArray &d : {datagram, QByteArray("second")})
        QCOMPARE(device.writeDatagram(d, QHostAddress::LocalHost, ResponsePort), d.size());
    QTRY_COMPARE(owner.texts, QStringList({text, QStringLiteral("second")}));
}

void tst_ReceiveThread::burstInArrivalOrder()
{
    // Many more answers than one read takes, of varied lengths: each one
    // whole, in the order sent.
    Collector owner;
    ReceiveThread receiver(&owner);
    receiver.start();
    QUdpSocket device;
    QStringList sent;
    for (int i = 0; i < 300; ++i) {
        sent << QString::number(i).repeated(i % 7 + 1);
        QCOMPARE(device.writeDatagram(sent.last().toLatin1(), QHostAddress::LocalHost, ResponsePort), sent.last().size());
    }
    QTRY_COMPARE(owner.texts, sent);
}

void tst_ReceiveThread::takenPortSignalled()
{
    QUdpSocket other; // another program on the port
    QVERIFY(other.bind(QHostAddress::LocalHost, ResponsePort, QUdpSocket::DontShareAddress));
    Collector owner;
    ReceiveThread receiver(&owner);
    QSignalSpy failed(&receiver, &ReceiveThread::bindFailed);
    receiver.start();
    QVERIFY(receiver.wait(5000)); // it ends at once without a socket
    QCOMPARE(failed.size(), 1);
}

QTEST_GUILESS_MAIN(tst_ReceiveThread)
#include "tst_receivethread.moc"
