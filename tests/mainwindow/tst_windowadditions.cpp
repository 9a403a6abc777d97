// Additions to the real main window, driven with posted answers (nothing
// leaves: the capturing platform takes the queries): rows to the clipboard.
// Runs in a private network namespace, since the window binds the answer port.

#include "../support/capturingplatform.h"
#include "../support/devsim.h"

#include "app/appshell.h"
#include "mainwindow/mainwindow.h"
#include "net/deviceresponseevent.h"
#include "net/sender.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QMenu>
#include <QTemporaryDir>
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
    void copyRows_data();
    void copyRows();

private:
    void deliver(const QString &text);

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

QTEST_MAIN(tst_WindowAdditions)
#include "tst_windowadditions.moc"
