#pragma once

#include <QList>
#include <QSet>

#include <memory>

class ConnectionNode;
class ConnectionTree;

// The view's selection as one command sees it: the focused node and the selected nodes. The
// window reads it off its view once and hands it to the table's routines, which never ask
// the view themselves.
class TreeSelection
{
public:
    TreeSelection() = default;
    // Selected in any order; null entries are dropped. Given the tree they belong to, a
    // selection of a good part of it is put in order by one walk over the tree.
    TreeSelection(ConnectionNode *focused, const QList<ConnectionNode *> &selected,
                  const ConnectionTree *tree = nullptr);

    // Nodes already in pre-order, each once (a walk over the tree gave them): taken as they are.
    static TreeSelection inTreeOrder(ConnectionNode *focused, QList<ConnectionNode *> nodes);
    // The same selection and focus without Node.
    TreeSelection without(const ConnectionNode *node) const;

    ConnectionNode *focused() const { return m_focused; }
    // The selected nodes in pre-order.
    const QList<ConnectionNode *> &nodes() const { return m_nodes; }
    bool contains(const ConnectionNode *node) const;
    bool isEmpty() const { return m_nodes.isEmpty(); }
    qsizetype size() const { return m_nodes.size(); }

private:
    struct NodeSet
    {
        QSet<const ConnectionNode *> nodes;
        bool made = false;
    };
    const QSet<const ConnectionNode *> &nodeSet() const;

    ConnectionNode *m_focused = nullptr;
    QList<ConnectionNode *> m_nodes;
    // The nodes as a set, made when first asked and shared by every copy of this selection: a
    // selection only written out never needs it, one asked through many copies makes it once.
    std::shared_ptr<NodeSet> m_set = std::make_shared<NodeSet>();
    // Nodes the shared set holds that this selection left out (without()): few.
    QList<const ConnectionNode *> m_leftOut;
};
