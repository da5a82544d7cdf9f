#include "platform/IniLine.h"

namespace {

char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

IniLine::IniLine(QByteArrayView raw)
{
    const QByteArrayView t = raw.trimmed();
    if (t.startsWith('[')) {
        if (const qsizetype close = t.indexOf(']'); close >= 0) {
            m_kind = Kind::Header;
            m_name = t.sliced(1, close - 1).trimmed();
            return;
        }
    }
    if (t.startsWith(';'))
        return;
    const qsizetype eq = raw.indexOf('=');
    if (eq < 0)
        return;
    const QByteArrayView key = raw.first(eq).trimmed();
    if (key.isEmpty())
        return;
    m_kind = Kind::Key;
    m_name = key;
    m_equals = eq;
    QByteArrayView v = raw.sliced(eq + 1).trimmed();
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.sliced(1, v.size() - 2);
    m_value = v;
}

bool IniLine::sameName(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    return true;
}
