#include "mainwindow/TextEditor.h"

#include "mainwindow/PassingFocus.h"
#include "platform/widgets/FixedPitchFont.h"
#include "shell/ProgramOptions.h"
#include "table/FlagScope.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QScopeGuard>

#include <algorithm>

namespace {

// The component answers each notification after text went in or out by counting, for its
// accessibility interface, the characters in front of the change: a key at the end of a long
// macro costs the macro's whole length. The notifications before each change tell the same
// positions, lengths and text, and are the ones the editor's trackers follow. A notification
// is sent when any of its bits is in the mask: the flags every change carries are left out
// with the two kinds, and the kinds kept still arrive with their flags.
constexpr long AfterChangeNotifications = QsciScintilla::SC_MOD_INSERTTEXT | QsciScintilla::SC_MOD_DELETETEXT
    | QsciScintilla::SC_PERFORMED_USER | QsciScintilla::SC_PERFORMED_UNDO | QsciScintilla::SC_PERFORMED_REDO
    | QsciScintilla::SC_MULTISTEPUNDOREDO | QsciScintilla::SC_LASTSTEPINUNDOREDO
    | QsciScintilla::SC_MULTILINEUNDOREDO | QsciScintilla::SC_STARTACTION;

} // namespace

TextEditor::TextEditor(QWidget *parent)
    : QsciScintilla(parent),
      m_firstNonBlank([this](qint64 position, qint64 count) {
          const qint64 length = SendScintilla(SCI_GETLENGTH);
          count = std::min(count, length - position);
          if (count <= 0)
              return QByteArrayView();
          // The bytes where they lie, without a copy of the text.
          const auto *bytes = reinterpret_cast<const char *>(SendScintilla(
              SCI_GETRANGEPOINTER, static_cast<unsigned long>(position), static_cast<long>(count)));
          return bytes ? QByteArrayView(bytes, count) : QByteArrayView();
      })
{
    connect(this, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int position, int type, const char *text, int length) {
                noteModification(position, type, text, length);
            });
    setEolMode(QsciScintilla::EolWindows);
    setUtf8(true);
    // Macros are laid out in columns and TAB widths count characters: until the user picks a
    // font, the desktop's fixed-pitch one.
    setFont(DesktopFixedFont());
    // The editor reports program writes too: the focus tells the user's apart.
    connect(this, &QsciScintilla::textChanged, this, [this] {
        if (!m_programWrite && hasFocus())
            Q_EMIT userEdited();
    });
}

void TextEditor::replaceText(const QString &text)
{
    FlagScope writing(m_programWrite);
    setText(text);
    SendScintilla(SCI_EMPTYUNDOBUFFER);
}

void TextEditor::clearText()
{
    FlagScope writing(m_programWrite);
    clear();
}

void TextEditor::keyPressEvent(QKeyEvent *event)
{
    // The bare Insert key (the keypad's counts as well).
    if (event->key() == Qt::Key_Insert && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        Q_EMIT insertKeyPressed();
        event->accept();
        return;
    }
    typed([&] { QsciScintilla::keyPressEvent(event); });
}

void TextEditor::inputMethodEvent(QInputMethodEvent *event)
{
    typed([&] { QsciScintilla::inputMethodEvent(event); });
}

template <typename Handle>
void TextEditor::typed(Handle handle)
{
    // A screen reader that listens gets every notification, whatever they cost.
    if (m_typing || QAccessible::isActive()) {
        handle();
        return;
    }
    const long mask = SendScintilla(SCI_GETMODEVENTMASK);
    const long lines = SendScintilla(SCI_GETLINECOUNT);
    m_typing = true;
    m_typedChange = false;
    SendScintilla(SCI_SETMODEVENTMASK, static_cast<unsigned long>(mask & ~AfterChangeNotifications));
    {
        const auto restore = qScopeGuard([&] {
            SendScintilla(SCI_SETMODEVENTMASK, static_cast<unsigned long>(mask));
            m_typing = false;
        });
        handle();
    }
    // Once the key's changes are made, as the component tells them.
    if (m_typedChange) {
        Q_EMIT textChanged();
        if (SendScintilla(SCI_GETLINECOUNT) != lines)
            Q_EMIT linesChanged();
    }
}

void TextEditor::focusInEvent(QFocusEvent *event)
{
    // Told before the editor's own handling, which then shows the mode set on entry.
    if (!IsPassingFocus(event))
        Q_EMIT entered();
    QsciScintilla::focusInEvent(event);
}

void TextEditor::focusOutEvent(QFocusEvent *event)
{
    if (!IsPassingFocus(event))
        Q_EMIT left();
    QsciScintilla::focusOutEvent(event);
}

void TextEditor::mouseReleaseEvent(QMouseEvent *event)
{
    QsciScintilla::mouseReleaseEvent(event);
    if (hasFocus())
        Q_EMIT mouseReleased();
}

void TextEditor::applyFontName(const FontOption &option)
{
    if (!option.Name)
        return;
    QFont f = font();
    f.setFamily(*option.Name);
    setFont(f);
}

QString TextEditor::caretPositionText() const
{
    int line = 0;
    int index = 0;
    getCursorPosition(&line, &index);
    const long lineStart = SendScintilla(SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    const long caret = SendScintilla(SCI_GETCURRENTPOS);
    const long column = SendScintilla(SCI_COUNTCHARACTERS, static_cast<unsigned long>(lineStart), caret);
    return QStringLiteral("Ln. %1, Col. %2").arg(line + 1).arg(column + 1);
}

void TextEditor::noteModification(int position, int modificationType, const char *text, int length)
{
    if (m_typing && (modificationType & (SC_MOD_BEFOREINSERT | SC_MOD_BEFOREDELETE)))
        m_typedChange = true;
    // Followed before each change: while a key is typed they are the only ones told.
    if (modificationType & SC_MOD_BEFOREINSERT) {
        if (text)
            m_firstNonBlank.inserted(position, QByteArrayView(text, length));
        else
            m_firstNonBlank.reset();
        m_toldLength += length;
    } else if (modificationType & SC_MOD_BEFOREDELETE) {
        m_firstNonBlank.deleted(position, length);
        m_toldLength -= length;
    }
}

bool TextEditor::isBlank() const
{
    const qint64 length = SendScintilla(SCI_GETLENGTH);
    if (length != m_toldLength) {
        m_firstNonBlank.reset();
        m_toldLength = length;
    }
    return m_firstNonBlank.isBlank();
}
