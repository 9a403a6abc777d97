// SPDX-License-Identifier: Apache-2.0
#include "net/validation.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const QString NameMessage = QStringLiteral("Invalid name, please check the following:\n\n1. Max of 12 characters\n"
                                           "2. Only alphanumeric characters and underscore allowed\n"
                                           "3. First character must be a letter");
const QString LocationMessage = QStringLiteral("Invalid location, make sure of the following:\n\n1. Max of 31 characters\n"
                                               "2. Only alphanumeric characters, underscore and blank spaces allowed\n");
const QString IpMessage = QStringLiteral("Invalid IP Address.");
const QString MaskMessage = QStringLiteral("Invalid Subnet Mask.");
const QString GatewayMessage = QStringLiteral("Invalid Gateway.");
} // namespace

class tst_Validation : public QObject
{
    Q_OBJECT

private slots:
    void firstFailingFieldSpeaks_data();
    void firstFailingFieldSpeaks();
    void renewLeaseFields_data();
    void renewLeaseFields();
};

void tst_Validation::firstFailingFieldSpeaks_data()
{
    QTest::addColumn<QStringList>("fields"); // name, location, ip, mask, gateway
    QTest::addColumn<bool>("dhcp");
    QTest::addColumn<QString>("message");
    const QString ip = QStringLiteral("10.0.0.5"), mask = QStringLiteral("255.255.255.0"), gw = QStringLiteral("10.0.0.1");
    QTest::newRow("all valid") << QStringList{u"Pump_1"_s, u"Hall A"_s, ip, mask, gw} << false << QString();
    QTest::newRow("name before location and addresses") << QStringList{u"1pump"_s, u"a,b"_s, u"x"_s, u"x"_s, u"x"_s} << false << NameMessage;
    QTest::newRow("name of 13 characters") << QStringList{u"abcdefghijklm"_s, u""_s, ip, mask, gw} << false << NameMessage;
    QTest::newRow("location before addresses") << QStringList{u"Pump"_s, u"Hall,A"_s, u"x"_s, u"x"_s, u"x"_s} << false << LocationMessage;
    QTest::newRow("location of 32 characters") << QStringList{u"Pump"_s, QString(32, u'a'), ip, mask, gw} << false << LocationMessage;
    QTest::newRow("ip before mask") << QStringList{u"Pump"_s, u""_s, u"10.0.0"_s, u"x"_s, u"x"_s} << false << IpMessage;
    QTest::newRow("ip with a leading zero") << QStringList{u"Pump"_s, u""_s, u"010.0.0.5"_s, mask, gw} << false << IpMessage;
    QTest::newRow("mask before gateway") << QStringList{u"Pump"_s, u""_s, ip, u"255.255.255.256"_s, u"x"_s} << false << MaskMessage;
    QTest::newRow("gateway") << QStringList{u"Pump"_s, u""_s, ip, mask, u"10.0.0.1 "_s} << false << GatewayMessage;
    QTest::newRow("DHCP on: addresses not checked") << QStringList{u"Pump"_s, u""_s, u"x"_s, u"x"_s, u"x"_s} << true << QString();
    QTest::newRow("DHCP on: name still checked") << QStringList{u"_pump"_s, u""_s, ip, mask, gw} << true << NameMessage;
}

void tst_Validation::firstFailingFieldSpeaks()
{
    QFETCH(QStringList, fields);
    QFETCH(bool, dhcp);
    QFETCH(QString, message);
    EditFields f{fields[0], fields[1], fields[2], fields[3], fields[4], dhcp};
    QCOMPARE(CheckEditFields(f), message);
}

void tst_Validation::renewLeaseFields_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("message");

    // Only a comma, which shifts the fields of the query, is refused.
    QTest::newRow("hyphen in name, dot in location") << QStringLiteral("cam-1") << QStringLiteral("Hall.B") << QString();
    QTest::newRow("comma in location") << QStringLiteral("dev") << QStringLiteral("lab,1") << LocationMessage;
    QTest::newRow("commas in both: name first") << QStringLiteral("d,v") << QStringLiteral("lab,1") << NameMessage;
}

void tst_Validation::renewLeaseFields()
{
    QFETCH(QString, name);
    QFETCH(QString, location);
    QFETCH(QString, message);
    QCOMPARE(CheckRenewLeaseFields(name, location), message);
}

QTEST_APPLESS_MAIN(tst_Validation)
#include "tst_validation.moc"
