#pragma once

#include <QStyledItemDelegate>

#include <functional>

class QLineEdit;

// The in-place name editor of the tree: a line edit holding the caption. On commit it hands the
// text over to the model only when it differs from what the editor started with; Escape closes
// it without a commit.
class NodeNameDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using EditorCreated = std::function<void(QLineEdit *editor, const QModelIndex &index)>;

    explicit NodeNameDelegate(QObject *parent = nullptr) : QStyledItemDelegate(parent) {}

    // Told of every editor it opens, before the editor shows.
    void setEditorCreatedHandler(EditorCreated handler) { m_editorCreated = std::move(handler); }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;

private:
    EditorCreated m_editorCreated;
};
