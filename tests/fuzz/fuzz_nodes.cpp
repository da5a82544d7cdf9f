// The decoder of the clipboard and drag payload on any bytes, then a paste and drops of what
// it decodes. The tree keeps the table's rules, a save and an open give it back, and the
// placed branches travel again unchanged.
#include "FuzzTables.h"

#include "table/FlagScope.h"
#include "table/MoveCommands.h"
#include "table/NodeClipboard.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

// The table the nodes land in, and the window around it as the paste and drop routines ask
// for it: the one place this target meets that interface.
std::unique_ptr<ShapedTable> OpenTable()
{
    return std::make_unique<ShapedTable>("A[B[C]]|" + SeparatorText + "|D");
}

// The branches below Tops as a payload carries them: Levels counted from each top.
QList<rVTNodeData> BranchRecords(const QList<ConnectionNode *> &tops)
{
    QList<rVTNodeData> records;
    for (const ConnectionNode *top : tops) {
        const qint32 base = top->data.Level;
        records.append(top->data);
        records.last().Level = 0;
        for (rVTNodeData d : RecordsBelow(top)) {
            d.Level -= base;
            records.append(d);
        }
    }
    return records;
}

void CheckPlacedBranchesTravel(const QList<ConnectionNode *> &placed)
{
    QList<rVTNodeData> again;
    Check(DecodeNodes(EncodeNodes(placed), again), "placed branches encode to a readable payload");
    Check(again == BranchRecords(placed), "placed branches decode unchanged");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray payload(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QList<rVTNodeData> records;
    if (!DecodeNodes(payload, records)) {
        Check(records.isEmpty(), "a refused payload gives no records");
        return 0;
    }
    for (const rVTNodeData &d : records)
        Check(!d.Name.isEmpty(), "a decoded record has a name");

    std::unique_ptr<ShapedTable> table = OpenTable();
    TableDocument &doc = table->doc;
    ConnectionNode *a = table->at(QStringLiteral("0"));
    ConnectionNode *b = table->at(QStringLiteral("0/0"));
    ConnectionNode *separator = table->at(QStringLiteral("1"));
    ConnectionNode *d = table->at(QStringLiteral("2"));
    {
        // A paste makes the records the first children of the focused node.
        FlagScope copying(doc.CopyInProgressFlag);
        CheckPlacedBranchesTravel(InsertNodes(doc, records, a, 0));
    }
    CheckPlacedBranchesTravel(DropRecords(doc, records, b, DropPosition::On));
    CheckPlacedBranchesTravel(DropRecords(doc, records, separator, DropPosition::Above));
    CheckPlacedBranchesTravel(DropRecords(doc, records, d, DropPosition::Below));
    CheckTreeRules(doc);
    CheckSaveAndOpenKeepsTheTree(doc);
    return 0;
}
