#include "mainwindow/core/CommandStateFacts.h"

#include "table/ConnectionTree.h"
#include "table/TableDocument.h"
#include "table/TreeSelection.h"

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

void FillTreeFacts(CommandStateInputs &in, const TableDocument &doc, const TreeSelection &selection)
{
    const ConnectionNode *focused = selection.focused();
    in.focused = DescribeFocusedNode(focused, selection.contains(focused));
    in.selectedCount = static_cast<int>(selection.size());
    const ConnectionNode *root = doc.RootNode();
    in.rootSelected = selection.contains(root);
    in.rootHasChildren = root && root->hasChildren();
    in.totalNodeCount = doc.tree().nodeCount();
    in.tableModified = doc.tableModified();
    in.nodeModified = doc.IsNodeModified();
}
