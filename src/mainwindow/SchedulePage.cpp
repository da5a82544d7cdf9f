#include "mainwindow/SchedulePage.h"
#include "ui_SchedulePage.h"

#include "mainwindow/PassingFocus.h"
#include "mainwindow/TextFieldFilter.h"
#include "platform/Prompter.h"
#include "table/EditCommands.h"
#include "table/ScheduleRule.h"
#include "table/rVTNodeData.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

SchedulePage::SchedulePage(QWidget *parent)
    : NodePage(parent),
      ui(std::make_unique<Ui::SchedulePage>())
{
    ui->setupUi(this);
    createCover(QStringLiteral("TS4Panel"));
    // Clicks and typing are the user's alone: the program's writes send neither.
    connect(ui->cbSchedule, &QCheckBox::clicked, this, [this] { cbScheduleClick(true); });
    connect(ui->bValidate, &QPushButton::clicked, this, [this] { bValidateClick(true); });
    for (int which = 1; which <= ScheduleRule::FieldCount; ++which) {
        QLineEdit *f = field(which);
        f->installEventFilter(this);
        connect(f, &QLineEdit::textEdited, this, [this, f] { Edit4Change(f); });
    }
    cbScheduleClick(false);
}

SchedulePage::~SchedulePage() = default;

void SchedulePage::showNode(const rVTNodeData *record, const QString &coverReason)
{
    setCover(coverReason);
    if (!coverReason.isEmpty() || !record)
        return;
    const bool on = record->Schedule.startsWith('=');
    setScheduleOn(on);
    cbScheduleClick(false);
    if (on)
        ShowScheduleFields(record->Schedule);
}

void SchedulePage::collectEdits(NodeEdits &edits)
{
    bValidateClick(false);
    ScheduleRule::Fields fields;
    for (int which = 1; which <= ScheduleRule::FieldCount; ++which)
        fields[std::size_t(which - 1)] = fieldText(which);
    edits.schedule = ScheduleRule::buildRule(scheduleOn(), fields);
}

void SchedulePage::cbScheduleClick(bool byUser)
{
    const bool on = scheduleOn();
    for (int which = 1; which <= ScheduleRule::FieldCount; ++which) {
        QLineEdit *f = field(which);
        f->setEnabled(on);
        if (!on)
            f->clear();
        else if (f->text().trimmed().isEmpty())
            f->setText(QStringLiteral("*"));
    }
    ui->bValidate->setEnabled(on);
    if (byUser)
        Q_EMIT userEdited();
}

void SchedulePage::bValidateClick(bool byUser)
{
    m_corrections = 0;
    for (int which = 1; which <= ScheduleRule::FieldCount; ++which)
        NormalizeScheduleField(which);
    if (!byUser)
        return;
    if (m_prompter)
        m_prompter->information(ScheduleRule::verificationMessage(m_corrections));
    ui->bValidate->setEnabled(false);
}

void SchedulePage::NormalizeScheduleField(int which)
{
    QLineEdit *f = field(which);
    if (!f)
        return;
    const QString normal = ScheduleRule::NormalizeScheduleField(which, f->text(), m_corrections);
    if (normal != f->text())
        f->setText(normal);
}

void SchedulePage::ShowScheduleFields(const QByteArray &rule)
{
    const ScheduleRule::Fields fields = ScheduleRule::ShowScheduleFields(rule);
    for (int which = 1; which <= ScheduleRule::FieldCount; ++which)
        setFieldText(which, fields[std::size_t(which - 1)]);
    ui->bValidate->setEnabled(false);
}

void SchedulePage::pasteIntoField(int which, const QString &text)
{
    QLineEdit *f = field(which);
    if (!f)
        return;
    QString pasted = f->text();
    const int at = f->hasSelectedText() ? f->selectionStart() : f->cursorPosition();
    pasted.replace(at, f->selectedText().size(), ScheduleRule::fieldCharactersOf(text));
    int corrections = 0;
    const QString normal = ScheduleRule::NormalizeScheduleField(which, pasted, corrections);
    // One replacement of the whole text, which the field's undo takes back in one step.
    f->selectAll();
    f->insert(normal);
}

void SchedulePage::Edit4Change(QLineEdit *field)
{
    // What the user pasted or dropped is held to what typing lets in; the caret keeps its
    // place among the characters that stay.
    const QString text = field->text();
    const QString kept = ScheduleRule::fieldCharactersOf(text);
    if (kept != text) {
        const int caret = int(ScheduleRule::fieldCharactersOf(text.left(field->cursorPosition())).size());
        field->setText(kept);
        field->setCursorPosition(caret);
    }
    // "*" stands for every value: nothing else can stand beside it.
    if (field->text().contains(QLatin1Char('*')) && field->text() != QLatin1String("*")) {
        field->setText(QStringLiteral("*"));
        field->setCursorPosition(1);
    }
    ui->bValidate->setEnabled(true);
    Q_EMIT userEdited();
}

bool SchedulePage::Edit4KeyPress(QLineEdit *field, const QKeyEvent *key)
{
    const bool chord = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const QString text = key->text();
    const bool typed = !chord && !text.isEmpty() && text.at(0).isPrint();
    const bool backspace = key->key() == Qt::Key_Backspace;
    // Moving the caret, Delete and the Ctrl chords are the field's own.
    if (!typed && !backspace)
        return true;
    if (typed && ScheduleRule::fieldCharactersOf(text) != text)
        return false;
    if (!m_insertMode())
        TextFieldFilter::overwriteNextCharacter(field, key);
    return true;
}

void SchedulePage::Edit4Exit(QLineEdit *field)
{
    if (field->text().isEmpty())
        field->setText(QStringLiteral("*"));
}

int SchedulePage::whichField(const QObject *object) const
{
    for (int which = 1; which <= ScheduleRule::FieldCount; ++which)
        if (object == field(which))
            return which;
    return 0;
}

bool SchedulePage::eventFilter(QObject *watched, QEvent *event)
{
    const int which = whichField(watched);
    if (which == 0)
        return NodePage::eventFilter(watched, event);
    QLineEdit *f = field(which);
    if (event->type() == QEvent::KeyPress)
        return !Edit4KeyPress(f, static_cast<QKeyEvent *>(event));
    if (event->type() == QEvent::FocusOut && !IsPassingFocus(static_cast<QFocusEvent *>(event)))
        Edit4Exit(f);
    return false;
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
    return which >= 1 && which <= ScheduleRule::FieldCount ? fields[which - 1] : nullptr;
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
