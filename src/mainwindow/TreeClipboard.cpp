#include "mainwindow/TreeClipboard.h"

#include "mainwindow/ConnectionTreeView.h"
#include "platform/Prompter.h"
#include "table/ConnectionTree.h"
#include "table/FlagScope.h"
#include "table/MoveCommands.h"
#include "table/NodeClipboard.h"
#include "table/NodeSelection.h"
#include "table/TableDocument.h"
#include "table/TableHost.h"
#include "table/TreeRules.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

TreeClipboard::TreeClipboard(TableDocument &doc, ConnectionTreeView &view, QObject *parent)
    : QObject(parent), m_doc(doc), m_view(view)
{
    m_view.setClipboardKeyHandler([this](int key) { VTKeyDown(key); });
}

void TreeClipboard::cutNodes()
{
    putNodesOnClipboard(true);
}

void TreeClipboard::copyNodes()
{
    putNodesOnClipboard(false);
}

bool TreeClipboard::putNodesOnClipboard(bool cut)
{
    // Each selected branch once; RootNode stays, also after Select All.
    const QList<ConnectionNode *> tops = TopmostNodes(m_view.selection().nodes());
    if (tops.isEmpty())
        return false;
    auto *data = new QMimeData;
    data->setData(QLatin1String(NodeMimeType), EncodeNodes(tops));
    QGuiApplication::clipboard()->setMimeData(data);
    m_nodesOnClipboard = data;

    m_doc.markCutOrCopy(tops, cut);
    return true;
}

void TreeClipboard::VTKeyDown(int key)
{
    // The top node is neither copied nor a place to paste by the tree's own keys.
    ConnectionNode *focused = m_view.focusedNode();
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
    Q_EMIT changed();
}

void TreeClipboard::pasteNodes()
{
    ConnectionNode *target = m_view.focusedNode();
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (!target || !data || !data->hasFormat(QLatin1String(NodeMimeType)))
        return;
    QList<ConnectionNode *> placed;
    {
        FlagScope copying(m_doc.CopyInProgressFlag);
        if (m_doc.CutModeFlag && data == m_nodesOnClipboard && !m_doc.cutCopyTops().isEmpty()) {
            // After a cut in this tree the branches themselves move. Into their own branch
            // they cannot: then nothing happens and the cut stays pending.
            placed = MoveNodes(m_doc, QList<ConnectionNode *>(m_doc.cutCopyTops()), target, 0);
            if (placed.isEmpty())
                return;
            m_doc.CutModeFlag = false;
            m_doc.CancelCutOrCopy();
        } else {
            // Read whole first: one damaged record and nothing is placed.
            QList<rVTNodeData> records;
            if (!DecodeNodes(data->data(QLatin1String(NodeMimeType)), records)) {
                m_doc.host().prompter().warning(QStringLiteral("Error reading the file. It contains inconsistent data."));
                return;
            }
            m_doc.CutModeFlag = false;
            placed = InsertNodes(m_doc, records, target, 0);
        }
        RenameDuplicateSiblings(m_doc, target);
    }
    m_view.showPlaced(placed);
    if (!placed.isEmpty())
        m_doc.UpdateCaption(true);
    m_view.viewport()->update();
    Q_EMIT changed();
}
