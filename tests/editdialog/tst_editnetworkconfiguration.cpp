#include "../support/capturingplatform.h"
#include "fieldmessages.h"

#include "app/appshell.h"
#include "editdialog/editnetworkconfiguration.h"
#include "forms/windowflags.h"
#include "net/messages.h"
#include "net/sender.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

const QString ResetMessage = QStringLiteral(
    "Device IP Address has been reset, give the device at least 10 seconds\n"
    "to get it's new IP Address from the DHCP Server.");

struct Device
{
    QString mac;
    bool dhcp = false;
    QString ip = QStringLiteral("10.0.0.5");
    QString mask = QStringLiteral("255.255.255.0");
    QString gateway = QStringLiteral("10.0.0.1");
    QString name = QStringLiteral("dev");
    QString location = QStringLiteral("lab");
};

// Fills the dialog the way the main window does before each run.
void fill(Edit_Network_Configuration &d, const Device &device)
{
    d.Device_Type->setText(QStringLiteral("VRD Module"));
    d.Serial_Number->setText(QStringLiteral("0000255"));
    d.Mac_Address->setText(device.mac);
    d.DHCP->setChecked(device.dhcp);
    d.IP_Address->setEnabled(!device.dhcp);
    d.Subnet_Mask->setEnabled(!device.dhcp);
    d.Gateway->setEnabled(!device.dhcp);
    d.ResetIP->setEnabled(device.dhcp);
    d.IP_Address->setText(device.ip);
    d.Subnet_Mask->setText(device.mask);
    d.Gateway->setText(device.gateway);
    d.Name->setText(device.name);
    d.Location->setText(device.location);
    d.Initial_IP_Address = d.IP_Address->text();
    d.Initial_Subnet_Mask = d.Subnet_Mask->text();
    d.Initial_Gateway = d.Gateway->text();
    d.Initial_Name = d.Name->text();
    d.Initial_Location = d.Location->text();
    d.Initial_DHCP = device.dhcp;
}

constexpr int Unfinished = -7;

// Runs the dialog modally while action drives it from inside the dialog's
// loop; a dialog that the action leaves open is closed with Unfinished.
int runWith(Edit_Network_Configuration &d, const std::function<void()> &action)
{
    QTimer::singleShot(0, &d, [&d, action] {
        action();
        if (d.isVisible())
            d.done(Unfinished);
    });
    return d.exec();
}

QString writeQuery(int sequence, const QString &rest)
{
    return QStringLiteral("ZOL_WRITE_QUERY,0,%1,").arg(sequence) + rest;
}

} // namespace

class tst_EditNetworkConfiguration : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void okWithoutChangeRejects_data();
    void okWithoutChangeRejects();
    void writeQueryText_data();
    void writeQueryText();
    void validationFailureKeepsDialogOpen();
    void nameMessageBeforeLocationMessage();
    void consecutiveSequenceNumbers();
    void renewLease();
    void renewLeaseRefusesComma_data();
    void renewLeaseRefusesComma();
    void dhcpOffRestoresSavedAddresses();
    void dhcpOffRestoresAfterRenewLease();
    void savedAddressesOutliveTheRun();
    void otherDeviceDoesNotGetSavedAddresses();
    void focusedCheckBoxTogglesOnIgnoredKeys_data();
    void focusedCheckBoxTogglesOnIgnoredKeys();
    void spaceTogglesOnce();
    void escapeAndEnterDoNotCloseTheDialog();
    void cancelSendsNothing();

private:

    CapturingPlatform m_platform;
    NetworkPlatform *m_previousPlatform = nullptr;
    MessageHook m_previousHook;
    QStringList m_messages;
    Edit_Network_Configuration *m_dialog = nullptr;
};

void tst_EditNetworkConfiguration::initTestCase()
{
    m_previousPlatform = SetNetworkPlatform(&m_platform);
    m_previousHook = SetMessageHook([this](const QString &text) { m_messages.append(text); });
    m_dialog = new Edit_Network_Configuration(nullptr, nullptr, false, DialogWindowFlags());
}

void tst_EditNetworkConfiguration::cleanupTestCase()
{
    delete m_dialog;
    SetMessageHook(m_previousHook);
    SetNetworkPlatform(m_previousPlatform);
}

void tst_EditNetworkConfiguration::init()
{
    m_platform.sent.clear();
    m_messages.clear();
    m_dialog->hide();
    QuerySequence = 100;
    WriteAnswered = true;
}

void tst_EditNetworkConfiguration::okWithoutChangeRejects_data()
{
    QTest::addColumn<bool>("dhcp");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("ip");

    QTest::newRow("valid fields, dhcp off") << false << QStringLiteral("dev") << QStringLiteral("10.0.0.5");
    QTest::newRow("valid fields, dhcp on") << true << QStringLiteral("dev") << QStringLiteral("10.0.0.5");
    // Nothing is validated when nothing changed.
    QTest::newRow("invalid name from device") << false << QStringLiteral("1dev") << QStringLiteral("10.0.0.5");
    QTest::newRow("invalid address from device") << false << QStringLiteral("dev") << QStringLiteral("010.0.0.5");
}

void tst_EditNetworkConfiguration::okWithoutChangeRejects()
{
    QFETCH(bool, dhcp);
    QFETCH(QString, name);
    QFETCH(QString, ip);

    Device device;
    device.mac = QStringLiteral("00:A0:00:00:00:01");
    device.dhcp = dhcp;
    device.name = name;
    device.ip = ip;
    fill(*m_dialog, device);
    WriteAnswered = true;

    const int result = runWith(*m_dialog, [this] { QTest::mouseClick(m_dialog->OK, Qt::LeftButton); });
    QCOMPARE(result, int(QDialog::Rejected));
    QVERIFY(m_platform.sent.isEmpty());
    QVERIFY(m_messages.isEmpty());
    QCOMPARE(QuerySequence, 100);
    QVERIFY(WriteAnswered);
}

void tst_EditNetworkConfiguration::writeQueryText_data()
{
    QTest::addColumn<bool>("openedWithDhcp");
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("location");
    QTest::addColumn<bool>("clickDhcp");
    // "Field=text" for each field the user changes before OK.
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QString>("expected");

    QTest::newRow("new address")
        << false << QStringLiteral("10.0.0.5") << QStringLiteral("dev") << QStringLiteral("lab")
        << false << QStringList{QStringLiteral("IP_Address=10.0.0.9")}
        << QStringLiteral("%1,10.0.0.9,255.255.255.0,10.0.0.1,FALSE,dev,lab,");
    QTest::newRow("new name and location with blanks")
        << false << QStringLiteral("10.0.0.5") << QStringLiteral("dev") << QStringLiteral("lab")
        << false << QStringList{QStringLiteral("Name=Pump_7"), QStringLiteral("Location= Hall  B ")}
        << QStringLiteral("%1,10.0.0.5,255.255.255.0,10.0.0.1,FALSE,Pump_7, Hall  B ,");
    QTest::newRow("empty name")
        << false << QStringLiteral("10.0.0.5") << QStringLiteral("dev") << QStringLiteral("lab")
        << false << QStringList{QStringLiteral("Name=")}
        << QStringLiteral("%1,10.0.0.5,255.255.255.0,10.0.0.1,FALSE,,lab,");
    QTest::newRow("empty name and location")
        << false << QStringLiteral("10.0.0.5") << QStringLiteral("dev") << QStringLiteral("lab")
        << false << QStringList{QStringLiteral("Name="), QStringLiteral("Location=")}
        << QStringLiteral("%1,10.0.0.5,255.255.255.0,10.0.0.1,FALSE,,,");
    QTest::newRow("dhcp switched on: addresses sent untested")
        << false << QStringLiteral("10.0.0.256") << QStringLiteral("dev") << QStringLiteral("lab")
        << true << QStringList()
        << QStringLiteral("%1,10.0.0.256,255.255.255.0,10.0.0.1,TRUE,dev,lab,");
    QTest::newRow("dhcp on: disabled empty addresses sent as they stand")
        << true << QString() << QStringLiteral("dev") << QStringLiteral("lab")
        << false << QStringList{QStringLiteral("Name=dev2")}
        << QStringLiteral("%1,,255.255.255.0,10.0.0.1,TRUE,dev2,lab,");
    QTest::newRow("dhcp switched off")
        << true << QStringLiteral("10.0.0.5") << QStringLiteral("dev") << QStringLiteral("lab")
        << true << QStringList()
        << QStringLiteral("%1,10.0.0.5,255.255.255.0,10.0.0.1,FALSE,dev,lab,");
    QTest::newRow("zero gateway and odd mask")
        << false << QStringLiteral("10.0.0.5") << QStringLiteral("dev") << QStringLiteral("lab")
        << false << QStringList{QStringLiteral("Gateway=0.0.0.0"), QStringLiteral("Subnet_Mask=255.0.255.0")}
        << QStringLiteral("%1,10.0.0.5,255.0.255.0,0.0.0.0,FALSE,dev,lab,");
    QTest::newRow("case change counts")
        << false << QStringLiteral("10.0.0.5") << QStringLiteral("dev") << QStringLiteral("lab")
        << false << QStringList{QStringLiteral("Name=Dev")}
        << QStringLiteral("%1,10.0.0.5,255.255.255.0,10.0.0.1,FALSE,Dev,lab,");
}

void tst_EditNetworkConfiguration::writeQueryText()
{
    QFETCH(bool, openedWithDhcp);
    QFETCH(QString, ip);
    QFETCH(QString, name);
    QFETCH(QString, location);
    QFETCH(bool, clickDhcp);
    QFETCH(QStringList, edits);
    QFETCH(QString, expected);

    Device device;
    // A MAC of its own per row, so no row sees addresses saved by another.
    static int row = 0;
    device.mac = QStringLiteral("00:A0:00:00:01:%1").arg(++row, 2, 10, QLatin1Char('0'));
    device.dhcp = openedWithDhcp;
    device.ip = ip;
    device.name = name;
    device.location = location;
    fill(*m_dialog, device);
    WriteAnswered = true;

    const int result = runWith(*m_dialog, [&] {
        if (clickDhcp)
            QTest::mouseClick(m_dialog->DHCP, Qt::LeftButton);
        for (const QString &edit : edits) {
            const QString field = edit.section(QLatin1Char('='), 0, 0);
            auto *lineEdit = m_dialog->findChild<QLineEdit *>(field);
            QVERIFY2(lineEdit, qPrintable(field));
            lineEdit->setText(edit.section(QLatin1Char('='), 1));
        }
        QTest::mouseClick(m_dialog->OK, Qt::LeftButton);
    });

    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('|'))));
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(m_platform.texts(), QStringList{writeQuery(101, expected.arg(device.mac))});
    QCOMPARE(QuerySequence, 101);
    QVERIFY(!WriteAnswered);
}

void tst_EditNetworkConfiguration::validationFailureKeepsDialogOpen()
{
    Device device;
    device.mac = QStringLiteral("00:A0:00:00:02:01");
    fill(*m_dialog, device);

    bool stayedOpen = false;
    QString ipAfter;
    const int result = runWith(*m_dialog, [&] {
        m_dialog->Gateway->setText(QString());
        m_dialog->IP_Address->setText(QStringLiteral("10.0.0.7"));
        QTest::mouseClick(m_dialog->OK, Qt::LeftButton);
        stayedOpen = m_dialog->isVisible();
        ipAfter = m_dialog->IP_Address->text();
    });
    QVERIFY(stayedOpen);
    QCOMPARE(result, Unfinished);
    QCOMPARE(m_messages, QStringList{QStringLiteral("Invalid Gateway.")});
    QCOMPARE(ipAfter, QStringLiteral("10.0.0.7"));
    QVERIFY(m_platform.sent.isEmpty());
    QCOMPARE(QuerySequence, 100);
    QVERIFY(WriteAnswered);
}

void tst_EditNetworkConfiguration::nameMessageBeforeLocationMessage()
{
    Device device;
    device.mac = QStringLiteral("00:A0:00:00:02:02");
    fill(*m_dialog, device);

    const int result = runWith(*m_dialog, [&] {
        m_dialog->Name->setText(QStringLiteral("my dev"));
        m_dialog->Location->setText(QStringLiteral("Hall-B"));
        m_dialog->IP_Address->setText(QStringLiteral("bad"));
        QTest::mouseClick(m_dialog->OK, Qt::LeftButton);
        m_dialog->Name->setText(QStringLiteral("my_dev"));
        QTest::mouseClick(m_dialog->OK, Qt::LeftButton);
        m_dialog->Location->setText(QStringLiteral("Hall B"));
        QTest::mouseClick(m_dialog->OK, Qt::LeftButton);
        m_dialog->IP_Address->setText(QStringLiteral("10.0.0.8"));
        QTest::mouseClick(m_dialog->OK, Qt::LeftButton);
    });
    QCOMPARE(m_messages, (QStringList{NameMessage, LocationMessage, QStringLiteral("Invalid IP Address.")}));
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(m_platform.texts(), QStringList{writeQuery(101, QStringLiteral(
        "00:A0:00:00:02:02,10.0.0.8,255.255.255.0,10.0.0.1,FALSE,my_dev,Hall B,"))});
}

void tst_EditNetworkConfiguration::consecutiveSequenceNumbers()
{
    Device device;
    device.mac = QStringLiteral("00:A0:00:00:03:01");
    QuerySequence = 41;

    fill(*m_dialog, device);
    QCOMPARE(runWith(*m_dialog, [&] {
        m_dialog->Name->setText(QStringLiteral("first"));
        QTest::mouseClick(m_dialog->OK, Qt::LeftButton);
    }), int(QDialog::Accepted));
    fill(*m_dialog, device);
    QCOMPARE(runWith(*m_dialog, [&] {
        m_dialog->Name->setText(QStringLiteral("second"));
        QTest::mouseClick(m_dialog->OK, Qt::LeftButton);
    }), int(QDialog::Accepted));

    // Renew Lease takes the number of the query before it, then counts on.
    device.dhcp = true;
    fill(*m_dialog, device);
    runWith(*m_dialog, [&] {
        QTest::mouseClick(m_dialog->ResetIP, Qt::LeftButton);
        m_dialog->Name->setText(QStringLiteral("third"));
        QTest::mouseClick(m_dialog->OK, Qt::LeftButton);
    });

    const QStringList sent = m_platform.texts();
    QCOMPARE(sent.size(), 4);
    QVERIFY2(sent.at(0).startsWith(QStringLiteral("ZOL_WRITE_QUERY,0,42,")), qPrintable(sent.at(0)));
    QVERIFY2(sent.at(1).startsWith(QStringLiteral("ZOL_WRITE_QUERY,0,43,")), qPrintable(sent.at(1)));
    QVERIFY2(sent.at(2).startsWith(QStringLiteral("ZOL_WRITE_QUERY,0,43,")), qPrintable(sent.at(2)));
    QVERIFY2(sent.at(3).startsWith(QStringLiteral("ZOL_WRITE_QUERY,0,45,")), qPrintable(sent.at(3)));
    QCOMPARE(QuerySequence, 45);
}

void tst_EditNetworkConfiguration::renewLease()
{
    Device device;
    device.mac = QStringLiteral("00:A0:00:00:04:01");
    device.dhcp = true;
    // A name OK would refuse still goes out with Renew Lease.
    device.name = QStringLiteral("cam-1");
    device.location = QStringLiteral("Hall B");
    fill(*m_dialog, device);
    WriteAnswered = true;

    QStringList fieldsAfter;
    bool stayedOpen = false;
    int sentBeforeOk = -1;
    const int result = runWith(*m_dialog, [&] {
        QTest::mouseClick(m_dialog->ResetIP, Qt::LeftButton);
        stayedOpen = m_dialog->isVisible();
        fieldsAfter = QStringList{m_dialog->IP_Address->text(), m_dialog->Subnet_Mask->text(),
                                  m_dialog->Gateway->text(), m_dialog->Initial_IP_Address,
                                  m_dialog->Initial_Subnet_Mask, m_dialog->Initial_Gateway};
        sentBeforeOk = int(m_platform.sent.size());
        QTest::mouseClick(m_dialog->OK, Qt::LeftButton);
    });

    QVERIFY(stayedOpen);
    QCOMPARE(fieldsAfter, QStringList(6, QStringLiteral("0.0.0.0")));
    QCOMPARE(m_messages, QStringList{ResetMessage});
    QCOMPARE(sentBeforeOk, 1);
    QCOMPARE(m_platform.texts(), QStringList{writeQuery(100, QStringLiteral(
        "00:A0:00:00:04:01,0.0.0.0,0.0.0.0,0.0.0.0,TRUE,cam-1,Hall B,"))});
    // OK right afterwards finds nothing changed.
    QCOMPARE(result, int(QDialog::Rejected));
    QCOMPARE(QuerySequence, 101);
    // Renew Lease leaves the latch as it was, both ways.
    QVERIFY(WriteAnswered);
    WriteAnswered = false;
    fill(*m_dialog, device);
    runWith(*m_dialog, [&] { QTest::mouseClick(m_dialog->ResetIP, Qt::LeftButton); });
    QVERIFY(!WriteAnswered);
}

void tst_EditNetworkConfiguration::renewLeaseRefusesComma_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("message");

    QTest::newRow("comma in location") << QStringLiteral("dev") << QStringLiteral("Hall,B") << LocationMessage;
    QTest::newRow("comma in name") << QStringLiteral("my,dev") << QStringLiteral("Hall B") << NameMessage;
}

void tst_EditNetworkConfiguration::renewLeaseRefusesComma()
{
    QFETCH(QString, name);
    QFETCH(QString, location);
    QFETCH(QString, message);

    Device device;
    device.mac = QStringLiteral("00:A0:00:00:04:02");
    device.dhcp = true;
    device.ip = QStringLiteral("192.168.1.20");
    device.name = name;
    device.location = location;
    fill(*m_dialog, device);

    QStringList fieldsAfter;
    bool stayedOpen = false;
    runWith(*m_dialog, [&] {
        QTest::mouseClick(m_dialog->ResetIP, Qt::LeftButton);
        stayedOpen = m_dialog->isVisible();
        fieldsAfter = QStringList{m_dialog->IP_Address->text(), m_dialog->Initial_IP_Address,
                                  m_dialog->Location->text()};
    });
    QVERIFY(stayedOpen);
    QCOMPARE(m_messages, QStringList{message});
    QVERIFY(m_platform.sent.isEmpty());
    QCOMPARE(QuerySequence, 100);
    QCOMPARE(fieldsAfter, (QStringList{QStringLiteral("192.168.1.20"), QStringLiteral("192.168.1.20"), location}));
}

void tst_EditNetworkConfiguration::dhcpOffRestoresSavedAddresses()
{
    Device device;
    device.mac = QStringLiteral("00:A0:00:00:05:01");
    fill(*m_dialog, device);

    QStringList states;
    runWith(*m_dialog, [&] {
        QTest::mouseClick(m_dialog->DHCP, Qt::LeftButton);
        states << QString::number(m_dialog->IP_Address->isEnabled()) + QString::number(m_dialog->Subnet_Mask->isEnabled())
                  + QString::number(m_dialog->Gateway->isEnabled()) + QString::number(m_dialog->ResetIP->isEnabled());
        // Something else writes into the disabled fields meanwhile.
        m_dialog->IP_Address->setText(QStringLiteral("1.1.1.1"));
        m_dialog->Gateway->setText(QString());
        QTest::mouseClick(m_dialog->DHCP, Qt::LeftButton);
        states << QString::number(m_dialog->IP_Address->isEnabled()) + QString::number(m_dialog->Subnet_Mask->isEnabled())
                  + QString::number(m_dialog->Gateway->isEnabled()) + QString::number(m_dialog->ResetIP->isEnabled());
        states << m_dialog->IP_Address->text() << m_dialog->Gateway->text();
        // On and off again with nothing else changed: OK sends nothing.
        QTest::mouseClick(m_dialog->OK, Qt::LeftButton);
    });
    QCOMPARE(states, (QStringList{QStringLiteral("0001"), QStringLiteral("1110"),
                                  QStringLiteral("10.0.0.5"), QStringLiteral("10.0.0.1")}));
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    QVERIFY(m_platform.sent.isEmpty());
}

void tst_EditNetworkConfiguration::dhcpOffRestoresAfterRenewLease()
{
    Device device;
    device.mac = QStringLiteral("00:A0:00:00:05:02");
    device.ip = QStringLiteral("10.0.3.4");
    fill(*m_dialog, device);

    QStringList restored;
    runWith(*m_dialog, [&] {
        QTest::mouseClick(m_dialog->DHCP, Qt::LeftButton);
        QTest::mouseClick(m_dialog->ResetIP, Qt::LeftButton);
        QTest::mouseClick(m_dialog->DHCP, Qt::LeftButton);
        restored << m_dialog->IP_Address->text() << m_dialog->Subnet_Mask->text() << m_dialog->Gateway->text();
    });
    QCOMPARE(restored, (QStringList{QStringLiteral("10.0.3.4"), QStringLiteral("255.255.255.0"),
                                    QStringLiteral("10.0.0.1")}));
    QCOMPARE(m_messages, QStringList{ResetMessage});
}

void tst_EditNetworkConfiguration::savedAddressesOutliveTheRun()
{
    Device device;
    device.mac = QStringLiteral("00:A0:00:00:05:03");
    device.ip = QStringLiteral("10.0.5.6");
    fill(*m_dialog, device);
    QCOMPARE(runWith(*m_dialog, [&] {
        QTest::mouseClick(m_dialog->DHCP, Qt::LeftButton);
        QTest::mouseClick(m_dialog->OK, Qt::LeftButton);
    }), int(QDialog::Accepted));

    // The device now reports a leased address; reopened with DHCP on and
    // switched off, the addresses saved in the earlier run come back.
    device.dhcp = true;
    device.ip = QStringLiteral("192.168.7.70");
    device.mask = QStringLiteral("255.255.0.0");
    fill(*m_dialog, device);
    QStringList restored;
    runWith(*m_dialog, [&] {
        QTest::mouseClick(m_dialog->DHCP, Qt::LeftButton);
        restored << m_dialog->IP_Address->text() << m_dialog->Subnet_Mask->text();
    });
    QCOMPARE(restored, (QStringList{QStringLiteral("10.0.5.6"), QStringLiteral("255.255.255.0")}));
}

void tst_EditNetworkConfiguration::otherDeviceDoesNotGetSavedAddresses()
{
    Device first;
    first.mac = QStringLiteral("00:A0:00:00:05:04");
    first.ip = QStringLiteral("10.0.9.9");
    fill(*m_dialog, first);
    runWith(*m_dialog, [&] { QTest::mouseClick(m_dialog->DHCP, Qt::LeftButton); });

    // MAC texts compare exactly: another letter case is another device.
    Device other;
    other.mac = QStringLiteral("00:a0:00:00:05:04");
    other.dhcp = true;
    other.ip = QStringLiteral("192.168.2.2");
    fill(*m_dialog, other);
    QString ipAfter;
    bool enabled = false;
    runWith(*m_dialog, [&] {
        QTest::mouseClick(m_dialog->DHCP, Qt::LeftButton);
        ipAfter = m_dialog->IP_Address->text();
        enabled = m_dialog->IP_Address->isEnabled() && !m_dialog->ResetIP->isEnabled();
    });
    QCOMPARE(ipAfter, QStringLiteral("192.168.2.2"));
    QVERIFY(enabled);
}

void tst_EditNetworkConfiguration::focusedCheckBoxTogglesOnIgnoredKeys_data()
{
    QTest::addColumn<int>("key");

    QTest::newRow("Enter") << int(Qt::Key_Enter);
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
    QTest::newRow("letter") << int(Qt::Key_A);
}

void tst_EditNetworkConfiguration::focusedCheckBoxTogglesOnIgnoredKeys()
{
    // A window of its own: the offscreen platform does not activate a
    // window again once it was hidden.
    Edit_Network_Configuration d(nullptr, nullptr, false, DialogWindowFlags());
    QFETCH(int, key);

    Device device;
    device.mac = QStringLiteral("00:A0:00:00:06:01");
    device.ip = QStringLiteral("10.0.6.1");
    fill(d, device);
    d.show();
    d.activateWindow();
    d.DHCP->setFocus();
    QTRY_VERIFY(d.DHCP->hasFocus());

    QTest::keyClick(d.DHCP, Qt::Key(key));
    QVERIFY(d.isVisible());
    QVERIFY(d.DHCP->isChecked());
    QVERIFY(!d.IP_Address->isEnabled());
    QVERIFY(d.ResetIP->isEnabled());

    // The key went through the DHCP handler: the addresses were saved.
    d.IP_Address->setText(QStringLiteral("0.0.0.0"));
    QTest::keyClick(d.DHCP, Qt::Key(key));
    QVERIFY(d.isVisible());
    QVERIFY(!d.DHCP->isChecked());
    QVERIFY(d.IP_Address->isEnabled());
    QVERIFY(!d.ResetIP->isEnabled());
    QCOMPARE(d.IP_Address->text(), QStringLiteral("10.0.6.1"));
    QVERIFY(m_platform.sent.isEmpty());
    d.hide();
}

void tst_EditNetworkConfiguration::spaceTogglesOnce()
{
    // A window of its own: the offscreen platform does not activate a
    // window again once it was hidden.
    Edit_Network_Configuration d(nullptr, nullptr, false, DialogWindowFlags());
    Device device;
    device.mac = QStringLiteral("00:A0:00:00:06:02");
    fill(d, device);
    d.show();
    d.activateWindow();
    d.DHCP->setFocus();
    QTRY_VERIFY(d.DHCP->hasFocus());

    QTest::keyClick(d.DHCP, Qt::Key_Space);
    QVERIFY(d.DHCP->isChecked());
    QVERIFY(!d.Gateway->isEnabled());
    QVERIFY(d.ResetIP->isEnabled());
    d.hide();
}

void tst_EditNetworkConfiguration::escapeAndEnterDoNotCloseTheDialog()
{
    // A window of its own: the offscreen platform does not activate a
    // window again once it was hidden.
    Edit_Network_Configuration d(nullptr, nullptr, false, DialogWindowFlags());
    Device device;
    device.mac = QStringLiteral("00:A0:00:00:06:03");
    fill(d, device);

    bool openAfterEscape = false;
    bool openAfterEnter = false;
    bool dhcpUntouched = false;
    bool active = false;
    const int result = runWith(d, [&] {
        d.activateWindow();
        d.Name->setFocus();
        active = QTest::qWaitFor([&] { return d.Name->hasFocus(); });
        d.Name->setText(QStringLiteral("renamed"));
        QTest::keyClick(d.Name, Qt::Key_Escape);
        openAfterEscape = d.isVisible();
        // Enter in a line edit is not turned into a press of OK.
        QTest::keyClick(d.Name, Qt::Key_Return);
        QTest::keyClick(d.Name, Qt::Key_Enter);
        openAfterEnter = d.isVisible();
        dhcpUntouched = !d.DHCP->isChecked();
    });
    QVERIFY(active);
    QVERIFY(openAfterEscape);
    QVERIFY(openAfterEnter);
    QVERIFY(dhcpUntouched);
    QCOMPARE(result, Unfinished);
    QVERIFY(m_platform.sent.isEmpty());
}

void tst_EditNetworkConfiguration::cancelSendsNothing()
{
    Device device;
    device.mac = QStringLiteral("00:A0:00:00:07:01");
    fill(*m_dialog, device);
    const int result = runWith(*m_dialog, [&] {
        m_dialog->Name->setText(QStringLiteral("changed"));
        QTest::mouseClick(m_dialog->Cancel, Qt::LeftButton);
    });
    QCOMPARE(result, int(QDialog::Rejected));
    QVERIFY(m_platform.sent.isEmpty());
    QCOMPARE(m_dialog->Name->text(), QStringLiteral("changed"));
}

QTEST_MAIN(tst_EditNetworkConfiguration)
#include "tst_editnetworkconfiguration.moc"
