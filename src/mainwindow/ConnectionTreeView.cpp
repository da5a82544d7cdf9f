#include "mainwindow/ConnectionTreeView.h"

#include "mainwindow/ConnectionTreeModel.h"

#include <QInputEvent>
#include <QKeyEvent>
#include <QMouseEvent>

ConnectionTreeView::ConnectionTreeView(QWidget *parent) : QTreeView(parent)
{
}

void ConnectionTreeView::setModel(QAbstractItemModel *model)
{
    QTreeView::setModel(model);
    m_model = qobject_cast<ConnectionTreeModel *>(model);
}

TreeSelection ConnectionTreeView::selection() const
{
    QList<ConnectionNode *> nodes;
    if (m_model) {
        const QModelIndexList rows = selectionModel()->selectedRows();
        nodes.reserve(rows.size());
        for (const QModelIndex &i : rows)
            nodes.append(m_model->nodeFor(i));
    }
    return TreeSelection(focusedNode(), nodes);
}

ConnectionNode *ConnectionTreeView::focusedNode() const
{
    return m_model ? m_model->nodeFor(selectionModel()->currentIndex()) : nullptr;
}

bool ConnectionTreeView::isSelected(const ConnectionNode *node) const
{
    const QModelIndex i = m_model ? m_model->indexFor(node) : QModelIndex();
    return i.isValid() && selectionModel()->isSelected(i);
}

void ConnectionTreeView::setSelected(ConnectionNode *node, bool selected)
{
    const QModelIndex i = m_model ? m_model->indexFor(node) : QModelIndex();
    if (!i.isValid())
        return;
    selectionModel()->select(
        i, (selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) | QItemSelectionModel::Rows);
}

void ConnectionTreeView::setFocusedNode(ConnectionNode *node)
{
    if (m_model)
        selectionModel()->setCurrentIndex(m_model->indexFor(node), QItemSelectionModel::NoUpdate);
}

void ConnectionTreeView::focusOnly(ConnectionNode *node)
{
    // Cleared first, then focused and selected: each step reports the node the view ends on.
    selectionModel()->clearSelection();
    setFocusedNode(node);
    setSelected(node, true);
}

void ConnectionTreeView::setNodeExpanded(ConnectionNode *node, bool expanded)
{
    const QModelIndex i = m_model ? m_model->indexFor(node) : QModelIndex();
    if (i.isValid())
        setExpanded(i, expanded);
}

bool ConnectionTreeView::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    // The scheduled rename of a slow click comes without an event.
    if (m_dropPendingRename && trigger == AllEditTriggers && !event) {
        m_dropPendingRename = false;
        return false;
    }
    // A click with Ctrl or Shift changes the selection; it never starts renaming the node.
    if (trigger == SelectedClicked && event && event->isInputEvent()
        && (static_cast<QInputEvent *>(event)->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier)))
        return false;
    return QTreeView::edit(index, trigger, event);
}

void ConnectionTreeView::mousePressEvent(QMouseEvent *event)
{
    m_dropPendingRename = false;
    QTreeView::mousePressEvent(event);
}

void ConnectionTreeView::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (m_clipboardKey && (event->modifiers() & Qt::ControlModifier)
        && (key == Qt::Key_C || key == Qt::Key_X || key == Qt::Key_V)) {
        m_clipboardKey(key);
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

DropPosition ConnectionTreeView::currentDropPosition() const
{
    switch (dropIndicatorPosition()) {
    case AboveItem:
        return DropPosition::Above;
    case OnItem:
        return DropPosition::On;
    case BelowItem:
        return DropPosition::Below;
    case OnViewport:
        break;
    }
    return DropPosition::Nowhere;
}
