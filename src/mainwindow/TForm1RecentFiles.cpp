#include "mainwindow/TForm1RecentFiles.h"

#include "components/widgets/RecentFilesMenu.h"
#include "shell/ProgramRegKey.h"

#include <QMenu>

namespace {

// The File menu's own items: the list follows "Close", the last of them.
constexpr int FileMenuItems = 19;

} // namespace

TForm1RecentFiles::TForm1RecentFiles() = default;

TForm1RecentFiles::~TForm1RecentFiles() = default;

void TForm1RecentFiles::create(Registry &registry, Prompter &prompter, QMenu &fileMenu,
                               TMostRecentFiles::TMRUMenuEvent onClick, TMostRecentFiles::TMRUMenuEvent onMissing)
{
    m_menu.reset();
    m_list = std::make_unique<TMostRecentFiles>(registry, prompter);
    m_list->setMaxFiles(4);
    m_list->setShowFullPath(true);
    m_list->setOnMenuClick(std::move(onClick));
    m_list->setOnFileNotExist(std::move(onMissing));
    m_menu = std::make_unique<RecentFilesMenu>(*m_list);
    m_menu->setMenuPosition(FileMenuItems);
    m_menu->setOwnerMenuItem(&fileMenu);
    m_list->setRegPath(ProgramRegKey);
}

void TForm1RecentFiles::AddFile(const QString &fileName)
{
    if (m_list)
        m_list->AddFile(fileName);
}

void TForm1RecentFiles::setShowFullPath(bool on)
{
    if (m_list)
        m_list->setShowFullPath(on);
}
