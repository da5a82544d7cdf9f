// Creating the window from the options, closing it and saving the options.
#include "mainwindow/TForm1.h"

#include "components/AssociationChoice.h"
#include "components/TMILAssociate.h"
#include "mainwindow/GeneralSettingsPage.h"
#include "mainwindow/HighlighterPage.h"
#include "mainwindow/MacroEditor.h"
#include "mainwindow/MacroPrintCommands.h"
#include "mainwindow/SettingsPage.h"
#include "mainwindow/TForm1HandOverWindow.h"
#include "mainwindow/ViewCommands.h"
#include "mainwindow/WindowGeometryRecorder.h"
#include "platform/AppPaths.h"
#include "runner/ProgramFolder.h"
#include "runner/TeraTermConfigBackup.h"
#include "runner/TeraTermIni.h"
#include "shell/HandOverReceiver.h"
#include "shell/InstanceSemaphore.h"
#include "shell/LauncherLink.h"
#include "shell/OptionsStore.h"
#include "shell/ParamName.h"
#include "shell/ShellServices.h"
#include "table/TableFile.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>

#include <cstdio>

void TForm1::FormCreate(ShellServices &services, const QStringList &arguments)
{
    m_shell = &services;
    // The receiver's view of this window; a child of the window, so it lives as long.
    auto *handOverWindow = new TForm1HandOverWindow(*this);
    m_handOver = new HandOverReceiver(services.registry(), prompter(), *handOverWindow, this);
    m_handOver->attach(services.messages());
    m_geometry = new WindowGeometryRecorder(*this, m_options, [this] { return m_doc.LoadingFlag; });
    createRecentFiles(services.registry());

    m_doc.CurrentTableFile.clear();
    setInsertMode(true);
    m_doc.CopyInProgressFlag = false;
    m_doc.CutModeFlag = false;

    mnRestore->setEnabled(TeraTermConfigBackup::ReadTTConfigBackup(services.registry()));
    trimDblClickActions();
    InitTree();
    loadOptions(!arguments.isEmpty());
    QCheckBox *runOnStart = settingsPage()->general()->cbRunOnStart();
    runOnStart->setChecked(IsAutoStartOn());
    connect(runOnStart, &QCheckBox::clicked, this, &TForm1::cbRunOnStartClick);
    // Only the user's choice: loading the options leaves the stored day alone.
    connect(settingsPage()->general()->cbUpdateInterval(), &QComboBox::activated, this,
            &TForm1::cbUpdateIntervalChange);
    MILAssociate1 = std::make_unique<TMILAssociate>(services.registry());
    SetUpProgramAssociation(*MILAssociate1, QCoreApplication::applicationFilePath());
    settingsPage()->general()->attachAssociation(*MILAssociate1, m_host);

    const bool offerHandOver = openTableAtStart();
    {
        LoadingScope loading(m_doc);
        m_doc.UpdateCaption(false);
        const ConnectionNode *root = m_doc.RootNode();
        PG->setCurrentIndex(root && root->hasChildren() ? 1 : 0);
    }
    VT->viewport()->update();
    if (m_doc.SelectedNodeIndex != 0)
        SelectNodeByIndex();
    m_doc.SetNodeModified(false);
    UpdateKeyIndicators();
    m_printing->HasPrinters(true);
    RequestCommandRefresh();
    // The pages show the node the start selected (or their covers) before any focus change
    // asks for it, so nothing can be typed for the top node.
    ShowFocusedNodeData();
    m_doc.SelectedNodeIndex = 0;
    if (offerHandOver)
        m_handOver->startOfferTimer();
    ShowInsertMode(false);
    settingsPage()->PGSettings()->setCurrentIndex(0);
}

void TForm1::trimDblClickActions()
{
    m_settingsPage->general()->offerTrayActions(
        ReadIsNTFlag(m_shell->registry()),
        QFileInfo(AppFilePath(QStringLiteral("cygterm.exe"))).isFile() && IsCygwinInstalled());
}

void TForm1::loadOptions(bool hasCommandLineArgument)
{
    LoadingScope loading(m_doc);
    LoadEnvironment env;
    env.hasCommandLineArgument = hasCommandLineArgument;
    env.minWidth = minimumWidth();
    env.minHeight = minimumHeight();
    if (const QScreen *s = screen()) {
        env.screenWidth = s->geometry().width();
        env.screenHeight = s->geometry().height();
        // All the screens: a window kept on a second monitor is not pulled back to this one.
        env.workArea = s->availableVirtualGeometry();
    }
    env.dblClickItems = m_settingsPage->general()->dblClickItemsShown();
    env.treeMinWidth = VT->minimumWidth();
    m_options = LoadSettings(m_shell->registry(), env);
    m_attributes.load(m_shell->registry());
    optionsToControls();
}

bool TForm1::openTableAtStart()
{
    Registry &registry = m_shell->registry();
    const QString handedOver = ReadParamName(registry);
    const QString last = m_doc.CurrentTableFile;
    if (!handedOver.isEmpty() && last.isEmpty()) {
        // No table to come back to: the handed-over file becomes the table, and a later start
        // does not offer it again. Anything of that name is tried, so a folder or pipe is
        // refused with the reader's message instead of passing without a word.
        if (QFileInfo::exists(handedOver))
            readTable(handedOver);
        WriteParamName(registry, QString());
        return false;
    }
    // The last table is read again; a handed-over file waits for the offer to import it.
    m_doc.CurrentTableFile.clear();
    if (QFileInfo(last).isFile())
        readTable(last);
    return !handedOver.isEmpty();
}

void TForm1::cbRunOnStartClick()
{
    QCheckBox *box = m_settingsPage->general()->cbRunOnStart();
    const bool on = box->isChecked();
    // A failure was told; the box shows what the desktop will do at the next log-on.
    if (on != IsAutoStartOn() && !SetAutoStart(on, prompter()))
        box->setChecked(IsAutoStartOn());
}

void TForm1::optionsToControls()
{
    const ProgramOptions &o = m_options;
    m_settingsPage->loadOptions(o);
    Memo1->applyOptions(o);
    // The font's name goes to both editors; size and style to the macro editor only.
    Memo2->applyFontName(o.Font1);
    rbUseColorInEditorClick();

    m_doc.CurrentTableFile = o.LastQDZFile;
    m_doc.SelectedNodeIndex = o.SelectedNodeIndex;

    m_geometry->restore();
    if (o.TreeWidth)
        Splitter->setSizes({*o.TreeWidth, qMax(0, width() - *o.TreeWidth - Splitter->handleWidth())});
    cbFullPathMRUClick();
    applyMenuFont();
    m_settingsPage->highlighter()->selectSampleLine();
}

void TForm1::controlsToOptions()
{
    ProgramOptions &o = m_options;
    m_settingsPage->saveOptions(o);
    o.LastQDZFile = m_doc.CurrentTableFile;
    o.WinMaximized = isMaximized() ? 1 : 0;
    // A tree never laid out has no width of its own yet: the loaded one stands. A hidden or
    // maximized tree keeps the width it will get back beside the pages. The window itself is
    // already hidden when it closes, so the tree is asked whether it is hidden, not shown.
    if (!VT->isHidden() || m_views->mode() != TreeViewState::Mode::Restore)
        o.TreeWidth = m_views->treeWidthBesidePages();
}

void TForm1::SaveSettingsAndNotify()
{
    // A window not created from the options has nothing of the user's to write: saving its
    // presets would wipe what is stored.
    if (!m_shell)
        return;
    controlsToOptions();
    SaveEnvironment env;
    const ConnectionNode *focus = focusedNode();
    env.focusedNodeIndex = focus ? m_doc.tree().absoluteIndex(focus) : 0;
    env.dblClickItems = m_settingsPage->general()->dblClickItemsShown();
    env.highlighterAttributes = m_attributes.attributes();
    if (!::SaveSettingsAndNotify(m_shell->registry(), m_options, env, m_shell->messages()))
        std::fprintf(stderr, "Wexmora: the options could not be saved\n");
}

void TForm1::FormClose()
{
    if (!m_shell)
        return;
    DeleteTempFiles(prompter());
    // A later start is a first instance again.
    m_shell->instance().release();
}

void TForm1::FormDestroy()
{
    if (!m_shell || m_destroyed)
        return;
    m_destroyed = true;
    SaveSettingsAndNotify();
    m_shell->instance().release();
}
