// The real main window on the offscreen platform: answers are posted to it as
// the receiver would, and its queries are captured instead of sent.
#include "../support/capturingplatform.h"
#include "../support/devsim.h"

#include "app/appshell.h"
#include "forms/deviceupdating.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/modifyflow.h"
#include "net/deviceresponseevent.h"
#include "net/messages.h"
#include "net/sender.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <QTreeWidget>
#include <QtEndian>

using namespace Qt::StringLiterals;

namespace {
const QString Mac = QStringLiteral("00:11:22:33:44:55");
const QString Answer = QStringLiteral("ZOL_READ_RESPONSE,0,1,FF,00:11:22:33:44:55,10.0.0.5,255.255.255.0,10.0.0.1,FALSE,dev,lab,0");
} // namespace

class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void findAllSendsTheNextReadQuery();
    void answersMakeRows_data();
    void answersMakeRows();
    void writeAnswers_data();
    void writeAnswers();
    void progressSteps_data();
    void progressSteps();
    void layoutFileRoundTrip();
    void languageFromCommandLineAndSwitch();

private:
    void post(const QString &text) { QCoreApplication::postEvent(m_window.get(), new DeviceResponseEvent(text)); }
    QStringList rows() const;

    QTemporaryDir m_dir;
    CapturingPlatform m_platform;
    QStringList m_messages;
    std::unique_ptr<Zol_ClientMainWindow> m_window;
};

void tst_MainWindow::initTestCase()
{
    ZOL_REQUIRE_NETNS(); // the window's receiver binds port 2851
    QVERIFY(QDir::setCurrent(m_dir.path()));
    for (const char *file : {"qrt_c.qm", "qrt_en.qm"})
        QVERIFY(QFile::copy(qEnvironmentVariable("ZOL_BIN_DIR") + u'/' + QLatin1String(file), QLatin1String(file)));
    SetNetworkPlatform(&m_platform);
    SetMessageHook([this](const QString &text) { m_messages << text; });
    SetSystemLocaleNameOverride(QStringLiteral("C"));
    AppTranslator = new QTranslator(this);
    QCoreApplication::installTranslator(AppTranslator);
}

void tst_MainWindow::init()
{
    QFile::remove(QStringLiteral("config.cfg"));
    CurrentLanguage.clear();
    m_window = std::make_unique<Zol_ClientMainWindow>();
    m_platform.sent.clear();
    m_messages.clear();
}

void tst_MainWindow::cleanup()
{
    m_window.reset();
    SetModifyPauseHook({});
}

QStringList tst_MainWindow::rows() const
{
    QStringList result;
    for (int r = 0; r < m_window->MainList->topLevelItemCount(); ++r) {
        QStringList texts;
        for (int c = 0; c < m_window->MainList->columnCount(); ++c)
            texts << m_window->MainList->topLevelItem(r)->text(c);
        result << texts.join(u'|');
    }
    result.sort();
    return result;
}

void tst_MainWindow::findAllSendsTheNextReadQuery()
{
    post(Answer);
    QTRY_COMPARE(rows().size(), 1);
    QuerySequence = 7;
    m_window->Find_All_clicked();
    QCOMPARE(m_platform.texts(), QStringList(QStringLiteral("ZOL_READ_QUERY,0,8")));
    QVERIFY(rows().isEmpty());
}

void tst_MainWindow::answersMakeRows_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("rows");
    const QString row = QStringLiteral("VRD Module|0000255|00:11:22:33:44:55|10.0.0.5|255.255.255.0|10.0.0.1|Disabled|dev|lab");
    QTest::newRow("one device heard through two segments listed once") << QStringList{Answer, Answer} << QStringList{row};
    QTest::newRow("MACs differing in case are two devices")
        << QStringList{u"ZOL_READ_RESPONSE,0,1,1,aa:bb:cc:00:00:01,1.1.1.1"_s, u"ZOL_READ_RESPONSE,0,1,1,AA:BB:CC:00:00:01,1.1.1.1"_s}
        << QStringList{u"VRD Module|0000001|AA:BB:CC:00:00:01|1.1.1.1|||???||"_s, u"VRD Module|0000001|aa:bb:cc:00:00:01|1.1.1.1|||???||"_s};
    QTest::newRow("type and DHCP shown, refreshed in place")
        << QStringList{Answer, u"ZOL_READ_RESPONSE,0,2,10,00:11:22:33:44:55,10.0.0.6,255.0.0.0,10.0.0.2,TRUE,n,l,0,Pump"_s}
        << QStringList{u"Pump|0000016|00:11:22:33:44:55|10.0.0.6|255.0.0.0|10.0.0.2|Enabled|n|l"_s};
    QTest::newRow("missing serial and DHCP shown as ???")
        << QStringList{u"ZOL_READ_RESPONSE"_s, u"ZOL_READ_RESPONSE,0,1,1,M1,1.1.1.1"_s}
        << QStringList{u"VRD Module|0000001|M1|1.1.1.1|||???||"_s, u"VRD Module|???|||||???||"_s};
}

void tst_MainWindow::answersMakeRows()
{
    QFETCH(QStringList, answers);
    QFETCH(QStringList, rows);
    for (const QString &answer : answers)
        post(answer);
    QTRY_COMPARE(this->rows(), rows);
}

void tst_MainWindow::writeAnswers_data()
{
    // Steps: "write" sends a write query, anything else is the status word of
    // an answer from the device being edited.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("rowIp");
    QTest::newRow("first refusal shown, the second quiet")
        << QStringList{u"write"_s, u"ZOL_SECURITY_VIOLATION"_s, u"ZOL_INVALID_PARAMETER"_s}
        << QStringList{u"Modify failed, security mode enabled on device."_s} << u"10.0.0.5"_s;
    QTest::newRow("refusal after a success quiet, row updated")
        << QStringList{u"write"_s, u"ZOL_CONFIGURATION_UPDATED"_s, u"ZOL_MISSING_PARAMETERS"_s} << QStringList{} << u"10.0.0.9"_s;
    QTest::newRow("each write's first refusal shown")
        << QStringList{u"write"_s, u"ZOL_INVALID_PARAMETER"_s, u"write"_s, u"ZOL_MISSING_PARAMETERS"_s}
        << QStringList{u"Modify failed, invalid parameter"_s, u"Modify failed, missing parameters."_s} << u"10.0.0.5"_s;
}

void tst_MainWindow::writeAnswers()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, messages);
    QFETCH(QString, rowIp);
    post(Answer);
    QTRY_COMPARE(rows().size(), 1);
    m_window->EditDialog.Mac_Address->setText(Mac);
    m_window->EditDialog.IP_Address->setText(QStringLiteral("10.0.0.9"));
    for (const QString &step : steps) {
        if (step == QLatin1String("write"))
            (void)SendToAllAdapters(QStringLiteral("ZOL_WRITE_QUERY"), true);
        else
            post(QStringLiteral("ZOL_WRITE_RESPONSE,0,1,") + Mac + u',' + step);
        QCoreApplication::sendPostedEvents();
    }
    QCOMPARE(m_messages, messages);
    QCOMPARE(m_window->findDeviceRow(Mac)->text(3), rowIp);
}

void tst_MainWindow::progressSteps_data()
{
    QTest::addColumn<bool>("dhcpBefore");
    QTest::addColumn<bool>("dhcpAfter");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("stepMs");
    QTest::newRow("DHCP switched on: waiting for an address") << false << true
        << "Device Getting IP Address from DHCP Server..." << 100;
    QTest::newRow("DHCP left off") << false << false << "Device Updating..." << 20;
    QTest::newRow("DHCP left on") << true << true << "Device Updating..." << 20;
}

void tst_MainWindow::progressSteps()
{
    QFETCH(bool, dhcpBefore);
    QFETCH(bool, dhcpAfter);
    QFETCH(QString, message);
    QFETCH(int, stepMs);
    post(QString(Answer).replace(QStringLiteral("FALSE"), dhcpBefore ? QStringLiteral("TRUE") : QStringLiteral("FALSE")));
    QTRY_COMPARE(rows().size(), 1);
    QList<int> pauses, values;
    QString shown;
    SetModifyPauseHook([&](int ms) {
        pauses << ms;
        if (auto *progress = m_window->findChild<Device_Updating *>(); progress && progress->isVisible()) {
            values << progress->progressBar1->value();
            shown = progress->textLabel1->text();
        }
    });
    Edit_Network_Configuration &d = m_window->EditDialog;
    QTimer::singleShot(0, &d, [&] {
        d.DHCP->setChecked(dhcpAfter);
        d.Name->setText(QStringLiteral("renamed"));
        d.OK_clicked();
    });
    QuerySequence = 3;
    m_window->MainList_doubleClicked(m_window->findDeviceRow(Mac));
    QList<int> expectedValues;
    for (int i = 0; i <= 40; ++i)
        expectedValues << i * 5 / 2;
    QCOMPARE(pauses, QList<int>{20} + QList<int>(41, stepMs));
    QCOMPARE(values, expectedValues);
    QCOMPARE(shown, message);
    QCOMPARE(m_platform.texts().last(), QStringLiteral("ZOL_READ_QUERY,0,5")); // the refresh after the write
}

void tst_MainWindow::layoutFileRoundTrip()
{
    // Column i at position order[i] with width 40 + 10 * i; column 8 has no
    // position of its own (the language covers it) and takes the free one.
    const QList<int> order{8, 0, 1, 2, 3, 4, 5, 6};
    QByteArray record(72, '\0');
    for (int i = 0; i < 9; ++i) {
        if (i < 8)
            qToLittleEndian<qint32>(order[i], record.data() + 8 * i);
        qToLittleEndian<qint32>(40 + 10 * i, record.data() + 8 * i + 4);
    }
    record.replace(64, 2, "en");
    m_window.reset();
    QFile file(QStringLiteral("config.cfg"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(record) == 72);
    file.close();
    m_window = std::make_unique<Zol_ClientMainWindow>();
    QCOMPARE(CurrentLanguage, QStringLiteral("en"));
    QHeaderView *header = m_window->MainList->header();
    for (int i = 0; i < 9; ++i) {
        QCOMPARE(header->sectionSize(i), 40 + 10 * i);
        QCOMPARE(header->visualIndex(i), i < 8 ? order[i] : 7);
    }
    m_window.reset(); // saves
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().toHex(' '), record.toHex(' '));
}

void tst_MainWindow::languageFromCommandLineAndSwitch()
{
    const QString chineseFindAll = QStringLiteral(u"查找全部");
    const QString chineseEditTitle = QStringLiteral(u"编辑网络配置");
    m_window.reset();
    QFile file(QStringLiteral("config.cfg"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(64, '\0') + "en" + QByteArray(6, '\0')) == 72);
    file.close();
    CurrentLanguage = QStringLiteral("c"); // as "/s c" leaves it
    m_window = std::make_unique<Zol_ClientMainWindow>();
    m_window->MenuInit(true);
    m_window->show();
    QTRY_COMPARE(m_window->Find_All->text(), chineseFindAll);
    m_window->English();
    QTRY_COMPARE(m_window->Find_All->text(), QStringLiteral("Find All"));
    m_window->EditDialog.show();
    m_window->Chinese();
    QTRY_COMPARE(m_window->Find_All->text(), chineseFindAll);
    QTRY_COMPARE(m_window->EditDialog.windowTitle(), chineseEditTitle);
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
