#pragma once

#include "mainwindow/addressconflicts.h"

#include <QStyledItemDelegate>
#include <QTimer>

QT_BEGIN_NAMESPACE
class QTreeWidget;
class QTreeWidgetItem;
QT_END_NAMESPACE

// Draws the device list's cells and gives their tool tips: an IP address
// that other listed devices show as well is marked (background, tool tip and
// accessible description naming the others), and a text cut short by its
// column shows in full as a tool tip.
class DeviceListDelegate final : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DeviceListDelegate)

public:
    // Becomes the list's delegate, and its child.
    DeviceListDelegate(QTreeWidget *list, int macColumn, int addressColumn);

    // The device list tells of every change of a row's address (a new row
    // changes it from an empty text) and of every clearing of the list.
    void addressChanged(const QString &mac, const QString &previous, const QString &address);
    void clearAddresses();

    // The marks of a row's cell for one role (background, tool tip,
    // accessible description); invalid when there is none. Worked out when
    // asked for, so that a change in a large group of devices sharing an
    // address costs its other members nothing.
    static QVariant cellMark(const QTreeWidgetItem &row, int column, int role);

    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

private:
    bool isCutShort(const QStyleOptionViewItem &option, const QModelIndex &index) const;

    QTreeWidget *m_list;
    int m_macColumn;
    int m_addressColumn;
    AddressConflicts m_conflicts;
    QTimer m_repaint;
};
