// The View menu's pages and tree views, the window's geometry, and the context help.
#include "mainwindow/TForm1.h"

#include "mainwindow/ColorsPage.h"
#include "platform/widgets/ContextHelp.h"
#include "mainwindow/MacroEditor.h"
#include "mainwindow/MacroPage.h"
#include "mainwindow/PopupPage.h"
#include "mainwindow/SchedulePage.h"
#include "mainwindow/SettingsPage.h"
#include "mainwindow/UserDataPage.h"
#include "mainwindow/ViewCommands.h"

#include <QAction>
#include <QLineEdit>
#include <QTabWidget>
#include <QToolBar>

void TForm1::setupViews()
{
    connect(m_views, &ViewCommands::refreshRequested, this, &TForm1::RequestCommandRefresh);
    connect(m_views, &ViewCommands::modeChanged, this, [this](TreeViewState::Mode mode) {
        using M = TreeViewState::Mode;
        (mode == M::Hide ? MnVTHide : mode == M::Maximize ? MnVTMaximize : MnVTRestore)->setChecked(true);
    });
    // A page chosen on the tabs changes what the commands can do.
    connect(PG, &QTabWidget::currentChanged, this, &TForm1::RequestCommandRefresh);

    new ContextHelp(*this, [this](int context) { m_help.showContext(context); });
    setHelpContexts();
}

void TForm1::setHelpContexts()
{
    const UserDataPage *user = m_settingsPage->userData();
    const std::pair<QObject *, int> contexts[] = {
        {this, 1030},
        {findChild<QAction *>(QStringLiteral("MnAbout")), 5000},
        {CBar, 6020},
        {VT, 6030},
        {PG, 6040},
        {m_settingsPage, 6040},
        {m_macroPage, 6050},
        {Memo1, 6050},
        {m_popupPage, 6060},
        {m_colorsPage, 6070},
        {m_schedulePage, 6080},
        {user->Edit1(), 9010},
        {user->Edit2(), 9010},
        {user->Edit3(), 9010},
        {user->Edit9(), 9010},
        {user->Edit10(), 9010},
    };
    for (const auto &[object, context] : contexts)
        ContextHelp::setContext(object, context);
}
