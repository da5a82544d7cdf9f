#pragma once

#include "table/ConnectionTree.h"
#include "table/FlagScope.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

class TableHost;

// The open connection table and the state the window's commands share: the file it came
// from, the two modified flags, the loading and copy flags that mute handlers, and the mark
// of a pending cut or copy of branches.
class TableDocument : public QObject
{
    Q_OBJECT
public:
    explicit TableDocument(TableHost &host, QObject *parent = nullptr);

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
    // Node is CurrentNode or lies above it.
    bool BranchHoldsCurrentNode(const ConnectionNode *node) const
    {
        return node && CurrentNode && (node == CurrentNode || node->isAncestorOf(CurrentNode));
    }

    bool LoadingFlag = false;
    bool CopyInProgressFlag = false;
    // The marked branches were cut (a paste moves them), not copied.
    bool CutModeFlag = false;

    // The table differs from its file: drawn as "*" in the caption.
    bool tableModified() const { return m_tableModified; }
    void UpdateCaption(bool tableModified);
    // The caption: "Wexmora Configuration - [" + name + "*" when modified + "]".
    QString captionText() const;

    // The editors hold edits not yet applied to CurrentNode: drawn as "Modified" in panel 2.
    // While LoadingFlag is set every call clears it.
    bool IsNodeModified() const { return m_nodeModified; }
    void SetNodeModified(bool value);

    // The text of the apply question for the connection named Name (a stored field): two
    // blanks before the quote, one before the question mark.
    static QString ApplyQuestionText(const QByteArray &name);
    // The text of the save question for the open table: its file's name, or "Noname.QDZ".
    QString SaveQuestionText() const;

    // The mark of the branches last cut or copied to the clipboard: every node of them, as
    // they were then. A removed node loses it; a table read in one go drops it.
    bool hasCutCopyMark(const ConnectionNode *node) const { return node && m_cutCopyMarks.contains(node); }
    // The marked branches' top nodes, in tree order.
    const QList<ConnectionNode *> &cutCopyTops() const { return m_cutCopyTops; }
    // Marks the branches of Tops (top nodes, in tree order); Cut sets CutModeFlag to match.
    void markCutOrCopy(const QList<ConnectionNode *> &tops, bool cut);
    // Drops the mark from every node.
    void CancelCutOrCopy();

Q_SIGNALS:
    // The caption or the "Modified" mark changed.
    void stateChanged();
    // Nodes gained or lost the cut/copy mark.
    void cutCopyMarkChanged();

private:
    // Rows First to Last of Parent are about to go with their branches.
    void forgetMarks(const ConnectionNode *parent, int first, int last);

    TableHost &m_host;
    ConnectionTree m_tree;
    bool m_tableModified = false;
    bool m_nodeModified = false;
    QSet<const ConnectionNode *> m_cutCopyMarks;
    QList<ConnectionNode *> m_cutCopyTops;
};

// Sets LoadingFlag for a scope and restores the value it had.
class LoadingScope : public FlagScope
{
public:
    explicit LoadingScope(TableDocument &doc, bool value = true) : FlagScope(doc.LoadingFlag, value) {}
};
