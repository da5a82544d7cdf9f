#include "mainwindow/GeneralSettingsPage.h"
#include "ui_GeneralSettingsPage.h"

GeneralSettingsPage::GeneralSettingsPage(QWidget *parent)
    : QWidget(parent),
      ui(std::make_unique<Ui::GeneralSettingsPage>())
{
    ui->setupUi(this);
    // The association box names the program after the design's caption.
    ui->cbAssociateExt->setText(ui->cbAssociateExt->text() + QLatin1String("Wexmora"));
    for (int seconds = 2; seconds <= 30; ++seconds)
        ui->CBDelay->addItem(QString::number(seconds));
    ui->CBDelay->setCurrentIndex(3);
}

GeneralSettingsPage::~GeneralSettingsPage() = default;

int GeneralSettingsPage::delaySeconds() const
{
    return ui->CBDelay->currentIndex() + 2;
}

QCheckBox *GeneralSettingsPage::cbRunOnStart() const { return ui->cbRunOnStart; }
QCheckBox *GeneralSettingsPage::cbAssociateExt() const { return ui->cbAssociateExt; }
QCheckBox *GeneralSettingsPage::cbAutoSave() const { return ui->cbAutoSave; }
QCheckBox *GeneralSettingsPage::cbSelectlast() const { return ui->cbSelectlast; }
QComboBox *GeneralSettingsPage::cbDoubleClickAction() const { return ui->cbDoubleClickAction; }
QCheckBox *GeneralSettingsPage::cbDoNotTile() const { return ui->cbDoNotTile; }
QComboBox *GeneralSettingsPage::CBDelay() const { return ui->CBDelay; }
QPushButton *GeneralSettingsPage::Button4() const { return ui->Button4; }
QLabel *GeneralSettingsPage::Label18() const { return ui->Label18; }
QCheckBox *GeneralSettingsPage::cbFullPathMRU() const { return ui->cbFullPathMRU; }
QComboBox *GeneralSettingsPage::cbUpdateInterval() const { return ui->cbUpdateInterval; }
