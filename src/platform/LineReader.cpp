#include "platform/LineReader.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>

namespace {

// Reads are taken from the device this much at a time, and the buffer holds at least this;
// a smaller file takes room for itself alone.
constexpr qint64 Chunk = 256 * 1024;

} // namespace

LineReader::LineReader(QIODevice &device)
    : m_device(device),
      m_piece(device.isSequential() ? Chunk : std::clamp<qint64>(device.size() - device.pos() + 1, 1024, Chunk))
{
}

bool LineReader::fill()
{
    if (m_atEnd)
        return false;
    // What is left of the buffer moves to its front; a line longer than the buffer grows it.
    if (m_at > 0) {
        std::memmove(m_buffer.data(), m_buffer.constData() + m_at, static_cast<std::size_t>(m_filled - m_at));
        m_filled -= m_at;
        m_at = 0;
    }
    if (m_buffer.size() - m_filled < m_piece)
        m_buffer.resize(std::max(m_buffer.size() * 2, m_filled + m_piece));
    const qint64 got = m_device.read(m_buffer.data() + m_filled, m_buffer.size() - m_filled);
    if (got <= 0) {
        m_atEnd = true;
        m_failed = got < 0;
        return false;
    }
    m_filled += got;
    return true;
}

bool LineReader::next()
{
    if (m_failed)
        return false;
    qsizetype scanned = m_at;
    for (;;) {
        const char *begin = m_buffer.constData();
        if (const void *nl = std::memchr(begin + scanned, '\n', static_cast<std::size_t>(m_filled - scanned))) {
            const qsizetype at = static_cast<const char *>(nl) - begin;
            const bool crlf = at > m_at && begin[at - 1] == '\r';
            const qsizetype end = crlf ? at - 1 : at;
            m_line = QByteArrayView(begin + m_at, end - m_at);
            m_end = QByteArrayView(begin + end, at + 1 - end);
            m_at = at + 1;
            return true;
        }
        const qsizetype pending = m_filled - m_at;
        if (!fill()) {
            if (m_failed || pending == 0)
                return false;
            // The last line, without a line end.
            m_line = QByteArrayView(m_buffer.constData() + m_at, m_filled - m_at);
            m_end = QByteArrayView();
            m_at = m_filled;
            return true;
        }
        // Only the bytes that came now can hold the line's end.
        scanned = m_at + pending;
    }
}
