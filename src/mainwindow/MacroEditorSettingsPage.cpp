#include "mainwindow/MacroEditorSettingsPage.h"
#include "ui_MacroEditorSettingsPage.h"

#include "shell/ProgramOptions.h"

#include <QCheckBox>
#include <QRadioButton>

MacroEditorSettingsPage::MacroEditorSettingsPage(QWidget *parent)
    : QWidget(parent),
      ui(std::make_unique<Ui::MacroEditorSettingsPage>())
{
    ui->setupUi(this);
    for (int width = 2; width <= 32; ++width)
        ui->CBSpacePerTAB->addItem(QString::number(width));
    ui->CBSpacePerTAB->setCurrentIndex(4);
    cbAllowTABClick();

    connect(ui->cbAllowTAB, &QCheckBox::clicked, this, [this](bool on) {
        cbAllowTABClick();
        Q_EMIT tabsAllowedChanged(on);
    });
    connect(ui->cbTAB2Space, &QCheckBox::clicked, this, &MacroEditorSettingsPage::tabsToSpacesChanged);
    connect(ui->cbSmartTAB, &QCheckBox::clicked, this, &MacroEditorSettingsPage::smartTabsChanged);
    connect(ui->CBSpacePerTAB, &QComboBox::activated, this, [this] {
        if (tabWidth() > 0)
            Q_EMIT tabWidthChanged(tabWidth());
    });
    connect(ui->cbNoColors, &QCheckBox::clicked, this, &MacroEditorSettingsPage::cbNoColorsClick);
    // One of the two buttons turns on whenever the other turns off: its signal alone follows
    // every switch, the program's as the user's.
    connect(ui->rbUseColorInEditor, &QRadioButton::toggled, this, &MacroEditorSettingsPage::colouringChanged);
}

MacroEditorSettingsPage::~MacroEditorSettingsPage() = default;

void MacroEditorSettingsPage::loadOptions(const ProgramOptions &o)
{
    ui->cbNoColors->setChecked(o.NoColors);
    ui->rbUseColorInEditor->setChecked(o.UseColorsInEditor);
    ui->rbSyntax->setChecked(!o.UseColorsInEditor);
    ui->cbSameBkgr->setChecked(o.UseSameBackground);
    ui->cbAllowTAB->setChecked(o.AllowTAB);
    ui->cbTAB2Space->setChecked(o.TAB2Space);
    ui->cbSmartTAB->setChecked(o.SmartTabs);
    ui->CBSpacePerTAB->setCurrentIndex(o.SpacePerTABIndex);
    ui->cbUseAsTTFont->setChecked(o.UseAsTTFont);
    cbAllowTABClick();
    enableColouringChoices();
}

void MacroEditorSettingsPage::saveOptions(ProgramOptions &o) const
{
    o.NoColors = ui->cbNoColors->isChecked();
    o.UseColorsInEditor = ui->rbUseColorInEditor->isChecked();
    o.UseSameBackground = ui->cbSameBkgr->isChecked();
    o.AllowTAB = ui->cbAllowTAB->isChecked();
    o.TAB2Space = ui->cbTAB2Space->isChecked();
    o.SmartTabs = ui->cbSmartTAB->isChecked();
    o.SpacePerTABIndex = ui->CBSpacePerTAB->currentIndex();
    o.UseAsTTFont = ui->cbUseAsTTFont->isChecked();
}

void MacroEditorSettingsPage::cbAllowTABClick()
{
    const bool allowed = ui->cbAllowTAB->isChecked();
    for (QWidget *w : std::initializer_list<QWidget *>{ui->cbTAB2Space, ui->CBSpacePerTAB, ui->Label19, ui->cbSmartTAB})
        w->setEnabled(allowed);
}

QList<QWidget *> MacroEditorSettingsPage::optionControls() const
{
    return {ui->cbNoColors, ui->rbSyntax, ui->rbUseColorInEditor, ui->cbSameBkgr, ui->cbAllowTAB, ui->cbTAB2Space,
            ui->cbSmartTAB, ui->CBSpacePerTAB, ui->Button3, ui->cbUseAsTTFont};
}

bool MacroEditorSettingsPage::connectionColors() const
{
    return ui->rbUseColorInEditor->isChecked();
}

void MacroEditorSettingsPage::cbNoColorsClick()
{
    const bool disabled = ui->cbNoColors->isChecked();
    if (disabled) {
        // The two buttons are exclusive: checking one clears the other.
        ui->rbSyntax->setChecked(true);
        ui->cbSameBkgr->setChecked(false);
    }
    enableColouringChoices();
    Q_EMIT colorSupportChanged(disabled);
}

void MacroEditorSettingsPage::enableColouringChoices()
{
    const bool on = !ui->cbNoColors->isChecked();
    ui->rbUseColorInEditor->setEnabled(on);
    ui->rbSyntax->setEnabled(on);
    ui->cbSameBkgr->setEnabled(on);
}

int MacroEditorSettingsPage::tabWidth() const
{
    const int index = ui->CBSpacePerTAB->currentIndex();
    return index < 0 ? 0 : index + 2;
}

QCheckBox *MacroEditorSettingsPage::cbNoColors() const { return ui->cbNoColors; }
QRadioButton *MacroEditorSettingsPage::rbSyntax() const { return ui->rbSyntax; }
QRadioButton *MacroEditorSettingsPage::rbUseColorInEditor() const { return ui->rbUseColorInEditor; }
QCheckBox *MacroEditorSettingsPage::cbSameBkgr() const { return ui->cbSameBkgr; }
QComboBox *MacroEditorSettingsPage::CBSpacePerTAB() const { return ui->CBSpacePerTAB; }
QPushButton *MacroEditorSettingsPage::Button3() const { return ui->Button3; }
QCheckBox *MacroEditorSettingsPage::cbUseAsTTFont() const { return ui->cbUseAsTTFont; }
