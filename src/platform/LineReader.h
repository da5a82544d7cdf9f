#pragma once

#include <QByteArray>
#include <QByteArrayView>

class QIODevice;

// Reads a device's lines front to back as they come, through a buffer of its own, so a file
// is never held whole: only the longest line must fit. A line ends at "\n", and a "\r" just
// before it belongs to the line end; the last line may have no end. Views stay valid until
// the next call of next().
class LineReader
{
public:
    explicit LineReader(QIODevice &device);

    // The next line; false at the end of the input or when the device failed.
    bool next();
    QByteArrayView line() const { return m_line; }
    // "\r\n", "\n", or empty for a last line without one.
    QByteArrayView lineEnd() const { return m_end; }
    // The device failed to give bytes (a read error, not the end of the input).
    bool failed() const { return m_failed; }

private:
    bool fill();

    QIODevice &m_device;
    const qint64 m_piece;     // what one read asks the device for at least
    QByteArray m_buffer;
    qsizetype m_at = 0;       // first byte not yet handed out
    qsizetype m_filled = 0;   // bytes of the buffer that hold input
    bool m_atEnd = false;
    bool m_failed = false;
    QByteArrayView m_line;
    QByteArrayView m_end;
};
