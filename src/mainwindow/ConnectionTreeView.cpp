#include "mainwindow/ConnectionTreeView.h"

#include "mainwindow/ConnectionTreeModel.h"
#include "mainwindow/PassingFocus.h"
#include "table/TableDocument.h"

#include <QInputEvent>
#include <QItemSelection>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>
#include <vector>

namespace {

// Above this many ranges a change of the selection repaints the whole viewport.
constexpr qsizetype RangesForWholeRepaint = 32;

// Nodes as ranges of neighbouring rows under one parent each.
QItemSelection rowRanges(const ConnectionTreeModel &model, const QList<ConnectionNode *> &nodes)
{
    std::vector<ConnectionNode *> sorted(nodes.cbegin(), nodes.cend());
    std::sort(sorted.begin(), sorted.end(), [](const ConnectionNode *a, const ConnectionNode *b) {
        return a->parent() != b->parent() ? std::less<>()(a->parent(), b->parent()) : a->row() < b->row();
    });
    QItemSelection ranges;
    for (std::size_t i = 0; i < sorted.size();) {
        std::size_t j = i;
        while (j + 1 < sorted.size() && sorted[j + 1]->parent() == sorted[i]->parent()
               && sorted[j + 1]->row() <= sorted[j]->row() + 1)
            ++j;
        ranges.append(QItemSelectionRange(model.indexFor(sorted[i]), model.indexFor(sorted[j])));
        i = j + 1;
    }
    return ranges;
}

} // namespace

ConnectionTreeView::ConnectionTreeView(QWidget *parent) : QTreeView(parent)
{
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &ConnectionTreeView::followPointer);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &ConnectionTreeView::followPointer);
}

void ConnectionTreeView::setModel(QAbstractItemModel *model)
{
    QTreeView::setModel(model);
    forgetSelection();
    m_model = qobject_cast<ConnectionTreeModel *>(model);
    if (!m_model)
        return;
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, &ConnectionTreeView::keepSelectionOverReset);
    connect(m_model, &QAbstractItemModel::modelReset, this, &ConnectionTreeView::restoreSelectionAfterReset);
    // The selection read last holds until the selection or the tree's rows change.
    for (auto signal : {&QAbstractItemModel::rowsAboutToBeInserted, &QAbstractItemModel::rowsInserted,
                        &QAbstractItemModel::rowsAboutToBeRemoved, &QAbstractItemModel::rowsRemoved})
        connect(m_model, signal, this, &ConnectionTreeView::forgetSelection);
    connect(m_model, &QAbstractItemModel::rowsMoved, this, &ConnectionTreeView::forgetSelection);
    connect(m_model, &QAbstractItemModel::modelReset, this, &ConnectionTreeView::forgetSelection);
    connect(m_model, &QAbstractItemModel::layoutChanged, this, &ConnectionTreeView::forgetSelection);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &ConnectionTreeView::forgetSelection);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &ConnectionTreeView::forgetSelection);
}

void ConnectionTreeView::keepSelectionOverReset()
{
    m_selectionOverReset = selection().nodes();
    m_focusOverReset = focusedNode();
    m_removalsOverReset = m_model->tree().removals();
}

void ConnectionTreeView::restoreSelectionAfterReset()
{
    forgetSelection();
    // RootNode stays selected while a table is read below it. The saved addresses are only
    // compared, never followed, until the walk has found them in the tree.
    // A reset that took no node out of the tree (a table read below RootNode) left them all:
    // the walk is needed only when some may be gone.
    QSet<const ConnectionNode *> wanted(m_selectionOverReset.cbegin(), m_selectionOverReset.cend());
    wanted.insert(m_focusOverReset);
    QSet<const ConnectionNode *> alive;
    if (m_model->tree().removals() == m_removalsOverReset) {
        alive = wanted;
        alive.remove(nullptr);
    } else {
        ConnectionTree::forEachBelow(m_model->tree().invisibleRoot(), [&](ConnectionNode *n) {
            if (wanted.contains(n))
                alive.insert(n);
        });
    }
    QList<ConnectionNode *> kept;
    for (ConnectionNode *n : std::as_const(m_selectionOverReset))
        if (alive.contains(n))
            kept.append(n);
    if (!kept.isEmpty())
        selectionModel()->select(rowRanges(*m_model, kept), QItemSelectionModel::Select);
    if (alive.contains(m_focusOverReset))
        setFocusedNode(m_focusOverReset);
    m_selectionOverReset.clear();
    m_focusOverReset = nullptr;
}

TreeSelection ConnectionTreeView::selection() const
{
    if (!m_selection)
        m_selection = readSelection();
    return *m_selection;
}

TreeSelection ConnectionTreeView::readSelection() const
{
    QList<ConnectionNode *> nodes;
    if (!m_model)
        return {};
    // Range by range: the selection model's own list of selected rows tests every row
    // against every range.
    const QItemSelection ranges = selectionModel()->selection();
    for (const QItemSelectionRange &range : ranges) {
        if (!range.isValid() || range.left() > 0)
            continue;
        const QModelIndex parent = range.parent();
        const ConnectionNode *p = parent.isValid() ? m_model->nodeFor(parent) : m_model->tree().invisibleRoot();
        for (int row = range.top(); p && row <= range.bottom(); ++row)
            nodes.append(p->child(row));
    }
    return TreeSelection(focusedNode(), nodes, &m_model->tree());
}

ConnectionNode *ConnectionTreeView::focusedNode() const
{
    return m_model ? m_model->nodeFor(selectionModel()->currentIndex()) : nullptr;
}

bool ConnectionTreeView::isSelected(const ConnectionNode *node) const
{
    // The selection model would test the node against every range it holds.
    return selection().contains(node);
}

void ConnectionTreeView::setSelected(ConnectionNode *node, bool selected)
{
    const QModelIndex i = m_model ? m_model->indexFor(node) : QModelIndex();
    if (!i.isValid())
        return;
    if (selected) {
        selectionModel()->select(i, QItemSelectionModel::Select | QItemSelectionModel::Rows);
        return;
    }
    // What the selection becomes is known: kept, so that the next command does not read a
    // large selection again from every range.
    std::optional<TreeSelection> after;
    if (m_selection && m_selection->contains(node))
        after = m_selection->without(node);
    unselectRow(i);
    if (after)
        m_selection = std::move(after);
}

void ConnectionTreeView::unselectRow(const QModelIndex &i)
{
    QItemSelectionModel *model = selectionModel();
    // Qt's own deselect compares the selection before and after range by range, moving
    // every range after the one it took out for each of them: with a whole large table
    // selected that is quadratic. The selection without the row, made here, replaces it in
    // two steps that each cost its ranges once.
    const QItemSelection before = model->selection();
    if (before.size() < ManyRanges) {
        model->select(i, QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
        return;
    }
    QItemSelection after;
    after.reserve(before.size() + 1);
    bool found = false;
    for (const QItemSelectionRange &r : before) {
        if (!r.contains(i)) {
            after.append(r);
            continue;
        }
        found = true;
        const QModelIndex first = r.topLeft();
        if (r.top() < i.row())
            after.append(QItemSelectionRange(first, first.siblingAtRow(i.row() - 1)));
        if (i.row() < r.bottom())
            after.append(QItemSelectionRange(first.siblingAtRow(i.row() + 1), r.bottomRight()));
    }
    if (found) {
        model->clearSelection();
        model->select(after, QItemSelectionModel::Select);
    }
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

void ConnectionTreeView::focusOnlyInPlace(ConnectionNode *node)
{
    selectionModel()->clearSelection();
    setSelected(node, true);
    const bool scrolls = hasAutoScroll();
    setAutoScroll(false);
    setFocusedNode(node);
    setAutoScroll(scrolls);
}

void ConnectionTreeView::selectEveryNode()
{
    if (!m_model)
        return;
    // One walk gives the ranges and the selection as a command will read it.
    ConnectionNode *top = m_model->tree().invisibleRoot();
    QList<ConnectionNode *> every;
    every.reserve(m_model->tree().nodeCount());
    QItemSelection all;
    auto add = [&](ConnectionNode *n) {
        if (n != top)
            every.append(n);
        if (n->hasChildren())
            all.append(QItemSelectionRange(m_model->indexFor(n->firstChild()), m_model->indexFor(n->lastChild())));
    };
    add(top);
    ConnectionTree::forEachBelow(top, add);
    // Cleared first: merging the new ranges into many old ones costs their product. The
    // model has one column, so each range is whole rows already.
    selectionModel()->clearSelection();
    selectionModel()->select(all, QItemSelectionModel::Select);
    m_selection = TreeSelection::inTreeOrder(focusedNode(), std::move(every));
}

QList<ConnectionNode *> ConnectionTreeView::collapseBranches(const QList<ConnectionNode *> &branches)
{
    QList<ConnectionNode *> closed;
    if (!m_model)
        return closed;
    // With a layout pending, a collapse only forgets that the branch is open.
    scheduleDelayedItemsLayout();
    const QSignalBlocker quiet(this);
    for (ConnectionNode *n : branches) {
        const QModelIndex i = m_model->indexFor(n);
        if (i.isValid() && isExpanded(i)) {
            collapse(i);
            closed.append(n);
        }
    }
    return closed;
}

void ConnectionTreeView::setNodeExpanded(ConnectionNode *node, bool expanded)
{
    const QModelIndex i = m_model ? m_model->indexFor(node) : QModelIndex();
    if (!i.isValid())
        return;
    // With a layout pending, opening a branch only notes it: the layout follows once.
    if (expanded && opensManyBranches(i))
        scheduleDelayedItemsLayout();
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

void ConnectionTreeView::showPlaced(const QList<ConnectionNode *> &placed)
{
    // Many placed branches share few parents: each opens once.
    QSet<ConnectionNode *> opened;
    for (const ConnectionNode *n : placed)
        if (ConnectionNode *parent = n->parent(); parent && parent->parent() && !opened.contains(parent)) {
            opened.insert(parent);
            setNodeExpanded(parent, true);
        }
}

void ConnectionTreeView::setApplyQuestion(const TableDocument &doc, std::function<bool()> ask)
{
    m_doc = &doc;
    m_askApply = std::move(ask);
}

bool ConnectionTreeView::editsWaiting() const
{
    return m_doc && m_askApply && !m_doc->LoadingFlag && m_doc->IsNodeModified();
}

bool ConnectionTreeView::askBeforeCollapsing(const QModelIndex &branch)
{
    if (!editsWaiting() || !m_doc->BranchHoldsCurrentNode(m_model->nodeFor(branch)))
        return true;
    return m_askApply();
}

void ConnectionTreeView::focusInEvent(QFocusEvent *event)
{
    if (!IsPassingFocus(event))
        Q_EMIT entered();
    QTreeView::focusInEvent(event);
}

void ConnectionTreeView::mousePressEvent(QMouseEvent *event)
{
    if (pressTaken(event))
        return;
    m_dropPendingRename = false;
    openOnce(branchOpenedBy(event), [&] { QTreeView::mousePressEvent(event); });
}

void ConnectionTreeView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (!pressTaken(event))
        openOnce(branchOpenedBy(event), [&] { QTreeView::mouseDoubleClickEvent(event); });
}

void ConnectionTreeView::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_swallowRelease) {
        m_swallowRelease = false;
        return;
    }
    openOnce(branchOpenedBy(event), [&] { QTreeView::mouseReleaseEvent(event); });
}

bool ConnectionTreeView::pressTaken(QMouseEvent *event)
{
    m_editLink = nullptr;
    m_swallowRelease = false;
    if (!askedBeforePress(event))
        return false;
    // The view never sees this press, so it cannot drop the rename that a slow click before
    // it scheduled.
    m_dropPendingRename = true;
    return true;
}

bool ConnectionTreeView::askedBeforePress(QMouseEvent *event)
{
    if (!editsWaiting())
        return false;
    const QPoint at = event->position().toPoint();
    const QModelIndex index = indexAt(at);
    if (!index.isValid())
        return false;
    const QRect caption = visualRect(index);
    const bool onSign = at.x() < caption.left() && at.x() >= caption.left() - indentation();
    const bool doubleClick = event->type() == QEvent::MouseButtonDblClick;
    // The press before a double-click on another node has asked already: after Cancel the
    // second press goes nowhere.
    if (doubleClick && !onSign && m_model->nodeFor(index) != m_doc->CurrentNode) {
        m_swallowRelease = true;
        return true;
    }
    // The branch sign left of the caption, or a double-click, opens or closes the branch and
    // leaves the focus alone.
    if ((onSign || doubleClick) && m_model->hasChildren(index)) {
        if (!isExpanded(index) || askBeforeCollapsing(index))
            return false;
        m_swallowRelease = true;
        return true;
    }
    if (m_model->nodeFor(index) == m_doc->CurrentNode)
        return false;
    const bool allowed = m_askApply();
    // The view never sees this press: after a question its release went elsewhere, and a
    // half-done press would drag a selection. The focus moves here instead.
    m_swallowRelease = true;
    if (allowed) {
        const auto flags = (event->modifiers() & Qt::ControlModifier) ? QItemSelectionModel::Toggle
                                                                      : QItemSelectionModel::ClearAndSelect;
        selectionModel()->setCurrentIndex(index, flags | QItemSelectionModel::Rows);
    }
    return true;
}

bool ConnectionTreeView::keyTaken(const QKeyEvent *key)
{
    if (!editsWaiting())
        return false;
    const QModelIndex current = currentIndex();
    if ((key->key() == Qt::Key_Left || key->key() == Qt::Key_Minus) && current.isValid() && isExpanded(current)
        && m_model->hasChildren(current))
        return !askBeforeCollapsing(current);
    const QModelIndex target = keyTarget(key->key(), key->modifiers(), key->text());
    if (!target.isValid() || m_model->nodeFor(target) == m_doc->CurrentNode)
        return false;
    // Yes or No: the key goes on and moves the focus as it always does.
    return !m_askApply();
}

QModelIndex ConnectionTreeView::keyTarget(int key, Qt::KeyboardModifiers modifiers, const QString &text) const
{
    const QModelIndex current = currentIndex();
    auto lastVisible = [this] {
        QModelIndex last = m_model->index(m_model->rowCount() - 1, 0);
        while (last.isValid() && isExpanded(last) && m_model->rowCount(last) > 0)
            last = m_model->index(m_model->rowCount(last) - 1, 0, last);
        return last;
    };
    auto step = [this](QModelIndex from, int count, bool down) {
        for (int i = 0; i < count; ++i) {
            const QModelIndex next = down ? indexBelow(from) : indexAbove(from);
            if (!next.isValid())
                break;
            from = next;
        }
        return from;
    };
    const int rowHeight = std::max(1, sizeHintForRow(0));
    const int page = std::max(1, viewport()->height() / rowHeight - 1);
    switch (key) {
    case Qt::Key_Up: return current.isValid() ? indexAbove(current) : QModelIndex();
    case Qt::Key_Down: return current.isValid() ? indexBelow(current) : m_model->index(0, 0);
    case Qt::Key_Home: return m_model->index(0, 0);
    case Qt::Key_End: return lastVisible();
    case Qt::Key_PageUp: return current.isValid() ? step(current, page, false) : QModelIndex();
    case Qt::Key_PageDown: return current.isValid() ? step(current, page, true) : QModelIndex();
    case Qt::Key_Left: return current.isValid() ? current.parent() : QModelIndex();
    case Qt::Key_Right:
        return current.isValid() && isExpanded(current) ? m_model->index(0, 0, current) : QModelIndex();
    default: break;
    }
    // Typing a caption's first letters jumps to the next row that begins with them.
    if (text.isEmpty() || !text.at(0).isPrint() || (modifiers & (Qt::ControlModifier | Qt::AltModifier)))
        return {};
    QModelIndex i = current.isValid() ? indexBelow(current) : m_model->index(0, 0);
    for (int guard = 0; guard < 2; ++guard) {
        for (; i.isValid(); i = indexBelow(i))
            if (i.data().toString().startsWith(text, Qt::CaseInsensitive))
                return i;
        i = m_model->index(0, 0);
    }
    return {};
}

void ConnectionTreeView::keyPressEvent(QKeyEvent *event)
{
    if (keyTaken(event)) {
        event->accept();
        return;
    }
    const int key = event->key();
    if (m_clipboardKey && (event->modifiers() & Qt::ControlModifier)
        && (key == Qt::Key_C || key == Qt::Key_X || key == Qt::Key_V)) {
        m_clipboardKey(key);
        event->accept();
        return;
    }
    // The plus key opens the branch as a program does: with a layout pending, it is only noted.
    if (key == Qt::Key_Plus && opensManyBranches(currentIndex()))
        scheduleDelayedItemsLayout();
    m_keyOpenedBranch = false;
    QTreeView::keyPressEvent(event);
    if (m_keyOpenedBranch)
        event->accept();
    m_keyOpenedBranch = false;
}

QRegion ConnectionTreeView::visualRegionForSelection(const QItemSelection &selection) const
{
    if (selection.size() > RangesForWholeRepaint)
        return viewport()->rect();
    return QTreeView::visualRegionForSelection(selection);
}

void ConnectionTreeView::setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command)
{
    if (m_model && m_model->columnCount() == 1)
        command &= ~QItemSelectionModel::SelectionFlags(QItemSelectionModel::Rows | QItemSelectionModel::Columns);
    QTreeView::setSelection(rect, command);
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
