#include "mainwindow/EditorLook.h"

#include "macrolang/widgets/MacroLexer.h"

void ApplyEditorFont(QsciScintilla &editor, MacroLexer *lexer, const QFont &font)
{
    editor.setFont(font);
    if (lexer)
        lexer->setEditorFont(font);
}

void ApplyEditorBackground(QsciScintilla &editor, MacroLexer *lexer, const QColor &background)
{
    editor.setPaper(background);
    if (lexer)
        lexer->setEditorBackground(background);
}

void ApplySelectionColors(QsciScintilla &editor, const EditorColors &colors)
{
    editor.setSelectionForegroundColor(colors.selectionForeground);
    editor.setSelectionBackgroundColor(colors.selectionBackground);
    editor.setCaretLineBackgroundColor(colors.activeLine);
}
