#pragma once

#include <QString>

// Where the file commands report a file that was opened or written, for the recent-files
// list at the end of the File menu.
class RecentFilesSink
{
public:
    virtual ~RecentFilesSink() = default;
    virtual void AddFile(const QString &fileName) = 0;
};
