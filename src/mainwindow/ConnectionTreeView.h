#pragma once

#include "table/MoveCommands.h"

#include <QTreeView>

// The tree view `VT`. It tells where over the target row a drag is, so the model can judge
// a drop by the table's rules (the view keeps that position to itself).
class ConnectionTreeView : public QTreeView
{
    Q_OBJECT
public:
    explicit ConnectionTreeView(QWidget *parent = nullptr);

    // The position of the drag or drop the view is handling now.
    DropPosition currentDropPosition() const;

    using QTreeView::edit;

    // A double-click taken by the window before the view saw it: the rename that the slow
    // click before it has scheduled does not follow.
    void dropPendingRename() { m_dropPendingRename = true; }

protected:
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    bool m_dropPendingRename = false;
};
