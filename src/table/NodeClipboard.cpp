#include "table/NodeClipboard.h"

#include "table/ConnectionTree.h"
#include "table/LevelPlacer.h"
#include "table/NodeSelection.h"
#include "table/NodeStream.h"
#include "table/TableDocument.h"

namespace {

// The smallest record the node stream can hold: Level, Kind, the log byte and six empty
// string lengths.
constexpr qsizetype kMinRecordSize = 4 + 4 + 1 + 6 * 4;

} // namespace

QByteArray EncodeNodes(const QList<ConnectionNode *> &tops)
{
    const QList<ConnectionNode *> branches = TopmostNodes(tops);
    QByteArray out;
    qint32 count = 0;
    appendInt32(out, 0);
    for (const ConnectionNode *top : branches) {
        const qint32 base = top->data.Level;
        auto save = [&](const ConnectionNode *n) {
            rVTNodeData d = n->data;
            d.Level = n->data.Level - base;
            VTSaveNode(d, out);
            ++count;
        };
        save(top);
        ConnectionTree::forEachBelow(top, save);
    }
    QByteArray head;
    appendInt32(head, count);
    out.replace(0, head.size(), head);
    return out;
}

bool DecodeNodes(const QByteArray &payload, QList<rVTNodeData> &out)
{
    out.clear();
    ByteReader in(payload);
    qint32 count = 0;
    if (!in.readInt32(count) || count < 0 || count > in.remaining() / kMinRecordSize)
        return false;
    QList<rVTNodeData> records;
    records.reserve(count);
    qint32 previous = -1;
    for (qint32 i = 0; i < count; ++i) {
        rVTNodeData d;
        if (!VTLoadNode(in, d))
            return false;
        // Each record starts a branch (0) or lies at most one step below the one before.
        if (d.Level < 0 || d.Level > previous + 1)
            return false;
        previous = d.Level;
        // Read as the table reader reads a record, so a save and an open keep what a paste
        // shows: a record without a name is skipped, a name starting with "-" is a separator.
        if (d.Name.isEmpty())
            continue;
        if (IsSeparatorName(d.Name))
            d.Name = SeparatorText;
        records.append(d);
    }
    if (!in.atEnd())
        return false;
    out = records;
    return true;
}

QList<ConnectionNode *> InsertNodes(TableDocument &doc, const QList<rVTNodeData> &records,
                                    ConnectionNode *parent, int row)
{
    if (!parent || !parent->parent() || records.isEmpty())
        return {};
    if (row < 0 || row > parent->childCount())
        row = parent->childCount();
    ConnectionNode *anchor = parent->child(row);
    LevelPlacer placer(doc.tree(), parent, 0, row);
    for (const rVTNodeData &record : records)
        placer.place(record);
    return PlaceInOrder(
        doc, parent, anchor, [&] { return placer.commit(1).value(0); }, [&] { return placer.commit(); });
}

QList<ConnectionNode *> DropRecords(TableDocument &doc, const QList<rVTNodeData> &records,
                                    ConnectionNode *target, DropPosition position)
{
    if (records.isEmpty() || !CanDrop(doc, {}, target, position))
        return {};
    const DropPlace place = DropPlaceFor(target, position);
    QList<ConnectionNode *> placed = InsertNodes(doc, records, place.parent, place.row);
    if (!placed.isEmpty())
        doc.UpdateCaption(true);
    return placed;
}
