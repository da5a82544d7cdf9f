#pragma once

#include <QByteArray>

// The escaping of stored macro and popup texts: letters, digits stay; the blank becomes "+"
// (or "%20"); every other byte "%" and two upper-case hexadecimal digits.
QByteArray UrlEncode(const QByteArray &text, bool spaceAsPlus);
QByteArray UrlDecode(const QByteArray &text);
// The small hexadecimal reader UrlDecode uses: upper-cases, drops one trailing "H", reads at
// most 255 characters, and gives 0 at the first character that is not a hexadecimal digit.
qint64 HexToInt64(const QByteArray &text);
