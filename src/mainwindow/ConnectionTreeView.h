#pragma once

#include "table/MoveCommands.h"
#include "table/TreeSelection.h"

#include <QLineEdit>
#include <QPointer>
#include <QTreeView>

#include <functional>
#include <optional>

class ConnectionNode;
class ConnectionTreeModel;
class TableDocument;

// The tree view `VT` over a ConnectionTreeModel, and all of its input. It speaks of nodes
// where the window and the table's routines do: the selection and the focus live in its
// selection model only. Before a click or a key moves the focus away from the connection
// whose unapplied edits the pages hold, or closes the branch holding it, it asks the apply
// question, so that Cancel leaves everything where it was (Qt's views cannot refuse a change
// of the current item once it is under way). It tells where over the target row a drag is,
// so the model can judge a drop by the table's rules.
class ConnectionTreeView : public QTreeView
{
    Q_OBJECT
public:
    explicit ConnectionTreeView(QWidget *parent = nullptr);

    void setModel(QAbstractItemModel *model) override;
    ConnectionTreeModel *connectionModel() const { return m_model; }

    // The selection as a command sees it: the focused node and the selected nodes, in
    // pre-order. Worked out once after each change of the selection or the tree, however
    // often it is asked for; the copy shares what it holds.
    TreeSelection selection() const;
    ConnectionNode *focusedNode() const;
    bool isSelected(const ConnectionNode *node) const;
    void setSelected(ConnectionNode *node, bool selected);
    // From this many selection ranges on, a node is unselected by replacing the selection.
    static constexpr qsizetype ManyRanges = 256;
    // Focus only: what is selected stays as it is.
    void setFocusedNode(ConnectionNode *node);
    // Node becomes the focused node and the only selected one.
    void focusOnly(ConnectionNode *node);
    // Node becomes the only selected node, then the focused one, where it stands: the view
    // does not scroll to it, which would open the closed branches around it.
    void focusOnlyInPlace(ConnectionNode *node);
    // Every node becomes selected, also those in closed branches: one range of rows per
    // parent, the fewest the selection model can hold them in.
    void selectEveryNode();
    void setNodeExpanded(ConnectionNode *node, bool expanded);
    // Closes those of Branches that are open, in one layout of the view, without a signal for
    // each; returns the branches it closed, in the order given.
    QList<ConnectionNode *> collapseBranches(const QList<ConnectionNode *> &branches);
    // The parents of placed (moved, copied, pasted, dropped) nodes open.
    void showPlaced(const QList<ConnectionNode *> &placed);

    // Doc tells whether the pages hold unapplied edits of CurrentNode; Ask is the apply
    // question, true when the view may go on (Yes applied them, No dropped them).
    void setApplyQuestion(const TableDocument &doc, std::function<bool()> ask);
    // Asks before Branch closes when it holds CurrentNode with unapplied edits; true when it
    // may close.
    bool askBeforeCollapsing(const QModelIndex &branch);

    // The in-place name editor while a caption is edited (CurrentEditLink), else null; a
    // press in the tree ends it for the window's commands.
    QLineEdit *currentEditLink() const { return m_editLink; }
    void setCurrentEditLink(QLineEdit *editor) { m_editLink = editor; }

    // The position of the drag or drop the view is handling now.
    DropPosition currentDropPosition() const;

    // Takes Ctrl+C, Ctrl+X and Ctrl+V that reach the tree (no enabled menu command took
    // them) with the key code; the view's own handling would copy the row's caption as text.
    void setClipboardKeyHandler(std::function<void(int key)> handler) { m_clipboardKey = std::move(handler); }

    using QTreeView::edit;

Q_SIGNALS:
    // The focus came for good (not passing through a menu or another window).
    void entered();

protected:
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // A selection of many ranges repaints the whole viewport: asking the view where each
    // range lies would walk its rows once per range.
    QRegion visualRegionForSelection(const QItemSelection &selection) const override;
    // The range paths (Shift with a key or a click, a drag) select the view's rows between two
    // corners as one range per run of rows, as Qt's tree view builds them; the selection model
    // is not asked to widen them to whole rows, which it does by merging each range into all
    // before it. With one column every range is whole rows already.
    void setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command) override;
    // Rows that arrive under an open branch holding few open branches lay out that branch's
    // rows again, not every row of the view.
    void rowsInserted(const QModelIndex &parent, int start, int end) override;
    // The arrow key that opens a closed branch holding many open branches opens it in one layout.
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    // Rows paint as Qt's tree view paints them, but whether a row is selected is looked up in
    // the selection the commands read (ConnectionTreeView_Paint.cpp).
    void drawRow(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void drawBranches(QPainter *painter, const QRect &rect, const QModelIndex &index) const override;
    bool viewportEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    TreeSelection readSelection() const;
    void forgetSelection() { m_selection.reset(); }
    // Takes the row out of the selection model's selection.
    void unselectRow(const QModelIndex &index);
    // A reset drops the selection; the nodes that are still there get it back.
    void keepSelectionOverReset();
    void restoreSelectionAfterReset();
    // Unapplied edits of CurrentNode wait for the question.
    bool editsWaiting() const;
    // The questions before a press or a key; true when it is taken and goes nowhere further.
    // A press in the tree also ends the in-place editor for the window's commands.
    bool pressTaken(QMouseEvent *event);
    bool askedBeforePress(QMouseEvent *event);
    bool keyTaken(const QKeyEvent *event);
    // The row Key moves the current index to, as the view's own key handling would.
    QModelIndex keyTarget(int key, Qt::KeyboardModifiers modifiers, const QString &text) const;

    // Opening branches (ConnectionTreeView_Layout.cpp). Qt's view opens a branch by inserting
    // the rows of each open branch below it one branch at a time, each insertion moving every
    // row after it; a branch holding many open branches opens in one layout instead.
    // The open branches below Branch, up to Limit of them (-1: all).
    QList<ConnectionNode *> openBranchesBelow(const ConnectionNode *branch, qsizetype limit) const;
    // Node's row is in the view: every branch above it is open.
    bool isShown(const ConnectionNode *node) const;
    // Branch is closed and opening it would insert many open branches one at a time.
    bool opensManyBranches(const QModelIndex &branch) const;
    // Runs Open, a road of Qt's mouse handling that opens the closed Branch, so that the view
    // is laid out once.
    void openOnce(const QModelIndex &branch, const std::function<void()> &open);
    // The closed branch the mouse event opens, as the view's own handling would; invalid when
    // it opens none.
    QModelIndex branchOpenedBy(const QMouseEvent *event) const;
    bool isClosedBranch(const QModelIndex &index) const;
    // The key just handled opened a branch in one layout: the view takes the key.
    bool m_keyOpenedBranch = false;

    // Painting rows (ConnectionTreeView_Paint.cpp).
    bool paintsRowsItself() const;
    bool isRowSelected(const QModelIndex &index) const;
    // How many branches above Index, below the view's root.
    int levelOf(const QModelIndex &index) const;
    // How far Index's row is indented: its branch signs and lines, its own sign included.
    int indentationOf(const QModelIndex &index) const;
    // The row whose branch sign is at Pos, in viewport coordinates; invalid over no sign.
    QModelIndex decorationAt(const QPoint &pos) const;
    void followPointer();
    QPersistentModelIndex m_hover;
    QPersistentModelIndex m_hoverBranch;

    ConnectionTreeModel *m_model = nullptr;
    const TableDocument *m_doc = nullptr;
    std::function<bool()> m_askApply;
    QPointer<QLineEdit> m_editLink;
    // The selection as last read, until the selection or the tree changes.
    mutable std::optional<TreeSelection> m_selection;
    // Selection and focus held over a reset of the model (a table read in one go).
    QList<ConnectionNode *> m_selectionOverReset;
    ConnectionNode *m_focusOverReset = nullptr;
    quint64 m_removalsOverReset = 0;
    // A press the question took: the rename a slow click before it scheduled does not
    // follow, and its release goes nowhere either.
    bool m_dropPendingRename = false;
    bool m_swallowRelease = false;
    std::function<void(int key)> m_clipboardKey;
};
