// A device answering again with the very same text is recognised without
// reading it again; these cases make sure that shortcut never keeps a row
// from showing what the answer says, and that the column widths follow the
// list's font.

#include "../support/devsim.h"

#include "app/appshell.h"
#include "mainwindow/mainwindow.h"
#include "net/deviceresponseevent.h"
#include "net/sender.h"

#include <QCheckBox>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QTreeWidget>

#include <memory>

namespace {

const QString Mac = QStringLiteral("00:1A:2B:3C:4D:5E");

QString answer(const QString &mac, const QString &mask, const QString &name)
{
    return QStringLiteral("ZOL_READ_RESPONSE,0,1,1A2B,") + mac + QStringLiteral(",10.77.1.20,") + mask
        + QStringLiteral(",10.77.1.1,TRUE,") + name + QStringLiteral(",Hall A,0");
}

class OnOffTranslator final : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        if (qstrcmp(context, "Zol_ClientMainWindow") == 0 && qstrcmp(sourceText, "Enabled") == 0)
            return QStringLiteral("On");
        return QString();
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

private:
    void deliver(const QString &text);

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

    Edit_Network_Configuration &dialog = m_window->EditDialog;
    dialog.Mac_Address->setText(Mac);
    dialog.IP_Address->setText(QStringLiteral("10.77.1.99"));
    dialog.Subnet_Mask->setText(QStringLiteral("255.255.0.0"));
    dialog.Gateway->setText(QStringLiteral("10.77.1.254"));
    dialog.DHCP->setChecked(false);
    dialog.Name->setText(QStringLiteral("Renamed"));
    dialog.Location->setText(QStringLiteral("Elsewhere"));
    deliver(QStringLiteral("ZOL_WRITE_RESPONSE,0,1,") + Mac + QStringLiteral(",ZOL_CONFIGURATION_UPDATED"));
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

    OnOffTranslator translator;
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

QTEST_MAIN(tst_AnswerRefresh)
#include "tst_answerrefresh.moc"
