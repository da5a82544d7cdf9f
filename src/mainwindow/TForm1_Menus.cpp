// The main menu, the toolbar `CBar` and the shared context menu `pmTV`. Every command is a
// QAction named after its menu item or button; what the commands do is wired elsewhere.
#include "mainwindow/TForm1.h"

#include "mainwindow/CommandIcons.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace {

QKeySequence keys(QKeyCombination combination)
{
    return QKeySequence(combination);
}

} // namespace

QMenu *TForm1::addMenu(QMenu *parent, const char *name, const QString &title)
{
    QMenu *menu = parent ? parent->addMenu(title) : menuBar()->addMenu(title);
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    return menu;
}

QAction *TForm1::addItem(QMenu *menu, const char *name, const QString &text, const QKeySequence &shortcut)
{
    QAction *action = menu->addAction(text);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    return action;
}

void TForm1::createMenus()
{
    menuBar()->setObjectName(QStringLiteral("MainMenu"));
    createFileMenu();
    createEditMenus();
    createConnectionMenu();
    createActionsMenu();
    createViewMenu();
    createHelpMenu();
    createToolBar();
    createTreePopup();
}

void TForm1::createFileMenu()
{
    MnFile = addMenu(nullptr, "MnFile", QStringLiteral("File"));
    MnNewTable = addItem(MnFile, "MnNewTable", QStringLiteral("New"), keys(Qt::CTRL | Qt::Key_N));
    MnOpenTable = addItem(MnFile, "MnOpenTable", QStringLiteral("Open ..."), keys(Qt::CTRL | Qt::Key_O));
    MnSaveTable = addItem(MnFile, "MnSaveTable", QStringLiteral("Save"), keys(Qt::CTRL | Qt::Key_S));
    MnSaveAsTable = addItem(MnFile, "MnSaveAsTable", QStringLiteral("Save as ..."));
    MnFile->addSeparator();
    MnImport = addItem(MnFile, "MnImport", QStringLiteral("Import connection ..."));
    MnExport = addItem(MnFile, "MnExport", QStringLiteral("Export connection ..."));
    MnFile->addSeparator();
    MnImportMacro = addItem(MnFile, "MnImportMacro", QStringLiteral("Import macro ..."));
    MnImportTemplate = addMenu(MnFile, "MnImportTemplate", QStringLiteral("Import macro Template"));
    // The item's data is the template's number, 1 to 8.
    struct Template { QAction **action; const char *name; const char *text; };
    const Template templates[] = {
        {&OpenTelnetsession1, "OpenTelnetsession1", "Telnet session"},
        {&SSH1session1, "SSH1session1", "SSH1 session"},
        {&SSH1sessionwithcredentials1, "SSH1sessionwithcredentials1", "SSH1 session with credentials"},
        {&SSH1session2, "SSH1session2", "SSH1 session with public key"},
        {&SSH2session1, "SSH2session1", "SSH2 session"},
        {&SSH2sessionwithcredentials1, "SSH2sessionwithcredentials1", "SSH2 session with credentials"},
        {&SSH2sessionwithpublickey1, "SSH2sessionwithpublickey1", "SSH2 session with public key"},
        {&Serialconnection1, "Serialconnection1", "Serial connection"},
    };
    for (int tag = 1; tag <= 8; ++tag) {
        const Template &t = templates[tag - 1];
        *t.action = addItem(MnImportTemplate, t.name, QLatin1String(t.text));
        (*t.action)->setData(tag);
        if (tag == 1 || tag == 4 || tag == 7)
            MnImportTemplate->addSeparator();
    }
    MnExportMacro = addItem(MnFile, "MnExportMacro", QStringLiteral("Export macro ..."));
    MnFile->addSeparator();
    TeraTermConfiguration1 = addMenu(MnFile, "TeraTermConfiguration1", QStringLiteral("TeraTerm configuration"));
    mnBackup = addItem(TeraTermConfiguration1, "mnBackup", QStringLiteral("Backup"));
    mnRestore = addItem(TeraTermConfiguration1, "mnRestore", QStringLiteral("Restore"));
    MnFile->addSeparator();
    MnPrinterSetup = addItem(MnFile, "MnPrinterSetup", QStringLiteral("Printer setup ..."));
    MnPrintPreview = addItem(MnFile, "MnPrintPreview", QStringLiteral("Print preview"));
    MnPrint = addItem(MnFile, "MnPrint", QStringLiteral("Print ..."));
    MnFile->addSeparator();
    MnClose = addItem(MnFile, "MnClose", QStringLiteral("Close"));
}

void TForm1::createEditMenus()
{
    MnEdit = addMenu(nullptr, "MnEdit", QStringLiteral("Edit"));
    MnUndo = addItem(MnEdit, "MnUndo", QStringLiteral("Undo"), keys(Qt::CTRL | Qt::Key_Z));
    MnEdit->addSeparator();
    MnCut = addItem(MnEdit, "MnCut", QStringLiteral("Cut"), keys(Qt::CTRL | Qt::Key_X));
    MnCopy = addItem(MnEdit, "MnCopy", QStringLiteral("Copy"), keys(Qt::CTRL | Qt::Key_C));
    MnPaste = addItem(MnEdit, "MnPaste", QStringLiteral("Paste"), keys(Qt::CTRL | Qt::Key_V));
    MnEdit->addSeparator();
    MnSelectAll = addItem(MnEdit, "MnSelectAll", QStringLiteral("Select all"), keys(Qt::CTRL | Qt::Key_A));

    Search1 = addMenu(nullptr, "Search1", QStringLiteral("Search"));
    MnFind = addItem(Search1, "MnFind", QStringLiteral("Find"), keys(Qt::CTRL | Qt::Key_F));
    MnFindNext = addItem(Search1, "MnFindNext", QStringLiteral("Find Next"), keys(Qt::Key_F3));
    MnFindPrev = addItem(Search1, "MnFindPrev", QStringLiteral("Find Previous"), keys(Qt::SHIFT | Qt::Key_F3));
    MnReplace = addItem(Search1, "MnReplace", QStringLiteral("Replace"), keys(Qt::CTRL | Qt::Key_R));
}

void TForm1::createConnectionMenu()
{
    MnConnection = addMenu(nullptr, "MnConnection", QStringLiteral("Connection"));
    MnAddChild = addItem(MnConnection, "MnAddChild", QStringLiteral("Add child"), keys(Qt::CTRL | Qt::Key_I));
    mnAddSibling = addItem(MnConnection, "mnAddSibling", QStringLiteral("Add sibling"),
                           keys(Qt::CTRL | Qt::ALT | Qt::Key_I));
    mnAddSepLine = addItem(MnConnection, "mnAddSepLine", QStringLiteral("Add separator line"),
                           keys(Qt::CTRL | Qt::Key_L));
    MnDuplicate = addItem(MnConnection, "MnDuplicate", QStringLiteral("Duplicate selected"),
                          keys(Qt::CTRL | Qt::ALT | Qt::Key_D));
    MnDelete = addItem(MnConnection, "MnDelete", QStringLiteral("Delete selected"), keys(Qt::CTRL | Qt::Key_Delete));
    MnConnection->addSeparator();
    MnUp = addItem(MnConnection, "MnUp", QStringLiteral("Move up"), keys(Qt::CTRL | Qt::Key_U));
    MnDown = addItem(MnConnection, "MnDown", QStringLiteral("Move down"), keys(Qt::CTRL | Qt::Key_D));
    MnConnection->addSeparator();
    mnApply = addItem(MnConnection, "mnApply", QStringLiteral("Apply changes"), keys(Qt::Key_F12));
    MnConnection->addSeparator();
    MnExpandAll = addItem(MnConnection, "MnExpandAll", QStringLiteral("Expand all"));
    MnCollapseAll = addItem(MnConnection, "MnCollapseAll", QStringLiteral("Collapse all"));
}

void TForm1::createActionsMenu()
{
    MnMacro = addMenu(nullptr, "MnMacro", QStringLiteral("Actions"));
    MnExecSel = addItem(MnMacro, "MnExecSel", QStringLiteral("Run to cursor"), keys(Qt::Key_F8));
    MnExecute = addItem(MnMacro, "MnExecute", QStringLiteral("Run"), keys(Qt::Key_F9));
    MnExecBrSel = addItem(MnMacro, "MnExecBrSel", QStringLiteral("Run branch to cursor"), keys(Qt::CTRL | Qt::Key_F8));
    MnExecuteAll = addItem(MnMacro, "MnExecuteAll", QStringLiteral("Run branch"), keys(Qt::CTRL | Qt::Key_F9));
    MnMacro->addSeparator();
    mnRunAllSel = addItem(MnMacro, "mnRunAllSel", QStringLiteral("Run all selected"));
    MnMacro->addSeparator();
    MnShowPopup = addItem(MnMacro, "MnShowPopup", QStringLiteral("Show popup"));
}

void TForm1::createViewMenu()
{
    View1 = addMenu(nullptr, "View1", QStringLiteral("View"));
    Settings1 = addMenu(View1, "Settings1", QStringLiteral("Settings"));
    General1 = addItem(Settings1, "General1", QStringLiteral("General"));
    Userdata1 = addItem(Settings1, "Userdata1", QStringLiteral("User data"));
    MacroEditor1 = addItem(Settings1, "MacroEditor1", QStringLiteral("Macro Editor"));
    Highlighter1 = addItem(Settings1, "Highlighter1", QStringLiteral("Highlighter"));
    NewConncetions1 = addItem(Settings1, "NewConncetions1", QStringLiteral("New Conncetions"));
    MnViewMacro = addItem(View1, "MnViewMacro", QStringLiteral("Macro"));
    MnViewPopup = addItem(View1, "MnViewPopup", QStringLiteral("Popup"));
    MnViewColors = addItem(View1, "MnViewColors", QStringLiteral("Colors"));
    MnViewSchedule = addItem(View1, "MnViewSchedule", QStringLiteral("Schedule"));
    View1->addSeparator();
    ConnectionTree1 = addMenu(View1, "ConnectionTree1", QStringLiteral("Connection Tree"));
    MnVTHide = addItem(ConnectionTree1, "MnVTHide", QStringLiteral("Hide"));
    MnVTMaximize = addItem(ConnectionTree1, "MnVTMaximize", QStringLiteral("Maximize"));
    MnVTRestore = addItem(ConnectionTree1, "MnVTRestore", QStringLiteral("Restore"));
    // One of the three is always checked: the tree beside the pages at start.
    m_treeViewGroup = new QActionGroup(this);
    m_treeViewGroup->setExclusive(true);
    for (QAction *a : {MnVTHide, MnVTMaximize, MnVTRestore}) {
        a->setCheckable(true);
        m_treeViewGroup->addAction(a);
    }
    MnVTRestore->setChecked(true);
}

void TForm1::createHelpMenu()
{
    Help1 = addMenu(nullptr, "Help1", QStringLiteral("Help"));
    WexmoraHelp1 = addItem(Help1, "WexmoraHelp1", QStringLiteral("Wexmora Help"));
    MnTeraTermHelp = addItem(Help1, "MnTeraTermHelp", QStringLiteral("TeraTerm Help"),
                             keys(Qt::CTRL | Qt::SHIFT | Qt::Key_F1));
    MnTeraTermMacroLanguage = addItem(Help1, "MnTeraTermMacroLanguage", QStringLiteral("TeraTerm Macro Language Help"),
                                      keys(Qt::SHIFT | Qt::Key_F1));
    Help1->addSeparator();
    Checkforupdates1 = addItem(Help1, "Checkforupdates1", QStringLiteral("Check for updates"));
    Help1->addSeparator();
    MnFreeWareLicense = addItem(Help1, "MnFreeWareLicense", QStringLiteral("Freeware License Agreement"));
    MnAbout = addItem(Help1, "MnAbout", QStringLiteral("About Wexmora"));
}

QAction *TForm1::addButton(const char *name, int icon, const QString &hint)
{
    // A hint holds the tool tip before "|" and the longer status-bar text after it.
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    const QString tip = bar < 0 ? hint : hint.left(bar);
    QAction *action = CBar->addAction(CommandIcons::icon(static_cast<CommandIcons::Kind>(icon)), tip);
    action->setObjectName(QLatin1String(name));
    action->setToolTip(tip);
    action->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
    if (QWidget *button = CBar->widgetForAction(action))
        button->setObjectName(QLatin1String(name));
    return action;
}

void TForm1::createToolBar()
{
    using I = CommandIcons;
    CBar = new QToolBar(this);
    CBar->setObjectName(QStringLiteral("CBar"));
    CBar->setMovable(false);
    CBar->setFloatable(false);
    CBar->setContextMenuPolicy(Qt::PreventContextMenu);
    CBar->setIconSize(QSize(18, 18));
    addToolBar(Qt::TopToolBarArea, CBar);

    BtnNewTable = addButton("BtnNewTable", I::New, QStringLiteral("New (Ctrl+N)"));
    BtnOpenTable = addButton("BtnOpenTable", I::Open, QStringLiteral("Open (Ctrl+O)"));
    BtnSaveTable = addButton("BtnSaveTable", I::Save, QStringLiteral("Save (Ctrl+S)"));
    BtnSaveAsTable = addButton("BtnSaveAsTable", I::SaveAs, QStringLiteral("Save as ..."));
    CBar->addSeparator();
    BtnPrintPreview = addButton("BtnPrintPreview", I::PrintPreview, QStringLiteral("Print preview"));
    BtnPrint = addButton("BtnPrint", I::Print, QStringLiteral("Print"));
    CBar->addSeparator();
    BtnUndo = addButton("BtnUndo", I::Undo, QStringLiteral("Undo (Ctrl+Z)"));
    BtnCut = addButton("BtnCut", I::Cut, QStringLiteral("Cut (Ctrl+X)"));
    BtnCopy = addButton("BtnCopy", I::Copy, QStringLiteral("Copy (Ctrl+C)"));
    BtnPaste = addButton("BtnPaste", I::Paste, QStringLiteral("Paste (Ctrl+V)"));
    CBar->addSeparator();
    BtnAddChild = addButton("BtnAddChild", I::AddChild, QStringLiteral("Add child (Ctrl-I)"));
    BtnAddSibl = addButton("BtnAddSibl", I::AddSibling, QStringLiteral("Add sibling (Ctrl-Alt-I)"));
    BtnDelete = addButton("BtnDelete", I::Delete, QStringLiteral("Delete selected (Ctrl+Delete)"));
    BtnUp = addButton("BtnUp", I::MoveUp, QStringLiteral("Move up (Ctrl+U)"));
    BtnDown = addButton("BtnDown", I::MoveDown, QStringLiteral("Move down (Ctrl+D)"));
    CBar->addSeparator();
    BtnApply = addButton("BtnApply", I::Apply, QStringLiteral("Apply changes (F12)"));
    // The one button that shows its caption.
    BtnApply->setText(QStringLiteral("Apply"));
    if (auto *button = qobject_cast<QToolButton *>(CBar->widgetForAction(BtnApply)))
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    CBar->addSeparator();
    BtnExecSel = addButton("BtnExecSel", I::RunToCursor, QStringLiteral("Run to cursor (F8)"));
    BtnExec = addButton("BtnExec", I::Run, QStringLiteral("Run (F9)"));
    BtnExecBrSel = addButton("BtnExecBrSel", I::RunBranchToCursor, QStringLiteral("Run branch to cursor (Ctrl-F8)"));
    BtnExecAll = addButton("BtnExecAll", I::RunBranch, QStringLiteral("Run branch (Ctrl-F9)"));
}

void TForm1::createTreePopup()
{
    pmTV = new QMenu(this);
    pmTV->setObjectName(QStringLiteral("pmTV"));
    pmUndo = addItem(pmTV, "pmUndo", QStringLiteral("Undo"), keys(Qt::CTRL | Qt::Key_Z));
    pmCut = addItem(pmTV, "pmCut", QStringLiteral("Cut"), keys(Qt::CTRL | Qt::Key_X));
    pmCopy = addItem(pmTV, "pmCopy", QStringLiteral("Copy"), keys(Qt::CTRL | Qt::Key_C));
    pmPaste = addItem(pmTV, "pmPaste", QStringLiteral("Paste"), keys(Qt::CTRL | Qt::Key_V));
    pmSelectAll = addItem(pmTV, "pmSelectAll", QStringLiteral("Select all"), keys(Qt::CTRL | Qt::Key_A));
    pmTV->addSeparator();
    pmAddChild = addItem(pmTV, "pmAddChild", QStringLiteral("Add child"), keys(Qt::CTRL | Qt::Key_I));
    pmAddSibl = addItem(pmTV, "pmAddSibl", QStringLiteral("Add sibling"), keys(Qt::CTRL | Qt::ALT | Qt::Key_I));
    pmDuplicate = addItem(pmTV, "pmDuplicate", QStringLiteral("Duplicate selected"), keys(Qt::CTRL | Qt::ALT | Qt::Key_D));
    pmDelete = addItem(pmTV, "pmDelete", QStringLiteral("Delete selected"), keys(Qt::CTRL | Qt::Key_Delete));
    pmAddSepLine = addItem(pmTV, "pmAddSepLine", QStringLiteral("Add separator line"), keys(Qt::CTRL | Qt::Key_L));
    pmTV->addSeparator();
    pmUp = addItem(pmTV, "pmUp", QStringLiteral("Move up"), keys(Qt::CTRL | Qt::Key_U));
    pmDown = addItem(pmTV, "pmDown", QStringLiteral("Move down"), keys(Qt::CTRL | Qt::Key_D));
    pmTV->addSeparator();
    pmRun = addItem(pmTV, "pmRun", QStringLiteral("Run"), keys(Qt::Key_F9));
    pmRunBranch = addItem(pmTV, "pmRunBranch", QStringLiteral("Run branch"), keys(Qt::CTRL | Qt::Key_F9));
    // The popup shows the window's shortcuts; they act only while it is open, so they never
    // compete with the main menu's.
    for (QAction *a : pmTV->actions())
        a->setShortcutContext(Qt::WidgetShortcut);
}
