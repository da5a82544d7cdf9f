#pragma once

#include "mainwindow/CoverPanel.h"
#include "mainwindow/OptionsPage.h"
#include "shell/ProgramOptions.h"

#include <QWidget>

#include <memory>

class MacroAttributeSet;
class MacroLexer;
class QCheckBox;
class QListWidget;
class QPushButton;
class QsciScintilla;

namespace Ui {
class HighlighterPage;
}

// The settings page "Highlighter": colours and styles of the macro highlighter's elements,
// shown at once in the read-only sample editor `Memo3`, whose background is the macro
// editor's under syntax highlighting.
class HighlighterPage : public QWidget, public OptionsPage
{
    Q_OBJECT
public:
    explicit HighlighterPage(QWidget *parent = nullptr);
    ~HighlighterPage() override;

    // The sample editor's background ("EditorBgColor").
    void loadOptions(const ProgramOptions &options) override;
    void saveOptions(ProgramOptions &options) const override;

    // The sample is coloured with Attributes, the window's one set, and follows its changes.
    void setAttributes(MacroAttributeSet &attributes);
    MacroAttributeSet *attributes() const { return m_attributes; }
    // The macro editor's font, which the sample shows.
    void setEditorFont(const QFont &font);
    // The background as drawn (a system colour resolved).
    QColor editorBackground() const;

    CoverPanel *Panel1() const { return m_cover; }

    // The sample text, one entry a line.
    static QStringList sampleLines();
    // Selects the sample's fourth line with its line break, so the selection colours show.
    void selectSampleLine();

    // The controls, by their names.
    QListWidget *Elements() const;
    QCheckBox *cbElemBold() const;
    QCheckBox *cbElemItalic() const;
    QCheckBox *cbElemUnderline() const;
    QPushButton *btnChangeTTMColors() const;
    QPushButton *Button2() const;
    QsciScintilla *Memo3() const;

Q_SIGNALS:
    // The macro editor takes this background under syntax highlighting.
    void editorBackgroundChanged(const QColor &color);

private:
    void setEditorBackground(quint32 stored);

    std::unique_ptr<Ui::HighlighterPage> ui;
    CoverPanel *m_cover = nullptr;
    MacroAttributeSet *m_attributes = nullptr;
    MacroLexer *m_lexer = nullptr;
    quint32 m_background = StoredColor::SystemWindow;
};
