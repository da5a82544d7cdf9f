#include "mainwindow/RunCommands.h"

#include "table/ConnectionTree.h"

#include <QEvent>
#include <QWidget>

RunCommands::RunCommands(Prompter &prompter, QWidget *window, ConnectionTree &tree, QObject *parent)
    : QObject(parent), m_runner(prompter), m_window(window)
{
    setObjectName(QStringLiteral("RunCommands"));
    m_runAll = new RunAllSelected(m_runner, prompter, this);
    // A whole new table (New, Open, a table read into the emptied tree) comes as one reset.
    connect(&tree, &ConnectionTree::aboutToReset, m_runAll, &RunAllSelected::cancel);
    if (m_window)
        m_window->installEventFilter(this);
}

bool RunCommands::eventFilter(QObject *watched, QEvent *event)
{
    // A window that closes is hidden by the program, not by the desktop: a minimized window
    // goes on starting its connections.
    if (watched == m_window && event->type() == QEvent::Hide && !event->spontaneous())
        m_runAll->cancel();
    return QObject::eventFilter(watched, event);
}
