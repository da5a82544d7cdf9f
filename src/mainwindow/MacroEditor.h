#pragma once

#include "mainwindow/TextEditor.h"

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QPointer>

#include <functional>

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

    // The editor options: the font (name, size and style) and, once options were stored, the
    // TAB width; without stored options the editor keeps its designed width.
    void applyOptions(const ProgramOptions &options);

    // The caret's line, from 1.
    int caretLine() const;
    // The font the text is drawn in, whichever the colouring.
    QFont textFont() const { return m_textFont; }
    void setTextFont(const QFont &font);

    // Syntax highlighting comes from Attributes, the window's one set: a change of the set
    // repaints the macro. Until this is called the editor has no highlighting.
    void setAttributes(const MacroAttributeSet &attributes);
    // Syntax highlighting on Background (the highlighter page's background), with the gutter.
    void showSyntaxColors();
    void setSyntaxBackground(const QColor &background);
    // The connection's colours: Text on Background, without highlighting or gutter.
    void showConnectionColors(const QColor &text, const QColor &background);
    bool showsSyntaxColors() const { return m_syntax; }

    // The caret line is marked only while the user types here: in connection colours with a
    // contrast of the editor's background, else in the highlighter's active-line colour.
    void showActiveLine(bool on, bool connectionColors, const QColor &highlighterLineColor);

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

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Memo1MouseDown(const QMouseEvent &event);
    void Timer6Timer();
    void showGutter(bool on);

    QPointer<QLabel> m_tip;
    VariableValues m_variableValues;
    QTimer *Timer6 = nullptr;
    MacroLexer *m_lexer = nullptr;
    QFont m_textFont;
    QColor m_syntaxBackground = Qt::white;
    bool m_syntax = false;
    Prompter *m_prompter = nullptr;
};
