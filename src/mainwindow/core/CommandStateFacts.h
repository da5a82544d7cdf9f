#pragma once

#include "mainwindow/core/CommandState.h"

class ConnectionNode;
class TableDocument;
class TreeSelection;

// The facts of Node the command rules read; Node may be null. Selected comes from the view.
FocusedNodeFacts DescribeFocusedNode(const ConnectionNode *node, bool selected);

// Fills the tree's part of the inputs (focused node, selection, counts, the two modified
// marks) from the document and the view's selection.
void FillTreeFacts(CommandStateInputs &in, const TableDocument &doc, const TreeSelection &selection);

// Walks from Node's parent upward, below the tree's invisible top, for a stored Macro that
// is not empty after trimming.
bool AncestorHasMacro(const ConnectionNode *node);
