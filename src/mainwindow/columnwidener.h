// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QFont>
#include <QHash>
#include <QObject>
#include <QStringView>

#include <array>
#include <memory>
#include <vector>

QT_BEGIN_NAMESPACE
class QFontMetricsF;
class QStyle;
class QTreeView;
QT_END_NAMESPACE

class DeviceTableModel;

// Widens the device list's columns to the widest text of every device
// listed, in sight or not, shown by the filter or not, as devices come and
// their texts change; it never narrows them, so a width the user or the
// layout file gave holds until a wider text comes.
//
// A burst brings tens of thousands of texts, and laying one out costs
// microseconds. Most are no wider than their column already is, which a
// bound tells from the advances of their characters and of their pairs
// (kerning may move two characters apart), each measured once per font;
// only a text that may not fit is laid out. The translated texts, a few
// that many devices share, are looked at once per batch.
class ColumnWidener final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ColumnWidener)

public:
    // Becomes the list's child.
    ColumnWidener(QTreeView *list, DeviceTableModel *devices);
    ~ColumnWidener() override;

private:
    void widen(int first, int last);
    // Takes the list's font and style; false when the bound can't be used.
    bool useListFont();
    // What the list needs beyond a text's width to show it whole.
    int cellMargin() const;
    // Whole pixels, -1 when it can't be told: characters outside Latin-1,
    // control characters.
    int upperBound(QStringView text);
    int laidOutWidth(const QString &text);
    // How much a character widens a text after the one before it (0: none)
    // at the most, in 64ths of a pixel: its advance, or more if kerning
    // moves the two apart.
    quint16 step(char16_t previous, char16_t c);

    QTreeView *m_list;
    DeviceTableModel *m_devices;
    QFont m_font;
    const QStyle *m_style = nullptr;
    int m_dpi = 0;
    int m_margin = 0;
    bool m_bounded = false;
    std::unique_ptr<QFontMetricsF> m_metrics;
    // step() by (previous, character), measured when first needed.
    std::vector<quint16> m_steps;
    QHash<QString, int> m_laidOut;
};
