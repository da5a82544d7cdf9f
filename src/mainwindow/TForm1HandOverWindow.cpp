#include "mainwindow/TForm1HandOverWindow.h"

#include "mainwindow/TForm1.h"
#include "runner/TeraTermIni.h"
#include "table/ImportConnections.h"

#include <QAction>
#include <QApplication>

TForm1HandOverWindow::TForm1HandOverWindow(TForm1 &window) : QObject(&window), m_window(window)
{
}

void TForm1HandOverWindow::RestoreAndBringToFront()
{
    if (m_window.isMinimized()) {
        m_window.setWindowState(m_window.windowState() & ~Qt::WindowMinimized);
    } else {
        // Best effort: a desktop may refuse to hand the focus over.
        m_window.raise();
        m_window.activateWindow();
    }
    QApplication::sendPostedEvents();
}

void TForm1HandOverWindow::ImportConnections(const QString &path)
{
    m_window.showImported(::ImportConnections(m_window.doc(), path, ReadTeraTermColors()));
}

void TForm1HandOverWindow::closeAsUser()
{
    m_window.close();
}

void TForm1HandOverWindow::runUpdateCheck()
{
    if (auto *check = m_window.findChild<QAction *>(QStringLiteral("Checkforupdates1")))
        check->trigger();
}

bool TForm1HandOverWindow::IsNodeModified() const
{
    return m_window.doc().IsNodeModified();
}

bool TForm1HandOverWindow::tableModified() const
{
    return m_window.doc().tableModified();
}

bool TForm1HandOverWindow::modalDialogOpen() const
{
    return QApplication::activeModalWidget() != nullptr;
}
