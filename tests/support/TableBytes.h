#pragma once

#include "table/rVTNodeData.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QList>

// Bytes of the table formats built in a test, for the readers to be fed.

// A 32-bit integer as the formats store it (little-endian).
QByteArray Int32Bytes(qint32 value);
// A string as the formats store it: its length, then its bytes.
QByteArray StringBytes(const QByteArray &text);
// One record laid out by hand: Level, Kind, the LogSession byte, then the strings (six for a
// whole record: Name, Macro, Popup, Schedule, LastUpdated, Colors).
QByteArray RecordBytes(qint32 level, qint32 kind, char log, const QByteArrayList &strings);
// A connection-table file: Magic, Count, then Records as the node writer lays them out.
QByteArray TableFileBytes(const QByteArray &magic, qint32 count, const QList<rVTNodeData> &records);
// A well-formed current table file holding Records.
QByteArray TableFileBytes(const QList<rVTNodeData> &records);
