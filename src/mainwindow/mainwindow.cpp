// SPDX-License-Identifier: Apache-2.0
#include "mainwindow/mainwindow.h"

#include "forms/aboutboxform.h"
#include "forms/windowflags.h"
#include "layout/columnlayoutrecord.h"
#include "mainwindow/columnwidener.h"
#include "mainwindow/devicelistdelegate.h"
#include "mainwindow/devicetablemodel.h"
#include "mainwindow/findbar.h"
#include "mainwindow/rowcopy.h"
#include "net/messages.h"
#include "net/sender.h"
#include "ui/appshell.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeView>
#include <QVBoxLayout>

Zol_ClientMainWindow::Zol_ClientMainWindow(QWidget *parent, const char *name, Qt::WindowFlags fl)
    : Zol_ClientMainWindowBase(parent, name, fl)
    , Receiver(this)
    , EditDialog(this, nullptr, false, DialogWindowFlags())
    , m_devices(static_cast<DeviceTableModel *>(MainList->model()))
    // Ctrl+C and the list's context menu put rows on the clipboard.
    , m_rowCopy(new RowCopy(MainList))
    , m_findBar(new FindBar(m_devices, MainList, centralWidget()))
    , m_deviceCount(new QLabel(this))
{
    // Cut-short texts' tips; columns as wide as the widest text listed.
    new DeviceListDelegate(MainList);
    new ColumnWidener(MainList, m_devices);
    layout36->insertWidget(1, m_findBar);
    statusBar()->addPermanentWidget(m_deviceCount);
    connect(m_devices, &DeviceTableModel::countsChanged, this, &Zol_ClientMainWindow::updateCounts);
    connect(MFind, &QAction::triggered, m_findBar, &FindBar::open);
    MainList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(MainList, &QWidget::customContextMenuRequested, this, &Zol_ClientMainWindow::showListMenu);

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

QModelIndex Zol_ClientMainWindow::findDeviceRow(const QString &mac) const
{
    return m_devices->findRow(mac);
}

void Zol_ClientMainWindow::MainList_selectionChanged(const QModelIndex &row)
{
    Edit->setEnabled(row.isValid());
}

void Zol_ClientMainWindow::MainList_returnPressed(const QModelIndex &row)
{
    MainList_doubleClicked(row);
}

void Zol_ClientMainWindow::Edit_clicked()
{
    const QModelIndexList selected = MainList->selectionModel()->selectedRows();
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
    m_devices->retranslate();
    updateCounts();
}

void Zol_ClientMainWindow::updateCounts()
{
    const int listed = m_devices->deviceCount();
    m_deviceCount->setText(listed == 1 ? tr("1 device") : tr("%1 devices").arg(listed));
    MAssignAddresses->setEnabled(listed > 0);
    MExportList->setEnabled(listed > 0);
}

void Zol_ClientMainWindow::showListMenu(const QPoint &position)
{
    // Made when first asked for, not while the window starts.
    if (!m_listMenu) {
        m_listMenu = new QMenu(MainList);
        m_listMenu->addActions(m_rowCopy->actions(false));
        m_listMenu->addSeparator();
        m_listMenu->addAction(MFind);
        m_listMenu->addSeparator();
        m_listMenu->addActions({MAssignAddresses, MApplyPlan, MExportList});
    }
    // Texts and states as of now.
    m_rowCopy->actions(!m_devices->filterText().isEmpty());
    m_listMenu->popup(MainList->viewport()->mapToGlobal(position));
}
