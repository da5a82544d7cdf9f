#include "mainwindow/MacroEditor.h"

#include "macrolang/MacroHelpContext.h"
#include "macrolang/widgets/MacroEditorWord.h"
#include "macrolang/widgets/MacroLexer.h"
#include "mainwindow/core/ContrastColor.h"
#include "platform/Help.h"
#include "platform/Prompter.h"
#include "shell/ProgramOptions.h"

#include <QKeyEvent>

MacroEditor::MacroEditor(QWidget *parent) : TextEditor(parent), m_textFont(font())
{
    setMarginType(0, QsciScintilla::NumberMargin);
    showGutter(false);
}

void MacroEditor::applyOptions(const ProgramOptions &options)
{
    if (options.KeyFound)
        setTabWidth(options.EditorTabWidth());
    const FontOption &f = options.Font1;
    QFont styled = m_textFont;
    if (f.Name)
        styled.setFamily(*f.Name);
    if (f.Size)
        styled.setPointSize(*f.Size);
    if (f.Style) {
        styled.setBold(*f.Style & FontStyleBits::Bold);
        styled.setItalic(*f.Style & FontStyleBits::Italic);
        styled.setUnderline(*f.Style & FontStyleBits::Underline);
        styled.setStrikeOut(*f.Style & FontStyleBits::StrikeOut);
    }
    setTextFont(styled);
}

int MacroEditor::caretLine() const
{
    int line = 0;
    int index = 0;
    getCursorPosition(&line, &index);
    return line + 1;
}

void MacroEditor::setTextFont(const QFont &font)
{
    m_textFont = font;
    // With the lexer attached the editor's own font is not drawn: the lexer's styles are.
    setFont(font);
    if (m_lexer)
        m_lexer->setEditorFont(font);
    Q_EMIT textFontChanged(font);
}

void MacroEditor::setAttributes(const MacroAttributeSet &attributes)
{
    delete m_lexer;
    m_lexer = new MacroLexer(attributes, this);
    m_lexer->setEditorFont(m_textFont);
    m_lexer->setEditorBackground(m_syntaxBackground);
    m_syntax = false;
    showSyntaxColors();
}

void MacroEditor::showSyntaxColors()
{
    if (!m_lexer || m_syntax)
        return;
    m_syntax = true;
    m_lexer->attach(this);
    showGutter(true);
}

void MacroEditor::setSyntaxBackground(const QColor &background)
{
    m_syntaxBackground = background;
    if (m_lexer)
        m_lexer->setEditorBackground(background);
}

void MacroEditor::showConnectionColors(const QColor &text, const QColor &background)
{
    if (m_syntax) {
        m_syntax = false;
        m_lexer->detach();
        // The editor's own styles were reset with the lexer's going.
        setFont(m_textFont);
    }
    setColor(text);
    setPaper(background);
    showGutter(false);
}

void MacroEditor::showGutter(bool on)
{
    if (on)
        setMarginWidth(0, QStringLiteral("00000"));
    else
        setMarginWidth(0, 0);
}

void MacroEditor::showActiveLine(bool on, bool connectionColors, const QColor &highlighterLineColor)
{
    if (on) {
        setCaretLineBackgroundColor(connectionColors ? QColor::fromRgb(ContrastColor(paper().rgb() & 0xFFFFFFu))
                                                     : highlighterLineColor);
    }
    setCaretLineVisible(on);
}

void MacroEditor::showWordHelp()
{
    const MacroHelpTopic topic = MacroHelpTopicFor(MacroWordAtCaret(*this))
                                     .value_or(MacroHelpTopic{QStringLiteral("Wexmora.hlp"), MacroEditorHelpContext});
    const Help::Result result = Help::open(topic.file, topic.context);
    if (result != Help::Result::Opened && m_prompter)
        m_prompter->error(Help::failureMessage(result, topic.file));
}

void MacroEditor::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1 && (event->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier) {
        event->accept();
        showWordHelp();
        return;
    }
    TextEditor::keyPressEvent(event);
}
