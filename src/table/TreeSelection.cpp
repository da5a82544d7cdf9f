#include "table/TreeSelection.h"

#include "table/ConnectionTree.h"
#include "table/NodeSelection.h"

#include <algorithm>
#include <utility>
#include <vector>

TreeSelection::TreeSelection(ConnectionNode *focused, const QList<ConnectionNode *> &selected,
                             const ConnectionTree *tree)
    : m_focused(focused)
{
    m_set.reserve(selected.size());
    std::vector<ConnectionNode *> unique;
    unique.reserve(static_cast<std::size_t>(selected.size()));
    for (ConnectionNode *n : selected)
        if (n && !m_set.contains(n)) {
            m_set.insert(n);
            unique.push_back(n);
        }
    m_nodes.reserve(m_set.size());
    // A walk costs the tree's size, a sort the selection's size times its logarithm and depth.
    if (tree && m_set.size() * 8 >= tree->nodeCount()) {
        ConnectionTree::forEachBelow(tree->invisibleRoot(), [this](ConnectionNode *n) {
            if (m_set.contains(n))
                m_nodes.append(n);
        });
        return;
    }
    // Each node's path is worked out once, not once per comparison.
    std::vector<std::pair<std::vector<int>, ConnectionNode *>> keyed;
    keyed.reserve(unique.size());
    for (ConnectionNode *n : unique)
        keyed.emplace_back(PreorderPath(n), n);
    std::sort(keyed.begin(), keyed.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    for (const auto &k : keyed)
        m_nodes.append(k.second);
}

TreeSelection TreeSelection::inTreeOrder(ConnectionNode *focused, QList<ConnectionNode *> nodes)
{
    TreeSelection s;
    s.m_focused = focused;
    s.m_set = QSet<const ConnectionNode *>(nodes.cbegin(), nodes.cend());
    s.m_nodes = std::move(nodes);
    return s;
}
