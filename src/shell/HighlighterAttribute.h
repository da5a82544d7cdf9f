#pragma once

#include "shell/ProgramOptions.h"

#include <QString>

// One text attribute of the macro highlighter as the options keep it: colours in the stored
// form (StoredColor::None for "no colour of its own") and FontStyleBits.
struct HighlighterAttribute
{
    QString Name;
    quint32 Foreground = StoredColor::None;
    quint32 Background = StoredColor::None;
    int Style = 0;

    bool operator==(const HighlighterAttribute &) const = default;
};
