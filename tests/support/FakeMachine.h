#pragma once

#include "support/ScopedEnv.h"

#include <QString>
#include <QStringList>

// A made-up machine in a folder, for the Wine locator: its files, written from one line each,
//   "usr/bin/wine -> /etc/alternatives/wine"      a symbolic link, kept as written
//   "usr/lib/wine/wine64: elf x86-64"             a loader's ELF header (i386, x86-64, arm64)
//   "usr/bin/wine-stable: debian-wrapper /usr/lib/wine/wine /usr/lib/wine/wine64"
//                                                 Debian's wrapper script naming its loaders
//   "usr/local/bin/wine: script"                  some other shell script
//   "usr/lib/wine/i386-windows/ntdll.dll: file"   any other file
// Programs are executable. While it lives, the locator takes Folder for the root of the file
// system and the PATH is the machine's Path (folders under that root).
class FakeMachine
{
public:
    FakeMachine(const QString &folder, const QStringList &files,
                const QString &path = QStringLiteral("/usr/local/bin:/usr/bin:/bin"));
    ~FakeMachine();
    FakeMachine(const FakeMachine &) = delete;
    FakeMachine &operator=(const FakeMachine &) = delete;

    bool isReady() const { return m_ready; }
    // Where the machine's Path lies here.
    QString file(const QString &path) const;

    // Debian's and Ubuntu's Wine packages: the wrapper of "wine", with "wine32" (i386) and
    // "wine64" as asked.
    static QStringList debian(bool wine32, bool wine64);

private:
    bool make(const QString &line);

    QString m_folder;
    ScopedEnv m_path{"PATH"};
    bool m_ready = true;
};
