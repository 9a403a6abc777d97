#include "mainwindow/mainwindow.h"

#include "forms/aboutboxform.h"
#include "forms/windowflags.h"
#include "layout/columnlayoutrecord.h"
#include "mainwindow/rowcopy.h"
#include "net/messages.h"
#include "net/sender.h"
#include "ui/appshell.h"

#include <QPushButton>
#include <QTreeWidget>

Zol_ClientMainWindow::Zol_ClientMainWindow(QWidget *parent, const char *name, Qt::WindowFlags fl)
    : Zol_ClientMainWindowBase(parent, name, fl)
    , Receiver(this)
    , EditDialog(this, nullptr, false, DialogWindowFlags())
    , m_devices(MainList, &Receiver)
{
    QuerySequence = 0;
    ColumnLayout = std::make_unique<char[]>(ColumnLayoutRecord::RecordSize);
    LayoutLoaded = false;
    loadColumnLayout();
    // Emitted on the receiver's thread; the box opens on this one.
    connect(&Receiver, &ReceiveThread::bindFailed, this, [] {
        ShowMessage(QStringLiteral("The response socket is unavailable to bind."));
    });
    if (!Receiver.isRunning())
        Receiver.start();
    connect(&ModifyTimer, &QTimer::timeout, this, &Zol_ClientMainWindow::ModifyTimeOut);
    Edit->setEnabled(false);
    WriteAnswered = true;
    Find_All_clicked();
    ModifyFailed = false;

    // Ctrl+C and the list's context menu put rows on the clipboard.
    new RowCopy(MainList);
}

Zol_ClientMainWindow::~Zol_ClientMainWindow()
{
    qDebug("::~Zol_ClientMainWindow");
    saveColumnLayout();
    // The members go in reverse order: the edit dialog, the file, the timer,
    // and last the receiver, whose destructor stops its thread.
}

void Zol_ClientMainWindow::About()
{
    aboutboxform about(this, nullptr, false, DialogWindowFlags());
    about.exec();
}

void Zol_ClientMainWindow::MainList_selectionChanged(QTreeWidgetItem *item)
{
    Edit->setEnabled(item != nullptr);
}

void Zol_ClientMainWindow::MainList_returnPressed(QTreeWidgetItem *item)
{
    MainList_doubleClicked(item);
}

void Zol_ClientMainWindow::Edit_clicked()
{
    const QList<QTreeWidgetItem *> selected = MainList->selectedItems();
    if (!selected.isEmpty())
        MainList_doubleClicked(selected.first());
}

void Zol_ClientMainWindow::Exit_clicked()
{
    close();
}

void Zol_ClientMainWindow::languageChange()
{
    Zol_ClientMainWindowBase::languageChange();
    setWindowTitle(tr("ZOL Client"));
    // Rows keep the texts of the old language; the next answer of each
    // device must be read again, not recognised as unchanged.
    m_devices.forgetAnswers();
}
