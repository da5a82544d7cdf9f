#pragma once

#include "mainwindow/core/RecentFilesSink.h"

// The recent-files list at the end of the File menu, as the file commands report to it.
// The list itself is not there yet: opened and saved files are not recorded.
class TForm1RecentFiles : public RecentFilesSink
{
public:
    void AddFile(const QString &fileName) override;
};
