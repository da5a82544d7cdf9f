#include "components/SearchSession.h"

#include "components/TextDocument.h"
#include "platform/Prompter.h"

#include <algorithm>

namespace {

// Blanks, line breaks and other control characters, as a trim counts them.
bool isBlank(QChar c)
{
    return c.unicode() <= ' ';
}

bool holdsNonBlank(const TextDocument &doc)
{
    for (int line = 0; line < doc.lineCount(); ++line) {
        const QString text = doc.lineText(line);
        if (std::any_of(text.cbegin(), text.cend(), [](QChar c) { return !isBlank(c); }))
            return true;
    }
    return false;
}

} // namespace

SearchSession::SearchSession(Prompter &prompter, WordCharPredicate isWordChar)
    : m_prompter(prompter), m_isWordChar(std::move(isWordChar))
{
}

SearchSession::MenuState SearchSession::menuState(bool macroPageShown, const TextDocument &editor,
                                                  bool treeMaximized) const
{
    return menuState(macroPageShown, macroPageShown && !treeMaximized && holdsNonBlank(editor), treeMaximized);
}

SearchSession::MenuState SearchSession::menuState(bool macroPageShown, bool holdsText, bool treeMaximized) const
{
    MenuState s;
    s.find = macroPageShown && !treeMaximized && holdsText;
    s.findNext = s.find && !m_settings.SearchText.isEmpty();
    s.findPrevious = s.findNext;
    s.replace = s.find;
    return s;
}

QString SearchSession::dialogSearchText(const TextDocument &editor) const
{
    const TextPosition start = editor.selectionStart();
    const TextPosition end = editor.selectionEnd();
    if (start != end && start.line == end.line)
        return editor.lineText(start.line).mid(start.column, end.column - start.column);
    return m_settings.SearchText;
}

SearchOutcome SearchSession::dialogAccepted(TextDocument &editor, bool replace, const ReplacePrompt &prompt)
{
    m_continueFromCursor = m_settings.FromCursor;
    SearchOutcome outcome;
    if (!m_settings.SearchText.isEmpty()) {
        outcome = DoSearchReplace(editor, replace, m_settings.Backwards, prompt);
        m_continueFromCursor = true;
    }
    return outcome;
}

SearchOutcome SearchSession::DoSearchReplace(TextDocument &editor, bool replace, bool backwards,
                                             const ReplacePrompt &prompt)
{
    if (m_runStarting)
        m_runStarting();
    SearchRequest request;
    request.searchText = m_settings.SearchText;
    request.replaceText = m_settings.ReplaceText;
    request.engine = m_settings.RegularExpression ? SearchPattern::Engine::RegularExpression
                                                  : SearchPattern::Engine::PlainText;
    request.isWordChar = m_isWordChar;
    if (replace)
        request.options |= ssoReplace | ssoReplaceAll | ssoPrompt;
    if (backwards)
        request.options |= ssoBackwards;
    if (m_settings.CaseSensitive)
        request.options |= ssoMatchCase;
    if (!m_continueFromCursor)
        request.options |= ssoEntireScope;
    if (m_settings.InSelection)
        request.options |= ssoSelectedOnly;
    if (m_settings.WholeWords)
        request.options |= ssoWholeWord;

    const SearchOutcome outcome = SearchReplace(editor, request, prompt);
    if (!outcome.patternError.isEmpty()) {
        m_prompter.warning(QStringLiteral("Invalid regular expression: ") + outcome.patternError);
        return outcome;
    }
    if (outcome.found == 0) {
        m_prompter.warning(QStringLiteral("Search string not found"));
        const TextPosition to = backwards ? editor.selectionStart() : editor.selectionEnd();
        editor.setSelection(to, to);
    }
    return outcome;
}
