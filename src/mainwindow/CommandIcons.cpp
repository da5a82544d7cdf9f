#include "mainwindow/CommandIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

const QColor kOutline(60, 60, 60);
const QColor kBlue(40, 90, 170);
const QColor kGreen(30, 140, 50);
const QColor kRed(200, 40, 40);
const QColor kYellow(235, 190, 60);

void page(QPainter &p, qreal x, qreal y, qreal w, qreal h)
{
    QPainterPath path;
    path.moveTo(x, y);
    path.lineTo(x + w - 4, y);
    path.lineTo(x + w, y + 4);
    path.lineTo(x + w, y + h);
    path.lineTo(x, y + h);
    path.closeSubpath();
    p.setPen(QPen(kOutline, 1));
    p.setBrush(Qt::white);
    p.drawPath(path);
    p.drawLine(QPointF(x + w - 4, y), QPointF(x + w - 4, y + 4));
    p.drawLine(QPointF(x + w - 4, y + 4), QPointF(x + w, y + 4));
}

void floppy(QPainter &p, qreal x, qreal y, qreal s)
{
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kBlue);
    p.drawRect(QRectF(x, y, s, s));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(x + s * 0.2, y, s * 0.6, s * 0.4));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(x + s * 0.25, y + s * 0.6, s * 0.5, s * 0.4));
}

void triangle(QPainter &p, qreal x, qreal y, qreal w, qreal h, const QColor &fill)
{
    const QPointF pts[] = {{x, y}, {x + w, y + h / 2}, {x, y + h}};
    p.setPen(QPen(fill.darker(140), 1));
    p.setBrush(fill);
    p.drawPolygon(pts, 3);
}

void cursorBar(QPainter &p, qreal x)
{
    p.setPen(QPen(kOutline, 2));
    p.drawLine(QPointF(x, 3), QPointF(x, 17));
}

void plus(QPainter &p, qreal cx, qreal cy)
{
    p.setPen(QPen(kGreen, 2.5));
    p.drawLine(QPointF(cx - 3.5, cy), QPointF(cx + 3.5, cy));
    p.drawLine(QPointF(cx, cy - 3.5), QPointF(cx, cy + 3.5));
}

void nodeBox(QPainter &p, qreal x, qreal y)
{
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kYellow);
    p.drawRect(QRectF(x, y, 6, 5));
}

void arrow(QPainter &p, bool up)
{
    const qreal t = up ? 3 : 17, b = up ? 17 : 3, m = up ? 10 : 10;
    const QPointF head[] = {{10, t}, {16, m}, {4, m}};
    p.setPen(QPen(kBlue.darker(130), 1));
    p.setBrush(kBlue);
    p.drawPolygon(head, 3);
    p.drawRect(QRectF(7.5, up ? m : b, 5, 7));
}

// Every icon is drawn on a 20 x 20 grid.
void draw(QPainter &p, CommandIcons::Kind kind)
{
    using K = CommandIcons;
    switch (kind) {
    case K::New:
        page(p, 4, 2, 12, 16);
        break;
    case K::Open: {
        p.setPen(QPen(kOutline, 1));
        p.setBrush(kYellow.darker(115));
        p.drawRect(QRectF(2, 5, 14, 11));
        const QPointF flap[] = {{2, 16}, {5, 8}, {18, 8}, {16, 16}};
        p.setBrush(kYellow);
        p.drawPolygon(flap, 4);
        break;
    }
    case K::Save:
        floppy(p, 3, 3, 14);
        break;
    case K::SaveAs:
        floppy(p, 2, 2, 12);
        p.setPen(Qt::NoPen);
        p.setBrush(kOutline);
        for (int i = 0; i < 3; ++i)
            p.drawEllipse(QPointF(11 + i * 3, 17), 1.1, 1.1);
        break;
    case K::Print:
        page(p, 6, 2, 8, 8);
        p.setBrush(QColor(170, 170, 170));
        p.drawRoundedRect(QRectF(2, 8, 16, 7), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5, 13, 10, 5));
        break;
    case K::PrintPreview:
        page(p, 3, 2, 11, 15);
        p.setPen(QPen(kBlue, 2));
        p.setBrush(QColor(220, 235, 255));
        p.drawEllipse(QPointF(11, 11), 3.5, 3.5);
        p.drawLine(QPointF(13.5, 13.5), QPointF(17.5, 17.5));
        break;
    case K::Undo: {
        QPainterPath path;
        path.moveTo(15, 16);
        path.cubicTo(18, 9, 12, 5, 6, 8);
        p.setPen(QPen(kBlue, 2.2));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        const QPointF head[] = {{3, 8}, {8, 4}, {8, 12}};
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawPolygon(head, 3);
        break;
    }
    case K::Cut:
        p.setPen(QPen(kOutline, 1.6));
        p.drawLine(QPointF(6, 2), QPointF(13, 12));
        p.drawLine(QPointF(14, 2), QPointF(7, 12));
        p.setPen(QPen(kRed, 1.8));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(6, 15), 2.8, 2.8);
        p.drawEllipse(QPointF(14, 15), 2.8, 2.8);
        break;
    case K::Copy:
        page(p, 2, 2, 10, 12);
        page(p, 8, 6, 10, 12);
        break;
    case K::Paste:
        p.setPen(QPen(kOutline, 1));
        p.setBrush(QColor(170, 120, 60));
        p.drawRoundedRect(QRectF(3, 3, 12, 15), 1.5, 1.5);
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(6, 2, 6, 3));
        page(p, 9, 8, 9, 11);
        break;
    case K::AddChild:
        nodeBox(p, 2, 2);
        p.setPen(QPen(kOutline, 1));
        p.drawLine(QPointF(5, 7), QPointF(5, 13));
        p.drawLine(QPointF(5, 13), QPointF(9, 13));
        nodeBox(p, 9, 10.5);
        plus(p, 15.5, 5);
        break;
    case K::AddSibling:
        nodeBox(p, 2, 3);
        nodeBox(p, 2, 12);
        p.setPen(QPen(kOutline, 1));
        p.drawLine(QPointF(5, 8), QPointF(5, 12));
        plus(p, 14, 14);
        break;
    case K::Delete:
        p.setPen(QPen(kRed, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5, 5), QPointF(15, 15));
        p.drawLine(QPointF(15, 5), QPointF(5, 15));
        break;
    case K::MoveUp:
        arrow(p, true);
        break;
    case K::MoveDown:
        arrow(p, false);
        break;
    case K::Apply: {
        QPainterPath path;
        path.moveTo(3, 10);
        path.lineTo(8, 15);
        path.lineTo(17, 4);
        p.setPen(QPen(kGreen, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        break;
    }
    case K::RunToCursor:
        triangle(p, 3, 4, 10, 12, kGreen);
        cursorBar(p, 16);
        break;
    case K::Run:
        triangle(p, 5, 3, 11, 14, kGreen);
        break;
    case K::RunBranchToCursor:
        triangle(p, 1, 4, 7, 12, kGreen);
        triangle(p, 7, 4, 7, 12, kGreen);
        cursorBar(p, 17);
        break;
    case K::RunBranch:
        triangle(p, 2, 4, 8, 12, kGreen);
        triangle(p, 9, 4, 8, 12, kGreen);
        break;
    }
}

QPixmap render(CommandIcons::Kind kind, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 20.0, size / 20.0);
    draw(p, kind);
    return pixmap;
}

} // namespace

QIcon CommandIcons::icon(Kind kind)
{
    QIcon icon;
    for (int size : {16, 20, 32, 40})
        icon.addPixmap(render(kind, size));
    return icon;
}
