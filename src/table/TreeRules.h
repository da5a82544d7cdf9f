#pragma once

#include <QByteArray>
#include <QString>

class ConnectionNode;
class TableDocument;

// Empties nothing: adds RootNode to an empty tree and returns it. The view selects and
// focuses it alone and shows the settings page.
ConnectionNode *InitTree(TableDocument &doc);
// Empties the tree for a new table: RootNode alone, no file (the caption's "Noname.QDZ"),
// neither modified mark, no current node. Returns RootNode.
ConnectionNode *NewTable(TableDocument &doc);

// False for null and for separators; RootNode counts as real.
bool IsRealConnection(const ConnectionNode *node);

// "Unnamed connection #" + the first number whose name occurs nowhere in the tree's names
// written one after the other (so "...#12" rules out "#1").
QByteArray NewUnnamedConnectionName(const TableDocument &doc);
// The K-th name tried for a copy of Name: Name itself (0), "Copy of " + Name (1), then
// "Copy (K) of " + Name.
QByteArray CopyName(const QByteArray &name, int k);
// Node's name, or "Copy of " + name, "Copy (2) of " + name, ... : the first no sibling has.
QByteArray UniqueSiblingName(const ConnectionNode *node);
// Whether two of Parent's children that are not separators have one name: the clash that
// RenameDuplicateSiblings settles.
bool ChildrenNamesClash(const ConnectionNode *parent);
// Renames clashing names below Parent (last sibling first, so the first keeps the name), at
// every depth; separators and Parent itself are never renamed. The number renamed.
int RenameDuplicateSiblings(TableDocument &doc, ConnectionNode *parent);
// Refuses a name with "&" or one a sibling (not Node itself) already has, with a warning.
bool ValidateConnectionName(TableDocument &doc, const QByteArray &name, const ConnectionNode *node);

// The in-place editor may open on every node but RootNode.
bool VTEditing(const TableDocument &doc, const ConnectionNode *node);
// What the rename rules did with a text. Refused: nothing changed. Otherwise the table is
// marked modified and the pages show the focused node again; Renamed: Node took the new name
// and is reported as the changed node.
enum class RenameResult { Refused, NameKept, MadeSeparator, Renamed };

// The rename rules, run when the in-place editor ends with a changed text: control characters
// become blanks, the ends are trimmed, the name is stored as UTF-8. A separator turned into a
// connection below RootNode takes TeraTermColors.
RenameResult VTNewText(TableDocument &doc, ConnectionNode *node, const QString &newText,
                       const QByteArray &teraTermColors);
