// How the tree view paints its rows. Qt's tree view asks the selection model whether each
// painted row is selected, twice a row, and the selection model tests the row against every
// range it holds. A range holds rows of one parent only, so after Shift+End over a large open
// table that is one range per branch, tens of thousands for every row painted. The rows are
// painted here as Qt's tree view paints them for this view's single column, with whether a row
// is selected looked up in the selection the commands read, worked out once per change of the
// selection.
#include "mainwindow/ConnectionTreeView.h"

#include "mainwindow/ConnectionTreeModel.h"

#include <QApplication>
#include <QCursor>
#include <QHeaderView>
#include <QHoverEvent>
#include <QPainter>
#include <QStyle>

bool ConnectionTreeView::paintsRowsItself() const
{
    // What the rows below paint is one column in the tree's position, without alternating
    // colours or focus across columns; any other shape goes to Qt's own painting.
    return m_model && m_model->columnCount() == 1 && treePosition() == 0 && !header()->isSectionHidden(0)
        && !alternatingRowColors() && !allColumnsShowFocus();
}

bool ConnectionTreeView::isRowSelected(const QModelIndex &index) const
{
    return (index.flags() & Qt::ItemIsSelectable) && isSelected(m_model->nodeFor(index));
}

int ConnectionTreeView::levelOf(const QModelIndex &index) const
{
    int level = 0;
    for (QModelIndex p = index.parent(); p.isValid() && p != rootIndex(); p = p.parent())
        ++level;
    return level;
}

int ConnectionTreeView::indentationOf(const QModelIndex &index) const
{
    return (levelOf(index) + (rootIsDecorated() ? 1 : 0)) * indentation();
}

QModelIndex ConnectionTreeView::decorationAt(const QPoint &pos) const
{
    if (header()->logicalIndexAt(pos.x()) != treePosition())
        return {};
    const QModelIndex index = indexAt(pos);
    if (!index.isValid() || (!rootIsDecorated() && index.parent() == rootIndex())
        || (index.flags() & Qt::ItemNeverHasChildren) || !model()->hasChildren(index))
        return {};
    const QRect row = visualRect(index);
    const int indentationOfRow = indentationOf(index);
    const int position = header()->sectionViewportPosition(treePosition());
    const int size = header()->sectionSize(treePosition());
    QStyleOption opt;
    opt.initFrom(this);
    opt.rect = isRightToLeft()
        ? QRect(position + size - indentationOfRow, row.y(), indentation(), row.height())
        : QRect(position + indentationOfRow - indentation(), row.y(), indentation(), row.height());
    const QRect sign = style()->subElementRect(QStyle::SE_TreeViewDisclosureItem, &opt, this);
    return sign.contains(pos) ? index : QModelIndex();
}

void ConnectionTreeView::followPointer()
{
    // Qt's view takes the row under the pointer again when it scrolls with the pointer over it.
    const QPoint at = viewport()->mapFromGlobal(QCursor::pos());
    if (viewport()->rect().contains(at))
        m_hover = indexAt(at);
}

bool ConnectionTreeView::viewportEvent(QEvent *event)
{
    // The row under the pointer, as the base classes keep it for themselves, for the hover
    // state of the rows painted below.
    switch (event->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
        m_hover = indexAt(static_cast<QHoverEvent *>(event)->position().toPoint());
        break;
    case QEvent::HoverLeave:
    case QEvent::Leave:
        m_hover = QPersistentModelIndex();
        break;
    default:
        break;
    }
    return QTreeView::viewportEvent(event);
}

void ConnectionTreeView::mouseMoveEvent(QMouseEvent *event)
{
    // A move takes the row under the pointer, except over a branch sign and while the view
    // opens, closes, drags or edits.
    const QPoint at = event->position().toPoint();
    const bool takesRow = !decorationAt(at).isValid()
        && !QList<State>{ExpandingState, CollapsingState, DraggingState, EditingState}.contains(state());
    QTreeView::mouseMoveEvent(event);
    if (takesRow)
        m_hover = indexAt(at);
}

void ConnectionTreeView::paintEvent(QPaintEvent *event)
{
    // The branch sign under the pointer is looked up anew for each painting, as Qt's own does.
    m_hoverBranch = decorationAt(viewport()->mapFromGlobal(QCursor::pos()));
    QTreeView::paintEvent(event);
}

void ConnectionTreeView::drawRow(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (!paintsRowsItself()) {
        QTreeView::drawRow(painter, option, index);
        return;
    }
    const QModelIndex current = currentIndex();
    const QModelIndex hover = m_hover;
    const bool reverse = isRightToLeft();
    const int y = option.rect.y();
    const int height = option.rect.height();
    const int position = columnViewportPosition(0);
    const int width = header()->sectionSize(0);

    QStyleOptionViewItem opt = option;
    opt.viewItemPosition = QStyleOptionViewItem::OnlyOne;
    // The row whose in-place editor has the focus is painted active.
    if (current.row() == index.row()) {
        QWidget *editor = indexWidget(index);
        for (QObject *o = QApplication::focusWidget(); editor && o; o = o->parent()) {
            if (o == editor) {
                opt.state |= QStyle::State_Active;
                break;
            }
        }
    }
    // Whole rows are selected: the selection reaches from the branches to the second column.
    opt.showDecorationSelected = (selectionBehavior() & SelectRows) || option.showDecorationSelected;
    if (isRowSelected(index))
        opt.state |= QStyle::State_Selected;
    if (hasFocus() && current == index)
        opt.state |= QStyle::State_HasFocus;
    const bool hoverRow = selectionBehavior() == SelectRows && index.parent() == hover.parent()
        && index.row() == hover.row();
    opt.state.setFlag(QStyle::State_MouseOver,
                      (hoverRow || index == hover) && (option.showDecorationSelected || !m_hoverBranch.isValid()));
    if (option.state & QStyle::State_Enabled) {
        QPalette::ColorGroup group = QPalette::Inactive;
        if (!(index.flags() & Qt::ItemIsEnabled)) {
            opt.state &= ~QStyle::State_Enabled;
            group = QPalette::Disabled;
        } else if (opt.state & QStyle::State_Active) {
            group = QPalette::Active;
        }
        opt.palette.setCurrentColorGroup(group);
    }

    // The branches' background (selection), then the item's own (never the selection: the
    // delegate paints that), then the branch lines and signs.
    const int indent = indentationOf(index);
    const QRect branches(reverse ? position + width - indent : position, y, indent, height);
    const bool clip = branches.width() > width;
    if (clip) {
        painter->save();
        painter->setClipRect(QRect(position, y, width, height));
    }
    opt.rect = branches;
    const bool showDecorationSelected = opt.showDecorationSelected;
    opt.showDecorationSelected = style()->styleHint(QStyle::SH_ItemView_ShowDecorationSelected, &opt, this);
    style()->drawPrimitive(QStyle::PE_PanelItemViewRow, &opt, painter, this);
    const QStyle::State state = opt.state;
    opt.state &= ~QStyle::State_Selected;
    opt.rect.setRect(reverse ? position : indent + position, y, width - indent, height);
    style()->drawPrimitive(QStyle::PE_PanelItemViewRow, &opt, painter, this);
    opt.state = state;
    opt.showDecorationSelected = showDecorationSelected;
    if (indentation() != 0)
        drawBranches(painter, branches, index);
    if (clip)
        painter->restore();

    itemDelegateForIndex(index)->paint(painter, opt, index);
}

void ConnectionTreeView::drawBranches(QPainter *painter, const QRect &rect, const QModelIndex &index) const
{
    if (!paintsRowsItself()) {
        QTreeView::drawBranches(painter, rect, index);
        return;
    }
    const bool reverse = isRightToLeft();
    const int indent = indentation();
    const int outer = rootIsDecorated() ? 0 : 1;
    int level = levelOf(index);
    QRect primitive(reverse ? rect.left() : rect.right() + 1, rect.top(), indent, rect.height());

    QModelIndex current = index.parent();
    QModelIndex ancestor = current.parent();

    QStyleOptionViewItem opt;
    initViewItemOption(&opt);
    QStyle::State extraFlags = QStyle::State_None;
    if (isEnabled())
        extraFlags |= QStyle::State_Enabled;
    if (hasFocus())
        extraFlags |= QStyle::State_Active;
    const QPoint brushOrigin = painter->brushOrigin();
    if (verticalScrollMode() == ScrollPerPixel)
        painter->setBrushOrigin(QPoint(0, verticalOffset()));

    const QModelIndex hover = m_hover;
    const bool hoverRow = selectionBehavior() == SelectRows && opt.showDecorationSelected
        && index.parent() == hover.parent() && index.row() == hover.row();
    const bool hoverSign = hoverRow || (m_hoverBranch.isValid() && m_hoverBranch == index);
    if (isRowSelected(index))
        extraFlags |= QStyle::State_Selected;

    if (level >= outer) {
        // The row's own branch first, with its sign.
        primitive.moveLeft(reverse ? primitive.left() : primitive.left() - indent);
        opt.rect = primitive;
        const bool children = !(index.flags() & Qt::ItemNeverHasChildren) && model()->hasChildren(index);
        const bool moreSiblings = index.row() < model()->rowCount(index.parent()) - 1;
        opt.state = QStyle::State_Item | extraFlags | (moreSiblings ? QStyle::State_Sibling : QStyle::State_None)
            | (children ? QStyle::State_Children : QStyle::State_None)
            | (isExpanded(index) ? QStyle::State_Open : QStyle::State_None);
        opt.state.setFlag(QStyle::State_MouseOver, hoverSign);
        style()->drawPrimitive(QStyle::PE_IndicatorBranch, &opt, painter, this);
    }
    // Then the lines of its ancestors, out level by level.
    for (--level; level >= outer; --level) {
        primitive.moveLeft(reverse ? primitive.left() + indent : primitive.left() - indent);
        opt.rect = primitive;
        opt.state = extraFlags;
        if (model()->rowCount(ancestor) - 1 > current.row())
            opt.state |= QStyle::State_Sibling;
        opt.state.setFlag(QStyle::State_MouseOver, hoverSign);
        style()->drawPrimitive(QStyle::PE_IndicatorBranch, &opt, painter, this);
        current = ancestor;
        ancestor = current.parent();
    }
    painter->setBrushOrigin(brushOrigin);
}
