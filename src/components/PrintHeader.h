#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

class ConnectionNode;
class ConnectionTree;

// The path text of a connection for the print header and the print preview: "/" and each
// name from Node up to the top-level connection, so Db under Lab under Sites gives
// "/Db/Lab/Sites"; RootNode gives "/".
QString GetNodePathText(const ConnectionTree &tree, const ConnectionNode *node);

// The two-line header above every printed page of a macro:
//   "File: " + the table file                   "Page $PAGENUM$ of $PAGECOUNT$"
//   "Macro: " + the connection's path text      "$DATE$ $TIME$"
// The placeholders are expanded only in the right-hand items; the file and the names are
// printed as they are, whatever they hold.
struct PrintHeader
{
    QString fileText;
    QString macroText;

    static PrintHeader forMacro(const QString &tableFile, const QString &nodePathText);
};

inline const QString PrintPageItem = QStringLiteral("Page $PAGENUM$ of $PAGECOUNT$");
inline const QString PrintDateTimeItem = QStringLiteral("$DATE$ $TIME$");

// Replaces "$PAGENUM$", "$PAGECOUNT$", "$DATE$" (the locale's short date) and "$TIME$"
// (hours, minutes and seconds) in Item.
QString ExpandPrintPlaceholders(const QString &item, int page, int pageCount,
                                const QDateTime &now, const QLocale &locale = QLocale());
