#pragma once

#include "shell/ProgramOptions.h"

#include <QFont>

// Base with the parts of Option that hold a value: its name, size and style. The character
// set is a Windows notion a QFont has no place for: it is kept in the options only.
QFont FontFromOption(QFont base, const FontOption &option);

// Font as the options keep it: the name as chosen (a missing font is drawn with the display's
// substitute, but the name stays), the size in points, the style bits, and CharSet as it was.
FontOption FontOptionFrom(const QFont &font, std::optional<int> charSet);
