// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QObject>

#include <optional>
#include <tuple>
#include <vector>

QT_BEGIN_NAMESPACE
class QStyle;
class QTreeView;
QT_END_NAMESPACE

class DeviceTableModel;

// Widens the device list's columns to the widest text of every device
// listed, in sight or not, shown or not; never narrows them, so a width the
// user or the layout file gave holds until a wider text comes. Laying out a
// burst's texts would take microseconds each: a Latin-1 text's width is added
// up from each character's advance after the one before it, measured once per
// font, which may come out a little wide (kerning that closes a pair up).
class ColumnWidener final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ColumnWidener)

public:
    // Becomes the list's child.
    ColumnWidener(QTreeView *list, DeviceTableModel *devices);

private:
    void widen(int first, int last);
    void useListFont();
    // In whole pixels.
    int width(const QString &text);

    QTreeView *m_list;
    DeviceTableModel *m_devices;
    // The font, style and resolution measured for.
    std::tuple<QFont, const QStyle *, int> m_used;
    // What the list needs beyond a text's width to show it whole.
    int m_margin = 0;
    std::optional<QFontMetricsF> m_metrics;
    // By (previous character, character): how far a character widens a text
    // at the most, in 64ths of a pixel; measured when first needed.
    std::vector<quint16> m_steps;
};
