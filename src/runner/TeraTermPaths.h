#pragma once

#include "platform/WineDriveMap.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The names TeraTerm knows the files this program hands it by: on its command line and in
// the macro text it runs. A Windows TeraTerm in a Wine prefix reads them through the prefix's
// drives ("C:\...\Temp_TTL\~macroC1.ttl"); the build's stand-in, and a TeraTerm outside any
// prefix, read the Linux paths as they are. This program keeps using the Linux paths for its
// own work on those files.
class TeraTermPaths
{
public:
    // Linux paths as they are.
    TeraTermPaths() = default;
    // Paths through the drives of the Wine prefix Prefix.
    explicit TeraTermPaths(const QString &prefix);
    // For the TeraTerm of the program folder: through the drives of the prefix the folder lies
    // in when "ttermpro.exe" is a Windows executable, else as they are.
    static TeraTermPaths forProgramFolder();

    bool throughWine() const { return !m_prefix.isEmpty(); }
    const QString &prefix() const { return m_prefix; }

    // File as TeraTerm names it; nothing when TeraTerm has no name for it (no drive of the
    // prefix shows it, or a name in it is no Windows name).
    std::optional<QString> file(const QString &path) const;
    // Folder as TeraTerm names it, with its closing separator. The empty path (a folder that
    // could not be made) gives the separator alone.
    std::optional<QString> folder(const QString &path) const;
    // The Windows folder with its closing separator: Wine's "C:\windows\" in a prefix.
    QByteArray windowsDir() const;
    // A name as a macro file holds it: Windows names in UTF-8, Linux paths in the file
    // system's encoding.
    QByteArray bytes(const QString &name) const;

private:
    QChar separator() const;

    QString m_prefix;
    WineDriveMap m_drives;
};
