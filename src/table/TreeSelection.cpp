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
    QSet<const ConnectionNode *> &set = m_set->nodes;
    m_set->made = true;
    set.reserve(selected.size());
    std::vector<ConnectionNode *> unique;
    unique.reserve(static_cast<std::size_t>(selected.size()));
    for (ConnectionNode *n : selected)
        if (n && !set.contains(n)) {
            set.insert(n);
            unique.push_back(n);
        }
    m_nodes.reserve(set.size());
    // A walk costs the tree's size, a sort the selection's size times its logarithm and depth.
    if (tree && set.size() * 8 >= tree->nodeCount()) {
        ConnectionTree::forEachBelow(tree->invisibleRoot(), [this, &set](ConnectionNode *n) {
            if (set.contains(n))
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
    // The set made already serves the new selection too, with Node left out.
    s.m_set = m_set;
    s.m_leftOut = m_leftOut;
    s.m_leftOut.append(node);
    return s;
}

const QSet<const ConnectionNode *> &TreeSelection::nodeSet() const
{
    if (!m_set->made) {
        m_set->nodes = QSet<const ConnectionNode *>(m_nodes.cbegin(), m_nodes.cend());
        m_set->made = true;
    }
    return m_set->nodes;
}

bool TreeSelection::contains(const ConnectionNode *node) const
{
    return node && nodeSet().contains(node) && !m_leftOut.contains(node);
}
