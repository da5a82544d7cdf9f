#include "platform/PageBlock.h"

#include <sys/mman.h>

#include <utility>

PageBlock::PageBlock(qsizetype size)
{
    if (size <= 0)
        return;
    void *p = ::mmap(nullptr, static_cast<size_t>(size), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        return;
    m_data = p;
    m_size = size;
}

PageBlock::~PageBlock()
{
    if (m_data)
        ::munmap(m_data, static_cast<size_t>(m_size));
}

PageBlock::PageBlock(PageBlock &&other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)), m_size(std::exchange(other.m_size, 0))
{
}

PageBlock &PageBlock::operator=(PageBlock &&other) noexcept
{
    if (this != &other) {
        PageBlock gone(std::move(*this));
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
    }
    return *this;
}
