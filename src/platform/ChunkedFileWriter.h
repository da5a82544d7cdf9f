#pragma once

#include "platform/AtomicFileWriter.h"

#include <QByteArray>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

// A file written whole through AtomicFileWriter, a large piece at a time: what the caller
// appends to buffer() goes to the file whenever the buffer holds a piece, so a large file
// never sits in memory whole and the writes stay few. Once a file grows beyond a piece, the
// pieces are written on a thread of the writer's own while the caller fills the next one, so
// making the bytes and writing them overlap. The file takes its name only in a commit() that
// follows writes that all succeeded.
class ChunkedFileWriter
{
public:
    explicit ChunkedFileWriter(const QString &path);
    // Waits for the pieces handed over; without a commit the old file stays as it was.
    ~ChunkedFileWriter();
    ChunkedFileWriter(const ChunkedFileWriter &) = delete;
    ChunkedFileWriter &operator=(const ChunkedFileWriter &) = delete;

    bool open();
    // Where the file's next bytes are appended.
    QByteArray &buffer() { return m_buffer; }
    // Hands the buffer over to be written once it holds a piece; false once a write has
    // failed (a failure may be told a piece or two after the piece that failed).
    bool writeWhenFull() { return m_buffer.size() < Piece ? !m_failed.load(std::memory_order_relaxed) : handOver(); }
    // Writes what is left and gives the file its name. False when any write failed: the old
    // file is then as it was.
    bool commit();

private:
    static constexpr qsizetype Piece = 1 << 20;
    // Pieces waiting for the writing thread at most: the caller waits for room beyond them.
    static constexpr std::size_t PiecesQueued = 2;

    bool handOver();
    // Writes the buffer on the caller's thread and empties it; false once a write has failed.
    bool writeBufferHere();
    // Lets the writing thread write what it was given and end.
    void finishWrites();
    void writePieces();

    AtomicFileWriter m_file;
    QByteArray m_buffer;
    std::atomic<bool> m_failed{false};

    // Shared with the writing thread.
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<QByteArray> m_queued;
    std::vector<QByteArray> m_emptied;
    bool m_closing = false;
    std::thread m_writer;
    bool m_noThread = false;
};
