#pragma once

#include "table/ExchangeFile.h"

#include <QString>

class TableDocument;

// What an import did: the number of connections added, and whether the file's records were
// read (wholly or in part: the view then shows RootNode expanded).
struct ImportResult
{
    int added = 0;
    bool recordsRead = false;
};

// The one entry point of every import: reads FileName by its extension (".QDZ" a connection
// table, ".KPV" an exchange file, any letter case) below RootNode, then renames imported
// names that clash with a sibling's and reports how many it renamed. Only an import that
// added connections marks the table modified; selection, focus and the editors' edit mark
// stay as they were. Exchange rows without colours take TeraTermColors.
ImportResult ImportConnections(TableDocument &doc, const QString &fileName, const QByteArray &teraTermColors,
                               const LocalClock &clock = CurrentLocalTime);
