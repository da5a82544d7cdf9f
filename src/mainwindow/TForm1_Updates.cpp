// The update check: the update window made for this window, "Check for updates" and the
// check interval of the General page.
#include "mainwindow/TForm1.h"

#include "platform/AppPaths.h"
#include "shell/ShellServices.h"
#include "updates/UpdateSettings.h"
#include "updates/widgets/TForm2.h"

#include <QDate>

std::unique_ptr<TForm2> TForm1::CreateUpdateWindow()
{
    Registry &registry = m_shell->registry();
    auto window = std::make_unique<TForm2>(TForm2::Context{
        prompter(), registry, m_shell->messages(), AppPaths::programDir(),
        [this] {
            const bool goOn = FormCloseQuery();
            RequestCommandRefresh();
            return goOn;
        },
        // The backup offered before an upgrade is the File menu's, Restore's enabling included.
        [this] { mnBackupClick(); }});
    m_updateWindow = window.get();
    return window;
}

TForm2 *TForm1::updateWindow() const
{
    return m_updateWindow;
}

void TForm1::Checkforupdates1Click()
{
    if (m_updateWindow)
        m_updateWindow->CheckForUpdates();
}

void TForm1::cbUpdateIntervalChange(int index)
{
    UpdateSettings::SaveNextUpdateCheck(m_shell->registry(),
                                        UpdateSettings::NextUpdateCheck(index, QDate::currentDate()));
}
