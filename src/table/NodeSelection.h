#pragma once

#include <QList>

#include <vector>

class ConnectionNode;

// Helpers for commands that act on several selected branches at once.

// True when Node is one of Nodes or lies in the branch of one of them.
bool IsInsideAny(const ConnectionNode *node, const QList<ConnectionNode *> &nodes);

// True when Node is one of rows First to Last of Parent or lies in the branch of one of them.
bool IsInBranchOfRows(const ConnectionNode *node, const ConnectionNode *parent, int first, int last);

// The branches Nodes stand for, in tree order: every node without an ancestor among them,
// once. Nodes of the invisible root's level (RootNode) and null entries are left out, so the
// top node is never moved or removed even when it is selected with the rest.
QList<ConnectionNode *> TopmostNodes(const QList<ConnectionNode *> &nodes);

// True when A comes before B in pre-order (both of one tree).
bool PreorderLess(const ConnectionNode *a, const ConnectionNode *b);

// Rows from the top of the tree down to Node: comparing these orders nodes as the pre-order
// walk does.
std::vector<int> PreorderPath(const ConnectionNode *node);
