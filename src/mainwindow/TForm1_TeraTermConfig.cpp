// The File menu's "TeraTerm configuration": TeraTerm's settings kept in the program's store
// and written back after a new TeraTerm overwrote them.
#include "mainwindow/TForm1.h"

#include "platform/AppPaths.h"
#include "runner/TeraTermConfigBackup.h"
#include "shell/ShellServices.h"

#include <QAction>

void TForm1::mnBackupClick()
{
    if (!m_shell)
        return;
    TeraTermConfigBackup backup(AppPaths::programDir(), m_shell->registry(), m_host);
    // A stored backup is there to restore at once, not only after the next start.
    if (backup.Backup() == TeraTermConfigBackup::Outcome::Done)
        mnRestore->setEnabled(true);
}

void TForm1::mnRestoreClick()
{
    if (!m_shell)
        return;
    TeraTermConfigBackup(AppPaths::programDir(), m_shell->registry(), m_host).Restore();
}
