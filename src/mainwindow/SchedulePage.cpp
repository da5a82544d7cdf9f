#include "mainwindow/SchedulePage.h"
#include "ui_SchedulePage.h"

#include "platform/FieldText.h"
#include "table/EditCommands.h"
#include "table/rVTNodeData.h"

#include <QCheckBox>
#include <QLineEdit>

SchedulePage::SchedulePage(QWidget *parent)
    : NodePage(parent),
      ui(std::make_unique<Ui::SchedulePage>())
{
    ui->setupUi(this);
    createCover(QStringLiteral("TS4Panel"));
    // Clicks and typing are the user's alone: the program's writes send neither.
    connect(ui->cbSchedule, &QCheckBox::clicked, this, [this](bool on) {
        enableFields(on);
        Q_EMIT userEdited();
    });
    for (int which = 1; which <= 5; ++which)
        connect(field(which), &QLineEdit::textEdited, this, &NodePage::userEdited);
}

SchedulePage::~SchedulePage() = default;

void SchedulePage::showNode(const rVTNodeData *record, const QString &coverReason)
{
    setCover(coverReason);
    if (!coverReason.isEmpty() || !record)
        return;
    const bool on = record->Schedule.startsWith('=');
    setScheduleOn(on);
    enableFields(on);
    if (on) {
        const QStringList fields = DecodeField(record->Schedule.mid(1)).split(QLatin1Char(' '));
        for (int which = 1; which <= 5; ++which)
            setFieldText(which, which <= fields.size() ? fields.at(which - 1) : QString());
    }
}

void SchedulePage::collectEdits(NodeEdits &edits) const
{
    edits.schedule.clear();
    if (!scheduleOn())
        return;
    QStringList fields;
    for (int which = 1; which <= 5; ++which)
        fields.append(fieldText(which).trimmed());
    edits.schedule = '=' + EncodeField(fields.join(QLatin1Char(' ')));
}

void SchedulePage::enableFields(bool on)
{
    for (int which = 1; which <= 5; ++which)
        field(which)->setEnabled(on);
}

bool SchedulePage::scheduleOn() const
{
    return ui->cbSchedule->isChecked();
}

void SchedulePage::setScheduleOn(bool on)
{
    ui->cbSchedule->setChecked(on);
}

QLineEdit *SchedulePage::field(int which) const
{
    QLineEdit *const fields[] = {ui->Edit4, ui->Edit5, ui->Edit6, ui->Edit7, ui->Edit8};
    return which >= 1 && which <= 5 ? fields[which - 1] : nullptr;
}

QString SchedulePage::fieldText(int which) const
{
    const QLineEdit *f = field(which);
    return f ? f->text() : QString();
}

void SchedulePage::setFieldText(int which, const QString &text)
{
    if (QLineEdit *f = field(which))
        f->setText(text);
}

QCheckBox *SchedulePage::cbSchedule() const { return ui->cbSchedule; }
QLineEdit *SchedulePage::Edit4() const { return ui->Edit4; }
QLineEdit *SchedulePage::Edit5() const { return ui->Edit5; }
QLineEdit *SchedulePage::Edit6() const { return ui->Edit6; }
QLineEdit *SchedulePage::Edit7() const { return ui->Edit7; }
QLineEdit *SchedulePage::Edit8() const { return ui->Edit8; }
QPushButton *SchedulePage::bValidate() const { return ui->bValidate; }
QLabel *SchedulePage::Label14() const { return ui->Label14; }
QLabel *SchedulePage::Label15() const { return ui->Label15; }
