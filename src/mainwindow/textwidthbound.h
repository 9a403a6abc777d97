#pragma once

#include <QFont>
#include <QStringView>

#include <array>
#include <memory>
#include <vector>

QT_BEGIN_NAMESPACE
class QFontMetricsF;
QT_END_NAMESPACE

// A cheap upper bound of the width QFontMetrics(font).horizontalAdvance(text)
// gives, for telling that a text surely fits a column without laying it out.
// Shaping a text costs microseconds; this adds up the advances of its
// characters and, for each pair of neighbours, how much wider the pair is
// laid out than its two characters alone (kerning that moves them apart),
// both measured once per font and character or pair. Texts with characters
// outside Latin-1, or with control characters, are not bounded.
class TextWidthBound
{
public:
    TextWidthBound();
    ~TextWidthBound();
    TextWidthBound(const TextWidthBound &) = delete;
    TextWidthBound &operator=(const TextWidthBound &) = delete;

    // The bound in whole pixels, or -1 when it can't be told this way. For
    // texts without kerning it is the width itself.
    int upperBound(const QFont &font, QStringView text);

private:
    bool useFont(const QFont &font);
    qreal advance(char16_t c);
    qreal pairExcess(char16_t first, char16_t second);

    QFont m_font;
    bool m_usable = false;
    std::unique_ptr<QFontMetricsF> m_metrics;
    std::array<qreal, 256> m_advances{};
    std::vector<float> m_pairExcess;
};
