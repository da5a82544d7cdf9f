#pragma once

#include "table/MoveCommands.h"

#include <QTreeView>

#include <functional>

// The tree view `VT`. It tells where over the target row a drag is, so the model can judge
// a drop by the table's rules (the view keeps that position to itself).
class ConnectionTreeView : public QTreeView
{
    Q_OBJECT
public:
    explicit ConnectionTreeView(QWidget *parent = nullptr);

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
    bool m_dropPendingRename = false;
    std::function<void(int key)> m_clipboardKey;
};
