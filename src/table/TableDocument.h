#pragma once

#include "table/ConnectionTree.h"
#include "table/FlagScope.h"

#include <QString>

class TableHost;

// The open connection table and the state the window's commands share: the file it came
// from, the two modified flags and the loading and copy flags that mute handlers.
class TableDocument
{
public:
    explicit TableDocument(TableHost &host);

    TableHost &host() const { return m_host; }
    ConnectionTree &tree() { return m_tree; }
    const ConnectionTree &tree() const { return m_tree; }
    ConnectionNode *RootNode() const { return m_tree.RootNode(); }

    // Path of the open table; empty for a new one.
    QString CurrentTableFile;
    // Pre-order position (RootNode 0) of the node reselected after a table is read.
    int SelectedNodeIndex = 0;
    // The node whose values the editors hold; cleared when its branch is removed.
    ConnectionNode *CurrentNode = nullptr;

    bool LoadingFlag = false;
    bool CopyInProgressFlag = false;
    bool CutModeFlag = false;
    bool InsertModeFlag = true;

    // The table differs from its file: drawn as "*" in the caption.
    bool tableModified() const { return m_tableModified; }
    void UpdateCaption(bool tableModified);
    // The caption: "Wexmora Configuration - [" + name + "*" when modified + "]".
    QString captionText() const;

    // The editors hold edits not yet applied to CurrentNode: drawn as "Modified" in panel 2.
    // While LoadingFlag is set every call clears it.
    bool IsNodeModified() const { return m_nodeModified; }
    void SetNodeModified(bool value);

    // The apply question, then the save question when the table is modified. Returns
    // Prompter::Cancel, Yes or No; never saves by itself.
    int AskSaveChanges();
    // The apply question alone, when the focused connection has unapplied edits: Yes
    // applies, No drops them. Returns Prompter::Cancel, Yes or No (No also when not asked).
    int AskApplyChanges();
    // The text of the apply question for the connection named Name (a stored field): two
    // blanks before the quote, one before the question mark.
    static QString ApplyQuestionText(const QByteArray &name);

private:
    TableHost &m_host;
    ConnectionTree m_tree;
    bool m_tableModified = false;
    bool m_nodeModified = false;
};

// Sets LoadingFlag for a scope and restores the value it had.
class LoadingScope : public FlagScope
{
public:
    explicit LoadingScope(TableDocument &doc, bool value = true) : FlagScope(doc.LoadingFlag, value) {}
};
