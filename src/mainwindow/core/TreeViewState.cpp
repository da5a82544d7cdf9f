#include "mainwindow/core/TreeViewState.h"

void TreeViewState::hide(int currentWidth)
{
    if (m_mode == Mode::Restore)
        m_remembered = currentWidth;
    m_mode = Mode::Hide;
}

void TreeViewState::maximize(int currentWidth)
{
    if (m_mode == Mode::Restore)
        m_remembered = currentWidth;
    m_mode = Mode::Maximize;
}

int TreeViewState::restore(int currentWidth)
{
    const int width = widthBesidePages(currentWidth);
    m_mode = Mode::Restore;
    return width;
}

int TreeViewState::widthBesidePages(int currentWidth) const
{
    if (m_mode == Mode::Restore || m_remembered <= 0)
        return currentWidth;
    return m_remembered;
}

