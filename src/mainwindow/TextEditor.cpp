#include "mainwindow/TextEditor.h"

#include "mainwindow/PassingFocus.h"
#include "platform/widgets/FixedPitchFont.h"
#include "shell/ProgramOptions.h"
#include "table/FlagScope.h"

#include <QKeyEvent>

#include <algorithm>

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
    QsciScintilla::keyPressEvent(event);
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
    if (modificationType & SC_MOD_INSERTTEXT) {
        if (text)
            m_firstNonBlank.inserted(position, QByteArrayView(text, length));
        else
            m_firstNonBlank.reset();
        m_toldLength += length;
    } else if (modificationType & SC_MOD_DELETETEXT) {
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
