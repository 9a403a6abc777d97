// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "forms/mainwindowbase.h"
#include "editdialog/editnetworkconfiguration.h"
#include "net/receivethread.h"

#include <QFile>
#include <QModelIndex>
#include <QPointer>
#include <QTimer>

#include <memory>

QT_BEGIN_NAMESPACE
class QLabel;
class QMenu;
QT_END_NAMESPACE

class CommissioningDialog;
class DeviceTableModel;
class FindBar;
class ResponseHoldBack;
class RowCopy;

// The program's main window: owns the receiver, the edit dialog, the modify
// timer and the column layout file, fills the device list and gives the
// form's slots their behaviour.
class Zol_ClientMainWindow final : public Zol_ClientMainWindowBase
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Zol_ClientMainWindow)

public:
    explicit Zol_ClientMainWindow(QWidget *parent = nullptr, const char *name = nullptr,
                                  Qt::WindowFlags fl = Qt::Window);
    ~Zol_ClientMainWindow() override;

    // Row of the device with exactly this MAC text; invalid when it is not
    // listed or the find bar's filter hides it.
    QModelIndex findDeviceRow(const QString &mac) const;

    // Writes the list in zolctl find's CSV format, beside the file and then
    // renamed over it; tells the user and returns false when it can't.
    bool exportListTo(const QString &fileName);
    // Opens Apply Plan with the plan in the file; tells the user why and
    // returns false when it can't be read.
    bool applyPlanFrom(const QString &fileName);

    // Members shared with the response handling and the modify flow.
    ReceiveThread Receiver;
    bool ModifyInProgress = false;
    QTimer ModifyTimer;
    QFile ConfigFile;
    Edit_Network_Configuration EditDialog;
    std::unique_ptr<char[]> ColumnLayout;
    bool LayoutLoaded = false;
    bool ModifyFailed = false;

public slots:
    void ModifyTimeOut();
    void About() override;
    void MenuInit(bool useStored);
    void Detect() override;
    void MainList_selectionChanged(const QModelIndex &row) override;
    void MainList_returnPressed(const QModelIndex &row) override;
    void MainList_doubleClicked(const QModelIndex &row) override;
    void Find_All_clicked() override;
    void English() override;
    void Chinese() override;
    void Edit_clicked() override;
    void Exit_clicked() override;
    void AssignAddresses() override;
    void ApplyPlan() override;
    void ExportList() override;

protected:
    void customEvent(QEvent *event) override;

protected slots:
    void languageChange() override;

private:
    // Column layout file (load in the constructor, save in the destructor).
    void loadColumnLayout();
    void saveColumnLayout();
    // Loads "qrt_" + code from "." into the translator and installs it again.
    void loadLanguage(const QString &code);
    // The menu's choice of "en" or "c": loaded unless already shown, and checked.
    void chooseLanguage(const QString &code);

    void handleWriteResponse(const QString &text);

    void centreOverWindow(QWidget *dialog) const;
    // The list's context menu, made in this one place.
    void showListMenu(const QPoint &position);
    void updateCounts();
    void openCommissioning(CommissioningDialog *dialog);
    // A file to read (or to write, suggested "devices.csv") from a file
    // dialog that opens where the last one was left; empty when cancelled.
    QString chooseFile(bool saving, const QString &title, const QString &filter);

    DeviceTableModel *const m_devices;
    RowCopy *const m_rowCopy;
    FindBar *const m_findBar;
    // The number of devices listed, always in sight in the status bar.
    QLabel *const m_deviceCount;
    QMenu *m_listMenu = nullptr;
    // Keeps device answers waiting while the modify flow runs (made on first use).
    ResponseHoldBack *m_responseHoldBack = nullptr;
    // The commissioning dialog while it is open: its run takes its devices'
    // answers.
    QPointer<CommissioningDialog> m_commissioning;
    // Where the file dialogs open, for this session.
    QString m_lastFolder;
};
