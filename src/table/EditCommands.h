#pragma once

#include "table/ColorSet.h"

#include <QByteArray>
#include <QDateTime>

#include <functional>
#include <optional>

class ConnectionNode;
class TableDocument;
class TreeSelection;

// What the options say about connections added directly below RootNode; deeper ones take
// their parent's colours and logging flag.
struct NewConnectionDefaults
{
    // Item of the "Default schema:" list: 0-6 a built-in scheme, 7 "from TeraTerm.ini file".
    // Anything else (an unset list) counts as the first scheme.
    int defaultColorsIndex = 7;
    // "Start logging" (true), "Do not log" (false), or neither button set.
    std::optional<bool> logging;
    // TeraTerm's own colours (teraterm.ini) in text form: for "from TeraTerm.ini file" and for
    // separator lines.
    QByteArray teraTermColors;
};

// The four ways of adding; the numbers are the ones the commands have always used.
enum class AddMode { Child = 0, Duplicate = 1, Separator = 2, Sibling = 3 };

// What an add changed, for the view: the new node (null when nothing was added), the node
// to focus and select alone (Focused itself after a child or sibling, else the new node) and
// the node to show expanded (none after a separator).
struct AddedConnection
{
    ConnectionNode *added = nullptr;
    ConnectionNode *focus = nullptr;
    ConnectionNode *expand = nullptr;
};

// Adds below or beside Focused and marks the table modified. Nothing is added when Focused
// cannot take it (null; a child of a separator; a sibling or copy of RootNode).
AddedConnection AddConnection(TableDocument &doc, AddMode mode, ConnectionNode *focused,
                              const NewConnectionDefaults &defaults);

// Colours of a new connection below RootNode.
QByteArray DefaultColorsText(const NewConnectionDefaults &defaults);

// The selected nodes as the delete question sees them: their number less the separators
// without children, and the name, joined stored macro and popup and the child count of the
// last one counted, in tree order.
int CountSelectedForDelete(const TableDocument &doc, const QList<ConnectionNode *> &selected, QByteArray &name,
                           QByteArray &texts, int &childCount);
// Asks, when there is anything to lose, whether the selected nodes may go. True = delete.
bool ConfirmDelete(TableDocument &doc, const QList<ConnectionNode *> &selected);

// The branches a delete removes, and the node that takes the focus and the selection after
// it: the nearest surviving ancestor of the focused node. Empty when nothing is to go.
struct DeletePlan
{
    QList<ConnectionNode *> tops;
    ConnectionNode *survivor = nullptr;
    bool isEmpty() const { return tops.isEmpty(); }
};

// The delete command's questions on Selection: the discard question when the editors hold
// unapplied edits (ending them on Yes), else ConfirmDelete. The view moves its focus to the
// survivor before the branches go, so it never passes through a node on its way out.
DeletePlan PlanDelete(TableDocument &doc, const TreeSelection &selection);
// Removes the planned branches and marks the table modified.
void DeleteBranches(TableDocument &doc, const DeletePlan &plan);

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

// Writes Edits into CurrentNode's record (LastUpdated the stamp of now), ends its
// unapplied-edits state, drops a cut/copy mark the node carries and marks the table
// modified. Nothing is refused; false only when there is no current node. An empty Clock
// reads the local time.
bool ApplyNodeEdits(TableDocument &doc, const NodeEdits &edits, const Clock &now = {});
