// The Connection menu's commands that add, duplicate and delete connections.
#include "mainwindow/TForm1.h"

#include "mainwindow/NewConnectionsPage.h"
#include "mainwindow/SettingsPage.h"
#include "table/EditCommands.h"

#include <QAction>

NewConnectionDefaults TForm1::newConnectionDefaults() const
{
    NewConnectionDefaults defaults = m_settingsPage->newConnections()->connectionDefaults();
    defaults.teraTermColors = ReadTeraTermColors();
    return defaults;
}

// Each command refuses quietly where the focused node cannot take it (nothing focused, a
// child of a separator, a sibling or copy of RootNode), whatever state the buttons are in.
void TForm1::MnAddChildClick()
{
    addConnection(AddMode::Child);
}

void TForm1::mnAddSiblingClick()
{
    addConnection(AddMode::Sibling);
}

void TForm1::mnAddSepLineClick()
{
    addConnection(AddMode::Separator);
}

void TForm1::MnDuplicateClick()
{
    // The copy flag is held by the duplicate itself.
    addConnection(AddMode::Duplicate);
}

void TForm1::addConnection(AddMode mode)
{
    const AddedConnection added = ::AddConnection(m_doc, mode, focusedNode(), newConnectionDefaults());
    if (added.expand)
        VT->setNodeExpanded(added.expand, true);
    if (added.focus)
        VT->focusOnly(added.focus);
    RequestCommandRefresh();
}

void TForm1::MnDeleteClick()
{
    BtnDelete->setEnabled(false);
    const DeletePlan plan = PlanDelete(m_doc, VT->selection());
    if (!plan.isEmpty()) {
        // The focus moves first, so the view never passes it through a node on its way out.
        VT->setFocusedNode(plan.survivor);
        VT->selectionModel()->clearSelection();
        DeleteBranches(m_doc, plan);
        VT->setSelected(plan.survivor, true);
    }
    RequestCommandRefresh();
}
