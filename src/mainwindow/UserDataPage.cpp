#include "mainwindow/UserDataPage.h"
#include "ui_UserDataPage.h"

#include "runner/RunContext.h"
#include "shell/ProgramOptions.h"

UserDataPage::UserDataPage(QWidget *parent)
    : QWidget(parent),
      ui(std::make_unique<Ui::UserDataPage>())
{
    ui->setupUi(this);
}

UserDataPage::~UserDataPage() = default;

void UserDataPage::loadOptions(const ProgramOptions &o)
{
    ui->Edit1->setText(o.VarName);
    ui->Edit2->setText(o.VarEmail);
    ui->Edit3->setText(o.VarPhone);
    ui->Edit9->setText(o.VarMobile);
    ui->Edit10->setText(o.VarPager);
}

void UserDataPage::saveOptions(ProgramOptions &o) const
{
    const UserData user = userData();
    o.VarName = user.name;
    o.VarEmail = user.email;
    o.VarPhone = user.phone;
    o.VarMobile = user.mobile;
    o.VarPager = user.pager;
}

UserData UserDataPage::userData() const
{
    return {ui->Edit1->text(), ui->Edit2->text(), ui->Edit3->text(), ui->Edit9->text(), ui->Edit10->text()};
}

QLineEdit *UserDataPage::Edit1() const { return ui->Edit1; }
QLineEdit *UserDataPage::Edit2() const { return ui->Edit2; }
QLineEdit *UserDataPage::Edit3() const { return ui->Edit3; }
QLineEdit *UserDataPage::Edit9() const { return ui->Edit9; }
QLineEdit *UserDataPage::Edit10() const { return ui->Edit10; }
