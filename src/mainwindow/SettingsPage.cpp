#include "mainwindow/SettingsPage.h"
#include "ui_SettingsPage.h"

#include "mainwindow/GeneralSettingsPage.h"
#include "mainwindow/HighlighterPage.h"
#include "mainwindow/MacroEditorSettingsPage.h"
#include "mainwindow/NewConnectionsPage.h"
#include "mainwindow/UserDataPage.h"

#include <QScrollArea>

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
    addPage(m_general, QStringLiteral("General"));
    addPage(m_userData, QStringLiteral("User Data"));
    addPage(m_macroEditor, QStringLiteral("Macro Editor"));
    addPage(m_highlighter, QStringLiteral("Highlighter"));
    addPage(m_newConnections, QStringLiteral("New Connections"));
}

SettingsPage::~SettingsPage() = default;

QList<OptionsPage *> SettingsPage::optionsPages() const
{
    return {m_general, m_userData, m_macroEditor, m_highlighter, m_newConnections};
}

void SettingsPage::loadOptions(const ProgramOptions &options)
{
    for (OptionsPage *page : optionsPages())
        page->loadOptions(options);
}

void SettingsPage::saveOptions(ProgramOptions &options) const
{
    for (const OptionsPage *page : optionsPages())
        page->saveOptions(options);
}

void SettingsPage::addPage(QWidget *page, const QString &caption)
{
    // At the window's smallest size a page scrolls rather than squeezing its controls.
    auto *scroll = new QScrollArea(ui->PGSettings);
    scroll->setObjectName(page->objectName() + QLatin1String("Scroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(page);
    ui->PGSettings->addTab(scroll, caption);
}

QTabWidget *SettingsPage::PGSettings() const { return ui->PGSettings; }
