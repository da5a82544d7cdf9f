#include "table/NodeStream.h"

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

void appendInt32(QByteArray &out, qint32 value)
{
    const auto u = static_cast<quint32>(value);
    const char bytes[4] = {static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF),
                           static_cast<char>((u >> 16) & 0xFF), static_cast<char>((u >> 24) & 0xFF)};
    out.append(bytes, 4);
}

namespace {

void appendString(QByteArray &out, const QByteArray &s)
{
    appendInt32(out, static_cast<qint32>(s.size()));
    out.append(s);
}

} // namespace

void VTSaveNode(const rVTNodeData &record, QByteArray &out)
{
    appendInt32(out, record.Level);
    appendInt32(out, record.Kind);
    out.append(record.LogSession ? '\1' : '\0');
    appendString(out, record.Name);
    appendString(out, record.Macro);
    appendString(out, record.Popup);
    appendString(out, record.Schedule);
    appendString(out, record.LastUpdated);
    appendString(out, record.Colors);
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
