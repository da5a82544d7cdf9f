// Running connections: the run commands, "Export macro ..." and "Run all selected", and the
// run context read from the pages.
#include "mainwindow/TForm1.h"

#include "mainwindow/ColorsPage.h"
#include "mainwindow/GeneralSettingsPage.h"
#include "mainwindow/MacroEditor.h"
#include "mainwindow/MacroEditorSettingsPage.h"
#include "mainwindow/MacroPage.h"
#include "mainwindow/RunCommands.h"
#include "mainwindow/SettingsPage.h"
#include "mainwindow/UserDataPage.h"
#include "platform/FieldText.h"
#include "platform/FileChooser.h"
#include "runner/MacroAssembler.h"
#include "runner/RunTarget.h"
#include "runner/TeraTermIni.h"
#include "table/ColorSet.h"
#include "table/ConnectionTree.h"
#include "table/TreeRules.h"

#include "platform/widgets/QsciIncludes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

namespace {

// The Windows height of a font: negative for a size in points, as the font's character
// height in pixels at the screen's resolution.
int WindowsFontHeight(const QFont &font, int dpi)
{
    if (font.pixelSize() > 0)
        return -font.pixelSize();
    return -qRound(font.pointSizeF() * dpi / 72.0);
}

// A node a run can start: a connection below the top node that is not a separator line.
bool isRunnable(const ConnectionNode *node, const ConnectionNode *rootNode)
{
    return node && node != rootNode && node->parent() && !IsSeparatorName(node->data.Name);
}

} // namespace

void TForm1::setupRun()
{
    // Parented to the tree view so it goes with it, before the window's table and pages.
    m_runCommands = new RunCommands(*m_prompter, this, m_doc.tree(), VT);

    connect(m_macroPage->SpeedButton1(), &QToolButton::clicked, this, &TForm1::MnExecSelClick);

    // The pause follows the delay list, whether the user or the loaded options set it.
    RunAllSelected &runAll = m_runCommands->runAll();
    QComboBox *delay = m_settingsPage->general()->CBDelay();
    runAll.setInterval(RunAllSelected::intervalForDelayIndex(delay->currentIndex()));
    connect(delay, &QComboBox::currentIndexChanged, &runAll,
            [&runAll](int index) { runAll.setInterval(RunAllSelected::intervalForDelayIndex(qMax(index, 0))); });

    // No second "Run all selected" while one runs: the commands follow its start and end.
    connect(&runAll, &RunAllSelected::started, this, &TForm1::RequestCommandRefresh);
    connect(&runAll, &RunAllSelected::finished, this, &TForm1::RequestCommandRefresh);
    connect(&runAll, &RunAllSelected::cancelled, this, &TForm1::RequestCommandRefresh);
    connect(&runAll, &RunAllSelected::failed, this, &TForm1::RequestCommandRefresh);
}

MacroRunner &TForm1::macroRunner()
{
    return m_runCommands->runner();
}

RunAllSelected &TForm1::runAllSelected()
{
    return m_runCommands->runAll();
}

RunContext TForm1::buildRunContext(const ConnectionNode *node, bool toCursor) const
{
    RunContext context;
    context.user = m_settingsPage->userData()->userData();

    const QByteArray editorText = EncodeField(Memo1->text());
    context.editorText = editorText;
    if (toCursor)
        context.runToCursorText = BuildRunToCursorText(editorText, Memo1->caretLine());

    const MacroEditorSettingsPage *editor = m_settingsPage->macroEditor();
    context.options.noColors = editor->cbNoColors()->isChecked();
    context.options.useEditorFont = editor->cbUseAsTTFont()->isChecked();
    const QFont font = Memo1->textFont();
    context.options.fontName = EncodeField(font.family());
    context.options.fontHeight = WindowsFontHeight(font, Memo1->logicalDpiY());
    context.options.doNotTile = m_settingsPage->general()->cbDoNotTile()->isChecked();

    // The pages speak for the node they show only while they hold its unapplied edits;
    // otherwise the node's record does.
    const bool shown = node && node == m_doc.CurrentNode;
    const bool edited = shown && m_doc.IsNodeModified();
    context.currentNodeModified = edited;
    context.logSession = edited ? m_macroPage->logSession() : (node && node->data.LogSession);
    if (node)
        context.currentNodeColors = node->data.Colors;
    // What a record without a readable colour set gets: for the shown node what the Colours
    // page shows for it, for any other TeraTerm's own colours rather than the shown node's.
    context.colors = m_colorsPage->colorSet();
    if (!shown)
        ParseColorSet(::ReadTeraTermColors(), context.colors);
    return context;
}

void TForm1::runFocused(bool wholeMacro, bool withAncestors, const QString &exportFile)
{
    const ConnectionNode *node = focusedNode();
    if (!isRunnable(node, m_doc.RootNode()))
        return;
    const RunTarget target = RunTarget::fromNode(node, m_doc.CurrentNode);
    m_runCommands->runner().RunMacro(wholeMacro, withAncestors, exportFile, target,
                                     buildRunContext(node, !wholeMacro));
}

void TForm1::MnExecSelClick()
{
    runFocused(false, false);
}

void TForm1::MnExecuteClick()
{
    runFocused(true, false);
}

void TForm1::MnExecBrSelClick()
{
    runFocused(false, true);
}

void TForm1::MnExecuteAllClick()
{
    runFocused(true, true);
}

void TForm1::MnExportMacroClick()
{
    if (!isRunnable(focusedNode(), m_doc.RootNode()))
        return;
    FileDialogSetup setup;
    setup.title = QStringLiteral("Export macro to file");
    setup.filter = QStringLiteral("TeraTerm Macro files (*.TTL)|*.TTL|All files (*.*)|*.*");
    setup.defaultExtension = QStringLiteral("ttl");
    setup.initialFileName = m_runCommands->lastExportFile;
    const QString file = fileChooser().chooseSaveFile(setup);
    if (file.isEmpty())
        return;
    m_runCommands->lastExportFile = file;
    // The dialog may have let other events through: the focused node is asked for anew.
    runFocused(true, true, file);
}

void TForm1::mnRunAllSelClick()
{
    // Each connection brings its own colours and logging choice (see RunAllSelected); the
    // rest is the pages' as they are now.
    m_runCommands->runAll().start(m_doc.tree(), VT->selection().nodes(), buildRunContext(nullptr, false));
}
