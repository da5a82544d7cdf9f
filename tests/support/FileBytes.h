#pragma once

#include <QByteArray>
#include <QString>

// Whole files for a test's fixtures and checks.

// Writes Bytes as the whole file Path; false unless all of them were written.
bool WriteFileBytes(const QString &path, const QByteArray &bytes);
// The whole file Path, or Unreadable when it cannot be opened.
QByteArray ReadFileBytes(const QString &path, const QByteArray &unreadable = QByteArray());
