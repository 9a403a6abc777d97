#include "../support/capturingplatform.h"

#include "app/appshell.h"
#include "editdialog/editnetworkconfiguration.h"
#include "net/messages.h"
#include "net/sender.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

class tst_EditNetworkConfiguration : public QObject
{
    Q_OBJECT

private slots:
    void okAndRenewLease_data();
    void okAndRenewLease();
};

void tst_EditNetworkConfiguration::okAndRenewLease_data()
{
    QTest::addColumn<bool>("renew");
    QTest::addColumn<bool>("dhcp");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("sent");     // the one query sent, or empty
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("result");       // -1: neither accepted nor rejected
    QTest::addColumn<bool>("latchCleared");
    QTest::newRow("changed settings sent with the next number, latch cleared") << false << false << "Pump" << "10.0.0.9"
        << "ZOL_WRITE_QUERY,0,42,00:11:22:33:44:55,10.0.0.9,255.255.255.0,10.0.0.1,FALSE,Pump,lab," << "" << 1 << true;
    QTest::newRow("unchanged settings rejected, nothing sent") << false << false << "dev" << "10.0.0.5" << "" << "" << 0 << false;
    QTest::newRow("invalid field shown, dialog stays open") << false << false << "Pump" << "10.0.0" << ""
        << "Invalid IP Address." << -1 << false;
    QTest::newRow("Renew Lease carries the current number") << true << true << "dev" << "10.0.0.5"
        << "ZOL_WRITE_QUERY,0,41,00:11:22:33:44:55,0.0.0.0,0.0.0.0,0.0.0.0,TRUE,dev,lab,"
        << "Device IP Address has been reset, give the device at least 10 seconds\n"
           "to get it's new IP Address from the DHCP Server." << -1 << false;
}

void tst_EditNetworkConfiguration::okAndRenewLease()
{
    QFETCH(bool, renew);
    QFETCH(bool, dhcp);
    QFETCH(QString, name);
    QFETCH(QString, ip);
    QFETCH(QString, sent);
    QFETCH(QString, message);
    QFETCH(int, result);
    QFETCH(bool, latchCleared);

    CapturingPlatform platform;
    SetNetworkPlatform(&platform);
    QStringList messages;
    SetMessageHook([&messages](const QString &text) { messages << text; });
    Edit_Network_Configuration d;
    d.Mac_Address->setText(QStringLiteral("00:11:22:33:44:55"));
    d.Initial_IP_Address = QStringLiteral("10.0.0.5");
    d.Initial_Subnet_Mask = QStringLiteral("255.255.255.0");
    d.Initial_Gateway = QStringLiteral("10.0.0.1");
    d.Initial_Name = QStringLiteral("dev");
    d.Initial_Location = QStringLiteral("lab");
    d.Initial_DHCP = dhcp;
    d.DHCP->setChecked(dhcp);
    d.IP_Address->setText(ip);
    d.Subnet_Mask->setText(d.Initial_Subnet_Mask);
    d.Gateway->setText(d.Initial_Gateway);
    d.Name->setText(name);
    d.Location->setText(d.Initial_Location);
    d.setResult(-1);
    QuerySequence = 41;
    WriteAnswered = true;

    renew ? d.ResetIP_clicked() : d.OK_clicked();
    SetMessageHook({});
    SetNetworkPlatform(nullptr);
    QCOMPARE(platform.texts(), sent.isEmpty() ? QStringList() : QStringList(sent));
    QCOMPARE(GetQuerySequence(), sent.isEmpty() ? 41 : 42);
    QCOMPARE(messages, message.isEmpty() ? QStringList() : QStringList(message));
    QCOMPARE(d.result(), result);
    QCOMPARE(WriteAnswered, !latchCleared);
}

QTEST_MAIN(tst_EditNetworkConfiguration)
#include "tst_editnetworkconfiguration.moc"
