#include "runner/RunTarget.h"

#include "table/ConnectionTree.h"

namespace {

// RootNode is the one child of the tree's invisible root.
bool isTopOrAbove(const ConnectionNode *node)
{
    return !node || !node->parent() || !node->parent()->parent();
}

} // namespace

RunTarget RunTarget::fromNode(const ConnectionNode *node, const ConnectionNode *currentNode)
{
    RunTarget target;
    if (!node || !node->parent())
        return target;
    target.isCurrentNode = node == currentNode;
    target.chain.prepend(node->data);
    if (isTopOrAbove(node))
        return target;
    for (const ConnectionNode *p = node->parent(); !isTopOrAbove(p); p = p->parent())
        target.chain.prepend(p->data);
    return target;
}
