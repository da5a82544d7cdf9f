#include "mainwindow/core/CommandState.h"

#include "mainwindow/core/FocusedEditor.h"

namespace {

bool treeHasFocus(const CommandStateInputs &in)
{
    return in.focusedEditorId == FocusedEditorId::Tree;
}

bool textEditorHasFocus(const CommandStateInputs &in)
{
    const int id = in.focusedEditorId;
    return id == FocusedEditorId::Macro || id == FocusedEditorId::Popup
        || id == FocusedEditorId::InPlaceEditor || IsFieldEditorId(id);
}

// Run needs one shown connection: exactly one node selected, and that node the focused
// one, so the macro editor holds its text and not the last one shown before the pages were
// covered.
bool canRun(const CommandStateInputs &in)
{
    const FocusedNodeFacts &f = in.focused;
    return in.macroEditorHasText && in.selectedCount == 1 && !in.rootSelected && f.present
        && f.selected && !f.isRoot && !f.isSeparator;
}

bool printerReady(const CommandStateInputs &in)
{
    return in.hasPrinters && in.printerIndex >= 0;
}

} // namespace

bool RefreshShowsFocusedNodeData(const CommandStateInputs &in)
{
    return treeHasFocus(in) || in.noColorsHasFocus;
}

CommandStates ComputeCommandStates(const CommandStateInputs &in, const CommandStates &previous)
{
    const FocusedNodeFacts &f = in.focused;
    CommandStates s = previous;
    s.caretPositionEditor = 0;
    if (treeHasFocus(in) && !f.present)
        return s;

    const bool tree = treeHasFocus(in);
    const bool oneSelected = in.selectedCount == 1;

    s.BtnNewTable = in.rootHasChildren;
    s.BtnSaveTable = in.tableModified;
    s.BtnSaveAsTable = s.BtnNewTable;
    s.BtnUp = tree && oneSelected && f.present && f.hasPrevSibling;
    s.BtnDown = tree && oneSelected && f.present && f.hasNextSibling;
    s.BtnDelete = tree && in.selectedCount >= 1 && !in.rootSelected;

    switch (in.focusedEditorId) {
    case FocusedEditorId::Tree:
        s.BtnUndo = false;
        s.BtnCopy = f.present && !in.rootSelected && in.selectedCount >= 1;
        s.BtnPaste = tree && in.selectedCount >= 1 && in.clipboardHasTreeData;
        break;
    case FocusedEditorId::None:
        s.BtnUndo = false;
        s.BtnCopy = false;
        s.BtnPaste = in.clipboardHasText;
        break;
    default:
        if (textEditorHasFocus(in)) {
            s.BtnUndo = in.editorCanUndo;
            s.BtnCopy = in.editorSelectionLength >= 1;
        } else {
            s.BtnUndo = false;
            s.BtnCopy = false;
        }
        s.BtnPaste = in.clipboardHasText;
        if (in.focusedEditorId == FocusedEditorId::Macro || in.focusedEditorId == FocusedEditorId::Popup)
            s.caretPositionEditor = in.focusedEditorId;
        break;
    }
    s.BtnCut = s.BtnCopy;

    s.BtnExec = canRun(in);
    const bool print = s.BtnExec && in.pageControlVisible && printerReady(in);
    if (print != previous.BtnPrint)
        s.BtnPrintPreview = print;
    s.BtnPrint = print;
    s.BtnExecSel = s.BtnExec && in.focusedEditorId == FocusedEditorId::Macro;
    s.BtnExecAll = s.BtnExec && f.level > 1 && f.ancestorHasMacro;
    s.bParentColors = s.BtnExec && f.level > 1 && in.colorSetText != f.parentColors;
    s.BtnExecBrSel = s.BtnExecAll && s.BtnExecSel;
    s.BtnApply = in.nodeModified && f.present;
    s.BtnAddChild = tree && f.present && oneSelected && !f.isSeparator;
    s.BtnAddSibl = tree && f.present && oneSelected && !f.isRoot;

    const auto &c = in.sampleColors;
    const bool allSame = c[0] == c[1] && c[1] == c[2] && c[2] == c[3];
    s.bSameBkgrColor = in.backgroundElementChecked && !allSame;

    s.printHint = PrintHint(in.hasPrinters, in.printerIndex, in.printerName);
    return s;
}

MenuStates ComputeMenuStates(const CommandStates &b, const CommandStateInputs &in)
{
    const FocusedNodeFacts &f = in.focused;
    const bool macroPage = in.activePageIndex == 1;
    MenuStates m;

    m.MnNewTable = b.BtnNewTable;
    m.MnOpenTable = b.BtnOpenTable;
    m.MnSaveTable = b.BtnSaveTable;
    m.MnSaveAsTable = b.BtnSaveAsTable;
    m.MnImportMacro = !in.macroPanelShown && macroPage;
    m.MnExportMacro = !in.macroPanelShown && in.macroEditorHasText && macroPage;
    m.MnImport = true;
    m.MnExport = in.selectedCount >= 2 || (in.selectedCount == 1 && !in.macroPanelShown);
    m.MnImportTemplate = m.MnImportMacro;
    m.MnPrinterSetup = in.printerCount >= 1;
    m.MnPrintPreview = b.BtnPrintPreview;
    m.MnPrint = b.BtnPrint;

    m.MnUndo = b.BtnUndo;
    m.MnCut = b.BtnCut;
    m.MnCopy = b.BtnCopy;
    m.MnPaste = b.BtnPaste;
    m.MnSelectAll = CanSelectAllInFocused(in);
    m.MnFind = in.canFind;
    m.MnFindNext = in.canFindAgain;
    m.MnFindPrev = in.canFindAgain;
    m.MnReplace = in.canFind;

    m.MnAddChild = b.BtnAddChild;
    m.mnAddSibling = b.BtnAddSibl;
    m.MnDelete = b.BtnDelete;
    m.MnUp = b.BtnUp;
    m.MnDown = b.BtnDown;
    // Duplicate copies the focused node, so there must be one.
    m.MnDuplicate = f.present && !f.isRoot && in.selectedCount == 1 && !in.treeHidden;
    m.mnAddSepLine = !in.treeHidden;
    m.mnApply = b.BtnApply;
    m.MnCollapseAll = !m.mnApply && !in.treeHidden;
    m.MnExpandAll = !in.treeHidden;

    m.MnExecSel = b.BtnExecSel;
    m.MnExecute = b.BtnExec;
    m.MnExecBrSel = b.BtnExecBrSel;
    m.MnExecuteAll = b.BtnExecAll;
    m.MnShowPopup = !in.popupPanelShown && in.popupEditorHasText && in.activePageIndex == 2;
    m.mnRunAllSel = !in.rootSelected && !in.nodeModified && in.selectionHasRunnableMacros
        && in.selectedCount > 1 && !in.runAllSelectedRunning;
    return m;
}

PopupStates ComputePopupStates(const CommandStates &b, const CommandStateInputs &in)
{
    const FocusedNodeFacts &f = in.focused;
    PopupStates p;
    p.pmUndo = b.BtnUndo;
    p.pmCut = b.BtnCut;
    p.pmCopy = b.BtnCopy;
    p.pmPaste = b.BtnPaste;
    p.pmSelectAll = CanSelectAllInFocused(in);
    p.pmRun = b.BtnExec;
    p.pmRunBranch = b.BtnExecAll;

    p.treeItemsVisible = treeHasFocus(in);
    if (p.treeItemsVisible) {
        const bool focusedConnection = f.present && !f.isRoot;
        p.pmAddChild = b.BtnAddChild;
        p.pmAddSibl = b.BtnAddSibl;
        p.pmDelete = b.BtnDelete;
        p.pmUp = b.BtnUp;
        p.pmDown = b.BtnDown;
        p.pmDuplicate = focusedConnection && in.selectedCount == 1;
        p.pmAddSepLine = focusedConnection && f.selected;
    }
    return p;
}

bool CanSelectAllInFocused(const CommandStateInputs &in)
{
    const int id = in.focusedEditorId;
    if (id == FocusedEditorId::Tree)
        return in.totalNodeCount > in.selectedCount;
    if (id == FocusedEditorId::InPlaceEditor)
        return in.editorTextLength != in.editorSelectionLength;
    if (id == FocusedEditorId::Macro || id == FocusedEditorId::Popup || IsFieldEditorId(id))
        return in.editorTextLength != 0 && in.editorTextLength != in.editorSelectionLength;
    return false;
}

QString PrintHint(bool hasPrinters, int printerIndex, const QString &printerName)
{
    if (!hasPrinters || printerIndex < 0)
        return QStringLiteral("No default printer.");
    return QStringLiteral("Print (") + printerName + QStringLiteral(")|Print the document on ") + printerName;
}

HintTexts SplitHint(const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return {hint, hint};
    return {hint.left(bar), hint.mid(bar + 1)};
}

bool IsBlankText(const QString &text)
{
    for (const QChar c : text)
        if (c.unicode() > 32)
            return false;
    return true;
}

bool IsBlankText(const QByteArray &text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) > 32)
            return false;
    return true;
}
