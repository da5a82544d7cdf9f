#include "components/SearchPattern.h"

#include "components/ReplaceTemplate.h"

#include <QRegularExpressionMatchIterator>

SearchPattern::SearchPattern(const QString &searchText, const QString &replaceTemplate, Engine engine,
                             bool matchCase, bool wholeWords, WordCharPredicate isWordChar)
    : m_text(searchText),
      m_replace(replaceTemplate),
      m_engine(engine),
      m_case(matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive),
      m_wholeWords(wholeWords),
      m_isWordChar(std::move(isWordChar))
{
    if (!m_isWordChar)
        m_isWordChar = [](QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); };
    if (m_engine == Engine::RegularExpression) {
        m_regex.setPattern(m_text);
        if (!matchCase)
            m_regex.setPatternOptions(QRegularExpression::CaseInsensitiveOption);
    }
}

bool SearchPattern::isValid() const
{
    return m_engine == Engine::PlainText || m_regex.isValid();
}

QString SearchPattern::errorText() const
{
    if (isValid())
        return QString();
    return QStringLiteral("%1 at position %2").arg(m_regex.errorString()).arg(m_regex.patternErrorOffset() + 1);
}

QList<SearchPattern::Hit> SearchPattern::findAll(const QString &line) const
{
    QList<Hit> hits;
    if (m_text.isEmpty() || !isValid())
        return hits;
    if (m_engine == Engine::PlainText)
        findPlain(line, hits);
    else
        findRegex(line, hits);
    return hits;
}

bool SearchPattern::isWholeWord(const QString &line, int start, int length) const
{
    const int end = start + length;
    return (start == 0 || !m_isWordChar(line[start - 1]))
           && (end >= line.size() || !m_isWordChar(line[end]));
}

void SearchPattern::findPlain(const QString &line, QList<Hit> &hits) const
{
    const int length = int(m_text.size());
    qsizetype from = 0;
    while (from + length <= line.size()) {
        const qsizetype at = line.indexOf(m_text, from, m_case);
        if (at < 0)
            break;
        if (!m_wholeWords || isWholeWord(line, int(at), length)) {
            hits.append({int(at), length, m_replace});
            from = at + length;
        } else {
            from = at + 1;
        }
    }
}

void SearchPattern::findRegex(const QString &line, QList<Hit> &hits) const
{
    // The global iteration steps past an empty match the way Perl does, so it never stalls.
    QRegularExpressionMatchIterator it = m_regex.globalMatch(line);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const int start = int(m.capturedStart());
        const int length = int(m.capturedLength());
        if (!m_wholeWords || isWholeWord(line, start, length))
            hits.append({start, length, ExpandReplaceTemplate(m_replace, m)});
    }
}
