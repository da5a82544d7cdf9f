#pragma once

class ConnectionNode;

// What the file commands ask of the main window while a command runs: the steps between
// its questions, dialogs and reads that only the window can take. What follows a command
// as a whole the window reads off the command's result.
class FileCommandsWindow
{
public:
    virtual ~FileCommandsWindow() = default;

    // The apply question's Yes: the pages' unapplied edits are applied to CurrentNode.
    virtual void BtnApplyClick() = 0;
    // The tree was emptied for a new table (RootNode alone): the view focuses and selects
    // RootNode alone and shows the settings page; the macro and popup editors are emptied,
    // the logging box takes the new-connection default, the colours page (when it is the
    // active page) shows the default scheme, and New is disabled. Writes of the program's
    // own, never an edit.
    virtual void showNewTable() = 0;
    // A table file was written, or its writing tried: RootNode loses its selection, the
    // options are saved and the launcher told to reload them.
    virtual void tableWritten() = 0;
    // The tree takes the keyboard focus when it can (it is shown and the window takes input).
    virtual void focusTree() = 0;
    virtual void setSelected(ConnectionNode *node, bool selected) = 0;
};
