#include "platform/widgets/StyleDialogs.h"

#include <QColorDialog>
#include <QFontDialog>

std::optional<QFont> StyleDialogs::chooseFont(const QFont &initial, QWidget *parent)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, parent);
    if (!ok)
        return std::nullopt;
    return font;
}

std::optional<QColor> StyleDialogs::chooseColor(const QColor &initial, QWidget *parent)
{
    const QColor color = QColorDialog::getColor(initial, parent);
    if (!color.isValid())
        return std::nullopt;
    return color;
}
