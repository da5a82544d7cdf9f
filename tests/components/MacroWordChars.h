#pragma once

#include <QChar>
#include <QString>

// The macro language's word characters, as the editor gives them to "whole words only".
inline bool IsMacroWordChar(QChar c)
{
    static const QString set = QStringLiteral("$%()*+-/0123456789<=>ABCDEFGHIJKLMNOPQRSTUVWXYZ[]_"
                                              "abcdefghijklmnopqrstuvwxyz");
    return set.contains(c);
}
