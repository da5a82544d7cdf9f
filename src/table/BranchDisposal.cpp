#include "table/BranchDisposal.h"

#include "table/ConnectionTree.h"

namespace {

// Fewer nodes than this are freed at once: slicing would cost more than it saves.
constexpr int ManyNodes = 20'000;
// About a millisecond of freeing.
constexpr int SliceNodes = 10'000;

} // namespace

BranchDisposal::BranchDisposal()
{
    m_idle.setInterval(0);
    QObject::connect(&m_idle, &QTimer::timeout, &m_idle, [this] { freeSlice(); });
}

void BranchDisposal::dispose(std::vector<std::unique_ptr<ConnectionNode>> branches, int nodeCount)
{
    if (nodeCount < ManyNodes) {
        branches.clear();
        return;
    }
    m_pending.insert(m_pending.end(), std::make_move_iterator(branches.begin()),
                     std::make_move_iterator(branches.end()));
    m_idle.start();
}

void BranchDisposal::freeSlice()
{
    for (int freed = 0; freed < SliceNodes && !m_pending.empty(); ++freed) {
        std::unique_ptr<ConnectionNode> node = std::move(m_pending.back());
        m_pending.pop_back();
        // Its children wait their turn, so the node alone is freed here.
        std::vector<std::unique_ptr<ConnectionNode>> &children = node->m_children;
        m_pending.insert(m_pending.end(), std::make_move_iterator(children.begin()),
                         std::make_move_iterator(children.end()));
        children.clear();
    }
    if (m_pending.empty()) {
        m_idle.stop();
        // The room of the largest table seen is not kept.
        m_pending.shrink_to_fit();
    }
}
