#pragma once

#include "table/ConnectionTree.h"
#include "table/MoveCommands.h"

#include <QAbstractItemModel>
#include <QList>
#include <QPointer>
#include <QString>

#include <functional>

class QMimeData;
class TableDocument;

// The item model of the tree view `VT`. It asks the connection tree for everything and copies
// nothing, so a table of any size costs the view nothing until it is shown, and it turns the
// tree's change signals into the model's begin/end calls so the view's selection and current
// index follow every insert, remove and move.
class ConnectionTreeModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    // Called with the node and the text the in-place editor ended with; the record is left to
    // the handler (the rename rules decide what is stored).
    using RenameHandler = std::function<void(ConnectionNode *node, const QString &text)>;
    // The icon index of a node (TreeImages), or -1 for none.
    using ImageIndexProvider = std::function<int(const ConnectionNode *node)>;
    // The icon index as a number, for readers that compare icons.
    static constexpr int ImageIndexRole = Qt::UserRole + 1;

    explicit ConnectionTreeModel(ConnectionTree &tree, QObject *parent = nullptr);

    ConnectionTree &tree() const { return m_tree; }

    QModelIndex indexFor(const ConnectionNode *node) const;
    // Null for an invalid index.
    ConnectionNode *nodeFor(const QModelIndex &index) const;

    // The caption of the top node: "This computer (" + computer name + ")".
    QString rootCaption() const { return m_rootCaption; }
    void setRenameHandler(RenameHandler handler) { m_renameHandler = std::move(handler); }
    void setImageIndexProvider(ImageIndexProvider provider) { m_imageIndex = std::move(provider); }

    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    bool hasChildren(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Drag-and-drop of branches, and the cut mark.
    using DropPositionSource = std::function<DropPosition()>;
    using MarkQuery = std::function<bool(const ConnectionNode *node)>;
    // Lets the nodes of Doc's tree be dragged and dropped, judged by the table's drop rules at
    // the position over the target row that Source tells (Qt's row and parent alone cannot
    // tell below one row from above the next).
    void enableDragAndDrop(TableDocument &doc, DropPositionSource source);
    // Nodes for which Query holds are drawn as cut.
    void setCutMarkQuery(MarkQuery query) { m_cutMark = std::move(query); }
    // The branches of the drag that Data belongs to; empty for data from elsewhere.
    QList<ConnectionNode *> draggedNodes(const QMimeData *data) const;

    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    bool canDropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                         const QModelIndex &parent) const override;
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                      const QModelIndex &parent) override;
    // Never removes anything: after a drop that moved rows the view asks to remove the
    // originals, but the drop has moved them already.
    bool removeRows(int row, int count, const QModelIndex &parent = {}) override;

Q_SIGNALS:
    // A drop placed these branches (their top nodes, in tree order).
    void nodesPlaced(const QList<ConnectionNode *> &placed);

private:
    // The drop target and position for Qt's row and parent of a drop.
    ConnectionNode *dropTarget(int row, const QModelIndex &parent, DropPosition &position) const;
    QVariant cutMarkData(const ConnectionNode *node, int role) const;
    // Reports a drop's placed nodes; false when it placed none.
    bool placed(const QList<ConnectionNode *> &nodes);
    void forgetDragged(const ConnectionNode *parentNode, int first, int last);

    ConnectionNode *parentNodeFor(const QModelIndex &parent) const;
    void onAboutToBeMoved(ConnectionNode *parentNode, int first, int last, ConnectionNode *newParent, int row);
    void onMoved();

    ConnectionTree &m_tree;
    QString m_rootCaption;
    RenameHandler m_renameHandler;
    ImageIndexProvider m_imageIndex;
    // A move the model could not describe as one is shown as a reset.
    bool m_moveAsReset = false;

    TableDocument *m_doc = nullptr;
    DropPositionSource m_dropPosition;
    MarkQuery m_cutMark;
    // The drag this model started, and its branches, while its data lives.
    mutable QPointer<const QMimeData> m_dragData;
    mutable QList<ConnectionNode *> m_dragged;
};
