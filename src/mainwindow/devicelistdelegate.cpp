#include "mainwindow/devicelistdelegate.h"

#include <QApplication>
#include <QBrush>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QStyle>
#include <QToolTip>
#include <QTreeWidget>

DeviceListDelegate::DeviceListDelegate(QTreeWidget *list, int macColumn, int addressColumn)
    : QStyledItemDelegate(list)
    , m_list(list)
    , m_macColumn(macColumn)
    , m_addressColumn(addressColumn)
{
    list->setItemDelegate(this);
    // A burst of answers may change marks thousands of times: the list
    // repaints for them once the changes pause (it repaints meanwhile
    // anyway, whenever rows join it).
    m_repaint.setSingleShot(true);
    m_repaint.setInterval(50);
    connect(&m_repaint, &QTimer::timeout, m_list->viewport(), qOverload<>(&QWidget::update));
}

void DeviceListDelegate::addressChanged(const QString &mac, const QString &previous, const QString &address)
{
    // The row itself repaints as its text changes; another row whose mark
    // came or went with it is not known by its place, so the visible rows
    // repaint, at most every 50 ms during a burst.
    if (m_conflicts.move(mac, previous, address) && !m_repaint.isActive())
        m_repaint.start();
}

void DeviceListDelegate::clearAddresses()
{
    m_conflicts.clear();
}

QVariant DeviceListDelegate::cellMark(const QTreeWidgetItem &row, int column, int role)
{
    const QTreeWidget *list = row.treeWidget();
    const auto *self = list ? qobject_cast<const DeviceListDelegate *>(list->itemDelegate()) : nullptr;
    if (!self || column != self->m_addressColumn)
        return QVariant();
    const QString address = row.text(column);
    if (!self->m_conflicts.isShared(address))
        return QVariant();
    if (role == Qt::BackgroundRole)
        return QBrush(AddressConflicts::background(list->palette()));
    if (role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole)
        return self->m_conflicts.tip(address, row.text(self->m_macColumn));
    return QVariant();
}

bool DeviceListDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                                   const QModelIndex &index)
{
    if (event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    // A tip of the cell's own (a shared address) comes first, and begins
    // with the full text anyway.
    QString tip = index.data(Qt::ToolTipRole).toString();
    if (tip.isEmpty() && isCutShort(option, index))
        tip = index.data(Qt::DisplayRole).toString();
    // An empty tip hides the one shown for another cell.
    QToolTip::showText(event->globalPos(), tip, view, option.rect);
    event->setAccepted(!tip.isEmpty());
    return true;
}

bool DeviceListDelegate::isCutShort(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    if (cell.text.isEmpty())
        return false;
    const QWidget *widget = cell.widget;
    const QStyle *style = widget ? widget->style() : QApplication::style();
    // Measured as the style lays the text out before it elides it: in the
    // text's part of the cell, less a margin on either side.
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, widget);
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    return QFontMetricsF(cell.font).horizontalAdvance(cell.text) > textRect.width() - 2 * margin;
}
