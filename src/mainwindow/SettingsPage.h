#pragma once

#include "mainwindow/OptionsPage.h"

#include <QWidget>

#include <memory>

class GeneralSettingsPage;
class HighlighterPage;
class MacroEditorSettingsPage;
class NewConnectionsPage;
class QTabWidget;
class UserDataPage;

namespace Ui {
class SettingsPage;
}

// The page "Settings": the settings page control `PGSettings` with its five pages. Each page
// loads and saves the options it shows.
class SettingsPage : public QWidget, public OptionsPage
{
    Q_OBJECT
public:
    explicit SettingsPage(QWidget *parent = nullptr);
    ~SettingsPage() override;

    void loadOptions(const ProgramOptions &options) override;
    void saveOptions(ProgramOptions &options) const override;

    GeneralSettingsPage *general() const { return m_general; }
    UserDataPage *userData() const { return m_userData; }
    MacroEditorSettingsPage *macroEditor() const { return m_macroEditor; }
    HighlighterPage *highlighter() const { return m_highlighter; }
    NewConnectionsPage *newConnections() const { return m_newConnections; }

    // The controls, by their names.
    QTabWidget *PGSettings() const;

Q_SIGNALS:
    // One of the option controls of "General" or "Macro Editor" took the focus.
    void optionControlEntered();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void addPage(QWidget *page, const QString &caption);
    // The pages that show options, in the order they are loaded.
    QList<OptionsPage *> optionsPages() const;

    std::unique_ptr<Ui::SettingsPage> ui;
    GeneralSettingsPage *m_general = nullptr;
    UserDataPage *m_userData = nullptr;
    MacroEditorSettingsPage *m_macroEditor = nullptr;
    HighlighterPage *m_highlighter = nullptr;
    NewConnectionsPage *m_newConnections = nullptr;
};
