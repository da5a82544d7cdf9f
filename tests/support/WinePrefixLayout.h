#pragma once

#include <QString>

// The shape of a Wine prefix in Folder, without booting Wine: "drive_c" and "dosdevices"
// with the drives Wine makes, "c:" (to "../drive_c") and "z:" (to "/"). False when a part
// could not be made.
bool MakeWinePrefixLayout(const QString &folder);

// A file that begins as a Windows executable does ("MZ"); Wine is never asked to run it.
bool WriteWindowsExecutable(const QString &path);
