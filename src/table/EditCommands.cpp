#include "table/EditCommands.h"

#include "platform/FieldText.h"
#include "platform/Prompter.h"
#include "table/ConnectionTree.h"
#include "table/MoveCommands.h"
#include "table/NodeSelection.h"
#include "table/TableDocument.h"
#include "table/TableHost.h"
#include "table/TreeRules.h"
#include "table/UrlCodec.h"

#include <QLocale>

#include <algorithm>

namespace {

// Blanks and control characters (every byte up to 32) off both ends.
QByteArray trimmedText(const QByteArray &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && static_cast<unsigned char>(text.at(begin)) <= 32)
        ++begin;
    while (end > begin && static_cast<unsigned char>(text.at(end - 1)) <= 32)
        --end;
    return text.mid(begin, end - begin);
}

// A new connection's record below Parent.
rVTNodeData newConnection(TableDocument &doc, const ConnectionNode *parent, const NewConnectionDefaults &defaults)
{
    rVTNodeData d;
    d.Name = NewUnnamedConnectionName(doc);
    if (parent->data.Level > 0) {
        d.Colors = parent->data.Colors;
        d.LogSession = parent->data.LogSession;
    } else {
        d.Colors = DefaultColorsText(doc, defaults);
        d.LogSession = defaults.logging.value_or(false);
    }
    return d;
}

bool isTopNode(const ConnectionNode *node)
{
    return node && node->parent() && !node->parent()->parent();
}

void focusOnly(TableHost &host, ConnectionNode *node)
{
    host.clearSelection();
    host.setFocusedNode(node);
    host.setSelected(node, true);
}

QString deleteQuestionTail()
{
    return QStringLiteral(" will be deleted.\rDo you want to continue?");
}

} // namespace

QByteArray DefaultColorsText(TableDocument &doc, const NewConnectionDefaults &defaults)
{
    const int index = defaults.defaultColorsIndex;
    if (index == ColorSchemeCount)
        return doc.host().ReadTeraTermColors();
    if (index < 0 || index > ColorSchemeCount)
        return QByteArray(ColorSchemes[0].text);
    return QByteArray(ColorSchemes[index].text);
}

ConnectionNode *AddConnection(TableDocument &doc, AddMode mode, const NewConnectionDefaults &defaults)
{
    TableHost &host = doc.host();
    ConnectionTree &tree = doc.tree();
    ConnectionNode *focused = host.focusedNode();
    if (!focused || !focused->parent())
        return nullptr;
    ConnectionNode *added = nullptr;
    ConnectionNode *focusAfter = nullptr;
    switch (mode) {
    case AddMode::Child: {
        if (!IsRealConnection(focused))
            return nullptr;
        added = tree.addChild(focused, newConnection(doc, focused, defaults), 0);
        host.setExpanded(focused, true);
        focusAfter = focused;
        break;
    }
    case AddMode::Sibling: {
        if (isTopNode(focused))
            return nullptr;
        ConnectionNode *parent = focused->parent();
        added = tree.addChild(parent, newConnection(doc, parent, defaults), focused->row() + 1);
        host.setExpanded(focused, true);
        focusAfter = focused;
        break;
    }
    case AddMode::Separator: {
        rVTNodeData d;
        d.Name = SeparatorText;
        d.Colors = host.ReadTeraTermColors();
        d.LogSession = false;
        if (isTopNode(focused))
            added = tree.addChild(focused, d);
        else
            added = tree.addChild(focused->parent(), d, focused->row() + 1);
        focusAfter = added;
        break;
    }
    case AddMode::Duplicate: {
        if (isTopNode(focused))
            return nullptr;
        // While copying, a rename on the way is not checked against the siblings.
        FlagScope copying(doc.CopyInProgressFlag);
        added = tree.copyBranch(focused, focused->parent(), focused->row() + 1);
        VTNodeMoved(doc, added);
        if (IsSeparatorName(focused->data.Name)) {
            focused->data.Name = SeparatorText;
            added->data.Name = SeparatorText;
            tree.notifyChanged(focused);
        } else {
            added->data.Name = UniqueSiblingName(added);
        }
        tree.notifyChanged(added);
        focusAfter = added;
        break;
    }
    }
    focusOnly(host, focusAfter);
    doc.UpdateCaption(true);
    return added;
}

int CountSelectedForDelete(const TableDocument &doc, QByteArray &name, QByteArray &texts, int &childCount)
{
    const QList<ConnectionNode *> selected = doc.host().selectedNodes();
    int count = 0;
    for (const ConnectionNode *n : selected) {
        // A separator with children (only a file or a paste makes one) takes its branch
        // along, so it is counted and described like a connection.
        if (IsSeparatorName(n->data.Name) && !n->hasChildren())
            continue;
        ++count;
        if (n == doc.RootNode())
            continue;
        name = n->data.Name;
        texts = n->data.Macro + n->data.Popup;
        childCount = n->childCount();
    }
    return count;
}

bool ConfirmDelete(TableDocument &doc)
{
    Prompter &prompter = doc.host().prompter();
    if (doc.host().selectedNodes().isEmpty())
        return false;
    QByteArray name;
    QByteArray texts;
    int childCount = 0;
    const int n = CountSelectedForDelete(doc, name, texts, childCount);
    if (n > 1) {
        return prompter.ask(Prompter::Kind::Confirmation,
                            QStringLiteral("Deleting ") + QString::number(n)
                                + QStringLiteral(" connections. All descendant connections will be also deleted.\r"
                                                 "Do you want to continue?"),
                            Prompter::Buttons::YesNo)
            == Prompter::Yes;
    }
    if (n == 0)
        return true;
    QString text = QStringLiteral("Connection '") + DecodeField(name) + QStringLiteral("' with");
    if (childCount > 0)
        text += QStringLiteral(" all descendants \rand associated data");
    else if (!texts.isEmpty())
        text += QStringLiteral(" associated data");
    else
        return true;
    return prompter.ask(Prompter::Kind::Warning, text + deleteQuestionTail(), Prompter::Buttons::YesNo)
        != Prompter::No;
}

bool MnDeleteClick(TableDocument &doc)
{
    TableHost &host = doc.host();
    const QList<ConnectionNode *> selected = host.selectedNodes();
    ConnectionNode *root = doc.RootNode();
    if (selected.isEmpty() || !root || selected.contains(root)) {
        host.RequestCommandRefresh();
        return false;
    }
    bool go = false;
    ConnectionNode *current = doc.CurrentNode;
    if (doc.IsNodeModified() && current) {
        go = host.prompter().ask(Prompter::Kind::Warning,
                                 QStringLiteral("Do you want to discard all data assosiated with '")
                                     + DecodeField(current->data.Name) + QStringLiteral("' ?"),
                                 Prompter::Buttons::YesNo)
            == Prompter::Yes;
        // The question named one connection's edits; more than that goes only when the
        // usual question agrees too.
        const bool onlyCurrent = selected.size() == 1 && selected.first() == current && !current->hasChildren();
        if (go && !onlyCurrent)
            go = ConfirmDelete(doc);
        if (go)
            doc.SetNodeModified(false);
    } else {
        go = ConfirmDelete(doc);
    }
    if (!go) {
        host.RequestCommandRefresh();
        return false;
    }
    const QList<ConnectionNode *> tops = TopmostNodes(selected);
    ConnectionNode *focused = host.focusedNode();
    ConnectionNode *survivor = focused ? focused->parent() : root;
    while (survivor && IsInsideAny(survivor, tops))
        survivor = survivor->parent();
    if (!survivor || !survivor->parent())
        survivor = root;
    if (IsInsideAny(doc.CurrentNode, tops))
        doc.CurrentNode = nullptr;
    host.setFocusedNode(survivor);
    host.clearSelection();
    // Last first: a removal then renumbers only the rows after it.
    for (auto it = tops.crbegin(); it != tops.crend(); ++it)
        doc.tree().removeNode(*it);
    host.setSelected(survivor, true);
    doc.UpdateCaption(true);
    host.RequestCommandRefresh();
    return true;
}

QByteArray FormatLastUpdated(const QDateTime &when)
{
    // English day and month names whatever the user's locale: the launcher reads the stamp
    // and tables written by the Windows program hold it in that form.
    return QLocale(QLocale::English).toString(when, QStringLiteral("dddd, dd-MMM-yyyy HH:mm:ss")).toLatin1();
}

bool ApplyNodeEdits(TableDocument &doc, const NodeEdits &edits, const Clock &now)
{
    ConnectionNode *node = doc.CurrentNode;
    if (!node)
        return false;
    TableHost &host = doc.host();
    if (doc.hasCutCopyMark(node))
        doc.CancelCutOrCopy();
    rVTNodeData &d = node->data;
    d.Colors = FormatColorSet(edits.colors);
    d.Macro = UrlEncode(trimmedText(edits.macroText), true);
    d.Popup = UrlEncode(trimmedText(edits.popupText), true);
    d.LastUpdated = FormatLastUpdated(now ? now() : QDateTime::currentDateTime());
    d.Schedule = edits.schedule;
    const QString stamp = QString::fromLatin1(d.LastUpdated);
    if (!stamp.isEmpty() && !host.statusPanelText(0).contains(stamp))
        host.setStatusPanelText(0, QStringLiteral("  Last updated: ") + stamp);
    d.LogSession = edits.logSession;
    d.Kind = trimmedText(d.Macro).isEmpty() ? NodeKindEmptyMacro : NodeKindWithMacro;
    doc.tree().notifyChanged(node);
    doc.UpdateCaption(true);
    doc.SetNodeModified(false);
    host.rbUseColorInEditorClick();
    host.RequestCommandRefresh();
    return true;
}
