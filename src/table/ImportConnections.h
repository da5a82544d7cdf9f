#pragma once

#include "table/ExchangeFile.h"

#include <QString>

class TableDocument;

// The one entry point of every import: reads FileName by its extension (".QDZ" a connection
// table, ".KPV" an exchange file, any letter case) below RootNode, then renames imported
// names that clash with a sibling's and reports how many it renamed. Only an import that
// added connections marks the table modified; selection, focus and the editors' edit mark
// stay as they were. Returns the number of connections added.
int ImportConnections(TableDocument &doc, const QString &fileName,
                      const LocalClock &clock = CurrentLocalTime);
