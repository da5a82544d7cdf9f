#pragma once

#include "components/TextDocument.h"

#include <QPoint>

class QsciScintilla;

// A QsciScintilla editor's text as the search works on it. Columns are UTF-16 code units of
// a line; the editor counts bytes of its encoding, so every position is converted here. Line
// breaks given to replaceRange become the editor's own line ends.
class QsciTextDocument : public TextDocument
{
public:
    explicit QsciTextDocument(QsciScintilla &editor) : m_editor(editor) {}

    QsciScintilla &editor() const { return m_editor; }

    int lineCount() const override;
    QString lineText(int line) const override;
    TextPosition caret() const override;
    TextPosition selectionStart() const override;
    TextPosition selectionEnd() const override;
    void setSelection(TextPosition anchor, TextPosition caret) override;
    void replaceRange(TextPosition from, TextPosition to, const QString &text) override;
    void beginUndoGroup() override;
    void endUndoGroup() override;

    // Where Position is drawn: the top-left corner of its character in the editor's viewport,
    // and the height of its line.
    QPoint pointOf(TextPosition position) const;
    int lineHeight(int line) const;

private:
    long sci(unsigned int message, unsigned long wParam = 0, long lParam = 0) const;
    long bytePosition(TextPosition position) const;
    TextPosition textPosition(long bytePosition) const;
    QByteArray encode(const QString &text) const;
    QString decode(const QByteArray &bytes) const;
    QByteArray lineBytes(int line) const;

    QsciScintilla &m_editor;
};
