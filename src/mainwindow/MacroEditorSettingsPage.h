#pragma once

#include "mainwindow/OptionsPage.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;

namespace Ui {
class MacroEditorSettingsPage;
}

// The settings page "Macro Editor": colouring of the macro editor, TABs and the editor font.
// The colouring is syntax highlighting or the connection's colours; "Disable color support"
// forces syntax highlighting and locks the choice while it is ticked.
// The TAB options take effect as the user changes them: the page tells each change.
class MacroEditorSettingsPage : public QWidget, public OptionsPage
{
    Q_OBJECT
public:
    explicit MacroEditorSettingsPage(QWidget *parent = nullptr);
    ~MacroEditorSettingsPage() override;

    void loadOptions(const ProgramOptions &options) override;
    void saveOptions(ProgramOptions &options) const override;

    // The TAB width the list shows (2 to 32), 0 with nothing chosen.
    int tabWidth() const;

    // "Replace with spaces", "Smart TABs" and the TAB width with its label are offered only
    // while "Enable TABs" is checked; their own states stay as they are.
    void cbAllowTABClick();

    // The option controls whose focus clears the insert-mode display.
    QList<QWidget *> optionControls() const;

    // The macro editor shows the connection's colours ("Connection colors"), not syntax
    // highlighting.
    bool connectionColors() const;
    // The user ticked or cleared "Disable color support".
    void cbNoColorsClick();

    // The controls, by their names.
    QCheckBox *cbNoColors() const;
    QRadioButton *rbSyntax() const;
    QRadioButton *rbUseColorInEditor() const;
    QCheckBox *cbSameBkgr() const;
    QComboBox *CBSpacePerTAB() const;
    QPushButton *Button3() const;
    QCheckBox *cbUseAsTTFont() const;

Q_SIGNALS:
    // The user changed a TAB option.
    void tabsAllowedChanged(bool allowed);
    void tabsToSpacesChanged(bool on);
    void smartTabsChanged(bool on);
    void tabWidthChanged(int width);   // 2 to 32
    // The editor's colouring was switched; it is to follow.
    void colouringChanged();
    // "Disable color support" was ticked (Disabled) or cleared by the user.
    void colorSupportChanged(bool disabled);

private:
    // The colouring choices are open only while colour support is on.
    void enableColouringChoices();

    std::unique_ptr<Ui::MacroEditorSettingsPage> ui;
};
