#include "mainwindow/core/CommandStateFacts.h"

#include "table/ConnectionTree.h"
#include "table/TableDocument.h"
#include "table/TableHost.h"

bool AncestorHasMacro(const ConnectionNode *node)
{
    if (!node)
        return false;
    // A node without a parent is the invisible top itself.
    for (const ConnectionNode *p = node->parent(); p && p->parent(); p = p->parent())
        if (!IsBlankText(p->data.Macro))
            return true;
    return false;
}

FocusedNodeFacts DescribeFocusedNode(const ConnectionNode *node, bool selected)
{
    FocusedNodeFacts f;
    if (!node)
        return f;
    f.present = true;
    f.isRoot = node->parent() && !node->parent()->parent();
    f.isSeparator = IsSeparatorName(node->data.Name);
    f.selected = selected;
    f.level = node->data.Level;
    f.hasPrevSibling = node->prevSibling() != nullptr;
    f.hasNextSibling = node->nextSibling() != nullptr;
    f.ancestorHasMacro = AncestorHasMacro(node);
    if (node->parent())
        f.parentColors = node->parent()->data.Colors;
    return f;
}

void FillTreeFacts(CommandStateInputs &in, const TableDocument &doc, const TableHost &host)
{
    const ConnectionNode *focused = host.focusedNode();
    in.focused = DescribeFocusedNode(focused, focused && host.isSelected(focused));
    in.selectedCount = static_cast<int>(host.selectedNodes().size());
    const ConnectionNode *root = doc.RootNode();
    in.rootSelected = root && host.isSelected(root);
    in.rootHasChildren = root && root->hasChildren();
    in.totalNodeCount = ConnectionTree::countBelow(doc.tree().invisibleRoot());
    in.tableModified = doc.tableModified();
    in.nodeModified = doc.IsNodeModified();
}
