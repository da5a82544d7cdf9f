#pragma once

#include "table/ColorSet.h"

#include <QByteArray>
#include <QDateTime>

#include <functional>
#include <optional>

class ConnectionNode;
class TableDocument;

// What the options say about connections added directly below RootNode; deeper ones take
// their parent's colours and logging flag.
struct NewConnectionDefaults
{
    // Item of the "Default schema:" list: 0-6 a built-in scheme, 7 "from TeraTerm.ini file".
    // Anything else (an unset list) counts as the first scheme.
    int defaultColorsIndex = 7;
    // "Start logging" (true), "Do not log" (false), or neither button set.
    std::optional<bool> logging;
};

// The four ways of adding; the numbers are the ones the commands have always used.
enum class AddMode { Child = 0, Duplicate = 1, Separator = 2, Sibling = 3 };

// Adds below or beside the focused node and leaves one node focused and selected: the
// focused node itself after a child or sibling, else the new node. Returns the new node, or
// null when the focused node cannot take it (none focused; a child of a separator; a sibling
// or copy of RootNode).
ConnectionNode *AddConnection(TableDocument &doc, AddMode mode, const NewConnectionDefaults &defaults);

// Colours of a new connection below RootNode.
QByteArray DefaultColorsText(TableDocument &doc, const NewConnectionDefaults &defaults);

// The selected nodes as the delete question sees them: their number less the separators
// without children, and the name, joined stored macro and popup and the child count of the
// last one counted, in tree order.
int CountSelectedForDelete(const TableDocument &doc, QByteArray &name, QByteArray &texts, int &childCount);
// Asks, when there is anything to lose, whether the selected nodes may go. True = delete.
bool ConfirmDelete(TableDocument &doc);
// The delete command: asks, then removes the selected branches and focuses and selects the
// nearest surviving ancestor of the focused node. True when anything was removed.
bool MnDeleteClick(TableDocument &doc);

// What the editor pages hold for the current connection, as bytes.
struct NodeEdits
{
    QByteArray macroText;
    QByteArray popupText;
    QByteArray schedule;     // "=" and the five normalised fields, or empty when switched off
    ColorSet colors;
    bool logSession = false;
};

using Clock = std::function<QDateTime()>;

// The stamp written into LastUpdated.
QByteArray FormatLastUpdated(const QDateTime &when);

// Writes Edits into CurrentNode's record, ends its unapplied-edits state and marks the table
// modified. Nothing is refused; false only when there is no current node. An empty Clock
// reads the local time.
bool ApplyNodeEdits(TableDocument &doc, const NodeEdits &edits, const Clock &now = {});
