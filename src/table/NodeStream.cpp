#include "table/NodeStream.h"

#include <cstring>

bool ByteReader::readInt32(qint32 &value)
{
    if (remaining() < 4)
        return false;
    // Little-endian, assembled byte by byte so the host's byte order does not matter.
    const auto *p = reinterpret_cast<const unsigned char *>(m_data.constData() + m_pos);
    const quint32 u = quint32(p[0]) | (quint32(p[1]) << 8) | (quint32(p[2]) << 16) | (quint32(p[3]) << 24);
    value = static_cast<qint32>(u);
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

namespace {

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
    rVTNodeData r;
    quint8 log = 0;
    const bool ok = in.readInt32(r.Level) && in.readInt32(r.Kind) && in.readByte(log)
        && in.readString(r.Name) && in.readString(r.Macro) && in.readString(r.Popup)
        && in.readString(r.Schedule) && in.readString(r.LastUpdated) && in.readString(r.Colors);
    if (!ok) {
        in.seek(start);
        return false;
    }
    r.LogSession = log != 0;
    record = std::move(r);
    return true;
}
