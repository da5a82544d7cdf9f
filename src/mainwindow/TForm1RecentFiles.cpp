#include "mainwindow/TForm1RecentFiles.h"

void TForm1RecentFiles::AddFile(const QString &fileName)
{
    // The one place the recent-files list will take a file.
    Q_UNUSED(fileName);
}
