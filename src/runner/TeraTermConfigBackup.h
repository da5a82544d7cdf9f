#pragma once

#include "runner/RunContext.h"

#include <QLocale>
#include <QString>

class Prompter;
class Registry;
class TableHost;

// Keeps a copy of TeraTerm's configuration in the program's registry key and writes it back:
// the entries of "teraterm.ini" as "IniBackup", the whole of "cygterm.cfg" as
// "CygTermBackup", both escaped as stored texts are. Installing a new TeraTerm overwrites its
// settings; a restore brings them back.
//
// Both files are those of the program folder, which is TeraTerm's folder. Every step tells
// the user through the host's prompter what happened; the host shows the hourglass while a
// restore rewrites the files. A restore first copies each file it replaces
// to a dated name beside it, and never over an existing file; every file it writes is
// written whole or not at all.
class TeraTermConfigBackup
{
public:
    enum class Outcome {
        Done,
        Declined,     // the user answered No to the restore question
        NoBackup,     // nothing stored to restore
        Failed,       // a file or the registry could not be read or written; nothing changed
                      // unless the message says otherwise
    };

    TeraTermConfigBackup(const QString &programDir, Registry &registry, TableHost &host,
                         Clock clock = {}, const QLocale &locale = QLocale::system());

    // Stores the entries of "teraterm.ini" (each with its section, behind a first line with
    // the time) and, when it exists, the text of "cygterm.cfg"; without "cygterm.cfg" an
    // earlier "CygTermBackup" stays.
    Outcome Backup();

    // After the user agrees, writes every stored entry into "teraterm.ini" (entries the
    // backup does not mention stay) and the stored text as "cygterm.cfg", each after a dated
    // copy of the file it changes.
    Outcome Restore();

    // Whether a backup is stored (the key exists and holds a non-empty "IniBackup"): what
    // enables the Restore command at start.
    static bool ReadTTConfigBackup(const Registry &registry);

private:
    QString filePath(const QString &name) const;
    QString dated(const QString &path, const QDateTime &time) const;
    bool makeDatedCopy(const QString &path, const QDateTime &time, QString *copyPath) const;
    Outcome fail(const QString &headline, const QString &reason) const;

    QString m_programDir;
    Registry &m_registry;
    TableHost &m_host;
    Prompter &m_prompter;
    Clock m_clock;
    QLocale m_locale;
};
