#include "table/ImportConnections.h"

#include "platform/Prompter.h"
#include "table/ConnectionTree.h"
#include "table/TableDocument.h"
#include "table/TableFile.h"
#include "table/TableHost.h"
#include "table/TreeRules.h"

#include <QFileInfo>

#include <algorithm>

namespace {

// The extension with its dot, upper-cased; empty when the name has none.
QString UpperExtension(const QString &fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot).toUpper();
}

int NodesBelowRoot(const TableDocument &doc)
{
    return std::max(0, doc.tree().nodeCount() - 1);
}

} // namespace

ImportResult ImportConnections(TableDocument &doc, const QString &fileName, const QByteArray &teraTermColors,
                               const LocalClock &clock)
{
    Prompter &prompter = doc.host().prompter();
    const QString ext = UpperExtension(fileName);
    const int before = NodesBelowRoot(doc);
    ImportResult result;
    if (ext == QLatin1String(".QDZ")) {
        result.recordsRead = LoadConnectionTable(doc, fileName, true).recordsRead;
    } else if (ext == QLatin1String(".KPV")) {
        result.recordsRead = ImportLegacyConnections(doc, fileName, teraTermColors, clock);
    } else {
        prompter.warning(QStringLiteral("Cannot import the file. Unsupported file format."));
        return result;
    }

    // Whatever the reader returned, the records it read before a failure stay and are named
    // like the rest. A read that added nothing changes nothing, so names already in the
    // tree are never renamed in the name of an import.
    const int added = NodesBelowRoot(doc) - before;
    if (added <= 0)
        return result;
    result.added = added;
    const int renamed = RenameDuplicateSiblings(doc, doc.RootNode());
    doc.UpdateCaption(true);  // also refreshes the commands' state

    if (renamed == 1) {
        prompter.warning(QStringLiteral("1 imported item was")
                         + QStringLiteral(" renamed to avoid duplicate names among siblings."));
    } else if (renamed > 1) {
        prompter.warning(QString::number(renamed) + QStringLiteral(" imported items were")
                         + QStringLiteral(" renamed to avoid duplicate names among siblings."));
    }
    return result;
}
