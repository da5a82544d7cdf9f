#pragma once

#include <QString>

// Whether a program file is a Windows executable, which Linux cannot start by itself.
namespace ExecutableKind {

// True when the file begins with the DOS header's "MZ". Scripts and ELF programs, missing and
// unreadable files give false: they are started as they are.
bool isWindowsExecutable(const QString &path);

} // namespace ExecutableKind
