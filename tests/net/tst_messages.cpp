// SPDX-License-Identifier: Apache-2.0
#include "net/messages.h"

#include <QTest>

class tst_Messages : public QObject
{
    Q_OBJECT

private slots:
    void writeQuery_data();
    void writeQuery();
    void serialNumber_data();
    void serialNumber();
    void readResponse_data();
    void readResponse();
};

void tst_Messages::writeQuery_data()
{
    QTest::addColumn<bool>("dhcp");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("fields in order, FALSE, trailing comma")
        << false << "Pump_1" << "ZOL_WRITE_QUERY,0,7,00:11:22:33:44:55,10.0.0.5,255.255.255.0,10.0.0.1,FALSE,Pump_1,Hall A,";
    QTest::newRow("TRUE spelt upper case") << true << "" << "ZOL_WRITE_QUERY,0,7,00:11:22:33:44:55,10.0.0.5,255.255.255.0,10.0.0.1,TRUE,,Hall A,";
}

void tst_Messages::writeQuery()
{
    QFETCH(bool, dhcp);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(FormatWriteQuery(7, QStringLiteral("00:11:22:33:44:55"), QStringLiteral("10.0.0.5"), QStringLiteral("255.255.255.0"),
                              QStringLiteral("10.0.0.1"), dhcp, name, QStringLiteral("Hall A")),
             expected);
}

void tst_Messages::serialNumber_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");
    QTest::newRow("hex read, seven digits wide") << "FF" << "0000255";
    QTest::newRow("lower-case hex and 0x") << "0xaB" << "0000171";
    QTest::newRow("wider than seven kept whole") << "7FFFFFFF" << "2147483647";
    QTest::newRow("eight F is minus one, sign in the width") << "FFFFFFFF" << "-000001";
    QTest::newRow("most negative kept whole") << "80000000" << "-2147483648";
    QTest::newRow("no digits reads zero") << "XYZ" << "0000000";
}

void tst_Messages::serialNumber()
{
    QFETCH(QString, field);
    QFETCH(QString, expected);
    QCOMPARE(FormatSerialNumber(field), expected);
}

void tst_Messages::readResponse_data()
{
    // Expected "serial|mac|ip|mask|gateway|dhcp|name|location|type", "-" for an absent field.
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("full answer, no type") << "ZOL_READ_RESPONSE,0,1,FF,M,1.1.1.1,255.0.0.0,1.1.1.2,TRUE,N,L,0"
                                          << "FF|M|1.1.1.1|255.0.0.0|1.1.1.2|TRUE|N|L|-";
    QTest::newRow("type after field 11, later fields ignored")
        << "ZOL_READ_RESPONSE,0,1,FF,M,1.1.1.1,255.0.0.0,1.1.1.2,FALSE,N,L,0,Gate Box,x" << "FF|M|1.1.1.1|255.0.0.0|1.1.1.2|FALSE|N|L|Gate Box";
    QTest::newRow("empty name and location stay in place")
        << "ZOL_READ_RESPONSE,0,1,FF,M,1.1.1.1,255.0.0.0,1.1.1.2,TRUE,,,0,T" << "FF|M|1.1.1.1|255.0.0.0|1.1.1.2|TRUE|||T";
    QTest::newRow("empty address shifts the later fields")
        << "ZOL_READ_RESPONSE,0,1,FF,M,,255.0.0.0,1.1.1.2,TRUE,N,L,0" << "FF|M|255.0.0.0|1.1.1.2|TRUE|N|L|0|-";
    QTest::newRow("keyword alone: serial, DHCP and type absent") << "ZOL_READ_RESPONSE" << "-|||||-|||-";
    QTest::newRow("other keyword refused") << "ZOL_READ_QUERY,0,1" << "";
}

void tst_Messages::readResponse()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    ReadResponse r;
    QCOMPARE(ParseReadResponse(text, &r), !expected.isEmpty());
    if (expected.isEmpty())
        return;
    const auto opt = [](bool has, const QString &f) { return has ? f : QStringLiteral("-"); };
    QCOMPARE(QStringList({opt(r.hasSerial, r.serialField), r.mac, r.ip, r.mask, r.gateway, opt(r.hasDhcp, r.dhcpField),
                          r.name, r.location, opt(r.hasDeviceType, r.deviceType)}).join(u'|'),
             expected);
}

QTEST_APPLESS_MAIN(tst_Messages)
#include "tst_messages.moc"
