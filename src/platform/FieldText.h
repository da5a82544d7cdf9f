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
