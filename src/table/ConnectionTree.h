#pragma once

#include "table/rVTNodeData.h"

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

class ConnectionTree;

// One node of the connection tree. Addresses are stable for the node's life, so views and
// commands may hold them.
class ConnectionNode
{
public:
    ConnectionNode() = default;
    // Takes the branch apart without recursion, so any depth a file can build is safe.
    ~ConnectionNode();
    ConnectionNode(const ConnectionNode &) = delete;
    ConnectionNode &operator=(const ConnectionNode &) = delete;

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

private:
    friend class ConnectionTree;
    ConnectionNode *m_parent = nullptr;
    int m_row = 0;
    std::vector<std::unique_ptr<ConnectionNode>> m_children;
};

// The tree of connections. An invisible root (never shown, never written) holds exactly one
// child, RootNode, shown as "This computer (...)"; every connection lies below it. The tree
// tells observers before and after each change so an item model can follow it.
class ConnectionTree : public QObject
{
    Q_OBJECT
public:
    explicit ConnectionTree(QObject *parent = nullptr);
    ~ConnectionTree() override;

    ConnectionNode *invisibleRoot() const { return m_root.get(); }
    // The single top node, or null while the tree is empty.
    ConnectionNode *RootNode() const { return m_root->firstChild(); }

    // Removes every node, RootNode included.
    void clear();

    // Adds a node holding Data below Parent at Row (-1 appends) and initialises it: a child of
    // the invisible root gets Level 0 and Kind 0, any other node its parent's Level + 1.
    ConnectionNode *addChild(ConnectionNode *parent, const rVTNodeData &data = {}, int row = -1);
    // Removes Node and its branch.
    void removeNode(ConnectionNode *node);
    // Moves Node with its branch below NewParent so that it stands before the child now at
    // Row (-1 or childCount: last). Refused (false) when NewParent is Node or lies in its
    // branch. Levels of the branch follow the new place.
    bool moveNode(ConnectionNode *node, ConnectionNode *newParent, int row);
    // Copies Source's branch below NewParent at Row (-1 appends); levels follow the new place.
    ConnectionNode *copyBranch(const ConnectionNode *source, ConnectionNode *newParent, int row);

    // Tell observers that Node's record changed.
    void notifyChanged(ConnectionNode *node);

    // Pre-order walk below the invisible root: RootNode first, then depth-first.
    static ConnectionNode *nextPreorder(const ConnectionNode *node, const ConnectionNode *within);
    // Visits every node of Top's branch below Top, in pre-order (Top itself not included).
    static void forEachBelow(const ConnectionNode *top, const std::function<void(ConnectionNode *)> &f);
    // Number of nodes of Top's branch below Top.
    static int countBelow(const ConnectionNode *top);
    // Pre-order position with RootNode as 0, or -1 for a node not in this tree.
    int absoluteIndex(const ConnectionNode *node) const;
    ConnectionNode *nodeAtAbsoluteIndex(int index) const;

    // While a bulk change runs, observers get one reset at its end instead of a signal per
    // node: used when a whole table is read.
    void beginBulkChange();
    void endBulkChange();
    bool inBulkChange() const { return m_bulkDepth > 0; }

Q_SIGNALS:
    void nodeAboutToBeInserted(ConnectionNode *parent, int row);
    void nodeInserted(ConnectionNode *node);
    void nodeAboutToBeRemoved(ConnectionNode *node);
    void nodeRemoved();
    void nodeAboutToBeMoved(ConnectionNode *node, ConnectionNode *newParent, int row);
    void nodeMoved(ConnectionNode *node);
    void nodeChanged(ConnectionNode *node);
    void aboutToReset();
    void resetDone();

private:
    static void relevel(ConnectionNode *node);
    static void renumber(ConnectionNode *parent, int from);

    std::unique_ptr<ConnectionNode> m_root;
    int m_bulkDepth = 0;
};

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
