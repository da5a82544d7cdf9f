#include "mainwindow/ProgramIcon.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

// The resource lives in a static library: nothing would pull it into the program otherwise.
static void InitIconResource()
{
    Q_INIT_RESOURCE(ProgramIcon);
}

QIcon ProgramIcon()
{
    InitIconResource();
    QSvgRenderer svg(QStringLiteral(":/icons/wexmora.svg"));
    QIcon icon;
    if (!svg.isValid())
        return icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        svg.render(&painter);
        painter.end();
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

void SetDesktopIdentity()
{
    QGuiApplication::setDesktopFileName(QStringLiteral("wexmora"));
    QGuiApplication::setWindowIcon(ProgramIcon());
}
