#pragma once

#include <QByteArray>

class QPoint;
class QsciScintilla;

// The macro word at Editor's caret, with the macro language's word characters whether or not
// a macro lexer colours the editor; empty when the caret stands between words. The word's
// bytes are the editor's (UTF-8).
QByteArray MacroWordAtCaret(const QsciScintilla &editor);

// The macro word under Point of Editor's viewport, by the same characters; empty when the
// point is not over the text or stands between words.
QByteArray MacroWordAtPoint(const QsciScintilla &editor, const QPoint &point);
