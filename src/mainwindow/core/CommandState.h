#pragma once

#include <QByteArray>
#include <QString>

#include <array>

// The enabled state of the main window's commands, worked out in one place from plain facts
// the window reads off its tree, pages, editors, clipboard and printers. The window maps the
// results onto its buttons and menu items; nothing here touches a widget.

// The tree's focused node, as the rules read it.
struct FocusedNodeFacts
{
    bool present = false;
    bool isRoot = false;
    bool isSeparator = false;      // its Name begins with "-"
    bool selected = false;
    int level = 0;
    bool hasPrevSibling = false;
    bool hasNextSibling = false;
    // Some ancestor below the tree's invisible top has a stored Macro not empty after trimming.
    bool ancestorHasMacro = false;
    QByteArray parentColors;       // the parent's stored Colors text
};

struct CommandStateInputs
{
    int focusedEditorId = -1;      // GetFocusedEditorId
    bool noColorsHasFocus = false; // the check box cbNoColors ("Disable color support")

    FocusedNodeFacts focused;
    int selectedCount = 0;
    bool rootSelected = false;
    int totalNodeCount = 0;        // every node, those in collapsed branches included
    bool rootHasChildren = false;
    bool treeHidden = false;       // MnVTHide checked

    bool tableModified = false;    // the "*" of the caption
    bool nodeModified = false;     // "Modified" in status panel 2

    bool clipboardHasText = false;
    bool clipboardHasTreeData = false; // the tree's own node format

    // The focused text control (ids 1 to 13): undo, text and selection lengths in one unit.
    bool editorCanUndo = false;
    int editorTextLength = 0;
    int editorSelectionLength = 0;

    bool macroEditorHasText = false; // Memo1's text, trimmed, is not empty
    bool popupEditorHasText = false; // Memo2's text, trimmed, is not empty
    bool macroPanelShown = false;    // TS1Panel, the "N/A" cover of the macro page
    bool popupPanelShown = false;    // TS2Panel
    bool pageControlVisible = true;  // PG
    int activePageIndex = 0;         // PG: 1 "Macro", 2 "Popup"
    // The Search menu as the macro editor's search works it out: Find and Replace, and Find
    // Next and Find Previous, which also need a search text kept.
    bool canFind = false;
    bool canFindAgain = false;

    // The Colours page: the text form of the set it shows, RB4 ("Background") and the four
    // sample panels Normal, Bold, Blink, URL.
    QByteArray colorSetText;
    bool backgroundElementChecked = false;
    std::array<quint32, 4> sampleColors{};

    int printerCount = -1;           // PrinterCount
    bool hasPrinters = false;        // HasPrinters without a refresh
    int printerIndex = -1;           // the current printer, -1 for none
    QString printerName;

    // No selected node below RootNode is a separator or has an empty Macro.
    bool selectionHasRunnableMacros = false;
    // A "Run all selected" sequence is still starting its connections.
    bool runAllSelectedRunning = false;
};

// One flag per toolbar button and page button the refresh sets.
struct CommandStates
{
    bool BtnNewTable = false;
    bool BtnOpenTable = true;      // never changed by a refresh
    bool BtnSaveTable = false;
    bool BtnSaveAsTable = false;
    bool BtnUp = false;
    bool BtnDown = false;
    bool BtnDelete = false;
    bool BtnUndo = false;
    bool BtnCut = false;
    bool BtnCopy = false;
    bool BtnPaste = false;
    bool BtnExec = false;
    bool BtnPrint = false;
    bool BtnPrintPreview = false;
    bool BtnExecSel = false;
    bool BtnExecAll = false;
    bool bParentColors = false;
    bool BtnExecBrSel = false;
    bool BtnApply = false;
    bool BtnAddChild = false;
    bool BtnAddSibl = false;
    bool bSameBkgrColor = false;
    // "Print (name)|Print the document on name" or "No default printer."; the part before
    // "|" is the tool tip, the part after it the status text.
    QString printHint = QStringLiteral("No default printer.");
    // 1 or 2 when the refresh shows that editor's caret position in status panel 1; 0 leaves
    // the panel to the editors' focus events.
    int caretPositionEditor = 0;

    bool operator==(const CommandStates &) const = default;
};

// The items of the four top-level menus, set when a menu opens.
struct MenuStates
{
    // File
    bool MnNewTable = false;
    bool MnOpenTable = false;
    bool MnSaveTable = false;
    bool MnSaveAsTable = false;
    bool MnImportMacro = false;
    bool MnExportMacro = false;
    bool MnImport = false;
    bool MnExport = false;
    bool MnImportTemplate = false;
    bool MnPrinterSetup = false;
    bool MnPrintPreview = false;
    bool MnPrint = false;
    // Edit
    bool MnUndo = false;
    bool MnCut = false;
    bool MnCopy = false;
    bool MnPaste = false;
    bool MnSelectAll = false;
    bool MnFind = false;
    bool MnFindNext = false;
    bool MnFindPrev = false;
    bool MnReplace = false;
    // Connection
    bool MnAddChild = false;
    bool mnAddSibling = false;
    bool MnDelete = false;
    bool MnUp = false;
    bool MnDown = false;
    bool MnDuplicate = false;
    bool mnAddSepLine = false;
    bool mnApply = false;
    bool MnCollapseAll = false;
    bool MnExpandAll = false;
    // Actions
    bool MnExecSel = false;
    bool MnExecute = false;
    bool MnExecBrSel = false;
    bool MnExecuteAll = false;
    bool MnShowPopup = false;
    bool mnRunAllSel = false;

    bool operator==(const MenuStates &) const = default;
};

// The shared context menu of the tree, the editors and the add buttons.
struct PopupStates
{
    bool pmUndo = false;
    bool pmCut = false;
    bool pmCopy = false;
    bool pmPaste = false;
    bool pmSelectAll = false;
    bool pmRun = false;
    bool pmRunBranch = false;
    // The tree's own items show only when the menu opened on the tree; hidden, they are off.
    bool treeItemsVisible = false;
    bool pmAddChild = false;
    bool pmAddSibl = false;
    bool pmDuplicate = false;
    bool pmDelete = false;
    bool pmAddSepLine = false;
    bool pmUp = false;
    bool pmDown = false;

    bool operator==(const PopupStates &) const = default;
};

// The refresh first shows the focused node's values when the tree or cbNoColors has the
// focus; the window does that before it reads the facts for the states.
bool RefreshShowsFocusedNodeData(const CommandStateInputs &in);

// The toolbar and page buttons after a refresh. With the tree focused and no focused node
// nothing changes, so Previous comes back whole; BtnPrintPreview follows BtnPrint only when
// BtnPrint changes.
CommandStates ComputeCommandStates(const CommandStateInputs &in, const CommandStates &previous);

// The menu items: those that mirror a button take the state the last refresh left.
MenuStates ComputeMenuStates(const CommandStates &buttons, const CommandStateInputs &in);

// The context menu, after the refresh it waits for.
PopupStates ComputePopupStates(const CommandStates &buttons, const CommandStateInputs &in);

// Whether Select All would select anything more in the focused control.
bool CanSelectAllInFocused(const CommandStateInputs &in);

// The print button's hint for the current printer.
QString PrintHint(bool hasPrinters, int printerIndex, const QString &printerName);

// A hint's two texts: the tool tip before "|" and the status-bar text after it; a hint
// without "|" is both.
struct HintTexts
{
    QString toolTip;
    QString statusTip;
};
HintTexts SplitHint(const QString &hint);

// Text empty once characters up to the blank (line breaks included) are cut off both ends.
bool IsBlankText(const QString &text);
bool IsBlankText(const QByteArray &text);
