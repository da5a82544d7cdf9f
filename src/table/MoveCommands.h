#pragma once

#include <QList>

#include <functional>

class ConnectionNode;
class TableDocument;

// Where the mouse is over the drop target row, as the tree reports it.
enum class DropPosition { Nowhere = 0, Above = 1, On = 2, Below = 3 };

// Where dropped or pasted branches go: below Parent, before the child now at Row (-1: last).
struct DropPlace
{
    ConnectionNode *parent = nullptr;
    int row = -1;
};

// Move up / Move down: Focused changes place with its previous (next) sibling, branch and
// all, and the table is marked modified. False, with nothing changed, when there is no such
// sibling.
bool MnUpClick(TableDocument &doc, ConnectionNode *focused);
bool MnDownClick(TableDocument &doc, ConnectionNode *focused);

// Every node but RootNode may be dragged.
bool VTDragAllowed(const TableDocument &doc, const ConnectionNode *node);

// Whether DraggedNodes may be dropped at Position of Target. The picked node is CurrentNode:
// a drop on, above or below it or its parent, or into its branch, is refused. Also refused:
// no target, a drop on a separator, a drop above or below RootNode (the tree keeps one top
// node), and a drop into the branch of any dragged node. DraggedNodes is empty for data from
// another instance; the picked node then is not in this tree and its rules do not apply.
bool CanDrop(const TableDocument &doc, const QList<ConnectionNode *> &draggedNodes,
             const ConnectionNode *target, DropPosition position);

// The place a drop at Position of Target lands: above = before Target, below = after it, on
// = Target's last child (after Target when it is a separator). No parent for Nowhere.
DropPlace DropPlaceFor(ConnectionNode *target, DropPosition position);

// A drop from this tree, moving (or with Copy copying) the dragged branches. Nothing happens
// when CanDrop refuses. Returns the placed branches' top nodes, in tree order; the view
// shows their parents expanded.
QList<ConnectionNode *> DropNodes(TableDocument &doc, const QList<ConnectionNode *> &draggedNodes,
                                  ConnectionNode *target, DropPosition position, bool copy);

// Moves the branches of Nodes (RootNode and nested entries left out, order kept) below
// Parent, starting before the child now at Row (-1: last), named as if VTNodeMoved had run
// after each.
// Refused, with nothing moved, when Parent lies in one of the branches or is no place for a
// connection. Returns the moved top nodes.
QList<ConnectionNode *> MoveNodes(TableDocument &doc, const QList<ConnectionNode *> &nodes,
                                  ConnectionNode *parent, int row);
// The same for copies: every field but Level and a clashing name travels unchanged.
QList<ConnectionNode *> CopyNodes(TableDocument &doc, const QList<ConnectionNode *> &nodes,
                                  ConnectionNode *parent, int row);

// Places branches below Parent before Anchor (one of its children; null: after the last),
// named as if each had come alone in its order and VTNodeMoved had run after it: PlaceFirst
// puts the first there and every clash below Parent is resolved; PlaceRest puts all the
// others there at once, and each is named against the siblings it meets. Returns the placed
// top nodes in order; nothing when PlaceFirst placed nothing.
QList<ConnectionNode *> PlaceInOrder(TableDocument &doc, ConnectionNode *parent, ConnectionNode *anchor,
                                     const std::function<ConnectionNode *()> &placeFirst,
                                     const std::function<QList<ConnectionNode *>()> &placeRest);

// After a node was moved or copied: clashing names below its parent become "Copy of ..."
// names, the table is marked modified and every Level is set again from its parent (the
// view shows the parent expanded). Does nothing while a table is read or for a node without
// a parent.
void VTNodeMoved(TableDocument &doc, ConnectionNode *node);

// VTNodeMoved without its walk over the whole tree, for callers that know the tree kept
// every Level (false when it does nothing).
bool AfterNodeMoved(TableDocument &doc, ConnectionNode *node);

// Level := parent's Level + 1 for every node below RootNode, in tree order.
void RelevelTree(TableDocument &doc);
