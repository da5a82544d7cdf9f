#include "dialogs/widgets/EditorSearch.h"

#include "dialogs/widgets/ConfirmReplacePrompter.h"
#include "dialogs/widgets/TTextReplaceDialog.h"
#include "platform/widgets/QsciIncludes.h"

#include <functional>

EditorSearch::EditorSearch(QsciScintilla &editor, QWidget &window, Prompter &prompter,
                           WordCharPredicate isWordChar)
    : m_document(editor), m_window(window), m_session(prompter, std::move(isWordChar))
{
}

SearchSession::MenuState EditorSearch::menuState(bool editorPageShown, bool treeMaximized) const
{
    return m_session.menuState(editorPageShown, m_document, treeMaximized);
}

SearchOutcome EditorSearch::ShowSearchReplaceDialog(bool replace)
{
    std::unique_ptr<TTextSearchDialog> dialog;
    if (replace)
        dialog = std::make_unique<TTextReplaceDialog>(&m_window);
    else
        dialog = std::make_unique<TTextSearchDialog>(&m_window);
    dialog->loadSettings(m_session.settings(), m_session.dialogSearchText(m_document));
    if (dialog->exec() != QDialog::Accepted)
        return {};
    dialog->saveSettings(m_session.settings());
    dialog.reset();

    ConfirmReplacePrompter prompter(m_document, m_window);
    return m_session.dialogAccepted(m_document, replace,
                                    std::bind_front(&ConfirmReplacePrompter::Memo1ReplaceText, &prompter));
}

SearchOutcome EditorSearch::DoSearchReplace(bool replace, bool backwards)
{
    ConfirmReplacePrompter prompter(m_document, m_window);
    return m_session.DoSearchReplace(m_document, replace, backwards,
                                     std::bind_front(&ConfirmReplacePrompter::Memo1ReplaceText, &prompter));
}
