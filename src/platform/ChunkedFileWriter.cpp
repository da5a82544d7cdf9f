#include "platform/ChunkedFileWriter.h"

ChunkedFileWriter::ChunkedFileWriter(const QString &path) : m_file(path) {}

bool ChunkedFileWriter::open()
{
    m_failed = !m_file.open();
    // The room for a piece and a record beyond it is taken once and kept.
    if (!m_failed)
        m_buffer.reserve(Piece + Piece / 4);
    return !m_failed;
}

bool ChunkedFileWriter::writeBuffer()
{
    if (!m_failed && !m_buffer.isEmpty())
        m_failed = !m_file.write(m_buffer);
    m_buffer.resize(0);
    return !m_failed;
}

bool ChunkedFileWriter::commit()
{
    if (!writeBuffer()) {
        m_file.cancel();
        return false;
    }
    return m_file.commit();
}
