#pragma once

#include <QList>
#include <QString>

#include <functional>

// One line of a justified label: its text (without the blank it was broken at), and the
// pixels to spread over its blanks to reach the label's width. A line that ends a paragraph
// or the text has Extra and Gaps 0 and keeps its natural spacing.
struct TLineObj
{
    int Extra = 0;
    int Gaps = 0;
    QString Text;

    // The extra pixels of the blank with the given index, counted from the right end of the
    // line from 0. The remainder is spread by rounding halves to even, so 6 pixels over 4
    // blanks give 1, 1, 2, 2 and 7 pixels give 1, 2, 2, 1 (the line then ends one short).
    int GapExtra(int index) const;

    bool operator==(const TLineObj &) const = default;
};

// The width in pixels of a text in the label's font.
using TextMeasure = std::function<int(const QString &)>;

// Breaks Text into lines no wider than MaxWidth: at the last blank (or tab, which becomes a
// blank) that lets the line fit, or, in a word too long for a line, before the character
// that would pass the width. A carriage return ends a paragraph, with a line feed directly
// after it; a lone line feed is an ordinary character. There is always a last line, empty
// for an empty text or one ending in a line break.
QList<TLineObj> BreakLines(const QString &text, int maxWidth, const TextMeasure &measure);

// Where each character of a justified line starts, and how many fit. Extents holds, for each
// k, the width of the line's first k + 1 characters; characters fit while that width stays
// within MaxExtent. Every blank but a leading one gets its GapExtra, the rightmost first.
struct JustifiedLayout
{
    int fit = 0;
    QList<int> x;   // start of each fitting character, from 0
};
JustifiedLayout LayoutJustifiedLine(const TLineObj &line, const QList<int> &extents,
                                    int maxExtent);
