#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QAction;
class QMenu;
class TMostRecentFiles;

// Shows a recent-files list as numbered items of a menu, from MenuPosition on, set off from
// the menu's own items by separators, and hands a click on an item to the list. The items are
// made anew whenever the list changes. The click itself changes the list (and may run modal
// dialogs), so items replaced during a click are only taken out of the menu, and released
// once the click has been handled.
class RecentFilesMenu : public QObject
{
    Q_OBJECT

public:
    explicit RecentFilesMenu(TMostRecentFiles &list, QObject *parent = nullptr);
    ~RecentFilesMenu() override;

    // The menu that receives the items; none when it was destroyed.
    QMenu *OwnerMenuItem() const;
    void setOwnerMenuItem(QMenu *menu);
    // The index among the menu's items where the list begins (the menu's end when larger).
    int MenuPosition() const { return m_menuPosition; }
    void setMenuPosition(int position) { m_menuPosition = position; }

    // The items showing the entries, in list order (no separators).
    QList<QAction *> entryActions() const;

    void RebuildMenu();

private:
    void entryClicked(int index);
    void removeItems();
    void releaseRetired();
    void insertSeparator(int position);

    TMostRecentFiles &m_list;
    QPointer<QMenu> m_owner;
    int m_menuPosition = 0;
    QList<QPointer<QAction>> m_items;    // every item made here, separators included
    QList<QPointer<QAction>> m_entries;  // the entry items, in list order
    QList<QPointer<QAction>> m_retired;  // taken out of the menu during a click
    int m_clicking = 0;                  // clicks being handled (one may open a table that adds a file)
};
