#include "mainwindow/TextFieldFilter.h"

#include "mainwindow/PassingFocus.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace {

// The bare Insert key (the keypad's counts as well).
bool isInsertKey(const QKeyEvent *key)
{
    return key->key() == Qt::Key_Insert && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

} // namespace

TextFieldFilter::TextFieldFilter(bool overwrites, std::function<bool()> insertMode, QObject *parent)
    : QObject(parent), m_overwrites(overwrites), m_insertMode(std::move(insertMode))
{
}

void TextFieldFilter::watch(QLineEdit *field)
{
    field->installEventFilter(this);
}

bool TextFieldFilter::eventFilter(QObject *watched, QEvent *event)
{
    auto *field = qobject_cast<QLineEdit *>(watched);
    if (!field)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (isInsertKey(key)) {
            // The field's own Insert handling would keep a mode of its own.
            Q_EMIT insertKeyPressed(field);
            return true;
        }
        if (m_overwrites && !m_insertMode())
            overwriteNextCharacter(field, key);
        return false;
    }
    case QEvent::FocusIn:
        if (!IsPassingFocus(static_cast<QFocusEvent *>(event)))
            Q_EMIT entered(field);
        return false;
    case QEvent::MouseButtonRelease:
        Q_EMIT mouseReleased(field, static_cast<QMouseEvent *>(event)->button());
        return false;
    default:
        return false;
    }
}

void TextFieldFilter::overwriteNextCharacter(QLineEdit *field, const QKeyEvent *key)
{
    if (field->hasSelectedText())
        return;
    const bool chord = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const bool typed = !chord && !key->text().isEmpty() && key->text().at(0).isPrint();
    const bool backspace = key->key() == Qt::Key_Backspace;
    if ((typed || backspace) && field->cursorPosition() < field->text().size())
        field->setSelection(field->cursorPosition(), 1);
}
