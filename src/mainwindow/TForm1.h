#pragma once

#include "mainwindow/ConnectionTreeView.h"
#include "mainwindow/core/CommandState.h"
#include "mainwindow/core/FocusedEditor.h"
#include "mainwindow/GuiTableHost.h"
#include "platform/widgets/LockKeyState.h"
#include "platform/widgets/MessageBoxPrompter.h"
#include "shell/ProgramOptions.h"
#include "table/ColorSet.h"
#include "table/EditCommands.h"
#include "table/TableDocument.h"

#include <QMainWindow>
#include <QKeySequence>
#include <QLineEdit>
#include <QPointer>
#include <QSet>

#include <array>
#include <functional>
#include <initializer_list>
#include <memory>

class ColorsPage;
class ConnectionNode;
class ConnectionTreeModel;
class FileChooser;
class HandOverReceiver;
struct ImportResult;
class MacroEditor;
class MacroPage;
class MacroRunner;
class NodePage;
class NodeNameDelegate;
class PopupPage;
class QAction;
class QActionGroup;
class QKeyEvent;
class QLabel;
class QMenu;
class QMimeData;
class QMouseEvent;
class QSplitter;
class QTabWidget;
class QTimer;
class QToolBar;
class RunAllSelected;
class RunCommands;
struct RunContext;
class SchedulePage;
class SettingsPage;
class StatusPanels;
class TextEditor;
class TextFieldFilter;
class TreeClipboard;
class ShellServices;
struct TableReadResult;
struct TForm1FileSide;
class WindowGeometryRecorder;

// The main window: the connection tree `VT` beside the page control `PG`, and the status bar
// `SBar`. It owns the open table and is the view the table's routines ask for selection,
// focus and the shown node; the selection lives in the view's selection model only.
class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    // Prompter: where the message boxes go; null for the program's own QMessageBox boxes.
    explicit TForm1(Prompter *prompter = nullptr, QWidget *parent = nullptr);
    ~TForm1() override;

    TableDocument &doc() { return m_doc; }
    Prompter &prompter() { return *m_prompter; }
    ConnectionTreeModel &model() const { return *m_model; }
    ConnectionTreeView *tree() const { return VT; }
    ConnectionNode *focusedNode() const;

    // Adds RootNode to the emptied tree, selects it and shows the first page.
    void InitTree();
    void showSettingsPage();
    // Shows what an import added: RootNode expanded when records were read.
    void showImported(const ImportResult &result);
    // Reads FileName as the open table, into the tree as it stands, and shows what was read.
    TableReadResult readTable(const QString &fileName);

    // The pages of `PG`, by index 0 to 4.
    SettingsPage *settingsPage() const { return m_settingsPage; }
    MacroPage *macroPage() const { return m_macroPage; }
    PopupPage *popupPage() const { return m_popupPage; }
    ColorsPage *colorsPage() const { return m_colorsPage; }
    SchedulePage *schedulePage() const { return m_schedulePage; }

    // The options as last loaded or moved from the controls.
    ProgramOptions &options() { return m_options; }
    const ProgramOptions &options() const { return m_options; }

    // Start-up and shutdown.
    // The creation handler: messages attached, the options loaded into the controls, the
    // table to open at start. Services must outlive the window; Arguments are the command
    // line without the program's name.
    void FormCreate(ShellServices &services, const QStringList &arguments = {});
    // The options saved and the launcher told; once, when the window goes.
    void FormDestroy();
    HandOverReceiver *handOverReceiver() const { return m_handOver; }
    void SaveSettingsAndNotify();
    // Closing: the question whether the window may close (unapplied edits, unsaved table),
    // then the clean-up of a close that goes on.
    bool FormCloseQuery();
    void FormClose();

    // Node view and Apply.
    // The focused node becomes CurrentNode (after the apply question when it has unapplied
    // edits) and its time stamp shows.
    void VTChange(ConnectionNode *node);
    void ShowFocusedNodeData();
    // The rename rules for a text the in-place editor ended with.
    void VTNewText(ConnectionNode *node, const QString &newText);
    void BtnApplyClick();
    // The time Apply stamps into LastUpdated; empty for the local time.
    void setApplyClock(Clock clock) { m_applyClock = std::move(clock); }
    // Reselects the node at SelectedNodeIndex after the start-up has read the last table.
    void SelectNodeByIndex();
    void VTCollapsed(ConnectionNode *node);
    void PGChanging();
    void MnExpandAllClick();
    void MnCollapseAllClick();
    void MnShowPopupClick();
    void MnImportMacroClick();

    // Command state.
    // 0 tree, 1 macro editor, 2 popup editor, 11 the tree's in-place editor, -1 anything else.
    int GetFocusedEditorId() const;
    void RequestCommandRefresh();
    // The refresh proper: page data when the tree has the focus, then every command's state.
    void Timer1Timer();
    void MnFileClick();
    void MnEditClick();
    void MnConnectionClick();
    void MnMacroClick();
    void pmTVPopup();

    // Status bar.
    QString panelText(int panel) const;
    void setPanelText(int panel, const QString &text);
    void documentStateChanged();
    void ShowCaretPosition(bool show, int editor);
    void ShowInsertMode(bool force);
    // The one insert/overwrite mode of all the window's editors (InsertModeFlag): insert
    // when true.
    bool insertMode() const { return m_insertMode; }
    void setInsertMode(bool insert);
    void UpdateKeyIndicators();
    // Where the lock-key states come from (the display by default).
    void setLockKeyReader(std::function<LockKeyState()> reader) { m_lockKeys = std::move(reader); }

    // Table file commands.
    // Where the file dialogs go; null for the program's own QFileDialog dialogs.
    void setFileChooser(FileChooser *files);
    FileChooser &fileChooser();
    void MnNewTableClick();
    void MnOpenTableClick();
    void MnSaveTableClick();
    void MnSaveAsTableClick();
    void MnImportClick();
    void MnExportClick();

    // Connection commands: add, duplicate, delete and move.
    void MnAddChildClick();
    void mnAddSiblingClick();
    void mnAddSepLineClick();
    void MnDuplicateClick();
    void MnDeleteClick();
    void MnUpClick();
    void MnDownClick();
    // The new-connection defaults as the "New Connections" settings page shows them.
    NewConnectionDefaults newConnectionDefaults() const;
    void addConnection(AddMode mode);

    // Edit commands on the focused control.
    void MnUndoClick();
    void MnCutClick();
    void MnCopyClick();
    void MnPasteClick();
    void MnSelectAllClick();

    // The tree's node clipboard: cut, copy and paste of the selected branches.
    TreeClipboard *treeClipboard() const { return m_treeClipboard; }

    // Running connections.
    // The run commands on the focused connection: to the caret or whole, with or without the
    // ancestors' macros in front; the export of its branch's macro; "Run all selected".
    void MnExecSelClick();
    void MnExecuteClick();
    void MnExecBrSelClick();
    void MnExecuteAllClick();
    void MnExportMacroClick();
    void mnRunAllSelClick();
    // What the pages hold for a run of Node: user data, the macro editor's text (to the caret
    // with ToCursor), the run options, and Node's colours and logging choice: the pages' while
    // Node is CurrentNode with unapplied edits, else its stored ones.
    RunContext buildRunContext(const ConnectionNode *node, bool toCursor) const;
    MacroRunner &macroRunner();
    RunAllSelected &runAllSelected();

protected:
    // Key preview: the window sees the keys released in all its controls.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Building the window: the pages, the status bar, and (TForm1_Menus.cpp) the main menu,
    // the toolbar `CBar` and the shared context menu `pmTV`.
    void createPages();
    void createStatusBar();
    void createMenus();
    void createFileMenu();
    void createEditMenus();
    void createConnectionMenu();
    void createActionsMenu();
    void createViewMenu();
    void createHelpMenu();
    void createToolBar();
    void createTreePopup();
    QMenu *addMenu(QMenu *parent, const char *name, const QString &title);
    QAction *addItem(QMenu *menu, const char *name, const QString &text, const QKeySequence &shortcut = {});
    QAction *addButton(const char *name, int icon, const QString &hint);
    // Every one of Actions runs Handler.
    void connectActions(std::initializer_list<QAction *> actions, void (TForm1::*handler)());

    // Wiring each concern to the controls; the constructor calls them in this order.
    void setupNodeMoves();
    void setupNodeClipboard();
    void setupFileCommands();
    void setupConnectionCommands();
    void setupEditCommands();
    void setupRun();
    void setupNodeView();
    void setupCommandState();

    // Tree view: the in-place editor, and CurrentNode and the selection over removals and resets.
    void VTCreateEditor(QLineEdit *editor);
    void showLastUpdated(const ConnectionNode *node);
    // Panel 0 takes LastUpdated when it is not empty and not shown already.
    void noteLastUpdated(const QByteArray &lastUpdated);
    // RootNode of a new tree focused and selected alone, and the settings page in front.
    void showNewRoot(ConnectionNode *root);
    QByteArray ReadTeraTermColors() const;

    // Start-up and shutdown.
    void trimDblClickActions();
    void loadOptions(bool hasCommandLineArgument);
    void optionsToControls();
    void controlsToOptions();
    // Opens the table to open at start; true when the handed-over file is to be offered
    // for import once the window runs.
    bool openTableAtStart();
    void cbRunOnStartClick();

    // Node view: the apply question and the pages.
    // The apply question for CurrentNode: true when the caller may go on (Yes applied, No
    // dropped), false after Cancel.
    bool askApplyBeforeLeaving();
    Prompter::Answer askApplyQuestion(const ConnectionNode *node);
    // The pages that show the focused connection, in the order they are filled.
    std::array<NodePage *, 4> nodePages() const;
    // A page reports the user's edit: the node holds unapplied edits.
    void pageEdited();

    // Command state: the refresh's inputs and outputs, the focused control, the context menu.
    void fillCommandInputs(CommandStateInputs &in) const;
    void applyCommandStates(const CommandStates &states);
    // The inputs of the moment, after a refresh still waiting for its timer has run.
    CommandStateInputs inputsOfNow();
    // The menus copy the states the last refresh left when they open.
    void applyMenuStates();
    void readClipboardState();
    void hookContextMenu(QWidget *control);
    void showTreePopup(QWidget *control, const QPoint &pos);
    QWidget *editorWithFocus() const;
    // The user-data and schedule fields in the order Edit1 to Edit10, and which of them
    // Widget is (None for any other control).
    std::array<QWidget *, 10> textFields() const;
    FocusWidget textFieldAt(const QWidget *widget) const;
    void showActiveLine(int focusedEditorId);

    // File commands: the window's side of a new table, of a table read and of a table
    // written, and "Close" (as by the close box).
    void showNewTable();
    void resetPagesForNewTable();
    void showTableRead(const TableReadResult &read);
    void tableWritten();
    void focusTree();
    void MnCloseClick();

    // Edit commands: the focused control, the one insert/overwrite mode, the editors' events.
    // The focused editor for the edit commands: its id and, for a text control, the control.
    int editTarget(QWidget **control) const;
    void watchTextFields();
    void textFieldMouseReleased(QWidget *field, Qt::MouseButton button);
    // Switches the one mode; Editor, when the key came from one, follows at once.
    void toggleInsertMode(TextEditor *editor);
    void Memo1Enter();
    void Memo2Enter();
    void Memo1Exit();
    void Memo2Exit();
    void FormKeyUp(int key, bool autoRepeat);

    // Moves and the node clipboard.
    void showMovedFocus();

    // Running connections.
    void runFocused(bool wholeMacro, bool withAncestors, const QString &exportFile = {});

    MessageBoxPrompter m_ownPrompter;
    Prompter *m_prompter;
    GuiTableHost m_host;
    TableDocument m_doc;
    std::function<LockKeyState()> m_lockKeys = &LockKeyState::current;

    ConnectionTreeModel *m_model = nullptr;
    NodeNameDelegate *m_delegate = nullptr;
    QSplitter *Splitter = nullptr;
    ConnectionTreeView *VT = nullptr;
    QTabWidget *PG = nullptr;
    SettingsPage *m_settingsPage = nullptr;
    MacroPage *m_macroPage = nullptr;
    PopupPage *m_popupPage = nullptr;
    ColorsPage *m_colorsPage = nullptr;
    SchedulePage *m_schedulePage = nullptr;
    MacroEditor *Memo1 = nullptr;
    TextEditor *Memo2 = nullptr;

    // Menus: a submenu's item is its menuAction(), named as the menu.
    QMenu *MnFile = nullptr, *MnImportTemplate = nullptr, *TeraTermConfiguration1 = nullptr;
    QAction *MnNewTable = nullptr, *MnOpenTable = nullptr, *MnSaveTable = nullptr, *MnSaveAsTable = nullptr;
    QAction *MnImport = nullptr, *MnExport = nullptr, *MnImportMacro = nullptr, *MnExportMacro = nullptr;
    QAction *OpenTelnetsession1 = nullptr, *SSH1session1 = nullptr, *SSH1sessionwithcredentials1 = nullptr;
    QAction *SSH1session2 = nullptr, *SSH2session1 = nullptr, *SSH2sessionwithcredentials1 = nullptr;
    QAction *SSH2sessionwithpublickey1 = nullptr, *Serialconnection1 = nullptr;
    QAction *mnBackup = nullptr, *mnRestore = nullptr;
    QAction *MnPrinterSetup = nullptr, *MnPrintPreview = nullptr, *MnPrint = nullptr, *MnClose = nullptr;

    QMenu *MnEdit = nullptr;
    QAction *MnUndo = nullptr, *MnCut = nullptr, *MnCopy = nullptr, *MnPaste = nullptr, *MnSelectAll = nullptr;
    QMenu *Search1 = nullptr;
    QAction *MnFind = nullptr, *MnFindNext = nullptr, *MnFindPrev = nullptr, *MnReplace = nullptr;

    QMenu *MnConnection = nullptr;
    QAction *MnAddChild = nullptr, *mnAddSibling = nullptr, *mnAddSepLine = nullptr, *MnDuplicate = nullptr;
    QAction *MnDelete = nullptr, *MnUp = nullptr, *MnDown = nullptr, *mnApply = nullptr;
    QAction *MnExpandAll = nullptr, *MnCollapseAll = nullptr;

    QMenu *MnMacro = nullptr;
    QAction *MnExecSel = nullptr, *MnExecute = nullptr, *MnExecBrSel = nullptr, *MnExecuteAll = nullptr;
    QAction *mnRunAllSel = nullptr, *MnShowPopup = nullptr;

    QMenu *View1 = nullptr, *Settings1 = nullptr, *ConnectionTree1 = nullptr;
    QAction *General1 = nullptr, *Userdata1 = nullptr, *MacroEditor1 = nullptr, *Highlighter1 = nullptr;
    QAction *NewConncetions1 = nullptr;
    QAction *MnViewMacro = nullptr, *MnViewPopup = nullptr, *MnViewColors = nullptr, *MnViewSchedule = nullptr;
    QActionGroup *m_treeViewGroup = nullptr;
    QAction *MnVTHide = nullptr, *MnVTMaximize = nullptr, *MnVTRestore = nullptr;

    QMenu *Help1 = nullptr;
    QAction *WexmoraHelp1 = nullptr, *MnTeraTermHelp = nullptr, *MnTeraTermMacroLanguage = nullptr;
    QAction *Checkforupdates1 = nullptr, *MnFreeWareLicense = nullptr, *MnAbout = nullptr;

    // The toolbar's buttons are actions of their own: the menus copy their states when they open.
    QToolBar *CBar = nullptr;
    QAction *BtnNewTable = nullptr, *BtnOpenTable = nullptr, *BtnSaveTable = nullptr, *BtnSaveAsTable = nullptr;
    QAction *BtnPrintPreview = nullptr, *BtnPrint = nullptr;
    QAction *BtnUndo = nullptr, *BtnCut = nullptr, *BtnCopy = nullptr, *BtnPaste = nullptr;
    QAction *BtnAddChild = nullptr, *BtnAddSibl = nullptr, *BtnDelete = nullptr, *BtnUp = nullptr, *BtnDown = nullptr;
    QAction *BtnApply = nullptr;
    QAction *BtnExecSel = nullptr, *BtnExec = nullptr, *BtnExecBrSel = nullptr, *BtnExecAll = nullptr;

    // The context menu of the tree, the editors and the user-data and schedule fields.
    QMenu *pmTV = nullptr;
    QAction *pmUndo = nullptr, *pmCut = nullptr, *pmCopy = nullptr, *pmPaste = nullptr, *pmSelectAll = nullptr;
    QAction *pmAddChild = nullptr, *pmAddSibl = nullptr, *pmDuplicate = nullptr, *pmDelete = nullptr;
    QAction *pmAddSepLine = nullptr, *pmUp = nullptr, *pmDown = nullptr, *pmRun = nullptr, *pmRunBranch = nullptr;
    StatusPanels *SBar = nullptr;
    ProgramOptions m_options;

    // Start-up and shutdown.
    ShellServices *m_shell = nullptr;
    HandOverReceiver *m_handOver = nullptr;
    WindowGeometryRecorder *m_geometry = nullptr;
    bool m_destroyed = false;

    // The data this window last put on the clipboard, while the clipboard holds it.
    TreeClipboard *m_treeClipboard = nullptr;

    // The file dialogs, the recent files and the table commands. Held through a pointer whose
    // deleter is fixed where the parts are made, so this header needs none of their types.
    std::shared_ptr<TForm1FileSide> m_fileSide;
    friend struct TForm1FileSide;

    RunCommands *m_runCommands = nullptr;

    // Command state.
    QTimer *Timer1 = nullptr;
    CommandStates m_commandStates;
    bool m_insertMode = true;
    TextFieldFilter *m_overwritingFields = nullptr;
    bool m_clipboardHasText = false;
    bool m_clipboardHasNodes = false;
    // The last control of this window that had the focus, for while the menu bar holds it.
    QPointer<QWidget> m_lastFocus;

    // Node view.
    // A refresh waiting with the tree focused will show the focused node's values.
    bool m_showNodeWhenRefreshed = false;
    Clock m_applyClock;
};
