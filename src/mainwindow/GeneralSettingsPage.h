#pragma once

#include "mainwindow/OptionsPage.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class TableHost;
class TMILAssociate;

namespace Ui {
class GeneralSettingsPage;
}

// The settings page "General": start-up, association, saving, the tray action, "Run all
// selected", the menu font and the update check.
class GeneralSettingsPage : public QWidget, public OptionsPage
{
    Q_OBJECT
public:
    explicit GeneralSettingsPage(QWidget *parent = nullptr);
    ~GeneralSettingsPage() override;

    void loadOptions(const ProgramOptions &options) override;
    void saveOptions(ProgramOptions &options) const override;

    // The tray actions this system offers: "lock the screen" only where the screen can be
    // locked, "start CygWin" only with CygTerm at hand. Stored action numbers follow the
    // full list; the options translate them through the items shown.
    void offerTrayActions(bool lockScreen, bool cygwin);
    QStringList dblClickItemsShown() const;

    // The "Run all selected" pause in seconds, as the delay list shows it (2 to 30).
    int delaySeconds() const;

    // The option controls whose focus clears the insert-mode display.
    QList<QWidget *> optionControls() const;
    // The association box shows whether table files open with the program (Association),
    // and ticking or clearing it changes that, under the hourglass, with failures reported
    // through Host. Both must outlive the page. Once per page.
    void attachAssociation(TMILAssociate &association, TableHost &host);

    // The controls, by their names.
    QCheckBox *cbRunOnStart() const;
    QCheckBox *cbAssociateExt() const;
    QCheckBox *cbAutoSave() const;
    QCheckBox *cbSelectlast() const;
    QComboBox *cbDoubleClickAction() const;
    QCheckBox *cbDoNotTile() const;
    QComboBox *CBDelay() const;
    QPushButton *Button4() const;
    QLabel *Label18() const;
    QCheckBox *cbFullPathMRU() const;
    QComboBox *cbUpdateInterval() const;

private:
    void cbAssociateExtClick();

    std::unique_ptr<Ui::GeneralSettingsPage> ui;
    TMILAssociate *m_association = nullptr;
    TableHost *m_host = nullptr;
};
