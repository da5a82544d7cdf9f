#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TForm4;
}

// The licence window: the licence the program is distributed under, its title and eight
// justified paragraphs. It stays on top of the program's windows and closes only through its
// button (or Escape).
class TForm4 : public QDialog
{
    Q_OBJECT
public:
    explicit TForm4(QWidget *parent = nullptr);
    ~TForm4() override;

    // The licence's title as the about window links to it.
    QString licenceTitle() const;

private:
    std::unique_ptr<Ui::TForm4> ui;
};
