#pragma once

#include <QWidget>

#include <memory>

class QComboBox;
class QRadioButton;

namespace Ui {
class NewConnectionsPage;
}

// The settings page "New Connections": logging and colour scheme of connections added
// directly below the top node.
class NewConnectionsPage : public QWidget
{
    Q_OBJECT
public:
    explicit NewConnectionsPage(QWidget *parent = nullptr);
    ~NewConnectionsPage() override;

    // The controls, by their names.
    QRadioButton *rbLog() const;
    QRadioButton *rbDontLog() const;
    QComboBox *cbDefColors() const;

private:
    std::unique_ptr<Ui::NewConnectionsPage> ui;
};
