#include "mainwindow/TForm1TableHost.h"

#include "mainwindow/ConnectionTreeModel.h"
#include "mainwindow/TForm1.h"
#include "table/ConnectionTree.h"

#include <QItemSelectionModel>
#include <QTreeView>

#include <algorithm>

namespace {

// Rows from the top down to Node: comparing these orders nodes as the pre-order walk does.
QList<int> pathOf(const ConnectionNode *node)
{
    QList<int> path;
    for (const ConnectionNode *n = node; n && n->parent(); n = n->parent())
        path.prepend(n->row());
    return path;
}

} // namespace

Prompter &TForm1TableHost::prompter()
{
    return m_window.prompter();
}

ConnectionNode *TForm1TableHost::focusedNode() const
{
    return m_window.focusedNode();
}

QList<ConnectionNode *> TForm1TableHost::selectedNodes() const
{
    const ConnectionTreeModel &model = m_window.model();
    const QModelIndexList rows = m_window.tree()->selectionModel()->selectedRows();
    QList<std::pair<QList<int>, ConnectionNode *>> keyed;
    keyed.reserve(rows.size());
    for (const QModelIndex &i : rows)
        if (ConnectionNode *n = model.nodeFor(i))
            keyed.append({pathOf(n), n});
    std::sort(keyed.begin(), keyed.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QList<ConnectionNode *> out;
    out.reserve(keyed.size());
    for (const auto &k : keyed)
        out.append(k.second);
    return out;
}

bool TForm1TableHost::isSelected(const ConnectionNode *node) const
{
    const QModelIndex i = m_window.model().indexFor(node);
    return i.isValid() && m_window.tree()->selectionModel()->isSelected(i);
}

void TForm1TableHost::setSelected(ConnectionNode *node, bool selected)
{
    const QModelIndex i = m_window.model().indexFor(node);
    if (!i.isValid())
        return;
    m_window.tree()->selectionModel()->select(
        i, (selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) | QItemSelectionModel::Rows);
}

void TForm1TableHost::clearSelection()
{
    m_window.tree()->selectionModel()->clearSelection();
}

void TForm1TableHost::setFocusedNode(ConnectionNode *node)
{
    // Focus only: what is selected stays as the caller set it.
    m_window.tree()->selectionModel()->setCurrentIndex(m_window.model().indexFor(node),
                                                       QItemSelectionModel::NoUpdate);
}

void TForm1TableHost::setExpanded(ConnectionNode *node, bool expanded)
{
    const QModelIndex i = m_window.model().indexFor(node);
    if (i.isValid())
        m_window.tree()->setExpanded(i, expanded);
}

void TForm1TableHost::showSettingsPage()
{
    m_window.showSettingsPage();
}

void TForm1TableHost::VTChange(ConnectionNode *node)
{
    m_window.VTChange(node);
}

void TForm1TableHost::ShowFocusedNodeData()
{
    m_window.ShowFocusedNodeData();
}

void TForm1TableHost::BtnApplyClick()
{
    m_window.BtnApplyClick();
}

void TForm1TableHost::SaveSettingsAndNotify()
{
    m_window.SaveSettingsAndNotify();
}

QByteArray TForm1TableHost::ReadTeraTermColors()
{
    return m_window.ReadTeraTermColors();
}

void TForm1TableHost::setWaitCursor(bool on)
{
    m_window.setWaitCursor(on);
}

void TForm1TableHost::RequestCommandRefresh()
{
    m_window.RequestCommandRefresh();
}

QString TForm1TableHost::statusPanelText(int panel) const
{
    return m_window.panelText(panel);
}

void TForm1TableHost::setStatusPanelText(int panel, const QString &text)
{
    m_window.setPanelText(panel, text);
}

void TForm1TableHost::rbUseColorInEditorClick()
{
}
