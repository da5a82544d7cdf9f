#include "table/TreeRules.h"

#include "platform/FieldText.h"
#include "platform/Prompter.h"
#include "table/TableDocument.h"
#include "table/TableHost.h"

#include <QHash>
#include <QSet>

#include <unordered_set>

namespace {

const QByteArray kUnnamedPrefix = QByteArrayLiteral("Unnamed connection #");

// What the user typed, as a name: line breaks and other control characters a paste may bring
// become blanks, then everything below 33 is trimmed off both ends.
QString typedName(const QString &text)
{
    QString t = text;
    for (QChar &c : t)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    qsizetype begin = 0;
    qsizetype end = t.size();
    while (begin < end && t.at(begin).unicode() < 33)
        ++begin;
    while (end > begin && t.at(end - 1).unicode() < 33)
        --end;
    return t.mid(begin, end - begin);
}

// Renames the clashing children of one parent, last child first. The counts hold every child's
// current name; a rename only ever adds a name that was free and removes one copy of a name
// that another sibling still holds, so the set of taken names only grows and the first free
// copy number found for a name never needs to be tried again.
int renameClashingChildren(ConnectionTree &tree, ConnectionNode *parent)
{
    QHash<QByteArray, int> counts;
    counts.reserve(parent->childCount());
    for (int i = 0; i < parent->childCount(); ++i)
        ++counts[parent->child(i)->data.Name];
    QHash<QByteArray, int> nextCopy;
    int renamed = 0;
    for (int i = parent->childCount() - 1; i >= 0; --i) {
        ConnectionNode *child = parent->child(i);
        const QByteArray name = child->data.Name;
        if (IsSeparatorName(name) || counts.value(name) < 2)
            continue;
        int k = std::max(1, nextCopy.value(name));
        QByteArray candidate = CopyName(name, k);
        while (counts.contains(candidate))
            candidate = CopyName(name, ++k);
        nextCopy[name] = k + 1;
        --counts[name];
        counts[candidate] = 1;
        child->data.Name = candidate;
        tree.notifyChanged(child);
        ++renamed;
    }
    return renamed;
}

} // namespace

QByteArray CopyName(const QByteArray &name, int k)
{
    if (k == 0)
        return name;
    if (k == 1)
        return QByteArrayLiteral("Copy of ") + name;
    return QByteArrayLiteral("Copy (") + QByteArray::number(k) + QByteArrayLiteral(") of ") + name;
}

ConnectionNode *InitTree(TableDocument &doc)
{
    Q_ASSERT(doc.tree().invisibleRoot()->childCount() == 0);
    return doc.tree().addChild(nullptr, rVTNodeData{});
}

ConnectionNode *NewTable(TableDocument &doc)
{
    doc.CurrentNode = nullptr;
    doc.tree().clear();
    ConnectionNode *root = InitTree(doc);
    doc.CurrentTableFile.clear();
    doc.SetNodeModified(false);
    doc.UpdateCaption(false);
    return root;
}

bool IsRealConnection(const ConnectionNode *node)
{
    return node && !IsSeparatorName(node->data.Name);
}

QByteArray NewUnnamedConnectionName(const TableDocument &doc)
{
    // A name is ruled out when it occurs anywhere in the names written one after the other, so
    // "...#12" rules out "#1" too. Rather than searching that text once per number tried, read
    // the digits after every occurrence of the prefix: each leading run of them is a number
    // that occurs.
    QByteArray all;
    ConnectionTree::forEachBelow(doc.tree().invisibleRoot(),
                                 [&all](ConnectionNode *n) { all += n->data.Name; });
    std::unordered_set<quint64> taken;
    for (qsizetype at = all.indexOf(kUnnamedPrefix); at >= 0; at = all.indexOf(kUnnamedPrefix, at + 1)) {
        qsizetype p = at + kUnnamedPrefix.size();
        if (p >= all.size() || all.at(p) == '0')
            continue;  // a decimal number tried never starts with 0
        quint64 value = 0;
        // Eighteen digits are far beyond any number the search below can reach.
        for (int digits = 0; p < all.size() && digits < 18; ++p, ++digits) {
            const char c = all.at(p);
            if (c < '0' || c > '9')
                break;
            value = value * 10 + static_cast<quint64>(c - '0');
            taken.insert(value);
        }
    }
    quint64 n = 1;
    while (taken.count(n))
        ++n;
    return kUnnamedPrefix + QByteArray::number(n);
}

QByteArray UniqueSiblingName(const ConnectionNode *node)
{
    if (!node)
        return {};
    const QByteArray &name = node->data.Name;
    if (IsSeparatorName(name) || !node->parent())
        return name;
    const ConnectionNode *parent = node->parent();
    QSet<QByteArray> siblings;
    siblings.reserve(parent->childCount());
    for (int i = 0; i < parent->childCount(); ++i)
        if (parent->child(i) != node)
            siblings.insert(parent->child(i)->data.Name);
    int k = 0;
    QByteArray candidate = name;
    while (siblings.contains(candidate))
        candidate = CopyName(name, ++k);
    return candidate;
}

int RenameDuplicateSiblings(TableDocument &doc, ConnectionNode *parent)
{
    // Each parent's children are resolved among themselves alone, so the groups may be taken
    // in any order; only a group that gained a child or a name since its last check can clash.
    int count = 0;
    doc.tree().checkUncheckedNames(parent, [&](ConnectionNode *p) { count += renameClashingChildren(doc.tree(), p); });
    return count;
}

bool ValidateConnectionName(TableDocument &doc, const QByteArray &name, const ConnectionNode *node)
{
    Prompter &prompter = doc.host().prompter();
    if (name.contains('&')) {
        prompter.warning(QStringLiteral("Connection name cannot contain '&' character."));
        return false;
    }
    // The node's own name is no clash: typing " A " over "A" keeps the name.
    const ConnectionNode *parent = node ? node->parent() : nullptr;
    for (int i = 0; parent && i < parent->childCount(); ++i) {
        const ConnectionNode *sibling = parent->child(i);
        if (sibling != node && sibling->data.Name == name) {
            prompter.warning(QStringLiteral("Connection name has to be unique among its sibling connections."));
            return false;
        }
    }
    return true;
}

bool VTEditing(const TableDocument &doc, const ConnectionNode *node)
{
    return node && node != doc.RootNode();
}

RenameResult VTNewText(TableDocument &doc, ConnectionNode *node, const QString &newText,
                       const QByteArray &teraTermColors)
{
    if (!VTEditing(doc, node))
        return RenameResult::Refused;
    Prompter &prompter = doc.host().prompter();
    rVTNodeData &data = node->data;
    const QString trimmed = typedName(newText);
    if (trimmed.isEmpty()) {
        prompter.warning(QStringLiteral("Connection name cannot be empty."));
        return RenameResult::Refused;
    }
    RenameResult result = RenameResult::NameKept;
    const QByteArray name = EncodeField(trimmed);
    if (IsSeparatorName(name)) {
        const QString current = ShownField(data.Name);
        if (node->hasChildren()) {
            prompter.warning(QStringLiteral("Connection '") + current
                             + QStringLiteral("' cannot be replaced with separator line\r"
                                              "because it has at least one child."));
            return RenameResult::Refused;
        }
        if (!doc.LoadingFlag && !doc.CopyInProgressFlag) {
            const auto answer = prompter.ask(
                Prompter::Kind::Warning,
                QStringLiteral("Connection '") + current
                    + QStringLiteral("' will be converted into separator line.\n"
                                     "All associated data will be deleted.\n"
                                     "\rDo you want to continue?"),
                Prompter::Buttons::YesNo);
            if (answer != Prompter::Yes)
                return RenameResult::Refused;
        }
        data.Name = SeparatorText;
        data.Kind = NodeKindSeparator;
        data.Macro.clear();
        data.Popup.clear();
        data.LogSession = false;
        doc.tree().notifyChanged(node);
        result = RenameResult::MadeSeparator;
    } else if (doc.CopyInProgressFlag || ValidateConnectionName(doc, name, node)) {
        if (IsSeparatorName(data.Name)) {
            data.Macro.clear();
            data.Popup.clear();
            data.LogSession = true;
            const ConnectionNode *parent = node->parent();
            data.Colors = parent->data.Level > 0 ? parent->data.Colors : teraTermColors;
        }
        data.Name = name;
        doc.tree().notifyChanged(node);
        result = RenameResult::Renamed;
    }
    doc.UpdateCaption(true);
    return result;
}
