// One zolctl run's collecting of answers, fed over loopback from several
// local addresses standing for a device's adapters.

#include "../support/netns.h"

#include "zolctl/listener.h"

#include <QHostAddress>
#include <QTest>
#include <QUdpSocket>

using namespace Qt::StringLiterals;

namespace {

QByteArray answer(const char *mac, const char *name)
{
    return QByteArray("ZOL_READ_RESPONSE,0,1,00FF,") + mac + ",10.0.0.9,255.0.0.0,10.0.0.1,TRUE," + name + ",Hall,";
}

} // namespace

class tst_Listener : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ZOL_REQUIRE_NETNS(); }
    void oneEntryPerMac_data();
    void oneEntryPerMac();
};

void tst_Listener::oneEntryPerMac_data()
{
    // Datagrams as "<last byte of 127.0.0.x>" and text; devices as "mac|name|from", by MAC;
    // what was handed on as it arrived, as "mac|name" and "write mac|status".
    QTest::addColumn<QList<int>>("senders");
    QTest::addColumn<QByteArrayList>("datagrams");
    QTest::addColumn<QStringList>("devices");
    QTest::addColumn<QStringList>("handed");
    const QByteArray a = answer("00:AA", "Pump"), renamed = answer("00:AA", "Tank"), b = answer("00:BB", "Gate");
    QTest::newRow("repeat through another adapter moves only the address, is no news")
        << QList<int>{2, 3} << QByteArrayList{a, a} << QStringList{u"00:AA|Pump|127.0.0.3"_s}
        << QStringList{u"00:AA|Pump"_s};
    QTest::newRow("changed answer replaces the texts")
        << QList<int>{2, 2} << QByteArrayList{a, renamed} << QStringList{u"00:AA|Tank|127.0.0.2"_s}
        << QStringList{u"00:AA|Pump"_s, u"00:AA|Tank"_s};
    QTest::newRow("changed back is taken again")
        << QList<int>{2, 3, 4} << QByteArrayList{a, renamed, a} << QStringList{u"00:AA|Pump|127.0.0.4"_s}
        << QStringList{u"00:AA|Pump"_s, u"00:AA|Tank"_s, u"00:AA|Pump"_s};
    QTest::newRow("two MACs are two devices") << QList<int>{2, 3} << QByteArrayList{b, a}
                                              << QStringList{u"00:AA|Pump|127.0.0.3"_s, u"00:BB|Gate|127.0.0.2"_s}
                                              << QStringList{u"00:BB|Gate"_s, u"00:AA|Pump"_s};
    QTest::newRow("a write response is no device, every one is handed on")
        << QList<int>{2, 3}
        << QByteArrayList{"ZOL_WRITE_RESPONSE,0,1,00:AA,ZOL_CONFIGURATION_UPDATED", "ZOL_WRITE_RESPONSE,0,1,00:BB,?"}
        << QStringList{} << QStringList{u"write 00:AA|ZOL_CONFIGURATION_UPDATED"_s, u"write 00:BB|?"_s};
}

void tst_Listener::oneEntryPerMac()
{
    QFETCH(QList<int>, senders);
    QFETCH(QByteArrayList, datagrams);
    QFETCH(QStringList, devices);
    QFETCH(QStringList, handed);
    Listener listener;
    QVERIFY(listener.isBound());
    QStringList news;
    listener.setDeviceHandler([&](const DeviceEntry &device) {
        news << device.texts()[DeviceColumn::Mac] + u'|' + device.texts()[DeviceColumn::Name];
    });
    listener.setWriteHandler([&](const WriteResponse &r) { news << u"write "_s + r.mac + u'|' + r.status; });
    for (qsizetype i = 0; i < datagrams.size(); ++i) {
        QUdpSocket socket;
        QVERIFY(socket.bind(QHostAddress(QStringLiteral("127.0.0.%1").arg(senders.at(i))), 0));
        QCOMPARE(socket.writeDatagram(datagrams.at(i), QHostAddress::LocalHost, ResponsePort), datagrams.at(i).size());
    }
    // Loopback queues each datagram as it is sent: all are there to be read.
    listener.listen(50);
    QStringList found;
    for (const DeviceEntry &device : listener.devices()) {
        const DeviceTexts texts = device.texts();
        found << texts[DeviceColumn::Mac] + u'|' + texts[DeviceColumn::Name] + u'|' + QHostAddress(device.from).toString();
    }
    found.sort();
    QCOMPARE(found, devices);
    QCOMPARE(news, handed);
}

QTEST_GUILESS_MAIN(tst_Listener)
#include "tst_listener.moc"
