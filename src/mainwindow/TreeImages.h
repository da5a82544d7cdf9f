#pragma once

#include <QIcon>

// The tree's icons, 18 pixels high, by the index NodeImageIndex gives: the computer, a
// connection without and with a macro, a separator, and the same three greyed while cut.
class TreeImages
{
public:
    static constexpr int Count = 7;
    static QIcon icon(int index);
};
