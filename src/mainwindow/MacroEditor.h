#pragma once

#include "components/SearchSession.h"
#include "mainwindow/TextEditor.h"

#include <QByteArray>
#include <QFont>

#include <functional>
#include <memory>
#include <optional>

class EditorSearch;
class Prompter;
struct ProgramOptions;

// The macro editor `Memo1`: the connection's macro, and what acts on it. Commands that work
// on the macro text connect to its slots; the highlighter, search, templates and printing
// belong here.
class MacroEditor : public TextEditor
{
    Q_OBJECT
public:
    explicit MacroEditor(QWidget *parent = nullptr);
    ~MacroEditor() override;

    // The editor options: the font (name, size and style) and, once options were stored, the
    // TAB width; without stored options the editor keeps its designed width.
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
    // The font the text is drawn in: with a highlighter, that of its default style.
    QFont textFont() const;
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

Q_SIGNALS:
    // A search or replace run starts: the window clears its status message.
    void searchStarting();

protected:
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

    std::unique_ptr<EditorSearch> m_search;
    bool m_wantTabs = true;
    bool m_smartTabs = false;
};
