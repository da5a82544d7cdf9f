#pragma once

#include "mainwindow/OptionsPage.h"

#include <QWidget>

#include <memory>

class QLineEdit;
struct UserData;

namespace Ui {
class UserDataPage;
}

// The settings page "User Data": the values of the macro variables $name$, $email$, $phone$,
// $mobile$ and $pager$.
class UserDataPage : public QWidget, public OptionsPage
{
    Q_OBJECT
public:
    explicit UserDataPage(QWidget *parent = nullptr);
    ~UserDataPage() override;

    void loadOptions(const ProgramOptions &options) override;
    void saveOptions(ProgramOptions &options) const override;
    // The values as they read now, for a run.
    UserData userData() const;

    // The controls, by their names.
    QLineEdit *Edit1() const;
    QLineEdit *Edit2() const;
    QLineEdit *Edit3() const;
    QLineEdit *Edit9() const;
    QLineEdit *Edit10() const;

private:
    std::unique_ptr<Ui::UserDataPage> ui;
};
