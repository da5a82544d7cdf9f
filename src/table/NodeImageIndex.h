#pragma once

class ConnectionNode;

// The tree's icon of a node: 0 RootNode (also while marked), 1 a connection without a
// macro, 2 one with a macro, 3 a separator; 4, 5 and 6 stand for 1, 2 and 3 while the node
// carries the cut/copy mark of a cut (not of a copy).
int NodeImageIndex(const ConnectionNode *node, bool isRoot, bool marked, bool cutMode);
