#pragma once

#include "mainwindow/TForm1.h"

#include <QApplication>

// The main window the entry sequence made, once it is a top-level window; null before.
inline TForm1 *RunningMainWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *form = qobject_cast<TForm1 *>(w))
            return form;
    return nullptr;
}
