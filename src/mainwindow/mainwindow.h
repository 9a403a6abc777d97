#pragma once

#include "forms/mainwindowbase.h"
#include "editdialog/editnetworkconfiguration.h"
#include "mainwindow/textwidthbound.h"
#include "net/receivethread.h"

#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QTimer>

#include <memory>
#include <vector>

class DeviceListDelegate;
class ResponseHoldBack;

// The program's main window: owns the receiver, the edit dialog, the modify
// timer and the column layout file, and gives the form's slots their behaviour.
class Zol_ClientMainWindow final : public Zol_ClientMainWindowBase
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Zol_ClientMainWindow)

public:
    explicit Zol_ClientMainWindow(QWidget *parent = nullptr, const char *name = nullptr,
                                  Qt::WindowFlags fl = Qt::Window);
    ~Zol_ClientMainWindow() override;

    // Row of the device with exactly this MAC text, or nullptr.
    QTreeWidgetItem *findDeviceRow(const QString &mac) const;

    // The most devices the table lists between two discoveries. Answers from
    // further MAC addresses are ignored until the next Find All, so that a
    // flood of made-up addresses cannot grow the table without end. Far above
    // the devices of any real network, and above the largest bursts the
    // benchmarks measure (50,000 devices).
    static constexpr int MaxDeviceRows = 100000;

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

    // The device list's columns.
    enum Column {
        DeviceTypeColumn,
        SerialColumn,
        MacColumn,
        IpColumn,
        MaskColumn,
        GatewayColumn,
        DhcpColumn,
        NameColumn,
        LocationColumn,
    };

    void handleReadResponse(const QString &text);
    void handleWriteResponse(const QString &text);
    void clearDeviceRows();
    // New rows wait outside the list while more answers are queued.
    void joinWaitingRowsWhenDue();
    void addWaitingRows();
    // The columns widen to their widest text as rows change; never shrink.
    // Only the columns in the mask (bit per column) are looked at.
    void widenColumnsFor(const QTreeWidgetItem *row, unsigned columns);
    int textWidth(int column, const QString &text);
    QString sharedDeviceType(const QString &type);
    // Room a cell needs beside its text.
    int cellTextMargin();

    void centreOverWindow(QWidget *dialog) const;

    struct DeviceRow
    {
        QTreeWidgetItem *item = nullptr;
        // The answer the row's texts were last taken from; empty once
        // something else (a write answer, a language switch) changed them.
        QString answer;
    };
    QHash<QString, DeviceRow> m_rowsByMac;
    // Measured text widths in the list's font, per column: a burst repeats
    // the same masks, gateways and DHCP states thousands of times.
    QHash<QString, int> m_textWidths[ColumnCount];
    QFont m_textWidthFont;
    TextWidthBound m_widthBound;
    QSet<QString> m_deviceTypes;
    struct
    {
        int value = -1;
        const QStyle *style = nullptr;
        int dpi = 0;
        QFont font;
    } m_cellMargin;
    // New rows of a burst, in arrival order, not yet in the list: the list
    // sorts all its rows again whenever rows join it, so during a burst they
    // join in groups, a few times a second.
    std::vector<std::unique_ptr<QTreeWidgetItem>> m_waitingRows;
    QElapsedTimer m_waitingSince;
    int m_answersInHand = 0;
    qint64 m_lastJoinCostMs = 0;
    QTimer m_joinTimer;
    static constexpr qint64 MinJoinIntervalMs = 40;
    static constexpr qint64 MaxJoinIntervalMs = 1000;
    static constexpr qint64 CheapJoinMs = 10;
    static constexpr int CostlyJoinRows = 2000;
    static constexpr qint64 QuietMs = 10;
    bool m_joinWhenQuiet = false;
    // Said once per discovery when the table is full.
    bool m_deviceListFull = false;
    // Keeps device answers waiting while the modify flow runs (made on first use).
    ResponseHoldBack *m_responseHoldBack = nullptr;
    // Marks addresses that several devices show; the list's tool tips.
    DeviceListDelegate *m_deviceListDelegate = nullptr;
};
