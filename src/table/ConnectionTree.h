#pragma once

#include "table/BranchDisposal.h"
#include "table/UnnamedConnectionNumbers.h"
#include "table/rVTNodeData.h"

#include <QList>
#include <QObject>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class ConnectionTree;

// One node of the connection tree. Addresses are stable for the node's life, so views and
// commands may hold them.
class ConnectionNode
{
    // First, so that the view's walks over many nodes read one cache line of each.
    friend class ConnectionTree;
    friend class BranchDisposal;
    ConnectionNode *m_parent = nullptr;
    int m_row = 0;
    // The children may hold a name twice: one came or was renamed since they were checked.
    bool m_namesUnchecked = false;
    // This node or one below it has unchecked children (so have all its ancestors).
    bool m_uncheckedBelow = false;
    std::vector<std::unique_ptr<ConnectionNode>> m_children;

public:
    ConnectionNode() = default;
    // Takes the branch apart without recursion, so any depth a file can build is safe.
    ~ConnectionNode();
    ConnectionNode(const ConnectionNode &) = delete;
    ConnectionNode &operator=(const ConnectionNode &) = delete;

    // A changed Name is told through ConnectionTree::notifyChanged, so the siblings' names
    // are checked for clashes again.
    rVTNodeData data;

    ConnectionNode *parent() const { return m_parent; }
    int childCount() const { return static_cast<int>(m_children.size()); }
    bool hasChildren() const { return !m_children.empty(); }
    ConnectionNode *child(int row) const;
    ConnectionNode *firstChild() const { return child(0); }
    ConnectionNode *lastChild() const { return child(childCount() - 1); }
    // Position among its parent's children.
    int row() const { return m_row; }
    ConnectionNode *prevSibling() const;
    ConnectionNode *nextSibling() const;
    // True when this node lies strictly above Other.
    bool isAncestorOf(const ConnectionNode *other) const;
};

// The tree of connections. An invisible root (never shown, never written) holds exactly one
// child, RootNode, shown as "This computer (...)"; every connection lies below it. The tree
// tells observers before and after each change, a run of neighbouring rows at a time, so an
// item model can follow it; every node's Level is its depth whatever changes.
class ConnectionTree : public QObject
{
    Q_OBJECT
public:
    explicit ConnectionTree(QObject *parent = nullptr);
    ~ConnectionTree() override;

    ConnectionNode *invisibleRoot() const { return m_root.get(); }
    // The single top node, or null while the tree is empty.
    ConnectionNode *RootNode() const { return m_root->firstChild(); }
    // Every node below the invisible root, RootNode included.
    int nodeCount() const { return m_count; }
    // Nodes removed from a large table are still being freed while the event loop is idle.
    bool freeingRemovedNodes() const { return m_disposal.busy(); }
    // Counts the changes that took nodes out of the tree (removed, cleared, or taken into
    // another tree): while it stays, every node seen in the tree is still in it.
    quint64 removals() const { return m_removals; }

    // Removes every node, RootNode included.
    void clear();

    // Adds a node holding Data below Parent at Row (-1 appends) and initialises it: a child of
    // the invisible root gets Level 0 and Kind 0, any other node its parent's Level + 1.
    ConnectionNode *addChild(ConnectionNode *parent, rVTNodeData data = {}, int row = -1);
    // Moves the first Count children of Holder, a node of From (another tree, where branches
    // were built apart), below Parent before the child now at Row (-1 appends), in their
    // order: one insertion for the observers. Returns the moved nodes.
    QList<ConnectionNode *> takeChildren(ConnectionTree &from, ConnectionNode *holder, int count,
                                         ConnectionNode *parent, int row);
    // Removes Node and its branch.
    void removeNode(ConnectionNode *node);
    // Removes the branches of Tops (none inside another), one removal per run of neighbouring
    // siblings.
    void removeNodes(const QList<ConnectionNode *> &tops);
    // Moves Node with its branch below NewParent so that it stands before the child now at
    // Row (-1 or childCount: last). Refused (false) when NewParent is Node or lies in its
    // branch.
    bool moveNode(ConnectionNode *node, ConnectionNode *newParent, int row);
    // Moves the branches of Tops (none inside another, none holding NewParent) in their order
    // below NewParent, together before Anchor (one of NewParent's children, not among Tops;
    // null: last), one move per run of neighbouring siblings.
    void moveNodes(const QList<ConnectionNode *> &tops, ConnectionNode *newParent, ConnectionNode *anchor);
    // Copies Source's branch below NewParent at Row (-1 appends), in one insertion.
    ConnectionNode *copyBranch(const ConnectionNode *source, ConnectionNode *newParent, int row);
    // Copies the branches of Sources, in their order, below NewParent at Row, in one
    // insertion; returns the copies' top nodes.
    QList<ConnectionNode *> copyBranches(const QList<ConnectionNode *> &sources, ConnectionNode *newParent, int row);

    // Tell observers that Node's record changed; a changed name gets its siblings' names
    // checked again.
    void notifyChanged(ConnectionNode *node);

    // Calls Check for each node of Top's branch (Top included) whose children's names may
    // clash since they were last checked, and takes them as checked: Check leaves them
    // without a clash. Nodes whose children are known not to clash are never visited.
    void checkUncheckedNames(ConnectionNode *top, const std::function<void(ConnectionNode *parent)> &check);
    // Takes as checked each node of Top's branch whose children may clash since they were last
    // checked but do not, as Clashes tells, renaming nothing: after a table is read in one
    // go, the next check then looks only at the groups that do clash.
    void settleUncheckedNames(ConnectionNode *top, const std::function<bool(const ConnectionNode *parent)> &clashes);

    // The numbers the names rule out for a new unnamed connection, kept as nodes change.
    const UnnamedConnectionNumbers &unnamedNumbers() const { return m_unnamed; }

    // Pre-order walk below the invisible root: RootNode first, then depth-first.
    static ConnectionNode *nextPreorder(const ConnectionNode *node, const ConnectionNode *within);
    // Visits every node of Top's branch below Top, in pre-order (Top itself not included).
    // Visit may change the nodes' records, not the tree's shape.
    template<typename Visit>
    static void forEachBelow(const ConnectionNode *top, Visit &&visit);
    // Number of nodes of Top's branch below Top.
    static int countBelow(const ConnectionNode *top);
    // Pre-order position with RootNode as 0, or -1 for a node not in this tree.
    int absoluteIndex(const ConnectionNode *node) const;
    ConnectionNode *nodeAtAbsoluteIndex(int index) const;

    // While a bulk change runs, observers get one reset at its end instead of a signal per
    // change: used when a whole table is read.
    void beginBulkChange();
    void endBulkChange();
    bool inBulkChange() const { return m_bulkDepth > 0; }

Q_SIGNALS:
    // Rows First to Last of Parent, each the top of its branch.
    void nodesAboutToBeInserted(ConnectionNode *parent, int first, int last);
    void nodesInserted(ConnectionNode *parent, int first, int last);
    void nodesAboutToBeRemoved(ConnectionNode *parent, int first, int last);
    void nodesRemoved(ConnectionNode *parent, int first, int last);
    // Rows First to Last of Parent go before the child now at Row of NewParent.
    void nodesAboutToBeMoved(ConnectionNode *parent, int first, int last, ConnectionNode *newParent, int row);
    void nodesMoved();
    void nodeChanged(ConnectionNode *node);
    void aboutToReset();
    void resetDone();

private:
    static void relevel(ConnectionNode *node);
    static void renumber(ConnectionNode *parent, int from);
    static void markNamesUnchecked(ConnectionNode *parent);
    // Moves rows First to Last of Node's parent before Row of NewParent.
    void moveRun(ConnectionNode *parent, int first, int last, ConnectionNode *newParent, int row);

    std::unique_ptr<ConnectionNode> m_root;
    UnnamedConnectionNumbers m_unnamed;
    // Removed branches waiting to be freed; whatever is left goes with the tree.
    BranchDisposal m_disposal;
    int m_count = 0;
    quint64 m_removals = 0;
    int m_bulkDepth = 0;
};

template<typename Visit>
void ConnectionTree::forEachBelow(const ConnectionNode *top, Visit &&visit)
{
    if (!top)
        return;
    // Where each open level of the walk stands: one step per node, and no recursion, so any
    // depth a file can build is safe.
    std::vector<std::pair<const ConnectionNode *, std::size_t>> open{{top, 0}};
    while (!open.empty()) {
        auto &[parent, next] = open.back();
        if (next == parent->m_children.size()) {
            open.pop_back();
            continue;
        }
        ConnectionNode *n = parent->m_children[next++].get();
        visit(n);
        if (!n->m_children.empty())
            open.emplace_back(n, 0);
    }
}

// Keeps a bulk change open for a scope, also when the scope is left early.
class BulkChange
{
public:
    explicit BulkChange(ConnectionTree &tree) : m_tree(tree) { m_tree.beginBulkChange(); }
    ~BulkChange() { m_tree.endBulkChange(); }
    BulkChange(const BulkChange &) = delete;
    BulkChange &operator=(const BulkChange &) = delete;

private:
    ConnectionTree &m_tree;
};
