#pragma once

#include "table/MoveCommands.h"
#include "table/TreeSelection.h"

#include <QTreeView>

#include <functional>

class ConnectionNode;
class ConnectionTreeModel;

// The tree view `VT` over a ConnectionTreeModel. It speaks of nodes where the window and
// the table's routines do: the selection and the focus live in its selection model only. It
// also tells where over the target row a drag is, so the model can judge a drop by the
// table's rules (the view keeps that position to itself).
class ConnectionTreeView : public QTreeView
{
    Q_OBJECT
public:
    explicit ConnectionTreeView(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model) override;
    ConnectionTreeModel *connectionModel() const { return m_model; }

    // The selection as a command sees it: the focused node and the selected nodes, in
    // pre-order.
    TreeSelection selection() const;
    ConnectionNode *focusedNode() const;
    bool isSelected(const ConnectionNode *node) const;
    void setSelected(ConnectionNode *node, bool selected);
    // Focus only: what is selected stays as it is.
    void setFocusedNode(ConnectionNode *node);
    // Node becomes the focused node and the only selected one.
    void focusOnly(ConnectionNode *node);
    void setNodeExpanded(ConnectionNode *node, bool expanded);

    // The position of the drag or drop the view is handling now.
    DropPosition currentDropPosition() const;

    // Takes Ctrl+C, Ctrl+X and Ctrl+V that reach the tree (no enabled menu command took
    // them) with the key code; the view's own handling would copy the row's caption as text.
    void setClipboardKeyHandler(std::function<void(int key)> handler) { m_clipboardKey = std::move(handler); }

    using QTreeView::edit;

    // A double-click taken by the window before the view saw it: the rename that the slow
    // click before it has scheduled does not follow.
    void dropPendingRename() { m_dropPendingRename = true; }

protected:
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

    void keyPressEvent(QKeyEvent *event) override;

private:
    ConnectionTreeModel *m_model = nullptr;
    bool m_dropPendingRename = false;
    std::function<void(int key)> m_clipboardKey;
};
