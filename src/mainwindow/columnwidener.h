// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QObject>

#include <optional>
#include <vector>

QT_BEGIN_NAMESPACE
class QStyle;
class QTreeView;
QT_END_NAMESPACE

class DeviceTableModel;

// Widens the device list's columns to the widest text of every device
// listed, in sight or not, shown by the filter or not; never narrows them,
// so a width the user or the layout file gave holds until a wider text
// comes. A burst brings tens of thousands of texts and laying one out costs
// microseconds: most are told to fit by a bound added up from the advance of
// each character after the one before it (kerning can move two apart),
// measured once per font. Only a text that may not fit is laid out.
class ColumnWidener final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ColumnWidener)

public:
    // Becomes the list's child.
    ColumnWidener(QTreeView *list, DeviceTableModel *devices);

private:
    void widen(int first, int last);
    // Takes the list's font and style; false when the bound can't be used.
    bool useListFont();
    // Whole pixels; -1 for characters outside Latin-1 and control characters.
    int upperBound(QStringView text);
    int laidOutWidth(const QString &text);

    QTreeView *m_list;
    DeviceTableModel *m_devices;
    QFont m_font;
    const QStyle *m_style = nullptr;
    int m_dpi = 0;
    // What the list needs beyond a text's width to show it whole.
    int m_margin = 0;
    bool m_bounded = false;
    std::optional<QFontMetricsF> m_metrics;
    // By (previous character, character): how far a character widens a text
    // at the most, in 64ths of a pixel; measured when first needed.
    std::vector<quint16> m_steps;
    QHash<QString, int> m_laidOut;
};
