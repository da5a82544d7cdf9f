#include "table/BranchDisposal.h"

#include "table/ConnectionTree.h"

#include <system_error>

namespace {

// Fewer nodes than this are freed at once: a thread would cost more than it saves.
constexpr int ManyNodes = 20'000;

} // namespace

BranchDisposal::~BranchDisposal()
{
    if (m_worker.joinable())
        m_worker.join();
}

void BranchDisposal::dispose(std::vector<std::unique_ptr<ConnectionNode>> branches, int nodeCount)
{
    if (nodeCount < ManyNodes) {
        branches.clear();
        return;
    }
    // One at a time: a second large disposal waits for the first.
    if (m_worker.joinable())
        m_worker.join();
    auto owned = std::make_shared<std::vector<std::unique_ptr<ConnectionNode>>>(std::move(branches));
    try {
        m_worker = std::thread([owned] { owned->clear(); });
    } catch (const std::system_error &) {
        owned->clear();
    }
}
