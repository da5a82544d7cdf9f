#pragma once

#include "table/MoveCommands.h"
#include "table/rVTNodeData.h"

#include <QByteArray>
#include <QList>

class ConnectionNode;
class TableDocument;

// Branches on the clipboard and in drags between instances travel under our own MIME type
// as one payload: a signed 32-bit little-endian record count, then the records in node-stream
// form, each branch in pre-order. A record's Level there is its depth below the top of its
// branch (0 for each top), so branches taken from different depths stay apart.
inline constexpr char NodeMimeType[] = "application/x-wexmora-nodes";

// The payload for the branches of Tops (RootNode and nested entries left out, tree order).
QByteArray EncodeNodes(const QList<ConnectionNode *> &tops);

// Reads a whole payload into Out before anything is placed. False, with Out empty, when the
// count, a record or a Level does not fit the bytes: one damaged record spoils the lot.
// Records are read as the table reader reads them, so what a paste shows is what a save
// keeps: a record without a name is left out (the records after it keep their Levels), and a
// name starting with "-" becomes the separator's.
bool DecodeNodes(const QByteArray &payload, QList<rVTNodeData> &out);

// Places Records (Levels relative, as DecodeNodes gives them) below Parent before the child
// now at Row (-1: last), by the table reader's rule for Levels (Level 0 starts a branch),
// each branch named as if it had come alone and passed through VTNodeMoved, so names
// clashing with the new siblings are resolved. Nothing is placed below the invisible root. Returns the new branches' top nodes.
QList<ConnectionNode *> InsertNodes(TableDocument &doc, const QList<rVTNodeData> &records,
                                    ConnectionNode *parent, int row);

// A drop of Records from another instance at Position of Target: the drop rules, then the
// records placed as a drop from this tree would be, and the table marked modified.
QList<ConnectionNode *> DropRecords(TableDocument &doc, const QList<rVTNodeData> &records,
                                    ConnectionNode *target, DropPosition position);
