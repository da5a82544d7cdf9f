#pragma once

#include <QTimer>

#include <memory>
#include <vector>

class ConnectionNode;

// Destroys branches taken out of a tree. Large ones are freed a slice at a time whenever the
// event loop is idle, so that emptying a big table or deleting most of it does not wait until
// every node is freed, and the command itself (Open reads the new table right after emptying
// the old one) is not slowed by a second thread waiting on the allocator's lock at every
// node. Nothing else holds the branches by then; the destructor frees what is left.
class BranchDisposal
{
public:
    BranchDisposal();
    BranchDisposal(const BranchDisposal &) = delete;
    BranchDisposal &operator=(const BranchDisposal &) = delete;

    // Branches hold NodeCount nodes in all.
    void dispose(std::vector<std::unique_ptr<ConnectionNode>> branches, int nodeCount);
    // Nodes are still waiting to be freed.
    bool busy() const { return !m_pending.empty(); }

private:
    void freeSlice();

    // The nodes left to free, their branches with them; the last is freed first.
    std::vector<std::unique_ptr<ConnectionNode>> m_pending;
    QTimer m_idle;
};
