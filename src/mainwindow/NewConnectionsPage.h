#pragma once

#include "mainwindow/OptionsPage.h"
#include "table/EditCommands.h"

#include <QWidget>

#include <memory>

class QComboBox;
class QRadioButton;

namespace Ui {
class NewConnectionsPage;
}

// The settings page "New Connections": logging and colour scheme of connections added
// directly below the top node.
class NewConnectionsPage : public QWidget, public OptionsPage
{
    Q_OBJECT
public:
    explicit NewConnectionsPage(QWidget *parent = nullptr);
    ~NewConnectionsPage() override;

    // Neither logging button is set while the stored choice is unset.
    void loadOptions(const ProgramOptions &options) override;
    void saveOptions(ProgramOptions &options) const override;
    // The defaults as the page shows them now (TeraTerm's colours left to the caller).
    NewConnectionDefaults connectionDefaults() const;

    // The controls, by their names.
    QRadioButton *rbLog() const;
    QRadioButton *rbDontLog() const;
    QComboBox *cbDefColors() const;

private:
    std::unique_ptr<Ui::NewConnectionsPage> ui;
};
