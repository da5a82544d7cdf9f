#include "platform/widgets/FixedPitchFont.h"

#include <QFontDatabase>
#include <QWidget>

QFont DesktopFixedFont()
{
    return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

QFont CourierNewFont(int pointSize)
{
    QFont font(QStringLiteral("Courier New"), pointSize);
    // Where the family is missing, the font matcher takes this hint for a face of its own kind.
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

void KeepFixedPitch(QWidget &widget)
{
    QFont font = widget.font();
    font.setStyleHint(QFont::TypeWriter);
    widget.setFont(font);
}
