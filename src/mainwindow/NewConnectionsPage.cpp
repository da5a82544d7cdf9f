#include "mainwindow/NewConnectionsPage.h"
#include "ui_NewConnectionsPage.h"

#include "shell/ProgramOptions.h"
#include "table/ColorSet.h"

namespace {

// Sets a radio button of a pair without its partner following, so both can be cleared.
void setRadio(QRadioButton *button, bool checked)
{
    button->setAutoExclusive(false);
    button->setChecked(checked);
    button->setAutoExclusive(true);
}

} // namespace

NewConnectionsPage::NewConnectionsPage(QWidget *parent)
    : QWidget(parent),
      ui(std::make_unique<Ui::NewConnectionsPage>())
{
    ui->setupUi(this);
    for (const ColorScheme &scheme : ColorSchemes)
        ui->cbDefColors->addItem(QLatin1String(scheme.name));
    ui->cbDefColors->addItem(QLatin1String(FromTeraTermIniScheme));
    ui->cbDefColors->setCurrentIndex(ui->cbDefColors->count() - 1);
}

NewConnectionsPage::~NewConnectionsPage() = default;

void NewConnectionsPage::loadOptions(const ProgramOptions &o)
{
    setRadio(ui->rbLog, o.Logging == LoggingChoice::Log);
    setRadio(ui->rbDontLog, o.Logging == LoggingChoice::DontLog);
    ui->cbDefColors->setCurrentIndex(o.DefaultColors);
}

void NewConnectionsPage::saveOptions(ProgramOptions &o) const
{
    // A choice never made stays unmade.
    if (ui->rbLog->isChecked())
        o.Logging = LoggingChoice::Log;
    else if (ui->rbDontLog->isChecked())
        o.Logging = LoggingChoice::DontLog;
    o.DefaultColors = ui->cbDefColors->currentIndex();
}

NewConnectionDefaults NewConnectionsPage::connectionDefaults() const
{
    NewConnectionDefaults defaults;
    // An unset list counts as the first scheme (the lookup takes care of it).
    defaults.defaultColorsIndex = ui->cbDefColors->currentIndex();
    if (ui->rbLog->isChecked())
        defaults.logging = true;
    else if (ui->rbDontLog->isChecked())
        defaults.logging = false;
    return defaults;
}

QRadioButton *NewConnectionsPage::rbLog() const { return ui->rbLog; }
QRadioButton *NewConnectionsPage::rbDontLog() const { return ui->rbDontLog; }
QComboBox *NewConnectionsPage::cbDefColors() const { return ui->cbDefColors; }
