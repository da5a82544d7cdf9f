#pragma once

#include <QString>

class QFile;

// Opens a file the user named for reading, and only a regular file: a named pipe without a
// writer would block open() until one comes, a device may never end, and a directory opens on
// Linux and fails only at the read. Nothing is ever waited for: the open does not block, and
// what is no regular file is refused before a byte is read.
class RegularFile
{
public:
    enum class Status {
        Opened,
        Missing,      // nothing of that name
        NotRegular,   // a directory, named pipe, socket or device
        Failed,       // no permission, or another error of the system
    };

    // Opens Path read-only into File (Unbuffered adds to the mode). The status tells why
    // File stays closed.
    static Status open(QFile &file, const QString &path, bool unbuffered = false);

    // Why Path was refused, as a sentence for the user ("It is a named pipe, not a file.");
    // empty for Opened.
    static QString reason(Status status, const QString &path);
};
