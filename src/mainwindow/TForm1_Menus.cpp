// The main menu, the toolbar `CBar` and the shared context menu `pmTV`. Every command is a
// QAction named after its menu item or button, made from one entry that also names the
// handler it runs and the state flag that enables it: adding a command is adding an entry.
#include "mainwindow/TForm1.h"

#include "mainwindow/CommandIcons.h"
#include "mainwindow/MacroEditor.h"
#include "mainwindow/MenuAccelerators.h"
#include "mainwindow/ViewCommands.h"

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

QAction *TForm1::addCommand(QMenu *menu, const char *name, const QString &text, const QKeySequence &shortcut,
                            void (TForm1::*run)())
{
    QAction *action = menu->addAction(text);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    if (run)
        connect(action, &QAction::triggered, this, run);
    return action;
}

void TForm1::addItems(QMenu *menu, std::initializer_list<MenuItem> items)
{
    for (const MenuItem &item : items) {
        if (!item.name) {
            menu->addSeparator();
            continue;
        }
        QAction *action = addCommand(menu, item.name, QLatin1String(item.text), item.keys, item.run);
        if (item.enabled)
            m_menuItems.push_back({action, item.enabled});
        if (item.keep)
            *item.keep = action;
    }
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
    // Every menu reached by letter from the keyboard.
    auto *accelerators = new MenuAccelerators(*menuBar(), *this);
    accelerators->follow(*pmTV);
}

void TForm1::createFileMenu()
{
    using S = MenuStates;
    MnFile = addMenu(nullptr, "MnFile", QStringLiteral("File"));
    addItems(MnFile, {
        {"MnNewTable", "New", keys(Qt::CTRL | Qt::Key_N), &TForm1::MnNewTableClick, &S::MnNewTable},
        {"MnOpenTable", "Open ...", keys(Qt::CTRL | Qt::Key_O), &TForm1::MnOpenTableClick, &S::MnOpenTable},
        {"MnSaveTable", "Save", keys(Qt::CTRL | Qt::Key_S), &TForm1::MnSaveTableClick, &S::MnSaveTable},
        {"MnSaveAsTable", "Save as ...", {}, &TForm1::MnSaveAsTableClick, &S::MnSaveAsTable},
        {},
        {"MnImport", "Import connection ...", {}, &TForm1::MnImportClick, &S::MnImport},
        {"MnExport", "Export connection ...", {}, &TForm1::MnExportClick, &S::MnExport},
        {},
        {"MnImportMacro", "Import macro ...", {}, &TForm1::MnImportMacroClick, &S::MnImportMacro},
    });
    QMenu *templates = addMenu(MnFile, "MnImportTemplate", QStringLiteral("Import macro Template"));
    m_menuItems.push_back({templates->menuAction(), &S::MnImportTemplate});
    addItems(templates, {
        {"OpenTelnetsession1", "Telnet session"},
        {},
        {"SSH1session1", "SSH1 session"},
        {"SSH1sessionwithcredentials1", "SSH1 session with credentials"},
        {"SSH1session2", "SSH1 session with public key"},
        {},
        {"SSH2session1", "SSH2 session"},
        {"SSH2sessionwithcredentials1", "SSH2 session with credentials"},
        {"SSH2sessionwithpublickey1", "SSH2 session with public key"},
        {},
        {"Serialconnection1", "Serial connection"},
    });
    // The item's data is the template's number, 1 to 8.
    int tag = 0;
    for (QAction *action : templates->actions())
        if (!action->isSeparator())
            action->setData(++tag);
    addItems(MnFile, {
        {"MnExportMacro", "Export macro ...", {}, &TForm1::MnExportMacroClick, &S::MnExportMacro},
        {},
    });
    QMenu *configuration = addMenu(MnFile, "TeraTermConfiguration1", QStringLiteral("TeraTerm configuration"));
    addItems(configuration, {
        {"mnBackup", "Backup", {}, &TForm1::mnBackupClick},
        {"mnRestore", "Restore", {}, &TForm1::mnRestoreClick, nullptr, &mnRestore},
    });
    // Until the start finds a backup stored there is nothing to restore.
    mnRestore->setEnabled(false);
    addItems(MnFile, {
        {},
        {"MnPrinterSetup", "Printer setup ...", {}, &TForm1::MnPrinterSetupClick, &S::MnPrinterSetup},
        {"MnPrintPreview", "Print preview", {}, &TForm1::MnPrintPreviewClick, &S::MnPrintPreview},
        {"MnPrint", "Print ...", {}, &TForm1::MnPrintClick, &S::MnPrint},
        {},
        {"MnClose", "Close", {}, &TForm1::MnCloseClick},
    });
}

void TForm1::createEditMenus()
{
    using S = MenuStates;
    MnEdit = addMenu(nullptr, "MnEdit", QStringLiteral("Edit"));
    addItems(MnEdit, {
        {"MnUndo", "Undo", keys(Qt::CTRL | Qt::Key_Z), &TForm1::MnUndoClick, &S::MnUndo},
        {},
        {"MnCut", "Cut", keys(Qt::CTRL | Qt::Key_X), &TForm1::MnCutClick, &S::MnCut},
        {"MnCopy", "Copy", keys(Qt::CTRL | Qt::Key_C), &TForm1::MnCopyClick, &S::MnCopy},
        {"MnPaste", "Paste", keys(Qt::CTRL | Qt::Key_V), &TForm1::MnPasteClick, &S::MnPaste},
        {},
        {"MnSelectAll", "Select all", keys(Qt::CTRL | Qt::Key_A), &TForm1::MnSelectAllClick, &S::MnSelectAll},
    });
    // The Search menu acts on the macro editor.
    Search1 = addMenu(nullptr, "Search1", QStringLiteral("Search"));
    QAction *find = nullptr, *findNext = nullptr, *findPrev = nullptr, *replace = nullptr;
    addItems(Search1, {
        {"MnFind", "Find", keys(Qt::CTRL | Qt::Key_F), nullptr, &S::MnFind, &find},
        {"MnFindNext", "Find Next", QKeySequence(Qt::Key_F3), nullptr, &S::MnFindNext, &findNext},
        {"MnFindPrev", "Find Previous", keys(Qt::SHIFT | Qt::Key_F3), nullptr, &S::MnFindPrev, &findPrev},
        {"MnReplace", "Replace", keys(Qt::CTRL | Qt::Key_R), nullptr, &S::MnReplace, &replace},
    });
    connect(find, &QAction::triggered, Memo1, &MacroEditor::MnFindClick);
    connect(findNext, &QAction::triggered, Memo1, &MacroEditor::MnFindNextClick);
    connect(findPrev, &QAction::triggered, Memo1, &MacroEditor::MnFindPrevClick);
    connect(replace, &QAction::triggered, Memo1, &MacroEditor::MnReplaceClick);
    // A search run clears the status message.
    connect(Memo1, &MacroEditor::searchStarting, this, [this] { setPanelText(0, QString()); });
}

void TForm1::createConnectionMenu()
{
    using S = MenuStates;
    MnConnection = addMenu(nullptr, "MnConnection", QStringLiteral("Connection"));
    addItems(MnConnection, {
        {"MnAddChild", "Add child", keys(Qt::CTRL | Qt::Key_I), &TForm1::MnAddChildClick, &S::MnAddChild},
        {"mnAddSibling", "Add sibling", keys(Qt::CTRL | Qt::ALT | Qt::Key_I), &TForm1::mnAddSiblingClick,
         &S::mnAddSibling},
        {"mnAddSepLine", "Add separator line", keys(Qt::CTRL | Qt::Key_L), &TForm1::mnAddSepLineClick,
         &S::mnAddSepLine},
        {"MnDuplicate", "Duplicate selected", keys(Qt::CTRL | Qt::ALT | Qt::Key_D), &TForm1::MnDuplicateClick,
         &S::MnDuplicate},
        {"MnDelete", "Delete selected", keys(Qt::CTRL | Qt::Key_Delete), &TForm1::MnDeleteClick, &S::MnDelete},
        {},
        {"MnUp", "Move up", keys(Qt::CTRL | Qt::Key_U), &TForm1::MnUpClick, &S::MnUp},
        {"MnDown", "Move down", keys(Qt::CTRL | Qt::Key_D), &TForm1::MnDownClick, &S::MnDown},
        {},
        {"mnApply", "Apply changes", QKeySequence(Qt::Key_F12), &TForm1::BtnApplyClick, &S::mnApply},
        {},
        {"MnExpandAll", "Expand all", {}, &TForm1::MnExpandAllClick, &S::MnExpandAll},
        {"MnCollapseAll", "Collapse all", {}, &TForm1::MnCollapseAllClick, &S::MnCollapseAll},
    });
}

void TForm1::createActionsMenu()
{
    using S = MenuStates;
    MnMacro = addMenu(nullptr, "MnMacro", QStringLiteral("Actions"));
    addItems(MnMacro, {
        {"MnExecSel", "Run to cursor", QKeySequence(Qt::Key_F8), &TForm1::MnExecSelClick, &S::MnExecSel},
        {"MnExecute", "Run", QKeySequence(Qt::Key_F9), &TForm1::MnExecuteClick, &S::MnExecute},
        {"MnExecBrSel", "Run branch to cursor", keys(Qt::CTRL | Qt::Key_F8), &TForm1::MnExecBrSelClick,
         &S::MnExecBrSel},
        {"MnExecuteAll", "Run branch", keys(Qt::CTRL | Qt::Key_F9), &TForm1::MnExecuteAllClick, &S::MnExecuteAll},
        {},
        {"mnRunAllSel", "Run all selected", {}, &TForm1::mnRunAllSelClick, &S::mnRunAllSel},
        {},
        {"MnShowPopup", "Show popup", {}, &TForm1::MnShowPopupClick, &S::MnShowPopup},
    });
}

void TForm1::createViewMenu()
{
    // A page command shows a page of PG and, under "Settings", a page of PGSettings.
    struct PageItem
    {
        const char *name;
        const char *text;
        int page;
        int settingsPage;
    };
    const auto addPages = [this](QMenu *menu, std::initializer_list<PageItem> items) {
        for (const PageItem &item : items) {
            QAction *action = addCommand(menu, item.name, QLatin1String(item.text), {}, nullptr);
            connect(action, &QAction::triggered, m_views,
                    [this, item] { m_views->showPage(item.page, item.settingsPage); });
        }
    };
    QMenu *view = addMenu(nullptr, "View1", QStringLiteral("View"));
    QMenu *settings = addMenu(view, "Settings1", QStringLiteral("Settings"));
    addPages(settings, {
        {"General1", "General", 0, 0},
        {"Userdata1", "User data", 0, 1},
        {"MacroEditor1", "Macro Editor", 0, 2},
        {"Highlighter1", "Highlighter", 0, 3},
        {"NewConncetions1", "New Conncetions", 0, 4},
    });
    addPages(view, {
        {"MnViewMacro", "Macro", 1, -1},
        {"MnViewPopup", "Popup", 2, -1},
        {"MnViewColors", "Colors", 3, -1},
        {"MnViewSchedule", "Schedule", 4, -1},
    });
    view->addSeparator();
    QMenu *tree = addMenu(view, "ConnectionTree1", QStringLiteral("Connection Tree"));
    addItems(tree, {
        {"MnVTHide", "Hide", {}, nullptr, nullptr, &MnVTHide},
        {"MnVTMaximize", "Maximize", {}, nullptr, nullptr, &MnVTMaximize},
        {"MnVTRestore", "Restore", {}, nullptr, nullptr, &MnVTRestore},
    });
    connect(MnVTHide, &QAction::triggered, m_views, &ViewCommands::MnVTHideClick);
    connect(MnVTMaximize, &QAction::triggered, m_views, &ViewCommands::MnVTMaximizeClick);
    connect(MnVTRestore, &QAction::triggered, m_views, &ViewCommands::MnVTRestoreClick);
    // One of the three is always checked: the tree beside the pages at start.
    auto *treeViews = new QActionGroup(this);
    treeViews->setExclusive(true);
    for (QAction *a : tree->actions()) {
        a->setCheckable(true);
        treeViews->addAction(a);
    }
    MnVTRestore->setChecked(true);
}

void TForm1::createHelpMenu()
{
    QMenu *help = addMenu(nullptr, "Help1", QStringLiteral("Help"));
    addItems(help, {
        {"WexmoraHelp1", "Wexmora Help"},
        {"MnTeraTermHelp", "TeraTerm Help", keys(Qt::CTRL | Qt::SHIFT | Qt::Key_F1)},
        {"MnTeraTermMacroLanguage", "TeraTerm Macro Language Help", keys(Qt::SHIFT | Qt::Key_F1)},
        {},
        {"Checkforupdates1", "Check for updates", {}, &TForm1::Checkforupdates1Click},
        {},
        {"MnFreeWareLicense", "Freeware License Agreement", {}, &TForm1::MnFreeWareLicenseClick},
        {"MnAbout", "About Wexmora", {}, &TForm1::MnAboutClick},
    });
    const std::pair<const char *, void (HelpCommands::*)()> helpFiles[] = {
        {"WexmoraHelp1", &HelpCommands::WexmoraHelp1Click},
        {"MnTeraTermHelp", &HelpCommands::MnTeraTermHelpClick},
        {"MnTeraTermMacroLanguage", &HelpCommands::MnTeraTermMacroLanguageClick},
    };
    for (const auto &[name, open] : helpFiles)
        connect(help->findChild<QAction *>(QLatin1String(name)), &QAction::triggered, this,
                [this, open] { (m_help.*open)(); });
}

void TForm1::createToolBar()
{
    using I = CommandIcons;
    using S = CommandStates;
    CBar = new QToolBar(this);
    CBar->setObjectName(QStringLiteral("CBar"));
    CBar->setMovable(false);
    CBar->setFloatable(false);
    CBar->setContextMenuPolicy(Qt::PreventContextMenu);
    CBar->setIconSize(QSize(18, 18));
    addToolBar(Qt::TopToolBarArea, CBar);

    // A hint holds the tool tip before "|" and the longer status-bar text after it.
    const Button buttons[] = {
        {"BtnNewTable", I::New, "New (Ctrl+N)", &TForm1::MnNewTableClick, &S::BtnNewTable, &BtnNewTable},
        {"BtnOpenTable", I::Open, "Open (Ctrl+O)", &TForm1::MnOpenTableClick, &S::BtnOpenTable},
        {"BtnSaveTable", I::Save, "Save (Ctrl+S)", &TForm1::MnSaveTableClick, &S::BtnSaveTable, &BtnSaveTable},
        {"BtnSaveAsTable", I::SaveAs, "Save as ...", &TForm1::MnSaveAsTableClick, &S::BtnSaveAsTable},
        {},
        {"BtnPrintPreview", I::PrintPreview, "Print preview", &TForm1::MnPrintPreviewClick, &S::BtnPrintPreview},
        {"BtnPrint", I::Print, "Print", &TForm1::MnPrintClick, &S::BtnPrint, &BtnPrint},
        {},
        {"BtnUndo", I::Undo, "Undo (Ctrl+Z)", &TForm1::MnUndoClick, &S::BtnUndo},
        {"BtnCut", I::Cut, "Cut (Ctrl+X)", &TForm1::MnCutClick, &S::BtnCut, &BtnCut},
        {"BtnCopy", I::Copy, "Copy (Ctrl+C)", &TForm1::MnCopyClick, &S::BtnCopy},
        {"BtnPaste", I::Paste, "Paste (Ctrl+V)", &TForm1::MnPasteClick, &S::BtnPaste},
        {},
        {"BtnAddChild", I::AddChild, "Add child (Ctrl-I)", &TForm1::MnAddChildClick, &S::BtnAddChild, &BtnAddChild},
        {"BtnAddSibl", I::AddSibling, "Add sibling (Ctrl-Alt-I)", &TForm1::mnAddSiblingClick, &S::BtnAddSibl,
         &BtnAddSibl},
        {"BtnDelete", I::Delete, "Delete selected (Ctrl+Delete)", &TForm1::MnDeleteClick, &S::BtnDelete, &BtnDelete},
        {"BtnUp", I::MoveUp, "Move up (Ctrl+U)", &TForm1::MnUpClick, &S::BtnUp},
        {"BtnDown", I::MoveDown, "Move down (Ctrl+D)", &TForm1::MnDownClick, &S::BtnDown},
        {},
        {"BtnApply", I::Apply, "Apply changes (F12)", &TForm1::BtnApplyClick, &S::BtnApply, &BtnApply},
        {},
        {"BtnExecSel", I::RunToCursor, "Run to cursor (F8)", &TForm1::MnExecSelClick, &S::BtnExecSel},
        {"BtnExec", I::Run, "Run (F9)", &TForm1::MnExecuteClick, &S::BtnExec},
        {"BtnExecBrSel", I::RunBranchToCursor, "Run branch to cursor (Ctrl-F8)", &TForm1::MnExecBrSelClick,
         &S::BtnExecBrSel},
        {"BtnExecAll", I::RunBranch, "Run branch (Ctrl-F9)", &TForm1::MnExecuteAllClick, &S::BtnExecAll},
    };
    for (const Button &b : buttons) {
        if (!b.name) {
            CBar->addSeparator();
            continue;
        }
        const HintTexts hint = SplitHint(QLatin1String(b.hint));
        QAction *action = CBar->addAction(CommandIcons::icon(static_cast<CommandIcons::Kind>(b.icon)), hint.toolTip);
        action->setObjectName(QLatin1String(b.name));
        action->setToolTip(hint.toolTip);
        action->setStatusTip(hint.statusTip);
        if (QWidget *button = CBar->widgetForAction(action))
            button->setObjectName(QLatin1String(b.name));
        if (b.run)
            connect(action, &QAction::triggered, this, b.run);
        m_buttons.push_back({action, b.enabled});
        if (b.keep)
            *b.keep = action;
    }
    // The one button that shows its caption.
    BtnApply->setText(QStringLiteral("Apply"));
    if (auto *button = qobject_cast<QToolButton *>(CBar->widgetForAction(BtnApply)))
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}

void TForm1::createTreePopup()
{
    using S = PopupStates;
    pmTV = new QMenu(this);
    pmTV->setObjectName(QStringLiteral("pmTV"));
    // The tree's own items show only when the menu opens on the tree.
    const PopupItem items[] = {
        {"pmUndo", "Undo", keys(Qt::CTRL | Qt::Key_Z), &TForm1::MnUndoClick, &S::pmUndo},
        {"pmCut", "Cut", keys(Qt::CTRL | Qt::Key_X), &TForm1::MnCutClick, &S::pmCut},
        {"pmCopy", "Copy", keys(Qt::CTRL | Qt::Key_C), &TForm1::MnCopyClick, &S::pmCopy},
        {"pmPaste", "Paste", keys(Qt::CTRL | Qt::Key_V), &TForm1::MnPasteClick, &S::pmPaste},
        {"pmSelectAll", "Select all", keys(Qt::CTRL | Qt::Key_A), &TForm1::MnSelectAllClick, &S::pmSelectAll},
        {},
        {"pmAddChild", "Add child", keys(Qt::CTRL | Qt::Key_I), &TForm1::MnAddChildClick, &S::pmAddChild, true},
        {"pmAddSibl", "Add sibling", keys(Qt::CTRL | Qt::ALT | Qt::Key_I), &TForm1::mnAddSiblingClick,
         &S::pmAddSibl, true},
        {"pmDuplicate", "Duplicate selected", keys(Qt::CTRL | Qt::ALT | Qt::Key_D), &TForm1::MnDuplicateClick,
         &S::pmDuplicate, true},
        {"pmDelete", "Delete selected", keys(Qt::CTRL | Qt::Key_Delete), &TForm1::MnDeleteClick, &S::pmDelete, true},
        {"pmAddSepLine", "Add separator line", keys(Qt::CTRL | Qt::Key_L), &TForm1::mnAddSepLineClick,
         &S::pmAddSepLine, true},
        {},
        {"pmUp", "Move up", keys(Qt::CTRL | Qt::Key_U), &TForm1::MnUpClick, &S::pmUp, true},
        {"pmDown", "Move down", keys(Qt::CTRL | Qt::Key_D), &TForm1::MnDownClick, &S::pmDown, true},
        {},
        {"pmRun", "Run", QKeySequence(Qt::Key_F9), &TForm1::MnExecuteClick, &S::pmRun},
        {"pmRunBranch", "Run branch", keys(Qt::CTRL | Qt::Key_F9), &TForm1::MnExecuteAllClick, &S::pmRunBranch},
    };
    for (const PopupItem &item : items) {
        if (!item.name) {
            pmTV->addSeparator();
            continue;
        }
        QAction *action = addCommand(pmTV, item.name, QLatin1String(item.text), item.keys, item.run);
        // The popup shows the window's shortcuts; they act only while it is open, so they
        // never compete with the main menu's.
        action->setShortcutContext(Qt::WidgetShortcut);
        m_popupItems.push_back({action, item.enabled, item.treeOnly});
    }
}
