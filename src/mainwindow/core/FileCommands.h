#pragma once

#include "platform/FileChooser.h"
#include "table/ExchangeFile.h"
#include "table/ImportConnections.h"
#include "table/TableFile.h"

#include <QString>

#include <functional>
#include <optional>

class ConnectionNode;
class FileCommandsWindow;
class RecentFilesSink;
class TableDocument;
class TreeSelection;

// The File menu's commands on the table as a whole (new, open, save, save as, import,
// export, a recent file) and the questions asked before the table is replaced or the window
// closes. They work on the document with the table's routines, ask the file dialogs and the
// user, report opened and written files to the recent-files list, and leave the view and
// the options to the window: its side is asked between the steps (FileCommandsWindow), and
// what follows a command as a whole it reads off the result. Selection is the view's when
// the command starts.
class FileCommands
{
public:
    FileCommands(TableDocument &doc, FileChooser &files, RecentFilesSink &recent, FileCommandsWindow &window);

    // Starts the companion launcher when it is not running; called when the window stays
    // open after the close question.
    void setEnsureLauncherRunning(std::function<void()> f) { m_ensureLauncherRunning = std::move(f); }
    // The program version named in an exchange file's header, and the clock of its
    // "Created:" line and of an exchange import's missing schedules.
    void setVersionText(const QString &text) { m_versionText = text; }
    void setClock(LocalClock clock) { m_clock = std::move(clock); }

    // The apply question, when the editors hold unapplied edits of the focused connection:
    // Yes applies them, No drops them. Returns Prompter::Cancel, Yes or No (No also when not
    // asked).
    int AskApplyChanges(const ConnectionNode *focused);
    // The apply question, then the save question when the table is modified. Returns
    // Prompter::Cancel, Yes or No; never saves by itself.
    int AskSaveChanges(const ConnectionNode *focused);

    // The new-table step: the save question, then an empty table named "Noname.QDZ". True
    // when it emptied the tree; false when the user cancelled or the table is still
    // modified because its save did not happen.
    bool MnNewTableClick(const TreeSelection &selection);
    // The open command; a result when a file was chosen and the table emptied for it, so a
    // read was tried (the window then shows what was read, saves the options, tells the
    // launcher and shows the focused node's values).
    std::optional<TableReadResult> MnOpenTableClick(const TreeSelection &selection);
    // A recent-files entry: opens FileName like the open command, when it still exists.
    std::optional<TableReadResult> MRUMenuClick(const QString &fileName, const TreeSelection &selection);
    // The entry's file has vanished (the list has dropped it already).
    void MRUFileNotExist(const QString &fileName);
    // Writes the table to CurrentTableFile, or asks for a name first. True when written.
    bool MnSaveTableClick();
    // Asks for a name, then writes the table there. True when written.
    bool MnSaveAsTableClick();
    // The import command; no result when the dialog was cancelled. Exchange rows without
    // colours take TeraTermColors.
    std::optional<ImportResult> MnImportClick(const QByteArray &teraTermColors);
    void MnExportClick(const TreeSelection &selection);

    // Selection with every unselected ancestor of its nodes added (the view selecting them
    // too), asking once before the first, and RootNode dropped. None when the user refused.
    std::optional<TreeSelection> ExpandExportSelection(const TreeSelection &selection);

    // True when the caller may go on (close the window, start an upgrade): the table is
    // saved or the user let its changes go. AutoSave: the option "Save changes on Close
    // without prompting"; a modified table is then saved unasked, after the apply question
    // for unapplied edits.
    bool QuerySaveBeforeClose(bool autoSave, const TreeSelection &selection);
    // Whether the main window may close.
    bool FormCloseQuery(bool autoSave, const TreeSelection &selection)
    {
        return QuerySaveBeforeClose(autoSave, selection);
    }

    // The dialogs as each command sets them.
    static FileDialogSetup openTableDialog();
    static FileDialogSetup saveAsTableDialog(const QString &currentTableFile);
    static FileDialogSetup importDialog();
    static FileDialogSetup exportDialog();

private:
    TableReadResult openFile(const QString &fileName);

    TableDocument &m_doc;
    FileChooser &m_files;
    RecentFilesSink &m_recent;
    FileCommandsWindow &m_window;
    std::function<void()> m_ensureLauncherRunning;
    QString m_versionText;
    LocalClock m_clock = CurrentLocalTime;
};
