#include "components/ReplaceTemplate.h"

#include <QRegularExpressionMatch>

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The group named by "${digits}" starting at Open (the "{"), or -1 when the form is not there.
// Sets Close to the "}".
int bracedGroup(const QString &text, qsizetype open, qsizetype &close)
{
    close = text.indexOf(QLatin1Char('}'), open + 1);
    if (close < 0 || close == open + 1)
        return -1;
    qint64 group = 0;
    for (qsizetype i = open + 1; i < close; ++i) {
        if (!isAsciiDigit(text[i]))
            return -1;
        // No pattern has this many groups; a longer number names none.
        group = std::min<qint64>(group * 10 + (text[i].unicode() - '0'), 1'000'000);
    }
    return int(group);
}

} // namespace

QString ExpandReplaceTemplate(const QString &replaceTemplate, const QRegularExpressionMatch &match)
{
    QString out;
    out.reserve(replaceTemplate.size());
    const qsizetype n = replaceTemplate.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = replaceTemplate[i];
        if (c == QLatin1Char('\\') && i + 1 < n) {
            out += replaceTemplate[++i];
            continue;
        }
        if (c == QLatin1Char('$') && i + 1 < n) {
            const QChar next = replaceTemplate[i + 1];
            if (next == QLatin1Char('&')) {
                out += match.captured(0);
                ++i;
                continue;
            }
            if (isAsciiDigit(next)) {
                out += match.captured(next.unicode() - '0');
                ++i;
                continue;
            }
            qsizetype close = 0;
            if (next == QLatin1Char('{')) {
                const int group = bracedGroup(replaceTemplate, i + 1, close);
                if (group >= 0) {
                    out += match.captured(group);
                    i = close;
                    continue;
                }
            }
        }
        out += c;
    }
    return out;
}
