// SPDX-License-Identifier: Apache-2.0
#include "mainwindow/devicelistdelegate.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QHelpEvent>
#include <QStyle>
#include <QToolTip>
#include <QTreeView>

DeviceListDelegate::DeviceListDelegate(QTreeView *list)
    : QStyledItemDelegate(list)
    , m_list(list)
{
    list->setItemDelegate(this);
    list->viewport()->installEventFilter(this);
}

bool DeviceListDelegate::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && watched == m_list->viewport())
        widenColumnsForRowsInSight();
    return QStyledItemDelegate::eventFilter(watched, event);
}

void DeviceListDelegate::widenColumnsForRowsInSight()
{
    const QAbstractItemModel *model = m_list->model();
    const int rows = model->rowCount();
    if (rows == 0)
        return;
    if (m_list->font() != m_widthsFont || int(m_widths.size()) != model->columnCount()) {
        m_widthsFont = m_list->font();
        m_widths.assign(std::size_t(model->columnCount()), {});
    }
    // The rows from the top of the view to its bottom, or to the last row.
    const int height = m_list->viewport()->height();
    const int first = qMax(0, m_list->indexAt(QPoint(0, 0)).row());
    int last = m_list->indexAt(QPoint(0, height - 1)).row();
    if (last < 0)
        last = qMin(rows - 1, first + height / qMax(1, m_list->fontMetrics().height()));
    QHeaderView *header = m_list->header();
    for (int column = 0; column < int(m_widths.size()); ++column) {
        QHash<QString, int> &widths = m_widths[std::size_t(column)];
        for (int row = first; row <= last; ++row) {
            const QModelIndex index = model->index(row, column);
            const QString text = index.data().toString();
            auto known = widths.constFind(text);
            if (known == widths.cend()) {
                // Kept per column and bounded, so that columns whose texts
                // never repeat don't push out the ones that do.
                if (widths.size() >= 1024)
                    widths.clear();
                // Two pixels more: the view lays text out with fractional
                // advances, which can come out a pixel wider than the
                // rounded metrics say, and then elides it.
                known = widths.insert(text, text.isEmpty() ? 0 : m_list->sizeHintForIndex(index).width() + 2);
            }
            if (*known > header->sectionSize(column))
                header->resizeSection(column, *known);
        }
    }
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
