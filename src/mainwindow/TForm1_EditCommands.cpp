// The Edit menu's commands on whatever has the focus, the one insert/overwrite mode of the
// editors and the editors' enter and exit events.
#include "mainwindow/TForm1.h"

#include "mainwindow/ConnectionTreeModel.h"
#include "mainwindow/MacroEditor.h"
#include "mainwindow/MenuShortcutPriority.h"
#include "platform/widgets/QsciIncludes.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QItemSelection>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>

namespace {

// Focus changes that only pass through a menu or another window: the control keeps its
// place as the one being edited.
bool passingFocus(const QEvent *event)
{
    const Qt::FocusReason reason = static_cast<const QFocusEvent *>(event)->reason();
    return reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason
        || reason == Qt::MenuBarFocusReason;
}

bool clipboardHasText()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}

// The bare Insert key (the keypad's counts as well).
bool isInsertKey(const QKeyEvent *key)
{
    return key->key() == Qt::Key_Insert && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool isUserDataId(int id)
{
    return (id >= 3 && id <= 5) || id == 12 || id == 13;
}

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
    connectActions({MnUndo, BtnUndo, pmUndo}, &TForm1::MnUndoClick);
    connectActions({MnCut, BtnCut, pmCut}, &TForm1::MnCutClick);
    connectActions({MnCopy, BtnCopy, pmCopy}, &TForm1::MnCopyClick);
    connectActions({MnPaste, BtnPaste, pmPaste}, &TForm1::MnPasteClick);
    connectActions({MnSelectAll, pmSelectAll}, &TForm1::MnSelectAllClick);
    connectActions({MnClose}, &TForm1::MnCloseClick);

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
        cutNodes();
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
        copyNodes();
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
        pasteNodes();
        RequestCommandRefresh();
        return;
    }
    if (!clipboardHasText())
        return;
    if (auto *memo = qobject_cast<QsciScintilla *>(control)) {
        memo->paste();
        noteTextChange(m_doc, id);
    } else if (auto *line = qobject_cast<QLineEdit *>(control)) {
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
        // Every node, also those in collapsed branches: one range of rows per parent.
        QItemSelection all;
        QList<QModelIndex> parents{QModelIndex()};
        while (!parents.isEmpty()) {
            const QModelIndex parent = parents.takeLast();
            const int rows = m_model->rowCount(parent);
            if (rows == 0)
                continue;
            all.select(m_model->index(0, 0, parent), m_model->index(rows - 1, 0, parent));
            for (int row = 0; row < rows; ++row)
                parents.append(m_model->index(row, 0, parent));
        }
        VT->selectionModel()->select(all, QItemSelectionModel::Select | QItemSelectionModel::Rows);
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

void TForm1::toggleInsertMode(QWidget *control)
{
    m_doc.InsertModeFlag = !m_doc.InsertModeFlag;
    if (auto *memo = qobject_cast<QsciScintilla *>(control))
        memo->setOverwriteMode(!m_doc.InsertModeFlag);
    ShowInsertMode(false);
}

bool TForm1::editorKeyPress(QWidget *control, int id, QKeyEvent *key)
{
    if (isInsertKey(key)) {
        // The editors' own Insert handling would keep a mode of its own.
        toggleInsertMode(control);
        return true;
    }
    auto *line = qobject_cast<QLineEdit *>(control);
    if (!line || m_doc.InsertModeFlag || line->hasSelectedText())
        return false;
    // Overwrite in a line edit: the character after the caret is selected, so the typed
    // character (or Backspace) replaces it. The schedule fields have a filter of their own.
    if (!isUserDataId(id) && id != FocusedEditorId::InPlaceEditor)
        return false;
    const bool chord = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const bool typed = !chord && !key->text().isEmpty() && key->text().at(0).isPrint();
    const bool backspace = key->key() == Qt::Key_Backspace;
    if ((typed || backspace) && line->cursorPosition() < line->text().size())
        line->setSelection(line->cursorPosition(), 1);
    return false;
}

bool TForm1::editorEvent(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::FocusIn && type != QEvent::FocusOut
        && type != QEvent::MouseButtonRelease)
        return false;
    if (!watched->isWidgetType() || static_cast<QWidget *>(watched)->window() != this)
        return false;
    auto *widget = static_cast<QWidget *>(watched);

    if (type == QEvent::MouseButtonRelease)
        return editorMouseRelease(widget, static_cast<QMouseEvent *>(event));

    if (type == QEvent::KeyPress) {
        QWidget *control = nullptr;
        const int id = editTarget(&control);
        // Only where the key first arrives, and only in the text editors.
        if (control != widget || id < 1 || id > 13)
            return false;
        return editorKeyPress(control, id, static_cast<QKeyEvent *>(event));
    }

    if (passingFocus(event))
        return false;
    if (type == QEvent::FocusIn) {
        if (widget == Memo1 || widget == VT) {
            Memo1Enter();
        } else {
            QWidget *control = nullptr;
            const int id = editTarget(&control);
            if (control == widget && id >= 2 && id <= 13 && id != FocusedEditorId::InPlaceEditor)
                Memo2Enter();
        }
    } else if (qobject_cast<QsciScintilla *>(widget)) {
        // An editor that is being destroyed is no longer one (its own destructor has run)
        // and has nothing left to clear.
        if (widget == Memo1)
            Memo1Exit();
        else if (widget == Memo2)
            Memo2Exit();
    }
    return false;
}

void TForm1::Memo1Enter()
{
    ShowInsertMode(false);
    Memo1->setOverwriteMode(!m_doc.InsertModeFlag);
    RequestCommandRefresh();
}

void TForm1::Memo2Enter()
{
    ShowInsertMode(false);
    Memo2->setOverwriteMode(!m_doc.InsertModeFlag);
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

bool TForm1::editorMouseRelease(QWidget *widget, const QMouseEvent *mouse)
{
    if (VT->currentEditLink() && widget == VT->currentEditLink()) {
        // A selection made with the mouse in the in-place editor: the refresh follows the
        // burst of events as the tree's own do.
        if (mouse->button() == Qt::LeftButton && Timer1)
            Timer1->start();
        return false;
    }
    // A selection made or changed with the mouse in an editor or a field changes what Cut
    // and Copy can do. The editor ends its own handling of the release
    // first.
    QWidget *control = nullptr;
    editTarget(&control);
    // The memo editors take their mouse in their viewport.
    const bool inEditor = control && control != VT && (widget == control || widget->parentWidget() == control);
    if (inEditor)
        QMetaObject::invokeMethod(this, &TForm1::RequestCommandRefresh, Qt::QueuedConnection);
    return false;
}

