#pragma once

#include <QFont>

class QWidget;

// The fonts of fixed pitch the program draws text with, where columns must line up.

// The desktop's fixed-pitch font: what the text editors show until the user picks a font.
QFont DesktopFixedFont();

// "Courier New" at PointSize: the face the samples and memos ask for. A desktop without it
// draws them in its fixed-pitch face, not a proportional one.
QFont CourierNewFont(int pointSize);

// Widget's own font (as its form gives it) made to fall back on a fixed-pitch face the same way.
void KeepFixedPitch(QWidget &widget);
