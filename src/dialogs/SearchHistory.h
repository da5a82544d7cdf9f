#pragma once

#include <QString>
#include <QStringList>

// The search and replace dialogs' histories: the texts of a combo box's list, kept between
// uses as one text per line.
namespace SearchHistory {

// How many entries a history keeps from one use to the next.
inline constexpr int MaxEntries = 10;

// The entries of a history text: lines end at CR LF, CR or LF; a break at the very end starts
// no further entry.
QStringList fromText(const QString &text);
// The first MaxEntries entries joined by CR LF, without a break after the last.
QString toText(const QStringList &entries);
// Text (not empty) goes to the top: an entry equal to it without regard to case is taken out
// first, so the text stands once, as typed.
void push(QStringList &entries, const QString &text);

} // namespace SearchHistory
