#include "mainwindow/devicerowitem.h"

#include "mainwindow/devicelistdelegate.h"

#include <QTreeWidget>

void DeviceRowItem::setData(int column, int role, const QVariant &value)
{
    // The display value is mirrored first: storing it makes a sorted list
    // move the row at once, and that move compares the new text.
    if ((role == Qt::DisplayRole || role == Qt::EditRole) && column >= 0 && column < Columns) {
        if (value.userType() == QMetaType::QString) {
            m_texts[column] = value.toString();
            m_textColumns |= 1u << column;
        } else {
            m_texts[column].clear();
            m_textColumns &= ~(1u << column);
        }
    }
    QTreeWidgetItem::setData(column, role, value);
}

QVariant DeviceRowItem::data(int column, int role) const
{
    // Marks of an address shared with other listed devices.
    if (role == Qt::BackgroundRole || role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole) {
        if (QVariant mark = DeviceListDelegate::cellMark(*this, column, role); mark.isValid())
            return mark;
    }
    return QTreeWidgetItem::data(column, role);
}

bool DeviceRowItem::operator<(const QTreeWidgetItem &other) const
{
    const QTreeWidget *view = treeWidget();
    const int column = view ? view->sortColumn() : 0;
    if (other.type() == RowType && column >= 0 && column < Columns) {
        const auto &row = static_cast<const DeviceRowItem &>(other);
        const unsigned bit = 1u << column;
        if ((m_textColumns & bit) && (row.m_textColumns & bit)) {
            const QString &mine = m_texts[column];
            const QString &theirs = row.m_texts[column];
            // Most rows share a handful of device types, often the very same
            // text: equal texts are never less, and telling that needs no
            // collation.
            if (mine.size() == theirs.size() && (mine.constData() == theirs.constData() || mine == theirs))
                return false;
            return mine.localeAwareCompare(theirs) < 0;
        }
    }
    return QTreeWidgetItem::operator<(other);
}
