#pragma once

#include <QString>

// The find and replace settings, one set for the program's run (never stored): what the
// search and replace dialogs show and the Search menu's runs use. Histories hold one text per
// line.
struct SearchSettings
{
    bool Backwards = false;
    bool CaseSensitive = false;
    bool FromCursor = true;
    bool InSelection = false;
    bool WholeWords = false;
    bool RegularExpression = false;
    QString SearchText;
    QString SearchTextHistory;
    QString ReplaceText;
    QString ReplaceTextHistory;
};
