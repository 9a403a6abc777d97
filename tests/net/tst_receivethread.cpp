#include "../support/devsim.h"

#include "net/deviceresponseevent.h"
#include "net/messages.h"
#include "net/receivethread.h"

#include <QSignalSpy>
#include <QTest>

#include <netinet/in.h>
#include <unistd.h>

namespace {
// Stands for the receiver's owner.
struct Collector : QObject
{
    QStringList texts;
    void customEvent(QEvent *event) override { texts << static_cast<DeviceResponseEvent *>(event)->text(); }
};

// A socket bound to 127.0.0.1 (port 0: any); sends to the answer port.
int loopbackSocket(quint16 port)
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a{AF_INET, htons(port), {htonl(INADDR_LOOPBACK)}, {}};
    return ::bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0 ? fd : -1;
}
} // namespace

class tst_ReceiveThread : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ZOL_REQUIRE_NETNS(); }
    void datagramText_data();
    void datagramText();
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
    const int fd = loopbackSocket(0);
    const sockaddr_in to{AF_INET, htons(ResponsePort), {htonl(INADDR_LOOPBACK)}, {}};
    for (const QByteArray &d : {datagram, QByteArray("second")})
        ::sendto(fd, d.constData(), size_t(d.size()), 0, reinterpret_cast<const sockaddr *>(&to), sizeof to);
    ::close(fd);
    QTRY_COMPARE(owner.texts, QStringList({text, QStringLiteral("second")}));
}

void tst_ReceiveThread::takenPortSignalled()
{
    const int holder = loopbackSocket(ResponsePort); // another program on the port
    QVERIFY(holder >= 0);
    Collector owner;
    ReceiveThread receiver(&owner);
    QSignalSpy failed(&receiver, &ReceiveThread::bindFailed);
    receiver.start();
    QVERIFY(receiver.wait(5000)); // it ends at once without a socket
    QCOMPARE(failed.size(), 1);
    ::close(holder);
}

QTEST_GUILESS_MAIN(tst_ReceiveThread)
#include "tst_receivethread.moc"
