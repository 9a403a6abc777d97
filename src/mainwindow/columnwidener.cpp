// SPDX-License-Identifier: Apache-2.0
#include "mainwindow/columnwidener.h"

#include "mainwindow/devicetablemodel.h"

#include <QFontMetricsF>
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
// Texts laid out and remembered: made-up ones from a flood push out the rest.
constexpr qsizetype MaxRemembered = 1024;

// Characters laid out one glyph each, without a special rule: printable
// Latin-1 except the soft hyphen.
bool plainLatin1(char16_t c)
{
    return (c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c <= 0xFF && c != 0xAD);
}

} // namespace

ColumnWidener::ColumnWidener(QTreeView *list, DeviceTableModel *devices)
    : QObject(list)
    , m_list(list)
    , m_devices(devices)
{
    connect(devices, &DeviceTableModel::textsChanged, this, &ColumnWidener::widen);
}

ColumnWidener::~ColumnWidener() = default;

void ColumnWidener::widen(int first, int last)
{
    const bool bounded = useListFont();
    QHeaderView *header = m_list->header();
    std::array<int, DeviceColumnCount> widths;
    for (int column = 0; column < DeviceColumnCount; ++column)
        widths[column] = header->sectionSize(column);
    const std::array<int, DeviceColumnCount> before = widths;
    // The translated texts settled in this batch: the devices that show one
    // share its copy, so telling them apart takes no more than its address.
    std::array<QVarLengthArray<QString, 8>, DeviceColumnCount> settled;
    // Device by device: their texts lie together in memory.
    for (int device = first; device <= last; ++device) {
        const std::array<QString, DeviceColumnCount> &texts = m_devices->receivedTexts(device);
        // Each text lies in a block of its own, in a large burst long gone
        // from the processor's cache: fetched a few devices ahead, the wait
        // for memory overlaps the work.
        if (device + 8 <= last) {
            for (const QString &ahead : m_devices->receivedTexts(device + 8))
                __builtin_prefetch(ahead.constData());
        }
        for (int column = 0; column < DeviceColumnCount; ++column) {
            const QString &received = texts[column];
            if (received.isEmpty())
                continue;
            QString translated;
            if (DeviceTableModel::isTranslated(column)) {
                auto &done = settled[column];
                const auto known = std::find_if(done.cbegin(), done.cend(), [&](const QString &text) {
                    return text.constData() == received.constData();
                });
                if (known != done.cend())
                    continue;
                if (done.size() < done.capacity())
                    done.append(received);
                translated = m_devices->shownText(device, column);
            }
            const QString &text = translated.isNull() ? received : translated;
            if (bounded) {
                const int bound = upperBound(text);
                if (bound >= 0 && bound + m_margin <= widths[column])
                    continue;
            }
            widths[column] = qMax(widths[column], laidOutWidth(text) + m_margin);
        }
    }
    // Once per column and batch: each resize lays the header out again.
    for (int column = 0; column < DeviceColumnCount; ++column) {
        if (widths[column] > before[column])
            header->resizeSection(column, widths[column]);
    }
}

bool ColumnWidener::useListFont()
{
    const QFont font = m_list->font();
    const QStyle *style = m_list->style();
    const int dpi = m_list->logicalDpiX();
    if (m_metrics && font == m_font && style == m_style && dpi == m_dpi)
        return m_bounded;
    m_font = font;
    m_style = style;
    m_dpi = dpi;
    m_metrics = std::make_unique<QFontMetricsF>(font);
    m_margin = cellMargin();
    m_steps.assign(256 * 256, Unmeasured);
    m_laidOut.clear();
    // Spacing and capitals change the layout of a whole text, not of its
    // characters one by one.
    m_bounded = font.letterSpacing() == 0 && font.wordSpacing() == 0 && font.capitalization() == QFont::MixedCase;
    return m_bounded;
}

int ColumnWidener::cellMargin() const
{
    // Asked of the style as the list's delegate asks it for a cell's size.
    QStyleOptionViewItem option;
    option.initFrom(m_list);
    option.font = m_font;
    option.features = QStyleOptionViewItem::HasDisplay;
    option.text = QStringLiteral("0");
    // Two pixels more: the view can lay a text out a pixel wider than its
    // metrics say, and then elides it.
    return m_style->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), m_list).width()
        - int(std::ceil(m_metrics->horizontalAdvance(option.text))) + 2;
}

int ColumnWidener::upperBound(QStringView text)
{
    // In 64ths of a pixel, as fonts measure: whole numbers add up fastest.
    quint32 width = 0;
    std::size_t previous = 0;
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c > 0xFF)
            return -1;
        quint16 known = m_steps[previous * 256 + c];
        if (known >= NotPlain) {
            known = step(char16_t(previous), c);
            if (known == NotPlain)
                return -1;
        }
        width += known;
        previous = c;
    }
    return int((width + 63) / 64);
}

int ColumnWidener::laidOutWidth(const QString &text)
{
    const auto known = m_laidOut.constFind(text);
    if (known != m_laidOut.cend())
        return *known;
    const int width = int(std::ceil(m_metrics->horizontalAdvance(text)));
    if (m_laidOut.size() >= MaxRemembered)
        m_laidOut.clear();
    m_laidOut.insert(text, width);
    return width;
}

quint16 ColumnWidener::step(char16_t previous, char16_t c)
{
    quint16 &known = m_steps[std::size_t(previous) * 256 + c];
    if (known != Unmeasured)
        return known;
    if (!plainLatin1(c))
        return known = NotPlain;
    qreal width = m_metrics->horizontalAdvance(QChar(c));
    // Kerning may move the two apart, and in this bound never closer.
    if (previous) {
        const QChar pair[2] = {QChar(previous), QChar(c)};
        width = qMax(width, m_metrics->horizontalAdvance(QString(pair, 2)) - m_metrics->horizontalAdvance(pair[0]));
    }
    // Rounded up; a character too wide to count this way is not bounded.
    return known = quint16(qMin(std::ceil(width * 64), qreal(NotPlain)));
}
