#pragma once

#include "table/TableHost.h"

class TForm1;

// What the table's routines ask of the main window, answered from its tree view: selection
// and focus are read from and written to the view's selection model, the rest goes to the
// window's handlers.
class TForm1TableHost : public TableHost
{
public:
    explicit TForm1TableHost(TForm1 &window) : m_window(window) {}

    Prompter &prompter() override;
    ConnectionNode *focusedNode() const override;
    QList<ConnectionNode *> selectedNodes() const override;
    bool isSelected(const ConnectionNode *node) const override;
    void setSelected(ConnectionNode *node, bool selected) override;
    void clearSelection() override;
    void setFocusedNode(ConnectionNode *node) override;
    void setExpanded(ConnectionNode *node, bool expanded) override;
    void showSettingsPage() override;
    void VTChange(ConnectionNode *node) override;
    void ShowFocusedNodeData() override;
    void RequestCommandRefresh() override;
    QString statusPanelText(int panel) const override;
    void setStatusPanelText(int panel, const QString &text) override;
    void rbUseColorInEditorClick() override;
    void BtnApplyClick() override;
    void SaveSettingsAndNotify() override;
    QByteArray ReadTeraTermColors() override;
    void setWaitCursor(bool on) override;

private:
    TForm1 &m_window;
};
