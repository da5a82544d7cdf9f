#pragma once

#include <QString>
#include <QStringList>

// The running processes, as the kernel lists them under /proc.
namespace ProcessSnapshot {

// The file names a process is known by (ProcessDir is its folder under /proc): its command
// name, its executable's, its program's (the first argument), and, when that program is
// Wine's loader or preloader, the Windows program the loader runs (the second argument). Any
// other program's arguments are its own business: "less ttermpro.exe" is less. Names that
// cannot be read are left out.
QStringList ProcessEntryExeNames(const QString &processDir);
// The same from what the folder holds: the bytes of "comm" and "cmdline" (arguments ended by
// NUL bytes), and the target of the "exe" link.
QStringList ExeNamesOf(const QByteArray &command, const QString &exeTarget, const QByteArray &commandLine);

// Whether a process known by the file name ExeName runs, letter case aside.
bool IsProcessRunning(const QString &exeName);

// Tests scan a made-up folder in place of /proc; an empty path restores it.
void setRootForTesting(const QString &root);

} // namespace ProcessSnapshot
