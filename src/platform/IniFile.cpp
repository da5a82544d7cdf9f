#include "platform/IniFile.h"

#include "platform/FileUtil.h"
#include "platform/IniLine.h"
#include "platform/LineReader.h"
#include "platform/RegularFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace {

bool isHeader(const QByteArray &raw)
{
    return IniLine(raw).isHeader();
}

QByteArray keyOf(const QByteArray &raw)
{
    return IniLine(raw).key().toByteArray();
}

qsizetype leadingBlanks(const QByteArray &raw)
{
    qsizetype n = 0;
    while (n < raw.size() && (raw[n] == ' ' || raw[n] == '\t'))
        ++n;
    return n;
}

bool holdsLineBreak(const QByteArray &s)
{
    return s.contains('\r') || s.contains('\n') || s.contains('\0');
}

bool usableSection(const QByteArray &s)
{
    return !s.isEmpty() && !holdsLineBreak(s) && !s.contains(']');
}

bool usableKey(const QByteArray &k)
{
    return !k.isEmpty() && !holdsLineBreak(k) && !k.contains('=') && !k.startsWith(';')
        && !k.startsWith('[');
}

} // namespace

IniFile::IniFile(const QString &path) : m_path(path)
{
    QFile f;
    const RegularFile::Status status = RegularFile::open(f, path);
    if (status == RegularFile::Status::Missing)
        return;
    if (status != RegularFile::Status::Opened) {
        m_readFailed = true;
        return;
    }
    LineReader lines(f);
    while (lines.next())
        m_lines.append({lines.line().toByteArray(), lines.lineEnd().toByteArray()});
    if (lines.failed()) {
        m_lines.clear();
        m_readFailed = true;
    }
}

bool IniFile::fileExists() const
{
    return QFileInfo(m_path).isFile();
}

int IniFile::findSection(const QByteArray &section) const
{
    const QByteArray name = section.trimmed();
    if (name.isEmpty())
        return -1;
    for (int i = 0; i < m_lines.size(); ++i)
        if (const IniLine line(m_lines[i].raw); line.isHeader() && IniLine::sameName(line.sectionName(), name))
            return i;
    return -1;
}

int IniFile::sectionEnd(int headerIndex) const
{
    int i = headerIndex + 1;
    while (i < m_lines.size() && !isHeader(m_lines[i].raw))
        ++i;
    return i;
}

int IniFile::findKey(int headerIndex, const QByteArray &key) const
{
    const QByteArray name = key.trimmed();
    if (headerIndex < 0 || name.isEmpty())
        return -1;
    const int end = sectionEnd(headerIndex);
    for (int i = headerIndex + 1; i < end; ++i)
        if (const IniLine line(m_lines[i].raw); line.isKey() && IniLine::sameName(line.key(), name))
            return i;
    return -1;
}

QByteArray IniFile::readString(const QByteArray &section, const QByteArray &key,
                               const QByteArray &defaultValue) const
{
    const int i = findKey(findSection(section), key);
    return i < 0 ? defaultValue : IniLine(m_lines[i].raw).value().toByteArray();
}

bool IniFile::hasKey(const QByteArray &section, const QByteArray &key) const
{
    return findKey(findSection(section), key) >= 0;
}

QList<QByteArray> IniFile::keys(const QByteArray &section) const
{
    QList<QByteArray> out;
    const int h = findSection(section);
    if (h < 0)
        return out;
    const int end = sectionEnd(h);
    for (int i = h + 1; i < end; ++i) {
        const QByteArray k = keyOf(m_lines[i].raw);
        if (k.isEmpty())
            continue;
        bool seen = false;
        for (const QByteArray &o : out)
            seen = seen || IniLine::sameName(o, k);
        if (!seen)
            out.append(k);
    }
    return out;
}

QList<QPair<QByteArray, QByteArray>> IniFile::entries(const QByteArray &section) const
{
    QList<QPair<QByteArray, QByteArray>> out;
    const int h = findSection(section);
    if (h < 0)
        return out;
    QSet<QByteArray> seen;
    const int end = sectionEnd(h);
    for (int i = h + 1; i < end; ++i) {
        const IniLine line(m_lines[i].raw);
        if (!line.isKey())
            continue;
        QByteArray folded = line.key().toByteArray();
        for (char &c : folded)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        if (seen.contains(folded))
            continue;
        seen.insert(std::move(folded));
        out.append({line.key().toByteArray(), line.value().toByteArray()});
    }
    return out;
}

bool IniFile::hasSection(const QByteArray &section) const
{
    return findSection(section) >= 0;
}

QByteArray IniFile::newLineEnd() const
{
    for (const Line &l : m_lines)
        if (!l.lineEnd.isEmpty())
            return l.lineEnd;
    return QByteArrayLiteral("\r\n");
}

void IniFile::insertLine(int index, const QByteArray &raw)
{
    const QByteArray end = newLineEnd();
    // A last line without a line end gets one before anything follows it.
    if (index > 0 && m_lines[index - 1].lineEnd.isEmpty())
        m_lines[index - 1].lineEnd = end;
    m_lines.insert(index, {raw, end});
    m_dirty = true;
}

bool IniFile::writeString(const QByteArray &section, const QByteArray &key, const QByteArray &value)
{
    const QByteArray sec = section.trimmed();
    const QByteArray k = key.trimmed();
    if (!usableSection(sec) || !usableKey(k))
        return false;
    QByteArray v = value;
    for (char &c : v)
        if (c == '\r' || c == '\n' || c == '\0')
            c = ' ';

    const int header = findSection(sec);
    if (header < 0) {
        if (!m_lines.isEmpty() && !m_lines.last().raw.trimmed().isEmpty())
            insertLine(static_cast<int>(m_lines.size()), QByteArray());
        insertLine(static_cast<int>(m_lines.size()), '[' + sec + ']');
        insertLine(static_cast<int>(m_lines.size()), k + '=' + v);
        return true;
    }
    if (const int at = findKey(header, k); at >= 0) {
        const QByteArray &raw = m_lines[at].raw;
        const qsizetype lead = leadingBlanks(raw);
        const QByteArray updated = raw.left(lead) + keyOf(raw) + '=' + v;
        if (updated != raw) {
            m_lines[at].raw = updated;
            m_dirty = true;
        }
        return true;
    }
    int pos = sectionEnd(header);
    while (pos - 1 > header && m_lines[pos - 1].raw.trimmed().isEmpty())
        --pos;
    insertLine(pos, k + '=' + v);
    return true;
}

QByteArray IniFile::contents() const
{
    QByteArray out;
    for (const Line &l : m_lines)
        out += l.raw + l.lineEnd;
    return out;
}

bool IniFile::flush()
{
    if (!m_dirty)
        return true;
    if (m_readFailed)
        return false;
    if (!WriteWholeFile(m_path, contents()))
        return false;
    m_dirty = false;
    return true;
}
