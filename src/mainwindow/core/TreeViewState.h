#pragma once

// Whether the connection tree is shown beside the pages, hidden or alone, and the width that
// "Restore" gives it back: the width it had beside the pages before it was first hidden or
// maximized.
class TreeViewState
{
public:
    enum class Mode { Restore, Hide, Maximize };

    Mode mode() const { return m_mode; }
    bool maximized() const { return m_mode == Mode::Maximize; }

    // CurrentWidth: the tree's width as it is when the command runs. It is remembered only
    // while the tree stands beside the pages: a maximized tree is as wide as the window, and
    // a hidden one has no width to speak of.
    void hide(int currentWidth);
    void maximize(int currentWidth);
    // The width the tree gets back beside the pages. Before any Hide or Maximize nothing was
    // remembered, and the tree keeps CurrentWidth rather than vanishing.
    int restore(int currentWidth);

    // The width the tree has, or will get back, beside the pages.
    int widthBesidePages(int currentWidth) const;

private:
    Mode m_mode = Mode::Restore;
    int m_remembered = 0;
};

