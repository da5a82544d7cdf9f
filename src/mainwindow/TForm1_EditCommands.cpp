// The Edit menu's commands on whatever has the focus, the one insert/overwrite mode of the
// editors and the editors' enter and exit events.
#include "mainwindow/TForm1.h"

#include "mainwindow/ConnectionTreeModel.h"
#include "mainwindow/MacroEditor.h"
#include "mainwindow/MenuShortcutPriority.h"
#include "mainwindow/SchedulePage.h"
#include "mainwindow/SettingsPage.h"
#include "mainwindow/TextFieldFilter.h"
#include "mainwindow/TreeClipboard.h"
#include "mainwindow/UserDataPage.h"
#include "platform/widgets/QsciIncludes.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QTimer>

namespace {

bool clipboardHasText()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}

// The schedule fields Edit4 to Edit8 are ids 6 to 10, fields 1 to 5 of the schedule page.
bool isScheduleId(int id)
{
    return id >= 6 && id <= 10;
}

// What a change of the text in the control with Id marks: the editors and the schedule
// fields hold the node's unapplied edits; the in-place editor's change marks the table.
void noteTextChange(TableDocument &doc, int id)
{
    if (id == FocusedEditorId::Macro || id == FocusedEditorId::Popup || isScheduleId(id))
        doc.SetNodeModified(true);
    else if (id == FocusedEditorId::InPlaceEditor)
        doc.UpdateCaption(true);
}

} // namespace

void TForm1::setupEditCommands()
{
    watchTextFields();

    new MenuShortcutPriority(this);
}

int TForm1::editTarget(QWidget **control) const
{
    QWidget *focus = QApplication::focusWidget();
    FocusWidget which = FocusWidget::None;
    if (focus && focus->window() == this) {
        if (focus == VT)
            which = FocusWidget::VT;
        else if (focus == Memo1)
            which = FocusWidget::Memo1;
        else if (focus == Memo2)
            which = FocusWidget::Memo2;
        else if (VT->currentEditLink() && focus == VT->currentEditLink())
            which = FocusWidget::InPlaceEditor;
        else
            which = textFieldAt(focus);
    }
    if (control)
        *control = which == FocusWidget::None ? nullptr : focus;
    return ::GetFocusedEditorId(which);
}

void TForm1::MnUndoClick()
{
    QWidget *control = nullptr;
    const int id = editTarget(&control);
    if (auto *memo = qobject_cast<QsciScintilla *>(control)) {
        memo->undo();
        noteTextChange(m_doc, id);
    } else if (auto *line = qobject_cast<QLineEdit *>(control)) {
        line->undo();
        noteTextChange(m_doc, id);
    }
    RequestCommandRefresh();
}

void TForm1::MnCutClick()
{
    BtnCut->setEnabled(false);
    QWidget *control = nullptr;
    const int id = editTarget(&control);
    if (id == FocusedEditorId::Tree) {
        m_treeClipboard->cutNodes();
    } else if (auto *memo = qobject_cast<QsciScintilla *>(control)) {
        memo->cut();
        noteTextChange(m_doc, id);
    } else if (auto *line = qobject_cast<QLineEdit *>(control)) {
        line->cut();
        noteTextChange(m_doc, id);
    }
    RequestCommandRefresh();
}

void TForm1::MnCopyClick()
{
    QWidget *control = nullptr;
    const int id = editTarget(&control);
    if (id == FocusedEditorId::Tree)
        m_treeClipboard->copyNodes();
    else if (auto *memo = qobject_cast<QsciScintilla *>(control))
        memo->copy();
    else if (auto *line = qobject_cast<QLineEdit *>(control))
        line->copy();
    RequestCommandRefresh();
}

void TForm1::MnPasteClick()
{
    QWidget *control = nullptr;
    const int id = editTarget(&control);
    if (id == FocusedEditorId::Tree) {
        // The node clipboard decides whether it holds nodes to paste.
        m_treeClipboard->pasteNodes();
        RequestCommandRefresh();
        return;
    }
    if (!clipboardHasText())
        return;
    if (auto *memo = qobject_cast<QsciScintilla *>(control)) {
        memo->paste();
        noteTextChange(m_doc, id);
    } else if (auto *line = qobject_cast<QLineEdit *>(control)) {
        if (isScheduleId(id))
            m_schedulePage->pasteIntoField(id - 5, QGuiApplication::clipboard()->text());
        else
            line->paste();
        noteTextChange(m_doc, id);
    }
    RequestCommandRefresh();
}

void TForm1::MnSelectAllClick()
{
    QWidget *control = nullptr;
    const int id = editTarget(&control);
    if (id == FocusedEditorId::Tree) {
        // Selecting more than the shown connection leaves its unapplied edits without a
        // place: the user decides first, as when the focus leaves it.
        if (m_doc.CurrentNode && !askApplyBeforeLeaving())
            return;
        // Every node, also those in collapsed branches.
        VT->selectEveryNode();
    } else if (auto *memo = qobject_cast<QsciScintilla *>(control)) {
        memo->selectAll();
    } else if (auto *line = qobject_cast<QLineEdit *>(control)) {
        line->selectAll();
    }
    RequestCommandRefresh();
}

void TForm1::MnCloseClick()
{
    close();
}

void TForm1::toggleInsertMode(TextEditor *editor)
{
    m_insertMode = !m_insertMode;
    if (editor)
        editor->setInsertMode(m_insertMode);
    ShowInsertMode(false);
}

void TForm1::watchTextFields()
{
    // Entering an editor or a field shows the mode and sets the editor to it (the popup
    // editor and the fields share the popup editor's step); leaving one clears what showed
    // its caret.
    connect(VT, &ConnectionTreeView::entered, this, &TForm1::Memo1Enter);
    connect(Memo1, &TextEditor::entered, this, &TForm1::Memo1Enter);
    connect(Memo1, &TextEditor::left, this, &TForm1::Memo1Exit);
    connect(Memo2, &TextEditor::entered, this, &TForm1::Memo2Enter);
    connect(Memo2, &TextEditor::left, this, &TForm1::Memo2Exit);
    for (TextEditor *editor : std::initializer_list<TextEditor *>{Memo1, Memo2}) {
        connect(editor, &TextEditor::insertKeyPressed, this, [this, editor] { toggleInsertMode(editor); });
        // A selection made with the mouse changes what Cut and Copy can do; the editor ends
        // its own handling of the release first.
        connect(editor, &TextEditor::mouseReleased, this, &TForm1::RequestCommandRefresh, Qt::QueuedConnection);
    }

    const auto insertMode = [this] { return m_insertMode; };
    m_overwritingFields = new TextFieldFilter(true, insertMode, this);
    auto *scheduleFields = new TextFieldFilter(false, insertMode, this);
    const UserDataPage *user = m_settingsPage->userData();
    for (QLineEdit *field : {user->Edit1(), user->Edit2(), user->Edit3(), user->Edit9(), user->Edit10()})
        m_overwritingFields->watch(field);
    for (int which = 1; which <= 5; ++which)
        scheduleFields->watch(m_schedulePage->field(which));
    // The schedule fields take overwrite typing through their own key rules.
    m_schedulePage->setInsertMode(insertMode);
    m_schedulePage->setPrompter(m_prompter);
    for (TextFieldFilter *fields : {m_overwritingFields, scheduleFields}) {
        connect(fields, &TextFieldFilter::insertKeyPressed, this, [this] { toggleInsertMode(nullptr); });
        connect(fields, &TextFieldFilter::entered, this, [this](QWidget *field) {
            if (field != VT->currentEditLink())
                Memo2Enter();
        });
        connect(fields, &TextFieldFilter::mouseReleased, this, &TForm1::textFieldMouseReleased);
    }
}

void TForm1::textFieldMouseReleased(QWidget *field, Qt::MouseButton button)
{
    if (field == VT->currentEditLink()) {
        // A selection made with the mouse in the in-place editor: the refresh follows the
        // burst of events as the tree's own do.
        if (button == Qt::LeftButton && Timer1)
            Timer1->start();
    } else if (field->hasFocus()) {
        // The field ends its own handling of the release first.
        QMetaObject::invokeMethod(this, &TForm1::RequestCommandRefresh, Qt::QueuedConnection);
    }
}

void TForm1::Memo1Enter()
{
    ShowInsertMode(false);
    Memo1->setInsertMode(m_insertMode);
    RequestCommandRefresh();
}

void TForm1::Memo2Enter()
{
    ShowInsertMode(false);
    Memo2->setInsertMode(m_insertMode);
    RequestCommandRefresh();
}

void TForm1::Memo1Exit()
{
    ShowInsertMode(false);
    ShowCaretPosition(false, 1);
    RequestCommandRefresh();
    // The active line shows only while the editor is being typed in.
    Memo1->setCaretLineVisible(false);
}

void TForm1::Memo2Exit()
{
    ShowInsertMode(false);
    ShowCaretPosition(false, 2);
    RequestCommandRefresh();
}
