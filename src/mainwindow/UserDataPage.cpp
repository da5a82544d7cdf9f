#include "mainwindow/UserDataPage.h"
#include "ui_UserDataPage.h"

UserDataPage::UserDataPage(QWidget *parent)
    : QWidget(parent),
      ui(std::make_unique<Ui::UserDataPage>())
{
    ui->setupUi(this);
}

UserDataPage::~UserDataPage() = default;

QLineEdit *UserDataPage::Edit1() const { return ui->Edit1; }
QLineEdit *UserDataPage::Edit2() const { return ui->Edit2; }
QLineEdit *UserDataPage::Edit3() const { return ui->Edit3; }
QLineEdit *UserDataPage::Edit9() const { return ui->Edit9; }
QLineEdit *UserDataPage::Edit10() const { return ui->Edit10; }
