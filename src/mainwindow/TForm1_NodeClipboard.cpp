// Cut, copy and paste of the tree's branches through the node clipboard, and the cut/copy
// mark those branches carry.
#include "mainwindow/TForm1.h"

#include "mainwindow/ConnectionTreeModel.h"
#include "table/ConnectionTree.h"
#include "table/FlagScope.h"
#include "table/MoveCommands.h"
#include "table/NodeClipboard.h"
#include "table/NodeSelection.h"
#include "table/TreeRules.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

void TForm1::setupNodeClipboard()
{
    VT->setClipboardKeyHandler([this](int key) { VTKeyDown(key); });
    m_model->setCutMarkQuery([this](const ConnectionNode *n) { return m_doc.CutModeFlag && hasCutCopyMark(n); });
    // A mark never outlives its node.
    connect(m_model, &QAbstractItemModel::rowsAboutToBeRemoved, this, &TForm1::forgetMarkedNodes);
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        // A table read in one go replaces the nodes; a move shown as a reset keeps them.
        if (m_doc.tree().inBulkChange())
            CancelCutOrCopy();
    });
}

void TForm1::cutNodes()
{
    putNodesOnClipboard(true);
}

void TForm1::copyNodes()
{
    putNodesOnClipboard(false);
}

bool TForm1::putNodesOnClipboard(bool cut)
{
    // Each selected branch once; RootNode stays, also after Select All.
    const QList<ConnectionNode *> tops = TopmostNodes(m_host.selectedNodes());
    if (tops.isEmpty())
        return false;
    auto *data = new QMimeData;
    data->setData(QLatin1String(NodeMimeType), EncodeNodes(tops));
    QGuiApplication::clipboard()->setMimeData(data);
    m_nodesOnClipboard = data;

    // The mark covers the whole branches as they are now.
    m_cutCopyMarks.clear();
    for (const ConnectionNode *top : tops) {
        m_cutCopyMarks.insert(top);
        ConnectionTree::forEachBelow(top, [this](ConnectionNode *n) { m_cutCopyMarks.insert(n); });
    }
    m_cutCopyTops = tops;
    m_doc.CutModeFlag = cut;
    VT->viewport()->update();
    return true;
}

void TForm1::VTKeyDown(int key)
{
    // The top node is neither copied nor a place to paste by the tree's own keys.
    ConnectionNode *focused = focusedNode();
    if (focused && focused == m_doc.RootNode())
        return;
    switch (key) {
    case Qt::Key_C:
        // A copy now pending: a paste after it copies, whatever cut came before.
        copyNodes();
        break;
    case Qt::Key_X:
        if (putNodesOnClipboard(true))
            m_doc.UpdateCaption(true);
        break;
    case Qt::Key_V:
        pasteNodes();
        break;
    default:
        return;
    }
    RequestCommandRefresh();
}

void TForm1::pasteNodes()
{
    ConnectionNode *target = focusedNode();
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (!target || !data || !data->hasFormat(QLatin1String(NodeMimeType)))
        return;
    QList<ConnectionNode *> placed;
    {
        FlagScope copying(m_doc.CopyInProgressFlag);
        if (m_doc.CutModeFlag && data == m_nodesOnClipboard && !m_cutCopyTops.isEmpty()) {
            // After a cut in this tree the branches themselves move. Into their own branch
            // they cannot: then nothing happens and the cut stays pending.
            placed = MoveNodes(m_doc, m_cutCopyTops, target, 0);
            if (placed.isEmpty())
                return;
            m_doc.CutModeFlag = false;
            CancelCutOrCopy();
        } else {
            // Read whole first: one damaged record and nothing is placed.
            QList<rVTNodeData> records;
            if (!DecodeNodes(data->data(QLatin1String(NodeMimeType)), records)) {
                prompter().warning(QStringLiteral("Error reading the file. It contains inconsistent data."));
                return;
            }
            m_doc.CutModeFlag = false;
            placed = InsertNodes(m_doc, records, target, 0);
        }
        RenameDuplicateSiblings(m_doc, target);
    }
    if (!placed.isEmpty())
        m_doc.UpdateCaption(true);
    VT->viewport()->update();
    RequestCommandRefresh();
}

bool TForm1::hasCutCopyMark(const ConnectionNode *node) const
{
    return node && m_cutCopyMarks.contains(node);
}

void TForm1::CancelCutOrCopy()
{
    if (m_cutCopyMarks.isEmpty() && m_cutCopyTops.isEmpty())
        return;
    m_cutCopyMarks.clear();
    m_cutCopyTops.clear();
    VT->viewport()->update();
}

void TForm1::forgetMarkedNodes(const QModelIndex &parent, int first, int last)
{
    if (m_cutCopyMarks.isEmpty())
        return;
    for (int row = first; row <= last; ++row) {
        const ConnectionNode *gone = m_model->nodeFor(m_model->index(row, 0, parent));
        if (!gone)
            continue;
        m_cutCopyMarks.remove(gone);
        ConnectionTree::forEachBelow(gone, [this](ConnectionNode *n) { m_cutCopyMarks.remove(n); });
        m_cutCopyTops.removeIf([gone](const ConnectionNode *n) { return n == gone || gone->isAncestorOf(n); });
    }
}
