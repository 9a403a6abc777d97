#include "net/messages.h"

#include <QTest>

#include <climits>

namespace {
// Rows of expected fields; "absent" stands for a field that is not there.
QStringList texts(std::initializer_list<const char *> items)
{
    QStringList list;
    for (const char *item : items)
        list << QString::fromLatin1(item);
    return list;
}
} // namespace

class tst_Messages : public QObject
{
    Q_OBJECT

private slots:
    void querySequence();
    void readQuery();
    void writeQuery_data();
    void writeQuery();
    void serialNumber_data();
    void serialNumber();
    void fieldReader_data();
    void fieldReader();
    void nameRule();
    void readResponse_data();
    void readResponse();
    void readResponseWrongKeyword_data();
    void readResponseWrongKeyword();
    void writeResponse_data();
    void writeResponse();
};

void tst_Messages::querySequence()
{
    QuerySequence = 0;
    QCOMPARE(GetQuerySequence(), 0);
    IncrementQuerySequence();
    QCOMPARE(GetQuerySequence(), 1);
    QuerySequence = INT_MAX;
    IncrementQuerySequence();
    QCOMPARE(GetQuerySequence(), INT_MIN);
    QuerySequence = -1;
    IncrementQuerySequence();
    QCOMPARE(GetQuerySequence(), 0);
}

void tst_Messages::readQuery()
{
    QCOMPARE(FormatReadQuery(1), QStringLiteral("ZOL_READ_QUERY,0,1"));
    QCOMPARE(FormatReadQuery(42), QStringLiteral("ZOL_READ_QUERY,0,42"));
    QCOMPARE(FormatReadQuery(-7), QStringLiteral("ZOL_READ_QUERY,0,-7"));
    QCOMPARE(FormatReadQuery(INT_MIN), QStringLiteral("ZOL_READ_QUERY,0,-2147483648"));
}

void tst_Messages::writeQuery_data()
{
    QTest::addColumn<int>("sequence");
    QTest::addColumn<QString>("mac");
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("gateway");
    QTest::addColumn<bool>("dhcp");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain") << 3 << "00:11:22:33:44:55" << "10.0.0.5" << "255.255.255.0" << "10.0.0.1"
                           << false << "Pump_1" << "Hall A"
                           << "ZOL_WRITE_QUERY,0,3,00:11:22:33:44:55,10.0.0.5,255.255.255.0,10.0.0.1,FALSE,Pump_1,Hall A,";
    QTest::newRow("dhcp on") << 12 << "AA" << "1.2.3.4" << "255.0.0.0" << "1.2.3.1" << true << "n" << "l"
                             << "ZOL_WRITE_QUERY,0,12,AA,1.2.3.4,255.0.0.0,1.2.3.1,TRUE,n,l,";
    QTest::newRow("empty name keeps adjacent commas") << 1 << "M" << "1.1.1.1" << "255.0.0.0" << "1.1.1.2"
                                                      << false << "" << "Loc"
                                                      << "ZOL_WRITE_QUERY,0,1,M,1.1.1.1,255.0.0.0,1.1.1.2,FALSE,,Loc,";
    QTest::newRow("empty location still ends with comma") << 1 << "M" << "a" << "b" << "c" << false << "N" << ""
                                                          << "ZOL_WRITE_QUERY,0,1,M,a,b,c,FALSE,N,,";
    QTest::newRow("renew lease") << 5 << "M" << "0.0.0.0" << "0.0.0.0" << "0.0.0.0" << true << "N" << "L"
                                 << "ZOL_WRITE_QUERY,0,5,M,0.0.0.0,0.0.0.0,0.0.0.0,TRUE,N,L,";
    QTest::newRow("comma and percent go out unchanged") << -2 << "M" << "%s" << "%n" << "x,y" << false << "a,b" << "%d"
                                                        << "ZOL_WRITE_QUERY,0,-2,M,%s,%n,x,y,FALSE,a,b,%d,";
}

void tst_Messages::writeQuery()
{
    QFETCH(int, sequence);
    QFETCH(QString, mac);
    QFETCH(QString, ip);
    QFETCH(QString, mask);
    QFETCH(QString, gateway);
    QFETCH(bool, dhcp);
    QFETCH(QString, name);
    QFETCH(QString, location);
    QFETCH(QString, expected);
    QCOMPARE(FormatWriteQuery(sequence, mac, ip, mask, gateway, dhcp, name, location), expected);
}

void tst_Messages::serialNumber_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");

    QTest::newRow("FF") << "FF" << "0000255";
    QTest::newRow("10") << "10" << "0000016";
    QTest::newRow("lower case") << "ff" << "0000255";
    QTest::newRow("mixed case") << "aBc" << "0002748";
    QTest::newRow("eight F is minus one") << "FFFFFFFF" << "-000001";
    QTest::newRow("largest positive") << "7FFFFFFF" << "2147483647";
    QTest::newRow("smallest negative") << "80000000" << "-2147483648";
    QTest::newRow("seven digits wide") << "F4240" << "1000000";
    QTest::newRow("no digits") << "XYZ" << "0000000";
    QTest::newRow("empty") << "" << "0000000";
    QTest::newRow("0x prefix") << "0x1F" << "0000031";
    QTest::newRow("0X prefix") << "0X1f" << "0000031";
    QTest::newRow("0x without digits") << "0xZZ" << "0000000";
    QTest::newRow("leading blanks") << "  \t1A" << "0000026";
    QTest::newRow("stops at first non-digit") << "12G4" << "0000018";
    QTest::newRow("blank inside stops") << "1 2" << "0000001";
    QTest::newRow("sign is not a digit") << "-1" << "0000000";
    // More than eight digits: only the low 32 bits are kept.
    QTest::newRow("nine digits keep the low 32 bits") << "123456789" << "591751049";
    QTest::newRow("ten digits") << "1FFFFFFFF" << "-000001";
    QTest::newRow("twenty digits") << "00000000000000000010" << "0000016";
    QTest::newRow("leading zeros") << "000000FF" << "0000255";
    QTest::newRow("percent text is data") << "%s%n" << "0000000";
}

void tst_Messages::serialNumber()
{
    QFETCH(QString, field);
    QFETCH(QString, expected);
    QCOMPARE(FormatSerialNumber(field), expected);
}

void tst_Messages::fieldReader_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("fields"); // what nextField() gives until absent

    QTest::newRow("simple") << "A,B,C" << texts({"A", "B", "C"});
    QTest::newRow("leading commas skipped") << ",,A,B" << texts({"A", "B"});
    QTest::newRow("empty fields skipped") << "A,,,B" << texts({"A", "B"});
    QTest::newRow("trailing comma") << "A,B," << texts({"A", "B"});
    QTest::newRow("only commas") << ",,," << QStringList();
    QTest::newRow("empty text") << "" << QStringList();
    QTest::newRow("blanks are data") << " A , B " << texts({" A ", " B "});
    QTest::newRow("latin-1 kept") << QString::fromLatin1("Gr\xfc\xdf,\xe9t\xe9") << QStringList{QString::fromLatin1("Gr\xfc\xdf"), QString::fromLatin1("\xe9t\xe9")};
}

void tst_Messages::fieldReader()
{
    QFETCH(QString, text);
    QFETCH(QStringList, fields);
    FieldReader reader(text);
    QStringList got;
    QString field = QStringLiteral("stale");
    while (reader.nextField(&field))
        got << field;
    QCOMPARE(got, fields);
    QVERIFY(field.isEmpty()); // an absent field reads as empty
    QVERIFY(reader.atEnd());
    QVERIFY(!reader.nextField(&field));
}

void tst_Messages::nameRule()
{
    const QString text = QStringLiteral("A,,B,,,C");
    FieldReader reader(text);
    QString f;
    QVERIFY(reader.nextField(&f));
    QCOMPARE(f, QStringLiteral("A"));
    QVERIFY(reader.nextFieldOrEmpty(&f));     // cursor at ",B": one empty field
    QCOMPARE(f, QString());
    QVERIFY(reader.nextFieldOrEmpty(&f));
    QCOMPARE(f, QStringLiteral("B"));
    QVERIFY(reader.nextFieldOrEmpty(&f));     // ",,C": only one comma is taken
    QCOMPARE(f, QString());
    QVERIFY(reader.nextFieldOrEmpty(&f));     // ",C"
    QCOMPARE(f, QString());
    QVERIFY(!reader.atEnd());
    QVERIFY(reader.nextFieldOrEmpty(&f));
    QCOMPARE(f, QStringLiteral("C"));
    QVERIFY(reader.atEnd());
    QVERIFY(!reader.nextFieldOrEmpty(&f));
}

void tst_Messages::readResponse_data()
{
    QTest::addColumn<QString>("text");
    // serial|mac|ip|mask|gateway|dhcp|name|location|type ; "<absent>" marks an absent serial/dhcp/type
    QTest::addColumn<QStringList>("expected");

    const char *absent = "<absent>";
    QTest::newRow("full, no type")
        << "ZOL_READ_RESPONSE,0,1,FF,00:11:22:33:44:55,10.0.0.5,255.255.255.0,10.0.0.1,TRUE,Pump,Hall,0"
        << texts({"FF", "00:11:22:33:44:55", "10.0.0.5", "255.255.255.0", "10.0.0.1", "TRUE", "Pump", "Hall", absent});
    QTest::newRow("with type")
        << "ZOL_READ_RESPONSE,0,1,FF,M,1.1.1.1,255.0.0.0,1.1.1.2,FALSE,N,L,0,Gateway Box"
        << texts({"FF", "M", "1.1.1.1", "255.0.0.0", "1.1.1.2", "FALSE", "N", "L", "Gateway Box"});
    QTest::newRow("fields after type ignored")
        << "ZOL_READ_RESPONSE,0,1,FF,M,1.1.1.1,255.0.0.0,1.1.1.2,FALSE,N,L,0,T,extra,more"
        << texts({"FF", "M", "1.1.1.1", "255.0.0.0", "1.1.1.2", "FALSE", "N", "L", "T"});
    QTest::newRow("two commas after field 11 give an empty type")
        << "ZOL_READ_RESPONSE,0,1,FF,M,1.1.1.1,255.0.0.0,1.1.1.2,FALSE,N,L,0,,"
        << texts({"FF", "M", "1.1.1.1", "255.0.0.0", "1.1.1.2", "FALSE", "N", "L", ""});
    QTest::newRow("one comma after field 11 gives no type")
        << "ZOL_READ_RESPONSE,0,1,FF,M,1.1.1.1,255.0.0.0,1.1.1.2,FALSE,N,L,0,"
        << texts({"FF", "M", "1.1.1.1", "255.0.0.0", "1.1.1.2", "FALSE", "N", "L", absent});
    QTest::newRow("empty ip shifts the later fields")
        << "ZOL_READ_RESPONSE,0,1,FF,M,,255.0.0.0,1.1.1.2,TRUE,N,L,0"
        << texts({"FF", "M", "255.0.0.0", "1.1.1.2", "TRUE", "N", "L", "0", absent});
    QTest::newRow("empty name")
        << "ZOL_READ_RESPONSE,0,1,FF,M,1.1.1.1,255.0.0.0,1.1.1.2,TRUE,,L,0"
        << texts({"FF", "M", "1.1.1.1", "255.0.0.0", "1.1.1.2", "TRUE", "", "L", absent});
    QTest::newRow("empty location")
        << "ZOL_READ_RESPONSE,0,1,FF,M,1.1.1.1,255.0.0.0,1.1.1.2,TRUE,N,,0"
        << texts({"FF", "M", "1.1.1.1", "255.0.0.0", "1.1.1.2", "TRUE", "N", "", absent});
    QTest::newRow("empty name and location")
        << "ZOL_READ_RESPONSE,0,1,FF,M,1.1.1.1,255.0.0.0,1.1.1.2,TRUE,,,0,T"
        << texts({"FF", "M", "1.1.1.1", "255.0.0.0", "1.1.1.2", "TRUE", "", "", "T"});
    QTest::newRow("ends after mac")
        << "ZOL_READ_RESPONSE,0,1,FF,M"
        << texts({"FF", "M", "", "", "", absent, "", "", absent});
    QTest::newRow("ends after gateway")
        << "ZOL_READ_RESPONSE,0,1,FF,M,1.1.1.1,255.0.0.0,1.1.1.2"
        << texts({"FF", "M", "1.1.1.1", "255.0.0.0", "1.1.1.2", absent, "", "", absent});
    QTest::newRow("keyword only")
        << "ZOL_READ_RESPONSE"
        << texts({absent, "", "", "", "", absent, "", "", absent});
    QTest::newRow("leading commas before keyword")
        << ",,ZOL_READ_RESPONSE,0,1,FF,M,1.1.1.1,255.0.0.0,1.1.1.2,TRUE,N,L,0"
        << texts({"FF", "M", "1.1.1.1", "255.0.0.0", "1.1.1.2", "TRUE", "N", "L", absent});
    QTest::newRow("lower-case true is data")
        << "ZOL_READ_RESPONSE,0,1,FF,M,1.1.1.1,255.0.0.0,1.1.1.2,true,N,L,0"
        << texts({"FF", "M", "1.1.1.1", "255.0.0.0", "1.1.1.2", "true", "N", "L", absent});
}

void tst_Messages::readResponse()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    const QString absent = QStringLiteral("<absent>");
    ReadResponse r;
    QVERIFY(ParseReadResponse(text, &r));
    QCOMPARE(r.hasSerial ? r.serialField : absent, expected.at(0));
    QCOMPARE(r.mac, expected.at(1));
    QCOMPARE(r.ip, expected.at(2));
    QCOMPARE(r.mask, expected.at(3));
    QCOMPARE(r.gateway, expected.at(4));
    QCOMPARE(r.hasDhcp ? r.dhcpField : absent, expected.at(5));
    QCOMPARE(r.name, expected.at(6));
    QCOMPARE(r.location, expected.at(7));
    QCOMPARE(r.hasDeviceType ? r.deviceType : absent, expected.at(8));
}

void tst_Messages::readResponseWrongKeyword_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("own read query") << "ZOL_READ_QUERY,0,1";
    QTest::newRow("write response") << "ZOL_WRITE_RESPONSE,0,1,M,ZOL_CONFIGURATION_UPDATED";
    QTest::newRow("lower case keyword") << "zol_read_response,0,1,FF,M";
    QTest::newRow("keyword with blank") << "ZOL_READ_RESPONSE ,0,1,FF,M";
    QTest::newRow("empty") << "";
    QTest::newRow("commas only") << ",,,,,";
}

void tst_Messages::readResponseWrongKeyword()
{
    QFETCH(QString, text);
    ReadResponse r;
    r.mac = QStringLiteral("untouched");
    QVERIFY(!ParseReadResponse(text, &r));
    QCOMPARE(r.mac, QStringLiteral("untouched"));
}

void tst_Messages::writeResponse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("recognised");
    QTest::addColumn<QString>("mac");
    QTest::addColumn<QString>("status"); // "<absent>" when no status field

    QTest::newRow("updated") << "ZOL_WRITE_RESPONSE,0,3,M1,ZOL_CONFIGURATION_UPDATED" << true << "M1" << "ZOL_CONFIGURATION_UPDATED";
    QTest::newRow("status with blank kept as is") << "ZOL_WRITE_RESPONSE,0,3,M1,ZOL_CONFIGURATION_UPDATED " << true << "M1" << "ZOL_CONFIGURATION_UPDATED ";
    QTest::newRow("later fields ignored") << "ZOL_WRITE_RESPONSE,0,3,M1,ZOL_SECURITY_VIOLATION,x,y" << true << "M1" << "ZOL_SECURITY_VIOLATION";
    QTest::newRow("no status") << "ZOL_WRITE_RESPONSE,0,3,M1" << true << "M1" << "<absent>";
    QTest::newRow("no status, trailing commas") << "ZOL_WRITE_RESPONSE,0,3,M1,,," << true << "M1" << "<absent>";
    QTest::newRow("empty field shifts") << "ZOL_WRITE_RESPONSE,0,,M1,ZOL_INVALID_PARAMETER" << true << "ZOL_INVALID_PARAMETER" << "<absent>";
    QTest::newRow("read response") << "ZOL_READ_RESPONSE,0,3,M1,x" << false << "" << "<absent>";
}

void tst_Messages::writeResponse()
{
    QFETCH(QString, text);
    QFETCH(bool, recognised);
    QFETCH(QString, mac);
    QFETCH(QString, status);
    WriteResponse r;
    QCOMPARE(ParseWriteResponse(text, &r), recognised);
    if (!recognised)
        return;
    QCOMPARE(r.mac, mac);
    QCOMPARE(r.hasStatus ? r.status : QStringLiteral("<absent>"), status);
}

QTEST_APPLESS_MAIN(tst_Messages)
#include "tst_messages.moc"
