#include "mainwindow/FontFromOption.h"

QFont FontFromOption(QFont base, const FontOption &option)
{
    if (option.Name && !option.Name->isEmpty())
        base.setFamily(*option.Name);
    if (option.Size && *option.Size > 0)
        base.setPointSize(*option.Size);
    if (option.Style && *option.Style > 0) {
        base.setBold(*option.Style & FontStyleBits::Bold);
        base.setItalic(*option.Style & FontStyleBits::Italic);
        base.setUnderline(*option.Style & FontStyleBits::Underline);
        base.setStrikeOut(*option.Style & FontStyleBits::StrikeOut);
    }
    return base;
}

FontOption FontOptionFrom(const QFont &font, std::optional<int> charSet)
{
    FontOption option;
    option.Name = font.family();
    option.CharSet = charSet;
    if (font.pointSize() > 0)
        option.Size = font.pointSize();
    int style = 0;
    if (font.bold())
        style |= FontStyleBits::Bold;
    if (font.italic())
        style |= FontStyleBits::Italic;
    if (font.underline())
        style |= FontStyleBits::Underline;
    if (font.strikeOut())
        style |= FontStyleBits::StrikeOut;
    option.Style = style;
    return option;
}
