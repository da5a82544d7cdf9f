#pragma once

#include <QtGlobal>

// Memory taken from the system in whole pages and given back to it when the block goes,
// whichever thread allocated it: unlike the heap of the thread that made it, which keeps what
// is freed for that thread alone, a block freed by one thread is at once room for any other.
// The bytes start as zeros.
class PageBlock
{
public:
    PageBlock() = default;
    explicit PageBlock(qsizetype size);
    ~PageBlock();
    PageBlock(PageBlock &&other) noexcept;
    PageBlock &operator=(PageBlock &&other) noexcept;
    PageBlock(const PageBlock &) = delete;
    PageBlock &operator=(const PageBlock &) = delete;

    // Null when the system had no room, or for an empty block.
    void *data() const { return m_data; }
    qsizetype size() const { return m_size; }

private:
    void *m_data = nullptr;
    qsizetype m_size = 0;
};
