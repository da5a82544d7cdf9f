#include "mainwindow/core/SmartTabs.h"

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// The display width of the blanks a line starts with; -1 for a line of blanks only.
int indentOf(const QString &expanded)
{
    for (int i = 0; i < expanded.size(); ++i)
        if (!isBlank(expanded.at(i)))
            return i;
    return -1;
}

} // namespace

QString ExpandTabs(const QString &text, int tabWidth)
{
    if (!text.contains(u'\t'))
        return text;
    const int width = tabWidth > 0 ? tabWidth : 1;
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\t')
            out.append(QString(width - out.size() % width, u' '));
        else
            out.append(c);
    }
    return out;
}

std::optional<int> SmartTabColumn(int line, int column, const LineTextFunction &lineText, int tabWidth)
{
    for (int above = line - 1; above >= 0; --above) {
        const QString text = ExpandTabs(lineText(above), tabWidth);
        if (text.size() <= column)
            continue;
        int i = column;
        while (i < text.size() && !isBlank(text.at(i)))
            ++i;
        while (i < text.size() && isBlank(text.at(i)))
            ++i;
        if (i < text.size())
            return i;
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<int> SmartBackspaceColumn(int line, int column, const LineTextFunction &lineText, int tabWidth)
{
    if (column <= 0)
        return std::nullopt;
    const QString current = ExpandTabs(lineText(line), tabWidth);
    for (int i = 0; i < column && i < current.size(); ++i)
        if (!isBlank(current.at(i)))
            return std::nullopt;
    for (int above = line - 1; above >= 0; --above) {
        const int indent = indentOf(ExpandTabs(lineText(above), tabWidth));
        if (indent >= 0 && indent < column)
            return indent;
    }
    return 0;
}
