#pragma once

#include "macrolang/MacroAttribute.h"
#include "mainwindow/EditorLook.h"
#include "mainwindow/OptionsPage.h"

#include <QWidget>

#include <array>
#include <memory>

class CoverPanel;
class MacroAttributeSet;
class MacroLexer;
class Prompter;
class QCheckBox;
class QListWidget;
class QPushButton;
class QsciScintilla;
class StyleDialogs;

namespace Ui {
class HighlighterPage;
}

// The settings page "Highlighter": the colours and the bold, italic and underline styles of
// the macro highlighter's nine attributes, and the macro editor's four colours (selected
// text, active line, background), each shown at once in the read-only sample editor `Memo3`,
// which the highlighter colours. The attributes are the window's one set, which every macro
// editor's lexer follows; the four colours are the sample's, stored with the options, and
// the macro editor takes them from here (the background under syntax highlighting). There
// is no Cancel: a change takes effect as it is made.
class HighlighterPage : public QWidget, public OptionsPage
{
    Q_OBJECT
public:
    explicit HighlighterPage(QWidget *parent = nullptr);
    ~HighlighterPage() override;

    // The set the page edits and the sample is coloured with, where the reset question goes,
    // and the colour dialog; all must outlive the page. Once per page.
    void setup(MacroAttributeSet &attributes, Prompter &prompter, StyleDialogs &dialogs);
    void setStyleDialogs(StyleDialogs &dialogs) { m_dialogs = &dialogs; }

    // The four editor colours ("EditorSelectionForeground", "EditorSelectionBackground",
    // "EditorActLineColor", "EditorBgColor"); loading them tells the macro editor.
    void loadOptions(const ProgramOptions &options) override;
    void saveOptions(ProgramOptions &options) const override;

    // The four colours as the sample shows them (a system colour resolved).
    EditorColors editorColors() const;
    // The macro editor's font, which the sample shows.
    void setEditorFont(const QFont &font);

    CoverPanel *Panel1() const { return m_cover; }

    // The sample text, one entry a line.
    static QStringList sampleLines();
    // Selects the sample's fourth line with its line break, so the selection colours show.
    void selectSampleLine();

    // The element chosen in the list shows: its style boxes (only an attribute has styles),
    // the colour button (not for "WhiteSpace", which has no colour of its own).
    void ElementsClick();
    // The colour dialog for the chosen element; then, chosen or not, the macro editor takes
    // the sample's four colours.
    void btnChangeTTMColorsClick();
    // After the question: every attribute, and the four colours of both editors, back to
    // their defaults; the first element chosen in any case.
    void Button2Click();

    // The controls, by their names.
    QListWidget *Elements() const;
    QCheckBox *cbElemBold() const;
    QCheckBox *cbElemItalic() const;
    QCheckBox *cbElemUnderline() const;
    QPushButton *btnChangeTTMColors() const;
    QPushButton *Button2() const;
    QsciScintilla *Memo3() const;

Q_SIGNALS:
    // The macro editor is to take the sample's four colours.
    void editorColorsChanged(const EditorColors &colors);

private:
    // The four colours in list order from "Selected color foreground", as stored.
    using StoredColors = std::array<quint32, 4>;

    void styleBoxClicked(int styleBit, bool on);
    void changeAttributeColor(MacroAttribute attribute);
    void changeEditorColor(quint32 &stored);
    void showColors();
    int chosenElement() const;

    std::unique_ptr<Ui::HighlighterPage> ui;
    CoverPanel *m_cover = nullptr;
    MacroAttributeSet *m_attributes = nullptr;
    MacroLexer *m_lexer = nullptr;
    Prompter *m_prompter = nullptr;
    StyleDialogs *m_dialogs = nullptr;
    StoredColors m_colors;
};
