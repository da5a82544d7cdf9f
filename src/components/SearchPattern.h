#pragma once

#include <QList>
#include <QRegularExpression>
#include <QString>

#include <functional>

// Tells whether a character continues a word, for "whole words only" (the macro language
// counts "$" among them, so "$user$" is one word).
using WordCharPredicate = std::function<bool(QChar)>;

// What is searched for, compiled once per run and matched one line at a time: a plain text or
// a regular expression (PCRE2), with or without regard to case, optionally whole words only.
// A hit never spans a line break.
class SearchPattern
{
public:
    enum class Engine { PlainText, RegularExpression };

    struct Hit
    {
        int start = 0;
        int length = 0;
        // The replacement for this hit; a regular expression's groups are filled in.
        QString replacement;
    };

    SearchPattern(const QString &searchText, const QString &replaceTemplate, Engine engine,
                  bool matchCase, bool wholeWords, WordCharPredicate isWordChar);

    // False for an invalid regular expression; errorText() then says why and where (the
    // pattern's character counted from 1).
    bool isValid() const;
    QString errorText() const;

    // The hits in Line from its start, in order, none overlapping. A regular expression that
    // matched the empty string goes on one character further, so each place is found once.
    QList<Hit> findAll(const QString &line) const;

private:
    bool isWholeWord(const QString &line, int start, int length) const;
    void findPlain(const QString &line, QList<Hit> &hits) const;
    void findRegex(const QString &line, QList<Hit> &hits) const;

    QString m_text;
    QString m_replace;
    Engine m_engine;
    Qt::CaseSensitivity m_case;
    bool m_wholeWords;
    WordCharPredicate m_isWordChar;
    QRegularExpression m_regex;
};
