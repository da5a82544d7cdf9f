#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

// teraterm.ini as the configuration backup keeps it: one line "[section]key=value" per entry.

// The entries of an ini file, each as its section header followed by its trimmed line. Lines
// before the first section, comments and lines without "=" are no entries.
QList<QByteArray> TeraTermIniEntries(const QByteArray &ini);

struct TeraTermIniEntry
{
    QByteArray section;
    QByteArray key;     // without blanks around it
    QByteArray value;   // as it stands: a blank after "=" is kept
};

// One kept line read back; nothing for a line that does not begin with a section in brackets
// followed by a "=" (the backup is read from a store that may have been edited).
std::optional<TeraTermIniEntry> ParseTeraTermIniEntry(const QByteArray &line);
