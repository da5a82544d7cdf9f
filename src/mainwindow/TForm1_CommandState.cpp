// Which control the edit commands act on, and the enabled state of every command: worked out
// by the refresh from the window's controls, copied by the menus when they open.
#include "mainwindow/TForm1.h"

#include "mainwindow/ColorsPage.h"
#include "mainwindow/ConnectionTreeModel.h"
#include "mainwindow/CoverPanel.h"
#include "mainwindow/core/CommandStateFacts.h"
#include "mainwindow/HighlighterPage.h"
#include "mainwindow/MacroEditor.h"
#include "mainwindow/MacroEditorSettingsPage.h"
#include "mainwindow/MacroPage.h"
#include "mainwindow/MacroPrintCommands.h"
#include "mainwindow/PopupPage.h"
#include "mainwindow/RunCommands.h"
#include "mainwindow/SchedulePage.h"
#include "mainwindow/SettingsPage.h"
#include "mainwindow/UserDataPage.h"
#include "runner/MacroRunner.h"
#include "platform/widgets/PrinterInventory.h"
#include "table/NodeClipboard.h"

#include "platform/widgets/QsciIncludes.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>

namespace {

void setEnabledIfChanged(QAction *action, bool on)
{
    if (action && action->isEnabled() != on)
        action->setEnabled(on);
}

void setEnabledIfChanged(QWidget *widget, bool on)
{
    if (widget && widget->isEnabled() != on)
        widget->setEnabled(on);
}

} // namespace

void TForm1::setupCommandState()
{
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(200);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);

    for (QMenu *menu : {MnFile, MnEdit, Search1, MnConnection, MnMacro})
        connect(menu, &QMenu::aboutToShow, this, &TForm1::applyMenuStates);
    connect(pmTV, &QMenu::aboutToShow, this, &TForm1::pmTVPopup);

    // pmTV is the context menu of the tree, both editors and the text fields.
    hookContextMenu(VT);
    hookContextMenu(Memo1);
    hookContextMenu(Memo2);
    for (QWidget *w : textFields())
        hookContextMenu(w);
    // The add buttons offer it too: the tree's commands beside the clipboard's.
    for (QAction *button : {BtnAddChild, BtnAddSibl})
        if (QWidget *w = CBar->widgetForAction(button))
            hookContextMenu(w);

    // The clipboard is asked once per change, not on every refresh: asking another program
    // for its data can take a while.
    // Text copied in another program enables Paste at once, not at the next refresh.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        readClipboardState();
        RequestCommandRefresh();
    });
    readClipboardState();
    // Opening the menu bar from the keyboard takes the focus there; the edit commands still
    // mean the control that had it. Any other move of the focus changes what the commands
    // act on.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now && now->window() == this && !qobject_cast<QMenuBar *>(now) && !qobject_cast<QMenu *>(now)) {
            m_lastFocus = now;
            RequestCommandRefresh();
        }
    });
    RequestCommandRefresh();
}

void TForm1::hookContextMenu(QWidget *control)
{
    control->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(control, &QWidget::customContextMenuRequested, this,
            [this, control](const QPoint &pos) { showTreePopup(control, pos); });
}

void TForm1::readClipboardState()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    m_clipboardHasText = data && data->hasText();
    m_clipboardHasNodes = data && data->hasFormat(QLatin1String(NodeMimeType));
}

void TForm1::showTreePopup(QWidget *control, const QPoint &pos)
{
    auto *area = qobject_cast<QAbstractScrollArea *>(control);
    pmTV->popup((area ? area->viewport() : control)->mapToGlobal(pos));
}

QWidget *TForm1::editorWithFocus() const
{
    QWidget *focus = QApplication::focusWidget();
    if (focus && (qobject_cast<QMenuBar *>(focus) || qobject_cast<QMenu *>(focus)))
        focus = m_lastFocus;
    return focus;
}

int TForm1::GetFocusedEditorId() const
{
    QWidget *focus = editorWithFocus();
    if (!focus)
        return FocusedEditorId::None;
    FocusWidget which = FocusWidget::None;
    // The in-place editor lives inside the tree's viewport: it is asked first.
    if (VT->currentEditLink() && focus == VT->currentEditLink())
        which = FocusWidget::InPlaceEditor;
    else if (focus == VT || focus == VT->viewport())
        which = FocusWidget::VT;
    else if (focus == Memo1 || focus == Memo1->viewport())
        which = FocusWidget::Memo1;
    else if (focus == Memo2 || focus == Memo2->viewport())
        which = FocusWidget::Memo2;
    else
        which = textFieldAt(focus);
    return ::GetFocusedEditorId(which);
}

std::array<QWidget *, 10> TForm1::textFields() const
{
    const UserDataPage *user = m_settingsPage->userData();
    return {user->Edit1(), user->Edit2(), user->Edit3(),
            m_schedulePage->Edit4(), m_schedulePage->Edit5(), m_schedulePage->Edit6(),
            m_schedulePage->Edit7(), m_schedulePage->Edit8(),
            user->Edit9(), user->Edit10()};
}

FocusWidget TForm1::textFieldAt(const QWidget *widget) const
{
    static_assert(static_cast<int>(FocusWidget::Edit10) - static_cast<int>(FocusWidget::Edit1) == 9,
                  "the fields' ids follow their order in textFields()");
    const std::array<QWidget *, 10> fields = textFields();
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (widget == fields[i])
            return static_cast<FocusWidget>(static_cast<int>(FocusWidget::Edit1) + static_cast<int>(i));
    return FocusWidget::None;
}

void TForm1::showActiveLine(int focusedEditorId)
{
    const long bgr = m_settingsPage->highlighter()->Memo3()->SendScintilla(QsciScintilla::SCI_GETCARETLINEBACK);
    const QColor highlighterLine(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                                 static_cast<int>((bgr >> 16) & 0xFF));
    Memo1->showActiveLine(focusedEditorId == FocusedEditorId::Macro,
                          m_settingsPage->macroEditor()->rbUseColorInEditor()->isChecked(), highlighterLine);
}

void TForm1::RequestCommandRefresh()
{
    if (m_doc.LoadingFlag || !Timer1)
        return;
    const int id = GetFocusedEditorId();
    showActiveLine(id);
    // While the tree or its in-place editor has the focus, a burst of events makes one
    // refresh 200 ms after the last of them.
    if (CommandRefreshIsDeferred(id)) {
        m_showNodeWhenRefreshed = m_showNodeWhenRefreshed || id == FocusedEditorId::Tree;
        Timer1->start();
    }
    else
        Timer1Timer();
}

void TForm1::Timer1Timer()
{
    Timer1->stop();
    CommandStateInputs in;
    in.focusedEditorId = GetFocusedEditorId();
    in.noColorsHasFocus = m_settingsPage->macroEditor()->cbNoColors()->hasFocus();
    // The pages also catch up when the focus left the tree before its refresh ran (a click
    // on a node, then at once into the macro editor): otherwise the editors would go on
    // showing the last connection for the new one.
    if (RefreshShowsFocusedNodeData(in) || m_showNodeWhenRefreshed)
        ShowFocusedNodeData();
    m_showNodeWhenRefreshed = false;
    fillCommandInputs(in);
    const CommandStates states = ComputeCommandStates(in, m_commandStates);
    applyCommandStates(states);
    m_commandStates = states;
}

void TForm1::fillCommandInputs(CommandStateInputs &in) const
{
    in.focusedEditorId = GetFocusedEditorId();
    in.noColorsHasFocus = m_settingsPage->macroEditor()->cbNoColors()->hasFocus();
    // Read off the view once for this refresh.
    const TreeSelection selection = VT->selection();
    FillTreeFacts(in, m_doc, selection);
    in.treeHidden = MnVTHide->isChecked();
    in.clipboardHasText = m_clipboardHasText;
    in.clipboardHasTreeData = m_clipboardHasNodes;

    // Undo and the lengths of the focused text control, each counted in its own unit.
    const int id = in.focusedEditorId;
    if (id == FocusedEditorId::Macro || id == FocusedEditorId::Popup) {
        QsciScintilla *memo = id == FocusedEditorId::Macro ? Memo1 : Memo2;
        in.editorCanUndo = memo->isUndoAvailable();
        in.editorTextLength = static_cast<int>(memo->SendScintilla(QsciScintilla::SCI_GETLENGTH));
        in.editorSelectionLength = static_cast<int>(memo->SendScintilla(QsciScintilla::SCI_GETSELECTIONEND)
                                                    - memo->SendScintilla(QsciScintilla::SCI_GETSELECTIONSTART));
    } else if (IsFieldEditorId(id) || id == FocusedEditorId::InPlaceEditor) {
        const auto *field = qobject_cast<const QLineEdit *>(editorWithFocus());
        if (field) {
            in.editorCanUndo = field->isUndoAvailable();
            in.editorTextLength = static_cast<int>(field->text().size());
            in.editorSelectionLength = static_cast<int>(field->selectionLength());
        }
    }

    in.macroEditorHasText = !Memo1->isBlank();
    in.popupEditorHasText = !Memo2->isBlank();
    in.macroPanelShown = !m_macroPage->TS1Panel()->isHidden();
    in.popupPanelShown = !m_popupPage->TS2Panel()->isHidden();
    in.pageControlVisible = !PG->isHidden();
    in.activePageIndex = PG->currentIndex();
    const SearchSession::MenuState search = Memo1->searchMenuState(in.activePageIndex == 1, MnVTMaximize->isChecked());
    in.canFind = search.find;
    in.canFindAgain = search.findNext;

    in.colorSetText = FormatColorSet(m_colorsPage->colorSet());
    in.backgroundElementChecked = m_colorsPage->RB4()->isChecked();
    for (int element = 0; element < 4; ++element)
        in.sampleColors[static_cast<std::size_t>(element)] =
            m_colorsPage->samplePanel(element)->palette().color(QPalette::Window).rgb() & 0xFFFFFFu;

    // The count as the last refresh of the printers left it; the current printer is the one
    // the commands print on.
    in.printerCount = m_printing->printers().PrinterCount();
    in.hasPrinters = m_printing->HasPrinters(false);
    in.printerName = m_printing->currentPrinterName();
    in.printerIndex = in.printerName.isEmpty() ? -1 : 0;

    in.selectionHasRunnableMacros = SelectionHasRunnableMacros(selection.nodes());
    in.runAllSelectedRunning = m_runCommands && m_runCommands->runAll().isRunning();
}

void TForm1::applyCommandStates(const CommandStates &s)
{
    for (const auto &[action, enabled] : m_buttons)
        setEnabledIfChanged(action, s.*enabled);
    setEnabledIfChanged(m_colorsPage->bParentColors(), s.bParentColors);
    m_colorsPage->bSameBkgrColor()->setEnabled(s.bSameBkgrColor);

    // The hint is written whenever the button shows another, the first refresh included.
    const HintTexts hint = SplitHint(s.printHint);
    if (BtnPrint->toolTip() != hint.toolTip || BtnPrint->statusTip() != hint.statusTip) {
        BtnPrint->setToolTip(hint.toolTip);
        BtnPrint->setStatusTip(hint.statusTip);
    }
    if (s.caretPositionEditor != 0)
        ShowCaretPosition(true, s.caretPositionEditor);
}

CommandStateInputs TForm1::inputsOfNow()
{
    // A refresh still waiting for its timer runs first: a menu, and a shortcut key that asks
    // its menu, act on the states of now. No nested event loop lets other handlers run
    // meanwhile.
    if (Timer1->isActive())
        Timer1Timer();
    CommandStateInputs in;
    fillCommandInputs(in);
    return in;
}

void TForm1::applyMenuStates()
{
    const CommandStateInputs in = inputsOfNow();
    const MenuStates m = ComputeMenuStates(m_commandStates, in);
    for (const auto &[action, enabled] : m_menuItems)
        setEnabledIfChanged(action, m.*enabled);
}

void TForm1::pmTVPopup()
{
    RequestCommandRefresh();
    const CommandStateInputs in = inputsOfNow();
    const PopupStates p = ComputePopupStates(m_commandStates, in);
    for (const PopupCommand &item : m_popupItems) {
        setEnabledIfChanged(item.action, p.*item.enabled);
        // Hidden, the tree's own items are off.
        if (item.treeOnly)
            item.action->setVisible(p.treeItemsVisible);
    }
}
