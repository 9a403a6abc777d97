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

namespace {

// Steps not measured yet, and characters the bound does not take.
constexpr quint16 Unmeasured = 0xFFFF;
constexpr quint16 NotPlain = 0xFFFE;

} // namespace

ColumnWidener::ColumnWidener(QTreeView *list, DeviceTableModel *devices)
    : QObject(list)
    , m_list(list)
    , m_devices(devices)
{
    connect(devices, &DeviceTableModel::textsChanged, this, &ColumnWidener::widen);
}

void ColumnWidener::widen(int first, int last)
{
    const bool bounded = useListFont();
    QHeaderView *header = m_list->header();
    std::array<int, DeviceColumnCount> widths;
    for (int column = 0; column < DeviceColumnCount; ++column)
        widths[column] = header->sectionSize(column);
    const std::array<int, DeviceColumnCount> before = widths;
    // The translated texts settled in this batch: few, each shared by its
    // devices, so told apart by address.
    std::array<QVarLengthArray<const QChar *, 8>, DeviceColumnCount> settled;
    // Device by device, as their texts lie in memory.
    for (int device = first; device <= last; ++device) {
        const DeviceTexts &texts = m_devices->receivedTexts(device);
        for (int column = 0; column < DeviceColumnCount; ++column) {
            auto &done = settled[column];
            if (texts[column].isEmpty() || std::find(done.begin(), done.end(), texts[column].constData()) != done.end())
                continue;
            if (DeviceTableModel::isTranslated(column) && done.size() < 8)
                done.append(texts[column].constData());
            const QString text = m_devices->shownText(device, column);
            const int bound = bounded ? upperBound(text) : -1;
            if (bound < 0 || bound + m_margin > widths[column])
                widths[column] = qMax(widths[column], laidOutWidth(text) + m_margin);
        }
    }
    // Each resize lays the header out again.
    for (int column = 0; column < DeviceColumnCount; ++column) {
        if (widths[column] > before[column])
            header->resizeSection(column, widths[column]);
    }
}

bool ColumnWidener::useListFont()
{
    const QFont font = m_list->font();
    if (m_metrics && font == m_font && m_list->style() == m_style && m_list->logicalDpiX() == m_dpi)
        return m_bounded;
    m_font = font;
    m_style = m_list->style();
    m_dpi = m_list->logicalDpiX();
    m_metrics.emplace(font);
    m_steps.assign(256 * 256, Unmeasured);
    m_laidOut.clear();
    // Asked of the style as the delegate asks for a cell's size; two pixels
    // more, as the view can lay a text out a pixel wider than its metrics
    // say, and then elides it.
    QStyleOptionViewItem option;
    option.initFrom(m_list);
    option.font = font;
    option.features = QStyleOptionViewItem::HasDisplay;
    option.text = QStringLiteral("0");
    m_margin = m_style->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), m_list).width()
        - int(std::ceil(m_metrics->horizontalAdvance(option.text))) + 2;
    // Spacing and capitals change the layout of a whole text, not of its
    // characters one by one.
    m_bounded = font.letterSpacing() == 0 && font.wordSpacing() == 0 && font.capitalization() == QFont::MixedCase;
    return m_bounded;
}

int ColumnWidener::upperBound(QStringView text)
{
    // In 64ths of a pixel, as fonts measure: whole numbers add up fastest.
    quint32 width = 0;
    char16_t previous = 0;
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c > 0xFF)
            return -1;
        quint16 &step = m_steps[std::size_t(previous) * 256 + c];
        // Printable Latin-1 but the soft hyphen is laid out a glyph each,
        // without special rules.
        if (step == Unmeasured && ((c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c != 0xAD))) {
            qreal advance = m_metrics->horizontalAdvance(QChar(c));
            // Kerning may move the two apart; in this bound never closer.
            if (previous) {
                const QChar pair[2] = {QChar(previous), QChar(c)};
                advance = qMax(advance, m_metrics->horizontalAdvance(QString(pair, 2))
                                            - m_metrics->horizontalAdvance(pair[0]));
            }
            // A character too wide to count this way is not bounded.
            step = quint16(qMin(std::ceil(advance * 64), qreal(NotPlain)));
        } else if (step == Unmeasured) {
            step = NotPlain;
        }
        if (step == NotPlain)
            return -1;
        width += step;
        previous = c;
    }
    return int((width + 63) / 64);
}

int ColumnWidener::laidOutWidth(const QString &text)
{
    if (const auto known = m_laidOut.constFind(text); known != m_laidOut.cend())
        return *known;
    const int width = int(std::ceil(m_metrics->horizontalAdvance(text)));
    // Texts from a flood push out the rest.
    if (m_laidOut.size() >= 1024)
        m_laidOut.clear();
    m_laidOut.insert(text, width);
    return width;
}
