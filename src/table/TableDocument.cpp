#include "table/TableDocument.h"

#include "platform/FieldText.h"
#include "platform/FileUtil.h"
#include "table/NodeSelection.h"

#include <QFileInfo>

TableDocument::TableDocument(TableHost &host, QObject *parent) : QObject(parent), m_host(host)
{
    // CurrentNode and the marks must not outlive their nodes. Inside a bulk change (a table
    // read) nodes go without a signal; the reader sets CurrentNode itself, and the marks go
    // with the old table.
    connect(&m_tree, &ConnectionTree::nodesAboutToBeRemoved, this, [this](ConnectionNode *parent, int first, int last) {
        if (IsInBranchOfRows(CurrentNode, parent, first, last))
            CurrentNode = nullptr;
        forgetMarks(parent, first, last);
    });
    connect(&m_tree, &ConnectionTree::aboutToReset, this, &TableDocument::CancelCutOrCopy);
    connect(&m_tree, &ConnectionTree::resetDone, this, [this] {
        // The address is only compared, never followed, until the walk has found it.
        if (CurrentNode && m_tree.absoluteIndex(CurrentNode) < 0)
            CurrentNode = nullptr;
    });
}

void TableDocument::UpdateCaption(bool tableModified)
{
    m_tableModified = tableModified;
    Q_EMIT stateChanged();
}

QString TableDocument::captionText() const
{
    const QString name = CurrentTableFile.isEmpty() ? QStringLiteral("Noname.QDZ")
                                                    : GetShellDisplayName(CurrentTableFile);
    return QStringLiteral("Wexmora Configuration - [") + name
        + (m_tableModified ? QStringLiteral("*") : QString()) + QStringLiteral("]");
}

void TableDocument::SetNodeModified(bool value)
{
    const bool v = value && !LoadingFlag;
    if (v == m_nodeModified)
        return;
    m_nodeModified = v;
    Q_EMIT stateChanged();
}

QString TableDocument::ApplyQuestionText(const QByteArray &name)
{
    return QStringLiteral("Do you want to apply the changes you made to ") + QStringLiteral(" '") + ShownField(name)
        + QStringLiteral("' ?");
}

QString TableDocument::SaveQuestionText() const
{
    // The last path component: on Linux a backslash or a colon is part of a file name.
    const QString fileName = CurrentTableFile.isEmpty() ? QStringLiteral("Noname.QDZ")
                                                        : QFileInfo(CurrentTableFile).fileName();
    return QStringLiteral("Do you want to save the changes you made to ") + fileName + QStringLiteral("?");
}

void TableDocument::markCutOrCopy(const QList<ConnectionNode *> &tops, bool cut)
{
    m_cutCopyMarks.clear();
    for (const ConnectionNode *top : tops) {
        m_cutCopyMarks.insert(top);
        ConnectionTree::forEachBelow(top, [this](ConnectionNode *n) { m_cutCopyMarks.insert(n); });
    }
    m_cutCopyTops = tops;
    CutModeFlag = cut;
    Q_EMIT cutCopyMarkChanged();
}

void TableDocument::CancelCutOrCopy()
{
    if (m_cutCopyMarks.isEmpty() && m_cutCopyTops.isEmpty())
        return;
    m_cutCopyMarks.clear();
    m_cutCopyTops.clear();
    Q_EMIT cutCopyMarkChanged();
}

void TableDocument::forgetMarks(const ConnectionNode *parent, int first, int last)
{
    if (m_cutCopyMarks.isEmpty())
        return;
    for (int row = first; row <= last; ++row) {
        const ConnectionNode *removed = parent->child(row);
        m_cutCopyMarks.remove(removed);
        ConnectionTree::forEachBelow(removed, [this](ConnectionNode *n) { m_cutCopyMarks.remove(n); });
    }
    m_cutCopyTops.removeIf([&](const ConnectionNode *n) { return IsInBranchOfRows(n, parent, first, last); });
}
