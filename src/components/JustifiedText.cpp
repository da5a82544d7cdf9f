#include "components/JustifiedText.h"

#include <algorithm>
#include <cmath>

int TLineObj::GapExtra(int index) const
{
    if (Gaps == 0)
        return 0;
    const int q = Extra / Gaps;
    const double frac = double(Extra) / Gaps - q;
    if (index <= 0)
        return q;
    // nearbyint rounds halves to even in the default rounding mode.
    return std::nearbyint(index * frac) > std::nearbyint((index - 1) * frac) ? q + 1 : q;
}

QList<TLineObj> BreakLines(const QString &source, int maxWidth, const TextMeasure &measure)
{
    // Positions are 1-based, as the line breaker counts them; a span that ends before it
    // starts is empty.
    QString text = source;
    const qsizetype length = text.size();
    const auto span = [&text](qsizetype from, qsizetype to) {
        return to < from ? QString() : text.mid(from - 1, to - from + 1);
    };
    const auto at = [&text](qsizetype pos) { return text.at(pos - 1); };

    QList<TLineObj> lines;
    qsizetype start = 1;
    qsizetype i = 1;
    int gaps = -1;
    qsizetype lastBlank = 1;
    while (i < length) {
        const QChar c = at(i);
        if (c == QLatin1Char('\t') || c == QLatin1Char(' ')) {
            text[i - 1] = QLatin1Char(' ');
            ++gaps;
            lastBlank = i;
            ++i;
        } else if (c == QLatin1Char('\r')) {
            lines.append({0, 0, span(start, i - 1)});
            start = i + 1;
            if (start <= length && at(start) == QLatin1Char('\n'))
                ++start;
            i = start;
            gaps = -1;
        } else {
            ++i;
        }
        if (measure(span(start, i)) <= maxWidth)
            continue;
        const QString upToBlank = span(start, lastBlank - 1);
        if (!upToBlank.isEmpty()) {
            lines.append({maxWidth - measure(upToBlank), gaps, upToBlank});
            start = i = lastBlank + 1;
        } else {
            lines.append({0, 0, span(start, i - 1)});
            start = i;
        }
        gaps = -1;
    }
    lines.append({0, 0, span(start, length)});
    return lines;
}

JustifiedLayout LayoutJustifiedLine(const TLineObj &line, const QList<int> &extents,
                                    int maxExtent)
{
    JustifiedLayout layout;
    const int count = int(std::min(extents.size(), line.Text.size()));
    while (layout.fit < count && extents.at(layout.fit) <= maxExtent)
        ++layout.fit;
    if (layout.fit == 0)
        return layout;
    QList<int> advance(layout.fit);
    advance[0] = extents.at(0);
    int gap = 0;
    for (int k = layout.fit - 1; k >= 1; --k) {
        advance[k] = extents.at(k) - extents.at(k - 1);
        if (line.Text.at(k) == QLatin1Char(' '))
            advance[k] += line.GapExtra(gap++);
    }
    layout.x.resize(layout.fit);
    for (int k = 1; k < layout.fit; ++k)
        layout.x[k] = layout.x[k - 1] + advance[k - 1];
    return layout;
}
