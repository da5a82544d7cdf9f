#pragma once

#include "support/ScriptedPrompter.h"
#include "table/TableHost.h"

#include <QSet>
#include <QStringList>

class ConnectionNode;

// A window stand-in for the table's routines: keeps a selection and a focus of its own and
// records what the routines asked of the view.
class FakeTableHost : public TableHost
{
public:
    Prompter &prompter() override { return scripted; }
    ConnectionNode *focusedNode() const override { return focused; }
    QList<ConnectionNode *> selectedNodes() const override;
    bool isSelected(const ConnectionNode *node) const override;
    void setSelected(ConnectionNode *node, bool selected) override;
    void clearSelection() override { selection.clear(); }
    void setFocusedNode(ConnectionNode *node) override { focused = node; }
    void setExpanded(ConnectionNode *node, bool expanded) override;
    void showSettingsPage() override { ++settingsPageShown; }
    void VTChange(ConnectionNode *node) override { changedNodes.append(node); }
    void ShowFocusedNodeData() override { ++showFocusedCount; }
    void RequestCommandRefresh() override { ++refreshCount; }
    QString statusPanelText(int panel) const override { return statusPanels.value(panel); }
    void setStatusPanelText(int panel, const QString &text) override;
    void rbUseColorInEditorClick() override { ++editorColourings; }
    void BtnApplyClick() override { ++applyCount; }
    void SaveSettingsAndNotify() override { ++settingsSaved; }
    QByteArray ReadTeraTermColors() override { return teraTermColors; }
    void setWaitCursor(bool on) override { waitDepth += on ? 1 : -1; }

    ScriptedPrompter scripted;
    ConnectionNode *focused = nullptr;
    QList<ConnectionNode *> selection;       // in the order selected
    QSet<const ConnectionNode *> expanded;
    QList<ConnectionNode *> changedNodes;
    int showFocusedCount = 0;
    int settingsPageShown = 0;
    int refreshCount = 0;
    QStringList statusPanels{QString(), QString(), QString()};
    QList<int> statusPanelWrites;              // panel numbers, in the order written
    int editorColourings = 0;
    int applyCount = 0;
    int settingsSaved = 0;
    int waitDepth = 0;
    QByteArray teraTermColors = "0:0:0:255:255:216:0:0:255:255:255:216:0:255:255:255:255:216:0:0:255:255:255:216";
};
