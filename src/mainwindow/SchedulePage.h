#pragma once

#include "mainwindow/NodePage.h"

#include <memory>

class CoverPanel;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace Ui {
class SchedulePage;
}

// The page "Schedule": when the launcher runs the connection's macro, as five fields
// (minute, hour, day of month, month, day of week). The fields take input only while the
// schedule is on.
class SchedulePage : public NodePage
{
    Q_OBJECT
public:
    explicit SchedulePage(QWidget *parent = nullptr);
    ~SchedulePage() override;

    // A stored rule ("=" and five fields split by single blanks) into the box and the fields;
    // missing fields show empty.
    void showNode(const rVTNodeData *record, const QString &coverReason) override;
    // The rule: "=" and the fields as typed, each trimmed, when the schedule is on; else
    // empty.
    void collectEdits(NodeEdits &edits) const override;

    CoverPanel *TS4Panel() const { return coverPanel(); }

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
    void enableFields(bool on);

    std::unique_ptr<Ui::SchedulePage> ui;
};
