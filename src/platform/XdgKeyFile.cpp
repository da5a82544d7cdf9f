#include "platform/XdgKeyFile.h"

namespace {

// The group a header line opens, or nullopt for any other line.
std::optional<QByteArray> headerName(const QByteArray &line)
{
    const QByteArray t = line.trimmed();
    if (t.size() < 2 || !t.startsWith('[') || !t.endsWith(']'))
        return std::nullopt;
    return t.mid(1, t.size() - 2);
}

bool isComment(const QByteArray &line)
{
    return line.trimmed().startsWith('#');
}

// The key of a key line, or nullopt.
std::optional<QByteArray> keyOf(const QByteArray &line)
{
    if (headerName(line) || isComment(line))
        return std::nullopt;
    const qsizetype eq = line.indexOf('=');
    if (eq < 0)
        return std::nullopt;
    return line.left(eq).trimmed();
}

bool readsBack(const QByteArray &text)
{
    return text == text.trimmed() && !text.contains('\n') && !text.contains('\r');
}

} // namespace

XdgKeyFile::XdgKeyFile(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype nl = bytes.indexOf('\n', start);
        if (nl < 0) {
            m_lines.append({bytes.mid(start), false});
            break;
        }
        m_lines.append({bytes.mid(start, nl - start), true});
        start = nl + 1;
    }
}

int XdgKeyFile::groupHeader(const QByteArray &group) const
{
    for (int i = 0; i < m_lines.size(); ++i) {
        if (headerName(m_lines.at(i).text) == group)
            return i;
    }
    return -1;
}

int XdgKeyFile::groupEnd(int header) const
{
    int i = header + 1;
    while (i < m_lines.size() && !headerName(m_lines.at(i).text))
        ++i;
    return i;
}

int XdgKeyFile::keyLine(const QByteArray &group, const QByteArray &key) const
{
    const int header = groupHeader(group);
    if (header < 0)
        return -1;
    const int end = groupEnd(header);
    for (int i = header + 1; i < end; ++i) {
        if (keyOf(m_lines.at(i).text) == key)
            return i;
    }
    return -1;
}

std::optional<QByteArray> XdgKeyFile::value(const QByteArray &group, const QByteArray &key) const
{
    const int i = keyLine(group, key);
    if (i < 0)
        return std::nullopt;
    const QByteArray &line = m_lines.at(i).text;
    return line.mid(line.indexOf('=') + 1).trimmed();
}

bool XdgKeyFile::setValue(const QByteArray &group, const QByteArray &key, const QByteArray &value)
{
    if (group.isEmpty() || key.isEmpty() || !readsBack(group) || !readsBack(key)
        || !readsBack(value) || group.contains(']') || key.contains('=')
        || key.startsWith('#') || key.startsWith('['))
        return false;
    const QByteArray text = key + '=' + value;
    const int existing = keyLine(group, key);
    if (existing >= 0) {
        m_lines[existing].text = text;
        return true;
    }
    // The file's last line gets its line end before anything follows it.
    if (!m_lines.isEmpty())
        m_lines.last().lineEnd = true;
    int header = groupHeader(group);
    if (header < 0) {
        if (!m_lines.isEmpty() && !m_lines.last().text.trimmed().isEmpty())
            m_lines.append({QByteArray(), true});
        m_lines.append({'[' + group + ']', true});
        m_lines.append({text, true});
        return true;
    }
    int at = groupEnd(header);
    while (at > header + 1 && m_lines.at(at - 1).text.trimmed().isEmpty())
        --at;
    m_lines.insert(at, {text, true});
    return true;
}

bool XdgKeyFile::remove(const QByteArray &group, const QByteArray &key)
{
    const int i = keyLine(group, key);
    if (i < 0)
        return false;
    m_lines.removeAt(i);
    return true;
}

QByteArray XdgKeyFile::contents() const
{
    QByteArray out;
    for (const Line &line : m_lines) {
        out += line.text;
        if (line.lineEnd)
            out += '\n';
    }
    return out;
}
