// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "mainwindow/addressconflicts.h"
#include "net/devicetexts.h"

#include <QAbstractTableModel>
#include <QElapsedTimer>
#include <QHash>
#include <QSet>
#include <QTimer>

#include <initializer_list>
#include <utility>
#include <vector>

// The devices of the main window's list, one per MAC address: a vector in
// arrival order with an index by MAC. The rows shown are an order of device
// numbers, sorted by one column (equal texts in arrival order) and, while a
// filter text is set, only those with it in a column. The device type and
// DHCP words are kept as received and translated when shown, so a language
// switch reaches every row at once.
class DeviceTableModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DeviceTableModel)

public:
    // Further MAC addresses are ignored until the next clear(), so that a
    // flood of made-up ones cannot grow the list without end.
    static constexpr int MaxRows = 100000;

    explicit DeviceTableModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // The column titles, in the language of the moment.
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // A new device gets a row, a known one its new texts; anything else is ignored.
    void takeReadResponse(const QString &text);
    // Texts a device took from a write; its next answer is then read in full.
    void setRowTexts(const QString &mac, std::initializer_list<std::pair<int, QString>> texts);
    // Empties the list; the filter stays.
    void clear();
    // Shows only the devices with this text in a column as shown (any case).
    void setFilterText(const QString &text);
    QString filterText() const { return m_filter; }
    void retranslate();

    // Column 0 of the row showing exactly this MAC; invalid when none does.
    QModelIndex findRow(const QString &mac) const;
    // Devices listed, shown or not.
    int deviceCount() const { return int(m_sorted.size()); }
    // Every device listed, in the list's order, its texts as received.
    QList<DeviceTexts> listedDevices();
    // A device by number (in arrival order since clear()), shown or not.
    const DeviceTexts &receivedTexts(int device) const { return m_devices[std::size_t(device)].texts; }
    QString shownText(int device, int column) const { return shownText(m_devices[std::size_t(device)], column); }
    static bool isTranslated(int column) { return column == DeviceColumn::Type || column == DeviceColumn::Dhcp; }

signals:
    // The devices listed or shown became more or fewer.
    void countsChanged();
    // Devices first to last (by number) show new texts, whether the filter
    // shows them or not; new devices when views hear of them.
    void textsChanged(int first, int last);

private:
    struct Device
    {
        DeviceTexts texts;
        // The answer the texts come from; empty once a write changed them.
        QString answer;
    };

    const std::vector<int> &shown() const { return m_filter.isEmpty() ? m_sorted : m_filtered; }
    QString shownText(const Device &device, int column) const;
    QString translated(const QString &text) const;
    bool isBefore(int a, int b) const;
    bool matches(const Device &device) const;
    bool contains(QStringView text) const;
    // Row of a device among those shown, or -1.
    int rowOf(int device) const;
    // Puts sorted devices in their places in an order, telling views if asked.
    void place(std::vector<int> &order, const std::vector<int> &devices, bool announce);
    void placeNew();
    void placeNewWhenDue();
    void announceMarks();
    // Reorders or refilters the rows shown, the rows views hold following
    // their devices.
    template <typename Change>
    void changeLayout(Change &&change);
    // Picks the devices shown from those sorted.
    void filter();
    void updateTexts(int device, Device changed);

    std::vector<Device> m_devices;
    QHash<QString, int> m_byMac;
    // Every device, sorted; and while filtering, those shown.
    std::vector<int> m_sorted;
    std::vector<int> m_filtered;
    // Devices views have not heard of yet. A view lays out all its rows on
    // every insertion, so during a burst they hear of new devices in batches,
    // the longer the list the fewer.
    std::vector<int> m_new;
    QElapsedTimer m_sincePlaced;
    QElapsedTimer m_sinceNew;
    QTimer m_placeNew;
    int m_sortColumn = 0;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    QString m_filter;
    // The filter in lower case when it is all ASCII, else empty.
    QString m_asciiFilter;
    // One copy of each device type, which its devices share: less memory,
    // and equal types sort without being compared.
    QSet<QString> m_types;
    mutable QHash<QString, QString> m_translations;
    bool m_full = false;
    AddressConflicts m_conflicts;
    // A new device's address can mark others': views hear of it with the
    // new rows.
    bool m_marksChanged = false;
};
