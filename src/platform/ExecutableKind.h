#pragma once

#include <QString>
#include <QtGlobal>

class QIODevice;

// What kind of program a file is: a Windows executable, which Linux cannot start by itself,
// and the machine it was built for; or a Linux (ELF) program and its machine.
namespace ExecutableKind {

enum class Machine { None, I386, X86_64, Arm, Arm64, Other };

// True when the file begins with the DOS header's "MZ". Scripts and ELF programs, missing and
// unreadable files give false: they are started as they are.
bool isWindowsExecutable(const QString &path);

// The machine field of a Windows executable's PE file header. Machine is None when the file
// has no PE header (no "MZ", a DOS program, a header cut short or pointing outside the file);
// Field then is 0. Other machines keep their field, so a message can name it.
struct WindowsMachine
{
    Machine machine = Machine::None;
    quint16 field = 0;
};
WindowsMachine windowsMachine(const QString &path);
WindowsMachine windowsMachine(QIODevice &device);

// The machine of a Linux program from its ELF header: None for a file that is no ELF file
// (a script, say); Other for another machine, or an i386 or x86-64 code with the wrong word
// size or byte order.
Machine linuxMachine(const QString &path);
Machine linuxMachine(QIODevice &device);

// The machine as a message names it: "32-bit x86 (i386)", "64-bit x86 (x86-64)", ...
QString machineName(Machine machine);

} // namespace ExecutableKind
