#pragma once

#include <QString>

// Path made absolute with its symbolic links resolved as far as it exists; the part that does
// not exist yet (a log file a run will name) follows as written. Two names of one folder give
// one text, so paths can be compared as text.
QString ResolvedPath(const QString &path);
