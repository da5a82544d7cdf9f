#include "mainwindow/ViewCommands.h"

#include <QSplitter>
#include <QTabWidget>

ViewCommands::ViewCommands(QSplitter &splitter, QWidget &tree, QTabWidget &pages, QTabWidget &settingsPages,
                           QObject *parent)
    : QObject(parent), m_splitter(splitter), m_tree(tree), m_pages(pages), m_settingsPages(settingsPages)
{
}

int ViewCommands::treeWidthBesidePages() const
{
    return m_state.widthBesidePages(m_tree.width());
}

void ViewCommands::showPage(int page, int settingsPage)
{
    m_pages.setCurrentIndex(page);
    if (settingsPage >= 0)
        m_settingsPages.setCurrentIndex(settingsPage);
    if (m_state.maximized())
        MnVTRestoreClick();
    Q_EMIT refreshRequested();
}

void ViewCommands::MnVTHideClick()
{
    m_state.hide(m_tree.width());
    Q_EMIT modeChanged(TreeViewState::Mode::Hide);
    m_pages.show();
    m_tree.hide();
    m_pages.setFocus(Qt::OtherFocusReason);
    Q_EMIT refreshRequested();
}

void ViewCommands::MnVTMaximizeClick()
{
    m_state.maximize(m_tree.width());
    Q_EMIT modeChanged(TreeViewState::Mode::Maximize);
    m_tree.show();
    m_pages.hide();
    m_tree.setFocus(Qt::OtherFocusReason);
    Q_EMIT refreshRequested();
}

void ViewCommands::MnVTRestoreClick()
{
    const int width = m_state.restore(m_tree.width());
    Q_EMIT modeChanged(TreeViewState::Mode::Restore);
    m_tree.show();
    m_pages.show();
    // The pages take what the tree leaves.
    const int total = m_splitter.width() - m_splitter.handleWidth();
    m_splitter.setSizes({width, qMax(0, total - width)});
    m_tree.setFocus(Qt::OtherFocusReason);
    Q_EMIT refreshRequested();
}
