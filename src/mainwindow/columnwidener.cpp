// SPDX-License-Identifier: Apache-2.0
#include "mainwindow/columnwidener.h"

#include "mainwindow/devicetablemodel.h"

#include <QHeaderView>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTreeView>
#include <QVarLengthArray>

#include <algorithm>
#include <cmath>

// Steps not measured yet, and characters laid out otherwise than one glyph
// each, which only laying the text out can measure.
constexpr quint16 Unmeasured = 0xFFFF;
constexpr quint16 NotPlain = 0xFFFE;

ColumnWidener::ColumnWidener(QTreeView *list, DeviceTableModel *devices)
    : QObject(list)
    , m_list(list)
    , m_devices(devices)
{
    connect(devices, &DeviceTableModel::textsChanged, this, &ColumnWidener::widen);
}

void ColumnWidener::widen(int first, int last)
{
    useListFont();
    QHeaderView *header = m_list->header();
    std::array<int, DeviceColumnCount> widths;
    for (int column = 0; column < DeviceColumnCount; ++column)
        widths[column] = header->sectionSize(column);
    // Translated texts measured: few, each shared by its devices.
    std::array<QVarLengthArray<const QChar *, 8>, DeviceColumnCount> measured;
    // Device by device, as their texts lie in memory.
    for (int device = first; device <= last; ++device) {
        const DeviceTexts &texts = m_devices->receivedTexts(device);
        for (int column = 0; column < DeviceColumnCount; ++column) {
            auto &done = measured[column];
            if (texts[column].isEmpty() || std::find(done.begin(), done.end(), texts[column].constData()) != done.end())
                continue;
            if (DeviceTableModel::isTranslated(column) && done.size() < 8)
                done.append(texts[column].constData());
            widths[column] = qMax(widths[column], width(m_devices->shownText(device, column)) + m_margin);
        }
    }
    // Each resize lays the header out again.
    for (int column = 0; column < DeviceColumnCount; ++column) {
        if (widths[column] > header->sectionSize(column))
            header->resizeSection(column, widths[column]);
    }
}

void ColumnWidener::useListFont()
{
    const QFont font = m_list->font();
    const std::tuple<QFont, const QStyle *, int> used{font, m_list->style(), m_list->logicalDpiX()};
    if (m_metrics && used == m_used)
        return;
    m_used = used;
    m_metrics.emplace(font);
    // Spacing and capitals change the layout of a whole text, not of its
    // characters one by one.
    const bool plain = font.letterSpacing() == 0 && font.wordSpacing() == 0 && font.capitalization() == QFont::MixedCase;
    m_steps.assign(256 * 256, plain ? Unmeasured : NotPlain);
    // Asked of the style as the delegate asks for a cell's size; two pixels
    // more, as the view can lay a text out a pixel wider than its metrics
    // say, and then elides it.
    QStyleOptionViewItem option;
    option.initFrom(m_list);
    option.font = font;
    option.features = QStyleOptionViewItem::HasDisplay;
    option.text = QStringLiteral("0");
    m_margin = m_list->style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), m_list).width()
        - int(std::ceil(m_metrics->horizontalAdvance(option.text))) + 2;
}

int ColumnWidener::width(const QString &text)
{
    // In 64ths of a pixel, as fonts measure: whole numbers add up fastest.
    quint32 width = 0;
    char16_t previous = 0;
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        quint16 *step = c > 0xFF ? nullptr : &m_steps[std::size_t(previous) * 256 + c];
        // Printable Latin-1 but the soft hyphen: one glyph each.
        if (step && *step == Unmeasured) {
            *step = NotPlain;
            if ((c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c != 0xAD)) {
                qreal advance = m_metrics->horizontalAdvance(QChar(c));
                // Kerning may move the two apart.
                if (previous) {
                    const QChar pair[2] = {QChar(previous), QChar(c)};
                    advance = qMax(advance, m_metrics->horizontalAdvance(QString(pair, 2))
                                                - m_metrics->horizontalAdvance(pair[0]));
                }
                // Rounded up; a character too wide to count this way is not.
                *step = quint16(qMin(std::ceil(advance * 64), qreal(NotPlain)));
            }
        }
        if (!step || *step == NotPlain)
            return int(std::ceil(m_metrics->horizontalAdvance(text)));
        width += *step;
        previous = c;
    }
    return int((width + 63) / 64);
}
