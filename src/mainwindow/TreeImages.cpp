#include "mainwindow/TreeImages.h"

#include <QPainter>
#include <QPixmap>

#include <array>

namespace {

const QColor kOutline(60, 60, 60);

void drawComputer(QPainter &p)
{
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(200, 220, 245));
    p.drawRect(QRectF(2.5, 2.5, 13, 9));
    p.setBrush(QColor(120, 120, 120));
    p.drawRect(QRectF(6.5, 12.5, 5, 2));
    p.drawRect(QRectF(3.5, 14.5, 11, 2));
}

void drawConnection(QPainter &p, bool withMacro)
{
    p.setPen(QPen(kOutline, 1));
    p.setBrush(Qt::black);
    p.drawRect(QRectF(2.5, 3.5, 13, 11));
    if (withMacro) {
        p.setPen(QPen(QColor(80, 220, 80), 1.5));
        p.drawLine(QPointF(5, 7), QPointF(9, 7));
        p.drawLine(QPointF(5, 10), QPointF(12, 10));
    } else {
        p.setPen(QPen(QColor(200, 200, 200), 1.5));
        p.drawLine(QPointF(5, 7), QPointF(7, 7));
    }
}

void drawSeparator(QPainter &p)
{
    p.setPen(QPen(kOutline, 2));
    p.drawLine(QPointF(2, 9), QPointF(16, 9));
}

QIcon make(int index)
{
    QPixmap pixmap(18, 18);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // Cut nodes look faded until they are pasted or the cut is cancelled.
    if (index >= 4)
        p.setOpacity(0.4);
    switch (index) {
    case 0: drawComputer(p); break;
    case 1: case 4: drawConnection(p, false); break;
    case 2: case 5: drawConnection(p, true); break;
    case 3: case 6: drawSeparator(p); break;
    default: break;
    }
    p.end();
    return QIcon(pixmap);
}

} // namespace

QIcon TreeImages::icon(int index)
{
    static const std::array<QIcon, Count> icons = [] {
        std::array<QIcon, Count> all;
        for (int i = 0; i < Count; ++i)
            all[static_cast<std::size_t>(i)] = make(i);
        return all;
    }();
    return index >= 0 && index < Count ? icons[static_cast<std::size_t>(index)] : QIcon();
}
