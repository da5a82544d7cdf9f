#include "mainwindow/GeneralSettingsPage.h"
#include "ui_GeneralSettingsPage.h"

#include "components/AssociationChoice.h"
#include "components/TMILAssociate.h"
#include "shell/ProgramOptions.h"
#include "table/TableHost.h"

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

void GeneralSettingsPage::loadOptions(const ProgramOptions &o)
{
    ui->cbSelectlast->setChecked(o.SelectLast);
    ui->cbAutoSave->setChecked(o.AutoSave);
    ui->cbDoNotTile->setChecked(o.DoNotTile);
    ui->cbDoubleClickAction->setCurrentIndex(o.DblClickAction);
    ui->CBDelay->setCurrentIndex(o.MultiStartIndex);
    ui->cbFullPathMRU->setChecked(o.FullPathMRU);
    ui->cbUpdateInterval->setCurrentIndex(o.CheckUpdateInterval);
}

void GeneralSettingsPage::saveOptions(ProgramOptions &o) const
{
    o.SelectLast = ui->cbSelectlast->isChecked();
    o.AutoSave = ui->cbAutoSave->isChecked();
    o.DoNotTile = ui->cbDoNotTile->isChecked();
    o.DblClickAction = ui->cbDoubleClickAction->currentIndex();
    o.MultiStartIndex = ui->CBDelay->currentIndex();
    o.FullPathMRU = ui->cbFullPathMRU->isChecked();
    o.CheckUpdateInterval = ui->cbUpdateInterval->currentIndex();
}

void GeneralSettingsPage::offerTrayActions(bool lockScreen, bool cygwin)
{
    QComboBox *actions = ui->cbDoubleClickAction;
    if (!cygwin)
        actions->removeItem(6);
    if (!lockScreen)
        actions->removeItem(5);
    if (actions->currentIndex() < 0)
        actions->setCurrentIndex(0);
}

QStringList GeneralSettingsPage::dblClickItemsShown() const
{
    QStringList items;
    for (int i = 0; i < ui->cbDoubleClickAction->count(); ++i)
        items << ui->cbDoubleClickAction->itemText(i);
    return items;
}

int GeneralSettingsPage::delaySeconds() const
{
    return ui->CBDelay->currentIndex() + 2;
}

QList<QWidget *> GeneralSettingsPage::optionControls() const
{
    return {ui->cbRunOnStart, ui->cbAssociateExt, ui->cbAutoSave, ui->cbSelectlast, ui->cbDoubleClickAction,
            ui->cbDoNotTile, ui->CBDelay, ui->Button4, ui->cbFullPathMRU, ui->cbUpdateInterval};
}

void GeneralSettingsPage::attachAssociation(TMILAssociate &association, TableHost &host)
{
    m_association = &association;
    m_host = &host;
    ui->cbAssociateExt->setChecked(association.IsAssociated(QStringLiteral("QDZ")));
    // Only the user's click changes the association; the state shown here does not.
    connect(ui->cbAssociateExt, &QCheckBox::clicked, this, &GeneralSettingsPage::cbAssociateExtClick);
}

void GeneralSettingsPage::cbAssociateExtClick()
{
    const WaitCursor hourglass(*m_host);
    // The box shows what came of it, also when a write failed.
    ui->cbAssociateExt->setChecked(
        ApplyAssociationChoice(*m_association, ui->cbAssociateExt->isChecked(), m_host->prompter()));
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
