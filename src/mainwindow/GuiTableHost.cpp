#include "mainwindow/GuiTableHost.h"

#include <QCursor>
#include <QGuiApplication>

void GuiTableHost::setWaitCursor(bool on)
{
    if (on)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}
