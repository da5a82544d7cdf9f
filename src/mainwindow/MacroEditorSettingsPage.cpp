#include "mainwindow/MacroEditorSettingsPage.h"
#include "ui_MacroEditorSettingsPage.h"

MacroEditorSettingsPage::MacroEditorSettingsPage(QWidget *parent)
    : QWidget(parent),
      ui(std::make_unique<Ui::MacroEditorSettingsPage>())
{
    ui->setupUi(this);
    for (int width = 2; width <= 32; ++width)
        ui->CBSpacePerTAB->addItem(QString::number(width));
    ui->CBSpacePerTAB->setCurrentIndex(4);
}

MacroEditorSettingsPage::~MacroEditorSettingsPage() = default;

int MacroEditorSettingsPage::tabWidth() const
{
    const int index = ui->CBSpacePerTAB->currentIndex();
    return index < 0 ? 0 : index + 2;
}

QCheckBox *MacroEditorSettingsPage::cbNoColors() const { return ui->cbNoColors; }
QRadioButton *MacroEditorSettingsPage::rbSyntax() const { return ui->rbSyntax; }
QRadioButton *MacroEditorSettingsPage::rbUseColorInEditor() const { return ui->rbUseColorInEditor; }
QCheckBox *MacroEditorSettingsPage::cbSameBkgr() const { return ui->cbSameBkgr; }
QCheckBox *MacroEditorSettingsPage::cbAllowTAB() const { return ui->cbAllowTAB; }
QCheckBox *MacroEditorSettingsPage::cbTAB2Space() const { return ui->cbTAB2Space; }
QCheckBox *MacroEditorSettingsPage::cbSmartTAB() const { return ui->cbSmartTAB; }
QLabel *MacroEditorSettingsPage::Label19() const { return ui->Label19; }
QComboBox *MacroEditorSettingsPage::CBSpacePerTAB() const { return ui->CBSpacePerTAB; }
QPushButton *MacroEditorSettingsPage::Button3() const { return ui->Button3; }
QCheckBox *MacroEditorSettingsPage::cbUseAsTTFont() const { return ui->cbUseAsTTFont; }
QLabel *MacroEditorSettingsPage::Label20() const { return ui->Label20; }
