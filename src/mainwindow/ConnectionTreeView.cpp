#include "mainwindow/ConnectionTreeView.h"

#include <QInputEvent>
#include <QMouseEvent>
#include <QKeyEvent>

ConnectionTreeView::ConnectionTreeView(QWidget *parent) : QTreeView(parent)
{
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
