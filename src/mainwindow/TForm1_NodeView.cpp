// The node view: the tree's icons, the focused connection's values in the pages and their
// covers, the user's edits marking the node, Apply, and the tree-wide commands.
#include "mainwindow/TForm1.h"

#include "mainwindow/ColorsPage.h"
#include "mainwindow/ConnectionTreeModel.h"
#include "mainwindow/MacroEditorSettingsPage.h"
#include "mainwindow/MacroPage.h"
#include "mainwindow/PopupPage.h"
#include "mainwindow/SchedulePage.h"
#include "mainwindow/SettingsPage.h"
#include "mainwindow/TextEditor.h"
#include "platform/FieldText.h"
#include "table/ConnectionTree.h"
#include "table/EditCommands.h"
#include "table/NodeImageIndex.h"

#include <QAction>
#include <QCheckBox>
#include <QTabWidget>

namespace {

const QString kNoConnection = QStringLiteral("No connection selected");
const QString kMultiple = QStringLiteral("Multiple items selected");

} // namespace

void TForm1::setupNodeView()
{
    m_model->setImageIndexProvider([this](const ConnectionNode *n) {
        if (m_doc.LoadingFlag)
            return -1;
        return NodeImageIndex(n, n == m_doc.RootNode(), m_doc.hasCutCopyMark(n), m_doc.CutModeFlag);
    });

    VT->setApplyQuestion(m_doc, [this] { return askApplyBeforeLeaving(); });

    connect(VT, &QTreeView::collapsed, this, [this](const QModelIndex &index) {
        ConnectionNode *node = m_model->nodeFor(index);
        // A collapse no gate saw (a program's, or a key the gate does not know): the question
        // comes after it, and Cancel opens the branch again.
        if (!m_doc.LoadingFlag && m_doc.IsNodeModified() && m_doc.BranchHoldsCurrentNode(node)
            && !askApplyBeforeLeaving()) {
            VT->expand(index);
            return;
        }
        VTCollapsed(node);
    });
    connect(PG, &QTabWidget::currentChanged, this, [this] { ShowFocusedNodeData(); });


    for (NodePage *page : nodePages())
        connect(page, &NodePage::userEdited, this, &TForm1::pageEdited);
}

std::array<NodePage *, 4> TForm1::nodePages() const
{
    return {m_macroPage, m_popupPage, m_schedulePage, m_colorsPage};
}

void TForm1::pageEdited()
{
    if (m_doc.LoadingFlag)
        return;
    m_doc.SetNodeModified(true);
    RequestCommandRefresh();
}

void TForm1::VTChange(ConnectionNode *node)
{
    if (m_doc.LoadingFlag)
        return;
    VT->setCurrentEditLink(nullptr);
    if (node && node != m_doc.CurrentNode) {
        // The focus moved by a road the gates did not see: ask now, and on Cancel put the
        // focus back on the connection the edits belong to.
        if (m_doc.IsNodeModified() && !askApplyBeforeLeaving()) {
            const QPersistentModelIndex back = m_model->indexFor(m_doc.CurrentNode);
            QMetaObject::invokeMethod(this, [this, back] {
                // Focus first: every step after it reports the node the edits belong to.
                if (ConnectionNode *n = m_model->nodeFor(back)) {
                    VT->setFocusedNode(n);
                    VT->selectionModel()->clearSelection();
                    VT->setSelected(n, true);
                }
            }, Qt::QueuedConnection);
            return;
        }
        m_doc.CurrentNode = node;
    }
    showLastUpdated(m_doc.CurrentNode);
    RequestCommandRefresh();
}

void TForm1::VTCollapsed(ConnectionNode *node)
{
    if (m_doc.LoadingFlag || !node)
        return;
    // Unapplied edits of a node outside the branch: the focus stays with them, unasked.
    if (!m_doc.IsNodeModified()) {
        // Where it stands: after Collapse all it lies inside closed branches.
        VT->focusOnlyInPlace(node);
        if (node != m_doc.CurrentNode)
            m_doc.CurrentNode = node;
    }
    RequestCommandRefresh();
}

void TForm1::ShowFocusedNodeData()
{
    if (m_doc.LoadingFlag || m_doc.IsNodeModified())
        return;
    setPanelText(0, QString());

    // One selected connection is shown; anything else covers the pages and says why. A
    // separator's record still gives the colours page its set.
    const TreeSelection selection = VT->selection();
    ConnectionNode *focused = selection.focused();
    const rVTNodeData *record = nullptr;
    QString reason = selection.size() > 1 ? kMultiple : kNoConnection;
    if (selection.size() == 1 && focused && focused != m_doc.RootNode() && selection.contains(focused)) {
        record = &focused->data;
        if (!IsSeparatorName(record->Name))
            reason.clear();
    }
    m_colorsPage->setColorSupportDisabled(m_settingsPage->macroEditor()->cbNoColors()->isChecked());
    for (NodePage *page : nodePages())
        page->showNode(record, reason);
    // In connection colours the macro editor takes the shown connection's.
    rbUseColorInEditorClick();
    if (reason.isEmpty())
        noteLastUpdated(record->LastUpdated);
}

void TForm1::BtnApplyClick()
{
    // Only edits waiting for their connection are applied.
    if (!m_doc.IsNodeModified() || !m_doc.CurrentNode)
        return;
    BtnApply->setEnabled(false);
    ConnectionNode *node = m_doc.CurrentNode;
    NodeEdits edits;
    for (NodePage *page : nodePages())
        page->collectEdits(edits);
    ApplyNodeEdits(m_doc, edits, m_applyClock);
    noteLastUpdated(node->data.LastUpdated);
    rbUseColorInEditorClick();
    RequestCommandRefresh();
}

void TForm1::noteLastUpdated(const QByteArray &lastUpdated)
{
    const QString stamp = ShownField(lastUpdated);
    if (!stamp.isEmpty() && !panelText(0).contains(stamp))
        setPanelText(0, QStringLiteral("  Last updated: ") + stamp);
}

void TForm1::SelectNodeByIndex()
{
    ConnectionNode *node = m_doc.tree().nodeAtAbsoluteIndex(m_doc.SelectedNodeIndex);
    if (!node) {
        m_doc.CurrentNode = nullptr;
        return;
    }
    VT->focusOnly(node);
}

void TForm1::MnExpandAllClick()
{
    VT->expandAll();
    RequestCommandRefresh();
}

void TForm1::MnCollapseAllClick()
{
    // The open branches in tree order, as a walk over the tree meets them; each is closed in
    // turn and becomes the focused node, so the last one closed keeps the focus.
    QList<ConnectionNode *> open;
    ConnectionTree::forEachBelow(m_doc.tree().invisibleRoot(), [this, &open](ConnectionNode *n) {
        if (n->hasChildren() && VT->isExpanded(m_model->indexFor(n)))
            open.append(n);
    });
    // The first branch that holds the connection with unapplied edits asks before it closes.
    // Cancel keeps it and the branches after it open and ends the command: asking again for
    // each of them would only repeat the question.
    qsizetype closing = open.size();
    for (qsizetype i = 0; i < open.size(); ++i)
        if (!VT->askBeforeCollapsing(m_model->indexFor(open.at(i)))) {
            closing = i;
            break;
        }
    const QList<ConnectionNode *> closed = VT->collapseBranches(open.first(closing));
    if (!closed.isEmpty())
        VTCollapsed(closed.last());
}

void TForm1::MnShowPopupClick()
{
    m_prompter->ask(Prompter::Kind::Information, Memo2->text() + QStringLiteral("\rPress Ok to continue."),
                    Prompter::Buttons::OkCancel);
}

Prompter::Answer TForm1::askApplyQuestion(const ConnectionNode *node)
{
    return m_prompter->ask(Prompter::Kind::Warning, TableDocument::ApplyQuestionText(node ? node->data.Name : QByteArray()),
                           Prompter::Buttons::YesNoCancel);
}

bool TForm1::askApplyBeforeLeaving()
{
    if (!m_doc.IsNodeModified())
        return true;
    ConnectionNode *owner = m_doc.CurrentNode;
    if (!owner) {
        // The connection the edits belonged to is gone; nothing is left to apply them to.
        m_doc.SetNodeModified(false);
        return true;
    }
    const Prompter::Answer answer = askApplyQuestion(owner);
    if (answer == Prompter::Cancel)
        return false;
    if (answer == Prompter::Yes)
        BtnApplyClick();
    else
        m_doc.SetNodeModified(false);
    return true;
}
