#pragma once

#include "mainwindow/core/TreeViewState.h"

#include <QObject>

class QSplitter;
class QTabWidget;
class QWidget;

// The View menu: which page `PG` (and on "Settings" which page of `PGSettings`) is shown, and
// whether the connection tree stands beside the pages, is hidden, or fills the window alone.
// The window checks the matching "Connection Tree" item; every command asks for a command
// refresh when done.
class ViewCommands : public QObject
{
    Q_OBJECT
public:
    // Tree and Pages are the two sides of Splitter.
    ViewCommands(QSplitter &splitter, QWidget &tree, QTabWidget &pages, QTabWidget &settingsPages,
                 QObject *parent = nullptr);

    TreeViewState::Mode mode() const { return m_state.mode(); }
    bool treeMaximized() const { return m_state.maximized(); }
    // The tree's width beside the pages: what the options keep while it is hidden or alone.
    int treeWidthBesidePages() const;

    // A page command: the page shown (SettingsPage too when it is not negative), and a
    // maximized tree put back beside the pages.
    void showPage(int page, int settingsPage = -1);
    void MnVTHideClick();
    void MnVTMaximizeClick();
    void MnVTRestoreClick();

Q_SIGNALS:
    // The tree view changed: the window checks the item of Mode.
    void modeChanged(TreeViewState::Mode mode);
    void refreshRequested();

private:
    QSplitter &m_splitter;
    QWidget &m_tree;
    QTabWidget &m_pages;
    QTabWidget &m_settingsPages;
    TreeViewState m_state;
};
