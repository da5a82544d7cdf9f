#pragma once

#include "table/rVTNodeData.h"

#include <QList>

class ConnectionNode;

// The connection a run starts, with its ancestors below the top node, as copies: a run (or a
// sequence of runs) never depends on the tree staying as it was.
struct RunTarget
{
    // Outermost ancestor below RootNode first, the connection itself last. Empty: nothing to
    // run.
    QList<rVTNodeData> chain;
    // Whether the connection is CurrentNode, the one whose unapplied edits the editors hold.
    bool isCurrentNode = false;

    const rVTNodeData &connection() const { return chain.last(); }

    // The target for Node of a tree; CurrentNode is the node the editors show.
    static RunTarget fromNode(const ConnectionNode *node, const ConnectionNode *currentNode);
};
