#pragma once

#include <QWidget>

#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace Ui {
class GeneralSettingsPage;
}

// The settings page "General": start-up, association, saving, the tray action, "Run all
// selected", the menu font and the update check.
class GeneralSettingsPage : public QWidget
{
    Q_OBJECT
public:
    explicit GeneralSettingsPage(QWidget *parent = nullptr);
    ~GeneralSettingsPage() override;

    // The "Run all selected" pause in seconds, as the delay list shows it (2 to 30).
    int delaySeconds() const;

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
    std::unique_ptr<Ui::GeneralSettingsPage> ui;
};
