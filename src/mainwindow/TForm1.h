#pragma once

#include "mainwindow/ConnectionTreeView.h"
#include "mainwindow/GuiTableHost.h"
#include "mainwindow/core/HelpCommands.h"
#include "mainwindow/core/CommandState.h"
#include "mainwindow/core/FocusedEditor.h"
#include "macrolang/MacroAttributeSet.h"
#include "platform/widgets/LockKeyState.h"
#include "platform/widgets/MessageBoxPrompter.h"
#include "platform/widgets/StyleDialogs.h"
#include "shell/ProgramOptions.h"
#include "table/EditCommands.h"
#include "table/TableDocument.h"

#include <QKeySequence>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

class ColorsPage;
class ConnectionNode;
class ConnectionTreeModel;
class FileChooser;
class HandOverReceiver;
struct ImportResult;
class MacroEditor;
class MacroPage;
class MacroPrintCommands;
class MacroRunner;
class NodeNameDelegate;
class NodePage;
class PopupPage;
class QAction;
class QLineEdit;
class QMenu;
class QSplitter;
class QTabWidget;
class QTimer;
class QToolBar;
class Registry;
class RunAllSelected;
class RunCommands;
struct RunContext;
class SchedulePage;
class SettingsPage;
class ShellServices;
class StatusPanels;
struct TableReadResult;
class TextEditor;
class TextFieldFilter;
struct TForm1FileSide;
class TForm2;
class TForm4;
class TForm6;
class TMILAssociate;
class TTestPrintPreviewDlg;
class TreeClipboard;
class ViewCommands;
class WindowGeometryRecorder;

// The main window: the connection tree `VT` beside the page control `PG`, and the status bar
// `SBar`. It makes the widgets and the commands and wires each command to the part that
// does the work: the pages show a connection and hand back its edits, the tree view takes
// the tree's input, the file commands and the table's routines change the table. It keeps
// the window-wide state: the open table (with its loading flag and CurrentNode), the
// options, the one insert/overwrite mode and the commands' states.
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
    TreeClipboard *treeClipboard() const { return m_treeClipboard; }

    // The pages of `PG`, by index 0 to 4.
    SettingsPage *settingsPage() const { return m_settingsPage; }
    MacroPage *macroPage() const { return m_macroPage; }
    PopupPage *popupPage() const { return m_popupPage; }
    ColorsPage *colorsPage() const { return m_colorsPage; }
    SchedulePage *schedulePage() const { return m_schedulePage; }

    // The options as last loaded or moved from the controls.
    ProgramOptions &options() { return m_options; }
    const ProgramOptions &options() const { return m_options; }
    // The one insert/overwrite mode of all the window's editors (InsertModeFlag): insert
    // when true.
    bool insertMode() const { return m_insertMode; }
    void setInsertMode(bool insert) { m_insertMode = insert; }

    // Where the file dialogs go; null for the program's own QFileDialog dialogs.
    void setFileChooser(FileChooser *files);
    FileChooser &fileChooser();
    // Where the font and colour dialogs go; null for the program's own Qt dialogs.
    void setStyleDialogs(StyleDialogs *dialogs);
    // Where the lock-key states come from (the display by default).
    void setLockKeyReader(std::function<LockKeyState()> reader) { m_lockKeys = std::move(reader); }
    // The time Apply stamps into LastUpdated; empty for the local time.
    void setApplyClock(Clock clock) { m_applyClock = std::move(clock); }
    MacroRunner &macroRunner();
    RunAllSelected &runAllSelected();
    HandOverReceiver *handOverReceiver() const { return m_handOver; }
    ViewCommands *views() const { return m_views; }
    WindowGeometryRecorder *geometryRecorder() const { return m_geometry; }
    // The macro editor's print commands, with the program's printer and the print system.
    MacroPrintCommands &printing() const { return *m_printing; }

    // The licence, about and print preview windows, made after this one: the Help menu and
    // the print preview command open them. They must outlive their use from here.
    void setSecondaryWindows(TForm4 &licence, TForm6 &about, TTestPrintPreviewDlg &preview);

    // Start-up and shutdown.
    // The creation handler: messages attached, the options loaded into the controls, the
    // table to open at start. Services must outlive the window; Arguments are the command
    // line without the program's name.
    void FormCreate(ShellServices &services, const QStringList &arguments = {});
    // The options saved and the launcher told; once, when the window goes.
    void FormDestroy();
    void SaveSettingsAndNotify();
    // The update window, made once the window is created from the options: its boxes, the
    // backup it offers and the save question before an upgrade are this window's. The caller
    // owns it and frees it before this window.
    std::unique_ptr<TForm2> CreateUpdateWindow();
    TForm2 *updateWindow() const;
    // Closing: the question whether the window may close (unapplied edits, unsaved table),
    // then the clean-up of a close that goes on.
    bool FormCloseQuery();
    void FormClose();

    // The tree and the node view.
    // Adds RootNode to the emptied tree, selects it and shows the first page.
    void InitTree();
    // Reads FileName as the open table, into the tree as it stands, and shows what was read.
    TableReadResult readTable(const QString &fileName);
    // Shows what an import added: RootNode expanded when records were read.
    void showImported(const ImportResult &result);
    // Reselects the node at SelectedNodeIndex after the start-up has read the last table.
    void SelectNodeByIndex();
    // The focused node becomes CurrentNode (after the apply question when it has unapplied
    // edits) and its time stamp shows.
    void VTChange(ConnectionNode *node);
    void ShowFocusedNodeData();

    // Command state and the status bar.
    // 0 tree, 1 macro editor, 2 popup editor, 11 the tree's in-place editor, -1 anything else.
    int GetFocusedEditorId() const;
    void RequestCommandRefresh();
    void ShowCaretPosition(bool show, int editor);
    void ShowInsertMode(bool force);

    // The commands, as the menus, the toolbar and the context menu run them.
    void MnNewTableClick();
    void MnOpenTableClick();
    void MnSaveTableClick();
    void MnSaveAsTableClick();
    void MnImportClick();
    void MnExportClick();
    void MnImportMacroClick();
    void MnCloseClick();
    void MnUndoClick();
    void MnCutClick();
    void MnCopyClick();
    void MnPasteClick();
    void MnSelectAllClick();
    void MnAddChildClick();
    void mnAddSiblingClick();
    void mnAddSepLineClick();
    void MnDuplicateClick();
    void MnDeleteClick();
    void MnUpClick();
    void MnDownClick();
    void BtnApplyClick();
    void MnExpandAllClick();
    void MnCollapseAllClick();
    // The run commands on the focused connection: to the caret or whole, with or without the
    // ancestors' macros in front; the export of its branch's macro; "Run all selected".
    void MnExecSelClick();
    void MnExecuteClick();
    void MnExecBrSelClick();
    void MnExecuteAllClick();
    void MnExportMacroClick();
    void mnRunAllSelClick();
    void MnShowPopupClick();
    // The recent-files list: an entry whose file exists opens as the table; a vanished one was
    // dropped from the list and is reported.
    void MRUMenuClick(const QString &fileName);
    void MRUFileNotExist(const QString &fileName);
    // The option pages' fonts: the macro editor's (the popup editor takes its name, the
    // highlighter's sample the whole font) and the menus'.
    void Button3Click();
    void Button4Click();
    // "Check for updates": the update window runs its check, or comes to the front while it
    // shows.
    void Checkforupdates1Click();
    // Printing the focused connection's macro, and the Help menu's windows.
    void MnPrintClick();
    void MnPrintPreviewClick();
    void MnPrinterSetupClick();
    void MnFreeWareLicenseClick();
    void MnAboutClick();
    // TeraTerm's configuration kept in the program's store and written back.
    void mnBackupClick();
    void mnRestoreClick();

    // The macro highlighter's attributes: the window's one set, which colours both editors
    // that show a macro and which the Highlighter page edits.
    MacroAttributeSet &highlighterAttributes() { return m_attributes; }

protected:
    // Key preview: the window sees the keys released in all its controls.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Selects or unselects Node in the view unless it already is.
    void setNodeSelected(ConnectionNode *node, bool selected);
    // How long a close waits while a file is read before it is asked again.
    static constexpr int CloseRetryInterval = 200;

    // The entries the commands are made from. A menu item or a button without a name is a
    // separator; Enabled is the state flag the menu's opening (or the refresh) sets; Keep,
    // when set, receives the action for the window's own use.
    struct MenuItem
    {
        const char *name = nullptr;
        const char *text = nullptr;
        QKeySequence keys{};
        void (TForm1::*run)() = nullptr;
        bool MenuStates::*enabled = nullptr;
        QAction **keep = nullptr;
    };
    struct Button
    {
        const char *name = nullptr;
        int icon = 0;
        const char *hint = nullptr;
        void (TForm1::*run)() = nullptr;
        bool CommandStates::*enabled = nullptr;
        QAction **keep = nullptr;
    };
    // TreeOnly: shown only when the menu opens on the tree.
    struct PopupItem
    {
        const char *name = nullptr;
        const char *text = nullptr;
        QKeySequence keys{};
        void (TForm1::*run)() = nullptr;
        bool PopupStates::*enabled = nullptr;
        bool treeOnly = false;
    };
    struct PopupCommand
    {
        QAction *action;
        bool PopupStates::*enabled;
        bool treeOnly;
    };

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
    void setHelpContexts();
    void createToolBar();
    void createTreePopup();
    QMenu *addMenu(QMenu *parent, const char *name, const QString &title);
    QAction *addCommand(QMenu *menu, const char *name, const QString &text, const QKeySequence &shortcut,
                        void (TForm1::*run)());
    void addItems(QMenu *menu, std::initializer_list<MenuItem> items);

    // Wiring each concern to the controls; the constructor calls them in this order.
    void setupNodeMoves();
    void setupNodeClipboard();
    void setupFileCommands();
    void setupEditCommands();
    void setupRun();
    void setupNodeView();
    void setupMacroEditor();
    void setupColouring();
    void setupCommandState();
    void setupViews();
    void setupOptionHandlers();

    // Start-up and shutdown.
    void trimDblClickActions();
    void loadOptions(bool hasCommandLineArgument);
    void optionsToControls();
    void controlsToOptions();
    // Opens the table to open at start; true when the handed-over file is to be offered
    // for import once the window runs.
    bool openTableAtStart();
    void cbRunOnStartClick();
    // The recent-files list at the end of the File menu, loaded from Registry; it shows full
    // paths as cbFullPathMRU says.
    void createRecentFiles(Registry &registry);
    void cbFullPathMRUClick();
    // The menu font on the main menu and every menu of the window.
    void applyMenuFont();
    // The user's choice of check interval: the day of the launcher's next check is stored.
    void cbUpdateIntervalChange(int index);

    // The tree and the node view.
    void showSettingsPage();
    // RootNode of a new tree focused and selected alone, and the settings page in front.
    void showNewRoot(ConnectionNode *root);
    void VTCreateEditor(QLineEdit *editor);
    // The rename rules for a text the in-place editor ended with.
    void VTNewText(ConnectionNode *node, const QString &newText);
    void VTCollapsed(ConnectionNode *node);
    void showLastUpdated(const ConnectionNode *node);
    // Panel 0 takes LastUpdated when it is not empty and not shown already.
    void noteLastUpdated(const QByteArray &lastUpdated);
    // The pages that show the focused connection, in the order they are filled.
    std::array<NodePage *, 4> nodePages() const;
    // A page reports the user's edit: the node holds unapplied edits.
    void pageEdited();
    // The apply question for CurrentNode: true when the caller may go on (Yes applied, No
    // dropped), false after Cancel.
    bool askApplyBeforeLeaving();
    Prompter::Answer askApplyQuestion(const ConnectionNode *node);
    QByteArray ReadTeraTermColors() const;
    // The macro editor's colouring follows the option: syntax highlighting, or the focused
    // connection's stored colours (TeraTerm's without one); the highlighter page is covered
    // while the editor shows connection colours.
    void rbUseColorInEditorClick();

    // Command state: the refresh's inputs and outputs, the focused control, the context menu.
    // The refresh proper: page data when the tree has the focus, then every command's state.
    void Timer1Timer();
    void fillCommandInputs(CommandStateInputs &in) const;
    void applyCommandStates(const CommandStates &states);
    // The inputs of the moment, after a refresh still waiting for its timer has run.
    CommandStateInputs inputsOfNow();
    // The menus copy the states the last refresh left when they open.
    void applyMenuStates();
    void pmTVPopup();
    void readClipboardState();
    void hookContextMenu(QWidget *control);
    void showTreePopup(QWidget *control, const QPoint &pos);
    QWidget *editorWithFocus() const;
    // The user-data and schedule fields in the order Edit1 to Edit10, and which of them
    // Widget is (None for any other control).
    std::array<QWidget *, 10> textFields() const;
    FocusWidget textFieldAt(const QWidget *widget) const;
    void showActiveLine(int focusedEditorId);

    // Status bar.
    QString panelText(int panel) const;
    void setPanelText(int panel, const QString &text);
    void documentStateChanged();
    void UpdateKeyIndicators();
    void FormKeyUp(int key, bool autoRepeat);

    // File commands: the window's side of a new table, of a table read and of a table written.
    void showNewTable();
    void resetPagesForNewTable();
    void showTableRead(const TableReadResult &read);
    // After an open from the menu or the recent files tried to read a table.
    void showTableOpened(const TableReadResult &read);
    void tableWritten();
    void focusTree();

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

    // Connection commands and moves.
    // The new-connection defaults as the "New Connections" settings page shows them.
    NewConnectionDefaults newConnectionDefaults() const;
    void addConnection(AddMode mode);
    void showMovedFocus();

    // Running connections.
    // What the pages hold for a run of Node: user data, the macro editor's text (to the caret
    // with ToCursor), the run options, and Node's colours and logging choice: the pages' while
    // Node is CurrentNode with unapplied edits, else its stored ones.
    RunContext buildRunContext(const ConnectionNode *node, bool toCursor) const;
    void runFocused(bool wholeMacro, bool withAncestors, const QString &exportFile = {});

    // Printing: the connection's path text for the header, and the printers read anew each
    // time the program becomes active.
    QString currentNodePathText() const;
    void ApplicationEvents1Activate();

    MessageBoxPrompter m_ownPrompter;
    Prompter *m_prompter;
    GuiTableHost m_host;
    TableDocument m_doc;
    ProgramOptions m_options;
    bool m_insertMode = true;
    MacroAttributeSet m_attributes;
    Clock m_applyClock;
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
    StatusPanels *SBar = nullptr;

    // The menus whose opening works out their items' states, the toolbar, the context menu
    // of the tree, the editors and the fields, and the commands the window itself refers to.
    QMenu *MnFile = nullptr, *MnEdit = nullptr, *Search1 = nullptr, *MnConnection = nullptr, *MnMacro = nullptr;
    QToolBar *CBar = nullptr;
    QMenu *pmTV = nullptr;
    QAction *BtnNewTable = nullptr, *BtnSaveTable = nullptr, *BtnPrint = nullptr, *BtnCut = nullptr;
    QAction *BtnAddChild = nullptr, *BtnAddSibl = nullptr, *BtnDelete = nullptr, *BtnApply = nullptr;
    QAction *MnVTHide = nullptr, *MnVTMaximize = nullptr, *MnVTRestore = nullptr;
    QAction *mnRestore = nullptr;
    // Each command with the state flag that enables it.
    std::vector<std::pair<QAction *, bool MenuStates::*>> m_menuItems;
    std::vector<std::pair<QAction *, bool CommandStates::*>> m_buttons;
    std::vector<PopupCommand> m_popupItems;

    // Start-up and shutdown.
    ShellServices *m_shell = nullptr;
    HandOverReceiver *m_handOver = nullptr;
    WindowGeometryRecorder *m_geometry = nullptr;

    // The View and Help menus and the option pages' dialogs.
    ViewCommands *m_views = nullptr;
    HelpCommands m_help{*m_prompter};
    StyleDialogs m_ownStyleDialogs;
    StyleDialogs *m_styleDialogs = &m_ownStyleDialogs;
    bool m_destroyed = false;
    QPointer<TForm2> m_updateWindow;

    TreeClipboard *m_treeClipboard = nullptr;
    TextFieldFilter *m_overwritingFields = nullptr;
    RunCommands *m_runCommands = nullptr;
    MacroPrintCommands *m_printing = nullptr;
    // The association of table files with the program, which the General page shows.
    std::unique_ptr<TMILAssociate> MILAssociate1;
    QPointer<TForm4> Form4;
    QPointer<TForm6> Form6;
    // The file dialogs, the recent files and the file commands. Held through a pointer whose
    // deleter is fixed where the parts are made, so this header needs none of their types.
    std::shared_ptr<TForm1FileSide> m_fileSide;
    friend struct TForm1FileSide;

    // Command state.
    QTimer *Timer1 = nullptr;
    // Asks a close again that came while a file was read.
    QTimer *m_closeRetry = nullptr;
    CommandStates m_commandStates;
    bool m_clipboardHasText = false;
    bool m_clipboardHasNodes = false;
    // The last control of this window that had the focus, for while the menu bar holds it.
    QPointer<QWidget> m_lastFocus;
    // A refresh waiting with the tree focused will show the focused node's values.
    bool m_showNodeWhenRefreshed = false;
};
