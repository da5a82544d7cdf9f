#include "table/ArrivingSiblingNames.h"

#include "table/ConnectionTree.h"
#include "table/TreeRules.h"

#include <algorithm>

ArrivingSiblingNames::ArrivingSiblingNames(const ConnectionNode *parent, const ConnectionNode *anchor)
{
    m_names.reserve(parent->childCount());
    const int anchorRow = anchor ? anchor->row() : parent->childCount();
    for (int i = 0; i < parent->childCount(); ++i) {
        ConnectionNode *child = parent->child(i);
        m_names.insert(child->data.Name, {child, i < anchorRow});
    }
}

int ArrivingSiblingNames::arrived(ConnectionTree &tree, ConnectionNode *node)
{
    const QByteArray name = node->data.Name;
    const auto it = m_names.find(name);
    if (it == m_names.end()) {
        m_names.insert(name, {node, true});
        return 0;
    }
    // A child moved within its parent keeps its name; separators keep theirs whatever clashes.
    if (it->node == node || IsSeparatorName(name)) {
        if (it->node == node)
            it->before = true;
        return 0;
    }
    ConnectionNode *later = it->before ? node : it->node;
    const bool laterBefore = later == node;
    int k = std::max(1, m_nextCopy.value(name));
    QByteArray candidate = CopyName(name, k);
    while (m_names.contains(candidate))
        candidate = CopyName(name, ++k);
    m_nextCopy[name] = k + 1;
    if (later != node)
        *it = {node, true};
    m_names.insert(candidate, {later, laterBefore});
    later->data.Name = candidate;
    tree.notifyChanged(later);
    return 1;
}
