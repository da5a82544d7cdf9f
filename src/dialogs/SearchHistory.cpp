#include "dialogs/SearchHistory.h"

namespace SearchHistory {

QStringList fromText(const QString &text)
{
    QStringList entries;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        entries.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        entries.append(text.mid(start));
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
