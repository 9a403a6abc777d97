// The real main window taking in device answers over real sockets: two
// simulated segments (see tools/netns.sh), a simulator on each.

#include "../support/devsim.h"
#include "../support/maptranslator.h"
#include "newsettings.h"

#include "ui/appshell.h"
#include "mainwindow/mainwindow.h"
#include "net/deviceresponseevent.h"
#include "net/messages.h"
#include "net/sender.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <memory>

namespace {

const QString MacA = QStringLiteral("00:1A:2B:3C:4D:5E");
const QString MacB = QStringLiteral("00:1A:2B:3C:4D:5F");
const QString DeviceA = MacA + QStringLiteral(",1A2B,10.77.1.20,255.255.255.0,10.77.1.1,TRUE,Pump_1,Hall A");
const QString DeviceB = MacB + QStringLiteral(",FFFFFFFF,10.77.2.20,255.255.0.0,10.77.2.1,FALSE,,Roof,Gate Box");

QStringList rowTexts(const QTreeWidgetItem *row)
{
    QStringList texts;
    for (int c = 0; c < Zol_ClientMainWindowBase::ColumnCount; ++c)
        texts << row->text(c);
    return texts;
}

QStringList expectA()
{
    return {QStringLiteral("VRD Module"), QStringLiteral("0006699"), MacA, QStringLiteral("10.77.1.20"),
            QStringLiteral("255.255.255.0"), QStringLiteral("10.77.1.1"), QStringLiteral("Enabled"),
            QStringLiteral("Pump_1"), QStringLiteral("Hall A")};
}

QStringList expectB()
{
    return {QStringLiteral("Gate Box"), QStringLiteral("-000001"), MacB, QStringLiteral("10.77.2.20"),
            QStringLiteral("255.255.0.0"), QStringLiteral("10.77.2.1"), QStringLiteral("Disabled"),
            QString(), QStringLiteral("Roof")};
}

} // namespace

class tst_DeviceList : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void rowsAndColumns();
    void oneRowForDeviceOnBothSegments();
    void macsDifferingInCaseGiveTwoRows();
    void knownMacIsRefreshed();
    void findAllClearsAndAsksAgain();
    void answersFromEarlierQueryStillCount();
    void fieldRules_data();
    void fieldRules();
    void ignoredTexts_data();
    void ignoredTexts();
    void unknownEventType();
    void translationOfTexts();
    void writeAccepted();
    void writeAcceptedDuringModifyKeepsDialog();
    void writeAcceptedForUnlistedDevice();
    void writeRefused_data();
    void writeRefused();
    void refusalTwiceShowsOneBox();
    void refusalAfterSuccessIsSilent();
    void refusalWithoutWriteIsSilent();
    void writeAnswerForOtherDeviceOnlyStopsTimer();
    void unknownStatusIgnored();

private:
    DeviceSimulator *startSim(int segment, const QStringList &args);
    void sendFromSegment(int segment, const QStringList &texts);
    Zol_ClientMainWindow *makeWindow();
    bool indexMatchesRows() const;

    QTemporaryDir m_dir;
    QStringList m_segments;
    QStringList m_clientAddresses;
    QList<DeviceSimulator *> m_sims;
    std::unique_ptr<Zol_ClientMainWindow> m_window;
    QStringList m_messages;
};

void tst_DeviceList::initTestCase()
{
    ZOL_REQUIRE_NETNS();
    m_segments = NetnsSegments();
    m_clientAddresses = NetnsClientAddresses();
    QCOMPARE(m_segments.size(), 2);
    // The window keeps its layout file in the current folder.
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir::setCurrent(m_dir.path()));
}

void tst_DeviceList::init()
{
    m_messages.clear();
    SetMessageHook([this](const QString &text) { m_messages << text; });
}

void tst_DeviceList::cleanup()
{
    m_window.reset();
    qDeleteAll(m_sims);
    m_sims.clear();
    SetMessageHook(nullptr);
}

DeviceSimulator *tst_DeviceList::startSim(int segment, const QStringList &args)
{
    auto *sim = new DeviceSimulator(m_segments.at(segment));
    m_sims << sim;
    return sim->start(args) ? sim : nullptr;
}

void tst_DeviceList::sendFromSegment(int segment, const QStringList &texts)
{
    QStringList args{QStringLiteral("--send"), m_clientAddresses.at(segment) + QStringLiteral(":2851")};
    for (const QString &text : texts)
        args << QStringLiteral("--text") << text;
    DeviceSimulator sender(m_segments.at(segment));
    QVERIFY(sender.start(args));
}

Zol_ClientMainWindow *tst_DeviceList::makeWindow()
{
    m_window = std::make_unique<Zol_ClientMainWindow>();
    // The receiver holds its port from its construction on.
    return UdpPortTaken(ResponsePort) ? m_window.get() : nullptr;
}

bool tst_DeviceList::indexMatchesRows() const
{
    QTreeWidget *list = m_window->MainList;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem *row = list->topLevelItem(i);
        if (m_window->findDeviceRow(row->text(2)) != row)
            return false;
    }
    return true;
}

void tst_DeviceList::rowsAndColumns()
{
    QVERIFY(startSim(0, {QStringLiteral("--device"), DeviceA}));
    QVERIFY(startSim(1, {QStringLiteral("--device"), DeviceB}));
    Zol_ClientMainWindow *w = makeWindow();
    QVERIFY(w);
    // The start-up discovery reached both segments already.
    QTRY_COMPARE(w->MainList->topLevelItemCount(), 2);
    QVERIFY(w->findDeviceRow(MacA));
    QVERIFY(w->findDeviceRow(MacB));
    QCOMPARE(rowTexts(w->findDeviceRow(MacA)), expectA());
    QCOMPARE(rowTexts(w->findDeviceRow(MacB)), expectB());
    QCOMPARE(m_sims.at(0)->received().at(0).text(), QStringLiteral("ZOL_READ_QUERY,0,1"));
    QCOMPARE(m_sims.at(0)->received().at(0).source, m_clientAddresses.at(0) + QStringLiteral(":2850"));

    // Sorted by device type: "Gate Box" before "VRD Module".
    QCOMPARE(w->MainList->topLevelItem(0)->text(2), MacB);
    // Every column is at least as wide as its widest text.
    const QFontMetrics metrics = w->MainList->fontMetrics();
    for (int c = 0; c < Zol_ClientMainWindowBase::ColumnCount; ++c) {
        for (const QStringList &texts : {expectA(), expectB()})
            QVERIFY2(w->MainList->header()->sectionSize(c) >= metrics.horizontalAdvance(texts.at(c)),
                     qPrintable(QString::number(c)));
    }
    QVERIFY(indexMatchesRows());
    QVERIFY(m_messages.isEmpty());
}

void tst_DeviceList::oneRowForDeviceOnBothSegments()
{
    // The same device heard through both adapters, and each copy twice.
    QVERIFY(startSim(0, {QStringLiteral("--device"), DeviceA, QStringLiteral("--answer-twice")}));
    QVERIFY(startSim(1, {QStringLiteral("--device"), DeviceA, QStringLiteral("--answer-twice")}));
    Zol_ClientMainWindow *w = makeWindow();
    QVERIFY(w);
    QTRY_COMPARE(w->MainList->topLevelItemCount(), 1);
    QVERIFY(DeviceSimulator::waitFor([this] { return m_sims.at(0)->sent().size() == 2 && m_sims.at(1)->sent().size() == 2; }, 5000));
    QTest::qWait(200);
    QCOMPARE(w->MainList->topLevelItemCount(), 1);
    QCOMPARE(rowTexts(w->MainList->topLevelItem(0)), expectA());
}

void tst_DeviceList::macsDifferingInCaseGiveTwoRows()
{
    QVERIFY(startSim(0, {QStringLiteral("--device"), DeviceA}));
    QString lower = DeviceA;
    lower.replace(MacA, MacA.toLower());
    QVERIFY(startSim(1, {QStringLiteral("--device"), lower}));
    Zol_ClientMainWindow *w = makeWindow();
    QVERIFY(w);
    QTRY_COMPARE(w->MainList->topLevelItemCount(), 2);
    QVERIFY(w->findDeviceRow(MacA) != w->findDeviceRow(MacA.toLower()));
    QVERIFY(w->findDeviceRow(MacA.toLower()));
    QVERIFY(indexMatchesRows());
}

void tst_DeviceList::knownMacIsRefreshed()
{
    Zol_ClientMainWindow *w = makeWindow();
    QVERIFY(w);
    sendFromSegment(0, {QStringLiteral("ZOL_READ_RESPONSE,0,1,FF,") + MacA + QStringLiteral(",1.1.1.1,255.0.0.0,1.1.1.2,TRUE,N,L,0,Sensor")});
    QTRY_COMPARE(w->MainList->topLevelItemCount(), 1);
    QCOMPARE(w->findDeviceRow(MacA)->text(0), QStringLiteral("Sensor"));
    sendFromSegment(1, {QStringLiteral("ZOL_READ_RESPONSE,0,1,10,") + MacA + QStringLiteral(",2.2.2.2,255.255.0.0,2.2.2.1,FALSE,,There,0")});
    QTRY_COMPARE(w->findDeviceRow(MacA)->text(1), QStringLiteral("0000016"));
    QCOMPARE(w->MainList->topLevelItemCount(), 1);
    const QStringList expected{QStringLiteral("VRD Module"), QStringLiteral("0000016"), MacA, QStringLiteral("2.2.2.2"),
                               QStringLiteral("255.255.0.0"), QStringLiteral("2.2.2.1"), QStringLiteral("Disabled"),
                               QString(), QStringLiteral("There")};
    QCOMPARE(rowTexts(w->findDeviceRow(MacA)), expected);
}

void tst_DeviceList::findAllClearsAndAsksAgain()
{
    QVERIFY(startSim(0, {QStringLiteral("--device"), DeviceA}));
    QVERIFY(startSim(1, {QStringLiteral("--device"), DeviceB}));
    Zol_ClientMainWindow *w = makeWindow();
    QVERIFY(w);
    QTRY_COMPARE(w->MainList->topLevelItemCount(), 2);
    w->MainList->setCurrentItem(w->MainList->topLevelItem(0));
    QVERIFY(w->Edit->isEnabled());

    w->Find_All_clicked();
    QCOMPARE(w->MainList->topLevelItemCount(), 0);
    QCOMPARE(w->findDeviceRow(MacA), nullptr);
    QVERIFY(!w->Edit->isEnabled());
    QTRY_COMPARE(w->MainList->topLevelItemCount(), 2);
    QVERIFY(m_sims.at(1)->waitForReceived(2));
    QCOMPARE(m_sims.at(1)->received().at(1).text(), QStringLiteral("ZOL_READ_QUERY,0,2"));
    QVERIFY(indexMatchesRows());
}

void tst_DeviceList::answersFromEarlierQueryStillCount()
{
    Zol_ClientMainWindow *w = makeWindow();
    QVERIFY(w);
    w->Find_All_clicked();
    // An answer carrying an old sequence number is taken like any other.
    sendFromSegment(0, {QStringLiteral("ZOL_READ_RESPONSE,0,1,FF,") + MacA + QStringLiteral(",1.1.1.1,255.0.0.0,1.1.1.2,TRUE,N,L,0")});
    QTRY_COMPARE(w->MainList->topLevelItemCount(), 1);
}

void tst_DeviceList::fieldRules_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("row");

    const QString vrd = QStringLiteral("VRD Module");
    QTest::newRow("empty ip shifts")
        << QStringLiteral("ZOL_READ_RESPONSE,0,1,FF,M1,,255.0.0.0,1.1.1.2,TRUE,N,L,0")
        << QStringList{vrd, QStringLiteral("0000255"), QStringLiteral("M1"), QStringLiteral("255.0.0.0"), QStringLiteral("1.1.1.2"),
                       QStringLiteral("TRUE"), QStringLiteral("Disabled"), QStringLiteral("L"), QStringLiteral("0")};
    QTest::newRow("absent fields")
        << QStringLiteral("ZOL_READ_RESPONSE,0,1")
        << QStringList{vrd, QStringLiteral("???"), QString(), QString(), QString(), QString(), QStringLiteral("???"), QString(), QString()};
    QTest::newRow("lower-case true")
        << QStringLiteral("ZOL_READ_RESPONSE,0,1,XYZ,M2,1.1.1.1,255.0.0.0,1.1.1.2,true,N,L,0")
        << QStringList{vrd, QStringLiteral("0000000"), QStringLiteral("M2"), QStringLiteral("1.1.1.1"), QStringLiteral("255.0.0.0"),
                       QStringLiteral("1.1.1.2"), QStringLiteral("Disabled"), QStringLiteral("N"), QStringLiteral("L")};
    QTest::newRow("empty device type")
        << QStringLiteral("ZOL_READ_RESPONSE,0,1,1,M3,a,b,c,TRUE,,,0,,")
        << QStringList{QString(), QStringLiteral("0000001"), QStringLiteral("M3"), QStringLiteral("a"), QStringLiteral("b"),
                       QStringLiteral("c"), QStringLiteral("Enabled"), QString(), QString()};
    QTest::newRow("latin-1 and percent kept")
        << QString::fromLatin1("ZOL_READ_RESPONSE,0,1,1,M4,%s,%n,%d,TRUE,Caf\xe9,\xd8st,0,T\xfcr")
        << QStringList{QString::fromLatin1("T\xfcr"), QStringLiteral("0000001"), QStringLiteral("M4"), QStringLiteral("%s"),
                       QStringLiteral("%n"), QStringLiteral("%d"), QStringLiteral("Enabled"), QString::fromLatin1("Caf\xe9"),
                       QString::fromLatin1("\xd8st")};
}

void tst_DeviceList::fieldRules()
{
    QFETCH(QString, text);
    QFETCH(QStringList, row);
    Zol_ClientMainWindow *w = makeWindow();
    QVERIFY(w);
    QCoreApplication::postEvent(w, new DeviceResponseEvent(text));
    QTRY_COMPARE(w->MainList->topLevelItemCount(), 1);
    QCOMPARE(rowTexts(w->MainList->topLevelItem(0)), row);
}

void tst_DeviceList::ignoredTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("four characters") << QStringLiteral("ZOL_");
    QTest::newRow("own read query") << QStringLiteral("ZOL_READ_QUERY,0,1");
    QTest::newRow("own write query") << FormatWriteQuery(3, MacA, QStringLiteral("1.1.1.1"), QStringLiteral("255.0.0.0"),
                                                         QStringLiteral("1.1.1.2"), true, QStringLiteral("N"), QStringLiteral("L"));
    QTest::newRow("lower-case keyword") << QStringLiteral("zol_read_response,0,1,FF,M,1.1.1.1");
}

void tst_DeviceList::ignoredTexts()
{
    QFETCH(QString, text);
    Zol_ClientMainWindow *w = makeWindow();
    QVERIFY(w);
    QCoreApplication::postEvent(w, new DeviceResponseEvent(text));
    // A marker answer behind it shows the first one has been handled.
    QCoreApplication::postEvent(w, new DeviceResponseEvent(QStringLiteral("ZOL_READ_RESPONSE,0,1,1,MARK")));
    QTRY_COMPARE(w->MainList->topLevelItemCount(), 1);
    QCOMPARE(w->MainList->topLevelItem(0)->text(2), QStringLiteral("MARK"));
}

void tst_DeviceList::unknownEventType()
{
    Zol_ClientMainWindow *w = makeWindow();
    QVERIFY(w);
    const int type = QEvent::registerEventType();
    QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("Unknown custom event type: %1").arg(type)));
    QEvent event{static_cast<QEvent::Type>(type)};
    QCoreApplication::sendEvent(w, &event);
    QCOMPARE(w->MainList->topLevelItemCount(), 0);
}

void tst_DeviceList::translationOfTexts()
{
    MapTranslator translator("Zol_ClientMainWindow",
                             {{QStringLiteral("Enabled"), QStringLiteral("On")},
                              {QStringLiteral("Disabled"), QStringLiteral("Off")},
                              {QStringLiteral("Hall A"), QStringLiteral("Hall A (translated)")}});
    QCoreApplication::installTranslator(&translator);
    Zol_ClientMainWindow *w = makeWindow();
    QVERIFY(w);
    QCoreApplication::postEvent(w, new DeviceResponseEvent(
        QString::fromLatin1("ZOL_READ_RESPONSE,0,1,FF,") + MacA + QString::fromLatin1(",1.1.1.1,255.0.0.0,1.1.1.2,TRUE,Caf\xe9,Hall A,0")));
    QTRY_COMPARE(w->MainList->topLevelItemCount(), 1);
    QTreeWidgetItem *row = w->findDeviceRow(MacA);
    QVERIFY(row);
    QCOMPARE(row->text(6), QStringLiteral("On"));
    QCOMPARE(row->text(8), QStringLiteral("Hall A (translated)"));
    QCOMPARE(row->text(7), QString::fromLatin1("Caf\xe9")); // no translation: unchanged
    QCOMPARE(row->text(0), QStringLiteral("VRD Module"));
    QCoreApplication::removeTranslator(&translator);
}

void tst_DeviceList::writeAccepted()
{
    DeviceSimulator *sim = startSim(0, {QStringLiteral("--device"), DeviceA});
    QVERIFY(sim);
    Zol_ClientMainWindow *w = makeWindow();
    QVERIFY(w);
    QTRY_COMPARE(w->MainList->topLevelItemCount(), 1);
    TypeNewSettings(w->EditDialog, MacA, false);
    w->EditDialog.show();
    w->ModifyTimer.start(60000);
    SendToAllAdapters(FormatWriteQuery(5, MacA, QStringLiteral("10.77.1.99"), QStringLiteral("255.255.0.0"),
                                       QStringLiteral("10.77.1.254"), false, QStringLiteral("Renamed"), QStringLiteral("Elsewhere")),
                      true);
    QVERIFY(!WriteAnswered);
    QTRY_VERIFY(!w->ModifyTimer.isActive());
    QTRY_VERIFY(WriteAnswered);
    QTRY_VERIFY(!w->EditDialog.isVisible());
    const QStringList expected{QStringLiteral("VRD Module"), QStringLiteral("0006699"), MacA, QStringLiteral("10.77.1.99"),
                               QStringLiteral("255.255.0.0"), QStringLiteral("10.77.1.254"), QStringLiteral("Disabled"),
                               QStringLiteral("Renamed"), QStringLiteral("Elsewhere")};
    QCOMPARE(rowTexts(w->findDeviceRow(MacA)), expected);
    QVERIFY(m_messages.isEmpty());
    QVERIFY(!w->ModifyFailed);
}

void tst_DeviceList::writeAcceptedDuringModifyKeepsDialog()
{
    Zol_ClientMainWindow *w = makeWindow();
    QVERIFY(w);
    QCoreApplication::postEvent(w, new DeviceResponseEvent(QStringLiteral("ZOL_READ_RESPONSE,0,1,FF,") + MacA));
    TypeNewSettings(w->EditDialog, MacA, true);
    w->EditDialog.show();
    w->ModifyInProgress = true;
    WriteAnswered = false;
    sendFromSegment(0, {QStringLiteral("ZOL_WRITE_RESPONSE,0,5,") + MacA + QStringLiteral(",ZOL_CONFIGURATION_UPDATED")});
    QTRY_VERIFY(WriteAnswered);
    QVERIFY(w->EditDialog.isVisible());
    QCOMPARE(w->findDeviceRow(MacA)->text(6), QStringLiteral("Enabled"));
    QCOMPARE(w->findDeviceRow(MacA)->text(3), QStringLiteral("10.77.1.99"));
    w->ModifyInProgress = false;
    w->EditDialog.hide();
}

void tst_DeviceList::writeAcceptedForUnlistedDevice()
{
    Zol_ClientMainWindow *w = makeWindow();
    QVERIFY(w);
    TypeNewSettings(w->EditDialog, MacA, false);
    WriteAnswered = false;
    sendFromSegment(1, {QStringLiteral("ZOL_WRITE_RESPONSE,0,5,") + MacA + QStringLiteral(",ZOL_CONFIGURATION_UPDATED")});
    QTRY_VERIFY(WriteAnswered);
    QCOMPARE(w->MainList->topLevelItemCount(), 0);
}

void tst_DeviceList::writeRefused_data()
{
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing parameters") << "ZOL_MISSING_PARAMETERS" << "Modify failed, missing parameters.";
    QTest::newRow("security") << "ZOL_SECURITY_VIOLATION" << "Modify failed, security mode enabled on device.";
    QTest::newRow("invalid parameter") << "ZOL_INVALID_PARAMETER" << "Modify failed, invalid parameter";
}

void tst_DeviceList::writeRefused()
{
    QFETCH(QString, status);
    QFETCH(QString, message);
    QVERIFY(startSim(0, {QStringLiteral("--device"), DeviceA, QStringLiteral("--status"), status}));
    Zol_ClientMainWindow *w = makeWindow();
    QVERIFY(w);
    QTRY_COMPARE(w->MainList->topLevelItemCount(), 1);
    TypeNewSettings(w->EditDialog, MacA, false);
    w->EditDialog.show();
    SendToAllAdapters(FormatWriteQuery(5, MacA, QStringLiteral("10.77.1.99"), QStringLiteral("255.255.0.0"),
                                       QStringLiteral("10.77.1.254"), false, QStringLiteral("Renamed"), QStringLiteral("Elsewhere")),
                      true);
    QTRY_COMPARE(m_messages, QStringList{message});
    QVERIFY(w->ModifyFailed);
    QVERIFY(WriteAnswered);
    QCOMPARE(rowTexts(w->findDeviceRow(MacA)), expectA()); // row untouched
    QVERIFY(w->EditDialog.isVisible());
    w->EditDialog.hide();
}

void tst_DeviceList::refusalTwiceShowsOneBox()
{
    QVERIFY(startSim(0, {QStringLiteral("--device"), DeviceA, QStringLiteral("--status"),
                         QStringLiteral("ZOL_SECURITY_VIOLATION"), QStringLiteral("--answer-twice")}));
    QVERIFY(startSim(1, {QStringLiteral("--device"), DeviceA, QStringLiteral("--status"),
                         QStringLiteral("ZOL_SECURITY_VIOLATION")}));
    Zol_ClientMainWindow *w = makeWindow();
    QVERIFY(w);
    QTRY_COMPARE(w->MainList->topLevelItemCount(), 1);
    TypeNewSettings(w->EditDialog, MacA, false);
    SendToAllAdapters(FormatWriteQuery(5, MacA, QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), false,
                                       QStringLiteral("N"), QStringLiteral("L")),
                      true);
    QVERIFY(DeviceSimulator::waitFor([this] { return m_sims.at(0)->sent().size() >= 3 && m_sims.at(1)->sent().size() >= 2; }, 5000));
    QTRY_VERIFY(w->ModifyFailed);
    QTest::qWait(300);
    QCOMPARE(m_messages, QStringList{QStringLiteral("Modify failed, security mode enabled on device.")});
}

void tst_DeviceList::refusalAfterSuccessIsSilent()
{
    Zol_ClientMainWindow *w = makeWindow();
    QVERIFY(w);
    TypeNewSettings(w->EditDialog, MacA, false);
    WriteAnswered = false;
    sendFromSegment(0, {QStringLiteral("ZOL_WRITE_RESPONSE,0,5,") + MacA + QStringLiteral(",ZOL_CONFIGURATION_UPDATED"),
                        QStringLiteral("ZOL_WRITE_RESPONSE,0,5,") + MacA + QStringLiteral(",ZOL_INVALID_PARAMETER")});
    QTRY_VERIFY(w->ModifyFailed);
    QVERIFY(WriteAnswered);
    QVERIFY(m_messages.isEmpty());
}

void tst_DeviceList::refusalWithoutWriteIsSilent()
{
    Zol_ClientMainWindow *w = makeWindow();
    QVERIFY(w);
    QVERIFY(WriteAnswered); // set by the window at start
    TypeNewSettings(w->EditDialog, MacA, true);
    sendFromSegment(0, {QStringLiteral("ZOL_WRITE_RESPONSE,0,5,") + MacA + QStringLiteral(",ZOL_MISSING_PARAMETERS")});
    QTRY_VERIFY(w->ModifyFailed);
    QVERIFY(m_messages.isEmpty());
}

void tst_DeviceList::writeAnswerForOtherDeviceOnlyStopsTimer()
{
    Zol_ClientMainWindow *w = makeWindow();
    QVERIFY(w);
    TypeNewSettings(w->EditDialog, MacA, false);
    WriteAnswered = false;
    w->ModifyTimer.start(60000);
    sendFromSegment(0, {QStringLiteral("ZOL_WRITE_RESPONSE,0,5,") + MacA.toLower() + QStringLiteral(",ZOL_SECURITY_VIOLATION")});
    QTRY_VERIFY(!w->ModifyTimer.isActive());
    QTest::qWait(100);
    QVERIFY(!WriteAnswered);
    QVERIFY(!w->ModifyFailed);
    QVERIFY(m_messages.isEmpty());
}

void tst_DeviceList::unknownStatusIgnored()
{
    Zol_ClientMainWindow *w = makeWindow();
    QVERIFY(w);
    QCoreApplication::postEvent(w, new DeviceResponseEvent(QStringLiteral("ZOL_READ_RESPONSE,0,1,FF,") + MacA));
    QTRY_COMPARE(w->MainList->topLevelItemCount(), 1);
    TypeNewSettings(w->EditDialog, MacA, false);
    WriteAnswered = false;
    w->EditDialog.show();
    w->ModifyTimer.start(60000);
    sendFromSegment(0, {QStringLiteral("ZOL_WRITE_RESPONSE,0,5,") + MacA + QStringLiteral(",ZOL_CONFIGURATION_UPDATED "),
                        QStringLiteral("ZOL_WRITE_RESPONSE,0,5,") + MacA});
    QTRY_VERIFY(!w->ModifyTimer.isActive());
    QTest::qWait(100);
    QVERIFY(!WriteAnswered);
    QVERIFY(!w->ModifyFailed);
    QVERIFY(w->EditDialog.isVisible());
    QCOMPARE(w->findDeviceRow(MacA)->text(3), QString());
    w->EditDialog.hide();
}

QTEST_MAIN(tst_DeviceList)
#include "tst_devicelist.moc"
