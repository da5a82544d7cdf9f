#include "mainwindow/EditorLook.h"

#include "macrolang/widgets/MacroLexer.h"

void ApplyEditorColors(QsciScintilla &editor, const EditorColors &colors)
{
    editor.setSelectionForegroundColor(colors.selectionForeground);
    editor.setSelectionBackgroundColor(colors.selectionBackground);
    editor.setCaretLineBackgroundColor(colors.activeLine);
    editor.setPaper(colors.background);
    if (auto *lexer = qobject_cast<MacroLexer *>(editor.lexer()))
        lexer->setEditorBackground(colors.background);
}

void ApplyEditorFont(QsciScintilla &editor, const QFont &font)
{
    editor.setFont(font);
    if (auto *lexer = qobject_cast<MacroLexer *>(editor.lexer()))
        lexer->setEditorFont(font);
}
