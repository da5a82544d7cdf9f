#pragma once

#include "platform/widgets/StyleDialogs.h"

#include <QList>

// Records where each font and colour dialog started and answers from a queue; an empty answer,
// or an empty queue, is a cancelled dialog.
class ScriptedStyleDialogs : public StyleDialogs
{
public:
    std::optional<QFont> chooseFont(const QFont &initial, QWidget *) override
    {
        fontsShown.append(initial);
        return fonts.isEmpty() ? std::nullopt : fonts.takeFirst();
    }
    std::optional<QColor> chooseColor(const QColor &initial, QWidget *) override
    {
        colorsShown.append(initial);
        return colors.isEmpty() ? std::nullopt : colors.takeFirst();
    }

    QList<std::optional<QFont>> fonts;
    QList<std::optional<QColor>> colors;
    QList<QFont> fontsShown;
    QList<QColor> colorsShown;
};
