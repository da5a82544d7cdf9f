#pragma once

#include "table/rVTNodeData.h"

#include <QByteArray>

class QIODevice;

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
    bool readRaw(char *to, qsizetype count);
    // A signed 32-bit length and that many bytes; a negative length or one the rest of the
    // buffer cannot hold fails.
    bool readString(QByteArray &out);

    // Room a record's strings are gathered in on their way into their own allocation.
    QByteArray &scratch() { return m_scratch; }

private:
    const QByteArray &m_data;
    qsizetype m_pos;
    QByteArray m_scratch;
};

// Reads a device front to back as it comes, through a buffer of its own, without ever holding
// the whole input. Every read checks the bytes the device still holds (its size when the
// reader was made, less what was read) first, so a damaged length is refused before anything
// is allocated for it.
class DeviceReader
{
public:
    explicit DeviceReader(QIODevice &device);

    qint64 remaining() const { return m_size - m_consumed; }
    // The device failed to give bytes it holds (a read error, not the end of the input).
    bool failed() const { return m_failed; }

    // Each read either succeeds whole or fails; after a failure the position is undefined.
    // What the buffer holds already is taken at once; only the rest goes to the device.
    bool readInt32(qint32 &value)
    {
        if (m_filled - m_at < 4 || remaining() < 4)
            return readInt32Slowly(value);
        const auto *p = reinterpret_cast<const unsigned char *>(m_buffer.constData() + m_at);
        value = static_cast<qint32>(quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24));
        m_at += 4;
        m_consumed += 4;
        return true;
    }
    bool readByte(quint8 &value);
    bool readRaw(char *to, qint64 count);

    QByteArray &scratch() { return m_scratch; }

private:
    bool refill();
    bool readInt32Slowly(qint32 &value);

    QIODevice &m_device;
    qint64 m_size;
    qint64 m_consumed = 0;
    QByteArray m_buffer;
    qsizetype m_at = 0;
    qsizetype m_filled = 0;
    bool m_failed = false;
    QByteArray m_scratch;
};

// Value as four bytes, little-endian.
void appendInt32(QByteArray &out, qint32 value);

// One record in node-stream form: Level, Kind (both signed 32-bit little-endian), the
// LogSession byte, then Name, Macro, Popup, Schedule, LastUpdated, Colors, each as a 32-bit
// length and its bytes. Appended at the end of Out.
void VTSaveNode(const rVTNodeData &record, QByteArray &out);
// Reads one record at the reader's position. False, with Record and the position left as
// they were, when the bytes end early or a length is impossible. LogSession is any byte but 0.
// The six strings of a record share one allocation that holds just their bytes (each one
// followed by a NUL, as every QByteArray's is): each field is a view into it that implicit
// sharing keeps alive, and a field changed later gets its own copy as any shared array does.
bool VTLoadNode(ByteReader &in, rVTNodeData &record);
// The same from a device; after a failure the reader's position is undefined.
bool VTLoadNode(DeviceReader &in, rVTNodeData &record);
