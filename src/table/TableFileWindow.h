#pragma once

// What the table file commands ask of the main window beyond TableHost: the pages they
// reset, the focus and the refresh of the commands' enabled state.
class TableFileWindow
{
public:
    virtual ~TableFileWindow() = default;

    // A new table: the macro and popup editors emptied, the logging check box set to the
    // new-connection default, the colours page (when it is the active page) showing the
    // default scheme, and New disabled. Writes of the program's own, never an edit.
    virtual void resetPagesForNewTable() = 0;
    // The tree takes the keyboard focus when it can (it is shown and the window takes input).
    virtual void focusTree() = 0;
    virtual void RequestCommandRefresh() = 0;
};
