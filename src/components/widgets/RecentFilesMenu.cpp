#include "components/widgets/RecentFilesMenu.h"

#include "components/TMostRecentFiles.h"

#include <QAction>
#include <QMenu>

RecentFilesMenu::RecentFilesMenu(TMostRecentFiles &list, QObject *parent) : QObject(parent), m_list(list)
{
    connect(&m_list, &TMostRecentFiles::listChanged, this, &RecentFilesMenu::RebuildMenu);
}

RecentFilesMenu::~RecentFilesMenu()
{
    removeItems();
    releaseRetired();
}

QMenu *RecentFilesMenu::OwnerMenuItem() const
{
    return m_owner;
}

void RecentFilesMenu::setOwnerMenuItem(QMenu *menu)
{
    removeItems();
    m_owner = menu;
    RebuildMenu();
}

QList<QAction *> RecentFilesMenu::entryActions() const
{
    QList<QAction *> out;
    for (const QPointer<QAction> &a : m_entries)
        out.append(a);
    return out;
}

void RecentFilesMenu::entryClicked(int index)
{
    ++m_clicking;
    m_list.MenuClick(index);
    if (--m_clicking == 0)
        releaseRetired();
}

void RecentFilesMenu::removeItems()
{
    for (const QPointer<QAction> &item : std::as_const(m_items)) {
        if (!item)
            continue;
        if (m_owner)
            m_owner->removeAction(item);
        m_retired.append(item);
    }
    m_items.clear();
    m_entries.clear();
    if (m_clicking == 0)
        releaseRetired();
}

void RecentFilesMenu::releaseRetired()
{
    // Later, not now: the clicked item is still emitting its signal.
    for (const QPointer<QAction> &item : std::as_const(m_retired))
        if (item)
            item->deleteLater();
    m_retired.clear();
}

void RecentFilesMenu::insertSeparator(int position)
{
    auto *separator = new QAction(m_owner);
    separator->setSeparator(true);
    const QList<QAction *> actions = m_owner->actions();
    m_owner->insertAction(position < actions.size() ? actions.at(position) : nullptr, separator);
    m_items.append(separator);
}

void RecentFilesMenu::RebuildMenu()
{
    removeItems();
    if (!m_owner || m_list.files().isEmpty())
        return;

    int position = std::min<int>(m_menuPosition, int(m_owner->actions().size()));
    if (position > 0 && !m_owner->actions().at(position - 1)->isSeparator())
        insertSeparator(position++);
    for (int i = 0; i < m_list.files().size(); ++i) {
        auto *item = new QAction(m_list.caption(i), m_owner);
        connect(item, &QAction::triggered, this, [this, i] { entryClicked(i); });
        const QList<QAction *> actions = m_owner->actions();
        m_owner->insertAction(position < actions.size() ? actions.at(position) : nullptr, item);
        m_items.append(item);
        m_entries.append(item);
        ++position;
    }
    const QList<QAction *> actions = m_owner->actions();
    if (position < actions.size() && !actions.at(position)->isSeparator())
        insertSeparator(position);
}
