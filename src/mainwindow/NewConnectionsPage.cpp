#include "mainwindow/NewConnectionsPage.h"
#include "ui_NewConnectionsPage.h"

#include "table/ColorSet.h"

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

QRadioButton *NewConnectionsPage::rbLog() const { return ui->rbLog; }
QRadioButton *NewConnectionsPage::rbDontLog() const { return ui->rbDontLog; }
QComboBox *NewConnectionsPage::cbDefColors() const { return ui->cbDefColors; }
