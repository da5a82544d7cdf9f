#pragma once

#include <QByteArray>

class QsciScintilla;

// The macro word at Editor's caret, with the macro language's word characters whether or not
// a macro lexer colours the editor; empty when the caret stands between words. The word's
// bytes are the editor's (UTF-8).
QByteArray MacroWordAtCaret(const QsciScintilla &editor);
