#pragma once

#include <QDialog>

#include <memory>

class TForm4;

namespace Ui {
class TForm6;
}

// The about window: the program's name, version and build, the maker's notices, links to
// the web (the maker's site and support forum on the update server's host, the program's
// page), the licence the program is distributed under, which opens the licence window, and
// the libraries it is built with.
class TForm6 : public QDialog
{
    Q_OBJECT
public:
    // ProgramBaseURL is the program's folder on the update server; Licence the licence
    // window, shown modally from here.
    TForm6(const QString &programBaseUrl, TForm4 &licence, QWidget *parent = nullptr);
    ~TForm6() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate(const QString &programBaseUrl);
    void Label10Click();

    std::unique_ptr<Ui::TForm6> ui;
    TForm4 &m_licence;
};
