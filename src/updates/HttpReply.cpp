#include "updates/HttpReply.h"

#include <algorithm>

namespace {

// Content-Length up to this many digits: a longer value cannot be a size this program takes.
constexpr qsizetype kMaxLengthDigits = 18;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A character of a header field's name (a "token").
bool isNameChar(char c)
{
    return isDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')
        || QByteArrayView("!#$%&'*+-.^_`|~").contains(c);
}

// Text of a status reason or field value: no control characters but the tab.
bool isText(QByteArrayView text)
{
    return std::none_of(text.begin(), text.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return (b < 0x20 && b != '\t') || b == 0x7F;
    });
}

QByteArrayView withoutLineBreak(QByteArrayView line)
{
    if (line.endsWith("\r\n"))
        return line.chopped(2);
    if (line.endsWith('\n'))
        return line.chopped(1);
    return line;
}

QByteArrayView trimmedBlanks(QByteArrayView text)
{
    while (!text.isEmpty() && (text.front() == ' ' || text.front() == '\t'))
        text = text.sliced(1);
    while (!text.isEmpty() && (text.back() == ' ' || text.back() == '\t'))
        text.chop(1);
    return text;
}

std::optional<qint64> parseLength(QByteArrayView value)
{
    if (value.isEmpty() || value.size() > kMaxLengthDigits
        || !std::all_of(value.begin(), value.end(), isDigit))
        return std::nullopt;
    qint64 length = 0;
    for (const char c : value)
        length = length * 10 + (c - '0');
    return length;
}

} // namespace

bool HttpReply::addHeaderLine(QByteArrayView raw)
{
    const QByteArrayView line = withoutLineBreak(raw);
    if (line.startsWith("HTTP/"))
        return addStatusLine(line);
    if (m_status == 0 || m_headersEnded)
        return false;
    if (line.isEmpty()) {
        m_headersEnded = true;
        return true;
    }
    return addField(line);
}

// "HTTP/" major ["." minor] " " three digits [" " reason]; it may start the first response or
// follow a complete one.
bool HttpReply::addStatusLine(QByteArrayView line)
{
    if (m_status != 0 && !m_headersEnded)
        return false;
    QByteArrayView rest = line.sliced(5);
    if (rest.isEmpty() || !isDigit(rest.front()))
        return false;
    rest = rest.sliced(1);
    if (rest.startsWith('.')) {
        if (rest.size() < 2 || !isDigit(rest.at(1)))
            return false;
        rest = rest.sliced(2);
    }
    if (rest.size() < 4 || rest.front() != ' ' || !isDigit(rest.at(1)) || !isDigit(rest.at(2))
        || !isDigit(rest.at(3)) || rest.at(1) == '0')
        return false;
    const QByteArrayView reason = rest.sliced(4);
    if (!reason.isEmpty() && (reason.front() != ' ' || !isText(reason)))
        return false;

    m_status = (rest.at(1) - '0') * 100 + (rest.at(2) - '0') * 10 + (rest.at(3) - '0');
    m_headersEnded = false;
    m_contentLength.reset();
    m_body.clear();
    m_bodyRefused = false;
    return true;
}

bool HttpReply::addField(QByteArrayView line)
{
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0)
        return false;
    const QByteArrayView name = line.first(colon);
    const QByteArrayView value = trimmedBlanks(line.sliced(colon + 1));
    if (!std::all_of(name.begin(), name.end(), isNameChar) || !isText(value))
        return false;
    if (name.compare("Content-Length", Qt::CaseInsensitive) != 0)
        return true;
    const std::optional<qint64> length = parseLength(value);
    if (!length || (m_contentLength && *m_contentLength != *length))
        return false;
    m_contentLength = length;
    return true;
}

bool HttpReply::addBody(QByteArrayView chunk)
{
    if (!m_headersEnded || chunk.size() > m_maxBodySize - m_body.size()) {
        m_bodyRefused = true;
        return false;
    }
    m_body.append(chunk);
    return true;
}

bool HttpReply::isComplete(bool lengthRequired) const
{
    if (!m_headersEnded || m_bodyRefused || m_status < 200 || m_status > 299 || m_body.isEmpty())
        return false;
    if (m_contentLength)
        return *m_contentLength == m_body.size();
    return !lengthRequired;
}
