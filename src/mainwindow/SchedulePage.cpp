#include "mainwindow/SchedulePage.h"
#include "ui_SchedulePage.h"

#include <QLineEdit>

SchedulePage::SchedulePage(QWidget *parent)
    : QWidget(parent),
      ui(std::make_unique<Ui::SchedulePage>())
{
    ui->setupUi(this);
    m_cover = new CoverPanel(QStringLiteral("TS4Panel"), this);
}

SchedulePage::~SchedulePage() = default;

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
