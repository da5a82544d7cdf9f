#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <functional>

class TableDocument;
class TreeSelection;

// The exchange file (".KPV", the "Tenvask file" of the dialogs): seven comment lines, then
// one ini section "[KPV]" holding per row i the keys "C1_R" + i ... "C8_R" + i (name,
// schedule, escaped macro, update time, escaped popup, colours, logging flag, level) and
// "RowCount" after the last row.

// The local time, injectable so tests can fix it.
using LocalClock = std::function<QDateTime()>;
QDateTime CurrentLocalTime();

// Writes the nodes of Selection (All: every node) below RootNode in pre-order into FileName.
// The file is written a piece at a time to a temporary file renamed over FileName, so a
// failure leaves an existing file whole; the user then sees "Error writing file <name>."
// and the result is false. VersionText ends the first header line; Clock gives "Created:".
// With All, a successful write clears the table's modified mark and the edit mark.
bool ExportLegacyConnections(TableDocument &doc, const QString &fileName, bool all, const TreeSelection &selection,
                             const QString &versionText, const LocalClock &clock = CurrentLocalTime);

// Appends the rows of the exchange file FileName below RootNode, placed by their levels as
// the table reader places records. Rows without a name are skipped. A missing schedule key
// takes Clock's time as 17 digits, missing colours TeraTermColors (those of teraterm.ini).
// Selection, focus, the editors' edit mark and the table's modified mark are left as they
// were: the caller decides what an import changed. The file is read through the host's
// runAside, with LoadingFlag set, before the tree changes. True when the file was read (the
// view then shows RootNode expanded).
bool ImportLegacyConnections(TableDocument &doc, const QString &fileName, const QByteArray &teraTermColors,
                             const LocalClock &clock = CurrentLocalTime);

// The header's "Created:" form and the 17-digit reading time, with English day and month
// names whatever the user's locale.
QByteArray ExchangeCreatedText(const QDateTime &time);
QByteArray ExchangeReadingTimeText(const QDateTime &time);
