#include "mainwindow/textwidthbound.h"

#include <QFontMetricsF>
#include <QString>

#include <cmath>
#include <limits>

namespace {

constexpr qreal Unknown = -1;

// Characters laid out one glyph each, without a special rule: printable
// Latin-1 except the soft hyphen.
bool plainLatin1(char16_t c)
{
    return (c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c <= 0xFF && c != 0xAD);
}

} // namespace

TextWidthBound::TextWidthBound() = default;
TextWidthBound::~TextWidthBound() = default;

bool TextWidthBound::useFont(const QFont &font)
{
    if (m_metrics && font == m_font)
        return m_usable;
    m_font = font;
    m_metrics = std::make_unique<QFontMetricsF>(font);
    m_advances.fill(Unknown);
    m_pairExcess.assign(256 * 256, float(Unknown));
    // Spacing and capitals change the layout of a whole text, not of its
    // characters one by one.
    m_usable = font.letterSpacing() == 0 && font.wordSpacing() == 0
        && font.capitalization() == QFont::MixedCase;
    return m_usable;
}

qreal TextWidthBound::advance(char16_t c)
{
    qreal &a = m_advances[c];
    if (a == Unknown)
        a = m_metrics->horizontalAdvance(QChar(c));
    return a;
}

qreal TextWidthBound::pairExcess(char16_t first, char16_t second)
{
    float &excess = m_pairExcess[first * 256 + second];
    if (excess == float(Unknown)) {
        const QChar pair[2] = {QChar(first), QChar(second)};
        const qreal laidOut = m_metrics->horizontalAdvance(QString(pair, 2));
        // Rounded up to the float kept, so that it never makes the bound smaller.
        const qreal more = laidOut - advance(first) - advance(second);
        excess = more > 0 ? std::nextafter(float(more), std::numeric_limits<float>::infinity()) : 0.0f;
    }
    return excess;
}

int TextWidthBound::upperBound(const QFont &font, QStringView text)
{
    if (!useFont(font))
        return -1;
    qreal width = 0;
    char16_t previous = 0;
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (!plainLatin1(c))
            return -1;
        width += advance(c);
        if (previous)
            width += pairExcess(previous, c);
        previous = c;
    }
    // The layout rounds its width to whole pixels the same way: rounding
    // keeps the order of the two.
    return int(std::floor(width + 0.5));
}
