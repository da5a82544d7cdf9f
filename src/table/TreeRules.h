#pragma once

#include <QByteArray>
#include <QString>

class ConnectionNode;
class TableDocument;

// Empties nothing: adds RootNode to an empty tree, selects and focuses it and shows the
// settings page.
void InitTree(TableDocument &doc);

// False for null and for separators; RootNode counts as real.
bool IsRealConnection(const ConnectionNode *node);

// "Unnamed connection #" + the first number whose name occurs nowhere in the tree's names
// written one after the other (so "...#12" rules out "#1").
QByteArray NewUnnamedConnectionName(const TableDocument &doc);
// Node's name, or "Copy of " + name, "Copy (2) of " + name, ... : the first no sibling has.
QByteArray UniqueSiblingName(const ConnectionNode *node);
// Renames clashing names below Parent (last sibling first, so the first keeps the name), at
// every depth; separators and Parent itself are never renamed. The number renamed.
int RenameDuplicateSiblings(TableDocument &doc, ConnectionNode *parent);
// Refuses a name with "&" or one a sibling (not Node itself) already has, with a warning.
bool ValidateConnectionName(TableDocument &doc, const QByteArray &name, const ConnectionNode *node);

// The in-place editor may open on every node but RootNode.
bool VTEditing(const TableDocument &doc, const ConnectionNode *node);
// The rename rules, run when the in-place editor ends with a changed text: control characters
// become blanks, the ends are trimmed, the name is stored as UTF-8.
void VTNewText(TableDocument &doc, ConnectionNode *node, const QString &newText);
