#include "mainwindow/CoverPanel.h"

#include <QEvent>

CoverPanel::CoverPanel(const QString &name, QWidget *page)
    : QLabel(page)
{
    setObjectName(name);
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    setGeometry(page->rect());
    page->installEventFilter(this);
    hide();
}

bool CoverPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parent() && event->type() == QEvent::Resize) {
        setGeometry(parentWidget()->rect());
        raise();
    }
    return QLabel::eventFilter(watched, event);
}

void CoverPanel::showEvent(QShowEvent *event)
{
    setGeometry(parentWidget()->rect());
    raise();
    QLabel::showEvent(event);
}
