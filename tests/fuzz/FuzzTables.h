#pragma once

// What the fuzz targets of the connection table share: the rules of a tree and the comparison
// of a table with what a save keeps of it.

#include "FuzzCheck.h"

#include "support/ShapedTable.h"
#include "table/ConnectionTree.h"
#include "table/TableDocument.h"
#include "table/TableFile.h"

#include "table/ColorSet.h"

#include <QList>
#include <QString>

// The colours an import gives a record without its own, as teraterm.ini would.
inline const QByteArray FuzzTeraTermColors = ColorSchemes[0].text;

// The records of the nodes below Top, in pre-order.
inline QList<rVTNodeData> RecordsBelow(const ConnectionNode *top)
{
    QList<rVTNodeData> records;
    ConnectionTree::forEachBelow(top, [&records](const ConnectionNode *n) { records.append(n->data); });
    return records;
}

// What a table file keeps of a tree: every node has a name and its depth as Level.
inline void CheckTreeRules(const TableDocument &doc)
{
    ConnectionTree::forEachBelow(doc.RootNode(), [](const ConnectionNode *n) {
        Check(!n->data.Name.isEmpty(), "every node has a name");
        Check(n->data.Level == n->parent()->data.Level + 1, "a node's Level is its depth");
    });
}

// The table saved and opened again gives the same connections. Kind is not read from a
// table file, so it is left out of the comparison.
inline void CheckSaveAndOpenKeepsTheTree(TableDocument &doc)
{
    const QString file = ScratchFile(QStringLiteral("saved.QDZ"));
    Check(SaveConnectionTable(doc, file), "the table is saved");
    ShapedTable reopened;
    Check(LoadConnectionTable(reopened.doc, file, false).ok, "the saved table opens");
    QList<rVTNodeData> expected = RecordsBelow(doc.RootNode());
    for (rVTNodeData &d : expected)
        d.Kind = NodeKindPlain;
    Check(RecordsBelow(reopened.doc.RootNode()) == expected, "the saved table reads back to the same tree");
}
