#include "mainwindow/TForm1HandOverWindow.h"

#include "mainwindow/TForm1.h"
#include "runner/TeraTermIni.h"
#include "table/ImportConnections.h"
#include "updates/widgets/TForm2.h"

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
    // The update window holds nothing to lose: it goes first, as its Cancel would, so a stop
    // also ends the start for the update check alone.
    if (TForm2 *updates = m_window.updateWindow(); updates && updates->isVisible())
        updates->reject();
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
    // The update window in front takes the requests itself: a check brings it forward, a stop
    // closes it first.
    const QWidget *modal = QApplication::activeModalWidget();
    return modal && modal != m_window.updateWindow();
}

bool TForm1HandOverWindow::readingFile() const
{
    return m_window.doc().LoadingFlag;
}
