#include "table/UrlCodec.h"

#include <algorithm>

namespace {

bool isAlnum(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

int hexValue(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

char upper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// HexToInt64 of the two characters A and B, low 8 bits, without building a string.
int hexPair(char a, char b)
{
    const int high = hexValue(static_cast<unsigned char>(upper(a)));
    if (upper(b) == 'H')
        return std::max(high, 0);
    const int low = hexValue(static_cast<unsigned char>(upper(b)));
    return (high < 0 || low < 0) ? 0 : high * 16 + low;
}

} // namespace

QByteArray UrlEncode(const QByteArray &text, bool spaceAsPlus)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    QByteArray out;
    out.reserve(text.size() * 3);
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (isAlnum(c)) {
            out.append(ch);
        } else if (c == ' ' && spaceAsPlus) {
            out.append('+');
        } else {
            out.append('%');
            out.append(digits[c >> 4]);
            out.append(digits[c & 0x0F]);
        }
    }
    out.squeeze();
    return out;
}

qint64 HexToInt64(const QByteArray &text)
{
    qsizetype length = text.size();
    if (length > 0 && upper(text.at(length - 1)) == 'H')
        --length;
    length = std::min<qsizetype>(length, 255);
    // Unsigned, so that a long text wraps instead of overflowing.
    quint64 result = 0;
    for (qsizetype i = 0; i < length; ++i) {
        const int v = hexValue(static_cast<unsigned char>(upper(text.at(i))));
        if (v < 0)
            return 0;
        result = result * 16 + static_cast<quint64>(v);
    }
    return static_cast<qint64>(result);
}

QByteArray UrlDecode(const QByteArray &text)
{
    QByteArray out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = text.at(i);
        if (c == '+') {
            out.append(' ');
        } else if (c == '%') {
            // A "%" without two characters after it stands for a NUL and ends the text.
            if (i + 2 >= n) {
                out.append('\0');
                break;
            }
            out.append(static_cast<char>(hexPair(text.at(i + 1), text.at(i + 2))));
            i += 2;
        } else {
            out.append(c);
        }
    }
    return out;
}
