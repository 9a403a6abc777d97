// The main window controller: construction, the Edit button, Exit, About and
// the modify timer. Runs in a private network namespace: the window starts its
// receiver, which binds the answer port.
#include "mainwindow/mainwindow.h"

#include "forms/aboutboxform.h"
#include "net/messages.h"
#include "../support/capturingplatform.h"
#include "net/sender.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {

QTreeWidgetItem *addRow(QTreeWidget *list, const QString &mac)
{
    auto *row = new QTreeWidgetItem;
    row->setText(0, QStringLiteral("VRD Module"));
    row->setText(2, mac);
    list->addTopLevelItem(row);
    return row;
}

} // namespace

class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void constructionSendsFirstQueryWhileHidden();
    void editFollowsSelection();
    void editWithNothingSelectedDoesNothing();
    void findAllEmptiesListAndSendsNextQuery();
    void modifyTimeOutRefreshes();
    void aboutShowsVersion();
    void destructorTrace();
    void exitEndsEventLoop();

private:
    CapturingPlatform m_platform;
    QTemporaryDir m_dir;
};

void tst_MainWindow::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // Each window reads and writes "config.cfg" in the current directory.
    QDir::setCurrent(m_dir.path());
    SetNetworkPlatform(&m_platform);
}

void tst_MainWindow::init()
{
    m_platform.sent.clear();
}

void tst_MainWindow::constructionSendsFirstQueryWhileHidden()
{
    QuerySequence = 41;
    WriteAnswered = false;
    Zol_ClientMainWindow window;
    QCOMPARE(m_platform.sent, QList<QByteArray>{QByteArrayLiteral("ZOL_READ_QUERY,0,1")});
    QVERIFY(!window.isVisible());
    QCOMPARE(GetQuerySequence(), 1);
    QVERIFY(WriteAnswered);
    QVERIFY(!window.ModifyFailed);
    QVERIFY(!window.ModifyInProgress);
    QVERIFY(!window.ModifyTimer.isActive());
    QVERIFY(!window.Edit->isEnabled());
    QVERIFY(window.Receiver.isRunning());
    QCOMPARE(window.MainList->topLevelItemCount(), 0);
    // The edit dialog is a dialog window of its own, owned by the main window.
    QCOMPARE(window.EditDialog.parentWidget(), &window);
    QVERIFY(window.EditDialog.isWindow());
    QVERIFY(!window.EditDialog.isModal());
}

void tst_MainWindow::editFollowsSelection()
{
    Zol_ClientMainWindow window;
    window.show();
    QTreeWidgetItem *row = addRow(window.MainList, QStringLiteral("00:11:22:33:44:55"));
    QVERIFY(!window.Edit->isEnabled());
    row->setSelected(true);
    QVERIFY(window.Edit->isEnabled());
    window.MainList->clearSelection();
    QVERIFY(!window.Edit->isEnabled());
    window.MainList_selectionChanged(row);
    QVERIFY(window.Edit->isEnabled());
    window.MainList_selectionChanged(nullptr);
    QVERIFY(!window.Edit->isEnabled());
}

void tst_MainWindow::editWithNothingSelectedDoesNothing()
{
    Zol_ClientMainWindow window;
    window.show();
    addRow(window.MainList, QStringLiteral("00:11:22:33:44:55"));
    const int sentBefore = int(m_platform.sent.size());
    window.Edit_clicked();
    window.MainList_doubleClicked(nullptr);
    window.MainList_returnPressed(nullptr);
    QVERIFY(!window.EditDialog.isVisible());
    QVERIFY(!window.ModifyInProgress);
    QCOMPARE(m_platform.sent.size(), sentBefore);
}

void tst_MainWindow::findAllEmptiesListAndSendsNextQuery()
{
    Zol_ClientMainWindow window;
    window.show();
    addRow(window.MainList, QStringLiteral("aa"))->setSelected(true);
    QVERIFY(window.Edit->isEnabled());
    m_platform.sent.clear();
    window.Find_All->click();
    QCOMPARE(window.MainList->topLevelItemCount(), 0);
    QVERIFY(!window.Edit->isEnabled());
    QCOMPARE(m_platform.sent, QList<QByteArray>{QByteArrayLiteral("ZOL_READ_QUERY,0,2")});
    window.Find_All_clicked();
    QCOMPARE(m_platform.sent.last(), QByteArrayLiteral("ZOL_READ_QUERY,0,3"));
}

void tst_MainWindow::modifyTimeOutRefreshes()
{
    Zol_ClientMainWindow window;
    addRow(window.MainList, QStringLiteral("00:11:22:33:44:55"));
    m_platform.sent.clear();
    window.ModifyTimer.start(10);
    QTRY_COMPARE(m_platform.sent.size(), 1);
    QCOMPARE(m_platform.sent.first(), QByteArrayLiteral("ZOL_READ_QUERY,0,2"));
    QVERIFY(!window.ModifyTimer.isActive());
    QCOMPARE(window.MainList->topLevelItemCount(), 0);
}

void tst_MainWindow::aboutShowsVersion()
{
    Zol_ClientMainWindow window;
    window.show();
    QString version;
    QString caption;
    QTimer::singleShot(50, this, [&] {
        auto *about = qobject_cast<aboutboxform *>(QApplication::activeModalWidget());
        if (!about)
            return;
        version = about->versionLabel->text();
        caption = about->windowTitle();
        about->buttonOk->click();
    });
    QTimer::singleShot(5000, this, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
    window.MAbout->trigger();
    QCOMPARE(version, QStringLiteral("Version 1.04.04"));
    QCOMPARE(caption, QStringLiteral("About ZOL Client"));
    QVERIFY(!window.findChild<aboutboxform *>()); // destroyed when it closed
}

void tst_MainWindow::destructorTrace()
{
    auto *window = new Zol_ClientMainWindow;
    QTest::ignoreMessage(QtDebugMsg, "::~Zol_ClientMainWindow");
    delete window;
}

void tst_MainWindow::exitEndsEventLoop()
{
    Zol_ClientMainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    bool timedOut = false;
    QTimer::singleShot(50, window.Exit, &QPushButton::click);
    QTimer::singleShot(5000, qApp, [&] { timedOut = true; QCoreApplication::quit(); });
    QApplication::exec();
    QVERIFY(!timedOut);
    QVERIFY(!window.isVisible());
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
