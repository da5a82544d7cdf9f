#pragma once

#include <QColor>

class MacroLexer;
class QFont;
class QsciScintilla;

// The four colours of a macro editor that the Highlighter page sets.
struct EditorColors
{
    QColor selectionForeground;
    QColor selectionBackground;
    QColor activeLine;
    QColor background;

    bool operator==(const EditorColors &) const = default;
};

// An editor's font and background. While the editor's macro lexer colours it, the lexer's
// styles carry both, so they go to Lexer (null for none) as well, attached or waiting to be;
// the editor keeps them for when it has no lexer.
void ApplyEditorFont(QsciScintilla &editor, MacroLexer *lexer, const QFont &font);
void ApplyEditorBackground(QsciScintilla &editor, MacroLexer *lexer, const QColor &background);

// The selected text's and the active line's colours, whichever colours the text, and whichever
// program owns the desktop's selection.
void ApplySelectionColors(QsciScintilla &editor, const EditorColors &colors);
