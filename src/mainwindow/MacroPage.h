#pragma once

#include "mainwindow/NodePage.h"

#include <memory>

class CoverPanel;
class MacroEditor;
class QCheckBox;
class QFrame;
class QLabel;
class QToolButton;

namespace Ui {
class MacroPage;
}

// The page "Macro": the macro editor `Memo1`, the strip below it with the session-logging
// box, the value tip of the macro variables and the panel that covers the page when no single
// connection is shown.
class MacroPage : public NodePage
{
    Q_OBJECT
public:
    explicit MacroPage(QWidget *parent = nullptr);
    ~MacroPage() override;

    // The stored macro decoded and trimmed into the editor, the logging choice into the box.
    void showNode(const rVTNodeData *record, const QString &coverReason) override;
    void collectEdits(NodeEdits &edits) override;
    // A new table: the editor empty, the box as new connections log.
    void resetForNewTable(bool logSession);

    CoverPanel *TS1Panel() const { return coverPanel(); }
    QLabel *stLabel() const { return m_tip; }

    bool logSession() const;
    void setLogSession(bool on);

    // The controls, by their names.
    MacroEditor *Memo1() const;
    QFrame *TS1bPanel() const;
    QCheckBox *cbLogSession() const;
    QToolButton *SpeedButton1() const;

private:
    std::unique_ptr<Ui::MacroPage> ui;
    QLabel *m_tip = nullptr;
};
