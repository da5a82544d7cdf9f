#pragma once

#include "mainwindow/CoverPanel.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace Ui {
class SchedulePage;
}

// The page "Schedule": when the launcher runs the connection's macro, as five fields
// (minute, hour, day of month, month, day of week).
class SchedulePage : public QWidget
{
    Q_OBJECT
public:
    explicit SchedulePage(QWidget *parent = nullptr);
    ~SchedulePage() override;

    CoverPanel *TS4Panel() const { return m_cover; }

    bool scheduleOn() const;
    void setScheduleOn(bool on);
    // Which: 1 minute, 2 hour, 3 day of month, 4 month, 5 day of week.
    QLineEdit *field(int which) const;
    QString fieldText(int which) const;
    void setFieldText(int which, const QString &text);

    // The controls, by their names.
    QCheckBox *cbSchedule() const;
    QLineEdit *Edit4() const;
    QLineEdit *Edit5() const;
    QLineEdit *Edit6() const;
    QLineEdit *Edit7() const;
    QLineEdit *Edit8() const;
    QPushButton *bValidate() const;
    QLabel *Label14() const;
    QLabel *Label15() const;

private:
    std::unique_ptr<Ui::SchedulePage> ui;
    CoverPanel *m_cover = nullptr;
};
