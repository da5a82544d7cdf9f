#include "table/MoveCommands.h"

#include "table/ArrivingSiblingNames.h"
#include "table/ConnectionTree.h"
#include "table/NodeSelection.h"
#include "table/TableDocument.h"
#include "table/TreeRules.h"

#include <QSet>

#include <optional>

namespace {

// A connection's parent: null for RootNode and for the invisible root itself.
ConnectionNode *realParent(const ConnectionNode *node)
{
    ConnectionNode *p = node ? node->parent() : nullptr;
    return (p && p->parent()) ? p : nullptr;
}

// The first child of Parent at or after Row that is not being placed: new branches go in
// before it, so they keep their order whatever moves around them.
ConnectionNode *anchorAt(ConnectionNode *parent, int row, const QSet<const ConnectionNode *> &placed)
{
    ConnectionNode *anchor = (row >= 0) ? parent->child(row) : nullptr;
    while (anchor && placed.contains(anchor))
        anchor = anchor->nextSibling();
    return anchor;
}

bool moveBesideSibling(TableDocument &doc, ConnectionNode *focused, bool up)
{
    ConnectionNode *sibling = focused ? (up ? focused->prevSibling() : focused->nextSibling()) : nullptr;
    if (!sibling || !realParent(focused))
        return false;
    doc.tree().moveNode(focused, focused->parent(), up ? sibling->row() : sibling->row() + 1);
    // The tree keeps every Level; only the names below the parent need settling.
    AfterNodeMoved(doc, focused);
    doc.UpdateCaption(true);
    return true;
}

} // namespace

bool MnUpClick(TableDocument &doc, ConnectionNode *focused)
{
    return moveBesideSibling(doc, focused, true);
}

bool MnDownClick(TableDocument &doc, ConnectionNode *focused)
{
    return moveBesideSibling(doc, focused, false);
}

bool VTDragAllowed(const TableDocument &doc, const ConnectionNode *node)
{
    return node && node != doc.RootNode() && realParent(node);
}

bool CanDrop(const TableDocument &doc, const QList<ConnectionNode *> &draggedNodes,
             const ConnectionNode *target, DropPosition position)
{
    if (!target || position == DropPosition::Nowhere || !target->parent())
        return false;
    // Beside RootNode there is no parent to give a Level from, and the tree keeps one top node.
    if (position != DropPosition::On && !realParent(target))
        return false;
    const ConnectionNode *picked = draggedNodes.isEmpty() ? nullptr : doc.CurrentNode;
    if (picked && (target == picked || target == picked->parent()))
        return false;
    if (position == DropPosition::On && IsSeparatorName(target->data.Name))
        return false;
    if (picked && picked->isAncestorOf(target))
        return false;
    // The whole selection travels, not only the picked node: none of it may land inside itself.
    if (!draggedNodes.isEmpty()) {
        const QList<ConnectionNode *> tops = TopmostNodes(draggedNodes);
        if (tops.isEmpty() || IsInsideAny(target, tops))
            return false;
    }
    return true;
}

DropPlace DropPlaceFor(ConnectionNode *target, DropPosition position)
{
    if (!target || !target->parent())
        return {};
    switch (position) {
    case DropPosition::Above:
        return {target->parent(), target->row()};
    case DropPosition::On:
        if (IsSeparatorName(target->data.Name))
            return {target->parent(), target->row() + 1};
        return {target, -1};
    case DropPosition::Below:
        return {target->parent(), target->row() + 1};
    case DropPosition::Nowhere:
        break;
    }
    return {};
}

QList<ConnectionNode *> DropNodes(TableDocument &doc, const QList<ConnectionNode *> &draggedNodes,
                                  ConnectionNode *target, DropPosition position, bool copy)
{
    if (draggedNodes.isEmpty() || !CanDrop(doc, draggedNodes, target, position))
        return {};
    const DropPlace place = DropPlaceFor(target, position);
    QList<ConnectionNode *> placed = copy ? CopyNodes(doc, draggedNodes, place.parent, place.row)
                                          : MoveNodes(doc, draggedNodes, place.parent, place.row);
    if (!placed.isEmpty())
        doc.UpdateCaption(true);
    return placed;
}

QList<ConnectionNode *> PlaceInOrder(TableDocument &doc, ConnectionNode *parent, ConnectionNode *anchor,
                                     const std::function<ConnectionNode *()> &placeFirst,
                                     const std::function<QList<ConnectionNode *>()> &placeRest)
{
    ConnectionNode *first = placeFirst();
    if (!first)
        return {};
    std::optional<ArrivingSiblingNames> names;
    if (AfterNodeMoved(doc, first))
        names.emplace(parent, anchor);
    QList<ConnectionNode *> placed = placeRest();
    if (names) {
        for (ConnectionNode *n : std::as_const(placed))
            names->arrived(doc.tree(), n);
        // The clashes inside the branches that came, each group on its own.
        RenameDuplicateSiblings(doc, parent);
    }
    placed.prepend(first);
    return placed;
}

QList<ConnectionNode *> MoveNodes(TableDocument &doc, const QList<ConnectionNode *> &nodes,
                                  ConnectionNode *parent, int row)
{
    // Below the invisible root only RootNode may stand.
    if (!parent || !parent->parent())
        return {};
    const QList<ConnectionNode *> tops = TopmostNodes(nodes);
    if (tops.isEmpty() || IsInsideAny(parent, tops))
        return {};
    const QSet<const ConnectionNode *> moving(tops.cbegin(), tops.cend());
    ConnectionNode *anchor = anchorAt(parent, row, moving);
    ConnectionTree &tree = doc.tree();
    return PlaceInOrder(
        doc, parent, anchor,
        [&] {
            tree.moveNodes({tops.first()}, parent, anchor);
            return tops.first();
        },
        [&] {
            const QList<ConnectionNode *> rest = tops.mid(1);
            tree.moveNodes(rest, parent, anchor);
            return rest;
        });
}

QList<ConnectionNode *> CopyNodes(TableDocument &doc, const QList<ConnectionNode *> &nodes,
                                  ConnectionNode *parent, int row)
{
    if (!parent || !parent->parent())
        return {};
    const QList<ConnectionNode *> tops = TopmostNodes(nodes);
    if (tops.isEmpty())
        return {};
    ConnectionNode *anchor = anchorAt(parent, row, {});
    ConnectionTree &tree = doc.tree();
    auto rowOfAnchor = [&] { return anchor ? anchor->row() : -1; };
    return PlaceInOrder(
        doc, parent, anchor, [&] { return tree.copyBranch(tops.first(), parent, rowOfAnchor()); },
        [&] { return tree.copyBranches(tops.mid(1), parent, rowOfAnchor()); });
}

bool AfterNodeMoved(TableDocument &doc, ConnectionNode *node)
{
    ConnectionNode *parent = realParent(node);
    if (doc.LoadingFlag || !parent)
        return false;
    node->data.Level = parent->data.Level + 1;
    RenameDuplicateSiblings(doc, parent);
    doc.UpdateCaption(true);
    return true;
}

void VTNodeMoved(TableDocument &doc, ConnectionNode *node)
{
    if (AfterNodeMoved(doc, node))
        RelevelTree(doc);
}

void RelevelTree(TableDocument &doc)
{
    ConnectionNode *root = doc.RootNode();
    if (!root)
        return;
    root->data.Level = 0;
    ConnectionTree::forEachBelow(root, [](ConnectionNode *n) { n->data.Level = n->parent()->data.Level + 1; });
}
