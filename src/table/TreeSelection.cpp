#include "table/TreeSelection.h"

#include "table/NodeSelection.h"

#include <algorithm>
#include <utility>
#include <vector>

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
            keyed.emplace_back(PreorderPath(n), n);
        }
    std::sort(keyed.begin(), keyed.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    m_nodes.reserve(static_cast<qsizetype>(keyed.size()));
    for (const auto &k : keyed)
        m_nodes.append(k.second);
}
