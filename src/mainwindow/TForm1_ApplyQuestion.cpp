// The apply question: asked before the focus leaves a connection with unapplied edits or
// their branch closes, so that Cancel can keep everything where it was.
#include "mainwindow/TForm1.h"

#include "mainwindow/ConnectionTreeModel.h"
#include "table/ConnectionTree.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

Prompter::Answer TForm1::askApplyQuestion(const ConnectionNode *node)
{
    return m_prompter->ask(Prompter::Kind::Warning, TableDocument::ApplyQuestionText(node ? node->data.Name : QByteArray()),
                           Prompter::Buttons::YesNoCancel);
}

bool TForm1::askApplyBeforeLeaving()
{
    if (!m_doc.IsNodeModified())
        return true;
    ConnectionNode *owner = m_doc.CurrentNode;
    if (!owner) {
        // The connection the edits belonged to is gone; nothing is left to apply them to.
        m_doc.SetNodeModified(false);
        return true;
    }
    const Prompter::Answer answer = askApplyQuestion(owner);
    if (answer == Prompter::Cancel)
        return false;
    if (answer == Prompter::Yes)
        BtnApplyClick();
    else
        m_doc.SetNodeModified(false);
    return true;
}

bool TForm1::branchHoldsCurrentNode(const ConnectionNode *node) const
{
    const ConnectionNode *current = m_doc.CurrentNode;
    return node && current && (node == current || node->isAncestorOf(current));
}

bool TForm1::askApplyBeforeCollapse(const QModelIndex &branch)
{
    if (m_doc.LoadingFlag || !m_doc.IsNodeModified() || !branchHoldsCurrentNode(m_model->nodeFor(branch)))
        return true;
    return askApplyBeforeLeaving();
}

bool TForm1::nodeViewGate(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        if (watched == VT->viewport())
            CurrentEditLink = nullptr;
        m_swallowRelease = false;
        const bool taken = watched == VT->viewport() && gateMouse(event);
        // The view never sees this press, so it cannot drop the rename that a slow click
        // before it scheduled.
        if (taken)
            VT->dropPendingRename();
        return taken;
    }
    case QEvent::MouseButtonRelease:
        if (watched == VT->viewport() && m_swallowRelease) {
            m_swallowRelease = false;
            return true;
        }
        return false;
    case QEvent::KeyPress:
        return watched == VT && gateKey(event);
    default:
        return false;
    }
}

bool TForm1::gateMouse(QEvent *event)
{
    if (m_doc.LoadingFlag || !m_doc.IsNodeModified())
        return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    const QPoint at = mouse->position().toPoint();
    const QModelIndex index = VT->indexAt(at);
    if (!index.isValid())
        return false;
    const QRect caption = VT->visualRect(index);
    const bool onSign = at.x() < caption.left() && at.x() >= caption.left() - VT->indentation();
    // The press before a double-click on another node has asked already: after Cancel the
    // second press goes nowhere.
    if (event->type() == QEvent::MouseButtonDblClick && !onSign && m_model->nodeFor(index) != m_doc.CurrentNode) {
        m_swallowRelease = true;
        return true;
    }
    // The branch sign left of the caption, or a double-click, opens or closes the branch and
    // leaves the focus alone.
    const bool toggles = onSign || event->type() == QEvent::MouseButtonDblClick;
    if (toggles && m_model->hasChildren(index)) {
        if (!VT->isExpanded(index) || askApplyBeforeCollapse(index))
            return false;
        m_swallowRelease = true;
        return true;
    }
    ConnectionNode *target = m_model->nodeFor(index);
    if (target == m_doc.CurrentNode)
        return false;
    const bool allowed = askApplyBeforeLeaving();
    // The view never sees this press: after a question its release went elsewhere, and a
    // half-done press would drag a selection. The focus moves here instead.
    m_swallowRelease = true;
    if (allowed) {
        const auto flags = (mouse->modifiers() & Qt::ControlModifier) ? QItemSelectionModel::Toggle
                                                                      : QItemSelectionModel::ClearAndSelect;
        VT->selectionModel()->setCurrentIndex(index, flags | QItemSelectionModel::Rows);
    }
    return true;
}

bool TForm1::gateKey(QEvent *event)
{
    if (m_doc.LoadingFlag || !m_doc.IsNodeModified())
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const QModelIndex current = VT->currentIndex();
    if ((key->key() == Qt::Key_Left || key->key() == Qt::Key_Minus) && current.isValid()
        && VT->isExpanded(current) && m_model->hasChildren(current))
        return !askApplyBeforeCollapse(current);
    const QModelIndex target = keyTarget(key->key(), key->modifiers(), key->text());
    if (!target.isValid() || m_model->nodeFor(target) == m_doc.CurrentNode)
        return false;
    // Yes or No: the key goes on and moves the focus as it always does.
    return !askApplyBeforeLeaving();
}

QModelIndex TForm1::keyTarget(int key, Qt::KeyboardModifiers modifiers, const QString &text) const
{
    const QModelIndex current = VT->currentIndex();
    auto lastVisible = [this] {
        QModelIndex last = m_model->index(m_model->rowCount() - 1, 0);
        while (last.isValid() && VT->isExpanded(last) && m_model->rowCount(last) > 0)
            last = m_model->index(m_model->rowCount(last) - 1, 0, last);
        return last;
    };
    auto step = [this](QModelIndex from, int count, bool down) {
        for (int i = 0; i < count; ++i) {
            const QModelIndex next = down ? VT->indexBelow(from) : VT->indexAbove(from);
            if (!next.isValid())
                break;
            from = next;
        }
        return from;
    };
    const int rowHeight = std::max(1, VT->sizeHintForRow(0));
    const int page = std::max(1, VT->viewport()->height() / rowHeight - 1);
    switch (key) {
    case Qt::Key_Up: return current.isValid() ? VT->indexAbove(current) : QModelIndex();
    case Qt::Key_Down: return current.isValid() ? VT->indexBelow(current) : m_model->index(0, 0);
    case Qt::Key_Home: return m_model->index(0, 0);
    case Qt::Key_End: return lastVisible();
    case Qt::Key_PageUp: return current.isValid() ? step(current, page, false) : QModelIndex();
    case Qt::Key_PageDown: return current.isValid() ? step(current, page, true) : QModelIndex();
    case Qt::Key_Left: return current.isValid() ? current.parent() : QModelIndex();
    case Qt::Key_Right:
        return current.isValid() && VT->isExpanded(current) ? m_model->index(0, 0, current) : QModelIndex();
    default: break;
    }
    // Typing a caption's first letters jumps to the next row that begins with them.
    if (text.isEmpty() || !text.at(0).isPrint() || (modifiers & (Qt::ControlModifier | Qt::AltModifier)))
        return {};
    QModelIndex i = current.isValid() ? VT->indexBelow(current) : m_model->index(0, 0);
    for (int guard = 0; guard < 2; ++guard) {
        for (; i.isValid(); i = VT->indexBelow(i))
            if (i.data().toString().startsWith(text, Qt::CaseInsensitive))
                return i;
        i = m_model->index(0, 0);
    }
    return {};
}
