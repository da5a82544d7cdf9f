#include "table/TreeSelection.h"

#include "table/ConnectionTree.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// Rows from the top down to Node: comparing these orders nodes as the pre-order walk does.
std::vector<int> pathOf(const ConnectionNode *node)
{
    std::vector<int> rows;
    for (const ConnectionNode *n = node; n && n->parent(); n = n->parent())
        rows.push_back(n->row());
    std::reverse(rows.begin(), rows.end());
    return rows;
}

} // namespace

TreeSelection::TreeSelection(ConnectionNode *focused, const QList<ConnectionNode *> &selected)
    : m_focused(focused)
{
    // Each node's path is worked out once, not once per comparison.
    std::vector<std::pair<std::vector<int>, ConnectionNode *>> keyed;
    keyed.reserve(static_cast<std::size_t>(selected.size()));
    m_set.reserve(selected.size());
    for (ConnectionNode *n : selected)
        if (n && !m_set.contains(n)) {
            m_set.insert(n);
            keyed.emplace_back(pathOf(n), n);
        }
    std::sort(keyed.begin(), keyed.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    m_nodes.reserve(static_cast<qsizetype>(keyed.size()));
    for (const auto &k : keyed)
        m_nodes.append(k.second);
}
