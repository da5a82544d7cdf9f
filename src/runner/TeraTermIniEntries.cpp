#include "runner/TeraTermIniEntries.h"

#include "runner/MacroAssembler.h"

namespace {

// Without the blanks and control characters (bytes up to 32) at either end.
QByteArray trimmed(const QByteArray &line)
{
    qsizetype from = 0;
    qsizetype to = line.size();
    while (from < to && uchar(line[from]) <= 32)
        ++from;
    while (to > from && uchar(line[to - 1]) <= 32)
        --to;
    return line.sliced(from, to - from);
}

} // namespace

QList<QByteArray> TeraTermIniEntries(const QByteArray &ini)
{
    QList<QByteArray> entries;
    QByteArray section;
    for (const QByteArray &raw : SplitMacroLines(ini)) {
        const QByteArray line = trimmed(raw);
        if (line.startsWith('[') && line.endsWith(']'))
            section = line;
        else if (!section.isEmpty() && line.contains('=') && !line.startsWith(';'))
            entries.append(section + line);
    }
    return entries;
}

std::optional<TeraTermIniEntry> ParseTeraTermIniEntry(const QByteArray &line)
{
    if (!line.startsWith('['))
        return std::nullopt;
    const qsizetype close = line.indexOf(']');
    if (close < 0)
        return std::nullopt;
    const qsizetype equals = line.indexOf('=', close);
    if (equals < 0)
        return std::nullopt;
    return TeraTermIniEntry{line.sliced(1, close - 1), trimmed(line.sliced(close + 1, equals - close - 1)),
                            line.sliced(equals + 1)};
}
