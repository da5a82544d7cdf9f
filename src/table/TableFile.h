#pragma once

#include <QByteArray>
#include <QString>

class TableDocument;

// Writes the connection-table file ("QDZ21", a record count, the records in pre-order)
// through a temporary file renamed over FileName, so a failure leaves the old file whole.
// All: every node below RootNode; otherwise the selected ones. On failure the user sees
// "Error writing file <name>." and the result is false. In every case the options are saved
// and the launcher notified.
bool SaveConnectionTable(TableDocument &doc, const QString &fileName, bool all);

// Reads a connection-table file into the tree below RootNode (it does not empty the tree);
// the whole file is read first and every length and count is checked against it.
// Quiet false: the table being opened (CurrentTableFile is set, the marks are cleared, an old
// "QDZ20" file is converted after a ".bak" copy beside it, the node at SelectedNodeIndex is
// reported, focused and selected). Quiet true: an import, which leaves the marks, the focus,
// the selection and SelectedNodeIndex alone. True when the records were read; a damaged
// record keeps the nodes read before it and gives false.
bool LoadConnectionTable(TableDocument &doc, const QString &fileName, bool quiet);

// Widens an old 18-number colour text to the 24-number form: the URL element is blue on the
// normal element's background. A pure function of its text.
QByteArray ConvertOldColorString(const QByteArray &old);
