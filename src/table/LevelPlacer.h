#pragma once

#include "table/rVTNodeData.h"

class ConnectionNode;
class ConnectionTree;

// Rebuilds branches from the Level numbers of records read in pre-order, as both file
// readers do. A deeper level makes a child of the previous record, however much deeper; a
// shallower one climbs from the previous record by the difference of the file's numbers,
// stopping at RootNode.
class LevelPlacer
{
public:
    LevelPlacer(ConnectionTree &tree, ConnectionNode *rootNode) : m_tree(tree), m_rootNode(rootNode), m_parent(rootNode) {}

    // Appends a node holding Record (its Level as the file gave it) and returns it; the
    // node's stored Level is then its depth.
    ConnectionNode *place(const rVTNodeData &record);

private:
    ConnectionTree &m_tree;
    ConnectionNode *m_rootNode;
    ConnectionNode *m_parent;
    ConnectionNode *m_last = nullptr;
    qint64 m_prevLevel = 1;
};
