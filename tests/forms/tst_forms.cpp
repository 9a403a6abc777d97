#include "forms/aboutboxform.h"
#include "forms/deviceupdating.h"
#include "forms/editnetworkconfigurationbase.h"
#include "forms/mainwindowbase.h"
#include "forms/windowflags.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <QWindow>

namespace {

// The next widget that Tab reaches from w.
QWidget *nextTabStop(QWidget *w)
{
    QWidget *next = w->nextInFocusChain();
    while (next != w && !(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    return next;
}

} // namespace

class tst_Forms : public QObject
{
    Q_OBJECT

private slots:
    void mainWindowHeaders_data();
    void mainWindowHeaders();
    void mainWindowWidgets();
    void mainWindowActions();
    void mainWindowMenuHoldsOnlyAbout();
    void mainWindowTabOrder();
    void mainWindowSlotWarnings_data();
    void mainWindowSlotWarnings();
    void mainWindowAccelerators_data();
    void mainWindowAccelerators();
    void mainWindowReturnOnList();
    void editFormWidgets();
    void editFormTabOrder();
    void editFormSlotWarnings();
    void progressForm();
    void aboutBox();
    void iconsShareOnePicture();
};

void tst_Forms::mainWindowHeaders_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    const char *texts[] = {"Device Type", "Serial Number ", "MAC Address ", "IP Address ",
                           "Subnet Mask ", "Gateway ", "DHCP ", "Name ", "Location"};
    for (int i = 0; i < 9; ++i)
        QTest::newRow(texts[i]) << i << QString::fromLatin1(texts[i]);
}

void tst_Forms::mainWindowHeaders()
{
    QFETCH(int, column);
    QFETCH(QString, text);
    Zol_ClientMainWindowBase window;
    QCOMPARE(window.MainList->columnCount(), 9);
    QCOMPARE(window.MainList->headerItem()->text(column), text);
    // Each column starts at least as wide as its title.
    const int titleWidth = window.MainList->fontMetrics().horizontalAdvance(text);
    QVERIFY(window.MainList->header()->sectionSize(column) >= titleWidth);
}

void tst_Forms::mainWindowWidgets()
{
    Zol_ClientMainWindowBase window;
    QCOMPARE(window.objectName(), QStringLiteral("Zol_ClientMainWindowBase"));
    QCOMPARE(window.windowTitle(), QStringLiteral("ZOL Client"));
    QVERIFY(window.width() >= 907);
    QVERIFY(window.height() >= 262);
    QVERIFY(!window.windowIcon().isNull());
    QCOMPARE(window.centralWidget()->objectName(), QStringLiteral("qt_central_widget"));

    for (const char *name : {"MainList", "Find_All", "Edit", "Exit", "menubar"})
        QVERIFY2(window.findChild<QWidget *>(QString::fromLatin1(name)), name);
    for (const char *name : {"Zol_ClientMainWindowBaseLayout", "layout36", "layout35"})
        QVERIFY2(window.findChild<QLayout *>(QString::fromLatin1(name)), name);

    QCOMPARE(window.Find_All->text(), QStringLiteral("Find All"));
    QCOMPARE(window.Edit->text(), QStringLiteral("Edit"));
    QCOMPARE(window.Exit->text(), QStringLiteral("Exit"));
    QVERIFY(window.Find_All->autoDefault());
    QVERIFY(!window.Exit->autoDefault());
    QVERIFY(window.Find_All->isDefault() && window.Edit->isDefault() && window.Exit->isDefault());

    QTreeWidget *list = window.MainList;
    QVERIFY(!list->rootIsDecorated());
    QVERIFY(list->allColumnsShowFocus());
    QVERIFY(list->isSortingEnabled());
    QCOMPARE(list->header()->sortIndicatorSection(), 0);
    QCOMPARE(list->header()->sortIndicatorOrder(), Qt::AscendingOrder);
    QVERIFY(!list->header()->isSortIndicatorShown());
    QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
    QVERIFY(!list->header()->stretchLastSection());
    QVERIFY(list->header()->sectionsMovable());
    QVERIFY(list->header()->isFirstSectionMovable());

    // Rows sort by column 0 ascending.
    list->addTopLevelItem(new QTreeWidgetItem(QStringList{QStringLiteral("b")}));
    list->addTopLevelItem(new QTreeWidgetItem(QStringList{QStringLiteral("a")}));
    QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("a"));
}

void tst_Forms::mainWindowActions()
{
    Zol_ClientMainWindowBase window;
    QVERIFY(window.MEnglish->isCheckable() && !window.MEnglish->isChecked());
    QVERIFY(window.MChinese->isCheckable() && !window.MChinese->isChecked());
    QVERIFY(!window.MDetect->isCheckable());
    QCOMPARE(window.MChinese->text(), QString::fromUtf8("中文"));
    QCOMPARE(window.MChinese->toolTip(), QString::fromUtf8("中文"));
    QVERIFY(window.MChinese->whatsThis().isNull());
    QCOMPARE(window.MEnglish->text(), QStringLiteral("English"));
    QCOMPARE(window.MDetect->text(), QStringLiteral("&Detect"));
    QCOMPARE(window.MDetect->toolTip(), QStringLiteral("Detect"));
    QCOMPARE(window.MContents->text(), QStringLiteral("Help"));
    QCOMPARE(window.MContents->iconText(), QStringLiteral("&Help"));
    QVERIFY(!window.MContents->icon().isNull());
    // The apostrophe is U+2019, not an ASCII one.
    QCOMPARE(window.MWhat_s_This->text(), QString::fromUtf8("&What\u2019s This"));
    QCOMPARE(window.MWhat_s_This->toolTip(), QString::fromUtf8("What\u2019s This"));
    QVERIFY(!window.MWhat_s_This->isVisible());
    QCOMPARE(window.MAbout->text(), QStringLiteral("&About"));
    QCOMPARE(window.MAbout->toolTip(), QStringLiteral("About"));
}

void tst_Forms::mainWindowMenuHoldsOnlyAbout()
{
    Zol_ClientMainWindowBase window;
    QList<QAction *> menus;
    for (QAction *action : window.menubar->actions())
        if (action->menu())
            menus << action;
    QCOMPARE(menus.size(), 1);
    QCOMPARE(menus.first()->text(), QStringLiteral("&Help"));
    QCOMPARE(window.HelpMenu->actions(), QList<QAction *>{window.MAbout});
    for (QAction *hidden : {window.MEnglish, window.MChinese, window.MDetect, window.MContents, window.MWhat_s_This})
        QVERIFY(hidden->associatedObjects().size() <= 1); // only the window itself
}

void tst_Forms::mainWindowTabOrder()
{
    Zol_ClientMainWindowBase window;
    QCOMPARE(nextTabStop(window.Find_All), window.Edit);
    QCOMPARE(nextTabStop(window.Edit), window.Exit);
    QCOMPARE(nextTabStop(window.Exit), window.MainList);
}

void tst_Forms::mainWindowSlotWarnings_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QString>("warning");
    auto row = [](const char *slot, const char *signature) {
        QTest::newRow(slot) << QString::fromLatin1(slot)
                            << QStringLiteral("Zol_ClientMainWindowBase::%1: Not implemented yet")
                                   .arg(QString::fromLatin1(signature));
    };
    row("Find_All_clicked", "Find_All_clicked()");
    row("MainList_doubleClicked", "MainList_doubleClicked(QListViewItem*)");
    row("Chinese", "Chinese()");
    row("English", "English()");
    row("Detect", "Detect()");
    row("About", "About()");
    row("Exit_clicked", "Exit_clicked()");
    row("Edit_clicked", "Edit_clicked()");
    row("MainList_returnPressed", "MainList_returnPressed(QListViewItem*)");
    row("MainList_selectionChanged", "MainList_selectionChanged(QListViewItem*)");
}

void tst_Forms::mainWindowSlotWarnings()
{
    QFETCH(QString, slot);
    QFETCH(QString, warning);
    Zol_ClientMainWindowBase window;
    QTest::ignoreMessage(QtWarningMsg, warning.toUtf8().constData());
    if (slot == QLatin1String("Find_All_clicked"))
        window.Find_All->click();                 // through the button's connection
    else if (slot == QLatin1String("Exit_clicked"))
        window.Exit->click();
    else if (slot == QLatin1String("Edit_clicked"))
        window.Edit->click();
    else if (slot == QLatin1String("Chinese"))
        window.MChinese->trigger();
    else if (slot == QLatin1String("English"))
        window.MEnglish->trigger();
    else if (slot == QLatin1String("Detect"))
        window.MDetect->trigger();
    else if (slot == QLatin1String("About"))
        window.MAbout->trigger();
    else if (slot == QLatin1String("MainList_doubleClicked"))
        window.MainList_doubleClicked(nullptr);
    else if (slot == QLatin1String("MainList_returnPressed"))
        window.MainList_returnPressed(nullptr);
    else
        window.MainList_selectionChanged(nullptr);
}

void tst_Forms::mainWindowAccelerators_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("warning");
    QTest::newRow("F") << int(Qt::Key_F) << QStringLiteral("Zol_ClientMainWindowBase::Find_All_clicked(): Not implemented yet");
    QTest::newRow("E") << int(Qt::Key_E) << QStringLiteral("Zol_ClientMainWindowBase::Edit_clicked(): Not implemented yet");
    QTest::newRow("Esc") << int(Qt::Key_Escape) << QStringLiteral("Zol_ClientMainWindowBase::Exit_clicked(): Not implemented yet");
}

void tst_Forms::mainWindowAccelerators()
{
    QFETCH(int, key);
    QFETCH(QString, warning);
    Zol_ClientMainWindowBase window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.MainList->setFocus();
    QTest::ignoreMessage(QtWarningMsg, warning.toUtf8().constData());
    QTest::keyClick(window.MainList, Qt::Key(key));
    QTest::qWait(300); // a shortcut clicks the button with its short animation

    // A disabled button's key does nothing.
    window.Find_All->setEnabled(false);
    window.Edit->setEnabled(false);
    window.Exit->setEnabled(false);
    QTest::failOnWarning(QRegularExpression(QStringLiteral("Not implemented yet")));
    QTest::keyClick(window.MainList, Qt::Key(key));
    QTest::qWait(300);
}

void tst_Forms::mainWindowReturnOnList()
{
    Zol_ClientMainWindowBase window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.MainList->setFocus();
    QTest::ignoreMessage(QtWarningMsg, "Zol_ClientMainWindowBase::MainList_returnPressed(QListViewItem*): Not implemented yet");
    QTest::keyClick(window.MainList, Qt::Key_Return);
}

void tst_Forms::editFormWidgets()
{
    Edit_Network_ConfigurationBase form(nullptr, nullptr, false, DialogWindowFlags());
    QCOMPARE(form.objectName(), QStringLiteral("Edit_Network_ConfigurationBase"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Edit Network Configuration"));
    QVERIFY(form.width() >= 265 && form.height() >= 362);
    QVERIFY(form.isSizeGripEnabled());
    QVERIFY(!form.isModal());
    QVERIFY(!(form.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(form.windowFlags() & Qt::WindowContextHelpButtonHint));

    const QList<QPair<QLabel *, const char *>> labels = {
        {form.textLabel2_2, "IP Address :"}, {form.textLabel2_2_2, "Subnet Mask :"},
        {form.textLabel2_2_3, "Gateway :"}, {form.textLabel2_2_4, "Name :"},
        {form.textLabel2_2_5, "Location :"}, {form.textLabel1_2, "Device Type:"},
        {form.textLabel1, "Serial Number :"}, {form.textLabel2, "MAC Address :"}};
    for (const auto &[label, text] : labels)
        QCOMPARE(label->text(), QString::fromLatin1(text));
    QCOMPARE(form.DHCP->text(), QStringLiteral("DHCP Enabled"));
    QCOMPARE(form.ResetIP->text(), QStringLiteral("Renew Lease"));
    QCOMPARE(form.OK->text(), QStringLiteral("OK"));
    QCOMPARE(form.Cancel->text(), QStringLiteral("Cancel"));
    QVERIFY(form.buttonGroup1->title().isNull());
    QVERIFY(form.buttonGroup2->title().isNull());

    QVERIFY(!form.DHCP->isChecked());
    QVERIFY(!form.DHCP->isTristate());
    QVERIFY(form.ResetIP->isEnabled());
    QCOMPARE(form.IP_Address->maxLength(), 15);
    QCOMPARE(form.Subnet_Mask->maxLength(), 15);
    QCOMPARE(form.Gateway->maxLength(), 15);
    QCOMPARE(form.Name->maxLength(), 12);
    QCOMPARE(form.Location->maxLength(), 31);
    QVERIFY(form.IP_Address->minimumWidth() >= 100);
    for (QLineEdit *edit : {form.IP_Address, form.Subnet_Mask, form.Gateway, form.Name, form.Location}) {
        QVERIFY(edit->text().isEmpty());
        QVERIFY(edit->isEnabled() && !edit->isReadOnly());
    }
    for (QLineEdit *edit : {form.Device_Type, form.Serial_Number, form.Mac_Address}) {
        QVERIFY(edit->isReadOnly());
        QCOMPARE(edit->palette().color(QPalette::Base), QColor(241, 241, 241));
        QVERIFY(edit->focusPolicy() & Qt::TabFocus);
    }
    QVERIFY(!form.OK->isDefault() && !form.Cancel->isDefault());

    // The longest MAC and address texts fit their fields once the form has its size.
    form.Mac_Address->setText(QStringLiteral("00:1A:2B:3C:4D:02"));
    form.Gateway->setText(QStringLiteral("255.255.255.255"));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    for (QLineEdit *edit : {form.Mac_Address, form.Gateway}) {
        const int textWidth = edit->fontMetrics().horizontalAdvance(edit->text());
        QVERIFY2(edit->contentsRect().width() > textWidth, qPrintable(edit->objectName()));
    }

    // Typing stops at the field's limit.
    QTest::keyClicks(form.Name, QStringLiteral("abcdefghijklmnop"));
    QCOMPARE(form.Name->text(), QStringLiteral("abcdefghijkl"));

    QSignalSpy rejected(&form, &QDialog::rejected);
    form.Cancel->click();
    QCOMPARE(rejected.size(), 1);
}

void tst_Forms::editFormTabOrder()
{
    Edit_Network_ConfigurationBase form;
    const QList<QWidget *> order = {form.DHCP, form.ResetIP, form.IP_Address, form.Subnet_Mask,
                                    form.Gateway, form.Name, form.Location, form.OK, form.Cancel,
                                    form.Device_Type, form.Serial_Number, form.Mac_Address};
    for (int i = 0; i + 1 < order.size(); ++i)
        QCOMPARE(nextTabStop(order[i]), order[i + 1]);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(QApplication::focusWidget(), form.DHCP);
}

void tst_Forms::editFormSlotWarnings()
{
    Edit_Network_ConfigurationBase form;
    QTest::ignoreMessage(QtWarningMsg, "Edit_Network_ConfigurationBase::OK_clicked(): Not implemented yet");
    form.OK->click();
    QTest::ignoreMessage(QtWarningMsg, "Edit_Network_ConfigurationBase::DHCP_clicked(): Not implemented yet");
    form.DHCP->click();
    QTest::ignoreMessage(QtWarningMsg, "Edit_Network_ConfigurationBase::ResetIP_clicked(): Not implemented yet");
    form.ResetIP->click();
    // The form's key handler replaces the dialog's: Escape does not close it.
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::ignoreMessage(QtWarningMsg, "Edit_Network_ConfigurationBase::keyPressEvent(QKeyEvent*): Not implemented yet");
    QTest::keyClick(&form, Qt::Key_Escape);
    QVERIFY(form.isVisible());
}

void tst_Forms::progressForm()
{
    QDir::setCurrent(qEnvironmentVariable("ZOL_BIN_DIR"));
    Device_Updating progress(nullptr, nullptr, false, DialogWindowFlags());
    QCOMPARE(progress.objectName(), QStringLiteral("Device_UpdatingBase"));
    QCOMPARE(progress.windowTitle(), QStringLiteral("Please Wait"));
    QCOMPARE(progress.textLabel1->text(), QStringLiteral("textLabel1"));
    QVERIFY(progress.width() >= 505 && progress.height() >= 172);
    QVERIFY(progress.progressBar1->minimumHeight() >= 100);
    QCOMPARE(progress.textLabel1->font().pointSize(), 12);
    QVERIFY(progress.isSizeGripEnabled());
    QVERIFY(!progress.windowIcon().isNull()); // QOB.bmp lies next to the program

    progress.setMessage(QStringLiteral("Device Updating..."));
    QCOMPARE(progress.textLabel1->text(), QStringLiteral("Device Updating..."));
    progress.setProgress(0);
    QCOMPARE(progress.progressBar1->value(), 0);
    progress.setProgress(100);
    QCOMPARE(progress.progressBar1->value(), progress.progressBar1->maximum());

    // Without the icon file the dialog still works, with no icon.
    QDir::setCurrent(QDir::tempPath());
    Device_Updating bare;
    QVERIFY(bare.windowIcon().isNull());
}

void tst_Forms::aboutBox()
{
    aboutboxform about(nullptr, nullptr, false, DialogWindowFlags());
    QCOMPARE(about.objectName(), QStringLiteral("aboutboxformBase"));
    QCOMPARE(about.windowTitle(), QStringLiteral("About ZOL Client"));
    QCOMPARE(about.versionLabel->text(), QStringLiteral("Version 1.04.04"));
    QCOMPARE(about.buttonOk->text(), QStringLiteral("&OK"));
    QVERIFY(about.buttonOk->isDefault());
    QVERIFY(!about.isSizeGripEnabled());
    QVERIFY(about.width() >= 395 && about.height() >= 359);
    QVERIFY(about.pixmapLabel2->hasScaledContents());
    QCOMPARE(about.pixmapLabel2->pixmap().size(), QSize(337, 260));

    QSignalSpy accepted(&about, &QDialog::accepted);
    about.buttonOk->click();
    QCOMPARE(accepted.size(), 1);
}

void tst_Forms::iconsShareOnePicture()
{
    Zol_ClientMainWindowBase window;
    Edit_Network_ConfigurationBase edit;
    aboutboxform about;
    const QImage icon = window.windowIcon().pixmap(16, 16).toImage();
    QCOMPARE(icon.size(), QSize(16, 16));
    QCOMPARE(edit.windowIcon().pixmap(16, 16).toImage(), icon);
    QCOMPARE(about.windowIcon().pixmap(16, 16).toImage(), icon);
}

QTEST_MAIN(tst_Forms)
#include "tst_forms.moc"
