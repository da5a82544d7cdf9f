#pragma once

#include "platform/ExecutableKind.h"
#include "platform/MachineRoot.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// One Wine on the machine: the loader a Windows program is started with, and which machines'
// programs it runs. That is decided from the loader's files, without starting Wine:
// - Links are followed (Debian's /usr/bin/wine goes through /etc/alternatives to wine-stable).
// - Debian's and Ubuntu's wrapper, a shell script that names its loaders in the lines
//   "wine32=..." and "wine64=..." and runs the first one that is there, runs what that loader
//   runs: with wine32 installed both machines, else 64-bit programs only.
// - A 32-bit (i386) loader runs 32-bit programs, and 64-bit ones too when a 64-bit loader
//   "wine64" stands beside it: the pair of a WoW64 installation (Debian's /usr/lib/wine,
//   WineHQ's /opt/wine-*/bin, older Fedora and Arch), where each hands the other's programs
//   over.
// - A 64-bit (x86-64) loader runs 64-bit programs, and 32-bit ones too when a 32-bit loader
//   "wine" stands beside it (the same pair), or when its library folder holds Wine's 32-bit
//   Windows side beside its 64-bit Unix side ("i386-windows/ntdll.dll" with
//   "x86_64-unix/ntdll.so"): the single loader of the new WoW64 builds.
// - Any other script cannot be known without running it: it is taken to run both, so a
//   user's own wrapper is never refused.
// Loaders for other machines run neither.
class WineLoader
{
public:
    enum class Layout { DebianWrapper, Loader32, Loader64, Wow64Pair, NewWow64, OtherMachine, Script };

    // The loader at the machine's path Path under Root; nothing when Path is no executable
    // file, or a file no Wine loader can be (a Debian wrapper whose loaders are all gone).
    static std::optional<WineLoader> inspect(const MachineRoot &root, const QString &path);

    // The loaders a Debian wrapper script names, in the order it tries them; empty for any
    // other file.
    static QStringList wrapperLoaders(const QByteArray &script);

    // The file to start, as found on this file system (links not resolved).
    const QString &path() const { return m_path; }
    bool runs(ExecutableKind::Machine machine) const;
    // The machine of the loader that runs (a wrapper's loader, once it has chosen); None for
    // a script of unknown kind. A loader runs programs of its own machine without handing
    // them over to another.
    ExecutableKind::Machine loaderMachine() const { return m_machine; }
    Layout layout() const { return m_layout; }

private:
    WineLoader(const QString &path, Layout layout, ExecutableKind::Machine machine, bool runs32, bool runs64)
        : m_path(path), m_layout(layout), m_machine(machine), m_runs32(runs32), m_runs64(runs64) {}

    QString m_path;
    Layout m_layout = Layout::Script;
    ExecutableKind::Machine m_machine = ExecutableKind::Machine::None;
    bool m_runs32 = false;
    bool m_runs64 = false;
};
