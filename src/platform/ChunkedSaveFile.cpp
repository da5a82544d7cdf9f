#include "platform/ChunkedSaveFile.h"

ChunkedSaveFile::ChunkedSaveFile(const QString &path) : m_file(path) {}

bool ChunkedSaveFile::open()
{
    // Unbuffered: the pieces go straight to the file instead of through a second copy.
    m_failed = !m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    // The room for a piece and a record beyond it is taken once and kept.
    if (!m_failed)
        m_buffer.reserve(Piece + Piece / 4);
    return !m_failed;
}

bool ChunkedSaveFile::writeBuffer()
{
    if (!m_failed && !m_buffer.isEmpty())
        m_failed = m_file.write(m_buffer) != m_buffer.size();
    m_buffer.resize(0);
    return !m_failed;
}

bool ChunkedSaveFile::commit()
{
    if (!writeBuffer()) {
        m_file.cancelWriting();
        return false;
    }
    return m_file.commit();
}
