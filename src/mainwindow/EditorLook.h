#pragma once

#include <QColor>

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

// Editor's colours and font. While the macro lexer colours the editor, its styles carry the
// background and the font, so they go there; the editor keeps them as well for when it has no
// lexer.
void ApplyEditorColors(QsciScintilla &editor, const EditorColors &colors);
void ApplyEditorFont(QsciScintilla &editor, const QFont &font);
