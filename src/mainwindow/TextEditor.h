#pragma once

#include "mainwindow/core/FirstNonBlank.h"
#include "platform/widgets/QsciIncludes.h"

struct FontOption;

// One of the window's text editors, the macro editor and the popup editor: line breaks CR LF
// as the macro files hold them, text as UTF-8, the window's one insert/overwrite mode, and the
// caret position as the status bar shows it. Text the program puts in is never the user's
// edit: only a change made while the editor has the focus is reported.
class TextEditor : public QsciScintilla
{
    Q_OBJECT
public:
    explicit TextEditor(QWidget *parent = nullptr);

    // Replaces the text and forgets the undo history: undoing must never bring back another
    // connection's text.
    void replaceText(const QString &text);
    // Empties the editor as its Clear does.
    void clearText();
    // Insert mode off: a typed character replaces the one after the caret.
    void setInsertMode(bool insert) { setOverwriteMode(!insert); }
    // "Ln. <line>, Col. <column>" of the caret, both from 1; the column counts characters,
    // not the bytes the editor stores them in.
    QString caretPositionText() const;
    // The editor font's name, when the option holds one.
    void applyFontName(const FontOption &font);
    // The text holds nothing above blanks and control characters. Kept up to date with each
    // change, so asking costs nothing in proportion to the text's length.
    bool isBlank() const;

Q_SIGNALS:
    // The user changed the text (typing, pasting, undoing with the focus here).
    void userEdited();
    // The Insert key: the window switches its one insert/overwrite mode (the editor's own
    // handling would keep a mode of its own).
    void insertKeyPressed();
    // The focus came or went for good (not passing through a menu or another window).
    void entered();
    void left();
    // The mouse went up over the text while the editor has the focus: what Cut and Copy can
    // do may have changed.
    void mouseReleased();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

    // Set while the program writes the text: no change then is reported as the user's.
    bool m_programWrite = false;

private:
    void noteModification(int position, int modificationType, const char *text, int length);
    // Handles a key or an input method's text without the notifications the component sends
    // after each change, then tells the change as the component would have.
    template <typename Handle>
    void typed(Handle handle);

    mutable FirstNonBlank m_firstNonBlank;
    // The text's length as the changes told it; another length means a change went untold.
    mutable qint64 m_toldLength = 0;
    // While typed() runs: a change was told before it was made.
    bool m_typing = false;
    bool m_typedChange = false;
};
