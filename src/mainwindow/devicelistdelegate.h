// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QStyledItemDelegate>

QT_BEGIN_NAMESPACE
class QTreeView;
QT_END_NAMESPACE

// Draws the device list's cells: a text cut short by its column shows in
// full as a tool tip (after a tip of the cell's own).
class DeviceListDelegate final : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DeviceListDelegate)

public:
    // Becomes the list's delegate, and its child.
    explicit DeviceListDelegate(QTreeView *list);

    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

private:
    bool isCutShort(const QStyleOptionViewItem &option, const QModelIndex &index) const;
};
