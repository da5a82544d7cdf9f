#include "support/TableBytes.h"

#include "table/NodeStream.h"

QByteArray Int32Bytes(qint32 value)
{
    QByteArray out;
    appendInt32(out, value);
    return out;
}

QByteArray StringBytes(const QByteArray &text)
{
    return Int32Bytes(static_cast<qint32>(text.size())) + text;
}

QByteArray RecordBytes(qint32 level, qint32 kind, char log, const QByteArrayList &strings)
{
    QByteArray out = Int32Bytes(level) + Int32Bytes(kind) + QByteArray(1, log);
    for (const QByteArray &s : strings)
        out += StringBytes(s);
    return out;
}

QByteArray TableFileBytes(const QByteArray &magic, qint32 count, const QList<rVTNodeData> &records)
{
    QByteArray out = magic + Int32Bytes(count);
    for (const rVTNodeData &r : records)
        VTSaveNode(r, out);
    return out;
}

QByteArray TableFileBytes(const QList<rVTNodeData> &records)
{
    return TableFileBytes("QDZ21", static_cast<qint32>(records.size()), records);
}
