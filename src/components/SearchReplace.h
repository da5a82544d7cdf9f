#pragma once

#include "components/SearchPattern.h"

#include <QFlags>
#include <QString>

#include <functional>

class TextDocument;

// How a search or replace run goes.
enum SearchOption {
    ssoMatchCase = 0x01,
    ssoWholeWord = 0x02,
    ssoBackwards = 0x04,
    ssoEntireScope = 0x08,   // the whole scope, not from the caret
    ssoSelectedOnly = 0x10,  // within the selection; ignored when nothing is selected
    ssoReplace = 0x20,
    ssoReplaceAll = 0x40,    // every hit of the range, not only the first
    ssoPrompt = 0x80,        // ask before each replacement
};
Q_DECLARE_FLAGS(SearchOptions, SearchOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(SearchOptions)

// The answer to the question asked before a replacement.
enum ReplaceAction { raCancel, raSkip, raReplace, raReplaceAll };

// Asked before each replacement of a prompting run, with the hit selected: the search and
// replacement texts as given, and where the hit starts.
using ReplacePrompt =
    std::function<ReplaceAction(const QString &search, const QString &replace, int line, int column)>;

struct SearchRequest
{
    QString searchText;
    QString replaceText;   // a template for a regular expression (see ExpandReplaceTemplate)
    SearchOptions options;
    SearchPattern::Engine engine = SearchPattern::Engine::PlainText;
    WordCharPredicate isWordChar;   // for ssoWholeWord
};

struct SearchOutcome
{
    int found = 0;      // hits reached, replaced or not
    int replaced = 0;
    bool cancelled = false;
    QString patternError;   // set when the regular expression is invalid; nothing was searched
};

// One search or replace run over Document, line by line: a hit never spans a line break, the
// range runs from the caret (or over the whole text, or the selection) in the run's direction
// and never wraps around, and a hit counts only when it lies wholly inside the range. A search
// selects the first hit (the caret at its far end in the run's direction) and stops. A replace
// selects each hit, asks Prompt when ssoPrompt is set, and replaces it; a replacement of
// another length moves the later hits of its line along. "Replace all" (given or answered)
// makes the replacements that follow one undo step. An empty hit at the caret is no hit of a
// search from the caret, so a repeated search always moves on.
SearchOutcome SearchReplace(TextDocument &document, const SearchRequest &request,
                            const ReplacePrompt &prompt = {});
