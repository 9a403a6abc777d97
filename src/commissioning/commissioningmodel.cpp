// SPDX-License-Identifier: Apache-2.0
#include "commissioning/commissioningmodel.h"

#include <QBrush>
#include <QColor>

#include <algorithm>
#include <numeric>

CommissioningModel::CommissioningModel(std::vector<Row> rows, QObject *parent)
    : QAbstractTableModel(parent)
    , m_rows(std::move(rows))
    , m_shown(m_rows.size())
{
    std::iota(m_shown.begin(), m_shown.end(), 0);
}

int CommissioningModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_shown.size());
}

int CommissioningModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CommissioningModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return QVariant();
    const Row &row = m_rows[std::size_t(m_shown[std::size_t(index.row())])];
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        switch (column) {
        case Mac: return row.mac;
        case Address: return row.address;
        case Name: return row.name;
        case Location: return row.location;
        case Type: return row.type;
        case Preview: return row.preview;
        case Status: return row.status;
        }
        break;
    case Qt::CheckStateRole:
        if (column == Mac)
            return row.checked ? Qt::Checked : Qt::Unchecked;
        break;
    case Qt::ForegroundRole:
        if (column == Status && row.mark != Mark::None)
            return QBrush(row.mark == Mark::Good ? QColor(0, 118, 0) : row.mark == Mark::Bad ? QColor(176, 0, 0)
                                                                                             : QColor(160, 90, 0));
        break;
    case Qt::ToolTipRole:
        if (column == Status && !row.statusTip.isEmpty())
            return row.statusTip;
        break;
    // What a screen reader says of the cells that matter in each row.
    case Qt::AccessibleTextRole:
        switch (column) {
        case Mac: return row.checked ? tr("%1, checked").arg(row.mac) : tr("%1, not checked").arg(row.mac);
        case Address: return tr("Address now: %1").arg(row.address);
        case Preview: return tr("New: %1").arg(row.preview);
        case Status: return tr("Status: %1").arg(row.status);
        }
        break;
    case Qt::AccessibleDescriptionRole:
        if (column == Status)
            return row.statusTip;
        break;
    default:
        break;
    }
    return QVariant();
}

QVariant CommissioningModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Mac: return tr("MAC Address");
    case Address: return tr("IP Address");
    case Name: return tr("Name");
    case Location: return tr("Location");
    case Type: return tr("Device Type");
    case Preview: return tr("New Settings");
    case Status: return tr("Status");
    }
    return QVariant();
}

Qt::ItemFlags CommissioningModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (index.column() == Mac && !m_locked)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

bool CommissioningModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::CheckStateRole || index.column() != Mac || m_locked
        || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return false;
    setChecked(m_shown[std::size_t(index.row())], value.value<Qt::CheckState>() == Qt::Checked);
    return true;
}

void CommissioningModel::rowsEdited()
{
    if (!m_shown.empty())
        emit dataChanged(index(0, Preview), index(int(m_shown.size()) - 1, Status));
}

bool CommissioningModel::shows(const Row &row) const
{
    if (m_filter.isEmpty())
        return true;
    for (const QString *text : {&row.mac, &row.address, &row.name, &row.location, &row.type}) {
        if (text->contains(m_filter, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

void CommissioningModel::setFilterText(const QString &text)
{
    if (text == m_filter)
        return;
    beginResetModel();
    m_filter = text;
    m_shown.clear();
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (shows(m_rows[i]))
            m_shown.push_back(int(i));
    }
    endResetModel();
}

void CommissioningModel::setShownChecked(bool checked)
{
    if (m_locked || m_shown.empty())
        return;
    for (int row : m_shown)
        m_rows[std::size_t(row)].checked = checked;
    emit dataChanged(index(0, Mac), index(int(m_shown.size()) - 1, Mac));
    emit checksChanged();
}

void CommissioningModel::setChecked(int row, bool checked)
{
    if (m_locked || m_rows[std::size_t(row)].checked == checked)
        return;
    m_rows[std::size_t(row)].checked = checked;
    const auto at = std::lower_bound(m_shown.begin(), m_shown.end(), row);
    if (at != m_shown.end() && *at == row) {
        const QModelIndex cell = index(int(at - m_shown.begin()), Mac);
        emit dataChanged(cell, cell);
    }
    emit checksChanged();
}

std::vector<int> CommissioningModel::checkedRows() const
{
    std::vector<int> rows;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].checked)
            rows.push_back(int(i));
    }
    return rows;
}

void CommissioningModel::setChecksLocked(bool locked)
{
    m_locked = locked;
    if (!m_shown.empty())
        emit dataChanged(index(0, Mac), index(int(m_shown.size()) - 1, Mac));
}
