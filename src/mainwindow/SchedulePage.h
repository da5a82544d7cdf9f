#pragma once

#include "mainwindow/NodePage.h"

#include <functional>
#include <memory>

class CoverPanel;
class Prompter;
class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace Ui {
class SchedulePage;
}

// The page "Schedule": when the launcher runs the connection's macro, as five fields
// (minute, hour, day of month, month, day of week). The fields take input only while the
// schedule is on; each takes digits, "*" and "," however the text comes (typed, pasted or
// dropped), and "Verify values" (or Apply, silently) brings every field into its normal form.
class SchedulePage : public NodePage
{
    Q_OBJECT
public:
    explicit SchedulePage(QWidget *parent = nullptr);
    ~SchedulePage() override;

    // A stored rule ("=" and five fields split by single blanks) into the box and the fields;
    // missing fields show empty. Without a rule the box is off and the fields empty.
    void showNode(const rVTNodeData *record, const QString &coverReason) override;
    // The fields verified without a message, then the rule: "=" and the fields, each trimmed,
    // when the schedule is on; else empty.
    void collectEdits(NodeEdits &edits) override;

    // Where "Verify values" reports; without one it only verifies.
    void setPrompter(Prompter *prompter) { m_prompter = prompter; }
    // The window's one insert/overwrite mode: insert while it answers true.
    void setInsertMode(std::function<bool()> insertMode) { m_insertMode = std::move(insertMode); }

    // The box switched: the fields and "Verify values" follow it, and the fields hold "*"
    // (switched on) or nothing (off). ByUser: the user clicked it, which is an edit.
    void cbScheduleClick(bool byUser);
    // Every field normalised, the corrections counted; the user's click (ByUser) is told the
    // count and disables the button until the next change.
    void bValidateClick(bool byUser);
    // The five fields of a stored rule.
    void ShowScheduleFields(const QByteArray &rule);
    // The Paste command into field Which: Text replaces the selection (or goes in at the caret)
    // as far as typing would let it in, and the field then shows its normal form. One undo
    // takes the field back to what it held before.
    void pasteIntoField(int which, const QString &text);

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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Field Which (1 minute ... 5 day of week) in its normal form; its corrections are added to
    // the count of the current verification.
    void NormalizeScheduleField(int which);
    // The user changed Field's text.
    void Edit4Change(QLineEdit *field);
    // A key typed into Field: false when it is swallowed.
    bool Edit4KeyPress(QLineEdit *field, const QKeyEvent *key);
    void Edit4Exit(QLineEdit *field);
    int whichField(const QObject *object) const;

    std::unique_ptr<Ui::SchedulePage> ui;
    Prompter *m_prompter = nullptr;
    std::function<bool()> m_insertMode = [] { return true; };
    // The corrections of the current verification ("Verify values"'s Tag).
    int m_corrections = 0;
};
