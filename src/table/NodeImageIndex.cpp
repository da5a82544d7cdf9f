#include "table/NodeImageIndex.h"

#include "table/ConnectionTree.h"
#include "table/rVTNodeData.h"

int NodeImageIndex(const ConnectionNode *node, bool isRoot, bool marked, bool cutMode)
{
    if (!node)
        return -1;
    if (isRoot)
        return 0;
    int index = 1;
    if (IsSeparatorName(node->data.Name))
        index = 3;
    else if (!node->data.Macro.isEmpty())
        index = 2;
    return marked && cutMode ? index + 3 : index;
}
