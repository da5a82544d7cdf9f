// The options that take effect at once: the macro editor's TABs and font, the menu font, and
// the status bar as an option control takes the focus.
#include "mainwindow/TForm1.h"

#include "mainwindow/FontFromOption.h"
#include "mainwindow/GeneralSettingsPage.h"
#include "mainwindow/HighlighterPage.h"
#include "mainwindow/MacroEditor.h"
#include "mainwindow/MacroEditorSettingsPage.h"
#include "mainwindow/SettingsPage.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

void TForm1::setupOptionHandlers()
{
    MacroEditorSettingsPage *editor = m_settingsPage->macroEditor();
    connect(editor, &MacroEditorSettingsPage::tabsAllowedChanged, Memo1, &MacroEditor::setWantTabs);
    connect(editor, &MacroEditorSettingsPage::tabsToSpacesChanged, Memo1, &MacroEditor::setTabsToSpaces);
    connect(editor, &MacroEditorSettingsPage::smartTabsChanged, Memo1, &MacroEditor::setSmartTabs);
    connect(editor, &MacroEditorSettingsPage::tabWidthChanged, Memo1, &QsciScintilla::setTabWidth);
    connect(editor->Button3(), &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(m_settingsPage->general()->Button4(), &QPushButton::clicked, this, &TForm1::Button4Click);
    // No editor has the focus: the insert mode no longer shows.
    connect(m_settingsPage, &SettingsPage::optionControlEntered, this, [this] { ShowInsertMode(false); });
}

void TForm1::setStyleDialogs(StyleDialogs *dialogs)
{
    m_styleDialogs = dialogs ? dialogs : &m_ownStyleDialogs;
    m_settingsPage->highlighter()->setStyleDialogs(*m_styleDialogs);
}

void TForm1::Button3Click()
{
    const std::optional<QFont> chosen = m_styleDialogs->chooseFont(Memo1->textFont(), this);
    if (!chosen)
        return;
    m_options.Font1 = FontOptionFrom(*chosen, m_options.Font1.CharSet);
    // The highlighter's sample follows the macro editor; the popup editor keeps its own size
    // and style.
    Memo1->setTextFont(*chosen);
    Memo2->applyFontName(m_options.Font1);
}

void TForm1::Button4Click()
{
    const std::optional<QFont> chosen = m_styleDialogs->chooseFont(menuBar()->font(), this);
    if (!chosen)
        return;
    m_options.Font2 = FontOptionFrom(*chosen, m_options.Font2.CharSet);
    applyMenuFont();
}

void TForm1::applyMenuFont()
{
    // Menus are windows of their own: the bar's font does not reach them by itself.
    const QFont font = FontFromOption(QApplication::font(menuBar()), m_options.Font2);
    menuBar()->setFont(font);
    for (QMenu *menu : findChildren<QMenu *>())
        menu->setFont(font);
}
