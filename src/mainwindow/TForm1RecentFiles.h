#pragma once

#include "components/TMostRecentFiles.h"
#include "mainwindow/core/RecentFilesSink.h"

#include <memory>

class Prompter;
class QMenu;
class RecentFilesMenu;
class Registry;

// The recent-files list `MRU` at the end of the File menu, as the file commands report to it.
// Until the window's start-up makes it, reported files are not recorded.
class TForm1RecentFiles : public RecentFilesSink
{
public:
    TForm1RecentFiles();
    ~TForm1RecentFiles() override;

    // Makes the list: up to four entries with their full paths, after the File menu's own
    // items, read from the program's ini file and then from the registry under the program's
    // key, where it is written back when the window goes. A click on an entry whose file
    // exists goes to OnClick, on one whose file has gone to OnMissing (the entry is dropped
    // first).
    void create(Registry &registry, Prompter &prompter, QMenu &fileMenu, TMostRecentFiles::TMRUMenuEvent onClick,
                TMostRecentFiles::TMRUMenuEvent onMissing);

    void AddFile(const QString &fileName) override;
    // Whether the entries show the whole path or the file name only.
    void setShowFullPath(bool on);

private:
    // The menu goes first, taking its items out of the File menu; the list then writes itself.
    std::unique_ptr<TMostRecentFiles> m_list;
    std::unique_ptr<RecentFilesMenu> m_menu;
};
