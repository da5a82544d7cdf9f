#include "table/TreeSelection.h"

#include "table/ConnectionTree.h"
#include "table/NodeSelection.h"

#include <algorithm>
#include <utility>
#include <vector>

TreeSelection::TreeSelection(ConnectionNode *focused, const QList<ConnectionNode *> &selected,
                             const ConnectionTree *tree)
    : m_focused(focused), m_setMade(true)
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
    s.m_nodes = std::move(nodes);
    return s;
}

TreeSelection TreeSelection::without(const ConnectionNode *node) const
{
    if (!contains(node))
        return *this;
    TreeSelection s;
    s.m_focused = m_focused;
    s.m_nodes.reserve(m_nodes.size() - 1);
    for (ConnectionNode *n : m_nodes)
        if (n != node)
            s.m_nodes.append(n);
    s.m_set = m_set;
    s.m_set.remove(node);
    s.m_setMade = true;
    return s;
}

bool TreeSelection::contains(const ConnectionNode *node) const
{
    if (!node)
        return false;
    if (!m_setMade) {
        m_set = QSet<const ConnectionNode *>(m_nodes.cbegin(), m_nodes.cend());
        m_setMade = true;
    }
    return m_set.contains(node);
}
