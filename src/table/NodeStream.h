#pragma once

#include "table/rVTNodeData.h"

#include <QByteArray>

// Reads a byte buffer front to back; every read checks the bytes that are there first, so a
// damaged length is refused before anything is allocated.
class ByteReader
{
public:
    explicit ByteReader(const QByteArray &data, qsizetype pos = 0) : m_data(data), m_pos(pos) {}
    // The reader keeps a reference: a temporary buffer would be gone before the first read.
    explicit ByteReader(QByteArray &&, qsizetype = 0) = delete;

    qsizetype position() const { return m_pos; }
    qsizetype remaining() const { return m_data.size() - m_pos; }
    bool atEnd() const { return m_pos >= m_data.size(); }
    // Back to an earlier position (one this reader reported).
    void seek(qsizetype pos) { m_pos = pos; }

    // Each read either succeeds whole or fails and leaves the position where it was.
    bool readInt32(qint32 &value);
    bool readByte(quint8 &value);
    bool readBytes(qsizetype count, QByteArray &out);
    // A signed 32-bit length and that many bytes; a negative length or one the rest of the
    // buffer cannot hold fails.
    bool readString(QByteArray &out);

private:
    const QByteArray &m_data;
    qsizetype m_pos;
};

// Value as four bytes, little-endian.
void appendInt32(QByteArray &out, qint32 value);

// One record in node-stream form: Level, Kind (both signed 32-bit little-endian), the
// LogSession byte, then Name, Macro, Popup, Schedule, LastUpdated, Colors, each as a 32-bit
// length and its bytes. Appended at the end of Out.
void VTSaveNode(const rVTNodeData &record, QByteArray &out);
// Reads one record at the reader's position. False, with Record and the position left as
// they were, when the bytes end early or a length is impossible. LogSession is any byte but 0.
bool VTLoadNode(ByteReader &in, rVTNodeData &record);
