#pragma once

#include "table/rVTNodeData.h"

#include <QList>

class ConnectionNode;
class ConnectionTree;

// Tables of the size users keep, of the shape they keep them in: 90 sites of racks of ten
// connections each (four levels with RootNode), and a tenth of the table as connections
// directly below RootNode, the sites spread evenly among them. Every record is about 600
// bytes in the file (a 400-byte macro, a popup, colours, a time stamp). Names are unique
// among their siblings.

inline constexpr int GeneratedSites = 90;
inline constexpr int GeneratedRackSize = 10;

// The I-th generated record, named Name.
rVTNodeData GeneratedRecord(int i, const QByteArray &name);
// The record of the I-th connection directly below RootNode: "host-" + I.
rVTNodeData GeneratedTopConnection(int i);

// Adds the branch of site number Site below Parent: Count nodes in all, the site node, then its
// racks of connections in tree order (the last rack holds what is left). The records are
// GeneratedRecord(First), GeneratedRecord(First + 1), ... in tree order. Returns the site node.
ConnectionNode *AddGeneratedSite(ConnectionTree &tree, ConnectionNode *parent, int site, int count, int first = 0);

// Adds about Count nodes below RootNode (made when the tree has none) after its present
// children, in one bulk change. Returns the number added.
int BuildGeneratedTable(ConnectionTree &tree, int count);
// The sites (top nodes of the branches of racks) below RootNode, in tree order.
QList<ConnectionNode *> GeneratedSitesOf(const ConnectionTree &tree);
