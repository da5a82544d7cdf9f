// The connection-table reader on any bytes, "QDZ21" and the older "QDZ20": opened as the
// table and imported quietly into a table that has connections. Whatever a read leaves in the
// tree, a save and an open give back.
#include "FuzzTables.h"

#include "support/FileBytes.h"
#include "table/ImportConnections.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString file = ScratchFile(QStringLiteral("input.QDZ"));

    Check(WriteFileBytes(file, bytes), "the input is written");
    ShapedTable opened;
    // A node to reselect, as a start after a saved selection asks.
    opened.doc.SelectedNodeIndex = 2;
    LoadConnectionTable(opened.doc, file, false);
    CheckTreeRules(opened.doc);
    CheckSaveAndOpenKeepsTheTree(opened.doc);

    // The open rewrites an old file in the current form: the import reads the input again.
    Check(WriteFileBytes(file, bytes), "the input is written");
    ShapedTable imported("A[B]|C");
    ImportConnections(imported.doc, file, FuzzTeraTermColors);
    CheckTreeRules(imported.doc);
    CheckSaveAndOpenKeepsTheTree(imported.doc);
    return 0;
}
