#include "mainwindow/MacroEditor.h"

#include "mainwindow/core/ContrastColor.h"
#include "shell/ProgramOptions.h"

MacroEditor::MacroEditor(QWidget *parent) : TextEditor(parent)
{
}

void MacroEditor::applyOptions(const ProgramOptions &options)
{
    if (options.KeyFound)
        setTabWidth(options.EditorTabWidth());
    applyFontName(options.Font1);
    const FontOption &f = options.Font1;
    QFont styled = font();
    if (f.Size)
        styled.setPointSize(*f.Size);
    if (f.Style) {
        styled.setBold(*f.Style & FontStyleBits::Bold);
        styled.setItalic(*f.Style & FontStyleBits::Italic);
        styled.setUnderline(*f.Style & FontStyleBits::Underline);
        styled.setStrikeOut(*f.Style & FontStyleBits::StrikeOut);
    }
    setFont(styled);
}

int MacroEditor::caretLine() const
{
    int line = 0;
    int index = 0;
    getCursorPosition(&line, &index);
    return line + 1;
}

QFont MacroEditor::textFont() const
{
    return lexer() ? lexer()->font(0) : font();
}

void MacroEditor::showActiveLine(bool on, bool connectionColors, const QColor &highlighterLineColor)
{
    if (on) {
        setCaretLineBackgroundColor(connectionColors ? QColor::fromRgb(ContrastColor(paper().rgb() & 0xFFFFFFu))
                                                     : highlighterLineColor);
    }
    setCaretLineVisible(on);
}
