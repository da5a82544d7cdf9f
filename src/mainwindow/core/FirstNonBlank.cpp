#include "mainwindow/core/FirstNonBlank.h"

namespace {

// Offset of the first byte above 32 in Bytes, or -1.
qint64 firstAbove32(QByteArrayView bytes)
{
    for (qsizetype i = 0; i < bytes.size(); ++i)
        if (static_cast<unsigned char>(bytes[i]) > 32)
            return i;
    return -1;
}

// Bytes are read this many at a time.
constexpr qint64 ReadPiece = 64 * 1024;

} // namespace

void FirstNonBlank::reset()
{
    m_known = false;
    m_first = -1;
    m_blankUpTo = 0;
}

void FirstNonBlank::inserted(qint64 position, QByteArrayView bytes)
{
    const qint64 n = bytes.size();
    if (n == 0)
        return;
    if (m_known) {
        if (m_first >= 0 && position <= m_first)
            m_first += n;
    } else if (position <= m_blankUpTo) {
        // The known blank bytes before Position stay in front; inserted blanks join them.
        const qint64 at = firstAbove32(bytes);
        if (at < 0) {
            m_blankUpTo += n;
        } else {
            m_known = true;
            m_first = position + at;
        }
        return;
    }
    if (!m_known)
        return;
    const qint64 at = firstAbove32(bytes);
    if (at >= 0 && (m_first < 0 || position + at < m_first))
        m_first = position + at;
}

void FirstNonBlank::deleted(qint64 position, qint64 count)
{
    if (count <= 0)
        return;
    const qint64 end = position + count;
    if (m_known) {
        if (m_first < 0 || m_first < position)
            return;
        if (m_first >= end) {
            m_first -= count;
            return;
        }
        // The first byte that counted went: everything before Position is still blank.
        m_known = false;
        m_blankUpTo = position;
        return;
    }
    if (end <= m_blankUpTo)
        m_blankUpTo -= count;
    else if (position < m_blankUpTo)
        m_blankUpTo = position;
}

qint64 FirstNonBlank::position()
{
    while (!m_known) {
        const QByteArrayView piece = m_read(m_blankUpTo, ReadPiece);
        if (piece.isEmpty()) {
            m_known = true;
            m_first = -1;
            break;
        }
        const qint64 at = firstAbove32(piece);
        if (at >= 0) {
            m_known = true;
            m_first = m_blankUpTo + at;
            break;
        }
        m_blankUpTo += piece.size();
    }
    return m_first;
}
