#pragma once

#include <QString>
#include <QtGlobal>

// The shape of a Wine prefix in Folder, without booting Wine: "drive_c" and "dosdevices"
// with the drives Wine makes, "c:" (to "../drive_c") and "z:" (to "/"). False when a part
// could not be made.
bool MakeWinePrefixLayout(const QString &folder);

// PE machine fields of Windows executables.
constexpr quint16 PeI386 = 0x014C;
constexpr quint16 PeX86_64 = 0x8664;
constexpr quint16 PeArm64 = 0xAA64;

// A Windows executable's headers for the machine Field, as a linker writes them; Wine is
// never asked to run it.
bool WriteWindowsExecutable(const QString &path, quint16 field = PeI386);
