// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "mainwindow/addressconflicts.h"
#include "net/devicetexts.h"

#include <QAbstractTableModel>
#include <QElapsedTimer>
#include <QHash>
#include <QTimer>

#include <initializer_list>
#include <utility>
#include <vector>

// The devices of the main window's list, one per MAC address, in arrival
// order; the rows shown are device numbers sorted by one column (ties in
// arrival order), while a filter is set only those with its text in a column.
// Type and DHCP words are translated when shown: a language switch reaches all.
class DeviceTableModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DeviceTableModel)

public:
    // Further MAC addresses are ignored until the next clear(): a flood of
    // made-up ones cannot grow the list without end.
    static constexpr int MaxRows = 100000;

    explicit DeviceTableModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // Anything but a read response is ignored.
    void takeReadResponse(const QString &text);
    // Texts a device took from a write; its next answer is read in full.
    void setRowTexts(const QString &mac, std::initializer_list<std::pair<int, QString>> texts);
    // Empties the list; the filter stays.
    void clear();
    // Shows the devices with this text in a column as shown, in any case.
    void setFilterText(const QString &text);
    QString filterText() const { return m_filter; }
    void retranslate();

    // Invalid when no row shows exactly this MAC.
    QModelIndex findRow(const QString &mac) const;
    // Devices listed, shown or not.
    int deviceCount() const { return int(m_sorted.size()); }
    // In the list's order, texts as received.
    QList<DeviceTexts> listedDevices();
    // By number in arrival order since clear(), shown or not.
    const DeviceTexts &receivedTexts(int device) const { return m_devices[std::size_t(device)].texts; }
    QString shownText(int device, int column) const;
    static bool isTranslated(int column) { return column == DeviceColumn::Type || column == DeviceColumn::Dhcp; }
    static QString translatedWord(const QString &text);

signals:
    void countsChanged();
    // Devices first to last (by number) show new texts, whether the filter
    // shows them or not; new ones once views hear of them.
    void textsChanged(int first, int last);

private:
    struct Device
    {
        DeviceTexts texts;
        // The answer they come from; empty once a write changed them.
        QString answer;
    };

    const std::vector<int> &shown() const { return m_filter.isEmpty() ? m_sorted : m_filtered; }
    QString translated(const QString &text) const;
    bool isBefore(int a, int b) const;
    bool matches(const Device &device) const;
    bool contains(QStringView text) const;
    // Invalid when not shown.
    QModelIndex indexOf(int device, int column = 0) const;
    // Puts sorted devices in their places in an order, telling views if asked.
    void place(std::vector<int> &order, const std::vector<int> &devices, bool announce);
    void placeNew();
    void placeNewWhenDue();
    void announceMarks();
    // Reorders or refilters the rows, those views hold following their devices.
    template <typename Change>
    void changeLayout(Change &&change);
    void filter();
    void updateTexts(int device, Device changed);

    std::vector<Device> m_devices;
    QHash<QString, int> m_byMac;
    std::vector<int> m_sorted;
    std::vector<int> m_filtered;
    QElapsedTimer m_sincePlaced;
    QElapsedTimer m_sinceNew;
    QTimer m_placeNew;
    int m_sortColumn = 0;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    QString m_filter;
    // In lower case when all ASCII, else empty.
    QString m_asciiFilter;
    mutable QHash<QString, QString> m_translations; // as many as the devices, emptied with them
    bool m_full = false;
    AddressConflicts m_conflicts;
    // Marks changed by new devices, told with their rows.
    bool m_marksChanged = false;
};
