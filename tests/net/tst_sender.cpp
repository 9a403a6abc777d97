#include "ui/appshell.h"
#include "net/networkplatform.h"
#include "net/sender.h"

#include <QHash>
#include <QTest>

#include <arpa/inet.h>
#include <netinet/in.h>

#include <cstring>

namespace {

NetworkPlatform::UnicastAddress v4(const char *text)
{
    NetworkPlatform::UnicastAddress a;
    auto *in = reinterpret_cast<sockaddr_in *>(&a.address);
    in->sin_family = AF_INET;
    inet_pton(AF_INET, text, &in->sin_addr);
    a.length = sizeof(sockaddr_in);
    return a;
}

NetworkPlatform::UnicastAddress v6(const char *text)
{
    NetworkPlatform::UnicastAddress a;
    auto *in = reinterpret_cast<sockaddr_in6 *>(&a.address);
    in->sin6_family = AF_INET6;
    inet_pton(AF_INET6, text, &in->sin6_addr);
    a.length = sizeof(sockaddr_in6);
    return a;
}

QString addressKey(const NetworkPlatform::UnicastAddress &a)
{
    char text[INET6_ADDRSTRLEN] = {};
    if (a.address.ss_family == AF_INET)
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in *>(&a.address)->sin_addr, text, sizeof text);
    else
        inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6 *>(&a.address)->sin6_addr, text, sizeof text);
    return QString::fromLatin1(text);
}

// Behaves like the Windows conversion: on success the length variable is set
// to the text's size, on lack of room it is raised to the size needed.
class FakePlatform final : public NetworkPlatform
{
public:
    ListResult result = ListResult::Ok;
    QList<Adapter> adapters;
    QHash<QString, int> failuresLeft;   // conversions that fail outright
    std::size_t raiseTo = 0;            // a failing conversion raises the length to this
    QList<std::size_t> lengthsPassed;
    QStringList conversions;            // address of each conversion call
    QStringList sentFrom;
    QList<QByteArray> sentBytes;
    QStringList refuseSendFrom;

    ListResult listAdapters(QList<Adapter> *out) override
    {
        if (result == ListResult::Ok)
            *out = adapters;
        return result;
    }

    bool addressToText(const UnicastAddress &address, char *buffer, std::size_t *length) override
    {
        const QString key = addressKey(address);
        conversions << key;
        lengthsPassed << *length;
        if (failuresLeft.value(key) > 0) {
            failuresLeft[key]--;
            if (raiseTo)
                *length = raiseTo;
            return false;
        }
        const QByteArray text = key.toLatin1();
        const std::size_t needed = static_cast<std::size_t>(text.size()) + 1;
        if (needed > *length) {
            *length = needed;
            return false;
        }
        std::memcpy(buffer, text.constData(), needed);
        *length = needed;
        return true;
    }

    bool sendBroadcast(const QByteArray &bytes, const unsigned char *localIPv4) override
    {
        char text[INET_ADDRSTRLEN] = {};
        inet_ntop(AF_INET, localIPv4, text, sizeof text);
        sentFrom << QString::fromLatin1(text);
        sentBytes << bytes;
        return !refuseSendFrom.contains(QString::fromLatin1(text));
    }
};

} // namespace

class tst_Sender : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void duplicateAddressSentOnce();
    void ipv6Skipped();
    void enumerationOrderKept();
    void carriedLengthRetries();
    void addressFailingThreeTimesIsSkipped();
    void addressFailingTwiceIsSent();
    void raisedLengthNeverExceedsBuffer();
    void enumerationFailures_data();
    void enumerationFailures();
    void clearLatch_data();
    void clearLatch();
    void datagramIsExactLatin1Text();
    void failedSendDoesNotStopOthers();
    void noIPv4SendsNothing();
    void sendFromUnconvertibleText();
    void isIPv4Text_data();
    void isIPv4Text();
    void textToAddress_data();
    void textToAddress();

private:
    FakePlatform *m_fake = nullptr;
    QStringList m_messages;
};

void tst_Sender::init()
{
    m_fake = new FakePlatform;
    SetNetworkPlatform(m_fake);
    m_messages.clear();
    SetMessageHook([this](const QString &text) { m_messages << text; });
}

void tst_Sender::cleanup()
{
    SetMessageHook(nullptr);
    SetNetworkPlatform(nullptr);
    delete m_fake;
    m_fake = nullptr;
}

void tst_Sender::duplicateAddressSentOnce()
{
    m_fake->adapters = {{{v4("10.0.0.1")}}, {{v4("10.0.0.1")}}};
    SendToAllAdapters(QStringLiteral("ZOL_READ_QUERY,0,1"), false);
    QCOMPARE(m_fake->sentFrom, QStringList{QStringLiteral("10.0.0.1")});
    QVERIFY(m_messages.isEmpty());
}

void tst_Sender::ipv6Skipped()
{
    m_fake->adapters = {{{v6("fe80::1"), v4("192.168.1.20"), v6("2001:db8::5")}}};
    SendToAllAdapters(QStringLiteral("ZOL_READ_QUERY,0,1"), false);
    QCOMPARE(m_fake->sentFrom, QStringList{QStringLiteral("192.168.1.20")});
}

void tst_Sender::enumerationOrderKept()
{
    m_fake->adapters = {{{v4("10.0.0.9"), v6("::1"), v4("10.0.0.2")}},
                        {{v4("127.0.0.1"), v4("10.0.0.9")}},
                        {},
                        {{v4("172.16.0.1")}}};
    SendToAllAdapters(QStringLiteral("Q"), false);
    const QStringList expected{QStringLiteral("10.0.0.9"), QStringLiteral("10.0.0.2"),
                               QStringLiteral("127.0.0.1"), QStringLiteral("172.16.0.1")};
    QCOMPARE(m_fake->sentFrom, expected);
}

void tst_Sender::carriedLengthRetries()
{
    // The second, longer address first fails for the room the first one left.
    m_fake->adapters = {{{v4("1.2.3.4")}}, {{v4("192.168.100.200")}}};
    SendToAllAdapters(QStringLiteral("Q"), false);
    QCOMPARE(m_fake->sentFrom, (QStringList{QStringLiteral("1.2.3.4"), QStringLiteral("192.168.100.200")}));
    QCOMPARE(m_fake->lengthsPassed, (QList<std::size_t>{128, 8, 16}));
}

void tst_Sender::addressFailingThreeTimesIsSkipped()
{
    m_fake->adapters = {{{v4("10.0.0.1"), v4("10.0.0.2")}}};
    m_fake->failuresLeft.insert(QStringLiteral("10.0.0.1"), 3);
    SendToAllAdapters(QStringLiteral("Q"), false);
    QCOMPARE(m_fake->conversions.count(QStringLiteral("10.0.0.1")), 3);
    QCOMPARE(m_fake->sentFrom, QStringList{QStringLiteral("10.0.0.2")});
    QVERIFY(m_messages.isEmpty());
}

void tst_Sender::addressFailingTwiceIsSent()
{
    m_fake->adapters = {{{v4("10.0.0.1")}}};
    m_fake->failuresLeft.insert(QStringLiteral("10.0.0.1"), 2);
    SendToAllAdapters(QStringLiteral("Q"), false);
    QCOMPARE(m_fake->conversions.count(QStringLiteral("10.0.0.1")), 3);
    QCOMPARE(m_fake->sentFrom, QStringList{QStringLiteral("10.0.0.1")});
}

void tst_Sender::raisedLengthNeverExceedsBuffer()
{
    // A conversion that asks for more room than the 128-byte buffer has must
    // not be handed that room on the next attempt.
    m_fake->adapters = {{{v4("10.0.0.1")}}};
    m_fake->failuresLeft.insert(QStringLiteral("10.0.0.1"), 1);
    m_fake->raiseTo = 4096;
    SendToAllAdapters(QStringLiteral("Q"), false);
    QCOMPARE(m_fake->lengthsPassed.size(), 2);
    for (std::size_t length : std::as_const(m_fake->lengthsPassed))
        QVERIFY2(length <= 128, QByteArray::number(qulonglong(length)));
    QCOMPARE(m_fake->sentFrom, QStringList{QStringLiteral("10.0.0.1")});
}

void tst_Sender::enumerationFailures_data()
{
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("message");
    QTest::newRow("adapter list unavailable") << int(NetworkPlatform::ListResult::AccessFailed)
                                              << QStringLiteral("Unable to access network adapters\n");
    QTest::newRow("no memory for the list") << int(NetworkPlatform::ListResult::AllocFailed)
                                            << QStringLiteral("Unable to allocate memory needed to call GetAdaptersAddresses\n");
}

void tst_Sender::enumerationFailures()
{
    QFETCH(int, result);
    QFETCH(QString, message);
    m_fake->adapters = {{{v4("10.0.0.1")}}};
    m_fake->result = NetworkPlatform::ListResult(result);
    WriteAnswered = true;
    QCOMPARE(SendToAllAdapters(QStringLiteral("Q"), true), message);
    QVERIFY(m_fake->sentFrom.isEmpty());
    QVERIFY(m_fake->conversions.isEmpty());
    QVERIFY(!WriteAnswered); // cleared before anything else
}

void tst_Sender::clearLatch_data()
{
    QTest::addColumn<bool>("clearLatch");
    QTest::addColumn<bool>("before");
    QTest::addColumn<bool>("after");
    QTest::newRow("write query clears") << true << true << false;
    QTest::newRow("read query leaves it set") << false << true << true;
    QTest::newRow("read query leaves it clear") << false << false << false;
}

void tst_Sender::clearLatch()
{
    QFETCH(bool, clearLatch);
    QFETCH(bool, before);
    QFETCH(bool, after);
    m_fake->adapters = {{{v4("10.0.0.1")}}};
    WriteAnswered = before;
    SendToAllAdapters(QStringLiteral("Q"), clearLatch);
    QCOMPARE(WriteAnswered, after);
    QCOMPARE(m_fake->sentFrom.size(), 1);
}

void tst_Sender::datagramIsExactLatin1Text()
{
    m_fake->adapters = {{{v4("10.0.0.1"), v4("10.0.0.2")}}};
    const QString message = QStringLiteral("ZOL_WRITE_QUERY,0,2,M,a,b,c,FALSE,Caf") + QChar(0xe9) + QStringLiteral(",,");
    SendToAllAdapters(message, false);
    QCOMPARE(m_fake->sentBytes.size(), 2);
    const QByteArray expected = QByteArray("ZOL_WRITE_QUERY,0,2,M,a,b,c,FALSE,Caf\xe9,,");
    QCOMPARE(m_fake->sentBytes.at(0), expected);
    QCOMPARE(m_fake->sentBytes.at(1), expected);
    QVERIFY(!m_fake->sentBytes.at(0).contains('\0'));
}

void tst_Sender::failedSendDoesNotStopOthers()
{
    m_fake->adapters = {{{v4("10.0.0.1")}}, {{v4("10.0.0.2")}}};
    m_fake->refuseSendFrom << QStringLiteral("10.0.0.1");
    SendToAllAdapters(QStringLiteral("Q"), false);
    QCOMPARE(m_fake->sentFrom, (QStringList{QStringLiteral("10.0.0.1"), QStringLiteral("10.0.0.2")}));
    QVERIFY(m_messages.isEmpty());
}

void tst_Sender::noIPv4SendsNothing()
{
    m_fake->adapters = {{{v6("::1")}}, {{v6("fe80::abcd")}}};
    SendToAllAdapters(QStringLiteral("Q"), false);
    QVERIFY(m_fake->sentFrom.isEmpty());
    QVERIFY(m_messages.isEmpty());
}

void tst_Sender::sendFromUnconvertibleText()
{
    QVERIFY(SendFromAddress("Q", QStringLiteral("10.1.2.3")));
    QVERIFY(SendFromAddress("Q", QStringLiteral("not an address")));
    QCOMPARE(m_fake->sentFrom, (QStringList{QStringLiteral("10.1.2.3"), QStringLiteral("0.0.0.0")}));
}

void tst_Sender::isIPv4Text_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("shortest quad") << "1.2.3.4" << true;
    QTest::newRow("broadcast") << "255.255.255.255" << true;
    QTest::newRow("loopback") << "127.0.0.1" << true;
    QTest::newRow("all zero") << "0.0.0.0" << true;
    QTest::newRow("sixteen characters") << "255.255.255.2555" << false;
    QTest::newRow("six characters") << "1.2.34" << false;
    QTest::newRow("three parts") << "10.200.30" << false;
    QTest::newRow("three parts, long") << "100.200.300" << false;
    QTest::newRow("link-local v6") << "fe80::1%1" << false;
    QTest::newRow("v6 loopback") << "::1" << false;
    QTest::newRow("mapped v6") << "::ffff:1.2.3.4" << false;
    QTest::newRow("dot run is one separator") << "1..2.3.4" << true;
    QTest::newRow("leading and trailing dots") << ".1.2.3.4." << true;
    QTest::newRow("five parts, first four tested") << "1.2.3.4.5" << true;
    QTest::newRow("256 reduces to zero") << "256.1.1.1" << false;
    QTest::newRow("257 reduces to one") << "257.1.1.1" << true;
    QTest::newRow("double zero is not 0") << "00.1.1.1" << false;
    QTest::newRow("letters read as zero") << "a.b.c.d.e" << false;
    QTest::newRow("trailing letters ignored") << "1.2.3.4abc" << true;
    QTest::newRow("zero part exactly 0") << "10.0.0.1" << true;
    QTest::newRow("empty") << "" << false;
}

void tst_Sender::isIPv4Text()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QCOMPARE(IsIPv4Text(text), accepted);
}

void tst_Sender::textToAddress_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QByteArray>("bytes");

    const int v4f = int(AddressFamily::IPv4);
    const int v6f = int(AddressFamily::IPv6);
    QTest::newRow("v4") << v4f << "10.77.1.1" << true << QByteArray("\x0a\x4d\x01\x01", 4);
    QTest::newRow("v4 broadcast") << v4f << "255.255.255.255" << true << QByteArray("\xff\xff\xff\xff", 4);
    QTest::newRow("v4 garbage") << v4f << "10.77.1" << false << QByteArray();
    QTest::newRow("v4 family with v6 text") << v4f << "::1" << false << QByteArray();
    QTest::newRow("v6") << v6f << "::1" << true << QByteArray(15, '\0') + QByteArray(1, '\x01');
    QTest::newRow("v6 family with v4 text") << v6f << "1.2.3.4" << false << QByteArray();
    QTest::newRow("other family") << int(AddressFamily::Other) << "1.2.3.4" << false << QByteArray();
    QTest::newRow("empty") << v4f << "" << false << QByteArray();
}

void tst_Sender::textToAddress()
{
    QFETCH(int, family);
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(QByteArray, bytes);
    unsigned char out[16];
    std::memset(out, 0xAA, sizeof out);
    QCOMPARE(TextToAddress(AddressFamily(family), text, out), ok);
    if (ok) {
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(out), bytes.size()), bytes);
        for (qsizetype i = bytes.size(); i < 16; ++i)
            QCOMPARE(int(out[i]), 0xAA);
    } else {
        for (unsigned char c : out)
            QCOMPARE(int(c), 0xAA); // untouched on failure
    }
}

QTEST_GUILESS_MAIN(tst_Sender)
#include "tst_sender.moc"
