#include "mainwindow/ConnectionTreeView.h"

ConnectionTreeView::ConnectionTreeView(QWidget *parent) : QTreeView(parent)
{
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
