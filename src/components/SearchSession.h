#pragma once

#include "components/SearchReplace.h"
#include "components/SearchSettings.h"

#include <functional>

class Prompter;
class TextDocument;

// The Search menu's state for one editor over the program's run: the settings the dialogs
// fill, whether the next search starts at the caret, the menu's enabling, and one search or
// replace run with its messages.
class SearchSession
{
public:
    // IsWordChar: the characters that make up a word for "whole words only".
    SearchSession(Prompter &prompter, WordCharPredicate isWordChar);

    // Called as every run starts (the window clears its status message there).
    void setRunStarting(std::function<void()> handler) { m_runStarting = std::move(handler); }

    SearchSettings &settings() { return m_settings; }
    const SearchSettings &settings() const { return m_settings; }

    struct MenuState
    {
        bool find = false;
        bool findNext = false;
        bool findPrevious = false;
        bool replace = false;
    };
    // Find and Replace need the macro page shown, a text that is more than blanks and line
    // breaks, and a tree that is not maximized; Find Next and Find Previous also a search
    // text.
    MenuState menuState(bool macroPageShown, const TextDocument &editor, bool treeMaximized) const;
    // The same for an editor that knows whether its text is more than blanks (HoldsText),
    // without reading the text.
    MenuState menuState(bool macroPageShown, bool holdsText, bool treeMaximized) const;

    // The search text a dialog opens with: the selection when it lies within one line, else
    // the last search text.
    QString dialogSearchText(const TextDocument &editor) const;

    // After a dialog closed with OK and its values went into settings(): the run the dialog
    // asked for, when there is a search text.
    SearchOutcome dialogAccepted(TextDocument &editor, bool replace, const ReplacePrompt &prompt);

    // One run with the kept settings. An invalid regular expression is reported and nothing
    // is searched. When no hit was found (a run whose hits were all skipped found some),
    // "Search string not found" is shown and the selection collapses to its end in the run's
    // direction.
    SearchOutcome DoSearchReplace(TextDocument &editor, bool replace, bool backwards,
                                  const ReplacePrompt &prompt = {});

private:
    Prompter &m_prompter;
    WordCharPredicate m_isWordChar;
    std::function<void()> m_runStarting;
    SearchSettings m_settings;
    // False until a dialog closes with OK, and after one that chose not to start at the
    // caret: the next run then covers the whole scope.
    bool m_continueFromCursor = false;
};
