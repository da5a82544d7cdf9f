#pragma once

#include "mainwindow/CoverPanel.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QFrame;
class QLabel;
class QToolButton;
class QsciScintilla;

namespace Ui {
class MacroPage;
}

// The page "Macro": the macro editor `Memo1`, the strip below it with the session-logging
// box, the value tip of the macro variables and the panel that covers the page when no single
// connection is shown.
class MacroPage : public QWidget
{
    Q_OBJECT
public:
    explicit MacroPage(QWidget *parent = nullptr);
    ~MacroPage() override;

    CoverPanel *TS1Panel() const { return m_cover; }
    QLabel *stLabel() const { return m_tip; }

    bool logSession() const;
    void setLogSession(bool on);

    // The controls, by their names.
    QsciScintilla *Memo1() const;
    QFrame *TS1bPanel() const;
    QCheckBox *cbLogSession() const;
    QToolButton *SpeedButton1() const;

private:
    std::unique_ptr<Ui::MacroPage> ui;
    CoverPanel *m_cover = nullptr;
    QLabel *m_tip = nullptr;
};
