#pragma once

#include "table/rVTNodeData.h"

class ConnectionNode;
class ConnectionTree;

// Rebuilds branches from the Level numbers of records read in pre-order, as the file readers
// and the paste of nodes do. A record at the top level, and the first one placed, goes below
// Base; a deeper level makes a child of the previous record, however much deeper; a
// shallower one climbs from the previous record by the difference of the numbers, stopping
// at Base.
class LevelPlacer
{
public:
    // Levels count from TopLevel (1 in the files, 0 in a clipboard payload). Records placed
    // below Base stand before the child now at Row, in their order; -1 appends them.
    LevelPlacer(ConnectionTree &tree, ConnectionNode *base, qint64 topLevel = 1, int row = -1)
        : m_tree(tree), m_base(base), m_parent(base), m_topLevel(topLevel), m_prevLevel(topLevel), m_row(row)
    {
    }

    // Adds a node holding Record (its Level as the source gave it) and returns it; the
    // node's stored Level is then its depth.
    ConnectionNode *place(const rVTNodeData &record);

private:
    ConnectionTree &m_tree;
    ConnectionNode *m_base;
    ConnectionNode *m_parent;
    ConnectionNode *m_last = nullptr;
    qint64 m_topLevel;
    qint64 m_prevLevel;
    int m_row;
};
