#pragma once

#include <QString>
#include <QStringList>

// The lines of Text, split at CR LF, a lone CR or a lone LF. A text that ends with a line
// break ends with an empty line; an empty text is one empty line.
QStringList SplitLines(const QString &text);
