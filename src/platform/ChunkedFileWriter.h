#pragma once

#include "platform/AtomicFileWriter.h"

#include <QByteArray>

// A file written whole through AtomicFileWriter, a large piece at a time: what the caller
// appends to buffer() goes to the file whenever the buffer holds a piece, so a large file
// never sits in memory whole and the writes stay few. The file takes its name only in a
// commit() that follows writes that all succeeded.
class ChunkedFileWriter
{
public:
    explicit ChunkedFileWriter(const QString &path);

    bool open();
    // Where the file's next bytes are appended.
    QByteArray &buffer() { return m_buffer; }
    // Writes the buffer out once it holds a piece; false once a write has failed.
    bool writeWhenFull() { return m_buffer.size() < Piece ? !m_failed : writeBuffer(); }
    // Writes what is left and gives the file its name. False when any write failed: the old
    // file is then as it was.
    bool commit();

private:
    static constexpr qsizetype Piece = 1 << 20;
    bool writeBuffer();

    AtomicFileWriter m_file;
    QByteArray m_buffer;
    bool m_failed = false;
};
