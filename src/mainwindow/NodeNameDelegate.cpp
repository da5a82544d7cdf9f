#include "mainwindow/NodeNameDelegate.h"

#include <QLineEdit>

QWidget *NodeNameDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                        const QModelIndex &index) const
{
    auto *editor = new QLineEdit(parent);
    editor->setObjectName(QStringLiteral("VTEdit"));
    editor->setFrame(false);
    editor->setFont(option.font);
    if (m_editorCreated)
        m_editorCreated(editor, index);
    return editor;
}

void NodeNameDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    auto *edit = qobject_cast<QLineEdit *>(editor);
    if (!edit)
        return;
    // An edit that ends with the text it began with is no rename: the name keeps its bytes.
    if (edit->text() == index.data(Qt::EditRole).toString())
        return;
    model->setData(index, edit->text(), Qt::EditRole);
}
