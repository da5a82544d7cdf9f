#pragma once

#include <QString>

// A place in a text: a line (from 0) and a column in it, counted in UTF-16 code units of the
// line's QString (the line without its line end).
struct TextPosition
{
    int line = 0;
    int column = 0;

    friend bool operator==(const TextPosition &, const TextPosition &) = default;
    friend auto operator<=>(const TextPosition &, const TextPosition &) = default;
};

// The text of an editor as the search works on it: lines without their line ends, the caret,
// the selection, a range replaced, and undo groups. An editor component implements it; tests
// use a list of strings.
class TextDocument
{
public:
    virtual ~TextDocument() = default;

    // At least one line: an empty text is one empty line.
    virtual int lineCount() const = 0;
    virtual QString lineText(int line) const = 0;

    virtual TextPosition caret() const = 0;
    // The selection's ends in text order; both equal the caret when nothing is selected.
    virtual TextPosition selectionStart() const = 0;
    virtual TextPosition selectionEnd() const = 0;
    bool hasSelection() const { return selectionStart() != selectionEnd(); }
    // Selects from Anchor to Caret (either order) and shows the caret.
    virtual void setSelection(TextPosition anchor, TextPosition caret) = 0;

    // Replaces the text from From to To (From <= To) with Text, which may hold line breaks
    // ("\n"); the caret then stands at the end of the new text, nothing selected.
    virtual void replaceRange(TextPosition from, TextPosition to, const QString &text) = 0;

    // Changes between these two calls undo as one step.
    virtual void beginUndoGroup() = 0;
    virtual void endUndoGroup() = 0;
};
