// SPDX-License-Identifier: Apache-2.0
// One zolctl run's collecting of answers, fed over loopback from several
// local addresses standing for a device's adapters, find's JSON of them and
// apply's JSON report.

#include "../support/netns.h"

#include "zolctl/output.h"

#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <QUdpSocket>

#include <cstdlib>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

QByteArray answer(const char *mac, const char *name)
{
    return QByteArray("ZOL_READ_RESPONSE,0,1,00FF,") + mac + ",10.0.0.9,255.0.0.0,10.0.0.1,TRUE," + name + ",Hall,";
}

// What a writer puts out through a checked stream, read back as JSON.
QJsonArray jsonWritten(const std::function<void(OutputStream &)> &write)
{
    char *buffer = nullptr;
    size_t size = 0;
    FILE *stream = ::open_memstream(&buffer, &size);
    OutputStream out(stream);
    write(out);
    std::fclose(stream);
    const QJsonArray list = QJsonDocument::fromJson(QByteArray(buffer, qsizetype(size))).array();
    std::free(buffer);
    return list;
}

} // namespace

class tst_Listener : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ZOL_REQUIRE_NETNS(); }
    void oneEntryPerMac_data();
    void oneEntryPerMac();
    void jsonCarriesTheLongestAnswersWhole();
    void reportJsonKeepsEveryCharacter();
};

void tst_Listener::oneEntryPerMac_data()
{
    // Datagrams as "<last byte of 127.0.0.x>" and text; devices as "mac|name|from", by MAC;
    // what was handed on as it arrived: names of devices, "mac/status" of write answers.
    QTest::addColumn<QList<int>>("senders");
    QTest::addColumn<QByteArrayList>("datagrams");
    QTest::addColumn<QStringList>("devices");
    QTest::addColumn<QString>("handed");
    const QByteArray a = answer("00:AA", "Pump"), renamed = answer("00:AA", "Tank"), b = answer("00:BB", "Gate");
    QTest::newRow("repeat through another adapter moves only the address, is handed on")
        << QList<int>{2, 3} << QByteArrayList{a, a} << QStringList{u"00:AA|Pump|127.0.0.3"_s} << u"Pump Pump"_s;
    QTest::newRow("changed answer replaces the texts, changed back is taken again")
        << QList<int>{2, 3, 4} << QByteArrayList{a, renamed, a} << QStringList{u"00:AA|Pump|127.0.0.4"_s} << u"Pump Tank Pump"_s;
    QTest::newRow("two MACs are two devices")
        << QList<int>{2, 3} << QByteArrayList{b, a}
        << QStringList{u"00:AA|Pump|127.0.0.3"_s, u"00:BB|Gate|127.0.0.2"_s} << u"Gate Pump"_s;
    QTest::newRow("a write response is no device, and is handed on whatever its word")
        << QList<int>{2, 3}
        << QByteArrayList{"ZOL_WRITE_RESPONSE,0,1,00:AA,ZOL_CONFIGURATION_UPDATED", "ZOL_WRITE_RESPONSE,0,1,00:BB,?"}
        << QStringList{} << u"00:AA/ZOL_CONFIGURATION_UPDATED 00:BB/?"_s;
}

void tst_Listener::oneEntryPerMac()
{
    QFETCH(QList<int>, senders);
    QFETCH(QByteArrayList, datagrams);
    QFETCH(QStringList, devices);
    QFETCH(QString, handed);
    Listener listener;
    QStringList news;
    listener.setDeviceHandler([&](const DeviceEntry &device) { news << device.texts()[DeviceColumn::Name]; });
    listener.setWriteHandler([&](const WriteResponse &r) { news << r.mac + u'/' + r.status; });
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
    QCOMPARE(news.join(u' '), handed);
}

void tst_Listener::jsonCarriesTheLongestAnswersWhole()
{
    // Answers of the most bytes taken, six texts of 60 and the device type in
    // the rest: of control characters (six bytes each), quotes and
    // backslashes; of Latin-1 letters (two bytes each).
    QByteArray fills[2] = {"\"\\", {}};
    for (int c = 1; c < 0x100; ++c) {
        if (c < 0x20 || c >= 0xa0)
            fills[c >= 0xa0] += char(c);
    }
    DeviceEntry entries[2];
    for (int e = 0; e < 2; ++e) {
        const QByteArray runs = fills[e].repeated(MaxDatagramText);
        QByteArray &answer = entries[e].answer = "ZOL_READ_RESPONSE,0,1,FFFFFFFF,";
        int i = 0;
        for (const char *after : {",", ",", ",", ",T,", ",", ",0,"})
            answer += runs.mid(60 * i++, 60) + after;
        answer += runs.mid(60 * i, MaxDatagramText - answer.size());
        entries[e].from = 0xffffffff;
    }
    const QJsonArray list = jsonWritten(
        [&](OutputStream &out) { WriteDevices(out, {&entries[0], &entries[1]}, OutputFormat::Json); });
    QCOMPARE(list.size(), 2);
    const char *const keys[] = {"type", "serial", "mac", "ip", "mask", "gateway", "dhcp", "name", "location"};
    for (int e = 0; e < 2; ++e) {
        const QJsonObject json = list.at(e).toObject();
        for (int c = 0; c < DeviceColumnCount; ++c) {
            if (c != DeviceColumn::Dhcp)
                QCOMPARE(json.value(QLatin1String(keys[c])).toString(), entries[e].texts()[c]);
        }
        QCOMPARE(json.value(u"from"_s).toString(), u"255.255.255.255"_s);
    }
}

void tst_Listener::reportJsonKeepsEveryCharacter()
{
    // A plan file's texts reach the report: beyond Latin-1, beyond U+FFFF.
    const QString text = u"\"\\\x01 é 中 😀"_s;
    const PlanReportEntry entry{2, text, u"check failed"_s, 0, {}, QString(), QString()};
    const QJsonArray list = jsonWritten([&](OutputStream &out) { WritePlanReport(out, {entry}, OutputFormat::Json); });
    QCOMPARE(list.at(0).toObject().value(u"mac"_s).toString(), text);
}

QTEST_GUILESS_MAIN(tst_Listener)
#include "tst_listener.moc"
