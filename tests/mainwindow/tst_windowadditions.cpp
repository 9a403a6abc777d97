// SPDX-License-Identifier: Apache-2.0
// Additions to the real main window, driven with posted answers (nothing
// leaves: the capturing platform takes the queries): marks on addresses that
// several devices show, rows to the clipboard, the list's tool tips, its find
// bar and its column widths.
// Runs in a private network namespace, since the window binds the answer port.

#include "../support/capturingplatform.h"
#include "../support/netns.h"

#include "ui/appshell.h"
#include "mainwindow/addressconflicts.h"
#include "mainwindow/devicetablemodel.h"
#include "mainwindow/mainwindow.h"
#include "net/deviceresponseevent.h"
#include "net/sender.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QTranslator>
#include <QTreeView>

#include <memory>

using namespace Qt::StringLiterals;

class tst_WindowAdditions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ZOL_REQUIRE_NETNS();
        QVERIFY(m_dir.isValid() && QDir::setCurrent(m_dir.path()));
        SetNetworkPlatform(&m_platform);
        SetMessageHook([this](const QString &text) { m_messages << text; });
    }
    void init()
    {
        QFile::remove(u"config.cfg"_s);
        m_window = std::make_unique<Zol_ClientMainWindow>();
    }
    void cleanup()
    {
        m_window.reset();
        QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(u'\n')));
    }
    void sharedAddressesAreMarked_data();
    void sharedAddressesAreMarked();
    // Eight sharers named, the rest counted; a MAC written "%1" shown as it is.
    void manySharersNamedThenCounted()
    {
        AddressConflicts conflicts;
        for (const QString &mac : u"A B %1 D E F G H I J"_s.split(u' '))
            conflicts.move(mac, QString(), u"10.0.0.5"_s);
        QCOMPARE(conflicts.tip(u"10.0.0.5"_s, u"A"_s), u"10.0.0.5\nAlso used by B, %1, D, E, F, G, H, I and 1 more"_s);
    }
    void copyRows_data();
    void copyRows();
    void toolTips_data();
    void toolTips();
    void findBar_data();
    void findBar();
    void columnsFitEveryRow_data();
    void columnsFitEveryRow();

private:
    void post(const QString &text)
    {
        DeviceResponseEvent event(text);
        QCoreApplication::sendEvent(m_window.get(), &event);
    }
    // A read response; without an address, one that ends before it.
    void deliver(const QString &mac, const QString &ip = {}, const QString &location = u"Hall A"_s);
    // "MAC tip" for each row whose address is marked, sorted.
    QStringList marks() const;
    // Installs the built Chinese message file.
    static bool useChinese(QTranslator &translator)
    {
        return translator.load(u"qrt_c"_s, qEnvironmentVariable("ZOL_BIN_DIR"))
            && QCoreApplication::installTranslator(&translator);
    }
    // The list's context menu, as a right click opens it.
    QMenu *listMenu()
    {
        QWidget *viewport = m_window->MainList->viewport();
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), viewport->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(viewport, &click);
        return qobject_cast<QMenu *>(QApplication::activePopupWidget());
    }

    CapturingPlatform m_platform;
    QTemporaryDir m_dir;
    std::unique_ptr<Zol_ClientMainWindow> m_window;
    QStringList m_messages;
};

void tst_WindowAdditions::deliver(const QString &mac, const QString &ip, const QString &location)
{
    post(u"ZOL_READ_RESPONSE,0,1,1A2B,"_s + mac
         + (ip.isNull() ? QString() : u",%1,255.255.255.0,10.0.0.1,TRUE,Pump_1,%2,0"_s.arg(ip, location)));
}

QStringList tst_WindowAdditions::marks() const
{
    const QAbstractItemModel *list = m_window->MainList->model();
    QStringList found;
    for (int i = 0; i < list->rowCount(); ++i) {
        const QModelIndex cell = list->index(i, 3);
        const QString tip = cell.data(Qt::ToolTipRole).toString();
        // A screen reader must hear the tip, and the cell be coloured.
        const QString said = cell.data(Qt::AccessibleDescriptionRole).toString();
        const bool coloured = cell.data(Qt::BackgroundRole).isValid();
        if (!tip.isEmpty() || !said.isEmpty() || coloured)
            found << list->index(i, 2).data().toString() + u' ' + tip + (said == tip ? QString() : u" said: "_s + said)
                    + (coloured ? QString() : u" uncoloured"_s);
    }
    found.sort();
    return found;
}

void tst_WindowAdditions::sharedAddressesAreMarked_data()
{
    // Steps: "MAC address", "MAC" (an answer ending before the address),
    // "find all" or "write MAC address"; marks as marks() gives them.
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("expected");

    QTest::newRow("two devices on one address name each other")
        << u"A 10.0.0.5;B 10.0.0.5;C 10.0.0.6"_s << u"A 10.0.0.5\nAlso used by B;B 10.0.0.5\nAlso used by A"_s;
    QTest::newRow("the same text, not the same address spelt otherwise")
        << u"A 10.0.0.05;B 10.0.0.05;C 10.0.0.5"_s << u"A 10.0.0.05\nAlso used by B;B 10.0.0.05\nAlso used by A"_s;
    QTest::newRow("a refresh moving one away clears both") << u"A 10.0.0.5;B 10.0.0.5;B 10.0.0.7"_s << QString();
    QTest::newRow("a successful write moves the address")
        << u"A 10.0.0.5;B 10.0.0.6;C 10.0.0.5;write A 10.0.0.6"_s
        << u"A 10.0.0.6\nAlso used by B;B 10.0.0.6\nAlso used by A"_s;
    QTest::newRow("Find All clears every mark") << u"A 10.0.0.5;B 10.0.0.5;find all;A 10.0.0.5"_s << QString();
    QTest::newRow("devices waiting for DHCP are not marked") << u"A 0.0.0.0;B 0.0.0.0;C;D"_s << QString();
}

void tst_WindowAdditions::sharedAddressesAreMarked()
{
    QFETCH(QString, steps);
    QFETCH(QString, expected);

    for (const QString &step : steps.split(u';')) {
        const QStringList words = step.split(u' ');
        if (step == "find all"_L1) {
            m_window->Find_All_clicked();
        } else if (words.first() == "write"_L1) {
            m_window->EditDialog.Mac_Address->setText(words.at(1));
            m_window->EditDialog.IP_Address->setText(words.at(2));
            post(u"ZOL_WRITE_RESPONSE,0,1,%1,ZOL_CONFIGURATION_UPDATED"_s.arg(words.at(1)));
        } else {
            deliver(words.at(0), words.value(1));
        }
    }
    QCOMPARE(marks(), expected.split(u';', Qt::SkipEmptyParts));
}

void tst_WindowAdditions::copyRows_data()
{
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<bool>("all");
    QTest::addColumn<QString>("expected");

    const QString rowA = u"10.0.0.5\tVRD Module\t0006699\tA\t255.255.255.0\t10.0.0.1\tEnabled\tPump_1\tHall A\n"_s;
    const QString rowB = u"10.0.0.6\tVRD Module\t0006699\tB\t255.255.255.0\t10.0.0.1\tEnabled\tPump_1\tRoof B\n"_s;
    const QString titles = u"IP Address\tDevice Type\tSerial Number\tMAC Address\tSubnet Mask\tGateway\tDHCP\tName\tLocation\n"_s;
    QTest::newRow("Ctrl+C copies the selected row") << false << false << titles + rowA;
    QTest::newRow("Copy All follows the list's order") << false << true << titles + rowB + rowA;
    QTest::newRow("titles in the language of the moment")
        << true << false
        << u"IP 地址\t设备类型\t序列号\tMAC 地址\t子网掩码\t网关\tDHCP\t名称\t位置\n"
           "10.0.0.5\tVRD Module\t0006699\tA\t255.255.255.0\t10.0.0.1\t启用\tPump_1\tHall A\n"_s;
}

void tst_WindowAdditions::copyRows()
{
    QFETCH(bool, chinese);
    QFETCH(bool, all);
    QFETCH(QString, expected);

    QTranslator translator;
    if (chinese) {
        QVERIFY(useChinese(translator));
        QCoreApplication::processEvents();
    }
    // A tab or line break inside a text would break the table's shape.
    deliver(u"A"_s, u"10.0.0.5"_s, u"Hall\tA"_s);
    deliver(u"B"_s, u"10.0.0.6"_s, u"Roof\r\nB"_s);
    QTreeView *list = m_window->MainList;
    list->header()->moveSection(3, 0);
    list->sortByColumn(2, Qt::DescendingOrder);
    QGuiApplication::clipboard()->clear();

    if (all) {
        QMenu *menu = listMenu();
        QVERIFY(menu && menu->actions().size() >= 2);
        QCOMPARE(menu->actions().at(0)->text() + u'|' + menu->actions().at(1)->text(), u"Copy|Copy All"_s);
        menu->actions().at(1)->trigger();
    } else {
        list->setCurrentIndex(m_window->findDeviceRow(u"A"_s));
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    }
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(QGuiApplication::clipboard()->text(), expected);
}

void tst_WindowAdditions::toolTips_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("width"); // 0: as wide as its texts
    QTest::addColumn<QString>("expected");

    QTest::newRow("a text cut short shows in full") << 8 << 12 << u"Hall A"_s;
    QTest::newRow("a text shown whole has no tip") << 8 << 0 << QString();
    QTest::newRow("a shared address tells who else has it") << 3 << 12 << u"10.0.0.5\nAlso used by B"_s;
}

void tst_WindowAdditions::toolTips()
{
    QFETCH(int, column);
    QFETCH(int, width);
    QFETCH(QString, expected);

    deliver(u"A"_s, u"10.0.0.5"_s);
    deliver(u"B"_s, u"10.0.0.5"_s);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QTreeView *list = m_window->MainList;
    if (width)
        list->header()->resizeSection(column, width);

    const QPoint at(list->header()->sectionViewportPosition(column) + 3,
                    list->visualRect(m_window->findDeviceRow(u"A"_s)).center().y());
    QHelpEvent help(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(list->viewport(), &help);
    QCOMPARE(help.isAccepted() ? QToolTip::text() : QString(), expected);
}

void tst_WindowAdditions::findBar_data()
{
    // Typed into the find bar over devices A (Hall A, DHCP on, named Pump),
    // B (Roof B, DHCP off) and C (Hall C, DHCP on); then D answers (Hall D,
    // DHCP on, named Pump) and E (Roof E, DHCP off). The others are named
    // Fan. The MACs shown, as the list sorts them.
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("found");
    QTest::addColumn<QString>("afterAnswers");
    QTest::newRow("a MAC fragment in another case") << false << u"c:0"_s << u"0C:01"_s << u"0C:01"_s;
    QTest::newRow("a location") << false << u"hall"_s << u"0A:01 0C:01"_s << u"0A:01 0C:01 0D:01"_s;
    QTest::newRow("a name") << false << u"PUMP"_s << u"0A:01"_s << u"0A:01 0D:01"_s;
    QTest::newRow("a column's text as shown in Chinese") << true << u"启用"_s << u"0A:01 0C:01"_s << u"0A:01 0C:01 0D:01"_s;
}

void tst_WindowAdditions::findBar()
{
    QFETCH(bool, chinese);
    QFETCH(QString, typed);
    QFETCH(QString, found);
    QFETCH(QString, afterAnswers);

    QTranslator translator;
    QVERIFY(!chinese || useChinese(translator));
    const auto answer = [this](char device, const char *place, bool dhcp) {
        post(u"ZOL_READ_RESPONSE,0,1,1,0%1:01,10.0.0.1,255.0.0.0,10.0.0.9,%2,%3,%4,0"_s.arg(
            QString(QLatin1Char(device)), dhcp ? u"TRUE"_s : u"FALSE"_s,
            device == 'A' || device == 'D' ? u"Pump"_s : u"Fan"_s, QLatin1String(place)));
    };
    answer('A', "Hall A", true);
    answer('B', "Roof B", false);
    answer('C', "Hall C", true);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QTreeView *list = m_window->MainList;
    const auto shown = [list] {
        QStringList macs;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            macs << list->model()->index(row, 2).data().toString();
        return macs.join(u' ');
    };
    auto *bar = m_window->findChild<QWidget *>(u"FindBar"_s);
    QVERIFY(bar && !bar->isVisible());
    QTest::keyClick(list, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(bar->isVisible());
    auto *field = bar->findChild<QLineEdit *>();
    list->setCurrentIndex(m_window->findDeviceRow(u"0B:01"_s));
    QVERIFY(m_window->Edit->isEnabled());
    for (const QChar c : typed) // one key at a time
        field->insert(c);
    QCOMPARE(shown(), found);
    QVERIFY(!m_window->Edit->isEnabled()); // the selected row went
    answer('D', "Hall D", true);
    answer('E', "Roof E", false);
    QTRY_COMPARE(shown(), afterAnswers);
    const QString count = QString::number(afterAnswers.count(u' ') + 1);
    QCOMPARE(bar->findChild<QLabel *>()->text(), chinese ? count + u" / 5 台设备"_s : count + u" of 5 devices"_s);
    // The window's own count is of every device listed.
    QCOMPARE(m_window->statusBar()->findChild<QLabel *>()->text(), chinese ? u"5 台设备"_s : u"5 devices"_s);

    // Copy All copies the rows shown, and says so.
    QMenu *menu = listMenu();
    QVERIFY(menu);
    QCOMPARE(menu->actions().at(1)->text(), chinese ? u"复制显示的全部行"_s : u"Copy All Shown"_s);
    menu->actions().at(1)->trigger();
    menu->close();
    QCOMPARE(QGuiApplication::clipboard()->text().count(u'\n'), afterAnswers.count(u' ') + 2);

    // Esc in the field closes the bar, not the window, and every row is back.
    QTest::keyClick(field, Qt::Key_Escape);
    QVERIFY(!bar->isVisible() && m_window->isVisible());
    QCOMPARE(shown(), u"0A:01 0B:01 0C:01 0D:01 0E:01"_s);
    QCoreApplication::removeTranslator(&translator);
}

void tst_WindowAdditions::columnsFitEveryRow_data()
{
    // 300 devices answer a window that shows a few of them; then the last,
    // far out of sight, comes to show a wider text in this column.
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("column");
    QTest::newRow("its answer") << u"answer"_s << 8;
    QTest::newRow("a write it accepted") << u"write"_s << 8;
    QTest::newRow("its answer while the find bar hides it") << u"hidden"_s << 8;
    QTest::newRow("a switch from Chinese to English") << u"English"_s << 6;
}

void tst_WindowAdditions::columnsFitEveryRow()
{
    QFETCH(QString, how);
    QFETCH(int, column);

    QTranslator translator;
    QVERIFY(how != "English"_L1 || useChinese(translator));
    m_window->resize(500, 200);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    auto *find = m_window->findChild<QWidget *>(u"FindBar"_s)->findChild<QLineEdit *>();
    if (how == "hidden"_L1) {
        m_window->MFind->trigger();
        find->setText(u"nothing"_s);
    }
    for (int i = 0; i < 300; ++i)
        deliver(QString::number(1000 + i));
    const QString wide = u"Hall A: the cabinet at the back of the second floor"_s;
    deliver(u"Z"_s, u"10.0.0.5"_s, how == "answer"_L1 || how == "hidden"_L1 ? wide : u"Hall A"_s);
    QTRY_COMPARE(static_cast<DeviceTableModel *>(m_window->MainList->model())->deviceCount(), 301);
    if (how == "write"_L1) {
        m_window->EditDialog.Mac_Address->setText(u"Z"_s);
        m_window->EditDialog.Location->setText(wide);
        post(u"ZOL_WRITE_RESPONSE,0,1,Z,ZOL_CONFIGURATION_UPDATED"_s);
    }
    QCoreApplication::removeTranslator(&translator);
    if (how == "hidden"_L1)
        QTest::keyClick(find, Qt::Key_Escape);
    QTest::qWait(50); // the rows in sight are painted

    QTreeView *list = m_window->MainList;
    const QModelIndex cell = m_window->findDeviceRow(u"Z"_s).siblingAtColumn(column);
    QVERIFY(!list->viewport()->rect().intersects(list->visualRect(cell)));
    QCOMPARE_GE(list->header()->sectionSize(column), list->sizeHintForIndex(cell).width());
}

QTEST_MAIN(tst_WindowAdditions)
#include "tst_windowadditions.moc"
