#include "table/ConnectionTree.h"

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
    m_root->m_children.clear();
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

ConnectionNode *ConnectionTree::addChild(ConnectionNode *parent, const rVTNodeData &data, int row)
{
    if (!parent)
        parent = m_root.get();
    if (row < 0 || row > parent->childCount())
        row = parent->childCount();
    const bool signal = m_bulkDepth == 0;
    if (signal)
        Q_EMIT nodeAboutToBeInserted(parent, row);
    auto node = std::make_unique<ConnectionNode>();
    node->data = data;
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
    if (signal)
        Q_EMIT nodeInserted(raw);
    return raw;
}

void ConnectionTree::removeNode(ConnectionNode *node)
{
    if (!node || !node->m_parent)
        return;
    const bool signal = m_bulkDepth == 0;
    if (signal)
        Q_EMIT nodeAboutToBeRemoved(node);
    ConnectionNode *parent = node->m_parent;
    const int row = node->m_row;
    parent->m_children.erase(parent->m_children.begin() + row);
    renumber(parent, row);
    if (signal)
        Q_EMIT nodeRemoved();
}

bool ConnectionTree::moveNode(ConnectionNode *node, ConnectionNode *newParent, int row)
{
    if (!node || !node->m_parent || !newParent)
        return false;
    if (newParent == node || node->isAncestorOf(newParent))
        return false;
    if (row < 0 || row > newParent->childCount())
        row = newParent->childCount();
    ConnectionNode *oldParent = node->m_parent;
    const int oldRow = node->m_row;
    // Moving a node to where it already stands is no move at all.
    if (oldParent == newParent && (row == oldRow || row == oldRow + 1))
        return true;
    const bool signal = m_bulkDepth == 0;
    if (signal)
        Q_EMIT nodeAboutToBeMoved(node, newParent, row);
    std::unique_ptr<ConnectionNode> owned = std::move(oldParent->m_children[static_cast<std::size_t>(oldRow)]);
    oldParent->m_children.erase(oldParent->m_children.begin() + oldRow);
    int dest = row;
    if (oldParent == newParent && row > oldRow)
        --dest;
    owned->m_parent = newParent;
    newParent->m_children.insert(newParent->m_children.begin() + dest, std::move(owned));
    renumber(oldParent, std::min(oldRow, oldParent == newParent ? dest : oldRow));
    if (oldParent != newParent)
        renumber(newParent, dest);
    relevel(node);
    if (signal)
        Q_EMIT nodeMoved(node);
    return true;
}

ConnectionNode *ConnectionTree::copyBranch(const ConnectionNode *source, ConnectionNode *newParent, int row)
{
    if (!source || !newParent)
        return nullptr;
    // Snapshot first: the copy may be placed inside the branch it copies.
    struct Item { rVTNodeData data; int depth; };
    std::vector<Item> items;
    std::vector<std::pair<const ConnectionNode *, int>> work{{source, 0}};
    while (!work.empty()) {
        const auto [n, depth] = work.back();
        work.pop_back();
        items.push_back({n->data, depth});
        for (int i = n->childCount() - 1; i >= 0; --i)
            work.emplace_back(n->child(i), depth + 1);
    }
    ConnectionNode *top = addChild(newParent, items.front().data, row);
    std::vector<ConnectionNode *> stack{top};
    for (std::size_t i = 1; i < items.size(); ++i) {
        stack.resize(static_cast<std::size_t>(items[i].depth));
        ConnectionNode *n = addChild(stack.back(), items[i].data);
        stack.push_back(n);
    }
    return top;
}

void ConnectionTree::notifyChanged(ConnectionNode *node)
{
    if (node && m_bulkDepth == 0)
        Q_EMIT nodeChanged(node);
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

void ConnectionTree::forEachBelow(const ConnectionNode *top, const std::function<void(ConnectionNode *)> &f)
{
    if (!top)
        return;
    for (ConnectionNode *n = nextPreorder(top, top); n; n = nextPreorder(n, top))
        f(n);
}

int ConnectionTree::countBelow(const ConnectionNode *top)
{
    int count = 0;
    forEachBelow(top, [&count](ConnectionNode *) { ++count; });
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
