// The File menu's table commands and the close question.
#include "mainwindow/TForm1.h"

#include "mainwindow/ColorsPage.h"
#include "mainwindow/GeneralSettingsPage.h"
#include "mainwindow/MacroPage.h"
#include "mainwindow/NewConnectionsPage.h"
#include "mainwindow/SettingsPage.h"
#include "mainwindow/TForm1RecentFiles.h"
#include "platform/widgets/QsciIncludes.h"
#include "platform/widgets/QtFileChooser.h"
#include "shell/LauncherLink.h"
#include "table/TableFileCommands.h"
#include "table/TableFileWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QRadioButton>
#include <QTabWidget>

#include <optional>

// What the table file commands work with: the file dialogs, the recent-files list and the
// window's side of a new table.
struct TForm1FileSide : TableFileWindow
{
    explicit TForm1FileSide(TForm1 &form) : form(form), ownFiles(&form) {}

    void resetPagesForNewTable() override { form.resetPagesForNewTable(); }
    void focusTree() override { form.focusTree(); }
    void RequestCommandRefresh() override { form.RequestCommandRefresh(); }

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
    std::optional<TableFileCommands> commands;
};

void TForm1::setupFileCommands()
{
    m_fileSide = std::make_shared<TForm1FileSide>(*this);
    m_fileSide->useChooser(nullptr);
    connectActions({MnNewTable, BtnNewTable}, &TForm1::MnNewTableClick);
    connectActions({MnOpenTable, BtnOpenTable}, &TForm1::MnOpenTableClick);
    connectActions({MnSaveTable, BtnSaveTable}, &TForm1::MnSaveTableClick);
    connectActions({MnSaveAsTable, BtnSaveAsTable}, &TForm1::MnSaveAsTableClick);
    connectActions({MnImport}, &TForm1::MnImportClick);
    connectActions({MnExport}, &TForm1::MnExportClick);
    // The close question follows the box as the user leaves it, not as the options last
    // stored it.
    connect(m_settingsPage->general()->cbAutoSave(), &QCheckBox::toggled, this,
            [this](bool on) { m_options.AutoSave = on; });
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
    m_fileSide->commands->MnNewTableClick();
    RequestCommandRefresh();
}

void TForm1::MnOpenTableClick()
{
    m_fileSide->commands->MnOpenTableClick();
}

void TForm1::MnSaveTableClick()
{
    if (m_fileSide->commands->MnSaveTableClick())
        BtnSaveTable->setEnabled(false);
}

void TForm1::MnSaveAsTableClick()
{
    if (m_fileSide->commands->MnSaveAsTableClick())
        BtnSaveTable->setEnabled(false);
}

void TForm1::MnImportClick()
{
    m_fileSide->commands->MnImportClick();
}

void TForm1::MnExportClick()
{
    m_fileSide->commands->MnExportClick();
    RequestCommandRefresh();
}

bool TForm1::FormCloseQuery()
{
    return m_fileSide->commands->FormCloseQuery(options().AutoSave);
}

void TForm1::resetPagesForNewTable()
{
    // The program's own writes while the editors are not focused: none is an edit.
    Memo1->clear();
    Memo2->clear();
    m_macroPage->setLogSession(m_settingsPage->newConnections()->rbLog()->isChecked());
    if (PG->currentWidget() == m_colorsPage) {
        const int scheme = m_settingsPage->newConnections()->cbDefColors()->currentIndex();
        // The box's own change handler shows the chosen scheme.
        m_colorsPage->cbSchema()->setCurrentIndex(scheme);
    }
    BtnNewTable->setEnabled(false);
}

void TForm1::focusTree()
{
    if (VT->isVisible() && VT->isEnabled() && isActiveWindow())
        VT->setFocus(Qt::OtherFocusReason);
}
