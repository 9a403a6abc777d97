// A device answering again with the very same text is recognised without
// reading it again; these cases make sure that shortcut never keeps a row
// from showing what the answer says, and that the column widths follow the
// list's font. During a burst new rows wait outside the list and join it
// together; the rest checks what that may and may not change.

#include "../support/devsim.h"
#include "../support/maptranslator.h"
#include "newsettings.h"

#include "ui/appshell.h"
#include "mainwindow/mainwindow.h"
#include "net/deviceresponseevent.h"
#include "net/sender.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QProxyStyle>
#include <QStyleOptionViewItem>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <memory>

namespace {

const QString Mac = QStringLiteral("00:1A:2B:3C:4D:5E");

QString answer(const QString &mac, const QString &mask, const QString &name)
{
    return QStringLiteral("ZOL_READ_RESPONSE,0,1,1A2B,") + mac + QStringLiteral(",10.77.1.20,") + mask
        + QStringLiteral(",10.77.1.1,TRUE,") + name + QStringLiteral(",Hall A,0");
}

QString macOf(int i)
{
    return QStringLiteral("00:1A:2B:3C:%1:%2").arg(i / 256, 2, 16, QLatin1Char('0')).arg(i % 256, 2, 16, QLatin1Char('0'));
}

// Stands for an answer still waiting in the queue behind the one handled.
struct QueuedAnswer
{
    DeviceResponseEvent event{QStringLiteral("ZOL_READ_RESPONSE")};
};

// Leaves much more room around a cell's text than the usual styles.
class WideCellStyle final : public QProxyStyle
{
public:
    WideCellStyle() : QProxyStyle(QStringLiteral("Fusion")) {}
    int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override
    {
        if (metric == PM_FocusFrameHMargin)
            return 20;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

} // namespace

class tst_AnswerRefresh : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void sameAnswerTwiceKeepsOneRow();
    void sameAnswerAfterWriteShowsAnswerAgain();
    void sameAnswerAfterLanguageSwitchIsTranslated();
    void changedAnswerOfKnownDeviceIsRead();
    void widthsFollowTheListFont();
    void widthsFollowTheStyle();
    void rowsWaitWhileMoreAnswersAreQueued();
    void waitingRowsJoinWhenTheQueueEmpties();
    void findAllDropsWaitingRows();
    void writeAnswerReachesWaitingRow();
    void burstListsEveryDeviceInOrder();
    void longListStillTakesSingleAnswers();

private:
    void deliver(const QString &text);
    // New settings for Mac in the edit dialog, and the device accepting them.
    void acceptWrite();

    QTemporaryDir m_dir;
    std::unique_ptr<Zol_ClientMainWindow> m_window;
    QStringList m_messages;
};

void tst_AnswerRefresh::initTestCase()
{
    ZOL_REQUIRE_NETNS();
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir::setCurrent(m_dir.path()));
}

void tst_AnswerRefresh::init()
{
    m_messages.clear();
    SetMessageHook([this](const QString &text) { m_messages << text; });
    // Every case starts from the default column layout.
    QFile::remove(QStringLiteral("config.cfg"));
    m_window = std::make_unique<Zol_ClientMainWindow>();
}

void tst_AnswerRefresh::cleanup()
{
    m_window.reset();
    SetMessageHook(nullptr);
}

void tst_AnswerRefresh::deliver(const QString &text)
{
    DeviceResponseEvent event(text);
    QCoreApplication::sendEvent(m_window.get(), &event);
}

void tst_AnswerRefresh::acceptWrite()
{
    TypeNewSettings(m_window->EditDialog, Mac, false);
    deliver(QStringLiteral("ZOL_WRITE_RESPONSE,0,1,") + Mac + QStringLiteral(",ZOL_CONFIGURATION_UPDATED"));
}

void tst_AnswerRefresh::sameAnswerTwiceKeepsOneRow()
{
    const QString text = answer(Mac, QStringLiteral("255.255.255.0"), QStringLiteral("Pump_1"));
    deliver(text);
    deliver(text);
    QCOMPARE(m_window->MainList->topLevelItemCount(), 1);
    QTreeWidgetItem *row = m_window->findDeviceRow(Mac);
    QVERIFY(row);
    QCOMPARE(row->text(7), QStringLiteral("Pump_1"));
    QCOMPARE(row->text(4), QStringLiteral("255.255.255.0"));
}

void tst_AnswerRefresh::sameAnswerAfterWriteShowsAnswerAgain()
{
    const QString text = answer(Mac, QStringLiteral("255.255.255.0"), QStringLiteral("Pump_1"));
    deliver(text);

    acceptWrite();
    QTreeWidgetItem *row = m_window->findDeviceRow(Mac);
    QVERIFY(row);
    QCOMPARE(row->text(7), QStringLiteral("Renamed"));

    // The device then answers as it did before (the write did not take):
    // the row shows the answer, not the dialog.
    deliver(text);
    QCOMPARE(row->text(3), QStringLiteral("10.77.1.20"));
    QCOMPARE(row->text(4), QStringLiteral("255.255.255.0"));
    QCOMPARE(row->text(5), QStringLiteral("10.77.1.1"));
    QCOMPARE(row->text(6), QStringLiteral("Enabled"));
    QCOMPARE(row->text(7), QStringLiteral("Pump_1"));
    QCOMPARE(row->text(8), QStringLiteral("Hall A"));
    QVERIFY(m_messages.isEmpty());
}

void tst_AnswerRefresh::sameAnswerAfterLanguageSwitchIsTranslated()
{
    const QString text = answer(Mac, QStringLiteral("255.255.255.0"), QStringLiteral("Pump_1"));
    deliver(text);
    QTreeWidgetItem *row = m_window->findDeviceRow(Mac);
    QVERIFY(row);
    QCOMPARE(row->text(6), QStringLiteral("Enabled"));

    MapTranslator translator("Zol_ClientMainWindow", {{QStringLiteral("Enabled"), QStringLiteral("On")}});
    QCoreApplication::installTranslator(&translator);
    // The window hears of the new language through a posted notification.
    QCoreApplication::processEvents();
    deliver(text);
    QCOMPARE(row->text(6), QStringLiteral("On"));

    QCoreApplication::removeTranslator(&translator);
    QCoreApplication::processEvents();
    deliver(text);
    QCOMPARE(row->text(6), QStringLiteral("Enabled"));
}

void tst_AnswerRefresh::changedAnswerOfKnownDeviceIsRead()
{
    deliver(answer(Mac, QStringLiteral("255.255.255.0"), QStringLiteral("Pump_1")));
    deliver(answer(Mac, QStringLiteral("255.255.0.0"), QStringLiteral("Pump_2")));
    QCOMPARE(m_window->MainList->topLevelItemCount(), 1);
    QTreeWidgetItem *row = m_window->findDeviceRow(Mac);
    QVERIFY(row);
    QCOMPARE(row->text(4), QStringLiteral("255.255.0.0"));
    QCOMPARE(row->text(7), QStringLiteral("Pump_2"));
}

void tst_AnswerRefresh::widthsFollowTheListFont()
{
    const QString mask = QStringLiteral("255.255.255.0");
    deliver(answer(Mac, mask, QStringLiteral("Pump_1")));
    QHeaderView *header = m_window->MainList->header();
    QVERIFY(header->sectionSize(4) >= m_window->MainList->fontMetrics().horizontalAdvance(mask));

    // A much larger font: the same text, now on another device, needs more room.
    QFont font = m_window->MainList->font();
    font.setPointSizeF(font.pointSizeF() * 3);
    m_window->MainList->setFont(font);
    const int needed = QFontMetrics(font).horizontalAdvance(mask);
    QVERIFY(needed > header->sectionSize(4));
    deliver(answer(QStringLiteral("00:1A:2B:3C:4D:5F"), mask, QStringLiteral("Pump_2")));
    QVERIFY2(header->sectionSize(4) >= needed,
             qPrintable(QStringLiteral("%1 < %2").arg(header->sectionSize(4)).arg(needed)));
}

void tst_AnswerRefresh::widthsFollowTheStyle()
{
    deliver(answer(macOf(1), QStringLiteral("255.255.255.0"), QStringLiteral("Pump_1")));
    WideCellStyle style;
    m_window->MainList->setStyle(&style);
    const QString name = QStringLiteral("Pump_with_a_longer_name");
    deliver(answer(macOf(2), QStringLiteral("255.255.255.0"), name));

    // The cell as the view lays it out in this style must fit its column.
    QStyleOptionViewItem option;
    option.initFrom(m_window->MainList);
    option.features = QStyleOptionViewItem::HasDisplay;
    option.text = name;
    const int needed = style.sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), m_window->MainList).width();
    QVERIFY2(m_window->MainList->header()->sectionSize(7) >= needed,
             qPrintable(QStringLiteral("%1 < %2").arg(m_window->MainList->header()->sectionSize(7)).arg(needed)));
    m_window->MainList->setStyle(nullptr);
}

void tst_AnswerRefresh::rowsWaitWhileMoreAnswersAreQueued()
{
    auto queued = std::make_unique<QueuedAnswer>();
    deliver(answer(macOf(1), QStringLiteral("255.255.255.0"), QStringLiteral("Pump_1")));
    deliver(answer(macOf(2), QStringLiteral("255.255.255.0"), QStringLiteral("Pump_2")));
    // Known to the window (a write answer finds them) but not listed yet.
    QVERIFY(m_window->findDeviceRow(macOf(1)));
    QVERIFY(m_window->findDeviceRow(macOf(2)));
    QCOMPARE(m_window->MainList->topLevelItemCount(), 0);
    // They join within a moment even while the queue stays full.
    QTRY_COMPARE_WITH_TIMEOUT(m_window->MainList->topLevelItemCount(), 2, 2000);
    // Equal device types: arrival order.
    QCOMPARE(m_window->MainList->topLevelItem(0)->text(2), macOf(1));
    QCOMPARE(m_window->MainList->topLevelItem(1)->text(2), macOf(2));
    QCOMPARE(m_window->MainList->topLevelItem(0), m_window->findDeviceRow(macOf(1)));
}

void tst_AnswerRefresh::waitingRowsJoinWhenTheQueueEmpties()
{
    auto queued = std::make_unique<QueuedAnswer>();
    deliver(answer(macOf(1), QStringLiteral("255.255.255.0"), QStringLiteral("Pump_1")));
    deliver(answer(macOf(2), QStringLiteral("255.255.255.0"), QStringLiteral("Pump_2")));
    QCOMPARE(m_window->MainList->topLevelItemCount(), 0);
    queued.reset();
    // The last answer of the burst: everything is listed when it is handled,
    // also when it adds nothing itself.
    deliver(answer(macOf(2), QStringLiteral("255.255.255.0"), QStringLiteral("Pump_2")));
    QCOMPARE(m_window->MainList->topLevelItemCount(), 2);
}

void tst_AnswerRefresh::findAllDropsWaitingRows()
{
    auto queued = std::make_unique<QueuedAnswer>();
    deliver(answer(macOf(1), QStringLiteral("255.255.255.0"), QStringLiteral("Pump_1")));
    QVERIFY(m_window->findDeviceRow(macOf(1)));
    m_window->Find_All_clicked();
    QVERIFY(!m_window->findDeviceRow(macOf(1)));
    // Long past the moment the row would have joined.
    QTest::qWait(1500);
    QCOMPARE(m_window->MainList->topLevelItemCount(), 0);
}

void tst_AnswerRefresh::writeAnswerReachesWaitingRow()
{
    auto queued = std::make_unique<QueuedAnswer>();
    deliver(answer(Mac, QStringLiteral("255.255.255.0"), QStringLiteral("Pump_1")));
    QCOMPARE(m_window->MainList->topLevelItemCount(), 0);
    acceptWrite();
    queued.reset();
    QTRY_COMPARE_WITH_TIMEOUT(m_window->MainList->topLevelItemCount(), 1, 2000);
    QTreeWidgetItem *row = m_window->MainList->topLevelItem(0);
    QCOMPARE(row->text(3), QStringLiteral("10.77.1.99"));
    QCOMPARE(row->text(6), QStringLiteral("Disabled"));
    QCOMPARE(row->text(7), QStringLiteral("Renamed"));
}

void tst_AnswerRefresh::burstListsEveryDeviceInOrder()
{
    // Posted all at once, each twice, as a burst arrives; every fifth without
    // a device type.
    constexpr int Devices = 600;
    const QStringList types{QString(), QStringLiteral("VRD-200"), QStringLiteral("IOX Gateway"),
                            QStringLiteral("Pump Control"), QStringLiteral("vrd module")};
    for (int i = 0; i < Devices; ++i) {
        const QString &type = types.at(i % types.size());
        const QString text = answer(macOf(i), QStringLiteral("255.255.255.0"), QStringLiteral("Device_%1").arg(i))
            + (type.isEmpty() ? QString() : QStringLiteral(",") + type);
        for (int copy = 0; copy < 2; ++copy)
            QCoreApplication::postEvent(m_window.get(), new DeviceResponseEvent(text));
    }
    QTRY_COMPARE_WITH_TIMEOUT(m_window->MainList->topLevelItemCount(), Devices, 10000);
    QTreeWidget *list = m_window->MainList;
    int lastNumber = -1;
    for (int i = 0; i < Devices; ++i) {
        QTreeWidgetItem *row = list->topLevelItem(i);
        QCOMPARE(m_window->findDeviceRow(row->text(2)), row);
        if (i == 0)
            continue;
        const QString previous = list->topLevelItem(i - 1)->text(0);
        const int order = previous.localeAwareCompare(row->text(0));
        QVERIFY2(order <= 0, qPrintable(previous + QStringLiteral(" after ") + row->text(0)));
        // Devices of one type keep the order they answered in.
        const int number = row->text(7).mid(7).toInt();
        if (order == 0)
            QVERIFY(number > lastNumber);
        lastNumber = number;
    }
    QVERIFY(m_messages.isEmpty());
}

void tst_AnswerRefresh::longListStillTakesSingleAnswers()
{
    // A list long enough that joining it is costly: single answers after
    // the burst still join, promptly.
    constexpr int Devices = 30000;
    for (int i = 0; i < Devices; ++i) {
        QCoreApplication::postEvent(m_window.get(), new DeviceResponseEvent(
            answer(macOf(i), QStringLiteral("255.255.255.0"), QStringLiteral("Device_%1").arg(i))));
    }
    QTRY_COMPARE_WITH_TIMEOUT(m_window->MainList->topLevelItemCount(), Devices, 60000);
    for (int i = Devices; i < Devices + 3; ++i) {
        deliver(answer(macOf(i), QStringLiteral("255.255.255.0"), QStringLiteral("Device_%1").arg(i)));
        QTRY_COMPARE_WITH_TIMEOUT(m_window->MainList->topLevelItemCount(), i + 1, 2000);
    }

    // After Find All the list is short again: an answer shows at once, as
    // before the long list, not after a pause.
    m_window->Find_All_clicked();
    deliver(answer(macOf(0), QStringLiteral("255.255.255.0"), QStringLiteral("Device_0")));
    QCOMPARE(m_window->MainList->topLevelItemCount(), 1);
}

QTEST_MAIN(tst_AnswerRefresh)
#include "tst_answerrefresh.moc"
