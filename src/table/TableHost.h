#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class ConnectionNode;
class Prompter;

// What the table's routines ask of the window that shows the tree: they change the core tree
// and the document state, and leave selection, focus, expansion and page contents to it.
// Tests implement it with a recording fake.
class TableHost
{
public:
    virtual ~TableHost() = default;

    virtual Prompter &prompter() = 0;

    // Selection as the view holds it (Qt's selection model is the one source of truth).
    virtual ConnectionNode *focusedNode() const = 0;
    virtual QList<ConnectionNode *> selectedNodes() const = 0;   // in pre-order
    virtual bool isSelected(const ConnectionNode *node) const = 0;
    virtual void setSelected(ConnectionNode *node, bool selected) = 0;
    virtual void clearSelection() = 0;
    // Makes Node the focused node (and current for the editors through VTChange).
    virtual void setFocusedNode(ConnectionNode *node) = 0;
    virtual void setExpanded(ConnectionNode *node, bool expanded) = 0;
    // Brings the first page of the page control ("Settings") to the front.
    virtual void showSettingsPage() = 0;

    // The node view: report Node as the changed node, show the focused node's values.
    virtual void VTChange(ConnectionNode *node) = 0;
    virtual void ShowFocusedNodeData() = 0;

    // Work out again which commands are available (debounced by the window).
    virtual void RequestCommandRefresh() = 0;

    // Text of a status bar panel: 0 last updated, 1 caret position, 2 "Modified".
    virtual QString statusPanelText(int panel) const = 0;
    virtual void setStatusPanelText(int panel, const QString &text) = 0;

    // Colour the macro editor again from the colours page's working set.
    virtual void rbUseColorInEditorClick() = 0;

    // Apply the editors' unapplied edits to the current node.
    virtual void BtnApplyClick() = 0;

    // Save the options and tell the launcher to reload them.
    virtual void SaveSettingsAndNotify() = 0;

    // TeraTerm's own colours in text form, from teraterm.ini of the program folder.
    virtual QByteArray ReadTeraTermColors() = 0;

    // The hourglass over long operations.
    virtual void setWaitCursor(bool on) = 0;
};

// Shows the hourglass for a scope and restores the cursor however the scope is left.
class WaitCursor
{
public:
    explicit WaitCursor(TableHost &host) : m_host(host) { m_host.setWaitCursor(true); }
    ~WaitCursor() { m_host.setWaitCursor(false); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

private:
    TableHost &m_host;
};
