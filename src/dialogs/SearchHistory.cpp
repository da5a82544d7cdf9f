#include "dialogs/SearchHistory.h"

#include "components/TextLines.h"

namespace SearchHistory {

QStringList fromText(const QString &text)
{
    QStringList entries = SplitLines(text);
    if (entries.last().isEmpty())
        entries.removeLast();
    return entries;
}

QString toText(const QStringList &entries)
{
    return entries.mid(0, MaxEntries).join(QStringLiteral("\r\n"));
}

void push(QStringList &entries, const QString &text)
{
    if (text.isEmpty())
        return;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (entries.at(i).compare(text, Qt::CaseInsensitive) == 0) {
            entries.removeAt(i);
            break;
        }
    }
    entries.prepend(text);
}

} // namespace SearchHistory
