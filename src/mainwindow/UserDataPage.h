#pragma once

#include <QWidget>

#include <memory>

class QLineEdit;

namespace Ui {
class UserDataPage;
}

// The settings page "User Data": the values of the macro variables $name$, $email$, $phone$,
// $mobile$ and $pager$.
class UserDataPage : public QWidget
{
    Q_OBJECT
public:
    explicit UserDataPage(QWidget *parent = nullptr);
    ~UserDataPage() override;

    // The controls, by their names.
    QLineEdit *Edit1() const;
    QLineEdit *Edit2() const;
    QLineEdit *Edit3() const;
    QLineEdit *Edit9() const;
    QLineEdit *Edit10() const;

private:
    std::unique_ptr<Ui::UserDataPage> ui;
};
