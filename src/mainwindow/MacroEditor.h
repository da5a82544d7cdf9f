#pragma once

#include "components/SearchSession.h"
#include "mainwindow/EditorLook.h"
#include "mainwindow/TextEditor.h"

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

class EditorSearch;
class MacroAttributeSet;
class MacroLexer;
class Prompter;
struct ProgramOptions;
class QLabel;
class QTimer;

// The macro editor `Memo1`: the connection's macro, and what acts on it. Commands that work
// on the macro text connect to its slots; the highlighter, search, templates and printing
// belong here.
//
// It shows the macro in one of two colourings: syntax highlighting (the macro language's
// attributes on the editor background, line numbers in the gutter) or the connection's own
// terminal colours (no highlighting, no gutter). The editor font is the same in both.
class MacroEditor : public TextEditor
{
    Q_OBJECT
public:
    explicit MacroEditor(QWidget *parent = nullptr);
    ~MacroEditor() override;

    // The editor options: the TAB key's modes, the font (name, size and style) and, once
    // options were stored, the TAB width; without stored options the editor keeps its
    // designed width.
    void applyOptions(const ProgramOptions &options);

    // The TAB key: typed into the text only while TABs are allowed (else it moves the focus
    // on), as blanks to the next TAB stop, and as a smart TAB that lines up with the words of
    // the line above (Backspace in the indent then goes back to an indent above).
    void setWantTabs(bool on) { m_wantTabs = on; }
    bool wantTabs() const { return m_wantTabs; }
    void setTabsToSpaces(bool on) { setIndentationsUseTabs(!on); }
    bool tabsToSpaces() const { return !indentationsUseTabs(); }
    void setSmartTabs(bool on) { m_smartTabs = on; }
    bool smartTabs() const { return m_smartTabs; }

    // The caret's line, from 1.
    int caretLine() const;
    // The font the text is drawn in, whichever the colouring.
    QFont textFont() const { return m_textFont; }
    void setTextFont(const QFont &font);

    // Syntax highlighting comes from Attributes, the window's one set: a change of the set
    // repaints the macro. Until this is called the editor has no highlighting.
    void setAttributes(const MacroAttributeSet &attributes);
    // Syntax highlighting on the Highlighter page's background, with the gutter.
    void showSyntaxColors();
    // The Highlighter page's four colours: the selection's and the active line's at once, the
    // background whenever syntax highlighting shows.
    void setEditorColors(const EditorColors &colors);
    // The connection's colours: Text on Background, without highlighting or gutter.
    void showConnectionColors(const QColor &text, const QColor &background);
    bool showsSyntaxColors() const { return m_syntax; }

    // The caret line is marked only while the user types here: in connection colours with a
    // contrast of the editor's background, else in the highlighter's active-line colour.
    void showActiveLine(bool on, bool connectionColors, const QColor &highlighterLineColor);

    // Find and replace in the macro: Window owns the dialogs and places the confirmation,
    // Prompter shows the messages. Until then the search commands do nothing.
    void setupSearch(QWidget &window, Prompter &prompter);
    // The Search menu's items: Find and Replace need the macro page shown and a macro that is
    // more than blanks, and a tree that is not maximized; Find Next and Find Previous a search
    // text as well.
    SearchSession::MenuState searchMenuState(bool macroPageShown, bool treeMaximized) const;

    // The Search menu's commands.
    void MnFindClick();
    void MnReplaceClick();
    void MnFindNextClick();
    void MnFindPrevClick();

    // Templates (MacroEditor_Templates.cpp).
    // Inserts macro template Number (1 to 8) at the caret, or in place of the selection: on a
    // line of its own, the text after it moved to the next line, the caret after it. The
    // editor takes the focus and reports the edit as the user's, focused or not.
    void OpenTelnetsession1Click(int number);

    // The value tip of the macro variables (MacroEditor_ValueTip.cpp). A click with Ctrl held
    // on a word holding a variable's name shows its value in Tip (`stLabel`, a child of the
    // widget around the editor) for 3 seconds, or until the next click in the editor.
    // Values gives the value of variable 1 to 18 as a run would substitute it.
    using VariableValues = std::function<QByteArray(int index)>;
    void setValueTip(QLabel *tip, VariableValues values);
    // Shows variable Index's value above Point (in the tip's parent); nothing when it is empty.
    void ShowVariableValueTip(int index, const QPoint &point);

    // Where help failures are told.
    void setPrompter(Prompter *prompter) { m_prompter = prompter; }
    // Ctrl+F1: help on the macro word at the caret, in TeraTerm's macro help for its commands
    // and system variables, else in the program's own help (at the editor's topic for a word
    // without one, or between words).
    void showWordHelp();

Q_SIGNALS:
    void textFontChanged(const QFont &font);
    // A search or replace run starts: the window clears its status message.
    void searchStarting();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    struct CaretPlace
    {
        int line = 0;
        long position = 0;
        int column = 0;     // display column, TABs spread out
    };

    // A smart TAB or Backspace rule's column for the caret; none where the key stays ordinary.
    using SmartRule = std::optional<int> (*)(int line, int column, const std::function<QString(int)> &lineText,
                                             int tabWidth);

    void searchDone(const SearchOutcome &outcome);
    CaretPlace caretPlace() const;
    std::optional<int> smartColumn(SmartRule rule, const CaretPlace &caret) const;
    bool typeSmartTab();
    bool typeSmartBackspace();
    QString lineWithoutBreak(int line) const;
    void Memo1MouseDown(const QMouseEvent &event);
    void Timer6Timer();
    void showGutter(bool on);

    std::unique_ptr<EditorSearch> m_search;
    bool m_wantTabs = true;
    bool m_smartTabs = false;
    QPointer<QLabel> m_tip;
    VariableValues m_variableValues;
    QTimer *Timer6 = nullptr;
    MacroLexer *m_lexer = nullptr;
    QFont m_textFont;
    QColor m_syntaxBackground = Qt::white;
    bool m_syntax = false;
    Prompter *m_prompter = nullptr;
};
