// Drag-and-drop of branches in the tree view, and how cut nodes are drawn.
#include "mainwindow/ConnectionTreeModel.h"

#include "platform/Prompter.h"
#include "table/ConnectionTree.h"
#include "table/NodeClipboard.h"
#include "table/NodeSelection.h"
#include "table/TableDocument.h"
#include "table/TableHost.h"

#include <QFont>
#include <QGuiApplication>
#include <QMimeData>
#include <QPalette>

void ConnectionTreeModel::enableDragAndDrop(TableDocument &doc, DropPositionSource source)
{
    m_doc = &doc;
    m_dropPosition = std::move(source);
    // The dragged nodes are held only while they live.
    connect(&m_tree, &ConnectionTree::nodesAboutToBeRemoved, this, &ConnectionTreeModel::forgetDragged);
    connect(&m_tree, &ConnectionTree::aboutToReset, this, [this] {
        // A bulk change may delete any node; a move shown as a reset deletes none.
        if (m_tree.inBulkChange())
            m_dragged.clear();
    });
}

void ConnectionTreeModel::forgetDragged(const ConnectionNode *parentNode, int first, int last)
{
    m_dragged.removeIf([&](const ConnectionNode *n) { return IsInBranchOfRows(n, parentNode, first, last); });
}

QList<ConnectionNode *> ConnectionTreeModel::draggedNodes(const QMimeData *data) const
{
    if (!data || data != m_dragData)
        return {};
    return m_dragged;
}

Qt::DropActions ConnectionTreeModel::supportedDragActions() const
{
    return m_doc ? (Qt::MoveAction | Qt::CopyAction) : Qt::IgnoreAction;
}

Qt::DropActions ConnectionTreeModel::supportedDropActions() const
{
    return m_doc ? (Qt::MoveAction | Qt::CopyAction) : Qt::IgnoreAction;
}

QStringList ConnectionTreeModel::mimeTypes() const
{
    return {QLatin1String(NodeMimeType)};
}

QMimeData *ConnectionTreeModel::mimeData(const QModelIndexList &indexes) const
{
    if (!m_doc)
        return nullptr;
    QList<ConnectionNode *> nodes;
    for (const QModelIndex &i : indexes)
        if (ConnectionNode *n = nodeFor(i); n && VTDragAllowed(*m_doc, n))
            nodes.append(n);
    // Each branch travels once, RootNode never (also not after Select All).
    const QList<ConnectionNode *> tops = TopmostNodes(nodes);
    if (tops.isEmpty())
        return nullptr;
    auto *data = new QMimeData;
    data->setData(QLatin1String(NodeMimeType), EncodeNodes(tops));
    m_dragData = data;
    m_dragged = tops;
    return data;
}

ConnectionNode *ConnectionTreeModel::dropTarget(int row, const QModelIndex &parent, DropPosition &position) const
{
    position = m_dropPosition ? m_dropPosition() : DropPosition::Nowhere;
    ConnectionNode *p = parentNodeFor(parent);
    if (!p)
        return nullptr;
    switch (position) {
    case DropPosition::On:
        return row < 0 ? nodeFor(parent) : nullptr;
    case DropPosition::Above:
        return p->child(row);
    case DropPosition::Below:
        return p->child(row - 1);
    case DropPosition::Nowhere:
        break;
    }
    return nullptr;
}

bool ConnectionTreeModel::canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int,
                                          const QModelIndex &parent) const
{
    if (!m_doc || !data || !(action & supportedDropActions()) || !data->hasFormat(QLatin1String(NodeMimeType)))
        return false;
    DropPosition position = DropPosition::Nowhere;
    const ConnectionNode *target = dropTarget(row, parent, position);
    return CanDrop(*m_doc, draggedNodes(data), target, position);
}

bool ConnectionTreeModel::dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                                       const QModelIndex &parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    DropPosition position = DropPosition::Nowhere;
    ConnectionNode *target = dropTarget(row, parent, position);
    const QList<ConnectionNode *> dragged = draggedNodes(data);
    if (!dragged.isEmpty())
        return placed(DropNodes(*m_doc, dragged, target, position, action == Qt::CopyAction));
    // Data from another instance is read whole before anything is placed.
    QList<rVTNodeData> records;
    if (!DecodeNodes(data->data(QLatin1String(NodeMimeType)), records)) {
        // Told once the drop is over, so the sending instance is not kept waiting for its end.
        QMetaObject::invokeMethod(this, [this] {
            m_doc->host().prompter().warning(QStringLiteral("Error reading the file. It contains inconsistent data."));
        }, Qt::QueuedConnection);
        return false;
    }
    return placed(DropRecords(*m_doc, records, target, position));
}

bool ConnectionTreeModel::placed(const QList<ConnectionNode *> &nodes)
{
    if (nodes.isEmpty())
        return false;
    Q_EMIT nodesPlaced(nodes);
    return true;
}

bool ConnectionTreeModel::removeRows(int, int, const QModelIndex &)
{
    return false;
}

QVariant ConnectionTreeModel::cutMarkData(const ConnectionNode *node, int role) const
{
    if (!m_cutMark || !m_cutMark(node))
        return {};
    if (role == Qt::FontRole) {
        QFont font;
        font.setItalic(true);
        return font;
    }
    return QGuiApplication::palette().brush(QPalette::Disabled, QPalette::Text);
}
