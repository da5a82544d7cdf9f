// The Connection menu's commands that add, duplicate and delete connections.
#include "mainwindow/TForm1.h"

#include "mainwindow/NewConnectionsPage.h"
#include "mainwindow/SettingsPage.h"
#include "table/EditCommands.h"

#include <QAction>
#include <QComboBox>
#include <QRadioButton>

void TForm1::setupConnectionCommands()
{
    connectActions({MnAddChild, BtnAddChild, pmAddChild}, &TForm1::MnAddChildClick);
    connectActions({mnAddSibling, BtnAddSibl, pmAddSibl}, &TForm1::mnAddSiblingClick);
    connectActions({mnAddSepLine, pmAddSepLine}, &TForm1::mnAddSepLineClick);
    connectActions({MnDuplicate, pmDuplicate}, &TForm1::MnDuplicateClick);
    connectActions({MnDelete, BtnDelete, pmDelete}, &TForm1::MnDeleteClick);
}

NewConnectionDefaults TForm1::newConnectionDefaults() const
{
    const NewConnectionsPage *page = m_settingsPage->newConnections();
    NewConnectionDefaults defaults;
    // An unset list counts as the first scheme (the lookup takes care of it).
    defaults.defaultColorsIndex = page->cbDefColors()->currentIndex();
    if (page->rbLog()->isChecked())
        defaults.logging = true;
    else if (page->rbDontLog()->isChecked())
        defaults.logging = false;
    return defaults;
}

// Each command refuses quietly where the focused node cannot take it (nothing focused, a
// child of a separator, a sibling or copy of RootNode), whatever state the buttons are in.
void TForm1::MnAddChildClick()
{
    ::AddConnection(m_doc, AddMode::Child, newConnectionDefaults());
    RequestCommandRefresh();
}

void TForm1::mnAddSiblingClick()
{
    ::AddConnection(m_doc, AddMode::Sibling, newConnectionDefaults());
    RequestCommandRefresh();
}

void TForm1::mnAddSepLineClick()
{
    ::AddConnection(m_doc, AddMode::Separator, newConnectionDefaults());
    RequestCommandRefresh();
}

void TForm1::MnDuplicateClick()
{
    // The copy flag is held by the duplicate itself.
    ::AddConnection(m_doc, AddMode::Duplicate, newConnectionDefaults());
    RequestCommandRefresh();
}

void TForm1::MnDeleteClick()
{
    BtnDelete->setEnabled(false);
    ::MnDeleteClick(m_doc);
}
