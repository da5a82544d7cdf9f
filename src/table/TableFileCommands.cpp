#include "table/TableFileCommands.h"

#include "platform/FileUtil.h"
#include "platform/Prompter.h"
#include "table/ConnectionTree.h"
#include "table/ImportConnections.h"
#include "table/RecentFilesSink.h"
#include "table/TableDocument.h"
#include "table/TableFile.h"
#include "table/TableFileWindow.h"
#include "table/TableHost.h"
#include "table/TreeRules.h"

#include <QFileInfo>

namespace {

const QString TableFilter = QStringLiteral("Wexmora file (*.QDZ)|*.QDZ|All files (*.*)|*.*");
const QString TableExtension = QStringLiteral("qdz");

} // namespace

TableFileCommands::TableFileCommands(TableDocument &doc, FileChooser &files, RecentFilesSink &recent,
                                     TableFileWindow &window)
    : m_doc(doc), m_files(files), m_recent(recent), m_window(window)
{
}

FileDialogSetup TableFileCommands::openTableDialog()
{
    return {QStringLiteral("Open Wexmora file"), TableFilter, TableExtension, QString()};
}

FileDialogSetup TableFileCommands::saveAsTableDialog(const QString &currentTableFile)
{
    return {QStringLiteral("Save Wexmora file as"), TableFilter, TableExtension, currentTableFile};
}

FileDialogSetup TableFileCommands::importDialog()
{
    return {QStringLiteral("Import connections from file"),
            QStringLiteral("Wexmora file (*.QDZ)|*.QDZ|Tenvask file (*.KPV)|*.KPV|All files (*.*)|*.*"),
            TableExtension, QString()};
}

FileDialogSetup TableFileCommands::exportDialog()
{
    return {QStringLiteral("Export selected connections to file"), TableFilter, TableExtension, QString()};
}

bool TableFileCommands::MnNewTableClick()
{
    const int answer = m_doc.AskSaveChanges();
    if (answer == Prompter::Cancel)
        return false;
    if (answer == Prompter::Yes)
        MnSaveTableClick();
    else
        m_doc.UpdateCaption(false);
    // A save that did not happen (a cancelled name, a failed write) keeps the table.
    if (m_doc.tableModified())
        return false;

    TableHost &host = m_doc.host();
    // Nothing may point into the old tree once it is gone.
    host.clearSelection();
    m_doc.CurrentNode = nullptr;
    m_doc.tree().clear();
    InitTree(m_doc);
    m_window.resetPagesForNewTable();
    m_doc.CurrentTableFile.clear();
    m_doc.SetNodeModified(false);
    m_doc.UpdateCaption(false);
    return true;
}

void TableFileCommands::openFile(const QString &fileName, bool showNodeData)
{
    if (LoadConnectionTable(m_doc, fileName, false))
        m_recent.AddFile(fileName);
    // Also after a failed open: the options then name the table the window now shows.
    m_doc.host().SaveSettingsAndNotify();
    m_doc.UpdateCaption(false);
    if (showNodeData) {
        m_doc.SetNodeModified(false);
        m_doc.host().ShowFocusedNodeData();
    }
    m_window.RequestCommandRefresh();
}

void TableFileCommands::MnOpenTableClick()
{
    const QString fileName = m_files.chooseOpenFile(openTableDialog());
    if (fileName.isEmpty())
        return;
    if (!MnNewTableClick())
        return;
    openFile(fileName, true);
}

void TableFileCommands::MRUMenuClick(const QString &fileName)
{
    // A vanished file is the list's to report (MRUFileNotExist).
    if (!QFileInfo::exists(fileName))
        return;
    if (!MnNewTableClick())
        return;
    openFile(fileName, false);
}

void TableFileCommands::MRUFileNotExist(const QString &fileName)
{
    m_doc.host().prompter().warning(QStringLiteral("The file '") + GetShellDisplayName(fileName)
                                    + QStringLiteral("' does not exist."));
}

bool TableFileCommands::MnSaveTableClick()
{
    bool saved = false;
    if (!m_doc.CurrentTableFile.isEmpty()) {
        saved = SaveConnectionTable(m_doc, m_doc.CurrentTableFile, true);
        // A failed write keeps the mark, so neither closing nor a new table drops the changes.
        m_doc.UpdateCaption(saved ? false : m_doc.tableModified());
    } else {
        saved = MnSaveAsTableClick();
    }
    m_window.focusTree();
    m_window.RequestCommandRefresh();
    return saved;
}

bool TableFileCommands::MnSaveAsTableClick()
{
    QString fileName = m_files.chooseSaveFile(saveAsTableDialog(m_doc.CurrentTableFile));
    if (fileName.isEmpty())
        return false;
    fileName = AddDefaultExtension(fileName, TableExtension);
    // Kept after a failed write too, so that Save tries the chosen file again.
    m_doc.CurrentTableFile = fileName;
    const bool saved = MnSaveTableClick();
    if (saved)
        m_recent.AddFile(fileName);
    return saved;
}

void TableFileCommands::MnImportClick()
{
    const QString fileName = m_files.chooseOpenFile(importDialog());
    if (fileName.isEmpty())
        return;
    ImportConnections(m_doc, fileName, m_clock);
    m_window.RequestCommandRefresh();
}

void TableFileCommands::MnExportClick()
{
    if (!ExpandExportSelection())
        return;
    QString fileName = m_files.chooseSaveFile(exportDialog());
    if (!fileName.isEmpty()) {
        fileName = AddDefaultExtension(fileName, TableExtension);
        if (UpperFileExtension(fileName) == QLatin1String(".KPV"))
            ExportLegacyConnections(m_doc, fileName, false, m_versionText, m_clock);
        else
            SaveConnectionTable(m_doc, fileName, false);
    }
    if (ConnectionNode *root = m_doc.RootNode())
        m_doc.host().setSelected(root, false);
}

bool TableFileCommands::ExpandExportSelection()
{
    TableHost &host = m_doc.host();
    ConnectionNode *root = m_doc.RootNode();
    if (root)
        host.setSelected(root, false);
    bool asked = false;
    // Selected in pre-order: an ancestor selected here comes before every node it is added
    // for, so walking this list sees what a walk of the live selection would.
    const QList<ConnectionNode *> selected = host.selectedNodes();
    for (ConnectionNode *node : selected) {
        for (ConnectionNode *a = node->parent(); a && a != root && a->parent(); a = a->parent()) {
            if (host.isSelected(a))
                continue;
            if (!asked) {
                const auto answer = host.prompter().ask(
                    Prompter::Kind::Warning,
                    QStringLiteral("Connection can be exported only together with all parent connections it has.")
                        + QLatin1Char('\r') + QStringLiteral("Press Ok to automatically expand your selection."),
                    Prompter::Buttons::OkCancel);
                if (answer == Prompter::Cancel)
                    return false;
                asked = true;
            }
            host.setSelected(a, true);
        }
    }
    return true;
}

bool TableFileCommands::QuerySaveBeforeClose(bool autoSave)
{
    bool goOn = true;
    if (m_doc.tableModified() && autoSave) {
        // Saved without a question, but unapplied edits are not dropped unasked: they would
        // be lost, while a table without other changes asks about them.
        if (m_doc.AskApplyChanges() == Prompter::Cancel) {
            goOn = false;
        } else {
            MnSaveTableClick();
            goOn = !m_doc.tableModified();
        }
    } else {
        const int answer = m_doc.AskSaveChanges();
        if (answer == Prompter::Cancel) {
            goOn = false;
        } else if (answer == Prompter::Yes) {
            MnSaveTableClick();
            // A cancelled name or a failed write keeps the window and the table.
            goOn = !m_doc.tableModified();
        }
    }
    if (!goOn && m_ensureLauncherRunning)
        m_ensureLauncherRunning();
    return goOn;
}
