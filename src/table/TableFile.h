#pragma once

#include <QByteArray>
#include <QString>

class ConnectionNode;
class TableDocument;
class TreeSelection;

// Writes the connection-table file ("QDZ21", a record count, the records in pre-order)
// through a temporary file renamed over FileName, so a failure leaves the old file whole.
// All: every node below RootNode; otherwise those of Selection. On failure the user sees
// "Error writing file <name>." and the result is false. The caller saves the options and
// tells the launcher afterwards, also after a failure.
bool SaveConnectionTable(TableDocument &doc, const QString &fileName, bool all,
                         const TreeSelection &selection);
bool SaveConnectionTable(TableDocument &doc, const QString &fileName);

// What a table read did, for the view to follow.
struct TableReadResult
{
    // Every record was read.
    bool ok = false;
    // The file was a table and its records were read, wholly or in part: RootNode is shown
    // expanded.
    bool recordsRead = false;
    // An open's node at SelectedNodeIndex: shown with its ancestors expanded, reported as the
    // changed node, then focused and selected alone.
    ConnectionNode *focus = nullptr;
    // An old-format file was converted and written back: written as by SaveConnectionTable.
    bool rewritten = false;
};

// Reads a connection-table file into the tree below RootNode (it does not empty the tree):
// the magic first, then the records as they come, every length checked against what the
// file still holds.
// Quiet false: the table being opened (CurrentTableFile is set, the marks are cleared, an old
// "QDZ20" file is converted after a ".bak" copy beside it, the node at SelectedNodeIndex is
// the one to focus). Quiet true: an import, which leaves the marks, the focus, the selection
// and SelectedNodeIndex alone. A damaged record keeps the nodes read before it and is no
// success.
TableReadResult LoadConnectionTable(TableDocument &doc, const QString &fileName, bool quiet);

// Widens an old 18-number colour text to the 24-number form: the URL element is blue on the
// normal element's background. A pure function of its text.
QByteArray ConvertOldColorString(const QByteArray &old);
