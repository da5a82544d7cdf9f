#pragma once

#include "table/ConnectionTree.h"
#include "table/rVTNodeData.h"

#include <QList>

// Rebuilds branches from the Level numbers of records read in pre-order, as the file readers
// and the paste of nodes do. A record at the top level, and the first one placed, goes below
// Base; a deeper level makes a child of the previous record, however much deeper; a
// shallower one climbs from the previous record by the difference of the numbers, stopping
// at Base. The branches are built apart and put into the tree by commit, many in one step,
// so observers of the tree hear of them in one insertion.
class LevelPlacer
{
public:
    // Levels count from TopLevel (1 in the files, 0 in a clipboard payload). Branches
    // committed below Base stand before the child now at Row, in their order; -1 appends them.
    LevelPlacer(ConnectionTree &tree, ConnectionNode *base, qint64 topLevel = 1, int row = -1);

    // Builds a node holding Record (its Level as the source gave it) and returns it; the
    // node's stored Level is its depth once committed, and it keeps its address.
    ConnectionNode *place(rVTNodeData record);
    // Puts the next Count branches built (all when -1) below Base, after those committed
    // before; returns their top nodes. Every record is placed before the first commit.
    QList<ConnectionNode *> commit(int count = -1);

private:
    ConnectionTree &m_tree;
    ConnectionNode *m_base;
    // The child of Base the branches go before (null: the end).
    ConnectionNode *m_anchor;
    // Where the branches are built: below Holder, which stands for Base.
    ConnectionTree m_built;
    ConnectionNode *m_holder;
    ConnectionNode *m_parent;
    ConnectionNode *m_last = nullptr;
    qint64 m_topLevel;
    qint64 m_prevLevel;
};
