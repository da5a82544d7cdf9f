// The exchange-file import on any bytes, into a table that has connections; then the whole
// table exported and imported again gives the same connections, but for the line breaks and
// NUL bytes a one-line value cannot hold, which the export writes as blanks.
#include "FuzzTables.h"

#include "support/FileBytes.h"
#include "table/ExchangeFile.h"
#include "table/ImportConnections.h"

#include <cstddef>
#include <cstdint>

namespace {

const LocalClock FixedClock = [] { return QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9, 42)); };

QByteArray OneLine(QByteArray value)
{
    for (char &c : value) {
        if (c == '\r' || c == '\n' || c == '\0')
            c = ' ';
    }
    return value;
}

// The connections as an exchange file can carry them.
QList<rVTNodeData> AsExported(QList<rVTNodeData> records)
{
    for (rVTNodeData &d : records) {
        for (QByteArray *field : {&d.Name, &d.Macro, &d.Popup, &d.Schedule, &d.LastUpdated, &d.Colors})
            *field = OneLine(*field);
    }
    return records;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString input = ScratchFile(QStringLiteral("input.KPV"));
    Check(WriteFileBytes(input, bytes), "the input is written");

    ShapedTable first("A[B]|C");
    ImportConnections(first.doc, input, FuzzTeraTermColors, FixedClock);
    CheckTreeRules(first.doc);

    const QString again = ScratchFile(QStringLiteral("again.KPV"));
    Check(ExportLegacyConnections(first.doc, again, true, TreeSelection(), QStringLiteral("fuzz"), FixedClock), "the export is written");
    ShapedTable second;
    Check(ImportLegacyConnections(second.doc, again, FuzzTeraTermColors, FixedClock), "the export is read");
    Check(RecordsBelow(second.doc.RootNode()) == AsExported(RecordsBelow(first.doc.RootNode())),
          "an exported table imports to the same connections");
    return 0;
}
