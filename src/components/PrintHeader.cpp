#include "components/PrintHeader.h"

#include "platform/FieldText.h"
#include "table/ConnectionTree.h"

QString GetNodePathText(const ConnectionTree &tree, const ConnectionNode *node)
{
    QString text;
    for (const ConnectionNode *n = node; n && n != tree.RootNode() && n->parent(); n = n->parent())
        text += QLatin1Char('/') + ShownField(n->data.Name);
    return text.isEmpty() ? QStringLiteral("/") : text;
}

PrintHeader PrintHeader::forMacro(const QString &tableFile, const QString &nodePathText)
{
    return {QLatin1String("File: ") + tableFile, QLatin1String("Macro: ") + nodePathText};
}

QString ExpandPrintPlaceholders(const QString &item, int page, int pageCount,
                                const QDateTime &now, const QLocale &locale)
{
    QString text = item;
    text.replace(QLatin1String("$PAGENUM$"), QString::number(page));
    text.replace(QLatin1String("$PAGECOUNT$"), QString::number(pageCount));
    if (text.contains(QLatin1String("$DATE$")))
        text.replace(QLatin1String("$DATE$"), locale.toString(now.date(), QLocale::ShortFormat));
    if (text.contains(QLatin1String("$TIME$")))
        text.replace(QLatin1String("$TIME$"), now.time().toString(QStringLiteral("HH:mm:ss")));
    return text;
}
