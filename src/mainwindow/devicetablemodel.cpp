// SPDX-License-Identifier: Apache-2.0
#include "mainwindow/devicetablemodel.h"

#include "net/messages.h"

#include <QBrush>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPalette>

#include <algorithm>
#include <numeric>

#ifdef __GLIBC__
#include <malloc.h>
#endif

DeviceTableModel::DeviceTableModel(QObject *parent)
    : QAbstractTableModel(parent)
{
    m_placeNew.setSingleShot(true);
    connect(&m_placeNew, &QTimer::timeout, this, &DeviceTableModel::placeNewWhenDue);
}

int DeviceTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(shown().size());
}

int DeviceTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : DeviceColumnCount;
}

QVariant DeviceTableModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return QVariant();
    const int number = shown()[index.row()];
    if (role == Qt::DisplayRole)
        return shownText(number, index.column());
    // Worked out when asked: a change in a large group costs its members nothing.
    const Device &device = m_devices[std::size_t(number)];
    const QString &address = device.texts[DeviceColumn::Ip];
    if (index.column() != DeviceColumn::Ip || !m_conflicts.isShared(address))
        return QVariant();
    if (role == Qt::BackgroundRole)
        return QBrush(AddressConflicts::background(QGuiApplication::palette()));
    if (role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole)
        return m_conflicts.tip(address, device.texts[DeviceColumn::Mac]);
    return QVariant();
}

QVariant DeviceTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < DeviceColumnCount)
        return QCoreApplication::translate("Zol_ClientMainWindowBase", DeviceColumnTitleSources()[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}

QString DeviceTableModel::shownText(int device, int column) const
{
    const QString &text = m_devices[std::size_t(device)].texts[column];
    return isTranslated(column) ? translated(text) : text;
}

QString DeviceTableModel::translated(const QString &text) const
{
    auto known = m_translations.constFind(text);
    if (known == m_translations.cend())
        known = m_translations.insert(text, translatedWord(text));
    return *known;
}

// The lookup takes UTF-8, so a Latin-1 text without a translation comes back
// unchanged; one with a zero character can't be looked up.
QString DeviceTableModel::translatedWord(const QString &text)
{
    const bool asIs = text.isEmpty() || text.contains(QChar(u'\0'));
    return asIs ? text : QCoreApplication::translate("Zol_ClientMainWindow", text.toUtf8().constData());
}

bool DeviceTableModel::isBefore(int a, int b) const
{
    const QString &x = m_devices[a].texts[m_sortColumn];
    const QString &y = m_devices[b].texts[m_sortColumn];
    // Equal texts, often the very same one, need no collation.
    int order = 0;
    if (x.size() != y.size() || (x.constData() != y.constData() && x != y))
        order = shownText(a, m_sortColumn).localeAwareCompare(shownText(b, m_sortColumn));
    if (order == 0)
        return a < b;
    return m_sortOrder == Qt::AscendingOrder ? order < 0 : order > 0;
}

bool DeviceTableModel::matches(const Device &device) const
{
    for (int column = 0; column < DeviceColumnCount; ++column) {
        if (isTranslated(column) ? contains(translated(device.texts[column])) : contains(device.texts[column]))
            return true;
    }
    return false;
}

bool DeviceTableModel::contains(QStringView text) const
{
    if (m_asciiFilter.isEmpty())
        return text.contains(m_filter, Qt::CaseInsensitive);
    // Received texts are Latin-1 and translations add no letters with cases:
    // ASCII's cases are enough, and many times faster than folding.
    const auto same = [](QChar c, QChar lower) {
        return (c.unicode() >= u'A' && c.unicode() <= u'Z' ? QChar(c.unicode() | 0x20) : c) == lower;
    };
    return std::search(text.begin(), text.end(), m_asciiFilter.begin(), m_asciiFilter.end(), same) != text.end();
}

QModelIndex DeviceTableModel::indexOf(int device, int column) const
{
    const std::vector<int> &order = shown();
    const auto at = std::lower_bound(order.begin(), order.end(), device, [this](int a, int b) { return isBefore(a, b); });
    return at != order.end() && *at == device ? index(int(at - order.begin()), column) : QModelIndex();
}

void DeviceTableModel::place(std::vector<int> &order, const std::vector<int> &devices, bool announce)
{
    std::size_t row = 0;
    for (auto first = devices.begin(); first != devices.end();) {
        // Those that go between the same two rows join in one step.
        row = std::upper_bound(order.begin() + row, order.end(), *first, [this](int a, int b) { return isBefore(a, b); })
            - order.begin();
        auto last = first + 1;
        while (last != devices.end() && (row == order.size() || isBefore(*last, order[row])))
            ++last;
        if (announce)
            beginInsertRows(QModelIndex(), int(row), int(row + (last - first)) - 1);
        order.insert(order.begin() + row, first, last);
        if (announce)
            endInsertRows();
        row += std::size_t(last - first);
        first = last;
    }
}

void DeviceTableModel::placeNew()
{
    // Devices after the last placed one wait: a view lays out all its rows on
    // each insertion, so in a burst it hears of new devices in batches.
    const int first = int(m_sorted.size());
    std::vector<int> fresh(m_devices.size() - m_sorted.size());
    if (fresh.empty())
        return;
    std::iota(fresh.begin(), fresh.end(), first);
    std::sort(fresh.begin(), fresh.end(), [this](int a, int b) { return isBefore(a, b); });
    place(m_sorted, fresh, m_filter.isEmpty());
    if (!m_filter.isEmpty()) {
        fresh.erase(std::remove_if(fresh.begin(), fresh.end(), [this](int device) { return !matches(m_devices[device]); }),
                    fresh.end());
        place(m_filtered, fresh, true);
    }
    m_sincePlaced.start();
    if (m_marksChanged)
        announceMarks();
    emit textsChanged(first, int(m_devices.size()) - 1);
    emit countsChanged();
}

void DeviceTableModel::placeNewWhenDue()
{
    // A short list at once; a longer one at most every 40 ms, or 100 ms per
    // 10,000 devices (a second at most), and as soon as answers pause 10 ms.
    const qint64 listed = qint64(m_sorted.size());
    const qint64 interval = listed < 100 ? 0 : qBound(qint64(40), listed / 100, qint64(1000));
    const qint64 waited = m_sincePlaced.isValid() ? m_sincePlaced.elapsed() : interval;
    const qint64 quiet = m_sinceNew.elapsed();
    if (waited >= interval || quiet >= 10)
        placeNew();
    else if (!m_placeNew.isActive())
        m_placeNew.start(int(qMin(interval - waited, 10 - quiet)));
}

void DeviceTableModel::announceMarks()
{
    m_marksChanged = false;
    if (rowCount() > 0)
        emit dataChanged(index(0, DeviceColumn::Ip), index(rowCount() - 1, DeviceColumn::Ip),
                         {Qt::BackgroundRole, Qt::ToolTipRole, Qt::AccessibleDescriptionRole});
}

template <typename Change>
void DeviceTableModel::changeLayout(Change &&change)
{
    placeNew();
    emit layoutAboutToBeChanged();
    const QModelIndexList before = persistentIndexList();
    std::vector<int> devices;
    for (const QModelIndex &index : before)
        devices.push_back(shown()[std::size_t(index.row())]);
    change();
    QModelIndexList after;
    for (qsizetype i = 0; i < before.size(); ++i)
        after.append(indexOf(devices[std::size_t(i)], before[i].column()));
    changePersistentIndexList(before, after);
    emit layoutChanged();
    emit countsChanged();
}

void DeviceTableModel::filter()
{
    m_filtered.clear();
    if (m_filter.isEmpty())
        return;
    // In arrival order, the order of their texts in memory: many times faster.
    std::vector<char> found(m_devices.size());
    for (std::size_t device = 0; device < m_devices.size(); ++device)
        found[device] = matches(m_devices[device]);
    std::copy_if(m_sorted.begin(), m_sorted.end(), std::back_inserter(m_filtered),
                 [&found](int device) { return found[std::size_t(device)]; });
}

void DeviceTableModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= DeviceColumnCount)
        return;
    changeLayout([&] {
        m_sortColumn = column;
        m_sortOrder = order;
        std::sort(m_sorted.begin(), m_sorted.end(), [this](int a, int b) { return isBefore(a, b); });
        filter();
    });
}

void DeviceTableModel::setFilterText(const QString &text)
{
    if (text == m_filter)
        return;
    changeLayout([&] {
        m_filter = text;
        const bool ascii = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
        m_asciiFilter = ascii ? text.toLower() : QString();
        filter();
    });
}

void DeviceTableModel::retranslate()
{
    m_translations.clear();
    sort(m_sortColumn, m_sortOrder);
    emit headerDataChanged(Qt::Horizontal, 0, DeviceColumnCount - 1);
    emit textsChanged(0, int(m_devices.size()) - 1);
}

QModelIndex DeviceTableModel::findRow(const QString &mac) const
{
    const auto known = m_byMac.constFind(mac);
    return known == m_byMac.cend() ? QModelIndex() : indexOf(*known);
}

void DeviceTableModel::takeReadResponse(const QString &text)
{
    // A device heard through two adapters, or asked again, mostly repeats itself.
    FieldReader reader(text);
    QStringView mac;
    for (int field = 0; field < 5; ++field)
        reader.nextFieldView(&mac);
    auto known = m_byMac.constFind(QString::fromRawData(mac.data(), mac.size()));
    if (known != m_byMac.cend() && m_devices[std::size_t(*known)].answer == text)
        return;
    ReadResponse response;
    if (!ParseReadResponse(text, &response))
        return;
    Device device{DeviceDisplayTexts(response), text};
    // Devices of one type share the copy of its text that translated() keeps:
    // less memory, and equal types sort without being compared.
    QString &type = device.texts[DeviceColumn::Type];
    translated(type);
    if (const auto shared = m_translations.constFind(type); shared != m_translations.cend())
        type = shared.key();

    if (known != m_byMac.cend()) {
        updateTexts(*known, std::move(device));
        return;
    }
    if (m_devices.size() >= std::size_t(MaxRows)) {
        if (!m_full)
            qWarning("Device list full (%d devices): further devices are ignored until the next Find All", MaxRows);
        m_full = true;
        return;
    }
    if (m_conflicts.move(device.texts[DeviceColumn::Mac], QString(), device.texts[DeviceColumn::Ip]))
        m_marksChanged = true;
    m_byMac.insert(device.texts[DeviceColumn::Mac], int(m_devices.size()));
    m_devices.push_back(std::move(device));
    m_sinceNew.start();
    placeNewWhenDue();
}

void DeviceTableModel::setRowTexts(const QString &mac, std::initializer_list<std::pair<int, QString>> texts)
{
    const auto known = m_byMac.constFind(mac);
    if (known == m_byMac.cend())
        return;
    Device changed{m_devices[std::size_t(*known)].texts, QString()};
    for (const auto &[column, text] : texts)
        changed.texts[std::size_t(column)] = text;
    updateTexts(*known, std::move(changed));
}

void DeviceTableModel::updateTexts(int index, Device changed)
{
    Device &device = m_devices[std::size_t(index)];
    if (changed.texts == device.texts) {
        device.answer = changed.answer;
        return;
    }
    // Others' marks may change with it: told at once.
    if (m_conflicts.move(device.texts[DeviceColumn::Mac], device.texts[DeviceColumn::Ip], changed.texts[DeviceColumn::Ip]))
        announceMarks();
    const bool filtering = !m_filter.isEmpty();
    if (changed.texts[m_sortColumn] == device.texts[m_sortColumn] && (!filtering || matches(device) == matches(changed))) {
        device = std::move(changed);
        if (const QModelIndex row = indexOf(index); row.isValid())
            emit dataChanged(row, row.siblingAtColumn(DeviceColumnCount - 1), {Qt::DisplayRole});
    } else {
        // It moves, or the filter now lets it through or holds it back.
        changeLayout([&] {
            for (std::vector<int> *order : {&m_sorted, &m_filtered})
                order->erase(std::remove(order->begin(), order->end(), index), order->end());
            device = std::move(changed);
            place(m_sorted, {index}, false);
            if (filtering && matches(device))
                place(m_filtered, {index}, false);
        });
    }
    // A device views have not heard of yet is told of with its texts.
    if (index < int(m_sorted.size()))
        emit textsChanged(index, index);
}

QList<DeviceTexts> DeviceTableModel::listedDevices()
{
    placeNew();
    QList<DeviceTexts> devices;
    for (int device : m_sorted)
        devices << m_devices[std::size_t(device)].texts;
    return devices;
}

void DeviceTableModel::clear()
{
    const bool large = m_devices.size() >= 1000;
    beginResetModel();
    m_devices = {};
    m_sorted = {};
    m_filtered = {};
    m_byMac.clear();
    m_translations.clear();
    m_conflicts.clear();
    m_marksChanged = false;
    m_full = false;
    endResetModel();
    emit countsChanged();
#ifdef __GLIBC__
    // The allocator keeps what a large list freed: back to the system with
    // it, so that a flood of answers leaves no lasting mark.
    if (large)
        malloc_trim(0);
#endif
    // Room for the most devices, as each growth would move them all; room
    // not used costs address space, not memory.
    m_devices.reserve(MaxRows);
}
