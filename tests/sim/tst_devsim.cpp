#include "../support/devsim.h"

#include "net/messages.h"

#include <QTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A client stand-in on 127.0.0.1: queries from an ephemeral port, answers
// collected on 2851.
class Probe
{
public:
    Probe()
    {
        m_fd = ::socket(AF_INET, SOCK_DGRAM, 0);
        const sockaddr_in a = LoopbackAddress(ResponsePort);
        m_bound = ::bind(m_fd, reinterpret_cast<const sockaddr *>(&a), sizeof a) == 0;
    }
    ~Probe() { ::close(m_fd); }
    bool bound() const { return m_bound; }

    void send(const QByteArray &bytes)
    {
        const sockaddr_in to = LoopbackAddress(QueryPort);
        ::sendto(m_fd, bytes.constData(), size_t(bytes.size()), 0, reinterpret_cast<const sockaddr *>(&to), sizeof to);
    }

    // Everything that arrives within the time, in order.
    QList<QByteArray> collect(int expected, int timeoutMs = 3000)
    {
        QList<QByteArray> got;
        QDeadlineTimer deadline(timeoutMs);
        while (!deadline.hasExpired()) {
            pollfd p{m_fd, POLLIN, 0};
            const int wait = got.size() >= expected ? 200 : int(deadline.remainingTime());
            if (::poll(&p, 1, wait) <= 0) {
                if (got.size() >= expected)
                    break;
                continue;
            }
            char buffer[2048];
            const ssize_t n = ::recv(m_fd, buffer, sizeof buffer, 0);
            if (n >= 0)
                got << QByteArray(buffer, n);
        }
        return got;
    }

private:
    int m_fd = -1;
    bool m_bound = false;
};

const QString DeviceA = QStringLiteral("00:1A:2B:3C:4D:5E,1A2B,10.0.0.5,255.255.255.0,10.0.0.1,TRUE,Pump_1,Hall A");
const QString DeviceB = QStringLiteral("00:11:22:33:44:66,FFFFFFFF,10.0.0.6,255.255.255.0,10.0.0.1,FALSE,,Roof,Gate Box");

} // namespace

class tst_DevSim : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void answersReadQueryPerDevice();
    void writeQuery_data();
    void writeQuery();
    void sendsRawDatagrams();
};

void tst_DevSim::initTestCase()
{
    ZOL_REQUIRE_NETNS();
}

void tst_DevSim::answersReadQueryPerDevice()
{
    Probe probe;
    QVERIFY(probe.bound());
    DeviceSimulator sim;
    QVERIFY(sim.start({QStringLiteral("--device"), DeviceA, QStringLiteral("--device"), DeviceB}));
    probe.send("ZOL_READ_QUERY,0,9");
    const QList<QByteArray> answers = probe.collect(2);
    QCOMPARE(answers.size(), 2);

    ReadResponse a;
    QVERIFY(ParseReadResponse(QString::fromLatin1(answers.at(0)), &a));
    QCOMPARE(a.serialField, QStringLiteral("1A2B"));
    QCOMPARE(a.mac, QStringLiteral("00:1A:2B:3C:4D:5E"));
    QCOMPARE(a.ip, QStringLiteral("10.0.0.5"));
    QCOMPARE(a.dhcpField, QStringLiteral("TRUE"));
    QCOMPARE(a.name, QStringLiteral("Pump_1"));
    QCOMPARE(a.location, QStringLiteral("Hall A"));
    QVERIFY(!a.hasDeviceType);

    ReadResponse b;
    QVERIFY(ParseReadResponse(QString::fromLatin1(answers.at(1)), &b));
    QCOMPARE(b.name, QString());
    QCOMPARE(b.location, QStringLiteral("Roof"));
    QVERIFY(b.hasDeviceType);
    QCOMPARE(b.deviceType, QStringLiteral("Gate Box"));

    QVERIFY(sim.waitForReceived(1));
    QCOMPARE(sim.received().at(0).text(), QStringLiteral("ZOL_READ_QUERY,0,9"));
    QVERIFY(sim.received().at(0).source.startsWith(QStringLiteral("127.0.0.1:")));
}

void tst_DevSim::writeQuery_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("mac");
    QTest::addColumn<int>("answers");
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("applied");

    const QString mac = QStringLiteral("00:1A:2B:3C:4D:5E");
    QTest::newRow("accepted") << QStringList() << mac << 1 << QStringLiteral("ZOL_CONFIGURATION_UPDATED") << true;
    QTest::newRow("refused") << QStringList{QStringLiteral("--status"), QStringLiteral("ZOL_SECURITY_VIOLATION")}
                             << mac << 1 << QStringLiteral("ZOL_SECURITY_VIOLATION") << false;
    QTest::newRow("answered twice") << QStringList{QStringLiteral("--answer-twice")} << mac << 2
                                    << QStringLiteral("ZOL_CONFIGURATION_UPDATED") << true;
    QTest::newRow("other device") << QStringList() << QStringLiteral("00:11:22:33:44:99") << 0 << QString() << false;
    QTest::newRow("mac case matters") << QStringList() << QStringLiteral("00:1a:2b:3c:4d:5e") << 0 << QString() << false;
    QTest::newRow("silent") << QStringList{QStringLiteral("--no-write-answer")} << mac << 0 << QString() << false;
}

void tst_DevSim::writeQuery()
{
    QFETCH(QStringList, options);
    QFETCH(QString, mac);
    QFETCH(int, answers);
    QFETCH(QString, status);
    QFETCH(bool, applied);

    Probe probe;
    QVERIFY(probe.bound());
    DeviceSimulator sim;
    QVERIFY(sim.start(QStringList{QStringLiteral("--device"), DeviceA} + options));
    probe.send(FormatWriteQuery(4, mac, QStringLiteral("10.0.0.77"), QStringLiteral("255.0.0.0"),
                                QStringLiteral("10.0.0.254"), false, QStringLiteral("New"), QStringLiteral("There"))
                   .toLatin1());
    const QList<QByteArray> got = probe.collect(answers, answers ? 3000 : 500);
    QCOMPARE(got.size(), answers);
    for (const QByteArray &answer : got) {
        WriteResponse r;
        QVERIFY(ParseWriteResponse(QString::fromLatin1(answer), &r));
        QCOMPARE(r.mac, mac);
        QCOMPARE(r.status, status);
    }

    probe.send("ZOL_READ_QUERY,0,5");
    const QList<QByteArray> read = probe.collect(answers == 2 ? 2 : 1);
    QVERIFY(!read.isEmpty());
    ReadResponse r;
    QVERIFY(ParseReadResponse(QString::fromLatin1(read.at(0)), &r));
    QCOMPARE(r.ip, applied ? QStringLiteral("10.0.0.77") : QStringLiteral("10.0.0.5"));
    QCOMPARE(r.dhcpField, applied ? QStringLiteral("FALSE") : QStringLiteral("TRUE"));
    QCOMPARE(r.location, applied ? QStringLiteral("There") : QStringLiteral("Hall A"));
}

void tst_DevSim::sendsRawDatagrams()
{
    Probe probe;
    QVERIFY(probe.bound());
    DeviceSimulator sim;
    QVERIFY(sim.start({QStringLiteral("--send"), QStringLiteral("127.0.0.1:2851"),
                       QStringLiteral("--hex"), QStringLiteral("41 00 42 e9"),
                       QStringLiteral("--text"), QStringLiteral("ZOL_WRITE_RESPONSE,0,1,M,%s")}));
    const QList<QByteArray> got = probe.collect(2);
    QCOMPARE(got, (QList<QByteArray>{QByteArray("A\0B\xe9", 4), QByteArray("ZOL_WRITE_RESPONSE,0,1,M,%s")}));
}

QTEST_GUILESS_MAIN(tst_DevSim)
#include "tst_devsim.moc"
