// The File menu's macro templates, inserted into the macro editor.
#include "mainwindow/MacroEditor.h"

#include "dialogs/MacroTemplates.h"
#include "table/FlagScope.h"

void MacroEditor::OpenTelnetsession1Click(int number)
{
    const QString text = MacroTemplateText(number);
    if (text.isEmpty())
        return;
    // Lines and columns, not a count of characters: the template starts a line of its own
    // unless the place it goes to already begins one.
    const long start = SendScintilla(SCI_GETSELECTIONSTART);
    const long line = SendScintilla(SCI_LINEFROMPOSITION, static_cast<unsigned long>(start));
    const bool atLineStart = SendScintilla(SCI_POSITIONFROMLINE, static_cast<unsigned long>(line)) == start;
    const QString lineBreak = QStringLiteral("\r\n");
    setFocus(Qt::OtherFocusReason);
    {
        FlagScope writing(m_programWrite);
        // One step of the undo history; the caret ends after the template's line break.
        replaceSelectedText((atLineStart ? QString() : lineBreak) + text + lineBreak);
    }
    Q_EMIT userEdited();
}
