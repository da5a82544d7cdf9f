// Creating the window from the options, closing it and saving the options.
#include "mainwindow/TForm1.h"

#include "mainwindow/GeneralSettingsPage.h"
#include "mainwindow/MacroEditor.h"
#include "mainwindow/MacroEditorSettingsPage.h"
#include "mainwindow/NewConnectionsPage.h"
#include "mainwindow/SettingsPage.h"
#include "mainwindow/TForm1HandOverWindow.h"
#include "mainwindow/UserDataPage.h"
#include "mainwindow/WindowGeometryRecorder.h"
#include "platform/AppPaths.h"
#include "runner/ProgramFolder.h"
#include "runner/TeraTermIni.h"
#include "shell/HandOverReceiver.h"
#include "shell/InstanceSemaphore.h"
#include "shell/LauncherLink.h"
#include "shell/OptionsStore.h"
#include "shell/ParamName.h"
#include "shell/ShellServices.h"
#include "table/TableFile.h"

#include "platform/widgets/QsciIncludes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>

#include <cstdio>

namespace {

// Sets a radio button of a pair without its partner following, so both can be cleared.
void setRadio(QRadioButton *button, bool checked)
{
    button->setAutoExclusive(false);
    button->setChecked(checked);
    button->setAutoExclusive(true);
}

} // namespace

void TForm1::FormCreate(ShellServices &services, const QStringList &arguments)
{
    m_shell = &services;
    // The receiver's view of this window; a child of the window, so it lives as long.
    auto *handOverWindow = new TForm1HandOverWindow(*this);
    m_handOver = new HandOverReceiver(services.registry(), prompter(), *handOverWindow, this);
    m_handOver->attach(services.messages());
    m_geometry = new WindowGeometryRecorder(*this, m_options, [this] { return m_doc.LoadingFlag; });

    m_doc.CurrentTableFile.clear();
    m_doc.InsertModeFlag = true;
    m_doc.CopyInProgressFlag = false;
    m_doc.CutModeFlag = false;

    trimDblClickActions();
    InitTree();
    loadOptions(!arguments.isEmpty());
    QCheckBox *runOnStart = settingsPage()->general()->cbRunOnStart();
    runOnStart->setChecked(IsAutoStartOn());
    connect(runOnStart, &QCheckBox::clicked, this, &TForm1::cbRunOnStartClick);

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
    // The tray actions this system offers; the stored action numbers follow the full list.
    QComboBox *actions = m_settingsPage->general()->cbDoubleClickAction();
    if (!QFileInfo(AppFilePath(QStringLiteral("cygterm.exe"))).isFile() || !IsCygwinInstalled())
        actions->removeItem(6);
    if (!ReadIsNTFlag(m_shell->registry()))
        actions->removeItem(5);
    if (actions->currentIndex() < 0)
        actions->setCurrentIndex(0);
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
        env.workArea = s->availableGeometry();
    }
    env.dblClickItems = dblClickItemsShown();
    env.treeMinWidth = VT->minimumWidth();
    m_options = LoadSettings(m_shell->registry(), env);
    optionsToControls();
}

bool TForm1::openTableAtStart()
{
    Registry &registry = m_shell->registry();
    const QString handedOver = ReadParamName(registry);
    const QString last = m_doc.CurrentTableFile;
    if (!handedOver.isEmpty() && last.isEmpty()) {
        // No table to come back to: the handed-over file becomes the table, and a later start
        // does not offer it again.
        if (QFileInfo(handedOver).isFile())
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
    const bool on = m_settingsPage->general()->cbRunOnStart()->isChecked();
    if (on != IsAutoStartOn())
        SetAutoStart(on);
}

QStringList TForm1::dblClickItemsShown() const
{
    const QComboBox *actions = m_settingsPage->general()->cbDoubleClickAction();
    QStringList items;
    for (int i = 0; i < actions->count(); ++i)
        items << actions->itemText(i);
    return items;
}

void TForm1::optionsToControls()
{
    const ProgramOptions &o = m_options;
    GeneralSettingsPage *general = m_settingsPage->general();
    general->cbSelectlast()->setChecked(o.SelectLast);
    general->cbAutoSave()->setChecked(o.AutoSave);
    general->cbDoNotTile()->setChecked(o.DoNotTile);
    general->cbDoubleClickAction()->setCurrentIndex(o.DblClickAction);
    general->CBDelay()->setCurrentIndex(o.MultiStartIndex);
    general->cbFullPathMRU()->setChecked(o.FullPathMRU);
    general->cbUpdateInterval()->setCurrentIndex(o.CheckUpdateInterval);

    UserDataPage *user = m_settingsPage->userData();
    user->Edit1()->setText(o.VarName);
    user->Edit2()->setText(o.VarEmail);
    user->Edit3()->setText(o.VarPhone);
    user->Edit9()->setText(o.VarMobile);
    user->Edit10()->setText(o.VarPager);

    MacroEditorSettingsPage *editor = m_settingsPage->macroEditor();
    editor->cbNoColors()->setChecked(o.NoColors);
    editor->rbUseColorInEditor()->setChecked(o.UseColorsInEditor);
    editor->rbSyntax()->setChecked(!o.UseColorsInEditor);
    editor->cbSameBkgr()->setChecked(o.UseSameBackground);
    editor->cbAllowTAB()->setChecked(o.AllowTAB);
    editor->cbTAB2Space()->setChecked(o.TAB2Space);
    editor->cbSmartTAB()->setChecked(o.SmartTabs);
    editor->CBSpacePerTAB()->setCurrentIndex(o.SpacePerTABIndex);
    // Without stored options the editor keeps its designed tab width.
    if (o.KeyFound)
        Memo1->setTabWidth(o.EditorTabWidth());
    editor->cbUseAsTTFont()->setChecked(o.UseAsTTFont);
    applyEditorFont();

    NewConnectionsPage *fresh = m_settingsPage->newConnections();
    setRadio(fresh->rbLog(), o.Logging == LoggingChoice::Log);
    setRadio(fresh->rbDontLog(), o.Logging == LoggingChoice::DontLog);
    fresh->cbDefColors()->setCurrentIndex(o.DefaultColors);

    m_doc.CurrentTableFile = o.LastQDZFile;
    m_doc.SelectedNodeIndex = o.SelectedNodeIndex;

    m_geometry->restore();
    if (o.TreeWidth)
        Splitter->setSizes({*o.TreeWidth, qMax(0, width() - *o.TreeWidth - Splitter->handleWidth())});
    if (o.WinMaximized == 1)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void TForm1::applyEditorFont()
{
    // The name goes to both editors; size and style to the macro editor only.
    const FontOption &f = m_options.Font1;
    if (f.Name) {
        for (TextEditor *memo : std::initializer_list<TextEditor *>{Memo1, Memo2}) {
            QFont font = memo->font();
            font.setFamily(*f.Name);
            memo->setFont(font);
        }
    }
    QFont font = Memo1->font();
    if (f.Size)
        font.setPointSize(*f.Size);
    if (f.Style) {
        font.setBold(*f.Style & FontStyleBits::Bold);
        font.setItalic(*f.Style & FontStyleBits::Italic);
        font.setUnderline(*f.Style & FontStyleBits::Underline);
        font.setStrikeOut(*f.Style & FontStyleBits::StrikeOut);
    }
    Memo1->setFont(font);
}

void TForm1::controlsToOptions()
{
    ProgramOptions &o = m_options;
    const GeneralSettingsPage *general = m_settingsPage->general();
    o.SelectLast = general->cbSelectlast()->isChecked();
    o.AutoSave = general->cbAutoSave()->isChecked();
    o.DoNotTile = general->cbDoNotTile()->isChecked();
    o.DblClickAction = general->cbDoubleClickAction()->currentIndex();
    o.MultiStartIndex = general->CBDelay()->currentIndex();
    o.FullPathMRU = general->cbFullPathMRU()->isChecked();
    o.CheckUpdateInterval = general->cbUpdateInterval()->currentIndex();

    const UserDataPage *user = m_settingsPage->userData();
    o.VarName = user->Edit1()->text();
    o.VarEmail = user->Edit2()->text();
    o.VarPhone = user->Edit3()->text();
    o.VarMobile = user->Edit9()->text();
    o.VarPager = user->Edit10()->text();

    const MacroEditorSettingsPage *editor = m_settingsPage->macroEditor();
    o.NoColors = editor->cbNoColors()->isChecked();
    o.UseColorsInEditor = editor->rbUseColorInEditor()->isChecked();
    o.UseSameBackground = editor->cbSameBkgr()->isChecked();
    o.AllowTAB = editor->cbAllowTAB()->isChecked();
    o.TAB2Space = editor->cbTAB2Space()->isChecked();
    o.SmartTabs = editor->cbSmartTAB()->isChecked();
    o.SpacePerTABIndex = editor->CBSpacePerTAB()->currentIndex();
    o.UseAsTTFont = editor->cbUseAsTTFont()->isChecked();

    const NewConnectionsPage *fresh = m_settingsPage->newConnections();
    if (fresh->rbLog()->isChecked())
        o.Logging = LoggingChoice::Log;
    else if (fresh->rbDontLog()->isChecked())
        o.Logging = LoggingChoice::DontLog;
    o.DefaultColors = fresh->cbDefColors()->currentIndex();

    o.LastQDZFile = m_doc.CurrentTableFile;
    o.WinMaximized = isMaximized() ? 1 : 0;
    // A tree never laid out has no width of its own yet: the loaded one stands.
    if (VT->isVisible())
        o.TreeWidth = VT->width();
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
    env.dblClickItems = dblClickItemsShown();
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
