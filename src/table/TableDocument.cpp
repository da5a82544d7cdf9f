#include "table/TableDocument.h"

#include "platform/FileUtil.h"
#include "platform/Prompter.h"
#include "platform/FieldText.h"
#include "table/TableHost.h"

#include <QFileInfo>

TableDocument::TableDocument(TableHost &host) : m_host(host)
{
    // CurrentNode must not outlive its node. Inside a bulk change (a table read) nodes go
    // without a signal; the reader sets CurrentNode itself.
    QObject::connect(&m_tree, &ConnectionTree::nodeAboutToBeRemoved, &m_tree, [this](ConnectionNode *node) {
        if (CurrentNode && (CurrentNode == node || node->isAncestorOf(CurrentNode)))
            CurrentNode = nullptr;
    });
}

void TableDocument::UpdateCaption(bool tableModified)
{
    m_tableModified = tableModified;
    m_host.documentStateChanged();
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
    m_host.documentStateChanged();
}

QString TableDocument::ApplyQuestionText(const QByteArray &name)
{
    return QStringLiteral("Do you want to apply the changes you made to ") + QStringLiteral(" '") + DecodeField(name)
        + QStringLiteral("' ?");
}

int TableDocument::AskApplyChanges()
{
    ConnectionNode *focused = m_host.focusedNode();
    if (!m_nodeModified || !focused || focused->data.Level < 1)
        return Prompter::No;
    const auto answer = m_host.prompter().ask(Prompter::Kind::Warning, ApplyQuestionText(focused->data.Name),
                                              Prompter::Buttons::YesNoCancel);
    if (answer == Prompter::Yes)
        m_host.BtnApplyClick();
    else if (answer != Prompter::Cancel)
        SetNodeModified(false);
    return answer;
}

int TableDocument::AskSaveChanges()
{
    // The last path component: on Linux a backslash or a colon is part of a file name.
    const QString fileName = CurrentTableFile.isEmpty() ? QStringLiteral("Noname.QDZ")
                                                        : QFileInfo(CurrentTableFile).fileName();
    int result = Prompter::No;
    if (AskApplyChanges() == Prompter::Cancel)
        return Prompter::Cancel;
    if (m_tableModified) {
        result = m_host.prompter().ask(
            Prompter::Kind::Warning,
            QStringLiteral("Do you want to save the changes you made to ") + fileName + QStringLiteral("?"),
            Prompter::Buttons::YesNoCancel);
    }
    return result;
}
