#pragma once

#include "mainwindow/NodePage.h"

#include <memory>

class CoverPanel;
class TextEditor;

namespace Ui {
class PopupPage;
}

// The page "Popup": the popup editor `Memo2` and its covering panel.
class PopupPage : public NodePage
{
    Q_OBJECT
public:
    explicit PopupPage(QWidget *parent = nullptr);
    ~PopupPage() override;

    // The stored popup text decoded into the editor, as it is (not trimmed).
    void showNode(const rVTNodeData *record, const QString &coverReason) override;
    void collectEdits(NodeEdits &edits) override;
    // A new table: the editor empty.
    void resetForNewTable();

    CoverPanel *TS2Panel() const { return coverPanel(); }

    // The controls, by their names.
    TextEditor *Memo2() const;

private:
    std::unique_ptr<Ui::PopupPage> ui;
};
