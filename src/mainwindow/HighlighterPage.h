#pragma once

#include "mainwindow/CoverPanel.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QListWidget;
class QPushButton;
class QsciScintilla;

namespace Ui {
class HighlighterPage;
}

// The settings page "Highlighter": colours and styles of the macro highlighter's elements,
// shown at once in the read-only sample editor `Memo3`.
class HighlighterPage : public QWidget
{
    Q_OBJECT
public:
    explicit HighlighterPage(QWidget *parent = nullptr);
    ~HighlighterPage() override;

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

private:
    std::unique_ptr<Ui::HighlighterPage> ui;
    CoverPanel *m_cover = nullptr;
};
