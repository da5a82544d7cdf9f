#include "table/NodeStream.h"

#include <QIODevice>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// Reads are served from this much of the device at a time.
constexpr qsizetype DeviceChunk = 256 * 1024;

qint32 int32At(const char *bytes)
{
    // Little-endian, assembled byte by byte so the host's byte order does not matter.
    const auto *p = reinterpret_cast<const unsigned char *>(bytes);
    return static_cast<qint32>(quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24));
}

} // namespace

bool ByteReader::readInt32(qint32 &value)
{
    if (remaining() < 4)
        return false;
    value = int32At(m_data.constData() + m_pos);
    m_pos += 4;
    return true;
}

bool ByteReader::readByte(quint8 &value)
{
    if (remaining() < 1)
        return false;
    value = static_cast<quint8>(m_data.at(m_pos));
    ++m_pos;
    return true;
}

bool ByteReader::readBytes(qsizetype count, QByteArray &out)
{
    if (count < 0 || count > remaining())
        return false;
    out = count == 0 ? QByteArray() : QByteArray(m_data.constData() + m_pos, count);
    m_pos += count;
    return true;
}

bool ByteReader::readRaw(char *to, qsizetype count)
{
    if (count < 0 || count > remaining())
        return false;
    if (count > 0)
        std::memcpy(to, m_data.constData() + m_pos, static_cast<std::size_t>(count));
    m_pos += count;
    return true;
}

bool ByteReader::readString(QByteArray &out)
{
    const qsizetype start = m_pos;
    qint32 length = 0;
    if (!readInt32(length) || !readBytes(length, out)) {
        m_pos = start;
        return false;
    }
    return true;
}

DeviceReader::DeviceReader(QIODevice &device)
    : m_device(device), m_size(std::max<qint64>(0, device.size() - device.pos()))
{
}

bool DeviceReader::refill()
{
    if (m_buffer.isEmpty())
        m_buffer.resize(DeviceChunk);
    const qint64 got = m_device.read(m_buffer.data(), DeviceChunk);
    if (got <= 0) {
        m_failed = got < 0;
        return false;
    }
    m_at = 0;
    m_filled = got;
    return true;
}

bool DeviceReader::readRaw(char *to, qint64 count)
{
    if (count < 0 || count > remaining())
        return false;
    while (count > 0) {
        if (m_at == m_filled) {
            // A long string goes straight from the device to where it is wanted.
            if (count >= DeviceChunk) {
                const qint64 got = m_device.read(to, count);
                if (got != count) {
                    m_failed = got < 0;
                    return false;
                }
                m_consumed += count;
                return true;
            }
            if (!refill())
                return false;
        }
        const qsizetype n = static_cast<qsizetype>(std::min<qint64>(count, m_filled - m_at));
        std::memcpy(to, m_buffer.constData() + m_at, static_cast<std::size_t>(n));
        m_at += n;
        to += n;
        count -= n;
        m_consumed += n;
    }
    return true;
}

bool DeviceReader::readInt32Slowly(qint32 &value)
{
    char bytes[4];
    if (!readRaw(bytes, 4))
        return false;
    value = int32At(bytes);
    return true;
}

bool DeviceReader::readByte(quint8 &value)
{
    char byte = 0;
    if (!readRaw(&byte, 1))
        return false;
    value = static_cast<quint8>(byte);
    return true;
}

namespace {

// Field Size bytes at At of Block, sharing Block's allocation.
QByteArray sharedSlice(QByteArray &block, qsizetype at, qsizetype size)
{
    if (size == 0)
        return {};
    QByteArray::DataPointer view = block.data_ptr();  // one more reference to the block
    view.ptr += at;
    view.size = size;
    return QByteArray(std::move(view));
}

// One record from In: the integers, then the six strings gathered in the reader's scratch,
// each length checked against the bytes left before anything is taken for it.
template<typename Reader>
bool readRecord(Reader &in, rVTNodeData &record)
{
    rVTNodeData r;
    quint8 log = 0;
    if (!in.readInt32(r.Level) || !in.readInt32(r.Kind) || !in.readByte(log))
        return false;
    QByteArray &bytes = in.scratch();
    bytes.resize(0);
    std::array<qsizetype, 7> starts{};
    for (std::size_t i = 0; i < 6; ++i) {
        qint32 length = 0;
        if (!in.readInt32(length) || length < 0 || length > in.remaining())
            return false;
        const qsizetype at = bytes.size();
        bytes.resize(at + length);
        if (!in.readRaw(bytes.data() + at, length))
            return false;
        starts[i + 1] = bytes.size();
    }
    if (!bytes.isEmpty()) {
        // The strings one after another, each followed by a NUL.
        // Written whole before the first field shares it: a write to a shared array copies it.
        QByteArray block(bytes.size() + 6, Qt::Uninitialized);
        char *p = block.data();
        for (std::size_t i = 0; i < 6; ++i) {
            const qsizetype size = starts[i + 1] - starts[i];
            std::memcpy(p, bytes.constData() + starts[i], static_cast<std::size_t>(size));
            p[size] = '\0';
            p += size + 1;
        }
        QByteArray *fields[] = {&r.Name, &r.Macro, &r.Popup, &r.Schedule, &r.LastUpdated, &r.Colors};
        for (std::size_t i = 0; i < 6; ++i)
            *fields[i] = sharedSlice(block, starts[i] + static_cast<qsizetype>(i), starts[i + 1] - starts[i]);
    }
    r.LogSession = log != 0;
    record = std::move(r);
    return true;
}

char *putInt32(char *p, qint32 value)
{
    const auto u = static_cast<quint32>(value);
    p[0] = static_cast<char>(u & 0xFF);
    p[1] = static_cast<char>((u >> 8) & 0xFF);
    p[2] = static_cast<char>((u >> 16) & 0xFF);
    p[3] = static_cast<char>((u >> 24) & 0xFF);
    return p + 4;
}

char *putString(char *p, const QByteArray &s)
{
    p = putInt32(p, static_cast<qint32>(s.size()));
    if (!s.isEmpty())
        std::memcpy(p, s.constData(), static_cast<std::size_t>(s.size()));
    return p + s.size();
}

} // namespace

void appendInt32(QByteArray &out, qint32 value)
{
    char bytes[4];
    putInt32(bytes, value);
    out.append(bytes, 4);
}

void VTSaveNode(const rVTNodeData &record, QByteArray &out)
{
    // One resize and plain stores: tables of many records are written through here.
    const qsizetype size = 33 + record.Name.size() + record.Macro.size() + record.Popup.size()
        + record.Schedule.size() + record.LastUpdated.size() + record.Colors.size();
    const qsizetype at = out.size();
    out.resize(at + size);
    char *p = out.data() + at;
    p = putInt32(p, record.Level);
    p = putInt32(p, record.Kind);
    *p++ = record.LogSession ? '\1' : '\0';
    p = putString(p, record.Name);
    p = putString(p, record.Macro);
    p = putString(p, record.Popup);
    p = putString(p, record.Schedule);
    p = putString(p, record.LastUpdated);
    putString(p, record.Colors);
}

bool VTLoadNode(ByteReader &in, rVTNodeData &record)
{
    const qsizetype start = in.position();
    if (readRecord(in, record))
        return true;
    in.seek(start);
    return false;
}

bool VTLoadNode(DeviceReader &in, rVTNodeData &record)
{
    return readRecord(in, record);
}
