#include "platform/ChunkedFileWriter.h"

#include <system_error>
#include <utility>

namespace {

// The room for a piece and a record beyond it, taken once for each buffer and kept.
constexpr qsizetype BufferRoom(qsizetype piece)
{
    return piece + piece / 4;
}

} // namespace

ChunkedFileWriter::ChunkedFileWriter(const QString &path) : m_file(path) {}

ChunkedFileWriter::~ChunkedFileWriter()
{
    finishWrites();
}

bool ChunkedFileWriter::open()
{
    m_failed = !m_file.open();
    if (!m_failed)
        m_buffer.reserve(BufferRoom(Piece));
    return !m_failed;
}

bool ChunkedFileWriter::handOver()
{
    if (m_failed) {
        m_buffer.resize(0);
        return false;
    }
    // A file of one piece is written without a thread; without one to be had (the system's
    // limit on threads), on the caller's.
    if (!m_writer.joinable() && !m_noThread) {
        try {
            m_writer = std::thread(&ChunkedFileWriter::writePieces, this);
        } catch (const std::system_error &) {
            m_noThread = true;
        }
    }
    if (m_noThread)
        return writeBufferHere();
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_queued.size() < PiecesQueued; });
    m_queued.push_back(std::exchange(m_buffer, QByteArray()));
    if (!m_emptied.empty()) {
        m_buffer = std::move(m_emptied.back());
        m_emptied.pop_back();
    }
    lock.unlock();
    m_changed.notify_all();
    if (m_buffer.capacity() < BufferRoom(Piece))
        m_buffer.reserve(BufferRoom(Piece));
    return !m_failed;
}

void ChunkedFileWriter::writePieces()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return !m_queued.empty() || m_closing; });
        if (m_queued.empty())
            return;
        QByteArray piece = std::move(m_queued.front());
        m_queued.pop_front();
        lock.unlock();
        // After a failure the rest is dropped: the file will not take the name.
        if (!m_failed && !m_file.write(piece))
            m_failed = true;
        piece.resize(0);
        lock.lock();
        m_emptied.push_back(std::move(piece));
        m_changed.notify_all();
    }
}

void ChunkedFileWriter::finishWrites()
{
    if (!m_writer.joinable())
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_closing = true;
    }
    m_changed.notify_all();
    m_writer.join();
}

bool ChunkedFileWriter::writeBufferHere()
{
    if (!m_failed && !m_buffer.isEmpty() && !m_file.write(m_buffer))
        m_failed = true;
    m_buffer.resize(0);
    return !m_failed;
}

bool ChunkedFileWriter::commit()
{
    finishWrites();
    if (!writeBufferHere()) {
        m_file.cancel();
        return false;
    }
    return m_file.commit();
}
