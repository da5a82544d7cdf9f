#include "mainwindow/ConnectionTreeView.h"

#include <QInputEvent>

ConnectionTreeView::ConnectionTreeView(QWidget *parent) : QTreeView(parent)
{
}

bool ConnectionTreeView::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    // A click with Ctrl or Shift changes the selection; it never starts renaming the node.
    if (trigger == SelectedClicked && event && event->isInputEvent()
        && (static_cast<QInputEvent *>(event)->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier)))
        return false;
    return QTreeView::edit(index, trigger, event);
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
