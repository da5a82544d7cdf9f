#include "mainwindow/ConnectionTreeModel.h"

#include "mainwindow/TreeImages.h"

#include "platform/FieldText.h"
#include "platform/SystemInfo.h"
#include "table/ConnectionTree.h"

ConnectionTreeModel::ConnectionTreeModel(ConnectionTree &tree, QObject *parent)
    : QAbstractItemModel(parent),
      m_tree(tree),
      m_rootCaption(QStringLiteral("This computer (") + SystemInfo::computerName() + QStringLiteral(")"))
{
    connect(&m_tree, &ConnectionTree::nodesAboutToBeInserted, this,
            [this](ConnectionNode *parentNode, int first, int last) { beginInsertRows(indexFor(parentNode), first, last); });
    connect(&m_tree, &ConnectionTree::nodesInserted, this, [this] { endInsertRows(); });
    connect(&m_tree, &ConnectionTree::nodesAboutToBeRemoved, this,
            [this](ConnectionNode *parentNode, int first, int last) { beginRemoveRows(indexFor(parentNode), first, last); });
    connect(&m_tree, &ConnectionTree::nodesRemoved, this, [this] { endRemoveRows(); });
    connect(&m_tree, &ConnectionTree::nodesAboutToBeMoved, this, &ConnectionTreeModel::onAboutToBeMoved);
    connect(&m_tree, &ConnectionTree::nodesMoved, this, &ConnectionTreeModel::onMoved);
    connect(&m_tree, &ConnectionTree::nodeChanged, this, [this](ConnectionNode *node) {
        const QModelIndex i = indexFor(node);
        if (i.isValid())
            Q_EMIT dataChanged(i, i);
    });
    connect(&m_tree, &ConnectionTree::aboutToReset, this, [this] { beginResetModel(); });
    connect(&m_tree, &ConnectionTree::resetDone, this, [this] { endResetModel(); });
}

void ConnectionTreeModel::onAboutToBeMoved(ConnectionNode *parentNode, int first, int last, ConnectionNode *newParent,
                                           int row)
{
    // The tree's destination row counts the rows before the move, as beginMoveRows does.
    m_moveAsReset = !beginMoveRows(indexFor(parentNode), first, last, indexFor(newParent), row);
    if (m_moveAsReset)
        beginResetModel();
}

void ConnectionTreeModel::onMoved()
{
    if (m_moveAsReset)
        endResetModel();
    else
        endMoveRows();
    m_moveAsReset = false;
}

QModelIndex ConnectionTreeModel::indexFor(const ConnectionNode *node) const
{
    if (!node || node == m_tree.invisibleRoot() || !node->parent())
        return {};
    return createIndex(node->row(), 0, const_cast<ConnectionNode *>(node));
}

ConnectionNode *ConnectionTreeModel::nodeFor(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != this)
        return nullptr;
    return static_cast<ConnectionNode *>(index.internalPointer());
}

ConnectionNode *ConnectionTreeModel::parentNodeFor(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return m_tree.invisibleRoot();
    // Only the first column has children.
    if (parent.column() != 0)
        return nullptr;
    return nodeFor(parent);
}

QModelIndex ConnectionTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (column != 0)
        return {};
    const ConnectionNode *p = parentNodeFor(parent);
    const ConnectionNode *c = p ? p->child(row) : nullptr;
    return c ? createIndex(row, 0, const_cast<ConnectionNode *>(c)) : QModelIndex();
}

QModelIndex ConnectionTreeModel::parent(const QModelIndex &child) const
{
    const ConnectionNode *n = nodeFor(child);
    return n ? indexFor(n->parent()) : QModelIndex();
}

int ConnectionTreeModel::rowCount(const QModelIndex &parent) const
{
    const ConnectionNode *p = parentNodeFor(parent);
    return p ? p->childCount() : 0;
}

int ConnectionTreeModel::columnCount(const QModelIndex &) const
{
    return 1;
}

bool ConnectionTreeModel::hasChildren(const QModelIndex &parent) const
{
    const ConnectionNode *p = parentNodeFor(parent);
    return p && p->hasChildren();
}

QVariant ConnectionTreeModel::data(const QModelIndex &index, int role) const
{
    const ConnectionNode *n = nodeFor(index);
    if (n && (role == Qt::FontRole || role == Qt::ForegroundRole))
        return cutMarkData(n, role);
    if (n && (role == Qt::DecorationRole || role == ImageIndexRole)) {
        const int image = m_imageIndex ? m_imageIndex(n) : -1;
        if (image < 0)
            return {};
        if (role == ImageIndexRole)
            return image;
        return TreeImages::icon(image);
    }
    if (!n || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    if (n == m_tree.RootNode())
        return m_rootCaption;
    // The view lays out and paints what it gets, and the in-place editor starts with it: a
    // name of any length is shown cut, and edited from its head. The record keeps it whole.
    return role == Qt::DisplayRole ? ShownField(n->data.Name) : FieldHead(n->data.Name);
}

bool ConnectionTreeModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    ConnectionNode *n = nodeFor(index);
    if (!n || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable) || !m_renameHandler)
        return false;
    m_renameHandler(n, value.toString());
    return true;
}

Qt::ItemFlags ConnectionTreeModel::flags(const QModelIndex &index) const
{
    const ConnectionNode *n = nodeFor(index);
    if (!n)
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    // Asked afresh whenever the view needs it: a node without children now is none the view
    // opens (Expand all would otherwise hold every connection as an open branch, and every
    // change of rows would then walk them all).
    if (!n->hasChildren())
        f |= Qt::ItemNeverHasChildren;
    if (n != m_tree.RootNode())
        f |= Qt::ItemIsEditable;
    if (m_doc) {
        // Any node may be a drop target (the drop rules judge); every one but RootNode moves.
        f |= Qt::ItemIsDropEnabled;
        if (VTDragAllowed(*m_doc, n))
            f |= Qt::ItemIsDragEnabled;
    }
    return f;
}
