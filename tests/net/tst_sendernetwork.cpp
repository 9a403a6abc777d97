#include "../support/devsim.h"

#include "ui/appshell.h"
#include "net/messages.h"
#include "net/sender.h"

#include <QTest>

// The real sender over two simulated segments (see tools/netns.sh).
class tst_SenderNetwork : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void eachSegmentHearsItsOwnAddressOnce();
    void heldPortStopsOnlyThatAddress();

private:
    bool startSimulators();

    QStringList m_segments;
    QStringList m_clientAddresses;
    QList<DeviceSimulator *> m_sims;
    DeviceSimulator *m_local = nullptr;
    QStringList m_messages;
};

void tst_SenderNetwork::initTestCase()
{
    ZOL_REQUIRE_NETNS();
    m_segments = NetnsSegments();
    m_clientAddresses = NetnsClientAddresses();
    QCOMPARE(m_segments.size(), 2);
    QCOMPARE(m_clientAddresses.size(), 2);
}

void tst_SenderNetwork::init()
{
    m_messages.clear();
    SetMessageHook([this](const QString &text) { m_messages << text; });
    QVERIFY(startSimulators());
}

void tst_SenderNetwork::cleanup()
{
    qDeleteAll(m_sims);
    m_sims.clear();
    delete m_local;
    m_local = nullptr;
    SetMessageHook(nullptr);
}

bool tst_SenderNetwork::startSimulators()
{
    for (const QString &segment : std::as_const(m_segments)) {
        auto *sim = new DeviceSimulator(segment);
        m_sims << sim;
        if (!sim->start({}))
            return false;
    }
    // One in the client's own namespace hears what stays on loopback.
    m_local = new DeviceSimulator;
    return m_local->start({QStringLiteral("--listen"), QStringLiteral("255.255.255.255")});
}

void tst_SenderNetwork::eachSegmentHearsItsOwnAddressOnce()
{
    const QString query = FormatReadQuery(7);
    SendToAllAdapters(query, false);

    for (int i = 0; i < m_sims.size(); ++i) {
        QVERIFY(m_sims.at(i)->waitForReceived(1));
    }
    QVERIFY(m_local->waitForReceived(1));
    QTest::qWait(300); // nothing more may follow
    for (int i = 0; i < m_sims.size(); ++i) {
        const auto got = m_sims.at(i)->received();
        QCOMPARE(got.size(), 1);
        QCOMPARE(got.at(0).source, m_clientAddresses.at(i) + QStringLiteral(":2850"));
        QCOMPARE(got.at(0).bytes, query.toLatin1()); // exact text, no terminator
    }
    // Every local address sent once; the loopback one stayed here.
    QStringList localSources;
    for (const auto &d : m_local->received())
        localSources << d.source;
    QVERIFY2(localSources.contains(QStringLiteral("127.0.0.1:2850")), qPrintable(localSources.join(u' ')));
    QCOMPARE(localSources.removeDuplicates(), 0);
    QVERIFY(m_messages.isEmpty());
}

void tst_SenderNetwork::heldPortStopsOnlyThatAddress()
{
    // Another program holds UDP 2850 on the first segment's address.
    UdpPortHolder holder(QueryPort, m_clientAddresses.at(0));
    QVERIFY(holder.ok());

    QVERIFY(!SendFromAddress("X", m_clientAddresses.at(0)));
    SendToAllAdapters(FormatReadQuery(8), false);
    QVERIFY(m_sims.at(1)->waitForReceived(1));
    QTest::qWait(300);
    holder.release();

    QCOMPARE(m_sims.at(0)->received().size(), 0);
    QCOMPARE(m_sims.at(1)->received().size(), 1);
    QCOMPARE(m_sims.at(1)->received().at(0).text(), FormatReadQuery(8));
    QVERIFY(m_messages.isEmpty());
}

QTEST_GUILESS_MAIN(tst_SenderNetwork)
#include "tst_sendernetwork.moc"
