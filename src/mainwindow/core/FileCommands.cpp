#include "mainwindow/core/FileCommands.h"

#include "mainwindow/core/FileCommandsWindow.h"
#include "mainwindow/core/RecentFilesSink.h"
#include "platform/FileUtil.h"
#include "platform/Prompter.h"
#include "table/ConnectionTree.h"
#include "table/TableDocument.h"
#include "table/TableHost.h"
#include "table/TreeRules.h"
#include "table/TreeSelection.h"

#include <QFileInfo>

namespace {

const QString TableFilter = QStringLiteral("Wexmora file (*.QDZ)|*.QDZ|All files (*.*)|*.*");
const QString TableExtension = QStringLiteral("qdz");

} // namespace

FileCommands::FileCommands(TableDocument &doc, FileChooser &files, RecentFilesSink &recent,
                           FileCommandsWindow &window)
    : m_doc(doc), m_files(files), m_recent(recent), m_window(window)
{
}

FileDialogSetup FileCommands::openTableDialog()
{
    return {QStringLiteral("Open Wexmora file"), TableFilter, TableExtension, QString()};
}

FileDialogSetup FileCommands::saveAsTableDialog(const QString &currentTableFile)
{
    return {QStringLiteral("Save Wexmora file as"), TableFilter, TableExtension, currentTableFile};
}

FileDialogSetup FileCommands::importDialog()
{
    return {QStringLiteral("Import connections from file"),
            QStringLiteral("Wexmora file (*.QDZ)|*.QDZ|Tenvask file (*.KPV)|*.KPV|All files (*.*)|*.*"),
            TableExtension, QString()};
}

FileDialogSetup FileCommands::exportDialog()
{
    return {QStringLiteral("Export selected connections to file"), TableFilter, TableExtension, QString()};
}

int FileCommands::AskApplyChanges(const ConnectionNode *focused)
{
    if (!m_doc.IsNodeModified() || !focused || focused->data.Level < 1)
        return Prompter::No;
    const auto answer = m_doc.host().prompter().ask(
        Prompter::Kind::Warning, TableDocument::ApplyQuestionText(focused->data.Name), Prompter::Buttons::YesNoCancel);
    if (answer == Prompter::Yes)
        m_window.BtnApplyClick();
    else if (answer != Prompter::Cancel)
        m_doc.SetNodeModified(false);
    return answer;
}

int FileCommands::AskSaveChanges(const ConnectionNode *focused)
{
    if (AskApplyChanges(focused) == Prompter::Cancel)
        return Prompter::Cancel;
    // Asked after the apply: applied edits are changes to save.
    if (!m_doc.tableModified())
        return Prompter::No;
    return m_doc.host().prompter().ask(Prompter::Kind::Warning, m_doc.SaveQuestionText(),
                                       Prompter::Buttons::YesNoCancel);
}

bool FileCommands::MnNewTableClick(const TreeSelection &selection)
{
    const int answer = AskSaveChanges(selection.focused());
    if (answer == Prompter::Cancel)
        return false;
    if (answer == Prompter::Yes)
        MnSaveTableClick();
    else
        m_doc.UpdateCaption(false);
    // A save that did not happen (a cancelled name, a failed write) keeps the table.
    if (m_doc.tableModified())
        return false;
    NewTable(m_doc);
    m_window.showNewTable();
    return true;
}

TableReadResult FileCommands::openFile(const QString &fileName)
{
    const TableReadResult read = LoadConnectionTable(m_doc, fileName, false);
    if (read.ok)
        m_recent.AddFile(fileName);
    m_doc.UpdateCaption(false);
    return read;
}

std::optional<TableReadResult> FileCommands::MnOpenTableClick(const TreeSelection &selection)
{
    const QString fileName = m_files.chooseOpenFile(openTableDialog());
    if (fileName.isEmpty())
        return std::nullopt;
    if (!MnNewTableClick(selection))
        return std::nullopt;
    const TableReadResult read = openFile(fileName);
    m_doc.SetNodeModified(false);
    return read;
}

std::optional<TableReadResult> FileCommands::MRUMenuClick(const QString &fileName, const TreeSelection &selection)
{
    // A vanished file is the list's to report (MRUFileNotExist).
    if (!QFileInfo::exists(fileName))
        return std::nullopt;
    if (!MnNewTableClick(selection))
        return std::nullopt;
    return openFile(fileName);
}

void FileCommands::MRUFileNotExist(const QString &fileName)
{
    m_doc.host().prompter().warning(QStringLiteral("The file '") + GetShellDisplayName(fileName)
                                    + QStringLiteral("' does not exist."));
}

bool FileCommands::MnSaveTableClick()
{
    bool saved = false;
    if (!m_doc.CurrentTableFile.isEmpty()) {
        saved = SaveConnectionTable(m_doc, m_doc.CurrentTableFile);
        m_window.tableWritten();
        // A failed write keeps the mark, so neither closing nor a new table drops the changes.
        m_doc.UpdateCaption(saved ? false : m_doc.tableModified());
    } else {
        saved = MnSaveAsTableClick();
    }
    m_window.focusTree();
    return saved;
}

bool FileCommands::MnSaveAsTableClick()
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

std::optional<ImportResult> FileCommands::MnImportClick(const QByteArray &teraTermColors)
{
    const QString fileName = m_files.chooseOpenFile(importDialog());
    if (fileName.isEmpty())
        return std::nullopt;
    return ImportConnections(m_doc, fileName, teraTermColors, m_clock);
}

void FileCommands::MnExportClick(const TreeSelection &selection)
{
    const std::optional<TreeSelection> exported = ExpandExportSelection(selection);
    if (!exported)
        return;
    QString fileName = m_files.chooseSaveFile(exportDialog());
    if (!fileName.isEmpty()) {
        fileName = AddDefaultExtension(fileName, TableExtension);
        if (UpperFileExtension(fileName) == QLatin1String(".KPV")) {
            ExportLegacyConnections(m_doc, fileName, false, *exported, m_versionText, m_clock);
        } else {
            SaveConnectionTable(m_doc, fileName, false, *exported);
            m_window.tableWritten();
        }
    }
    if (ConnectionNode *root = m_doc.RootNode())
        m_window.setSelected(root, false);
}

std::optional<TreeSelection> FileCommands::ExpandExportSelection(const TreeSelection &selection)
{
    ConnectionNode *root = m_doc.RootNode();
    if (root)
        m_window.setSelected(root, false);
    QList<ConnectionNode *> exported;
    exported.reserve(selection.size());
    for (ConnectionNode *node : selection.nodes())
        if (node != root)
            exported.append(node);
    // The ancestors selected here; the selection's own nodes it knows itself.
    QSet<const ConnectionNode *> added;
    bool asked = false;
    // In pre-order: an ancestor selected here comes before every node it is added for, so
    // this walk sees what a walk of the live selection would. Every ancestor above one that
    // is selected or added is so too (its own walk saw to them): the walk up stops there, and
    // siblings in a row ask about their parent once.
    const ConnectionNode *parentDone = nullptr;
    for (ConnectionNode *node : selection.nodes()) {
        ConnectionNode *parent = node->parent();
        if (parent == parentDone)
            continue;
        for (ConnectionNode *a = parent; a && a != root && a->parent(); a = a->parent()) {
            if (selection.contains(a) || added.contains(a))
                break;
            if (!asked) {
                const auto answer = m_doc.host().prompter().ask(
                    Prompter::Kind::Warning,
                    QStringLiteral("Connection can be exported only together with all parent connections it has.")
                        + QLatin1Char('\r') + QStringLiteral("Press Ok to automatically expand your selection."),
                    Prompter::Buttons::OkCancel);
                if (answer == Prompter::Cancel)
                    return std::nullopt;
                asked = true;
            }
            added.insert(a);
            exported.append(a);
            m_window.setSelected(a, true);
        }
        parentDone = parent;
    }
    // Without an ancestor added the selection is the view's, already in tree order: sorting
    // it again would cost more than writing it.
    if (!asked)
        return TreeSelection::inTreeOrder(selection.focused(), exported);
    return TreeSelection(selection.focused(), exported, &m_doc.tree());
}

bool FileCommands::QuerySaveBeforeClose(bool autoSave, const TreeSelection &selection)
{
    bool goOn = true;
    if (m_doc.tableModified() && autoSave) {
        // Saved without a question, but unapplied edits are not dropped unasked: they would
        // be lost, while a table without other changes asks about them.
        if (AskApplyChanges(selection.focused()) == Prompter::Cancel) {
            goOn = false;
        } else {
            MnSaveTableClick();
            goOn = !m_doc.tableModified();
        }
    } else {
        const int answer = AskSaveChanges(selection.focused());
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
