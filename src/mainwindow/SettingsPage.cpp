#include "mainwindow/SettingsPage.h"
#include "ui_SettingsPage.h"

#include "mainwindow/GeneralSettingsPage.h"
#include "mainwindow/HighlighterPage.h"
#include "mainwindow/MacroEditorSettingsPage.h"
#include "mainwindow/NewConnectionsPage.h"
#include "mainwindow/UserDataPage.h"

SettingsPage::SettingsPage(QWidget *parent)
    : QWidget(parent),
      ui(std::make_unique<Ui::SettingsPage>())
{
    ui->setupUi(this);
    m_general = new GeneralSettingsPage(ui->PGSettings);
    m_userData = new UserDataPage(ui->PGSettings);
    m_macroEditor = new MacroEditorSettingsPage(ui->PGSettings);
    m_highlighter = new HighlighterPage(ui->PGSettings);
    m_newConnections = new NewConnectionsPage(ui->PGSettings);
    ui->PGSettings->addTab(m_general, QStringLiteral("General"));
    ui->PGSettings->addTab(m_userData, QStringLiteral("User Data"));
    ui->PGSettings->addTab(m_macroEditor, QStringLiteral("Macro Editor"));
    ui->PGSettings->addTab(m_highlighter, QStringLiteral("Highlighter"));
    ui->PGSettings->addTab(m_newConnections, QStringLiteral("New Connections"));
}

SettingsPage::~SettingsPage() = default;

QTabWidget *SettingsPage::PGSettings() const { return ui->PGSettings; }
