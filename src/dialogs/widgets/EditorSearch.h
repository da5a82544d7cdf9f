#pragma once

#include "components/SearchSession.h"
#include "components/widgets/QsciTextDocument.h"

class Prompter;
class QsciScintilla;
class QWidget;

// Find and replace in one editor, as the Search menu runs them: the search or replace dialog
// over the session's settings, the runs with the confirm-replace dialog, and the menu's state.
// Window owns the dialogs and is the area the confirm dialog is placed against.
class EditorSearch
{
public:
    EditorSearch(QsciScintilla &editor, QWidget &window, Prompter &prompter, WordCharPredicate isWordChar);

    SearchSession &session() { return m_session; }

    SearchSession::MenuState menuState(bool editorPageShown, bool treeMaximized) const;
    // The same when the editor tells whether its text is more than blanks (HoldsText).
    SearchSession::MenuState menuState(bool editorPageShown, bool holdsText, bool treeMaximized) const
    {
        return m_session.menuState(editorPageShown, holdsText, treeMaximized);
    }

    // Find (replace false) and Replace: the dialog, and on OK its settings kept and the run.
    // A cancelled dialog gives an empty outcome and keeps every setting.
    SearchOutcome ShowSearchReplaceDialog(bool replace);
    // Find Next and Find Previous (replace false), or a replace run, with the kept settings.
    SearchOutcome DoSearchReplace(bool replace, bool backwards);

private:
    QsciTextDocument m_document;
    QWidget &m_window;
    SearchSession m_session;
};
