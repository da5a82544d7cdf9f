#include "mainwindow/MacroEditor.h"

#include "dialogs/widgets/EditorSearch.h"
#include "macrolang/MacroHelpContext.h"
#include "macrolang/TSynTTMacroSyn.h"
#include "macrolang/widgets/MacroEditorWord.h"
#include "macrolang/widgets/MacroLexer.h"
#include "mainwindow/FontFromOption.h"
#include "mainwindow/core/ContrastColor.h"
#include "mainwindow/core/SmartTabs.h"
#include "platform/Help.h"
#include "platform/Prompter.h"
#include "shell/ProgramOptions.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScopeGuard>

namespace {

// "Whole words only" takes words as the macro language does: "$user$" is one word.
bool isMacroWordChar(QChar c)
{
    return c.unicode() < 256 && TSynTTMacroSyn::IsIdentChar(uchar(c.unicode()));
}

} // namespace

MacroEditor::MacroEditor(QWidget *parent) : TextEditor(parent), m_textFont(font())
{
    setMarginType(0, QsciScintilla::NumberMargin);
    showGutter(false);
}

MacroEditor::~MacroEditor() = default;

void MacroEditor::applyOptions(const ProgramOptions &options)
{
    setWantTabs(options.AllowTAB);
    setTabsToSpaces(options.TAB2Space);
    setSmartTabs(options.SmartTabs);
    if (options.KeyFound)
        setTabWidth(options.EditorTabWidth());
    setTextFont(FontFromOption(m_textFont, options.Font1));
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
    ApplyEditorFont(*this, m_lexer, font);
    Q_EMIT textFontChanged(font);
}

void MacroEditor::setAttributes(const MacroAttributeSet &attributes)
{
    delete m_lexer;
    m_lexer = new MacroLexer(attributes, this);
    m_syntax = false;
    showSyntaxColors();
}

void MacroEditor::showSyntaxColors()
{
    if (!m_lexer || m_syntax)
        return;
    m_syntax = true;
    // The lexer's styles draw the text from now on: they take the font and the background.
    ApplyEditorFont(*this, m_lexer, m_textFont);
    ApplyEditorBackground(*this, m_lexer, m_syntaxBackground);
    m_lexer->attach(this);
    showGutter(true);
}

void MacroEditor::setEditorColors(const EditorColors &colors)
{
    ApplySelectionColors(*this, colors);
    m_syntaxBackground = colors.background;
    // The connection's colours keep their own background.
    if (m_syntax)
        ApplyEditorBackground(*this, m_lexer, colors.background);
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

void MacroEditor::setupSearch(QWidget &window, Prompter &prompter)
{
    m_search = std::make_unique<EditorSearch>(*this, window, prompter, isMacroWordChar);
    m_search->session().setRunStarting([this] { Q_EMIT searchStarting(); });
}

SearchSession::MenuState MacroEditor::searchMenuState(bool macroPageShown, bool treeMaximized) const
{
    return m_search ? m_search->menuState(macroPageShown, !isBlank(), treeMaximized) : SearchSession::MenuState{};
}

void MacroEditor::MnFindClick()
{
    if (m_search)
        searchDone(m_search->ShowSearchReplaceDialog(false));
}

void MacroEditor::MnReplaceClick()
{
    if (m_search)
        searchDone(m_search->ShowSearchReplaceDialog(true));
}

void MacroEditor::MnFindNextClick()
{
    if (m_search)
        searchDone(m_search->DoSearchReplace(false, false));
}

void MacroEditor::MnFindPrevClick()
{
    if (m_search)
        searchDone(m_search->DoSearchReplace(false, true));
}

void MacroEditor::searchDone(const SearchOutcome &outcome)
{
    // The replacements are the user's edits, wherever the focus was while they were made.
    if (outcome.replaced > 0)
        Q_EMIT userEdited();
}

void MacroEditor::showWordHelp()
{
    MacroHelpTopic topic;
    Help::Result result = Help::Result::NotOpened;
    {
        // Looking the word up and starting the help viewer take a moment; a failure is told
        // with the pointer back.
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const auto hourglass = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
        topic = MacroHelpTopicFor(MacroWordAtCaret(*this))
                    .value_or(MacroHelpTopic{QStringLiteral("Wexmora.hlp"), MacroEditorHelpContext});
        result = Help::open(topic.file, topic.context);
    }
    if (result != Help::Result::Opened && m_prompter)
        m_prompter->error(Help::failureMessage(result, topic.file));
}

void MacroEditor::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if (key == Qt::Key_F1 && modifiers == Qt::ControlModifier) {
        event->accept();
        showWordHelp();
        return;
    }
    if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && !(modifiers & (Qt::ControlModifier | Qt::AltModifier))) {
        if (!m_wantTabs) {
            QWidget::focusNextPrevChild(key == Qt::Key_Tab && !(modifiers & Qt::ShiftModifier));
            event->accept();
            return;
        }
        if (key == Qt::Key_Tab && modifiers == Qt::NoModifier && m_smartTabs && typeSmartTab()) {
            event->accept();
            return;
        }
    }
    if (key == Qt::Key_Backspace && modifiers == Qt::NoModifier && m_smartTabs && typeSmartBackspace()) {
        event->accept();
        return;
    }
    TextEditor::keyPressEvent(event);
}

QString MacroEditor::lineWithoutBreak(int line) const
{
    QString text = QsciScintilla::text(line);
    while (text.endsWith(u'\n') || text.endsWith(u'\r'))
        text.chop(1);
    return text;
}

MacroEditor::CaretPlace MacroEditor::caretPlace() const
{
    CaretPlace place;
    place.position = SendScintilla(SCI_GETCURRENTPOS);
    place.line = int(SendScintilla(SCI_LINEFROMPOSITION, static_cast<unsigned long>(place.position)));
    place.column = int(SendScintilla(SCI_GETCOLUMN, static_cast<unsigned long>(place.position)));
    return place;
}

std::optional<int> MacroEditor::smartColumn(SmartRule rule, const CaretPlace &caret) const
{
    if (isReadOnly() || hasSelectedText())
        return std::nullopt;
    return rule(caret.line, caret.column, [this](int l) { return lineWithoutBreak(l); }, tabWidth());
}

bool MacroEditor::typeSmartTab()
{
    const CaretPlace caret = caretPlace();
    const std::optional<int> target = smartColumn(&SmartTabColumn, caret);
    if (!target || *target <= caret.column)
        return false;
    SendScintilla(SCI_REPLACESEL, 0UL, QByteArray(*target - caret.column, ' ').constData());
    return true;
}

bool MacroEditor::typeSmartBackspace()
{
    const CaretPlace caret = caretPlace();
    const std::optional<int> target = smartColumn(&SmartBackspaceColumn, caret);
    if (!target)
        return false;
    const long from = SendScintilla(SCI_FINDCOLUMN, static_cast<unsigned long>(caret.line), static_cast<long>(*target));
    SendScintilla(SCI_SETSEL, static_cast<unsigned long>(from), caret.position);
    SendScintilla(SCI_REPLACESEL, 0UL, "");
    return true;
}
