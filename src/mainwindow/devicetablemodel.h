// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "mainwindow/addressconflicts.h"
#include "net/devicecolumns.h"

#include <QAbstractTableModel>
#include <QElapsedTimer>
#include <QHash>
#include <QSet>
#include <QStringMatcher>
#include <QTimer>

#include <array>
#include <initializer_list>
#include <utility>
#include <vector>

// The devices of the main window's list, one per MAC address: a flat vector
// in arrival order with an index by MAC, filled from read responses. The
// rows are shown sorted by one column (equal texts in arrival order) and,
// while a filter text is set, only those with it in a column; the order of
// the rows shown is kept up to date device by device. Texts are kept as
// received: the device type and the DHCP words are translated as they are
// shown, so a language switch reaches every row at once.
class DeviceTableModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DeviceTableModel)

public:
    // The most devices listed between two discoveries. Answers from further
    // MAC addresses are ignored until the next clear(), so that a flood of
    // made-up addresses cannot grow the list without end. Far above the
    // devices of any real network, and above the largest bursts the
    // benchmarks measure (50,000 devices).
    static constexpr int MaxRows = 100000;

    explicit DeviceTableModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant &value,
                       int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // A read response's text: a new device gets a row, a known one its new
    // texts; anything else is ignored.
    void takeReadResponse(const QString &text);
    // Sets texts of a device's row from elsewhere than its answers (a write
    // it accepted); its next answer is then read in full. Unknown: nothing.
    void setRowTexts(const QString &mac, std::initializer_list<std::pair<int, QString>> texts);
    // Empties the list; the filter stays.
    void clear();
    // Shows only the devices with this text in a column as shown (any case);
    // an empty text shows them all.
    void setFilterText(const QString &text);
    QString filterText() const { return m_filter; }
    // The translations changed: shown texts, order and filter follow.
    void retranslate();

    // The shown row (column 0) of the device with exactly this MAC text;
    // invalid when it is not listed or the filter hides it.
    QModelIndex findRow(const QString &mac) const;
    // Devices listed, shown or not.
    int deviceCount() const { return int(m_sorted.size()); }
    // Every device listed, shown or not, in the list's order, its texts as
    // received (none translated).
    QList<std::array<QString, DeviceColumnCount>> listedDevices();
    // A device by its number (0 for the first to answer since the list was
    // last emptied, and so on), shown or not: its texts as received, and one
    // of them as shown.
    const std::array<QString, DeviceColumnCount> &receivedTexts(int device) const
    {
        return m_devices[std::size_t(device)].texts;
    }
    QString shownText(int device, int column) const { return shownText(m_devices[std::size_t(device)], column); }
    // The columns whose texts are shown translated, the device type and the
    // DHCP words: a few texts, each mostly held in one copy that the devices
    // showing it share.
    static bool isTranslated(int column) { return column == DeviceColumn::Type || column == DeviceColumn::Dhcp; }

signals:
    // The devices listed or shown became more or fewer.
    void countsChanged();
    // The texts shown of devices first to last (by number) are new or
    // changed, whether the filter shows them or not: new devices as views
    // hear of them, in batches.
    void textsChanged(int first, int last);

private:
    struct Device
    {
        std::array<QString, DeviceColumnCount> texts;
        // The answer the texts were last taken from; empty once something
        // else (a write answer) changed them.
        QString answer;
    };

    const std::vector<int> &shown() const { return m_filter.isEmpty() ? m_sorted : m_filtered; }
    QString shownText(const Device &device, int column) const;
    QString translated(const QString &text) const;
    bool isBefore(int a, int b) const;
    bool matches(const Device &device) const;
    // Whether the filter text is in this text, any case.
    bool contains(QStringView text) const;
    // Row of a device among those shown, or -1.
    int rowOf(int device) const;
    // Puts devices, sorted, in their places in an order, telling views if asked.
    void place(std::vector<int> &order, const std::vector<int> &devices, bool announce);
    // Places the devices views have not heard of yet, now or when due.
    void placeNew();
    void placeNewWhenDue();
    // Tells views that the marks of addresses may have changed.
    void announceMarks();
    // Changes the order of the rows shown or which they are, in one step for
    // views.
    template <typename Change>
    void changeLayout(Change &&change);
    // The candidates, in their order, that the filter lets through.
    void filter(std::vector<int> candidates);
    void updateTexts(int device, Device changed);

    std::vector<Device> m_devices;
    QHash<QString, int> m_byMac;
    // Every device, sorted; and while a filter is set, those it lets through.
    std::vector<int> m_sorted;
    std::vector<int> m_filtered;
    // New devices that views have not heard of yet. Views lay out all their
    // rows whenever rows are added, so during a burst they hear of new ones
    // in batches, the longer the list the fewer, and of the last ones as
    // soon as the answers pause; a short list shows each device the moment
    // it answers.
    std::vector<int> m_new;
    QElapsedTimer m_sincePlaced;
    QElapsedTimer m_sinceNew;
    QTimer m_placeNew;
    int m_sortColumn = 0;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    QString m_filter;
    QStringMatcher m_filterMatcher;
    bool m_asciiFilter = false;
    QString m_asciiFilterLower;
    std::array<QString, DeviceColumnCount> m_titles;
    // Rows of one device type share one copy of its text: less memory, and
    // sorting tells equal types apart without comparing them.
    QSet<QString> m_types;
    mutable QHash<QString, QString> m_translations;
    // Whether the filter is in a translated text (bounded by the texts kept).
    mutable QHash<QString, bool> m_translatedMatches;
    // Said once per discovery when the list is full.
    bool m_full = false;

    // Marks addresses that several devices show. A device's address change
    // may mark or unmark others: their cells are told at most every 50 ms
    // during a burst, or with the new rows when those come first.
    AddressConflicts m_conflicts;
    QTimer m_marksChanged;
};
