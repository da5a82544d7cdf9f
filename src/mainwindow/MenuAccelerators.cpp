#include "mainwindow/MenuAccelerators.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

#include <set>

namespace {

// The accelerator a caption already has ("&&" is a written ampersand), or a null char.
QChar ownAccelerator(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != u'&')
            continue;
        if (caption.at(i + 1) != u'&')
            return caption.at(i + 1).toUpper();
        ++i;
    }
    return {};
}

bool isAcceleratorLetter(QChar c)
{
    const QChar upper = c.toUpper();
    return upper >= u'A' && upper <= u'Z';
}

} // namespace

MenuAccelerators::MenuAccelerators(QMenuBar &menuBar, QWidget &window) : QObject(&window), m_menuBar(menuBar)
{
    assign(menuBar);
    for (QAction *action : menuBar.actions())
        if (QMenu *menu = action->menu())
            follow(*menu);
    // F10 opens the first menu, as on Windows; the arrow keys go on from there.
    auto *f10 = new QShortcut(QKeySequence(Qt::Key_F10), &window);
    f10->setContext(Qt::WindowShortcut);
    connect(f10, &QShortcut::activated, this, [this] {
        for (QAction *action : m_menuBar.actions()) {
            if (action->isVisible() && action->isEnabled() && action->menu()) {
                m_menuBar.setActiveAction(action);
                return;
            }
        }
    });
}

void MenuAccelerators::follow(QMenu &menu)
{
    assign(menu);
    // Items come and go (the recent files): a menu gets its letters again as it opens.
    connect(&menu, &QMenu::aboutToShow, this, [&menu] { assign(menu); });
    for (QAction *action : menu.actions())
        if (QMenu *submenu = action->menu())
            follow(*submenu);
}

void MenuAccelerators::assign(QWidget &menu)
{
    const QList<QAction *> actions = menu.actions();
    std::set<char16_t> taken;
    for (const QAction *action : actions)
        if (const QChar own = ownAccelerator(action->text()); !own.isNull())
            taken.insert(own.unicode());
    for (QAction *action : actions) {
        const QString caption = action->text();
        if (action->isSeparator() || caption.isEmpty() || caption.contains(u'&'))
            continue;
        for (qsizetype i = 0; i < caption.size(); ++i) {
            const QChar c = caption.at(i);
            if (isAcceleratorLetter(c) && taken.insert(c.toUpper().unicode()).second) {
                action->setText(caption.left(i) + u'&' + caption.mid(i));
                break;
            }
        }
    }
}
