#include "table/ConnectionTree.h"

#include <algorithm>

ConnectionNode::~ConnectionNode()
{
    std::vector<std::unique_ptr<ConnectionNode>> pending = std::move(m_children);
    while (!pending.empty()) {
        std::unique_ptr<ConnectionNode> node = std::move(pending.back());
        pending.pop_back();
        for (auto &c : node->m_children)
            pending.push_back(std::move(c));
        node->m_children.clear();
    }
}

ConnectionNode *ConnectionNode::child(int row) const
{
    if (row < 0 || row >= childCount())
        return nullptr;
    return m_children[static_cast<std::size_t>(row)].get();
}

ConnectionNode *ConnectionNode::prevSibling() const
{
    return m_parent ? m_parent->child(m_row - 1) : nullptr;
}

ConnectionNode *ConnectionNode::nextSibling() const
{
    return m_parent ? m_parent->child(m_row + 1) : nullptr;
}

bool ConnectionNode::isAncestorOf(const ConnectionNode *other) const
{
    for (const ConnectionNode *p = other ? other->m_parent : nullptr; p; p = p->m_parent)
        if (p == this)
            return true;
    return false;
}

ConnectionTree::ConnectionTree(QObject *parent)
    : QObject(parent), m_root(std::make_unique<ConnectionNode>())
{
    m_root->data.Level = -1;
}

ConnectionTree::~ConnectionTree() = default;

void ConnectionTree::clear()
{
    BulkChange bulk(*this);
    m_disposal.dispose(std::move(m_root->m_children), m_count);
    m_root->m_children.clear();
    m_unnamed.clear();
    m_root->m_namesUnchecked = false;
    m_root->m_uncheckedBelow = false;
    m_count = 0;
    ++m_removals;
}

void ConnectionTree::renumber(ConnectionNode *parent, int from)
{
    for (int i = std::max(from, 0); i < parent->childCount(); ++i)
        parent->m_children[static_cast<std::size_t>(i)]->m_row = i;
}

void ConnectionTree::relevel(ConnectionNode *node)
{
    const ConnectionNode *p = node->m_parent;
    node->data.Level = (p == nullptr || p->m_parent == nullptr) ? 0 : p->data.Level + 1;
    // Pre-order: every parent is done before its children. No recursion, for deep branches.
    for (ConnectionNode *n = nextPreorder(node, node); n; n = nextPreorder(n, node))
        n->data.Level = n->m_parent->data.Level + 1;
}

void ConnectionTree::markNamesUnchecked(ConnectionNode *parent)
{
    if (!parent)
        return;
    parent->m_namesUnchecked = true;
    // An ancestor marked already has all of its own ancestors marked.
    for (ConnectionNode *n = parent; n && !n->m_uncheckedBelow; n = n->m_parent)
        n->m_uncheckedBelow = true;
}

ConnectionNode *ConnectionTree::addChild(ConnectionNode *parent, rVTNodeData data, int row)
{
    if (!parent)
        parent = m_root.get();
    if (row < 0 || row > parent->childCount())
        row = parent->childCount();
    const bool signal = m_bulkDepth == 0;
    if (signal)
        Q_EMIT nodesAboutToBeInserted(parent, row, row);
    auto node = std::make_unique<ConnectionNode>();
    node->data = std::move(data);
    node->m_parent = parent;
    if (parent == m_root.get()) {
        node->data.Level = 0;
        node->data.Kind = 0;
    } else {
        node->data.Level = parent->data.Level + 1;
    }
    ConnectionNode *raw = node.get();
    parent->m_children.insert(parent->m_children.begin() + row, std::move(node));
    if (row == parent->childCount() - 1)
        raw->m_row = row;
    else
        renumber(parent, row);
    markNamesUnchecked(parent);
    m_unnamed.added(raw);
    ++m_count;
    if (signal)
        Q_EMIT nodesInserted(parent, row, row);
    return raw;
}

QList<ConnectionNode *> ConnectionTree::takeChildren(ConnectionTree &from, ConnectionNode *holder, int count,
                                                     ConnectionNode *parent, int row)
{
    count = std::min(count, holder ? holder->childCount() : 0);
    if (count <= 0 || !parent || &from == this)
        return {};
    if (row < 0 || row > parent->childCount())
        row = parent->childCount();
    const bool signal = m_bulkDepth == 0;
    if (signal)
        Q_EMIT nodesAboutToBeInserted(parent, row, row + count - 1);
    auto begin = holder->m_children.begin();
    parent->m_children.insert(parent->m_children.begin() + row, std::make_move_iterator(begin),
                              std::make_move_iterator(begin + count));
    holder->m_children.erase(begin, begin + count);
    renumber(holder, 0);
    renumber(parent, row);
    // The branches were built with their levels counted from Holder.
    const bool relevelled = holder->data.Level != parent->data.Level;
    QList<ConnectionNode *> taken;
    taken.reserve(count);
    // Every branch of From's one top taken: From keeps that top alone, and its count says how
    // many moved without a walk over them.
    const bool everything = holder->m_children.empty() && holder->m_parent == from.m_root.get()
        && from.m_root->childCount() == 1;
    int moved = everything ? from.m_count - 1 : 0;
    const bool named = !from.m_unnamed.isEmpty();
    if (everything && named)
        m_unnamed.takeAllFrom(from.m_unnamed, holder);
    for (int i = row; i < row + count; ++i) {
        ConnectionNode *top = parent->child(i);
        top->m_parent = parent;
        if (relevelled)
            relevel(top);
        if (!everything) {
            ++moved;
            if (named)
                m_unnamed.takeFrom(from.m_unnamed, top);
            forEachBelow(top, [&](const ConnectionNode *n) {
                ++moved;
                if (named)
                    m_unnamed.takeFrom(from.m_unnamed, n);
            });
        }
        taken.append(top);
    }
    from.m_count -= moved;
    ++from.m_removals;
    m_count += moved;
    markNamesUnchecked(parent);
    if (signal)
        Q_EMIT nodesInserted(parent, row, row + count - 1);
    return taken;
}

void ConnectionTree::removeNode(ConnectionNode *node)
{
    removeNodes({node});
}

void ConnectionTree::removeNodes(const QList<ConnectionNode *> &tops)
{
    std::vector<ConnectionNode *> sorted;
    sorted.reserve(static_cast<std::size_t>(tops.size()));
    for (ConnectionNode *n : tops)
        if (n && n->m_parent)
            sorted.push_back(n);
    // By parent, then last row first: a removal leaves the rows before it where they are.
    std::sort(sorted.begin(), sorted.end(), [](const ConnectionNode *a, const ConnectionNode *b) {
        return a->m_parent != b->m_parent ? std::less<>()(a->m_parent, b->m_parent) : a->m_row > b->m_row;
    });
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    const bool signal = m_bulkDepth == 0;
    std::vector<std::unique_ptr<ConnectionNode>> removed;
    const int countBefore = m_count;
    for (std::size_t i = 0; i < sorted.size();) {
        ConnectionNode *parent = sorted[i]->m_parent;
        const int last = sorted[i]->m_row;
        int first = last;
        for (++i; i < sorted.size() && sorted[i]->m_parent == parent && sorted[i]->m_row == first - 1; ++i)
            --first;
        if (signal)
            Q_EMIT nodesAboutToBeRemoved(parent, first, last);
        auto begin = parent->m_children.begin();
        for (auto it = begin + first; it != begin + last + 1; ++it) {
            const ConnectionNode *top = it->get();
            m_unnamed.removed(top);
            --m_count;
            forEachBelow(top, [this](const ConnectionNode *n) {
                m_unnamed.removed(n);
                --m_count;
            });
        }
        removed.insert(removed.end(), std::make_move_iterator(begin + first), std::make_move_iterator(begin + last + 1));
        parent->m_children.erase(begin + first, begin + last + 1);
        ++m_removals;
        renumber(parent, first);
        if (signal)
            Q_EMIT nodesRemoved(parent, first, last);
    }
    m_disposal.dispose(std::move(removed), countBefore - m_count);
}

void ConnectionTree::moveRun(ConnectionNode *parent, int first, int last, ConnectionNode *newParent, int row)
{
    // Rows moved to where they already stand are no move at all.
    if (parent == newParent && row >= first && row <= last + 1)
        return;
    const bool signal = m_bulkDepth == 0;
    if (signal)
        Q_EMIT nodesAboutToBeMoved(parent, first, last, newParent, row);
    auto begin = parent->m_children.begin();
    std::vector<std::unique_ptr<ConnectionNode>> run(std::make_move_iterator(begin + first),
                                                     std::make_move_iterator(begin + last + 1));
    parent->m_children.erase(begin + first, begin + last + 1);
    int dest = row;
    if (parent == newParent && row > last)
        dest -= last - first + 1;
    const bool relevelled = parent->data.Level != newParent->data.Level;
    for (auto &n : run) {
        n->m_parent = newParent;
        if (relevelled)
            relevel(n.get());
    }
    newParent->m_children.insert(newParent->m_children.begin() + dest, std::make_move_iterator(run.begin()),
                                 std::make_move_iterator(run.end()));
    renumber(parent, parent == newParent ? std::min(first, dest) : first);
    if (parent != newParent) {
        renumber(newParent, dest);
        markNamesUnchecked(newParent);
    }
    if (signal)
        Q_EMIT nodesMoved();
}

bool ConnectionTree::moveNode(ConnectionNode *node, ConnectionNode *newParent, int row)
{
    if (!node || !node->m_parent || !newParent)
        return false;
    if (newParent == node || node->isAncestorOf(newParent))
        return false;
    if (row < 0 || row > newParent->childCount())
        row = newParent->childCount();
    moveRun(node->m_parent, node->m_row, node->m_row, newParent, row);
    return true;
}

void ConnectionTree::moveNodes(const QList<ConnectionNode *> &tops, ConnectionNode *newParent, ConnectionNode *anchor)
{
    for (qsizetype i = 0; i < tops.size();) {
        ConnectionNode *parent = tops[i]->m_parent;
        const int first = tops[i]->m_row;
        int last = first;
        for (++i; i < tops.size() && tops[i]->m_parent == parent && tops[i]->m_row == last + 1; ++i)
            ++last;
        moveRun(parent, first, last, newParent, anchor ? anchor->m_row : newParent->childCount());
    }
}

ConnectionNode *ConnectionTree::copyBranch(const ConnectionNode *source, ConnectionNode *newParent, int row)
{
    return copyBranches({const_cast<ConnectionNode *>(source)}, newParent, row).value(0);
}

QList<ConnectionNode *> ConnectionTree::copyBranches(const QList<ConnectionNode *> &sources, ConnectionNode *newParent,
                                                     int row)
{
    if (sources.isEmpty() || !newParent)
        return {};
    // Built apart first: a copy may be placed inside the branch it copies. Built at the depth
    // it will have, so putting it in place needs no new levels.
    ConnectionTree copy;
    ConnectionNode *holder = copy.addChild(nullptr);
    holder->data.Level = newParent->data.Level;
    std::vector<std::pair<const ConnectionNode *, ConnectionNode *>> work;
    for (const ConnectionNode *source : sources) {
        work.emplace_back(source, holder);
        while (!work.empty()) {
            const auto [from, into] = work.back();
            work.pop_back();
            ConnectionNode *made = copy.addChild(into, from->data);
            // Last child first onto the stack: the first comes off first and is appended first.
            for (int i = from->childCount() - 1; i >= 0; --i)
                work.emplace_back(from->child(i), made);
        }
    }
    return takeChildren(copy, holder, holder->childCount(), newParent, row);
}

void ConnectionTree::notifyChanged(ConnectionNode *node)
{
    if (!node)
        return;
    markNamesUnchecked(node->m_parent);
    m_unnamed.renamed(node);
    if (m_bulkDepth == 0)
        Q_EMIT nodeChanged(node);
}

void ConnectionTree::checkUncheckedNames(ConnectionNode *top, const std::function<void(ConnectionNode *)> &check)
{
    if (!top || !top->m_uncheckedBelow)
        return;
    std::vector<ConnectionNode *> pending{top};
    while (!pending.empty()) {
        ConnectionNode *n = pending.back();
        pending.pop_back();
        // A rename Check makes marks N again and stops there: N is still marked below.
        if (n->m_namesUnchecked) {
            check(n);
            n->m_namesUnchecked = false;
        }
        for (const auto &c : n->m_children)
            if (c->m_uncheckedBelow)
                pending.push_back(c.get());
        n->m_uncheckedBelow = false;
    }
}

void ConnectionTree::settleUncheckedNames(ConnectionNode *top,
                                          const std::function<bool(const ConnectionNode *)> &clashes)
{
    if (!top || !top->m_uncheckedBelow)
        return;
    // Depth first over the marked nodes; a node's mark for the nodes below it is known again
    // once its children are done.
    std::vector<std::pair<ConnectionNode *, bool>> pending{{top, false}};
    while (!pending.empty()) {
        const auto [n, childrenDone] = pending.back();
        pending.pop_back();
        if (childrenDone) {
            n->m_uncheckedBelow = n->m_namesUnchecked
                || std::any_of(n->m_children.cbegin(), n->m_children.cend(),
                               [](const auto &c) { return c->m_uncheckedBelow; });
            continue;
        }
        if (n->m_namesUnchecked && !clashes(n))
            n->m_namesUnchecked = false;
        pending.emplace_back(n, true);
        for (const auto &c : n->m_children)
            if (c->m_uncheckedBelow)
                pending.emplace_back(c.get(), false);
    }
}

ConnectionNode *ConnectionTree::nextPreorder(const ConnectionNode *node, const ConnectionNode *within)
{
    if (!node)
        return nullptr;
    if (node->hasChildren())
        return node->firstChild();
    for (const ConnectionNode *n = node; n && n != within; n = n->m_parent) {
        if (ConnectionNode *s = n->nextSibling(); s && n->m_parent != nullptr)
            return s;
        if (n->m_parent == within)
            break;
    }
    return nullptr;
}

int ConnectionTree::countBelow(const ConnectionNode *top)
{
    int count = 0;
    forEachBelow(top, [&count](const ConnectionNode *) { ++count; });
    return count;
}

int ConnectionTree::absoluteIndex(const ConnectionNode *node) const
{
    int index = 0;
    for (ConnectionNode *n = nextPreorder(m_root.get(), m_root.get()); n; n = nextPreorder(n, m_root.get()), ++index)
        if (n == node)
            return index;
    return -1;
}

ConnectionNode *ConnectionTree::nodeAtAbsoluteIndex(int index) const
{
    if (index < 0)
        return nullptr;
    ConnectionNode *n = nextPreorder(m_root.get(), m_root.get());
    for (int i = 0; n && i < index; ++i)
        n = nextPreorder(n, m_root.get());
    return n;
}

void ConnectionTree::beginBulkChange()
{
    if (m_bulkDepth++ == 0)
        Q_EMIT aboutToReset();
}

void ConnectionTree::endBulkChange()
{
    if (--m_bulkDepth == 0)
        Q_EMIT resetDone();
}
