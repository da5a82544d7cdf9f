#pragma once

#include <QString>

// What the hand-over receiver asks of the main window.
class HandOverWindow
{
public:
    virtual ~HandOverWindow() = default;

    // Restores the window when minimized, else raises it and gives it the focus.
    virtual void RestoreAndBringToFront() = 0;
    // Adds the connections of the table file Path to the open table.
    virtual void ImportConnections(const QString &path) = 0;
    // Closes the window the ordinary way: the close question may ask, save or refuse.
    virtual void closeAsUser() = 0;
    // The "Check for updates" command.
    virtual void runUpdateCheck() = 0;
    // The editors hold edits not yet applied to the node.
    virtual bool IsNodeModified() const = 0;
    // The table has unsaved changes (the caption shows "*").
    virtual bool tableModified() const = 0;
    // A modal dialog (a message box, a file dialog, a modal window) is open, or another loop
    // runs that must end first (the pause of "Run all selected").
    virtual bool modalDialogOpen() const = 0;
    // A table or exchange file is being read (the window paints meanwhile): no request may
    // change the tree or close the window before the read is done.
    virtual bool readingFile() const = 0;
};
