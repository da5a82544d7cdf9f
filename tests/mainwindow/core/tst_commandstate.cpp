#include "mainwindow/core/CommandState.h"
#include "mainwindow/core/CommandStateFacts.h"
#include "mainwindow/core/ContrastColor.h"
#include "mainwindow/core/FocusedEditor.h"
#include "support/FakeTableHost.h"
#include "table/ConnectionTree.h"
#include "table/TableDocument.h"
#include "table/TreeSelection.h"

#include <QHash>
#include <QtTest>

Q_DECLARE_METATYPE(CommandStateInputs)
Q_DECLARE_METATYPE(CommandStates)
Q_DECLARE_METATYPE(FocusWidget)

namespace {

// The tree has the focus; a level-2 connection with a previous and a next sibling is the
// focused and only selected node; the macro editor holds text; a printer is ready; the
// colours page shows a set other than the parent's; both clipboards are filled.
CommandStateInputs runnable()
{
    CommandStateInputs in;
    in.focusedEditorId = FocusedEditorId::Tree;
    in.focused.present = true;
    in.focused.selected = true;
    in.focused.level = 2;
    in.focused.hasPrevSibling = true;
    in.focused.hasNextSibling = true;
    in.focused.ancestorHasMacro = true;
    in.focused.parentColors = "1:2:3";
    in.colorSetText = "4:5:6";
    in.selectedCount = 1;
    in.totalNodeCount = 5;
    in.rootHasChildren = true;
    in.clipboardHasText = true;
    in.clipboardHasTreeData = true;
    in.macroEditorHasText = true;
    in.pageControlVisible = true;
    in.activePageIndex = 1;
    in.hasPrinters = true;
    in.printerIndex = 0;
    in.printerCount = 1;
    in.printerName = QStringLiteral("Office");
    return in;
}

template <class F>
CommandStateInputs with(CommandStateInputs in, F change)
{
    change(in);
    return in;
}

CommandStateInputs focusedOn(CommandStateInputs in, int id)
{
    in.focusedEditorId = id;
    return in;
}

const QHash<QString, bool CommandStates::*> &buttonFields()
{
    static const QHash<QString, bool CommandStates::*> fields = {
        {"BtnNewTable", &CommandStates::BtnNewTable},     {"BtnOpenTable", &CommandStates::BtnOpenTable},
        {"BtnSaveTable", &CommandStates::BtnSaveTable},   {"BtnSaveAsTable", &CommandStates::BtnSaveAsTable},
        {"BtnUp", &CommandStates::BtnUp},                 {"BtnDown", &CommandStates::BtnDown},
        {"BtnDelete", &CommandStates::BtnDelete},         {"BtnUndo", &CommandStates::BtnUndo},
        {"BtnCut", &CommandStates::BtnCut},               {"BtnCopy", &CommandStates::BtnCopy},
        {"BtnPaste", &CommandStates::BtnPaste},           {"BtnExec", &CommandStates::BtnExec},
        {"BtnPrint", &CommandStates::BtnPrint},           {"BtnPrintPreview", &CommandStates::BtnPrintPreview},
        {"BtnExecSel", &CommandStates::BtnExecSel},       {"BtnExecAll", &CommandStates::BtnExecAll},
        {"bParentColors", &CommandStates::bParentColors}, {"BtnExecBrSel", &CommandStates::BtnExecBrSel},
        {"BtnApply", &CommandStates::BtnApply},           {"BtnAddChild", &CommandStates::BtnAddChild},
        {"BtnAddSibl", &CommandStates::BtnAddSibl},       {"bSameBkgrColor", &CommandStates::bSameBkgrColor},
    };
    return fields;
}

const QHash<QString, bool MenuStates::*> &menuFields()
{
    static const QHash<QString, bool MenuStates::*> fields = {
        {"MnNewTable", &MenuStates::MnNewTable},       {"MnOpenTable", &MenuStates::MnOpenTable},
        {"MnSaveTable", &MenuStates::MnSaveTable},     {"MnSaveAsTable", &MenuStates::MnSaveAsTable},
        {"MnImportMacro", &MenuStates::MnImportMacro}, {"MnExportMacro", &MenuStates::MnExportMacro},
        {"MnImport", &MenuStates::MnImport},           {"MnExport", &MenuStates::MnExport},
        {"MnImportTemplate", &MenuStates::MnImportTemplate},
        {"MnPrinterSetup", &MenuStates::MnPrinterSetup},
        {"MnPrintPreview", &MenuStates::MnPrintPreview}, {"MnPrint", &MenuStates::MnPrint},
        {"MnUndo", &MenuStates::MnUndo},               {"MnCut", &MenuStates::MnCut},
        {"MnCopy", &MenuStates::MnCopy},               {"MnPaste", &MenuStates::MnPaste},
        {"MnSelectAll", &MenuStates::MnSelectAll},     {"MnFind", &MenuStates::MnFind},
        {"MnFindNext", &MenuStates::MnFindNext},       {"MnFindPrev", &MenuStates::MnFindPrev},
        {"MnReplace", &MenuStates::MnReplace},         {"MnAddChild", &MenuStates::MnAddChild},
        {"mnAddSibling", &MenuStates::mnAddSibling},   {"MnDelete", &MenuStates::MnDelete},
        {"MnUp", &MenuStates::MnUp},                   {"MnDown", &MenuStates::MnDown},
        {"MnDuplicate", &MenuStates::MnDuplicate},     {"mnAddSepLine", &MenuStates::mnAddSepLine},
        {"mnApply", &MenuStates::mnApply},             {"MnCollapseAll", &MenuStates::MnCollapseAll},
        {"MnExpandAll", &MenuStates::MnExpandAll},     {"MnExecSel", &MenuStates::MnExecSel},
        {"MnExecute", &MenuStates::MnExecute},         {"MnExecBrSel", &MenuStates::MnExecBrSel},
        {"MnExecuteAll", &MenuStates::MnExecuteAll},   {"MnShowPopup", &MenuStates::MnShowPopup},
        {"mnRunAllSel", &MenuStates::mnRunAllSel},
    };
    return fields;
}

const QHash<QString, bool PopupStates::*> &popupFields()
{
    static const QHash<QString, bool PopupStates::*> fields = {
        {"pmUndo", &PopupStates::pmUndo},           {"pmCut", &PopupStates::pmCut},
        {"pmCopy", &PopupStates::pmCopy},           {"pmPaste", &PopupStates::pmPaste},
        {"pmSelectAll", &PopupStates::pmSelectAll}, {"pmRun", &PopupStates::pmRun},
        {"pmRunBranch", &PopupStates::pmRunBranch}, {"treeItemsVisible", &PopupStates::treeItemsVisible},
        {"pmAddChild", &PopupStates::pmAddChild},   {"pmAddSibl", &PopupStates::pmAddSibl},
        {"pmDuplicate", &PopupStates::pmDuplicate}, {"pmDelete", &PopupStates::pmDelete},
        {"pmAddSepLine", &PopupStates::pmAddSepLine}, {"pmUp", &PopupStates::pmUp},
        {"pmDown", &PopupStates::pmDown},
    };
    return fields;
}

// Every button on and a hint of its own, to see what a refresh leaves alone.
CommandStates allOn()
{
    CommandStates s;
    for (auto field : buttonFields())
        s.*field = true;
    s.printHint = QStringLiteral("earlier hint");
    return s;
}

} // namespace

class TestCommandState : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void buttons_data();
    void buttons();
    void undoCopyPasteByEditor_data();
    void undoCopyPasteByEditor();
    void treeFocusedWithoutFocusedNodeChangesNothing();
    void printPreviewFollowsPrintOnlyWhenItChanges_data();
    void printPreviewFollowsPrintOnlyWhenItChanges();
    void printHint_data();
    void printHint();
    void caretPositionEditor_data();
    void caretPositionEditor();
    void menus_data();
    void menus();
    void popup_data();
    void popup();
    void canSelectAll_data();
    void canSelectAll();
    void focusedEditorId_data();
    void focusedEditorId();
    void refreshDeferredForTreeAndInPlaceEditor();
    void refreshShowsFocusedNodeData();
    void contrastColor_data();
    void contrastColor();
    void blankText_data();
    void blankText();
    void treeFacts();
};

void TestCommandState::buttons_data()
{
    QTest::addColumn<CommandStateInputs>("in");
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("enabled");

    const CommandStateInputs base = runnable();
    const CommandStateInputs rootFocused = with(base, [](auto &in) {
        in.focused.isRoot = true;
        in.focused.level = 0;
        in.focused.hasPrevSibling = in.focused.hasNextSibling = false;
        in.focused.ancestorHasMacro = false;
        in.rootSelected = true;
    });
    const CommandStateInputs separator = with(base, [](auto &in) { in.focused.isSeparator = true; });
    const CommandStateInputs twoSelected = with(base, [](auto &in) { in.selectedCount = 2; });
    const CommandStateInputs nothingFocused = with(focusedOn(base, FocusedEditorId::None),
                                                   [](auto &in) { in.focused = FocusedNodeFacts{}; });

    QTest::newRow("BtnNewTable: RootNode has a child") << base << "BtnNewTable" << true;
    QTest::newRow("BtnNewTable: RootNode alone")
        << with(base, [](auto &in) { in.rootHasChildren = false; }) << "BtnNewTable" << false;
    QTest::newRow("BtnOpenTable: always") << nothingFocused << "BtnOpenTable" << true;
    QTest::newRow("BtnSaveTable: table modified")
        << with(base, [](auto &in) { in.tableModified = true; }) << "BtnSaveTable" << true;
    QTest::newRow("BtnSaveTable: table unchanged") << base << "BtnSaveTable" << false;
    QTest::newRow("BtnSaveAsTable: RootNode has a child") << base << "BtnSaveAsTable" << true;
    QTest::newRow("BtnSaveAsTable: RootNode alone, table modified")
        << with(base, [](auto &in) { in.rootHasChildren = false; in.tableModified = true; })
        << "BtnSaveAsTable" << false;

    QTest::newRow("BtnUp: one node with a previous sibling") << base << "BtnUp" << true;
    QTest::newRow("BtnUp: first child")
        << with(base, [](auto &in) { in.focused.hasPrevSibling = false; }) << "BtnUp" << false;
    QTest::newRow("BtnUp: two selected") << twoSelected << "BtnUp" << false;
    QTest::newRow("BtnUp: macro editor focused") << focusedOn(base, 1) << "BtnUp" << false;
    QTest::newRow("BtnDown: one node with a next sibling") << base << "BtnDown" << true;
    QTest::newRow("BtnDown: last child")
        << with(base, [](auto &in) { in.focused.hasNextSibling = false; }) << "BtnDown" << false;
    QTest::newRow("BtnDown: two selected") << twoSelected << "BtnDown" << false;
    QTest::newRow("BtnDown: in-place editor focused") << focusedOn(base, 11) << "BtnDown" << false;

    QTest::newRow("BtnDelete: one connection") << base << "BtnDelete" << true;
    QTest::newRow("BtnDelete: several connections") << twoSelected << "BtnDelete" << true;
    QTest::newRow("BtnDelete: RootNode among them") << rootFocused << "BtnDelete" << false;
    QTest::newRow("BtnDelete: nothing selected")
        << with(base, [](auto &in) { in.selectedCount = 0; in.focused.selected = false; })
        << "BtnDelete" << false;
    QTest::newRow("BtnDelete: popup editor focused") << focusedOn(base, 2) << "BtnDelete" << false;

    QTest::newRow("BtnPaste: field, text on the clipboard") << focusedOn(base, 4) << "BtnPaste" << true;
    QTest::newRow("BtnPaste: no editor, text on the clipboard") << nothingFocused << "BtnPaste" << true;
    QTest::newRow("BtnPaste: field, only nodes on the clipboard")
        << with(focusedOn(base, 4), [](auto &in) { in.clipboardHasText = false; }) << "BtnPaste" << false;
    QTest::newRow("BtnCut: follows Copy, editor selection")
        << with(focusedOn(base, 1), [](auto &in) { in.editorSelectionLength = 3; }) << "BtnCut" << true;
    QTest::newRow("BtnCut: follows Copy, RootNode selected") << rootFocused << "BtnCut" << false;

    QTest::newRow("BtnExec: one connection with macro text") << base << "BtnExec" << true;
    QTest::newRow("BtnExec: macro editor blank, stored macro not")
        << with(base, [](auto &in) { in.macroEditorHasText = false; })
        << "BtnExec" << false;
    QTest::newRow("BtnExec: two selected") << twoSelected << "BtnExec" << false;
    QTest::newRow("BtnExec: RootNode selected") << rootFocused << "BtnExec" << false;
    QTest::newRow("BtnExec: separator") << separator << "BtnExec" << false;
    QTest::newRow("BtnExec: no focused node, tree not focused") << nothingFocused << "BtnExec" << false;
    QTest::newRow("BtnExec: the one selected node is not the focused one")
        << with(base, [](auto &in) { in.focused.selected = false; }) << "BtnExec" << false;
    QTest::newRow("BtnExec: macro editor focused") << focusedOn(base, 1) << "BtnExec" << true;

    QTest::newRow("BtnPrint: run possible, printer ready") << base << "BtnPrint" << true;
    QTest::newRow("BtnPrint: run not possible") << separator << "BtnPrint" << false;
    QTest::newRow("BtnPrint: page control hidden")
        << with(base, [](auto &in) { in.pageControlVisible = false; }) << "BtnPrint" << false;
    QTest::newRow("BtnPrint: no printers")
        << with(base, [](auto &in) { in.hasPrinters = false; }) << "BtnPrint" << false;
    QTest::newRow("BtnPrint: no current printer")
        << with(base, [](auto &in) { in.printerIndex = -1; }) << "BtnPrint" << false;

    QTest::newRow("BtnExecSel: macro editor focused") << focusedOn(base, 1) << "BtnExecSel" << true;
    QTest::newRow("BtnExecSel: tree focused") << base << "BtnExecSel" << false;
    QTest::newRow("BtnExecSel: macro editor blank")
        << with(focusedOn(base, 1), [](auto &in) { in.macroEditorHasText = false; }) << "BtnExecSel" << false;

    QTest::newRow("BtnExecAll: level 2, an ancestor has a macro") << base << "BtnExecAll" << true;
    QTest::newRow("BtnExecAll: top-level connection")
        << with(base, [](auto &in) { in.focused.level = 1; }) << "BtnExecAll" << false;
    QTest::newRow("BtnExecAll: every ancestor's macro empty")
        << with(base, [](auto &in) { in.focused.ancestorHasMacro = false; }) << "BtnExecAll" << false;
    QTest::newRow("BtnExecAll: run not possible") << twoSelected << "BtnExecAll" << false;

    QTest::newRow("bParentColors: shown set differs from the parent's") << base << "bParentColors" << true;
    QTest::newRow("bParentColors: shown set is the parent's")
        << with(base, [](auto &in) { in.colorSetText = in.focused.parentColors; }) << "bParentColors" << false;
    QTest::newRow("bParentColors: top-level connection")
        << with(base, [](auto &in) { in.focused.level = 1; }) << "bParentColors" << false;
    QTest::newRow("bParentColors: run not possible") << separator << "bParentColors" << false;

    QTest::newRow("BtnExecBrSel: branch and macro editor") << focusedOn(base, 1) << "BtnExecBrSel" << true;
    QTest::newRow("BtnExecBrSel: tree focused") << base << "BtnExecBrSel" << false;
    QTest::newRow("BtnExecBrSel: no ancestor macro")
        << with(focusedOn(base, 1), [](auto &in) { in.focused.ancestorHasMacro = false; })
        << "BtnExecBrSel" << false;

    QTest::newRow("BtnApply: unapplied edits, focused node")
        << with(focusedOn(base, 1), [](auto &in) { in.nodeModified = true; }) << "BtnApply" << true;
    QTest::newRow("BtnApply: no edits") << base << "BtnApply" << false;
    QTest::newRow("BtnApply: edits, no focused node")
        << with(nothingFocused, [](auto &in) { in.nodeModified = true; }) << "BtnApply" << false;

    QTest::newRow("BtnAddChild: connection") << base << "BtnAddChild" << true;
    QTest::newRow("BtnAddChild: RootNode") << rootFocused << "BtnAddChild" << true;
    QTest::newRow("BtnAddChild: separator") << separator << "BtnAddChild" << false;
    QTest::newRow("BtnAddChild: two selected") << twoSelected << "BtnAddChild" << false;
    QTest::newRow("BtnAddChild: macro editor focused") << focusedOn(base, 1) << "BtnAddChild" << false;
    QTest::newRow("BtnAddSibl: connection") << base << "BtnAddSibl" << true;
    QTest::newRow("BtnAddSibl: separator") << separator << "BtnAddSibl" << true;
    QTest::newRow("BtnAddSibl: RootNode") << rootFocused << "BtnAddSibl" << false;
    QTest::newRow("BtnAddSibl: two selected") << twoSelected << "BtnAddSibl" << false;
    QTest::newRow("BtnAddSibl: field focused") << focusedOn(base, 3) << "BtnAddSibl" << false;

    const auto samples = [](CommandStateInputs in, bool rb4, std::array<quint32, 4> colours) {
        in.backgroundElementChecked = rb4;
        in.sampleColors = colours;
        return in;
    };
    QTest::newRow("bSameBkgrColor: Background, panels differ")
        << samples(base, true, {1, 1, 1, 2}) << "bSameBkgrColor" << true;
    QTest::newRow("bSameBkgrColor: Background, panels alike")
        << samples(base, true, {7, 7, 7, 7}) << "bSameBkgrColor" << false;
    QTest::newRow("bSameBkgrColor: Foreground, panels differ")
        << samples(base, false, {1, 2, 3, 4}) << "bSameBkgrColor" << false;
}

void TestCommandState::buttons()
{
    QFETCH(CommandStateInputs, in);
    QFETCH(QString, control);
    QFETCH(bool, enabled);
    QVERIFY2(buttonFields().contains(control), qPrintable(control));
    for (const CommandStates &previous : {CommandStates{}, allOn()}) {
        const CommandStates s = ComputeCommandStates(in, previous);
        QCOMPARE(s.*buttonFields().value(control), enabled);
    }
}

void TestCommandState::undoCopyPasteByEditor_data()
{
    QTest::addColumn<CommandStateInputs>("in");
    QTest::addColumn<bool>("undo");
    QTest::addColumn<bool>("copy");
    QTest::addColumn<bool>("paste");

    const CommandStateInputs base = with(runnable(), [](auto &in) {
        in.editorCanUndo = true;
        in.editorSelectionLength = 2;
        in.editorTextLength = 10;
    });
    const auto nothing = [](CommandStateInputs in) {
        in.editorCanUndo = false;
        in.editorSelectionLength = 0;
        in.clipboardHasText = false;
        return in;
    };

    QTest::newRow("tree: never undo; nodes on the clipboard") << base << false << true << true;
    QTest::newRow("tree: RootNode selected")
        << with(base, [](auto &in) { in.rootSelected = true; in.selectedCount = 2; }) << false << false << true;
    QTest::newRow("tree: only text on the clipboard")
        << with(base, [](auto &in) { in.clipboardHasTreeData = false; }) << false << true << false;
    QTest::newRow("tree: nothing selected")
        << with(base, [](auto &in) { in.selectedCount = 0; }) << false << false << false;

    for (int id : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}) {
        QTest::addRow("editor %d: undo, selection, text", id)
            << focusedOn(base, id) << true << true << true;
        QTest::addRow("editor %d: nothing to undo, copy or paste", id)
            << nothing(focusedOn(base, id)) << false << false << false;
        QTest::addRow("editor %d: only nodes on the clipboard", id)
            << with(focusedOn(base, id), [](auto &in) { in.clipboardHasText = false; }) << true << true << false;
    }

    QTest::newRow("no editor: text on the clipboard") << focusedOn(base, -1) << false << false << true;
    QTest::newRow("no editor: empty clipboard") << nothing(focusedOn(base, -1)) << false << false << false;
}

void TestCommandState::undoCopyPasteByEditor()
{
    QFETCH(CommandStateInputs, in);
    QFETCH(bool, undo);
    QFETCH(bool, copy);
    QFETCH(bool, paste);
    const CommandStates s = ComputeCommandStates(in, allOn());
    QCOMPARE(s.BtnUndo, undo);
    QCOMPARE(s.BtnCopy, copy);
    QCOMPARE(s.BtnCut, copy);
    QCOMPARE(s.BtnPaste, paste);
}

void TestCommandState::treeFocusedWithoutFocusedNodeChangesNothing()
{
    CommandStateInputs in = runnable();
    in.focused = FocusedNodeFacts{};
    in.tableModified = true;
    in.hasPrinters = false;

    CommandStates previous = allOn();
    previous.BtnSaveTable = false;
    previous.BtnUp = false;
    QCOMPARE(ComputeCommandStates(in, previous), previous);

    // With any other control focused the same facts do change the states.
    QVERIFY(!(ComputeCommandStates(focusedOn(in, 1), previous) == previous));
}

void TestCommandState::printPreviewFollowsPrintOnlyWhenItChanges_data()
{
    QTest::addColumn<bool>("printBefore");
    QTest::addColumn<bool>("previewBefore");
    QTest::addColumn<bool>("printerReady");
    QTest::addColumn<bool>("preview");

    QTest::newRow("print turns on") << false << false << true << true;
    QTest::newRow("print turns off") << true << true << false << false;
    QTest::newRow("print stays on, preview stays off") << true << false << true << false;
    QTest::newRow("print stays off, preview stays on") << false << true << false << true;
}

void TestCommandState::printPreviewFollowsPrintOnlyWhenItChanges()
{
    QFETCH(bool, printBefore);
    QFETCH(bool, previewBefore);
    QFETCH(bool, printerReady);
    QFETCH(bool, preview);
    CommandStates previous;
    previous.BtnPrint = printBefore;
    previous.BtnPrintPreview = previewBefore;
    const CommandStateInputs in = with(runnable(), [&](auto &i) { i.hasPrinters = printerReady; });
    const CommandStates s = ComputeCommandStates(in, previous);
    QCOMPARE(s.BtnPrint, printerReady);
    QCOMPARE(s.BtnPrintPreview, preview);
}

void TestCommandState::printHint_data()
{
    QTest::addColumn<bool>("hasPrinters");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QString>("statusTip");

    QTest::newRow("current printer") << true << 0 << "Print (Office)|Print the document on Office"
                                     << "Print (Office)" << "Print the document on Office";
    QTest::newRow("printers, none current") << true << -1 << "No default printer." << "No default printer."
                                            << "No default printer.";
    QTest::newRow("no printers") << false << 0 << "No default printer." << "No default printer."
                                 << "No default printer.";
}

void TestCommandState::printHint()
{
    QFETCH(bool, hasPrinters);
    QFETCH(int, index);
    QFETCH(QString, hint);
    QFETCH(QString, toolTip);
    QFETCH(QString, statusTip);
    QCOMPARE(PrintHint(hasPrinters, index, QStringLiteral("Office")), hint);
    QCOMPARE(SplitHint(hint).toolTip, toolTip);
    QCOMPARE(SplitHint(hint).statusTip, statusTip);
    // The hint does not wait for a runnable connection.
    const CommandStateInputs in = with(runnable(), [&](auto &i) {
        i.focusedEditorId = -1;
        i.focused = FocusedNodeFacts{};
        i.hasPrinters = hasPrinters;
        i.printerIndex = index;
    });
    QCOMPARE(ComputeCommandStates(in, allOn()).printHint, hint);
}

void TestCommandState::caretPositionEditor_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("editor");
    QTest::newRow("macro editor") << 1 << 1;
    QTest::newRow("popup editor") << 2 << 2;
    QTest::newRow("tree") << 0 << 0;
    QTest::newRow("field") << 3 << 0;
    QTest::newRow("in-place editor") << 11 << 0;
    QTest::newRow("nothing") << -1 << 0;
}

void TestCommandState::caretPositionEditor()
{
    QFETCH(int, id);
    QFETCH(int, editor);
    CommandStates previous;
    previous.caretPositionEditor = 1;
    QCOMPARE(ComputeCommandStates(focusedOn(runnable(), id), previous).caretPositionEditor, editor);
}

void TestCommandState::menus_data()
{
    QTest::addColumn<CommandStates>("buttons");
    QTest::addColumn<CommandStateInputs>("in");
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("enabled");

    const CommandStateInputs base = runnable();
    const CommandStates on = allOn();
    const CommandStates off{};

    // Items that copy a button.
    const QList<QPair<const char *, const char *>> mirrors = {
        {"MnNewTable", "BtnNewTable"},   {"MnOpenTable", "BtnOpenTable"},     {"MnSaveTable", "BtnSaveTable"},
        {"MnSaveAsTable", "BtnSaveAsTable"}, {"MnPrintPreview", "BtnPrintPreview"}, {"MnPrint", "BtnPrint"},
        {"MnUndo", "BtnUndo"},           {"MnCut", "BtnCut"},                 {"MnCopy", "BtnCopy"},
        {"MnPaste", "BtnPaste"},         {"MnAddChild", "BtnAddChild"},       {"mnAddSibling", "BtnAddSibl"},
        {"MnDelete", "BtnDelete"},       {"MnUp", "BtnUp"},                   {"MnDown", "BtnDown"},
        {"mnApply", "BtnApply"},         {"MnExecSel", "BtnExecSel"},         {"MnExecute", "BtnExec"},
        {"MnExecBrSel", "BtnExecBrSel"}, {"MnExecuteAll", "BtnExecAll"},
    };
    for (const auto &[item, button] : mirrors) {
        for (const bool state : {false, true}) {
            CommandStates b = state ? off : on;
            b.*buttonFields().value(QLatin1String(button)) = state;
            QTest::addRow("%s mirrors %s (%s)", item, button, state ? "on" : "off")
                << b << base << QString::fromLatin1(item) << state;
        }
    }

    const CommandStateInputs covered = with(base, [](auto &in) { in.macroPanelShown = true; });
    const CommandStateInputs popupPage = with(base, [](auto &in) {
        in.activePageIndex = 2;
        in.popupEditorHasText = true;
    });
    const CommandStateInputs treeHidden = with(base, [](auto &in) { in.treeHidden = true; });
    const CommandStateInputs runAll = with(base, [](auto &in) {
        in.selectedCount = 3;
        in.selectionHasRunnableMacros = true;
    });

    QTest::newRow("MnImportMacro: macro page shown") << on << base << "MnImportMacro" << true;
    QTest::newRow("MnImportMacro: macro page covered") << on << covered << "MnImportMacro" << false;
    QTest::newRow("MnImportMacro: other page")
        << on << with(base, [](auto &in) { in.activePageIndex = 0; }) << "MnImportMacro" << false;
    QTest::newRow("MnImportTemplate: macro page shown") << on << base << "MnImportTemplate" << true;
    QTest::newRow("MnImportTemplate: macro page covered") << on << covered << "MnImportTemplate" << false;
    QTest::newRow("MnExportMacro: macro text") << on << base << "MnExportMacro" << true;
    QTest::newRow("MnExportMacro: macro editor blank")
        << on << with(base, [](auto &in) { in.macroEditorHasText = false; }) << "MnExportMacro" << false;
    QTest::newRow("MnExportMacro: covered") << on << covered << "MnExportMacro" << false;
    QTest::newRow("MnExportMacro: popup page") << on << popupPage << "MnExportMacro" << false;
    QTest::newRow("MnImport: always") << off << CommandStateInputs{} << "MnImport" << true;
    QTest::newRow("MnExport: one shown connection") << off << base << "MnExport" << true;
    QTest::newRow("MnExport: one node, covered") << off << covered << "MnExport" << false;
    QTest::newRow("MnExport: two nodes, covered")
        << off << with(covered, [](auto &in) { in.selectedCount = 2; }) << "MnExport" << true;
    QTest::newRow("MnExport: nothing selected")
        << off << with(base, [](auto &in) { in.selectedCount = 0; }) << "MnExport" << false;
    QTest::newRow("MnPrinterSetup: one printer") << off << base << "MnPrinterSetup" << true;
    QTest::newRow("MnPrinterSetup: none")
        << on << with(base, [](auto &in) { in.printerCount = 0; }) << "MnPrinterSetup" << false;
    QTest::newRow("MnPrinterSetup: not counted yet")
        << on << with(base, [](auto &in) { in.printerCount = -1; }) << "MnPrinterSetup" << false;

    QTest::newRow("MnSelectAll: tree with unselected nodes") << off << base << "MnSelectAll" << true;
    QTest::newRow("MnSelectAll: every node selected")
        << on << with(base, [](auto &in) { in.selectedCount = in.totalNodeCount; }) << "MnSelectAll" << false;
    // The macro editor's search works out what it can do; the menu shows it.
    const CommandStateInputs searching = with(base, [](auto &in) {
        in.canFind = true;
        in.canFindAgain = true;
    });
    for (const char *item : {"MnFind", "MnReplace"}) {
        QTest::addRow("%s: the search can find", item) << off << searching << QString::fromLatin1(item) << true;
        QTest::addRow("%s: nothing to search", item)
            << on << with(searching, [](auto &in) { in.canFind = in.canFindAgain = false; })
            << QString::fromLatin1(item) << false;
    }
    for (const char *item : {"MnFindNext", "MnFindPrev"}) {
        QTest::addRow("%s: a search text kept", item) << off << searching << QString::fromLatin1(item) << true;
        QTest::addRow("%s: no search text yet", item)
            << on << with(searching, [](auto &in) { in.canFindAgain = false; }) << QString::fromLatin1(item) << false;
    }

    QTest::newRow("MnDuplicate: one connection") << off << base << "MnDuplicate" << true;
    QTest::newRow("MnDuplicate: RootNode")
        << on << with(base, [](auto &in) { in.focused.isRoot = true; }) << "MnDuplicate" << false;
    QTest::newRow("MnDuplicate: two selected")
        << on << with(base, [](auto &in) { in.selectedCount = 2; }) << "MnDuplicate" << false;
    QTest::newRow("MnDuplicate: tree hidden") << on << treeHidden << "MnDuplicate" << false;
    QTest::newRow("MnDuplicate: no focused node")
        << on << with(base, [](auto &in) { in.focused = FocusedNodeFacts{}; }) << "MnDuplicate" << false;
    QTest::newRow("mnAddSepLine: tree shown") << off << CommandStateInputs{} << "mnAddSepLine" << true;
    QTest::newRow("mnAddSepLine: tree hidden") << on << treeHidden << "mnAddSepLine" << false;
    CommandStates applyOn = off;
    applyOn.BtnApply = true;
    QTest::newRow("MnCollapseAll: nothing to apply") << off << base << "MnCollapseAll" << true;
    QTest::newRow("MnCollapseAll: edits to apply") << applyOn << base << "MnCollapseAll" << false;
    QTest::newRow("MnCollapseAll: tree hidden") << off << treeHidden << "MnCollapseAll" << false;
    QTest::newRow("MnExpandAll: tree shown") << applyOn << base << "MnExpandAll" << true;
    QTest::newRow("MnExpandAll: tree hidden") << on << treeHidden << "MnExpandAll" << false;

    QTest::newRow("MnShowPopup: popup page with text") << off << popupPage << "MnShowPopup" << true;
    QTest::newRow("MnShowPopup: blank popup")
        << on << with(popupPage, [](auto &in) { in.popupEditorHasText = false; }) << "MnShowPopup" << false;
    QTest::newRow("MnShowPopup: popup page covered")
        << on << with(popupPage, [](auto &in) { in.popupPanelShown = true; }) << "MnShowPopup" << false;
    QTest::newRow("MnShowPopup: macro page")
        << on << with(popupPage, [](auto &in) { in.activePageIndex = 1; }) << "MnShowPopup" << false;

    QTest::newRow("mnRunAllSel: several runnable connections") << off << runAll << "mnRunAllSel" << true;
    QTest::newRow("mnRunAllSel: one connection")
        << on << with(runAll, [](auto &in) { in.selectedCount = 1; }) << "mnRunAllSel" << false;
    QTest::newRow("mnRunAllSel: RootNode selected")
        << on << with(runAll, [](auto &in) { in.rootSelected = true; }) << "mnRunAllSel" << false;
    QTest::newRow("mnRunAllSel: unapplied edits")
        << on << with(runAll, [](auto &in) { in.nodeModified = true; }) << "mnRunAllSel" << false;
    QTest::newRow("mnRunAllSel: a separator or an empty macro among them")
        << on << with(runAll, [](auto &in) { in.selectionHasRunnableMacros = false; }) << "mnRunAllSel" << false;
    QTest::newRow("mnRunAllSel: one sequence still running")
        << on << with(runAll, [](auto &in) { in.runAllSelectedRunning = true; }) << "mnRunAllSel" << false;
}

void TestCommandState::menus()
{
    QFETCH(CommandStates, buttons);
    QFETCH(CommandStateInputs, in);
    QFETCH(QString, item);
    QFETCH(bool, enabled);
    QVERIFY2(menuFields().contains(item), qPrintable(item));
    QCOMPARE(ComputeMenuStates(buttons, in).*menuFields().value(item), enabled);
}

void TestCommandState::popup_data()
{
    QTest::addColumn<CommandStates>("buttons");
    QTest::addColumn<CommandStateInputs>("in");
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("enabled");

    const CommandStateInputs tree = runnable();
    const CommandStateInputs memo = focusedOn(tree, 1);
    const CommandStates on = allOn();
    const CommandStates off{};

    const QList<QPair<const char *, const char *>> mirrors = {
        {"pmUndo", "BtnUndo"}, {"pmCut", "BtnCut"},   {"pmCopy", "BtnCopy"},
        {"pmPaste", "BtnPaste"}, {"pmRun", "BtnExec"}, {"pmRunBranch", "BtnExecAll"},
    };
    for (const auto &[item, button] : mirrors) {
        for (const bool state : {false, true}) {
            CommandStates b = state ? off : on;
            b.*buttonFields().value(QLatin1String(button)) = state;
            QTest::addRow("%s mirrors %s on the macro editor (%s)", item, button, state ? "on" : "off")
                << b << memo << QString::fromLatin1(item) << state;
        }
    }
    const QList<QPair<const char *, const char *>> treeMirrors = {
        {"pmAddChild", "BtnAddChild"}, {"pmAddSibl", "BtnAddSibl"}, {"pmDelete", "BtnDelete"},
        {"pmUp", "BtnUp"},             {"pmDown", "BtnDown"},
    };
    for (const auto &[item, button] : treeMirrors) {
        for (const bool state : {false, true}) {
            CommandStates b = state ? off : on;
            b.*buttonFields().value(QLatin1String(button)) = state;
            QTest::addRow("%s mirrors %s on the tree (%s)", item, button, state ? "on" : "off")
                << b << tree << QString::fromLatin1(item) << state;
        }
        QTest::addRow("%s hidden and off on the macro editor", item)
            << on << memo << QString::fromLatin1(item) << false;
    }

    QTest::newRow("tree items shown on the tree") << off << tree << "treeItemsVisible" << true;
    QTest::newRow("tree items hidden on the macro editor") << on << memo << "treeItemsVisible" << false;
    QTest::newRow("tree items hidden on a field") << on << focusedOn(tree, 12) << "treeItemsVisible" << false;

    QTest::newRow("pmSelectAll: tree with unselected nodes") << off << tree << "pmSelectAll" << true;
    QTest::newRow("pmSelectAll: macro editor all selected")
        << on << with(memo, [](auto &in) { in.editorTextLength = in.editorSelectionLength = 4; })
        << "pmSelectAll" << false;

    QTest::newRow("pmDuplicate: one connection") << off << tree << "pmDuplicate" << true;
    QTest::newRow("pmDuplicate: RootNode")
        << on << with(tree, [](auto &in) { in.focused.isRoot = true; }) << "pmDuplicate" << false;
    QTest::newRow("pmDuplicate: two selected")
        << on << with(tree, [](auto &in) { in.selectedCount = 2; }) << "pmDuplicate" << false;
    QTest::newRow("pmDuplicate: focused node not selected, another one is")
        << off << with(tree, [](auto &in) { in.focused.selected = false; }) << "pmDuplicate" << true;
    QTest::newRow("pmAddSepLine: focused connection selected") << off << tree << "pmAddSepLine" << true;
    QTest::newRow("pmAddSepLine: several selected with it")
        << off << with(tree, [](auto &in) { in.selectedCount = 3; }) << "pmAddSepLine" << true;
    QTest::newRow("pmAddSepLine: focused node not selected")
        << on << with(tree, [](auto &in) { in.focused.selected = false; }) << "pmAddSepLine" << false;
    QTest::newRow("pmAddSepLine: RootNode")
        << on << with(tree, [](auto &in) { in.focused.isRoot = true; }) << "pmAddSepLine" << false;
    QTest::newRow("pmAddSepLine: no focused node")
        << on << with(tree, [](auto &in) { in.focused = FocusedNodeFacts{}; }) << "pmAddSepLine" << false;
}

void TestCommandState::popup()
{
    QFETCH(CommandStates, buttons);
    QFETCH(CommandStateInputs, in);
    QFETCH(QString, item);
    QFETCH(bool, enabled);
    QVERIFY2(popupFields().contains(item), qPrintable(item));
    QCOMPARE(ComputePopupStates(buttons, in).*popupFields().value(item), enabled);
}

void TestCommandState::canSelectAll_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("total");      // tree: total count; editors: text length
    QTest::addColumn<int>("selected");   // tree: selected count; editors: selection length
    QTest::addColumn<bool>("can");

    QTest::newRow("tree: some unselected") << 0 << 6 << 2 << true;
    QTest::newRow("tree: all selected, collapsed branches included") << 0 << 6 << 6 << false;
    for (int id : {1, 2, 3, 10, 12, 13}) {
        QTest::addRow("editor %d: part selected", id) << id << 9 << 3 << true;
        QTest::addRow("editor %d: all selected", id) << id << 9 << 9 << false;
        QTest::addRow("editor %d: empty", id) << id << 0 << 0 << false;
    }
    QTest::newRow("in-place editor: part selected") << 11 << 5 << 1 << true;
    QTest::newRow("in-place editor: all selected") << 11 << 5 << 5 << false;
    QTest::newRow("in-place editor: empty") << 11 << 0 << 0 << false;
    QTest::newRow("nothing focused") << -1 << 9 << 0 << false;
}

void TestCommandState::canSelectAll()
{
    QFETCH(int, id);
    QFETCH(int, total);
    QFETCH(int, selected);
    QFETCH(bool, can);
    CommandStateInputs in;
    in.focusedEditorId = id;
    if (id == 0) {
        in.totalNodeCount = total;
        in.selectedCount = selected;
    } else {
        in.editorTextLength = total;
        in.editorSelectionLength = selected;
    }
    QCOMPARE(CanSelectAllInFocused(in), can);
}

void TestCommandState::focusedEditorId_data()
{
    QTest::addColumn<FocusWidget>("focus");
    QTest::addColumn<int>("id");
    QTest::newRow("VT") << FocusWidget::VT << 0;
    QTest::newRow("Memo1") << FocusWidget::Memo1 << 1;
    QTest::newRow("Memo2") << FocusWidget::Memo2 << 2;
    QTest::newRow("Edit1") << FocusWidget::Edit1 << 3;
    QTest::newRow("Edit2") << FocusWidget::Edit2 << 4;
    QTest::newRow("Edit3") << FocusWidget::Edit3 << 5;
    QTest::newRow("Edit4") << FocusWidget::Edit4 << 6;
    QTest::newRow("Edit5") << FocusWidget::Edit5 << 7;
    QTest::newRow("Edit6") << FocusWidget::Edit6 << 8;
    QTest::newRow("Edit7") << FocusWidget::Edit7 << 9;
    QTest::newRow("Edit8") << FocusWidget::Edit8 << 10;
    QTest::newRow("in-place editor") << FocusWidget::InPlaceEditor << 11;
    QTest::newRow("Edit9") << FocusWidget::Edit9 << 12;
    QTest::newRow("Edit10") << FocusWidget::Edit10 << 13;
    QTest::newRow("anything else") << FocusWidget::None << -1;
}

void TestCommandState::focusedEditorId()
{
    QFETCH(FocusWidget, focus);
    QFETCH(int, id);
    QCOMPARE(GetFocusedEditorId(focus), id);
}

void TestCommandState::refreshDeferredForTreeAndInPlaceEditor()
{
    for (int id = -1; id <= 13; ++id)
        QCOMPARE(CommandRefreshIsDeferred(id), id == 0 || id == 11);
}

void TestCommandState::refreshShowsFocusedNodeData()
{
    CommandStateInputs in;
    in.focusedEditorId = 0;
    QVERIFY(RefreshShowsFocusedNodeData(in));
    in.focusedEditorId = 1;
    QVERIFY(!RefreshShowsFocusedNodeData(in));
    in.focusedEditorId = -1;
    in.noColorsHasFocus = true;
    QVERIFY(RefreshShowsFocusedNodeData(in));
}

void TestCommandState::contrastColor_data()
{
    QTest::addColumn<quint32>("rgb");
    QTest::addColumn<quint32>("contrast");
    QTest::newRow("black") << quint32(0x000000) << quint32(0x404040);
    QTest::newRow("white") << quint32(0xFFFFFF) << quint32(0xBFBFBF);
    QTest::newRow("each byte on its own side of 127")
        << quint32(0x7F8001) << quint32(0xBF4041);
}

void TestCommandState::contrastColor()
{
    QFETCH(quint32, rgb);
    QFETCH(quint32, contrast);
    QCOMPARE(ContrastColor(rgb), contrast);
}

void TestCommandState::blankText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("blank");
    QTest::newRow("empty") << "" << true;
    QTest::newRow("blanks, tabs and line breaks") << " \t\r\n " << true;
    QTest::newRow("a word among blanks") << "\r\n  send 'x'\r\n" << false;
}

void TestCommandState::blankText()
{
    QFETCH(QString, text);
    QFETCH(bool, blank);
    QCOMPARE(IsBlankText(text), blank);
    QCOMPARE(IsBlankText(text.toUtf8()), blank);
}

void TestCommandState::treeFacts()
{
    FakeTableHost host;
    TableDocument doc(host);
    ConnectionTree &tree = doc.tree();
    ConnectionNode *root = tree.addChild(nullptr);
    rVTNodeData withMacro;
    withMacro.Name = "top";
    withMacro.Macro = "connect+'host'";
    withMacro.Colors = "1:2:3";
    ConnectionNode *top = tree.addChild(root, withMacro);
    rVTNodeData plain;
    plain.Name = "middle";
    plain.Colors = "7:8:9";
    ConnectionNode *middle = tree.addChild(top, plain);
    plain.Name = "leaf";
    ConnectionNode *leaf = tree.addChild(middle, plain);
    plain.Name = "-";
    ConnectionNode *separator = tree.addChild(middle, plain);

    doc.UpdateCaption(true);

    CommandStateInputs in;
    FillTreeFacts(in, doc, TreeSelection(leaf, {leaf, root}));
    QVERIFY(in.focused.present);
    QVERIFY(in.focused.selected);
    QVERIFY(!in.focused.isRoot);
    QVERIFY(!in.focused.isSeparator);
    QCOMPARE(in.focused.level, 3);
    QVERIFY(!in.focused.hasPrevSibling);
    QVERIFY(in.focused.hasNextSibling);
    // The parent has no macro; the grandparent has one.
    QVERIFY(in.focused.ancestorHasMacro);
    QCOMPARE(in.focused.parentColors, QByteArray("7:8:9"));
    QCOMPARE(in.selectedCount, 2);
    QVERIFY(in.rootSelected);
    QVERIFY(in.rootHasChildren);
    QCOMPARE(in.totalNodeCount, 5);
    QVERIFY(in.tableModified);
    QVERIFY(!in.nodeModified);

    const FocusedNodeFacts sep = DescribeFocusedNode(separator, false);
    QVERIFY(sep.isSeparator);
    QVERIFY(sep.hasPrevSibling);
    QVERIFY(!sep.selected);

    const FocusedNodeFacts r = DescribeFocusedNode(root, true);
    QVERIFY(r.isRoot);
    QCOMPARE(r.level, 0);
    QVERIFY(!r.ancestorHasMacro);

    QVERIFY(!AncestorHasMacro(top));
    QVERIFY(!AncestorHasMacro(nullptr));
    top->data.Macro.clear();
    QVERIFY(!AncestorHasMacro(leaf));
    QVERIFY(!DescribeFocusedNode(nullptr, false).present);
}

QTEST_GUILESS_MAIN(TestCommandState)
#include "tst_commandstate.moc"
