#include "fieldmessages.h"

#include "editdialog/validation.h"

#include <QCoreApplication>
#include <QTest>
#include <QTranslator>

namespace {

const QString IpMessage = QStringLiteral("Invalid IP Address.");
const QString MaskMessage = QStringLiteral("Invalid Subnet Mask.");
const QString GatewayMessage = QStringLiteral("Invalid Gateway.");

// Marks every text it is asked for in the dialog's context, so a test can see
// exactly which pieces went through the translator.
class MarkingTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *sourceText, const char *disambiguation,
                      int n) const override
    {
        Q_UNUSED(disambiguation);
        Q_UNUSED(n);
        if (qstrcmp(context, "Edit_Network_Configuration") != 0)
            return QString();
        return QStringLiteral("<T>") + QString::fromLatin1(sourceText);
    }
    bool isEmpty() const override { return false; }
};

} // namespace

class tst_Validation : public QObject
{
    Q_OBJECT

private slots:
    void canonicalAddress_data();
    void canonicalAddress();
    void nameText_data();
    void nameText();
    void locationText_data();
    void locationText();
    void checkSequence_data();
    void checkSequence();
    void renewLeaseFields_data();
    void renewLeaseFields();
    void headingsAloneAreTranslated();
};

void tst_Validation::canonicalAddress_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");

    QTest::newRow("plain address") << QStringLiteral("10.0.0.5") << true;
    QTest::newRow("all zero") << QStringLiteral("0.0.0.0") << true;
    QTest::newRow("all ones") << QStringLiteral("255.255.255.255") << true;
    QTest::newRow("non-contiguous mask") << QStringLiteral("255.0.255.0") << true;
    QTest::newRow("three digit parts") << QStringLiteral("192.168.100.254") << true;

    QTest::newRow("leading zero") << QStringLiteral("010.0.0.5") << false;
    QTest::newRow("leading zero last part") << QStringLiteral("10.0.0.05") << false;
    QTest::newRow("double zero") << QStringLiteral("10.00.0.5") << false;
    QTest::newRow("three parts") << QStringLiteral("10.0.0") << false;
    QTest::newRow("two parts") << QStringLiteral("10.5") << false;
    QTest::newRow("one number") << QStringLiteral("167772165") << false;
    QTest::newRow("five parts") << QStringLiteral("10.0.0.5.1") << false;
    QTest::newRow("part above 255") << QStringLiteral("10.0.0.256") << false;
    QTest::newRow("huge part") << QStringLiteral("10.0.0.4294967301") << false;
    QTest::newRow("empty part") << QStringLiteral("10..0.5") << false;
    QTest::newRow("trailing dot") << QStringLiteral("10.0.0.") << false;
    QTest::newRow("leading dot") << QStringLiteral(".10.0.0") << false;
    QTest::newRow("blank before") << QStringLiteral(" 10.0.0.5") << false;
    QTest::newRow("blank after") << QStringLiteral("10.0.0.5 ") << false;
    QTest::newRow("newline after") << QStringLiteral("10.0.0.5\n") << false;
    QTest::newRow("blank inside") << QStringLiteral("10.0. 0.5") << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("minus sign") << QStringLiteral("10.0.0.-1") << false;
    QTest::newRow("plus sign") << QStringLiteral("+10.0.0.5") << false;
    QTest::newRow("hexadecimal") << QStringLiteral("0x0a.0.0.5") << false;
    QTest::newRow("prefix length") << QStringLiteral("10.0.0.5/24") << false;
    QTest::newRow("letters") << QStringLiteral("a.b.c.d") << false;
    QTest::newRow("commas") << QStringLiteral("10,0,0,5") << false;
    QTest::newRow("scope id") << QStringLiteral("10.0.0.5%eth0") << false;
    QTest::newRow("fullwidth digits") << QStringLiteral("\uff11\uff10.0.0.5") << false;
    QTest::newRow("ipv6 loopback") << QStringLiteral("::1") << false;
    QTest::newRow("ipv6 link local") << QStringLiteral("fe80::1") << false;
    QTest::newRow("ipv6 any") << QStringLiteral("::") << false;
    QTest::newRow("ipv4 mapped ipv6") << QStringLiteral("::ffff:10.0.0.5") << false;
    QTest::newRow("host name") << QStringLiteral("localhost") << false;
}

void tst_Validation::canonicalAddress()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(isCanonicalAddress(text), valid);
}

void tst_Validation::nameText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");

    QTest::newRow("letters") << QStringLiteral("Device") << true;
    QTest::newRow("single letter") << QStringLiteral("a") << true;
    QTest::newRow("letters digits underscores") << QStringLiteral("Lab_2_dev9") << true;
    QTest::newRow("trailing underscore") << QStringLiteral("dev_") << true;
    QTest::newRow("twelve characters") << QStringLiteral("abcdefghijkl") << true;
    QTest::newRow("empty") << QString() << true;

    QTest::newRow("thirteen characters") << QStringLiteral("abcdefghijklm") << false;
    QTest::newRow("leading digit") << QStringLiteral("1dev") << false;
    QTest::newRow("leading underscore") << QStringLiteral("_dev") << false;
    QTest::newRow("only underscore") << QStringLiteral("_") << false;
    QTest::newRow("blank inside") << QStringLiteral("dev 1") << false;
    QTest::newRow("leading blank") << QStringLiteral(" dev") << false;
    QTest::newRow("trailing blank") << QStringLiteral("dev ") << false;
    QTest::newRow("hyphen") << QStringLiteral("dev-1") << false;
    QTest::newRow("comma") << QStringLiteral("dev,1") << false;
    QTest::newRow("dot") << QStringLiteral("dev.1") << false;
    QTest::newRow("tab") << QStringLiteral("dev\t1") << false;
    QTest::newRow("accented letter") << QStringLiteral("d\u00e9v") << false;
    QTest::newRow("latin-1 top code") << QStringLiteral("dev\u00ff") << false;
    QTest::newRow("latin-1 code 128") << QStringLiteral("dev\u0080") << false;
    QTest::newRow("chinese") << QStringLiteral("dev\u8bbe") << false;
    QTest::newRow("code 0") << QString(QStringLiteral("dev") + QChar(0)) << false;
}

void tst_Validation::nameText()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(isValidFieldText(text, true, 12), valid);
}

void tst_Validation::locationText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");

    QTest::newRow("words") << QStringLiteral("Server room 2") << true;
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("only blanks") << QStringLiteral("   ") << true;
    QTest::newRow("leading and trailing blanks") << QStringLiteral(" Lab ") << true;
    QTest::newRow("leading digit") << QStringLiteral("2nd floor") << true;
    QTest::newRow("leading underscore") << QStringLiteral("_store") << true;
    QTest::newRow("thirty-one characters") << QString(31, QLatin1Char('x')) << true;

    QTest::newRow("thirty-two characters") << QString(32, QLatin1Char('x')) << false;
    QTest::newRow("hyphen") << QStringLiteral("North-East") << false;
    QTest::newRow("comma") << QStringLiteral("Lab,2") << false;
    QTest::newRow("dot") << QStringLiteral("Lab.2") << false;
    QTest::newRow("accented letter") << QStringLiteral("Caf\u00e9") << false;
    QTest::newRow("tab") << QStringLiteral("Lab\t2") << false;
    QTest::newRow("newline") << QStringLiteral("Lab\n") << false;
    QTest::newRow("chinese") << QStringLiteral("\u5b9e\u9a8c\u5ba4") << false;
}

void tst_Validation::locationText()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(isValidFieldText(text, false, 31), valid);
}

void tst_Validation::checkSequence_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("gateway");
    QTest::addColumn<bool>("dhcp");
    QTest::addColumn<QString>("message");

    const QString ip = QStringLiteral("10.0.0.5");
    const QString mask = QStringLiteral("255.255.255.0");
    const QString gw = QStringLiteral("10.0.0.1");
    const QString bad = QStringLiteral("bad");

    QTest::newRow("all valid") << QStringLiteral("dev") << QStringLiteral("lab") << ip << mask << gw << false << QString();
    QTest::newRow("empty name and location") << QString() << QString() << ip << mask << gw << false << QString();
    QTest::newRow("zero gateway") << QStringLiteral("dev") << QString() << ip << mask << QStringLiteral("0.0.0.0") << false << QString();
    QTest::newRow("everything bad: name first") << QStringLiteral("1x") << QStringLiteral("a,b") << bad << bad << bad << false << NameMessage;
    QTest::newRow("location before addresses") << QStringLiteral("dev") << QStringLiteral("a,b") << bad << bad << bad << false << LocationMessage;
    QTest::newRow("ip before mask") << QStringLiteral("dev") << QString() << bad << bad << bad << false << IpMessage;
    QTest::newRow("mask before gateway") << QStringLiteral("dev") << QString() << ip << bad << bad << false << MaskMessage;
    QTest::newRow("empty mask") << QStringLiteral("dev") << QString() << ip << QString() << gw << false << MaskMessage;
    QTest::newRow("empty gateway") << QStringLiteral("dev") << QString() << ip << mask << QString() << false << GatewayMessage;
    QTest::newRow("dhcp: addresses not examined") << QStringLiteral("dev") << QString() << bad << QString() << QStringLiteral("::1") << true << QString();
    QTest::newRow("dhcp: name still examined") << QStringLiteral("a b") << QString() << bad << bad << bad << true << NameMessage;
    QTest::newRow("dhcp: location still examined") << QStringLiteral("dev") << QStringLiteral("a-b") << ip << mask << gw << true << LocationMessage;
}

void tst_Validation::checkSequence()
{
    QFETCH(QString, name);
    QFETCH(QString, location);
    QFETCH(QString, ip);
    QFETCH(QString, mask);
    QFETCH(QString, gateway);
    QFETCH(bool, dhcp);
    QFETCH(QString, message);

    EditFields fields;
    fields.name = name;
    fields.location = location;
    fields.ip = ip;
    fields.mask = mask;
    fields.gateway = gateway;
    fields.dhcp = dhcp;
    QCOMPARE(CheckEditFields(fields), message);
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

void tst_Validation::headingsAloneAreTranslated()
{
    MarkingTranslator translator;
    QVERIFY(QCoreApplication::installTranslator(&translator));

    EditFields fields;
    fields.name = QStringLiteral("9");
    QCOMPARE(CheckEditFields(fields), QStringLiteral("<T>") + NameMessage);
    fields.name = QStringLiteral("dev");
    fields.location = QStringLiteral("-");
    QCOMPARE(CheckEditFields(fields), QStringLiteral("<T>") + LocationMessage);
    fields.location.clear();
    QCOMPARE(CheckEditFields(fields), QStringLiteral("<T>") + IpMessage);
    fields.ip = QStringLiteral("10.0.0.5");
    QCOMPARE(CheckEditFields(fields), QStringLiteral("<T>") + MaskMessage);
    fields.mask = QStringLiteral("255.0.0.0");
    QCOMPARE(CheckEditFields(fields), QStringLiteral("<T>") + GatewayMessage);

    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(CheckEditFields(fields), GatewayMessage);
}

QTEST_GUILESS_MAIN(tst_Validation)
#include "tst_validation.moc"
