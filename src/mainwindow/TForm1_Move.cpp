// Moving connections: Move up and Move down, drag-and-drop, and the tree's clipboard of
// branches.
#include "mainwindow/TForm1.h"

#include "mainwindow/ConnectionTreeModel.h"
#include "mainwindow/TreeClipboard.h"
#include "table/MoveCommands.h"

void TForm1::setupNodeMoves()
{

    // A drag moves the selected branches; with Ctrl held the drag manager offers a copy.
    VT->setDragEnabled(true);
    VT->setAcceptDrops(true);
    VT->setDropIndicatorShown(true);
    VT->setDragDropMode(QAbstractItemView::DragDrop);
    // Overwrite mode would blank the dragged rows after a move instead of asking to remove them.
    VT->setDragDropOverwriteMode(false);
    VT->setDefaultDropAction(Qt::MoveAction);
    m_model->enableDragAndDrop(m_doc, [view = VT] { return view->currentDropPosition(); });
    connect(m_model, &ConnectionTreeModel::nodesPlaced, this, [this](const QList<ConnectionNode *> &placed) {
        VT->showPlaced(placed);
        RequestCommandRefresh();
    });
}

void TForm1::MnUpClick()
{
    if (::MnUpClick(m_doc, focusedNode()))
        showMovedFocus();
    RequestCommandRefresh();
}

void TForm1::MnDownClick()
{
    if (::MnDownClick(m_doc, focusedNode()))
        showMovedFocus();
    RequestCommandRefresh();
}

void TForm1::showMovedFocus()
{
    // The moved node keeps the focus and the selection and stays in sight.
    ConnectionNode *moved = focusedNode();
    if (!moved)
        return;
    VT->showPlaced({moved});
    VT->setSelected(moved, true);
    VT->scrollTo(m_model->indexFor(moved));
}

void TForm1::setupNodeClipboard()
{
    m_treeClipboard = new TreeClipboard(m_doc, *VT, this);
    connect(m_treeClipboard, &TreeClipboard::changed, this, &TForm1::RequestCommandRefresh);
    m_model->setCutMarkQuery([this](const ConnectionNode *n) { return m_doc.CutModeFlag && m_doc.hasCutCopyMark(n); });
    connect(&m_doc, &TableDocument::cutCopyMarkChanged, VT->viewport(), qOverload<>(&QWidget::update));
}
