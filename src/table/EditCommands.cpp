#include "table/EditCommands.h"

#include "platform/FieldText.h"
#include "platform/Prompter.h"
#include "table/ConnectionTree.h"
#include "table/MoveCommands.h"
#include "table/NodeSelection.h"
#include "table/TableDocument.h"
#include "table/TableHost.h"
#include "table/TreeRules.h"
#include "table/TreeSelection.h"
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
        d.Colors = DefaultColorsText(defaults);
        d.LogSession = defaults.logging.value_or(false);
    }
    return d;
}

bool isTopNode(const ConnectionNode *node)
{
    return node && node->parent() && !node->parent()->parent();
}

QString deleteQuestionTail()
{
    return QStringLiteral(" will be deleted.\rDo you want to continue?");
}

} // namespace

QByteArray DefaultColorsText(const NewConnectionDefaults &defaults)
{
    const int index = defaults.defaultColorsIndex;
    if (index == ColorSchemeCount)
        return defaults.teraTermColors;
    if (index < 0 || index > ColorSchemeCount)
        return QByteArray(ColorSchemes[0].text);
    return QByteArray(ColorSchemes[index].text);
}

AddedConnection AddConnection(TableDocument &doc, AddMode mode, ConnectionNode *focused,
                              const NewConnectionDefaults &defaults)
{
    ConnectionTree &tree = doc.tree();
    if (!focused || !focused->parent())
        return {};
    AddedConnection result;
    switch (mode) {
    case AddMode::Child: {
        if (!IsRealConnection(focused))
            return {};
        result.added = tree.addChild(focused, newConnection(doc, focused, defaults), 0);
        result.expand = focused;
        result.focus = focused;
        break;
    }
    case AddMode::Sibling: {
        if (isTopNode(focused))
            return {};
        ConnectionNode *parent = focused->parent();
        result.added = tree.addChild(parent, newConnection(doc, parent, defaults), focused->row() + 1);
        result.expand = focused;
        result.focus = focused;
        break;
    }
    case AddMode::Separator: {
        rVTNodeData d;
        d.Name = SeparatorText;
        d.Colors = defaults.teraTermColors;
        d.LogSession = false;
        if (isTopNode(focused))
            result.added = tree.addChild(focused, d);
        else
            result.added = tree.addChild(focused->parent(), d, focused->row() + 1);
        result.focus = result.added;
        break;
    }
    case AddMode::Duplicate: {
        if (isTopNode(focused))
            return {};
        // While copying, a rename on the way is not checked against the siblings.
        FlagScope copying(doc.CopyInProgressFlag);
        ConnectionNode *added = tree.copyBranch(focused, focused->parent(), focused->row() + 1);
        VTNodeMoved(doc, added);
        if (IsSeparatorName(focused->data.Name)) {
            focused->data.Name = SeparatorText;
            added->data.Name = SeparatorText;
            tree.notifyChanged(focused);
        } else {
            added->data.Name = UniqueSiblingName(added);
        }
        tree.notifyChanged(added);
        result.added = added;
        result.expand = added->parent();
        result.focus = added;
        break;
    }
    }
    doc.UpdateCaption(true);
    return result;
}

int CountSelectedForDelete(const TableDocument &doc, const QList<ConnectionNode *> &selected, QByteArray &name,
                           QByteArray &texts, int &childCount)
{
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

bool ConfirmDelete(TableDocument &doc, const QList<ConnectionNode *> &selected)
{
    Prompter &prompter = doc.host().prompter();
    if (selected.isEmpty())
        return false;
    QByteArray name;
    QByteArray texts;
    int childCount = 0;
    const int n = CountSelectedForDelete(doc, selected, name, texts, childCount);
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
    QString text = QStringLiteral("Connection '") + ShownField(name) + QStringLiteral("' with");
    if (childCount > 0)
        text += QStringLiteral(" all descendants \rand associated data");
    else if (!texts.isEmpty())
        text += QStringLiteral(" associated data");
    else
        return true;
    return prompter.ask(Prompter::Kind::Warning, text + deleteQuestionTail(), Prompter::Buttons::YesNo)
        != Prompter::No;
}

DeletePlan PlanDelete(TableDocument &doc, const TreeSelection &selection)
{
    const QList<ConnectionNode *> &selected = selection.nodes();
    ConnectionNode *root = doc.RootNode();
    if (selected.isEmpty() || !root || selection.contains(root))
        return {};
    bool go = false;
    ConnectionNode *current = doc.CurrentNode;
    if (doc.IsNodeModified() && current) {
        go = doc.host().prompter().ask(Prompter::Kind::Warning,
                                 QStringLiteral("Do you want to discard all data assosiated with '")
                                     + ShownField(current->data.Name) + QStringLiteral("' ?"),
                                 Prompter::Buttons::YesNo)
            == Prompter::Yes;
        // The question named one connection's edits; more than that goes only when the
        // usual question agrees too.
        const bool onlyCurrent = selected.size() == 1 && selected.first() == current && !current->hasChildren();
        if (go && !onlyCurrent)
            go = ConfirmDelete(doc, selected);
        if (go)
            doc.SetNodeModified(false);
    } else {
        go = ConfirmDelete(doc, selected);
    }
    if (!go)
        return {};
    DeletePlan plan;
    plan.tops = TopmostNodes(selected);
    ConnectionNode *focused = selection.focused();
    ConnectionNode *survivor = focused ? focused->parent() : root;
    while (survivor && IsInsideAny(survivor, plan.tops))
        survivor = survivor->parent();
    if (!survivor || !survivor->parent())
        survivor = root;
    plan.survivor = survivor;
    return plan;
}

void DeleteBranches(TableDocument &doc, const DeletePlan &plan)
{
    if (plan.isEmpty())
        return;
    if (IsInsideAny(doc.CurrentNode, plan.tops))
        doc.CurrentNode = nullptr;
    // Neighbouring branches go in one step each.
    doc.tree().removeNodes(plan.tops);
    doc.UpdateCaption(true);
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
    if (doc.hasCutCopyMark(node))
        doc.CancelCutOrCopy();
    rVTNodeData &d = node->data;
    d.Colors = FormatColorSet(edits.colors);
    d.Macro = UrlEncode(trimmedText(edits.macroText), true);
    d.Popup = UrlEncode(trimmedText(edits.popupText), true);
    d.LastUpdated = FormatLastUpdated(now ? now() : QDateTime::currentDateTime());
    d.Schedule = edits.schedule;
    d.LogSession = edits.logSession;
    d.Kind = trimmedText(d.Macro).isEmpty() ? NodeKindEmptyMacro : NodeKindWithMacro;
    doc.tree().notifyChanged(node);
    doc.UpdateCaption(true);
    doc.SetNodeModified(false);
    return true;
}
