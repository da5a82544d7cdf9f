#pragma once

#include <QStackedWidget>
#include <QWidget>

// Brings the pages that hold Widget to the front, as the user opens them.
inline void Reveal(QWidget *widget)
{
    for (QWidget *child = widget, *p = widget->parentWidget(); p; child = p, p = p->parentWidget())
        if (auto *stack = qobject_cast<QStackedWidget *>(p))
            stack->setCurrentWidget(child);
}
