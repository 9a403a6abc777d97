// SPDX-License-Identifier: Apache-2.0
// A flood at the receiver while the GUI thread is busy elsewhere: the answers
// waiting for it stay bounded (the rest is left to the socket's buffer, which
// drops what does not fit), and reading resumes once they are handled.

#include "../support/netns.h"

#include "net/deviceresponseevent.h"
#include "net/messages.h"
#include "net/receivethread.h"

#include <QElapsedTimer>
#include <QTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

class Owner final : public QObject
{
public:
    int handled = 0;
    bool event(QEvent *e) override
    {
        if (e->type() != DeviceResponseEvent::eventType())
            return QObject::event(e);
        ++handled;
        return true;
    }
};

// Waits, without handling events, until alive() has not changed for 300 ms.
int settledAlive()
{
    int last = -1;
    for (int still = 0, round = 0; still < 30 && round < 3000; ++round) {
        const int now = DeviceResponseEvent::alive();
        still = now == last ? still + 1 : 0;
        last = now;
        QThread::msleep(10);
    }
    return last;
}

} // namespace

class tst_Flood : public QObject
{
    Q_OBJECT

private slots:
    void waitingAnswersStayBounded();
};

void tst_Flood::waitingAnswersStayBounded()
{
    ZOL_REQUIRE_NETNS();
    Owner owner;
    ReceiveThread receiver(&owner);
    QVERIFY(receiver.isBound());
    receiver.start();

    // Enough to fill the socket's 64 MiB queue to half, where the receiver
    // stops leaving answers there, and then several times the bound.
    const int count = qMax(200000, qEnvironmentVariableIntValue("ZOL_FLOOD_COUNT"));
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(ResponsePort);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    QByteArray datagram(MaxDatagramText - 12, 'x');
    datagram.prepend("ZOL_READ_RESPONSE,");
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < count; ++i)
        ::sendto(fd, datagram.constData(), size_t(datagram.size()), 0, reinterpret_cast<sockaddr *>(&to), sizeof to);
    ::close(fd);
    const int waiting = settledAlive();
    qInfo("flood: %d datagrams sent in %lld ms, %d answers waiting", count, clock.elapsed(), waiting);
    QVERIFY2(waiting <= DeviceResponseEvent::MaxWaiting, "answers queue without bound");
    QVERIFY2(waiting > DeviceResponseEvent::MaxWaiting / 2, "the flood never reached the bound");

    // Handled answers make room: the receiver reads on from the socket.
    QTRY_VERIFY_WITH_TIMEOUT(owner.handled > waiting, 10000);
}

QTEST_GUILESS_MAIN(tst_Flood)
#include "tst_flood.moc"
