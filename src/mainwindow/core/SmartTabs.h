#pragma once

#include <QString>

#include <functional>
#include <optional>

// Smart TABs of the macro editor. Columns are display columns: a TAB character reaches the
// next multiple of TabWidth. LineText gives the text of a line by its number, from 0.
using LineTextFunction = std::function<QString(int line)>;

// The column a smart TAB takes the caret to from Column of Line: on the nearest line above
// that reaches beyond Column, the start of the next word after the rest of the word at
// Column. None when that line has no word there or no line above reaches so far: the TAB is
// then an ordinary one.
std::optional<int> SmartTabColumn(int line, int column, const LineTextFunction &lineText, int tabWidth);

// The column a smart Backspace deletes back to from Column of Line, when only blanks stand
// before Column: the indent of the nearest line above (blank lines passed over) indented less
// than Column, 0 when there is none. None when something other than blanks stands before
// Column, or Column is 0: the Backspace is then an ordinary one.
std::optional<int> SmartBackspaceColumn(int line, int column, const LineTextFunction &lineText, int tabWidth);

// Text with its TAB characters spread into blanks to their display columns.
QString ExpandTabs(const QString &text, int tabWidth);
