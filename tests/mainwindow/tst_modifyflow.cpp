#include "../support/capturingplatform.h"
#include "../support/maptranslator.h"

#include "ui/appshell.h"
#include "forms/deviceupdating.h"
#include "mainwindow/mainwindow.h"
#include "mainwindow/modifyflow.h"
#include "mainwindow/responseholdback.h"
#include "net/deviceresponseevent.h"
#include "net/messages.h"
#include "net/sender.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QWindow>

#include <cmath>
#include <functional>

namespace {

const QString Updating = QStringLiteral("Device Updating...");
const QString GettingAddress = QStringLiteral("Device Getting IP Address from DHCP Server...");

// What the flow showed at one of its pauses.
struct PauseSeen
{
    int milliseconds = 0;
    bool progressShown = false;
    bool progressExposed = false;
    int value = -1;
    QString message;
    QPoint position;
};

// Records the texts of the device answers it handles, in order. Handling the
// answer "nested" posts another answer and runs the event loop, as a message
// box opened by the handling would.
class AnswerRecorder : public QObject
{
public:
    QStringList handled;
    int handledWhenLoopEnded = -1;

protected:
    void customEvent(QEvent *event) override
    {
        if (event->type() != DeviceResponseEvent::eventType())
            return;
        const QString text = static_cast<DeviceResponseEvent *>(event)->text();
        handled.append(text);
        if (text == QLatin1String("nested")) {
            QCoreApplication::postEvent(this, new DeviceResponseEvent(QStringLiteral("posted while handling")));
            QCoreApplication::processEvents();
            handledWhenLoopEnded = int(handled.size());
        }
    }
};

void postAnswer(QObject *target, const QString &text)
{
    QCoreApplication::postEvent(target, new DeviceResponseEvent(text));
}

} // namespace

class tst_ModifyFlow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void cancelOrUnchangedOkEndsTheFlow_data();
    void cancelOrUnchangedOkEndsTheFlow();
    void dialogIsLoadedFromTheRow_data();
    void dialogIsLoadedFromTheRow();
    void dhcpDecidedByTheTranslation();
    void progressMessageAndStepDelay_data();
    void progressMessageAndStepDelay();
    void progressDialogCentredOverTheWindow();
    void failureWhileDialogOpenSkipsProgress();
    void refusalDuringProgressShownAfterwards();
    void answersHeldBackKeepTheirOrder();
    void holdBackDeliversInArrivalOrder();
    void holdBackKeepsOrderWhileHandlingRunsALoop();
    void holdBackLetsOtherEventsThrough();
    void heldAnswersStillCountAsWaiting();

private:
    QTreeWidgetItem *addRow(const QString &mac, const QString &dhcp,
                            const QString &ip = QStringLiteral("10.0.0.5"));
    // Runs the flow on item; action drives the edit dialog from inside its
    // modal loop (a dialog left open is cancelled).
    void runFlow(QTreeWidgetItem *item, const std::function<void()> &action);
    Device_Updating *progressDialog() const;

    QTemporaryDir m_dir;
    QString m_previousDir;
    CapturingPlatform m_platform;
    NetworkPlatform *m_previousPlatform = nullptr;
    MessageHook m_previousMessageHook;
    ModifyPauseHook m_previousPauseHook;
    QStringList m_messages;
    QList<PauseSeen> m_pauses;
    std::function<void(int)> m_onPause;
    bool m_flowRunning = false;
    bool m_messageDuringFlow = false;
    // Lets the message hook run the event loop as the modal box would.
    bool m_loopInMessageBox = false;
    int m_rowsWhileMessageOpen = -1;
    Zol_ClientMainWindow *m_window = nullptr;
};

void tst_ModifyFlow::initTestCase()
{
    // The window reads and writes its layout file in the current folder.
    QVERIFY(m_dir.isValid());
    m_previousDir = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir.path()));

    m_previousPlatform = SetNetworkPlatform(&m_platform);
    m_previousMessageHook = SetMessageHook([this](const QString &text) {
        m_messages.append(text);
        if (m_flowRunning)
            m_messageDuringFlow = true;
        if (m_loopInMessageBox) {
            QCoreApplication::processEvents();
            m_rowsWhileMessageOpen = m_window->MainList->topLevelItemCount();
        }
    });
    m_previousPauseHook = SetModifyPauseHook([this](int ms) {
        PauseSeen seen;
        seen.milliseconds = ms;
        if (Device_Updating *progress = progressDialog()) {
            seen.progressShown = progress->isVisible();
            seen.progressExposed = progress->windowHandle() && progress->windowHandle()->isExposed();
            seen.value = progress->progressBar1->value();
            seen.message = progress->textLabel1->text();
            seen.position = progress->pos();
        }
        m_pauses.append(seen);
        if (m_onPause)
            m_onPause(ms);
    });

    m_window = new Zol_ClientMainWindow();
    m_window->resize(640, 480);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void tst_ModifyFlow::cleanupTestCase()
{
    delete m_window;
    SetModifyPauseHook(m_previousPauseHook);
    SetMessageHook(m_previousMessageHook);
    SetNetworkPlatform(m_previousPlatform);
    QDir::setCurrent(m_previousDir);
}

void tst_ModifyFlow::init()
{
    // Let answers of an earlier test be handled before this one starts.
    QCoreApplication::processEvents();
    m_window->MainList->clear();
    m_platform.sent.clear();
    m_messages.clear();
    m_pauses.clear();
    m_onPause = nullptr;
    m_messageDuringFlow = false;
    m_loopInMessageBox = false;
    m_rowsWhileMessageOpen = -1;
    m_window->ModifyFailed = false;
    QuerySequence = 10;
    WriteAnswered = true;
}

void tst_ModifyFlow::cleanup()
{
    QVERIFY(!m_window->ModifyInProgress);
    QVERIFY(!progressDialog());
}

QTreeWidgetItem *tst_ModifyFlow::addRow(const QString &mac, const QString &dhcp, const QString &ip)
{
    return new QTreeWidgetItem(m_window->MainList,
                               QStringList{QStringLiteral("VRD Module"), QStringLiteral("0000255"), mac, ip,
                                           QStringLiteral("255.255.255.0"), QStringLiteral("10.0.0.1"), dhcp,
                                           QStringLiteral("dev"), QStringLiteral("lab")});
}

void tst_ModifyFlow::runFlow(QTreeWidgetItem *item, const std::function<void()> &action)
{
    Edit_Network_Configuration &dialog = m_window->EditDialog;
    QTimer::singleShot(0, &dialog, [&dialog, action] {
        action();
        if (dialog.isVisible())
            dialog.reject();
    });
    m_flowRunning = true;
    m_window->MainList_doubleClicked(item);
    m_flowRunning = false;
}

Device_Updating *tst_ModifyFlow::progressDialog() const
{
    return m_window->findChild<Device_Updating *>();
}


void tst_ModifyFlow::cancelOrUnchangedOkEndsTheFlow_data()
{
    QTest::addColumn<bool>("pressOk");
    QTest::newRow("cancel") << false;
    QTest::newRow("ok without change") << true;
}

void tst_ModifyFlow::cancelOrUnchangedOkEndsTheFlow()
{
    QFETCH(bool, pressOk);
    QTreeWidgetItem *row = addRow(QStringLiteral("00:B0:00:00:01:01"), QStringLiteral("Disabled"));
    m_window->ModifyTimer.start(60000);

    bool inProgressWhileOpen = false;
    runFlow(row, [&] {
        inProgressWhileOpen = m_window->ModifyInProgress;
        m_window->EditDialog.Name->setText(pressOk ? QStringLiteral("dev") : QStringLiteral("changed"));
        QTest::mouseClick(pressOk ? m_window->EditDialog.OK : m_window->EditDialog.Cancel, Qt::LeftButton);
    });
    QVERIFY(inProgressWhileOpen);
    QVERIFY(!m_window->ModifyInProgress);
    // No progress and no refresh: the row is still there and nothing was sent.
    QVERIFY(m_pauses.isEmpty());
    QVERIFY(m_platform.sent.isEmpty());
    QCOMPARE(m_window->MainList->topLevelItemCount(), 1);
    QVERIFY(m_window->ModifyTimer.isActive());
    m_window->ModifyTimer.stop();
}

void tst_ModifyFlow::dialogIsLoadedFromTheRow_data()
{
    QTest::addColumn<QString>("dhcpText");
    QTest::addColumn<bool>("dhcp");

    QTest::newRow("Enabled") << QStringLiteral("Enabled") << true;
    QTest::newRow("Disabled") << QStringLiteral("Disabled") << false;
    QTest::newRow("unknown") << QStringLiteral("???") << false;
    QTest::newRow("lower case") << QStringLiteral("enabled") << false;
}

void tst_ModifyFlow::dialogIsLoadedFromTheRow()
{
    QFETCH(QString, dhcpText);
    QFETCH(bool, dhcp);

    QTreeWidgetItem *row = new QTreeWidgetItem(m_window->MainList,
        QStringList{QStringLiteral("Pump"), QStringLiteral("0000016"), QStringLiteral("00:B0:00:00:02:01"),
                    QStringLiteral("192.168.0.9"), QStringLiteral("255.255.0.0"), QStringLiteral("192.168.0.1"),
                    dhcpText, QStringLiteral("Name_too_long_x"), QStringLiteral("Hall B")});
    Edit_Network_Configuration &d = m_window->EditDialog;
    // Leftovers of an earlier run must not show through.
    d.DHCP->setChecked(!dhcp);
    d.Initial_DHCP = !dhcp;

    QStringList texts;
    QList<bool> states;
    QStringList initial;
    runFlow(row, [&] {
        texts = QStringList{d.Device_Type->text(), d.Serial_Number->text(), d.Mac_Address->text(),
                            d.IP_Address->text(), d.Subnet_Mask->text(), d.Gateway->text(),
                            d.Name->text(), d.Location->text()};
        states = {d.DHCP->isChecked(), d.IP_Address->isEnabled(), d.Subnet_Mask->isEnabled(),
                  d.Gateway->isEnabled(), d.ResetIP->isEnabled(), d.Initial_DHCP};
        initial = QStringList{d.Initial_IP_Address, d.Initial_Subnet_Mask, d.Initial_Gateway,
                              d.Initial_Name, d.Initial_Location};
        QTest::mouseClick(d.Cancel, Qt::LeftButton);
    });
    QCOMPARE(texts, (QStringList{QStringLiteral("Pump"), QStringLiteral("0000016"), QStringLiteral("00:B0:00:00:02:01"),
                                 QStringLiteral("192.168.0.9"), QStringLiteral("255.255.0.0"), QStringLiteral("192.168.0.1"),
                                 QStringLiteral("Name_too_lon"), QStringLiteral("Hall B")}));
    QCOMPARE(states, (QList<bool>{dhcp, !dhcp, !dhcp, !dhcp, dhcp, dhcp}));
    // The initial values are what the fields hold, cut to their lengths.
    QCOMPARE(initial, (QStringList{QStringLiteral("192.168.0.9"), QStringLiteral("255.255.0.0"),
                                   QStringLiteral("192.168.0.1"), QStringLiteral("Name_too_lon"),
                                   QStringLiteral("Hall B")}));
}

void tst_ModifyFlow::dhcpDecidedByTheTranslation()
{
    MapTranslator translator("Zol_ClientMainWindow",
                             {{QStringLiteral("Enabled"), QStringLiteral("On (translated)")}});
    QVERIFY(QCoreApplication::installTranslator(&translator));
    QTreeWidgetItem *english = addRow(QStringLiteral("00:B0:00:00:03:01"), QStringLiteral("Enabled"));
    QTreeWidgetItem *translated = addRow(QStringLiteral("00:B0:00:00:03:02"), QStringLiteral("On (translated)"));

    bool englishChecked = true;
    bool translatedChecked = false;
    runFlow(english, [&] {
        englishChecked = m_window->EditDialog.DHCP->isChecked();
        QTest::mouseClick(m_window->EditDialog.Cancel, Qt::LeftButton);
    });
    runFlow(translated, [&] {
        translatedChecked = m_window->EditDialog.DHCP->isChecked();
        QTest::mouseClick(m_window->EditDialog.Cancel, Qt::LeftButton);
    });
    QCoreApplication::removeTranslator(&translator);
    QVERIFY(!englishChecked);
    QVERIFY(translatedChecked);
}

void tst_ModifyFlow::progressMessageAndStepDelay_data()
{
    QTest::addColumn<QString>("dhcpText");
    QTest::addColumn<bool>("clickDhcp");
    QTest::addColumn<QString>("newName");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("stepDelay");

    QTest::newRow("dhcp switched on") << QStringLiteral("Disabled") << true << QString() << GettingAddress << 100;
    QTest::newRow("dhcp switched off") << QStringLiteral("Enabled") << true << QString() << Updating << 20;
    QTest::newRow("dhcp off, name changed") << QStringLiteral("Disabled") << false << QStringLiteral("other") << Updating << 20;
    QTest::newRow("dhcp left on, name changed") << QStringLiteral("Enabled") << false << QStringLiteral("other") << Updating << 20;
}

void tst_ModifyFlow::progressMessageAndStepDelay()
{
    QFETCH(QString, dhcpText);
    QFETCH(bool, clickDhcp);
    QFETCH(QString, newName);
    QFETCH(QString, message);
    QFETCH(int, stepDelay);

    static int row = 0;
    const QString mac = QStringLiteral("00:B0:00:00:04:%1").arg(++row, 2, 10, QLatin1Char('0'));
    QTreeWidgetItem *item = addRow(mac, dhcpText);
    m_window->ModifyTimer.start(60000);

    runFlow(item, [&] {
        if (clickDhcp)
            QTest::mouseClick(m_window->EditDialog.DHCP, Qt::LeftButton);
        if (!newName.isNull())
            m_window->EditDialog.Name->setText(newName);
        QTest::mouseClick(m_window->EditDialog.OK, Qt::LeftButton);
    });

    // 20 ms before the display, then 41 steps.
    QCOMPARE(m_pauses.size(), 42);
    QCOMPARE(m_pauses.first().milliseconds, 20);
    QVERIFY(!m_pauses.first().progressShown);
    QList<int> values;
    QList<int> expectedValues;
    for (int i = 0; i < 41; ++i) {
        const PauseSeen &step = m_pauses.at(i + 1);
        QCOMPARE(step.milliseconds, stepDelay);
        QVERIFY(step.progressShown);
        QVERIFY(step.progressExposed);
        QCOMPARE(step.message, message);
        values.append(step.value);
        expectedValues.append(int(std::trunc(i * 2.5)));
    }
    QCOMPARE(values, expectedValues);
    QCOMPARE(values.mid(0, 5), (QList<int>{0, 2, 5, 7, 10}));
    QCOMPARE(values.last(), 100);

    QVERIFY(!m_window->ModifyTimer.isActive());
    QVERIFY(!m_window->ModifyFailed);
    // The write query, then a fresh discovery with the next number; the list
    // was emptied for it.
    const QStringList sent = m_platform.texts();
    QCOMPARE(sent.size(), 2);
    QVERIFY2(sent.at(0).startsWith(QStringLiteral("ZOL_WRITE_QUERY,0,11,") + mac), qPrintable(sent.at(0)));
    QCOMPARE(sent.at(1), QStringLiteral("ZOL_READ_QUERY,0,12"));
    QCOMPARE(m_window->MainList->topLevelItemCount(), 0);
    QVERIFY(!m_window->EditDialog.isVisible());
}

void tst_ModifyFlow::progressDialogCentredOverTheWindow()
{
    QTreeWidgetItem *item = addRow(QStringLiteral("00:B0:00:00:05:01"), QStringLiteral("Disabled"));
    QSize progressSize;
    QPoint editPosition;
    QSize editSize;
    m_onPause = [&](int) {
        if (Device_Updating *progress = progressDialog())
            progressSize = progress->size();
    };
    runFlow(item, [&] {
        editPosition = m_window->EditDialog.pos();
        editSize = m_window->EditDialog.size();
        m_window->EditDialog.Name->setText(QStringLiteral("moved"));
        QTest::mouseClick(m_window->EditDialog.OK, Qt::LeftButton);
    });
    QVERIFY(m_pauses.size() > 1);

    // Window 640 x 480: its centre is (319, 239) in its own coordinates.
    const QPoint windowCentre = m_window->mapToGlobal(QPoint(319, 239));
    const QPoint progressCentre((progressSize.width() - 1) / 2, (progressSize.height() - 1) / 2);
    QCOMPARE(m_pauses.last().position, windowCentre - progressCentre);
    const QPoint editCentre((editSize.width() - 1) / 2, (editSize.height() - 1) / 2);
    QCOMPARE(editPosition, windowCentre - editCentre);
}

void tst_ModifyFlow::failureWhileDialogOpenSkipsProgress()
{
    QTreeWidgetItem *item = addRow(QStringLiteral("00:B0:00:00:06:01"), QStringLiteral("Disabled"));
    runFlow(item, [&] {
        // A refusal handled while the dialog is open (say, of Renew Lease).
        m_window->ModifyFailed = true;
        m_window->EditDialog.Name->setText(QStringLiteral("other"));
        QTest::mouseClick(m_window->EditDialog.OK, Qt::LeftButton);
    });
    QCOMPARE(m_pauses.size(), 1);
    QCOMPARE(m_pauses.first().milliseconds, 20);
    QVERIFY(!m_pauses.first().progressShown);
    QVERIFY(!m_window->ModifyFailed);
    QCOMPARE(m_platform.texts().size(), 2);
    QCOMPARE(m_platform.texts().last(), QStringLiteral("ZOL_READ_QUERY,0,12"));
    QCOMPARE(m_window->MainList->topLevelItemCount(), 0);
}

void tst_ModifyFlow::refusalDuringProgressShownAfterwards()
{
    const QString mac = QStringLiteral("00:B0:00:00:07:01");
    QTreeWidgetItem *item = addRow(mac, QStringLiteral("Disabled"));
    // The refusal arrives at the 20 ms pause, before the progress dialog is
    // shown and exposed; only the event loop after the flow may handle it.
    // The device's answer to the fresh discovery comes in behind it.
    m_onPause = [&](int) {
        if (m_pauses.size() == 1) {
            QCoreApplication::postEvent(m_window, new DeviceResponseEvent(
                QStringLiteral("ZOL_WRITE_RESPONSE,0,0,") + mac + QStringLiteral(",ZOL_INVALID_PARAMETER")));
        }
    };
    m_loopInMessageBox = true;
    runFlow(item, [&] {
        m_window->EditDialog.Name->setText(QStringLiteral("other"));
        QTest::mouseClick(m_window->EditDialog.OK, Qt::LeftButton);
    });
    QCOMPARE(m_pauses.size(), 42);
    QVERIFY(m_messages.isEmpty());
    QVERIFY(!m_window->ModifyFailed);

    QCoreApplication::postEvent(m_window, new DeviceResponseEvent(
        QStringLiteral("ZOL_READ_RESPONSE,0,0,FF,") + mac
        + QStringLiteral(",10.0.0.5,255.255.255.0,10.0.0.1,FALSE,other,lab,x")));
    QTRY_COMPARE(m_messages, QStringList{QStringLiteral("Modify failed, invalid parameter")});
    QVERIFY(!m_messageDuringFlow);
    // While the box is open its loop handles the answers behind the refusal.
    QCOMPARE(m_rowsWhileMessageOpen, 1);
    m_loopInMessageBox = false;
    // Left set for the next accepted edit, which then skips its display.
    QVERIFY(m_window->ModifyFailed);

    m_pauses.clear();
    m_onPause = nullptr;
    item = addRow(mac, QStringLiteral("Disabled"));
    runFlow(item, [&] {
        m_window->EditDialog.Name->setText(QStringLiteral("third"));
        QTest::mouseClick(m_window->EditDialog.OK, Qt::LeftButton);
    });
    QCOMPARE(m_pauses.size(), 1);
    QVERIFY(!m_window->ModifyFailed);
}

void tst_ModifyFlow::answersHeldBackKeepTheirOrder()
{
    const QString mac = QStringLiteral("00:B0:00:00:08:01");
    QTreeWidgetItem *item = addRow(mac, QStringLiteral("Disabled"));
    const QString answer = QStringLiteral("ZOL_WRITE_RESPONSE,0,0,") + mac + QLatin1Char(',');
    // A success, then a refusal of the same write: handled in this order the
    // refusal shows nothing; the other way round it would show a message.
    m_onPause = [&](int) {
        if (m_pauses.size() == 1) {
            QCoreApplication::postEvent(m_window, new DeviceResponseEvent(answer + QStringLiteral("ZOL_CONFIGURATION_UPDATED")));
        } else if (m_pauses.size() == 30) {
            QCoreApplication::postEvent(m_window, new DeviceResponseEvent(answer + QStringLiteral("ZOL_SECURITY_VIOLATION")));
        }
    };
    runFlow(item, [&] {
        m_window->EditDialog.Location->setText(QStringLiteral("elsewhere"));
        QTest::mouseClick(m_window->EditDialog.OK, Qt::LeftButton);
    });
    QVERIFY(!WriteAnswered);
    QTRY_VERIFY(m_window->ModifyFailed);
    QVERIFY(WriteAnswered);
    QVERIFY(m_messages.isEmpty());
}

void tst_ModifyFlow::holdBackDeliversInArrivalOrder()
{
    AnswerRecorder target;
    auto *holdBack = new ResponseHoldBack(&target);
    postAnswer(&target, QStringLiteral("before"));
    QCoreApplication::processEvents();
    QCOMPARE(target.handled, QStringList{QStringLiteral("before")});

    holdBack->hold();
    postAnswer(&target, QStringLiteral("first"));
    QCoreApplication::processEvents();
    postAnswer(&target, QStringLiteral("second"));
    QVERIFY(target.handled.size() == 1);
    holdBack->release();
    // Still in the queue behind the release: must come after the held ones.
    postAnswer(&target, QStringLiteral("third"));
    QVERIFY(target.handled.size() == 1);
    QTRY_COMPARE(target.handled, (QStringList{QStringLiteral("before"), QStringLiteral("first"),
                                          QStringLiteral("second"), QStringLiteral("third")}));

    // Released: answers pass straight through again.
    postAnswer(&target, QStringLiteral("after"));
    QTRY_COMPARE(target.handled.size(), 5);
    QCOMPARE(target.handled.last(), QStringLiteral("after"));
}

void tst_ModifyFlow::holdBackKeepsOrderWhileHandlingRunsALoop()
{
    AnswerRecorder target;
    auto *holdBack = new ResponseHoldBack(&target);
    holdBack->hold();
    postAnswer(&target, QStringLiteral("nested"));
    postAnswer(&target, QStringLiteral("held behind"));
    QCoreApplication::processEvents();
    QVERIFY(target.handled.isEmpty());
    holdBack->release();
    QTRY_COMPARE(target.handled, (QStringList{QStringLiteral("nested"), QStringLiteral("held behind"),
                                          QStringLiteral("posted while handling")}));
    // The loop run while "nested" was handled went on with the answers after
    // it, as it would have with answers waiting in the queue.
    QCOMPARE(target.handledWhenLoopEnded, 2);
}

void tst_ModifyFlow::holdBackLetsOtherEventsThrough()
{
    class Counter : public QObject
    {
    public:
        int others = 0;

    protected:
        void customEvent(QEvent *event) override
        {
            if (event->type() != DeviceResponseEvent::eventType())
                ++others;
        }
    } target;
    auto *holdBack = new ResponseHoldBack(&target);
    holdBack->hold();
    QCoreApplication::postEvent(&target, new QEvent(QEvent::Type(QEvent::User + 7)));
    QCoreApplication::processEvents();
    QCOMPARE(target.others, 1);
    holdBack->release();
    QCoreApplication::processEvents();
}

void tst_ModifyFlow::heldAnswersStillCountAsWaiting()
{
    // The receiver stops reading while too many answers wait (the rest stay
    // in the kernel's queue), and the device list batches new rows while
    // answers wait: both count the live answer events, so held answers must
    // stay counted until they are handled.
    AnswerRecorder target;
    auto *holdBack = new ResponseHoldBack(&target);
    holdBack->hold();
    const int waitingBefore = DeviceResponseEvent::alive();
    constexpr int Posted = 300;
    for (int i = 0; i < Posted; ++i)
        postAnswer(&target, QString::number(i));
    QCoreApplication::processEvents();
    QVERIFY(target.handled.isEmpty());
    QCOMPARE(DeviceResponseEvent::alive(), waitingBefore + Posted);

    holdBack->release();
    // Handed over one per turn of the event loop, in arrival order.
    QTRY_COMPARE_WITH_TIMEOUT(target.handled.size(), qsizetype(Posted), 20000);
    QCOMPARE(target.handled.first(), QStringLiteral("0"));
    QCOMPARE(target.handled.last(), QString::number(Posted - 1));
    QCOMPARE(DeviceResponseEvent::alive(), waitingBefore);

    postAnswer(&target, QStringLiteral("after"));
    QTRY_COMPARE(target.handled.last(), QStringLiteral("after"));
}

QTEST_MAIN(tst_ModifyFlow)
#include "tst_modifyflow.moc"
