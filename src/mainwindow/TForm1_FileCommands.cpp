// The File menu's table commands and the close question.
#include "mainwindow/TForm1.h"

#include "mainwindow/ColorsPage.h"
#include "mainwindow/GeneralSettingsPage.h"
#include "mainwindow/MacroPage.h"
#include "mainwindow/NewConnectionsPage.h"
#include "mainwindow/PopupPage.h"
#include "mainwindow/SettingsPage.h"
#include "mainwindow/TForm1RecentFiles.h"
#include "mainwindow/core/FileCommands.h"
#include "mainwindow/core/FileCommandsWindow.h"
#include "platform/widgets/QsciIncludes.h"
#include "platform/widgets/QtFileChooser.h"
#include "shell/LauncherLink.h"
#include "table/TreeSelection.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QRadioButton>
#include <QTabWidget>

#include <optional>

// What the file commands work with: the file dialogs, the recent-files list, and the
// window's steps inside a command.
struct TForm1FileSide : FileCommandsWindow
{
    explicit TForm1FileSide(TForm1 &form) : form(form), ownFiles(&form) {}

    void BtnApplyClick() override { form.BtnApplyClick(); }
    void showNewTable() override { form.showNewTable(); }
    void tableWritten() override { form.tableWritten(); }
    void focusTree() override { form.focusTree(); }
    void setSelected(ConnectionNode *node, bool selected) override { form.setNodeSelected(node, selected); }

    void useChooser(FileChooser *files)
    {
        chooser = files ? files : &ownFiles;
        commands.emplace(form.doc(), *chooser, recent, *this);
        commands->setEnsureLauncherRunning([this] { EnsureLauncherRunning(form.prompter()); });
        commands->setVersionText(QCoreApplication::applicationVersion());
    }

    TForm1 &form;
    QtFileChooser ownFiles;
    FileChooser *chooser = nullptr;
    TForm1RecentFiles recent;
    std::optional<FileCommands> commands;
};

void TForm1::setupFileCommands()
{
    m_fileSide = std::make_shared<TForm1FileSide>(*this);
    m_fileSide->useChooser(nullptr);
    // The close question follows the box as the user leaves it, not as the options last
    // stored it.
    connect(m_settingsPage->general()->cbAutoSave(), &QCheckBox::toggled, this,
            [this](bool on) { m_options.AutoSave = on; });
    connect(m_settingsPage->general()->cbFullPathMRU(), &QCheckBox::clicked, this, &TForm1::cbFullPathMRUClick);
}

void TForm1::createRecentFiles(Registry &registry)
{
    m_fileSide->recent.create(
        registry, prompter(), *MnFile, [this](const QString &file) { MRUMenuClick(file); },
        [this](const QString &file) { MRUFileNotExist(file); });
}

void TForm1::cbFullPathMRUClick()
{
    m_fileSide->recent.setShowFullPath(m_settingsPage->general()->cbFullPathMRU()->isChecked());
}

void TForm1::setFileChooser(FileChooser *files)
{
    m_fileSide->useChooser(files);
}

FileChooser &TForm1::fileChooser()
{
    return *m_fileSide->chooser;
}

void TForm1::MnNewTableClick()
{
    m_fileSide->commands->MnNewTableClick(VT->selection());
    RequestCommandRefresh();
}

void TForm1::MnOpenTableClick()
{
    if (const std::optional<TableReadResult> read = m_fileSide->commands->MnOpenTableClick(VT->selection()))
        showTableOpened(*read);
}

void TForm1::MRUMenuClick(const QString &fileName)
{
    if (const std::optional<TableReadResult> read = m_fileSide->commands->MRUMenuClick(fileName, VT->selection()))
        showTableOpened(*read);
}

void TForm1::MRUFileNotExist(const QString &fileName)
{
    m_fileSide->commands->MRUFileNotExist(fileName);
}

void TForm1::showTableOpened(const TableReadResult &read)
{
    showTableRead(read);
    // Also after a failed open: the options then name the table the window now shows.
    SaveSettingsAndNotify();
    ShowFocusedNodeData();
    RequestCommandRefresh();
}

void TForm1::MnSaveTableClick()
{
    const bool saved = m_fileSide->commands->MnSaveTableClick();
    RequestCommandRefresh();
    if (saved)
        BtnSaveTable->setEnabled(false);
}

void TForm1::MnSaveAsTableClick()
{
    const bool saved = m_fileSide->commands->MnSaveAsTableClick();
    RequestCommandRefresh();
    if (saved)
        BtnSaveTable->setEnabled(false);
}

void TForm1::MnImportClick()
{
    if (const std::optional<ImportResult> imported = m_fileSide->commands->MnImportClick(ReadTeraTermColors()))
        showImported(*imported);
}

void TForm1::MnExportClick()
{
    m_fileSide->commands->MnExportClick(VT->selection());
    RequestCommandRefresh();
}

bool TForm1::FormCloseQuery()
{
    return m_fileSide->commands->FormCloseQuery(options().AutoSave, VT->selection());
}

void TForm1::showNewTable()
{
    showNewRoot(m_doc.RootNode());
    resetPagesForNewTable();
}

void TForm1::showTableRead(const TableReadResult &read)
{
    if (read.rewritten)
        tableWritten();
    ConnectionNode *root = m_doc.RootNode();
    if (read.focus) {
        // Reported once the view knows the new nodes.
        for (ConnectionNode *p = read.focus->parent(); p && p != root; p = p->parent())
            VT->setNodeExpanded(p, true);
        VTChange(read.focus);
    }
    if (read.recordsRead)
        VT->setNodeExpanded(root, true);
    if (read.focus)
        VT->focusOnly(read.focus);
}

TableReadResult TForm1::readTable(const QString &fileName)
{
    const TableReadResult read = LoadConnectionTable(m_doc, fileName, false);
    showTableRead(read);
    return read;
}

void TForm1::tableWritten()
{
    if (ConnectionNode *root = m_doc.RootNode())
        setNodeSelected(root, false);
    SaveSettingsAndNotify();
}

void TForm1::setNodeSelected(ConnectionNode *node, bool selected)
{
    // A selection of many ranges costs the view a pass over them all on every change, even
    // one that changes nothing: the commands that unselect RootNode three times make none.
    if (VT->isSelected(node) != selected)
        VT->setSelected(node, selected);
}

void TForm1::resetPagesForNewTable()
{
    const NewConnectionsPage *fresh = m_settingsPage->newConnections();
    m_macroPage->resetForNewTable(fresh->rbLog()->isChecked());
    m_popupPage->resetForNewTable();
    if (PG->currentWidget() == m_colorsPage)
        m_colorsPage->showDefaultScheme(fresh->cbDefColors()->currentIndex());
    BtnNewTable->setEnabled(false);
}

void TForm1::focusTree()
{
    if (VT->isVisible() && VT->isEnabled() && isActiveWindow())
        VT->setFocus(Qt::OtherFocusReason);
}
