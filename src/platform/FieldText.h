#pragma once

#include <QByteArray>
#include <QString>

// Record fields are byte strings exactly as the files hold them. These two functions are the
// only place where they meet display text: a field is shown as UTF-8 when it is valid UTF-8,
// otherwise as Windows-1252 (files written by the Windows program); typed text is stored as
// UTF-8.
QString DecodeField(const QByteArray &bytes);
QByteArray EncodeField(const QString &text);

// Windows-1252 alone, for callers that know the bytes are not UTF-8.
QString DecodeWindows1252(const QByteArray &bytes);

// A widget never gets more than this many characters of a field: a name read from a file may
// be of any length, and lay-out, painting and message boxes take time in proportion to the
// text they are given.
constexpr qsizetype ShownFieldLength = 1024;

// The first Length characters of the field as DecodeField shows them. Only the bytes those
// characters can come from are looked at, so the cost does not grow with the field; for a
// field cut this way, whether it reads as UTF-8 is judged by those bytes.
QString FieldHead(const QByteArray &bytes, qsizetype length = ShownFieldLength);
// The field as a widget shows it: its head, with "\u2026" after a cut.
QString ShownField(const QByteArray &bytes);
