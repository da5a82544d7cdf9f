#pragma once

#include <QByteArray>
#include <QSaveFile>

// A file written through a temporary file renamed over the target (QSaveFile), a large piece
// at a time: what the caller appends to buffer() goes to the file whenever the buffer holds
// a piece, so a large file never sits in memory whole and the writes stay few. The target
// is replaced only by a commit() that follows writes that all succeeded.
class ChunkedSaveFile
{
public:
    explicit ChunkedSaveFile(const QString &path);

    bool open();
    // Where the file's next bytes are appended.
    QByteArray &buffer() { return m_buffer; }
    // Writes the buffer out once it holds a piece; false once a write has failed.
    bool writeWhenFull()
    {
        return m_buffer.size() < Piece ? !m_failed : writeBuffer();
    }
    // Writes what is left and puts the file in place of the target. False when any write
    // failed: the target is then as it was.
    bool commit();

private:
    static constexpr qsizetype Piece = 1 << 20;
    bool writeBuffer();

    QSaveFile m_file;
    QByteArray m_buffer;
    bool m_failed = false;
};
