#include "mainwindow/TextEditor.h"

#include "shell/ProgramOptions.h"
#include "table/FlagScope.h"

TextEditor::TextEditor(QWidget *parent) : QsciScintilla(parent)
{
    setEolMode(QsciScintilla::EolWindows);
    setUtf8(true);
    // The editor reports program writes too: the focus tells the user's apart.
    connect(this, &QsciScintilla::textChanged, this, [this] {
        if (!m_programWrite && hasFocus())
            Q_EMIT userEdited();
    });
}

void TextEditor::replaceText(const QString &text)
{
    FlagScope writing(m_programWrite);
    setText(text);
    SendScintilla(SCI_EMPTYUNDOBUFFER);
}

void TextEditor::clearText()
{
    FlagScope writing(m_programWrite);
    clear();
}

void TextEditor::applyFontName(const FontOption &option)
{
    if (!option.Name)
        return;
    QFont f = font();
    f.setFamily(*option.Name);
    setFont(f);
}

QString TextEditor::caretPositionText() const
{
    int line = 0;
    int index = 0;
    getCursorPosition(&line, &index);
    const long lineStart = SendScintilla(SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    const long caret = SendScintilla(SCI_GETCURRENTPOS);
    const long column = SendScintilla(SCI_COUNTCHARACTERS, static_cast<unsigned long>(lineStart), caret);
    return QStringLiteral("Ln. %1, Col. %2").arg(line + 1).arg(column + 1);
}
