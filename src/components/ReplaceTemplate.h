#pragma once

#include <QString>

class QRegularExpressionMatch;

// The replacement text of a regular-expression hit: "$0" and "$&" stand for the whole match,
// "$1" to "$9" for a group, "${nn}" for group nn; a group that did not take part gives nothing.
// A backslash makes the next character literal ("\$1" is "$1", "\\" one backslash). Every other
// character, and a "$" that starts none of these forms, is copied as it is.
QString ExpandReplaceTemplate(const QString &replaceTemplate, const QRegularExpressionMatch &match);
