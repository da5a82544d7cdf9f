#pragma once

#include <QColor>
#include <QFont>

#include <optional>

class QWidget;

// The font and colour dialogs of the settings pages: each starts at a value and gives back
// the user's choice, none when cancelled. The program shows Qt's dialogs; tests answer from a
// script.
class StyleDialogs
{
public:
    virtual ~StyleDialogs() = default;
    virtual std::optional<QFont> chooseFont(const QFont &initial, QWidget *parent);
    virtual std::optional<QColor> chooseColor(const QColor &initial, QWidget *parent);
};
