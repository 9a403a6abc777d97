// SPDX-License-Identifier: Apache-2.0
#include "mainwindow/devicelistdelegate.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QStyle>
#include <QToolTip>
#include <QTreeView>

DeviceListDelegate::DeviceListDelegate(QTreeView *list)
    : QStyledItemDelegate(list)
{
    list->setItemDelegate(this);
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
