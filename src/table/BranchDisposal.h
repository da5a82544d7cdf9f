#pragma once

#include <memory>
#include <thread>
#include <vector>

class ConnectionNode;

// Destroys branches taken out of a tree. Large ones go on a thread of their own, so that
// emptying a big table or deleting most of it does not wait until every node is freed;
// nothing else holds them by then. The destructor waits for that thread.
class BranchDisposal
{
public:
    BranchDisposal() = default;
    ~BranchDisposal();
    BranchDisposal(const BranchDisposal &) = delete;
    BranchDisposal &operator=(const BranchDisposal &) = delete;

    // Branches hold NodeCount nodes in all.
    void dispose(std::vector<std::unique_ptr<ConnectionNode>> branches, int nodeCount);

private:
    std::thread m_worker;
};
