// Additions to the real main window, driven with posted answers (nothing
// leaves: the capturing platform takes the queries): marks on addresses that
// several devices show, rows to the clipboard, and the list's tool tips.
// Runs in a private network namespace, since the window binds the answer port.

#include "../support/capturingplatform.h"
#include "../support/devsim.h"

#include "app/appshell.h"
#include "mainwindow/mainwindow.h"
#include "net/deviceresponseevent.h"
#include "net/sender.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QToolTip>
#include <QTest>
#include <QTranslator>
#include <QTreeWidget>

#include <memory>

namespace {

QString answer(const QString &mac, const QString &ip, const QString &location = QStringLiteral("Hall A"))
{
    return QStringLiteral("ZOL_READ_RESPONSE,0,1,1A2B,%1,%2,255.255.255.0,10.0.0.1,TRUE,Pump_1,%3,0")
        .arg(mac, ip, location);
}

} // namespace

class tst_WindowAdditions : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void sharedAddressesAreMarked_data();
    void sharedAddressesAreMarked();
    void copyRows_data();
    void copyRows();
    void toolTips_data();
    void toolTips();

private:
    void deliver(const QString &text);
    // "MAC tip" for each row whose address is marked, sorted.
    QStringList marks() const;

    CapturingPlatform m_platform;
    QTemporaryDir m_dir;
    std::unique_ptr<Zol_ClientMainWindow> m_window;
    QStringList m_messages;
};

void tst_WindowAdditions::initTestCase()
{
    ZOL_REQUIRE_NETNS();
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir::setCurrent(m_dir.path()));
    SetNetworkPlatform(&m_platform);
    SetMessageHook([this](const QString &text) { m_messages << text; });
}

void tst_WindowAdditions::init()
{
    QFile::remove(QStringLiteral("config.cfg"));
    m_window = std::make_unique<Zol_ClientMainWindow>();
}

void tst_WindowAdditions::cleanup()
{
    m_window.reset();
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(u'\n')));
}

void tst_WindowAdditions::deliver(const QString &text)
{
    DeviceResponseEvent event(text);
    QCoreApplication::sendEvent(m_window.get(), &event);
}

QStringList tst_WindowAdditions::marks() const
{
    QTreeWidget *list = m_window->MainList;
    // The view's rows as a screen reader sees them.
    list->doItemsLayout();
    QAccessibleInterface *view = QAccessible::queryAccessibleInterface(list);
    QStringList found;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = list->topLevelItem(i);
        const QString tip = row->data(3, Qt::ToolTipRole).toString();
        // What a screen reader hears must be the tip, and the cell coloured.
        const QString said = view->tableInterface()->cellAt(i, 3)->text(QAccessible::Description);
        const bool coloured = row->data(3, Qt::BackgroundRole).isValid();
        if (tip.isEmpty() && said.isEmpty() && !coloured)
            continue;
        QString mark = row->text(2) + u' ' + tip;
        if (said != tip || !coloured)
            mark += QStringLiteral(" (described as \"%1\", coloured %2)").arg(said).arg(coloured);
        found << mark;
    }
    found.sort();
    return found;
}

void tst_WindowAdditions::sharedAddressesAreMarked_data()
{
    // "MAC address", "MAC" (an answer ending before the address), "find all"
    // or "write MAC address".
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("two devices on one address name each other")
        << QStringList{QStringLiteral("A 10.0.0.5"), QStringLiteral("B 10.0.0.5"), QStringLiteral("C 10.0.0.6")}
        << QStringList{QStringLiteral("A 10.0.0.5\nAlso used by B"), QStringLiteral("B 10.0.0.5\nAlso used by A")};
    QTest::newRow("the same text, not the same address spelt otherwise")
        << QStringList{QStringLiteral("A 10.0.0.05"), QStringLiteral("B 10.0.0.05"), QStringLiteral("C 10.0.0.5")}
        << QStringList{QStringLiteral("A 10.0.0.05\nAlso used by B"), QStringLiteral("B 10.0.0.05\nAlso used by A")};
    QTest::newRow("a refresh moving one away clears both")
        << QStringList{QStringLiteral("A 10.0.0.5"), QStringLiteral("B 10.0.0.5"), QStringLiteral("B 10.0.0.7")}
        << QStringList();
    QTest::newRow("a successful write moves the address")
        << QStringList{QStringLiteral("A 10.0.0.5"), QStringLiteral("B 10.0.0.6"), QStringLiteral("C 10.0.0.5"),
                       QStringLiteral("write A 10.0.0.6")}
        << QStringList{QStringLiteral("A 10.0.0.6\nAlso used by B"), QStringLiteral("B 10.0.0.6\nAlso used by A")};
    QTest::newRow("Find All clears every mark")
        << QStringList{QStringLiteral("A 10.0.0.5"), QStringLiteral("B 10.0.0.5"), QStringLiteral("find all"),
                       QStringLiteral("A 10.0.0.5")}
        << QStringList();
    QTest::newRow("devices waiting for DHCP are not marked")
        << QStringList{QStringLiteral("A 0.0.0.0"), QStringLiteral("B 0.0.0.0"), QStringLiteral("C"),
                       QStringLiteral("D")}
        << QStringList();
}

void tst_WindowAdditions::sharedAddressesAreMarked()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, expected);

    for (const QString &step : std::as_const(steps)) {
        const QStringList words = step.split(u' ');
        if (step == QLatin1String("find all")) {
            m_window->Find_All_clicked();
        } else if (words.first() == QLatin1String("write")) {
            m_window->EditDialog.Mac_Address->setText(words.at(1));
            m_window->EditDialog.IP_Address->setText(words.at(2));
            deliver(QStringLiteral("ZOL_WRITE_RESPONSE,0,1,%1,ZOL_CONFIGURATION_UPDATED").arg(words.at(1)));
        } else if (words.size() == 1) {
            deliver(QStringLiteral("ZOL_READ_RESPONSE,0,1,1A2B,") + step);
        } else {
            deliver(answer(words.at(0), words.at(1)));
        }
    }
    QCOMPARE(marks(), expected);
}

void tst_WindowAdditions::copyRows_data()
{
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<bool>("all");
    QTest::addColumn<QString>("expected");

    const QString rowA = QStringLiteral("10.0.0.5\tVRD Module\t0006699\tA\t255.255.255.0\t10.0.0.1\tEnabled\tPump_1\tHall A\n");
    const QString rowB = QStringLiteral("10.0.0.6\tVRD Module\t0006699\tB\t255.255.255.0\t10.0.0.1\tEnabled\tPump_1\tRoof B\n");
    const QString titles = QStringLiteral("IP Address\tDevice Type\tSerial Number\tMAC Address\tSubnet Mask\tGateway\tDHCP\tName\tLocation\n");
    QTest::newRow("Ctrl+C copies the selected row") << false << false << titles + rowA;
    QTest::newRow("Copy All follows the list's order") << false << true << titles + rowB + rowA;
    QTest::newRow("titles in the language of the moment")
        << true << false
        << QStringLiteral("IP 地址\t设备类型\t序列号\tMAC 地址\t子网掩码\t网关\tDHCP\t名称\t位置\n"
                          "10.0.0.5\tVRD Module\t0006699\tA\t255.255.255.0\t10.0.0.1\t启用\tPump_1\tHall A\n");
}

void tst_WindowAdditions::copyRows()
{
    QFETCH(bool, chinese);
    QFETCH(bool, all);
    QFETCH(QString, expected);

    QTranslator translator;
    if (chinese) {
        QVERIFY(translator.load(QStringLiteral("qrt_c"), qEnvironmentVariable("ZOL_BIN_DIR")));
        QCoreApplication::installTranslator(&translator);
        QCoreApplication::processEvents();
    }
    // A tab or line break inside a text would break the table's shape.
    deliver(answer(QStringLiteral("A"), QStringLiteral("10.0.0.5"), QStringLiteral("Hall\tA")));
    deliver(answer(QStringLiteral("B"), QStringLiteral("10.0.0.6"), QStringLiteral("Roof\r\nB")));
    QTreeWidget *list = m_window->MainList;
    list->header()->moveSection(3, 0);
    list->sortItems(2, Qt::DescendingOrder);
    QGuiApplication::clipboard()->clear();

    if (all) {
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), list->viewport()->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(list->viewport(), &click);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QStringList entries;
        for (const QAction *action : menu->actions())
            entries << action->text();
        QCOMPARE(entries, (QStringList{QStringLiteral("Copy"), QStringLiteral("Copy All")}));
        menu->actions().at(1)->trigger();
        menu->close();
    } else {
        m_window->findDeviceRow(QStringLiteral("A"))->setSelected(true);
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

    QTest::newRow("a text cut short shows in full") << 8 << 12 << QStringLiteral("Hall A");
    QTest::newRow("a text shown whole has no tip") << 8 << 0 << QString();
    QTest::newRow("a shared address tells who else has it") << 3 << 12
                                                            << QStringLiteral("10.0.0.5\nAlso used by B");
}

void tst_WindowAdditions::toolTips()
{
    QFETCH(int, column);
    QFETCH(int, width);
    QFETCH(QString, expected);

    deliver(answer(QStringLiteral("A"), QStringLiteral("10.0.0.5")));
    deliver(answer(QStringLiteral("B"), QStringLiteral("10.0.0.5")));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QTreeWidget *list = m_window->MainList;
    if (width)
        list->header()->resizeSection(column, width);

    const QPoint at(list->header()->sectionViewportPosition(column) + 3,
                    list->visualItemRect(m_window->findDeviceRow(QStringLiteral("A"))).center().y());
    QHelpEvent help(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(list->viewport(), &help);
    QCOMPARE(help.isAccepted() ? QToolTip::text() : QString(), expected);
}

QTEST_MAIN(tst_WindowAdditions)
#include "tst_windowadditions.moc"
