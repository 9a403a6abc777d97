#pragma once

#include "layout/columnlayoutrecord.h"
#include "mainwindow/textwidthbound.h"
#include "net/devicecolumns.h"

#include <QElapsedTimer>
#include <QFont>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

QT_BEGIN_NAMESPACE
class QStyle;
class QTreeWidget;
class QTreeWidgetItem;
QT_END_NAMESPACE

class DeviceListDelegate;
class ReceiveThread;

// The rows of the main window's device list: one per MAC address, found
// through an index, filled from read responses. New rows of a burst wait
// outside the list and join it in groups, and the columns widen to their
// texts, with the widths of repeated texts remembered.
//
// Where rows change: a row is made in takeReadResponse() and joins the list in
// addWaitingRows(); its texts change in takeReadResponse() and setRowTexts()
// (which also tell the delegate of a new address); clear() empties it all.
class DeviceList final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DeviceList)

public:
    enum Column {
        DeviceTypeColumn = DeviceColumn::Type,
        SerialColumn = DeviceColumn::Serial,
        MacColumn = DeviceColumn::Mac,
        IpColumn = DeviceColumn::Ip,
        MaskColumn = DeviceColumn::Mask,
        GatewayColumn = DeviceColumn::Gateway,
        DhcpColumn = DeviceColumn::Dhcp,
        NameColumn = DeviceColumn::Name,
        LocationColumn = DeviceColumn::Location,
    };

    // The most devices the list holds between two discoveries. Answers from
    // further MAC addresses are ignored until the next clear(), so that a
    // flood of made-up addresses cannot grow the list without end. Far above
    // the devices of any real network, and above the largest bursts the
    // benchmarks measure (50,000 devices).
    static constexpr int MaxRows = 100000;

    // receiver tells whether more answers wait in the kernel's queue.
    DeviceList(QTreeWidget *list, const ReceiveThread *receiver);
    ~DeviceList() override;

    // Brackets the handling of one answer event. Answers in hand are alive
    // but no longer queued; when the last is through, waiting rows join the
    // list if it is time.
    void beginAnswer();
    void endAnswer();

    // A read response's text: a new device gets a row, a known one its new
    // texts; anything else is ignored.
    void takeReadResponse(const QString &text);

    // Sets texts of the device's row from elsewhere than its answers (a write
    // it accepted); its next answer is then read in full. No such row: nothing.
    void setRowTexts(const QString &mac, std::initializer_list<std::pair<Column, QString>> texts);

    // Rows keep their texts, but the next answer of each device is read
    // again rather than recognised as unchanged (the language changed).
    void forgetAnswers();

    // Empties the list, its index and the waiting rows.
    void clear();

    // Row of the device with exactly this MAC text, or nullptr.
    QTreeWidgetItem *findRow(const QString &mac) const;

private:
    void joinWaitingRowsWhenDue();
    void addWaitingRows();
    // The columns widen to their widest text as rows change; never shrink.
    // Only the columns in the mask (bit per column) are looked at.
    void widenColumnsFor(const QTreeWidgetItem *row, unsigned columns);
    int textWidth(int column, const QString &text);
    QString sharedDeviceType(const QString &type);
    // Room a cell needs beside its text.
    int cellTextMargin();

    QTreeWidget *const m_list;
    const ReceiveThread *const m_receiver;
    // Marks addresses that several devices show; gives cut-short texts' tips.
    DeviceListDelegate *const m_delegate;

    struct Row
    {
        QTreeWidgetItem *item = nullptr;
        // The answer the row's texts were last taken from; empty once
        // something else (a write answer, a language switch) changed them.
        QString answer;
    };
    QHash<QString, Row> m_rowsByMac;
    QSet<QString> m_deviceTypes;
    // Said once per discovery when the list is full.
    bool m_full = false;

    // New rows of a burst, in arrival order, not yet in the list: the list
    // sorts all its rows again whenever rows join it, so during a burst they
    // join in groups, a few times a second.
    std::vector<std::unique_ptr<QTreeWidgetItem>> m_waitingRows;
    QElapsedTimer m_waitingSince;
    int m_answersInHand = 0;
    qint64 m_lastJoinCostMs = 0;
    QTimer m_joinTimer;
    bool m_joinWhenQuiet = false;
    static constexpr qint64 MinJoinIntervalMs = 40;
    static constexpr qint64 MaxJoinIntervalMs = 1000;
    static constexpr qint64 CheapJoinMs = 10;
    static constexpr int CostlyJoinRows = 2000;
    static constexpr qint64 QuietMs = 10;

    // Measured text widths in the list's font, per column: a burst repeats
    // the same masks, gateways and DHCP states thousands of times.
    QHash<QString, int> m_textWidths[ColumnLayoutRecord::ColumnCount];
    QFont m_textWidthFont;
    TextWidthBound m_widthBound;
    struct
    {
        int value = -1;
        const QStyle *style = nullptr;
        int dpi = 0;
        QFont font;
    } m_cellMargin;
};
