#include "mainwindow/MacroEditor.h"

#include "mainwindow/core/ContrastColor.h"

MacroEditor::MacroEditor(QWidget *parent) : TextEditor(parent)
{
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
