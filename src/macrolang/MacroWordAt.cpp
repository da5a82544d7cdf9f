#include "macrolang/MacroWordAt.h"

#include "macrolang/TSynTTMacroSyn.h"

QByteArray MacroWordAt(QByteArrayView line, qsizetype index)
{
    if (index < 0 || index > line.size())
        return {};
    qsizetype start = index;
    while (start > 0 && TSynTTMacroSyn::IsIdentChar(uchar(line[start - 1])))
        --start;
    qsizetype end = index;
    while (end < line.size() && TSynTTMacroSyn::IsIdentChar(uchar(line[end])))
        ++end;
    return line.sliced(start, end - start).toByteArray();
}
