// How the tree view lays out its rows when a branch opens or rows arrive. Qt's tree view keeps
// the shown rows in one list. It opens a branch by inserting the rows of each open branch
// below it one branch at a time, each insertion moving every row after it, and lays out every
// shown row again for a row that arrives under an open branch. For small branches that is
// cheap; a branch holding many open branches opens in one layout instead, and rows arriving
// under a branch holding few lay out that branch's rows alone.
#include "mainwindow/ConnectionTreeView.h"

#include "mainwindow/ConnectionTreeModel.h"
#include "table/ConnectionTree.h"

#include <QMouseEvent>
#include <QSignalBlocker>
#include <QStyle>

#include <vector>

namespace {

// Below this many open branches Qt's own insertions cost less than laying out every row.
constexpr qsizetype ManyOpenBranches = 16;

} // namespace

QList<ConnectionNode *> ConnectionTreeView::openBranchesBelow(const ConnectionNode *branch, qsizetype limit) const
{
    QList<ConnectionNode *> open;
    std::vector<const ConnectionNode *> pending{branch};
    while (!pending.empty()) {
        const ConnectionNode *n = pending.back();
        pending.pop_back();
        for (int i = 0; i < n->childCount(); ++i) {
            ConnectionNode *c = n->child(i);
            if (!c->hasChildren() || !isExpanded(m_model->indexFor(c)))
                continue;
            open.append(c);
            if (limit >= 0 && open.size() >= limit)
                return open;
            pending.push_back(c);
        }
    }
    return open;
}

bool ConnectionTreeView::isShown(const ConnectionNode *node) const
{
    for (const ConnectionNode *p = node ? node->parent() : nullptr; p && p->parent(); p = p->parent())
        if (!isExpanded(m_model->indexFor(p)))
            return false;
    return node != nullptr;
}

bool ConnectionTreeView::isClosedBranch(const QModelIndex &index) const
{
    const ConnectionNode *n = m_model ? m_model->nodeFor(index) : nullptr;
    return n && n->hasChildren() && itemsExpandable() && !isExpanded(index) && isShown(n);
}

bool ConnectionTreeView::opensManyBranches(const QModelIndex &branch) const
{
    return isClosedBranch(branch)
        && openBranchesBelow(m_model->nodeFor(branch), ManyOpenBranches).size() >= ManyOpenBranches;
}

void ConnectionTreeView::openOnce(const QModelIndex &branch, const std::function<void()> &open)
{
    if (!opensManyBranches(branch)) {
        open();
        return;
    }
    // While Qt opens the branch the branches below it count as closed, so it inserts the
    // branch's own children alone; then they are open again, all in the one layout that
    // follows. With a layout pending, closing or opening a hidden branch only notes it.
    scheduleDelayedItemsLayout();
    const QList<ConnectionNode *> below = openBranchesBelow(m_model->nodeFor(branch), -1);
    {
        const QSignalBlocker quiet(this);
        for (const ConnectionNode *n : below)
            collapse(m_model->indexFor(n));
    }
    open();
    scheduleDelayedItemsLayout();
    const QSignalBlocker quiet(this);
    for (const ConnectionNode *n : below)
        expand(m_model->indexFor(n));
}

QModelIndex ConnectionTreeView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    const CursorAction opening = isRightToLeft() ? MoveLeft : MoveRight;
    const QModelIndex current = currentIndex();
    if (cursorAction != opening || !opensManyBranches(current))
        return QTreeView::moveCursor(cursorAction, modifiers);
    // With a layout pending, opening a branch only notes it; the layout follows once.
    scheduleDelayedItemsLayout();
    expand(current);
    viewport()->update();
    m_keyOpenedBranch = true;
    return current;
}

QModelIndex ConnectionTreeView::branchOpenedBy(const QMouseEvent *event) const
{
    if (isRightToLeft() || (state() != NoState && state() != EditingState))
        return {};
    const QPoint at = event->position().toPoint();
    const QModelIndex index = indexAt(at);
    if (!isClosedBranch(index))
        return {};
    const QRect caption = visualRect(index);
    const bool onSign = at.x() < caption.left() && at.x() >= caption.left() - indentation()
        && (rootIsDecorated() || index.parent().isValid());
    if (event->type() == QEvent::MouseButtonDblClick)
        return (!onSign && expandsOnDoubleClick()) ? index : QModelIndex();
    // The style tells whether the press or the release on the sign opens the branch.
    const auto opensOn = static_cast<QEvent::Type>(style()->styleHint(QStyle::SH_ListViewExpand_SelectMouseType, nullptr, this));
    return (onSign && event->type() == opensOn) ? index : QModelIndex();
}

void ConnectionTreeView::rowsInserted(const QModelIndex &parent, int start, int end)
{
    const ConnectionNode *p = m_model ? m_model->nodeFor(parent) : nullptr;
    if (p && isExpanded(parent) && isShown(p) && openBranchesBelow(p, ManyOpenBranches).size() < ManyOpenBranches) {
        // Closed and opened again: the view takes the branch's rows anew and keeps the rest.
        {
            const QSignalBlocker quiet(this);
            collapse(parent);
            expand(parent);
        }
        QAbstractItemView::rowsInserted(parent, start, end);
        return;
    }
    QTreeView::rowsInserted(parent, start, end);
}
