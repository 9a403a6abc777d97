// SPDX-License-Identifier: Apache-2.0
// The real main window on the offscreen platform: answers are posted to it as
// the receiver would, and its queries are captured instead of sent.
#include "../support/capturingplatform.h"
#include "../support/netns.h"

#include "app/commandline.h"
#include "ui/appshell.h"
#include "forms/aboutboxform.h"
#include "forms/deviceupdating.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/modifyflow.h"
#include "net/deviceresponseevent.h"
#include "net/messages.h"

#include <QtTest>
#include <QtWidgets>

#include <csignal>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

namespace {
const QString Mac = u"00:11:22:33:44:55"_s;
const QString Answer = u"ZOL_READ_RESPONSE,0,1,FF,00:11:22:33:44:55,10.0.0.5,255.255.255.0,10.0.0.1,FALSE,dev,lab,0"_s;
} // namespace

class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void answersMakeRows_data();
    void answersMakeRows();
    void writeAnswers_data();
    void writeAnswers();
    void modifyFlow_data();
    void modifyFlow();
    void answersWaitForProgress();
    void layoutFileRoundTrip();
    void languageFromCommandLineAndSwitch();
    void languageMenu();
    void deviceTextsShownAsReceived();
    // Minor and patch in two digits, as the build makes them.
    void aboutShowsTheVersion()
    {
        QCOMPARE(aboutboxform(m_window.get()).versionLabel->text().section(u' ', -1), u"1.04.04"_s);
    }

private:
    void post(const QString &text) { QCoreApplication::postEvent(m_window.get(), new DeviceResponseEvent(text)); }
    QStringList rows() const;
    // A new window started with this config.cfg.
    void restartWith(const QByteArray &record);

    QTemporaryDir m_dir;
    CapturingPlatform m_platform;
    QStringList m_messages;
    std::unique_ptr<Zol_ClientMainWindow> m_window;
};

void tst_MainWindow::initTestCase()
{
    ZOL_REQUIRE_NETNS(); // the window's receiver binds port 2851
    QVERIFY(QDir::setCurrent(m_dir.path()));
    for (const QString &file : {u"qrt_c.qm"_s, u"qrt_en.qm"_s})
        QVERIFY(QFile::copy(qEnvironmentVariable("ZOL_BIN_DIR") + u'/' + file, file));
    SetNetworkPlatform(&m_platform);
    SetMessageHook([this](const QString &text) { m_messages << text; });
    SetSystemLocaleNameOverride(u"C"_s);
    AppTranslator = new QTranslator(this);
    QCoreApplication::installTranslator(AppTranslator);
}

void tst_MainWindow::init()
{
    CurrentLanguage.clear();
    restartWith({});
    post(Answer);
    QTRY_COMPARE(rows().size(), 1);
}

void tst_MainWindow::restartWith(const QByteArray &record)
{
    m_window.reset();
    QFile file(u"config.cfg"_s);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(record) == record.size());
    file.close();
    m_window = std::make_unique<Zol_ClientMainWindow>();
    m_platform.sent.clear();
    m_messages.clear();
}

QStringList tst_MainWindow::rows() const
{
    QStringList result;
    const QAbstractItemModel *list = m_window->MainList->model();
    for (int r = 0; r < list->rowCount(); ++r) {
        QStringList texts;
        for (int c = 0; c < list->columnCount(); ++c)
            texts << list->index(r, c).data().toString();
        result << texts.join(u'|');
    }
    result.sort();
    return result;
}

void tst_MainWindow::answersMakeRows_data()
{
    // Posted after the answer Answer; the rows then listed, sorted.
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("rows");
    const QString row = u"VRD Module|0000255|00:11:22:33:44:55|10.0.0.5|255.255.255.0|10.0.0.1|Disabled|dev|lab"_s;
    QTest::newRow("one device heard through two segments listed once") << QStringList{Answer} << QStringList{row};
    QTest::newRow("MACs differing in case are two devices")
        << QStringList{u"ZOL_READ_RESPONSE,0,1,1,00:11:22:33:44:5A,1.1.1.1"_s, u"ZOL_READ_RESPONSE,0,1,1,00:11:22:33:44:5a,1.1.1.1"_s}
        << QStringList{row, u"VRD Module|0000001|00:11:22:33:44:5A|1.1.1.1|||???||"_s, u"VRD Module|0000001|00:11:22:33:44:5a|1.1.1.1|||???||"_s};
    QTest::newRow("type and DHCP shown, refreshed in place")
        << QStringList{u"ZOL_READ_RESPONSE,0,2,10,00:11:22:33:44:55,10.0.0.6,255.0.0.0,10.0.0.2,TRUE,n,l,0,Pump"_s}
        << QStringList{u"Pump|0000016|00:11:22:33:44:55|10.0.0.6|255.0.0.0|10.0.0.2|Enabled|n|l"_s};
    QTest::newRow("missing serial and DHCP shown as ???") << QStringList{u"ZOL_READ_RESPONSE"_s}
        << QStringList{row, u"VRD Module|???|||||???||"_s};
}

void tst_MainWindow::answersMakeRows()
{
    QFETCH(QStringList, answers);
    QFETCH(QStringList, rows);
    for (const QString &answer : answers)
        post(answer);
    QCoreApplication::sendPostedEvents(); // a short list takes each answer at once
    rows.sort();
    QCOMPARE(this->rows(), rows);
}

void tst_MainWindow::writeAnswers_data()
{
    // Steps: "write" is OK in the edit dialog, anything else the status word
    // of an answer from the device being edited.
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
    Edit_Network_Configuration &d = m_window->EditDialog;
    d.Mac_Address->setText(Mac);
    d.IP_Address->setText(u"10.0.0.9"_s);
    d.DHCP->setChecked(true); // the other addresses then go unchecked
    for (const QString &step : steps) {
        if (step == QLatin1String("write"))
            d.OK_clicked();
        else
            post(u"ZOL_WRITE_RESPONSE,0,1,"_s + Mac + u',' + step);
        QCoreApplication::sendPostedEvents();
    }
    QCOMPARE(m_messages, messages);
    QCOMPARE(m_window->findDeviceRow(Mac).siblingAtColumn(3).data().toString(), rowIp);
}

void tst_MainWindow::modifyFlow_data()
{
    // The device's row says dhcpBefore; in the edit dialog DHCP is set to
    // dhcpAfter, the name and address typed, then OK or Renew Lease pressed.
    QTest::addColumn<bool>("dhcpBefore");
    QTest::addColumn<bool>("renew");
    QTest::addColumn<bool>("dhcpAfter");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("ip");
    QTest::addColumn<QStringList>("sent");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("stepMs"); // 0: no progress shown
    QTest::addColumn<QString>("progress");
    const auto write = [](const char *dhcp) {
        return QStringList{u"ZOL_WRITE_QUERY,0,4,00:11:22:33:44:55,10.0.0.5,255.255.255.0,10.0.0.1,"_s + QLatin1String(dhcp)
                               + u",renamed,lab,"_s, u"ZOL_READ_QUERY,0,5"_s};
    };
    QTest::newRow("DHCP switched on: 100 ms steps") << false << false << true << "renamed" << "10.0.0.5" << write("TRUE")
        << QStringList() << 100 << "Device Getting IP Address from DHCP Server...";
    QTest::newRow("DHCP left off: 20 ms steps") << false << false << false << "renamed" << "10.0.0.5" << write("FALSE")
        << QStringList() << 20 << "Device Updating...";
    QTest::newRow("DHCP left on: 20 ms steps") << true << false << true << "renamed" << "10.0.0.5" << write("TRUE")
        << QStringList() << 20 << "Device Updating...";
    QTest::newRow("unchanged: nothing sent") << false << false << false << "dev" << "10.0.0.5" << QStringList()
        << QStringList() << 0 << "";
    QTest::newRow("invalid field shown, nothing sent") << false << false << false << "dev" << "10.0.0" << QStringList()
        << QStringList{u"Invalid IP Address."_s} << 0 << "";
    QTest::newRow("Renew Lease carries the current number") << true << true << true << "dev" << "10.0.0.5"
        << QStringList{u"ZOL_WRITE_QUERY,0,3,00:11:22:33:44:55,0.0.0.0,0.0.0.0,0.0.0.0,TRUE,dev,lab,"_s}
        << QStringList{u"Device IP Address has been reset, give the device at least 10 seconds\n"
                       u"to get it's new IP Address from the DHCP Server."_s} << 0 << "";
}

void tst_MainWindow::modifyFlow()
{
    QFETCH(bool, dhcpBefore);
    QFETCH(bool, renew);
    QFETCH(bool, dhcpAfter);
    QFETCH(QString, name);
    QFETCH(QString, ip);
    QFETCH(QStringList, sent);
    QFETCH(QStringList, messages);
    QFETCH(int, stepMs);
    QFETCH(QString, progress);
    post(QString(Answer).replace(u"FALSE"_s, dhcpBefore ? u"TRUE"_s : u"FALSE"_s));
    QCoreApplication::sendPostedEvents();
    QList<int> pauses, values;
    QString shown;
    SetModifyPauseHook([&](int ms) {
        pauses << ms;
        if (auto *dialog = m_window->findChild<Device_Updating *>(); dialog && dialog->isVisible()) {
            values << dialog->progressBar1->value();
            shown = dialog->textLabel1->text();
        }
    });
    Edit_Network_Configuration &d = m_window->EditDialog;
    QTimer::singleShot(0, &d, [&] {
        d.DHCP->setChecked(dhcpAfter);
        d.Name->setText(name);
        d.IP_Address->setText(ip);
        renew ? d.ResetIP_clicked() : d.OK_clicked();
        if (d.isVisible())
            d.reject();
    });
    QuerySequence = 3;
    m_window->MainList_doubleClicked(m_window->findDeviceRow(Mac));
    SetModifyPauseHook({});
    QList<int> expectedValues;
    for (int i = 0; stepMs && i <= 40; ++i)
        expectedValues << i * 5 / 2;
    QCOMPARE(pauses, stepMs ? QList<int>{20} + QList<int>(41, stepMs) : QList<int>());
    QCOMPARE(values, expectedValues);
    QCOMPARE(shown, progress);
    QCOMPARE(m_platform.sent, sent);
    QCOMPARE(m_messages, messages);
}

void tst_MainWindow::answersWaitForProgress()
{
    // A refusal and two readings of the device arrive as the progress starts:
    // none may be handled while it runs, and afterwards the later reading wins.
    const auto reading = [](const char *ip) { return QString(Answer).replace(u"10.0.0.5"_s, QLatin1String(ip)); };
    int pauses = 0;
    bool handledEarly = false;
    SetModifyPauseHook([&](int) {
        if (pauses++ == 0) {
            post(u"ZOL_WRITE_RESPONSE,0,1,"_s + Mac + u",ZOL_SECURITY_VIOLATION"_s);
            post(reading("10.0.0.6"));
            post(reading("10.0.0.7"));
        }
        handledEarly |= !m_messages.isEmpty() || m_window->findDeviceRow(Mac).siblingAtColumn(3).data() != u"10.0.0.5"_s;
    });
    Edit_Network_Configuration &d = m_window->EditDialog;
    QTimer::singleShot(0, &d, [&] {
        d.Name->setText(u"renamed"_s);
        d.OK_clicked();
    });
    m_window->MainList_doubleClicked(m_window->findDeviceRow(Mac));
    SetModifyPauseHook({});
    QCOMPARE(pauses, 42);
    QVERIFY(!handledEarly);
    // An answer arriving now comes after the held ones: all are through once it is.
    post(u"ZOL_READ_RESPONSE,0,1,1,00:11:22:33:44:66"_s);
    QTRY_COMPARE(m_window->MainList->model()->rowCount(), 2);
    QCOMPARE(m_messages, QStringList{u"Modify failed, security mode enabled on device."_s});
    QCOMPARE(rows(), (QStringList{u"VRD Module|0000001|00:11:22:33:44:66||||???||"_s,
                                  u"VRD Module|0000255|00:11:22:33:44:55|10.0.0.7|255.255.255.0|10.0.0.1|Disabled|dev|lab"_s}));
}

void tst_MainWindow::layoutFileRoundTrip()
{
    // Column i at position order[i] with width 40 + 10 * i; column 8 has no
    // position of its own (the language covers it) and takes the free one.
    const int order[] = {8, 0, 1, 2, 3, 4, 5, 6, 7};
    QByteArray record(72, '\0');
    for (int i = 0; i < 9; ++i) {
        qToLittleEndian<qint32>(order[i], record.data() + 8 * i);
        qToLittleEndian<qint32>(40 + 10 * i, record.data() + 8 * i + 4);
    }
    record.replace(64, 4, QByteArray("en\0\0", 4));
    restartWith(record);
    QCOMPARE(CurrentLanguage, u"en"_s);
    for (int i = 0; i < 9; ++i) {
        QCOMPARE(m_window->MainList->header()->sectionSize(i), 40 + 10 * i);
        QCOMPARE(m_window->MainList->header()->visualIndex(i), order[i]);
    }
    QVERIFY(QFile::remove(u"config.cfg"_s)); // only the save can bring it back
    m_window.reset(); // saves
    QFile file(u"config.cfg"_s);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().toHex(' '), record.toHex(' '));
    file.close();

    // A save that fails (files may not grow beyond 10 bytes; SIGXFSZ ignored,
    // so the write fails instead of ending the test) keeps the old file.
    m_window = std::make_unique<Zol_ClientMainWindow>();
    m_window->MainList->header()->resizeSection(0, 99);
    rlimit saved{};
    QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved) == 0);
    rlimit small = saved;
    small.rlim_cur = 10;
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    const bool limited = ::setrlimit(RLIMIT_FSIZE, &small) == 0;
    m_window.reset();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
    QVERIFY(limited);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().toHex(' '), record.toHex(' '));
}

void tst_MainWindow::languageFromCommandLineAndSwitch()
{
    char program[] = "Zol_Client", sw[] = "-S", code[] = "c";
    char *argv[] = {program, sw, code};
    QCOMPARE(ParseCommandLine(3, argv), 0); // the switch wins over the stored "en"
    restartWith(QByteArray(64, '\0') + "en" + QByteArray(6, '\0'));
    m_window->MenuInit(true);
    m_window->show();
    QTRY_COMPARE(m_window->Find_All->text(), u"查找全部"_s);
    m_window->English();
    QTRY_COMPARE(m_window->Find_All->text(), u"Find All"_s);
    QCOMPARE(m_window->EditDialog.windowTitle(), u"Edit Network Configuration"_s);
    m_window->EditDialog.show();
    m_window->Chinese();
    QTRY_COMPARE(m_window->Find_All->text(), u"查找全部"_s);
    QTRY_COMPARE(m_window->EditDialog.windowTitle(), u"编辑网络配置"_s);
}

void tst_MainWindow::languageMenu()
{
    restartWith(QByteArray(64, '\0') + "en" + QByteArray(6, '\0'));
    m_window->MenuInit(true);
    QMenu *menu = m_window->menuBar()->actions().at(1)->menu();
    QTRY_COMPARE(menu->title(), u"&Language"_s);
    QCOMPARE(menu->actions(), (QList<QAction *>{m_window->MEnglish, m_window->MChinese}));
    QVERIFY(m_window->MEnglish->isChecked() && m_window->MChinese->isCheckable());
    m_window->MChinese->trigger();
    QTRY_COMPARE(m_window->Find_All->text(), u"查找全部"_s);
    QVERIFY(m_window->MChinese->isChecked() && !m_window->MEnglish->isChecked());
    m_window.reset(); // saves the choice
    QFile file(u"config.cfg"_s);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().mid(64, 2), QByteArray("c\0", 2));
}

void tst_MainWindow::deviceTextsShownAsReceived()
{
    // Texts that happen to have a translation are still the device's own.
    m_window->Chinese();
    post(u"ZOL_READ_RESPONSE,0,1,1,00:11:22:33:44:66,10.0.0.7,255.0.0.0,10.0.0.1,TRUE,Enabled,ZOL Client,0"_s);
    QCoreApplication::sendPostedEvents();
    QVERIFY(rows().contains(u"VRD Module|0000001|00:11:22:33:44:66|10.0.0.7|255.0.0.0|10.0.0.1|启用|Enabled|ZOL Client"_s));
    Edit_Network_Configuration &d = m_window->EditDialog;
    QString opened;
    QTimer::singleShot(0, &d, [&] {
        opened = d.Name->text() + u'|' + d.Location->text() + (d.DHCP->isChecked() ? u"|DHCP"_s : u""_s);
        d.reject();
    });
    m_window->MainList_doubleClicked(m_window->findDeviceRow(u"00:11:22:33:44:66"_s));
    QCOMPARE(opened, u"Enabled|ZOL Client|DHCP"_s);
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
