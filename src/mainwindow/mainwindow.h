#pragma once

#include "forms/mainwindowbase.h"
#include "editdialog/editnetworkconfiguration.h"
#include "mainwindow/devicelist.h"
#include "net/receivethread.h"

#include <QFile>
#include <QTimer>

#include <memory>

class ResponseHoldBack;

// The program's main window: owns the receiver, the device list's rows, the
// edit dialog, the modify timer and the column layout file, and gives the
// form's slots their behaviour.
class Zol_ClientMainWindow final : public Zol_ClientMainWindowBase
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Zol_ClientMainWindow)

public:
    explicit Zol_ClientMainWindow(QWidget *parent = nullptr, const char *name = nullptr,
                                  Qt::WindowFlags fl = Qt::Window);
    ~Zol_ClientMainWindow() override;

    // Row of the device with exactly this MAC text, or nullptr.
    QTreeWidgetItem *findDeviceRow(const QString &mac) const { return m_devices.findRow(mac); }

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
    void MainList_selectionChanged(QTreeWidgetItem *item) override;
    void MainList_returnPressed(QTreeWidgetItem *item) override;
    void MainList_doubleClicked(QTreeWidgetItem *item) override;
    void Find_All_clicked() override;
    void English() override;
    void Chinese() override;
    void Edit_clicked() override;
    void Exit_clicked() override;

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

    DeviceList m_devices;
    // Keeps device answers waiting while the modify flow runs (made on first use).
    ResponseHoldBack *m_responseHoldBack = nullptr;
};
