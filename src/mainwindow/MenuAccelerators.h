#pragma once

#include <QObject>

class QMenu;
class QMenuBar;
class QWidget;

// The menus reached by letter from the keyboard, as the Windows program's menu component
// gives them by itself: each caption gets an accelerator, its first letter that no item before
// it in the same menu has taken (the menu bar's menus count as one menu). The caption's text
// stays as it is; the letter shows underlined. A caption that brings its own (a recent file's
// number) keeps it. Alt and the letter open a menu of the menu bar; inside an open menu the
// letter alone chooses the item. F10 opens the menu bar's first menu.
//
// An editor or the tree's in-place editor keeps every key its text takes: letters with or
// without Shift, and what the keyboard layout's AltGr level gives. Only Alt with a letter goes
// to the menus, as on Windows.
class MenuAccelerators : public QObject
{
    Q_OBJECT
public:
    // The menu bar of Window and every menu below it.
    MenuAccelerators(QMenuBar &menuBar, QWidget &window);

    // Menu (a context menu) and its submenus too.
    void follow(QMenu &menu);

    // Gives the captions of Menu (a QMenu or a QMenuBar) their accelerators.
    static void assign(QWidget &menu);

private:
    QMenuBar &m_menuBar;
};
