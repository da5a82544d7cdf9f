#pragma once

#include <QString>
#include <QStringList>

// The built-in macro templates the File menu inserts into the macro editor, numbered 1 to 8
// in the menu's order. Their lines are separated by CR LF; only the Telnet template ends
// with a line break. Placeholders in angle brackets are for the user to replace.
inline constexpr int MacroTemplateCount = 8;

// The kind of template Number (the menu item's caption), or empty outside 1 to 8.
QString MacroTemplateKind(int number);
// Template Number's text, or empty outside 1 to 8.
QString MacroTemplateText(int number);
