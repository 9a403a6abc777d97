// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QFont>
#include <QHash>
#include <QStyledItemDelegate>

#include <vector>

QT_BEGIN_NAMESPACE
class QTreeView;
QT_END_NAMESPACE

// Draws the device list's cells: a text cut short by its column shows in
// full as a tool tip (after a tip of the cell's own), and before rows are
// painted their columns widen to fit their texts, never shrinking, as a list
// whose columns fit their widest text does.
class DeviceListDelegate final : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DeviceListDelegate)

public:
    // Becomes the list's delegate, and its child.
    explicit DeviceListDelegate(QTreeView *list);

    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isCutShort(const QStyleOptionViewItem &option, const QModelIndex &index) const;
    void widenColumnsForRowsInSight();

    QTreeView *m_list;
    // The width each text needs, per column: measuring a text costs
    // microseconds, and the rows in sight are painted again and again.
    std::vector<QHash<QString, int>> m_widths;
    QFont m_widthsFont;
};
