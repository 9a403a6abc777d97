// find's JSON for entries at the limits of what a device can send.

#include "zolctl/output.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

// A read response of exactly MaxDatagramText bytes: six text fields of 60
// bytes and the device type taking the rest, all runs of `fill`'s bytes.
QByteArray longestAnswer(const QByteArray &fill)
{
    qsizetype next = 0;
    const auto run = [&](qsizetype length) {
        QByteArray text;
        while (text.size() < length)
            text += fill.at(next++ % fill.size());
        return text;
    };
    const QByteArray answer = "ZOL_READ_RESPONSE,0,1,FFFFFFFF," + run(60) + ',' + run(60) + ',' + run(60) + ','
        + run(60) + ",T," + run(60) + ',' + run(60) + ",0,";
    return answer + run(MaxDatagramText - answer.size());
}

} // namespace

class tst_Output : public QObject
{
    Q_OBJECT

private slots:
    void jsonCarriesLongestEntriesWhole_data();
    void jsonCarriesLongestEntriesWhole();
};

void tst_Output::jsonCarriesLongestEntriesWhole_data()
{
    QTest::addColumn<QByteArray>("fill");
    QByteArray controls, latin1;
    for (char c = 1; c < 0x20; ++c)
        controls += c;
    for (int c = 0xa0; c <= 0xff; ++c)
        latin1 += char(c);
    QTest::newRow("control characters, six bytes each") << controls;
    QTest::newRow("Latin-1 letters, two bytes each") << latin1;
    QTest::newRow("quotes and backslashes") << QByteArray("\"\\");
}

void tst_Output::jsonCarriesLongestEntriesWhole()
{
    QFETCH(QByteArray, fill);
    QList<DeviceEntry> entries(2);
    for (int i = 0; i < entries.size(); ++i) {
        entries[i].answer = longestAnswer(fill.mid(i) + fill.left(i));
        QCOMPARE(entries[i].answer.size(), MaxDatagramText);
        entries[i].from = 0xffffffff;
    }
    char *buffer = nullptr;
    size_t size = 0;
    FILE *stream = ::open_memstream(&buffer, &size);
    {
        OutputStream out(stream);
        QVERIFY(WriteDevices(out, {&entries[0], &entries[1]}, OutputFormat::Json));
        QCOMPARE(out.finish(), 0);
    }
    std::fclose(stream);
    const QByteArray json(buffer, qsizetype(size));
    std::free(buffer);

    QJsonParseError error;
    const QJsonArray list = QJsonDocument::fromJson(json, &error).array();
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
    QCOMPARE(list.size(), entries.size());
    static const char *const keys[] = {"type", "serial", "mac", "ip", "mask", "gateway", "dhcp", "name", "location"};
    for (int i = 0; i < entries.size(); ++i) {
        const QJsonObject entry = list.at(i).toObject();
        const DeviceTexts texts = entries[i].texts();
        for (int c = 0; c < DeviceColumnCount; ++c) {
            if (c != DeviceColumn::Dhcp)
                QCOMPARE(entry.value(QLatin1String(keys[c])).toString(), texts[c]);
        }
        QCOMPARE(entry.value(u"dhcp"_s), QJsonValue(false));
        QCOMPARE(entry.value(u"from"_s).toString(), u"255.255.255.255"_s);
    }
}

QTEST_GUILESS_MAIN(tst_Output)
#include "tst_output.moc"
