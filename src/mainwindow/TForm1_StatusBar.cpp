// The status bar of the main window: the shown node's time stamp, caret position, the node's
// "Modified" mark, insert mode and the lock keys.
#include "mainwindow/TForm1.h"

#include "mainwindow/MacroEditor.h"
#include "mainwindow/StatusPanels.h"

#include <QEvent>

void TForm1::createStatusBar()
{
    SBar = new StatusPanels(this);
    setStatusBar(SBar);
}

QString TForm1::panelText(int panel) const
{
    return SBar ? SBar->text(panel) : QString();
}

void TForm1::setPanelText(int panel, const QString &text)
{
    if (SBar)
        SBar->setText(panel, text);
}

void TForm1::documentStateChanged()
{
    setWindowTitle(m_doc.captionText());
    setPanelText(2, m_doc.IsNodeModified() ? QStringLiteral("Modified") : QString());
}

void TForm1::ShowCaretPosition(bool show, int editor)
{
    const TextEditor *memo = editor == 1 ? Memo1 : editor == 2 ? Memo2 : nullptr;
    setPanelText(1, show && memo ? memo->caretPositionText() : QString());
}

void TForm1::ShowInsertMode(bool force)
{
    const int id = GetFocusedEditorId();
    if (!force && (id < 1 || id > 11)) {
        setPanelText(3, QString());
        return;
    }
    setPanelText(3, m_insertMode ? QStringLiteral("INS") : QStringLiteral("OVR"));
}

void TForm1::UpdateKeyIndicators()
{
    SBar->showLockKeys(m_lockKeys ? m_lockKeys() : LockKeyState{});
}

void TForm1::changeEvent(QEvent *event)
{
    // A lock key toggled while another program had the keyboard shows on return.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        UpdateKeyIndicators();
    QMainWindow::changeEvent(event);
}

void TForm1::FormKeyUp(int key, bool autoRepeat)
{
    // A held lock key repeats; its state counts once it is released.
    if (!autoRepeat && (key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock))
        UpdateKeyIndicators();
    if (key == Qt::Key_Escape)
        VT->setCurrentEditLink(nullptr);
    RequestCommandRefresh();
}
