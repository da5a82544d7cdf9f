#pragma once

#include <QString>

// The about window's version line for the program's version ("major.minor.release.build",
// missing parts 0): "Version 2.8  (Release 1)", or "  (Beta)" after the version while the
// release is 0. A version that is no such text reads as 99999.99999.0.0.
QString AboutVersionLine(const QString &version);

// "Build: 18-Jan-2006.": the build date with its blanks made dashes.
QString AboutBuildLine();
