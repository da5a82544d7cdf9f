#include "table/NodeSelection.h"

#include "table/ConnectionTree.h"

#include <QSet>

#include <algorithm>
#include <vector>

bool IsInsideAny(const ConnectionNode *node, const QList<ConnectionNode *> &nodes)
{
    if (!node || nodes.isEmpty())
        return false;
    if (nodes.size() < 8) {
        for (const ConnectionNode *n : nodes)
            if (n && (n == node || n->isAncestorOf(node)))
                return true;
        return false;
    }
    const QSet<const ConnectionNode *> set(nodes.cbegin(), nodes.cend());
    for (const ConnectionNode *n = node; n; n = n->parent())
        if (set.contains(n))
            return true;
    return false;
}

bool IsInBranchOfRows(const ConnectionNode *node, const ConnectionNode *parent, int first, int last)
{
    for (const ConnectionNode *n = node; n && n->parent(); n = n->parent())
        if (n->parent() == parent)
            return n->row() >= first && n->row() <= last;
    return false;
}

QList<ConnectionNode *> TopmostNodes(const QList<ConnectionNode *> &nodes)
{
    QSet<const ConnectionNode *> set;
    for (ConnectionNode *n : nodes)
        if (n && n->parent() && n->parent()->parent())
            set.insert(n);
    QList<ConnectionNode *> out;
    QSet<const ConnectionNode *> taken;
    for (ConnectionNode *n : nodes) {
        if (!set.contains(n) || taken.contains(n))
            continue;
        bool nested = false;
        for (const ConnectionNode *p = n->parent(); p && !nested; p = p->parent())
            nested = set.contains(p);
        if (!nested) {
            out.append(n);
            taken.insert(n);
        }
    }
    std::sort(out.begin(), out.end(), PreorderLess);
    return out;
}

bool PreorderLess(const ConnectionNode *a, const ConnectionNode *b)
{
    return PreorderPath(a) < PreorderPath(b);
}

std::vector<int> PreorderPath(const ConnectionNode *node)
{
    std::vector<int> rows;
    for (const ConnectionNode *n = node; n && n->parent(); n = n->parent())
        rows.push_back(n->row());
    std::reverse(rows.begin(), rows.end());
    return rows;
}
