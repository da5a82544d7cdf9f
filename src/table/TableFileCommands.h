#pragma once

#include "platform/FileChooser.h"
#include "table/ExchangeFile.h"

#include <QString>

#include <functional>

class RecentFilesSink;
class TableDocument;
class TableFileWindow;

// The File menu's commands on the table as a whole (new, open, save, save as, import,
// export, a recent file) and the question asked before the window closes. They work on the
// document and ask the window, the file dialogs and the recent-files list for the rest.
class TableFileCommands
{
public:
    TableFileCommands(TableDocument &doc, FileChooser &files, RecentFilesSink &recent,
                      TableFileWindow &window);

    // Starts the companion launcher when it is not running; called when the window stays
    // open after the close question.
    void setEnsureLauncherRunning(std::function<void()> f) { m_ensureLauncherRunning = std::move(f); }
    // The program version named in an exchange file's header, and the clock of its
    // "Created:" line.
    void setVersionText(const QString &text) { m_versionText = text; }
    void setClock(LocalClock clock) { m_clock = std::move(clock); }

    // The new-table step: the save question, then an empty table named "Noname.QDZ". True
    // when it emptied the tree; false when the user cancelled or the table is still
    // modified because its save did not happen.
    bool MnNewTableClick();
    void MnOpenTableClick();
    // A recent-files entry: opens FileName like the open command, when it still exists.
    void MRUMenuClick(const QString &fileName);
    // The entry's file has vanished (the list has dropped it already).
    void MRUFileNotExist(const QString &fileName);
    // Writes the table to CurrentTableFile, or asks for a name first. True when written.
    bool MnSaveTableClick();
    // Asks for a name, then writes the table there. True when written.
    bool MnSaveAsTableClick();
    void MnImportClick();
    void MnExportClick();

    // Selects every unselected ancestor of the selected nodes, asking once before the
    // first. False when the user refused.
    bool ExpandExportSelection();

    // True when the caller may go on (close the window, start an upgrade): the table is
    // saved or the user let its changes go. AutoSave: the option "Save changes on Close
    // without prompting"; a modified table is then saved unasked, after the apply question
    // for unapplied edits.
    bool QuerySaveBeforeClose(bool autoSave);
    // Whether the main window may close.
    bool FormCloseQuery(bool autoSave) { return QuerySaveBeforeClose(autoSave); }

    // The dialogs as each command sets them.
    static FileDialogSetup openTableDialog();
    static FileDialogSetup saveAsTableDialog(const QString &currentTableFile);
    static FileDialogSetup importDialog();
    static FileDialogSetup exportDialog();

private:
    void openFile(const QString &fileName, bool showNodeData);

    TableDocument &m_doc;
    FileChooser &m_files;
    RecentFilesSink &m_recent;
    TableFileWindow &m_window;
    std::function<void()> m_ensureLauncherRunning;
    QString m_versionText;
    LocalClock m_clock = CurrentLocalTime;
};
