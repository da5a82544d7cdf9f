#pragma once

#include "mainwindow/CoverPanel.h"

#include <QWidget>

#include <memory>

class QsciScintilla;

namespace Ui {
class PopupPage;
}

// The page "Popup": the popup editor `Memo2` and its covering panel.
class PopupPage : public QWidget
{
    Q_OBJECT
public:
    explicit PopupPage(QWidget *parent = nullptr);
    ~PopupPage() override;

    CoverPanel *TS2Panel() const { return m_cover; }

    // The controls, by their names.
    QsciScintilla *Memo2() const;

private:
    std::unique_ptr<Ui::PopupPage> ui;
    CoverPanel *m_cover = nullptr;
};
