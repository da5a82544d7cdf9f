#include "mainwindow/CoverPanel.h"
#include "mainwindow/GeneralSettingsPage.h"
#include "mainwindow/HighlighterPage.h"
#include "mainwindow/MacroEditorSettingsPage.h"
#include "mainwindow/MacroPage.h"
#include "mainwindow/SchedulePage.h"
#include "mainwindow/SettingsPage.h"
#include "mainwindow/TForm1.h"
#include "platform/widgets/QsciIncludes.h"
#include "support/ScriptedPrompter.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>

namespace {

// The one widget of that name (toolbar buttons share their action's name and are looked up
// as buttons).
QWidget *widgetNamed(const QObject &root, const QString &name)
{
    const QList<QWidget *> found = root.findChildren<QWidget *>(name);
    return found.size() == 1 ? found.first() : nullptr;
}

QString captionOf(const QWidget *w)
{
    if (auto *b = qobject_cast<const QAbstractButton *>(w))
        return b->text();
    if (auto *l = qobject_cast<const QLabel *>(w))
        return l->text();
    if (auto *g = qobject_cast<const QGroupBox *>(w))
        return g->title();
    return QStringLiteral("<no caption>");
}

QStringList itemsOf(const QWidget *w)
{
    QStringList items;
    if (auto *c = qobject_cast<const QComboBox *>(w))
        for (int i = 0; i < c->count(); ++i)
            items << c->itemText(i);
    if (auto *l = qobject_cast<const QListWidget *>(w))
        for (int i = 0; i < l->count(); ++i)
            items << l->item(i)->text();
    return items;
}

int currentOf(const QWidget *w)
{
    if (auto *c = qobject_cast<const QComboBox *>(w))
        return c->currentIndex();
    if (auto *l = qobject_cast<const QListWidget *>(w))
        return l->currentRow();
    return -2;
}

QStringList numbers(int from, int to)
{
    QStringList out;
    for (int i = from; i <= to; ++i)
        out << QString::number(i);
    return out;
}

const QStringList kSchemes = {"Black on Light color", "Black on Light Yellow", "Black on White", "Green Tint",
                              "Green on Black", "Grey on Black", "White on Black", "from TeraTerm.ini file"};

} // namespace

class TestTForm1Layout : public QObject
{
    Q_OBJECT

    ScriptedPrompter m_prompter;
    TForm1 *m_form = nullptr;

private Q_SLOTS:
    void init()
    {
        m_form = new TForm1(&m_prompter);
        m_form->InitTree();
    }
    void cleanup()
    {
        delete m_form;
        m_form = nullptr;
    }

    void pages_data();
    void pages();
    void controlCaptions_data();
    void controlCaptions();
    void lists_data();
    void lists();
    void menuItems_data();
    void menuItems();
    void toolbarButtons_data();
    void toolbarButtons();
    void popupItemsActOnlyWhileOpen();
    void fileMenuHasNineteenItemsEndingInClose();
    void templatesCarryTheirNumbers();
    void treeViewItemsFormOneGroup();
    void minimumSize();
    void coverPanelsFillTheirPagesWhenShown_data();
    void coverPanelsFillTheirPagesWhenShown();
    void highlighterSampleShowsTheFourthLineSelected();
    void pagesReportTheirListValues();
};

void TestTForm1Layout::pages_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("caption");
    const char *const top[][2] = {{"TS0", "Settings"}, {"TS1", "Macro"}, {"TS2", "Popup"}, {"TS3", "Colors"},
                                  {"TS4", "Schedule"}};
    for (int i = 0; i < 5; ++i)
        QTest::addRow("PG %d", i) << "PG" << i << top[i][0] << top[i][1];
    const char *const settings[][2] = {{"TSS0", "General"}, {"TSS1", "User Data"}, {"TSS2", "Macro Editor"},
                                       {"TSS3", "Highlighter"}, {"TSS4", "New Connections"}};
    for (int i = 0; i < 5; ++i)
        QTest::addRow("PGSettings %d", i) << "PGSettings" << i << settings[i][0] << settings[i][1];
}

void TestTForm1Layout::pages()
{
    QFETCH(QString, control);
    QFETCH(int, index);
    QFETCH(QString, page);
    QFETCH(QString, caption);
    auto *tabs = m_form->findChild<QTabWidget *>(control);
    QVERIFY(tabs);
    QCOMPARE(tabs->count(), 5);
    // A page may stand inside a scroll area that is the tab's widget.
    QWidget *w = widgetNamed(*tabs, page);
    QVERIFY(w);
    while (w && tabs->indexOf(w) < 0)
        w = w->parentWidget();
    QCOMPARE(tabs->indexOf(w), index);
    QCOMPARE(tabs->tabText(index), caption);
}

void TestTForm1Layout::controlCaptions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("caption");
    const char *const rows[][3] = {
        // Macro and Popup pages.
        {"Memo1", "QsciScintilla", nullptr},
        {"Memo2", "QsciScintilla", nullptr},
        {"TS1bPanel", "QFrame", nullptr},
        {"cbLogSession", "QCheckBox", "Start logging when the macro ends"},
        {"SpeedButton1", "QToolButton", ""},
        {"stLabel", "QLabel", ""},
        // Colors page.
        {"lSchema", "QLabel", "Color schema:"},
        {"lAttribute", "QLabel", "Attribute:"},
        {"RB3", "QRadioButton", "Text"},
        {"RB4", "QRadioButton", "Background"},
        {"S1", "QScrollBar", nullptr},
        {"S2", "QScrollBar", nullptr},
        {"S3", "QScrollBar", nullptr},
        {"lRed", "QLabel", "R: 0"},
        {"lGreen", "QLabel", "G: 0"},
        {"lBlue", "QLabel", "B: 0"},
        {"pSampleNormal", "QLabel", "Normal"},
        {"pSampleBold", "QLabel", "Bold"},
        {"pSampleBlink", "QLabel", "Blink"},
        {"pSampleURL", "QLabel", "URL"},
        {"bSameBkgrColor", "QPushButton", "Set current background for Normal, Bold, Blink and URL"},
        {"bReverse", "QPushButton", "Reverse colors"},
        {"bParentColors", "QPushButton", "Set parent's colors"},
        // Schedule page.
        {"cbSchedule", "QCheckBox", "Execute according to schedule"},
        {"lMinute", "QLabel", "Minute (0..59) :"},
        {"lHour", "QLabel", "Hour (0..23) :"},
        {"lDayOfMonth", "QLabel", "Day on the month (1..31) :"},
        {"lMonth", "QLabel", "Month (1..12) :"},
        {"lDayOfWeek", "QLabel", "Day of the week (1..7) :"},
        {"Edit4", "QLineEdit", nullptr},
        {"Edit5", "QLineEdit", nullptr},
        {"Edit6", "QLineEdit", nullptr},
        {"Edit7", "QLineEdit", nullptr},
        {"Edit8", "QLineEdit", nullptr},
        {"bValidate", "QPushButton", "Verify values"},
        {"Label14", "QLabel", "Enter numeric values separated by commas or star to\n"
                              "represent all possible values. No spaces are allowed.\n"
                              "For week days 1=Monday ... 7=Sunday"},
        {"Label15", "QLabel", "NOTE: To be able running macros according to the schedule make sure Wexmora "
                              "application is executed and appears iconized in Windows system tray."},
        // Settings: General.
        {"cbRunOnStart", "QCheckBox", "Run at log on to Windows"},
        {"cbAssociateExt", "QCheckBox", "Associate extention QDZ with Wexmora"},
        {"cbAutoSave", "QCheckBox", "Save changes on Close without prompting"},
        {"cbSelectlast", "QCheckBox", "Auto select last executed connection in Configuration window"},
        {"gbRunAllSelected", "QGroupBox", " 'Run all selected' options: "},
        {"cbDoNotTile", "QCheckBox", "Do not tile"},
        {"gbMenuProperties", "QGroupBox", " Menu properties: "},
        {"Button4", "QPushButton", "Change Font..."},
        {"Label18", "QLabel", "NOTE: This font will appear in Wexmora popup menu and in the main menu of "
                              "Wexmora Configuration window."},
        {"cbFullPathMRU", "QCheckBox", "Show full path in the most recently used file list"},
        {"gbUpdates", "QGroupBox", "Check for updated versions"},
        // Settings: User Data.
        {"lName", "QLabel", "Name ($name$) :"},
        {"lEmail", "QLabel", "E-mail ($email$) :"},
        {"lPhone", "QLabel", "Phone ($phone$) :"},
        {"lMobile", "QLabel", "Mobile ($mobile$) :"},
        {"lPager", "QLabel", "Pager ($pager$) :"},
        {"Edit1", "QLineEdit", nullptr},
        {"Edit2", "QLineEdit", nullptr},
        {"Edit3", "QLineEdit", nullptr},
        {"Edit9", "QLineEdit", nullptr},
        {"Edit10", "QLineEdit", nullptr},
        // Settings: Macro Editor.
        {"gbMacroEditor", "QGroupBox", " Macro editor properties: "},
        {"cbNoColors", "QCheckBox", "Disable color support "},
        {"rbSyntax", "QRadioButton", "Syntax highlighting"},
        {"rbUseColorInEditor", "QRadioButton", "Connection colors"},
        {"cbSameBkgr", "QCheckBox", "The same background for Nomal, Bold, Blink and URL"},
        {"cbAllowTAB", "QCheckBox", "Enable TABs"},
        {"cbTAB2Space", "QCheckBox", "Replace with spaces"},
        {"cbSmartTAB", "QCheckBox", "Smart TABs"},
        {"Label19", "QLabel", "TAB width"},
        {"Button3", "QPushButton", "Change Font..."},
        {"Label20", "QLabel", "NOTE: This font will also appear in Popup editor"},
        {"cbUseAsTTFont", "QCheckBox", "Use this font in TeraTerm "},
        // Settings: Highlighter.
        {"gbHighlighter", "QGroupBox", " Syntax Highlighter color settings: "},
        {"gbElements", "QGroupBox", " Elements: "},
        {"gbTextAttribute", "QGroupBox", " Text attribute: "},
        {"cbElemBold", "QCheckBox", "&Bold"},
        {"cbElemItalic", "QCheckBox", "&Italic"},
        {"cbElemUnderline", "QCheckBox", "&Underline"},
        {"btnChangeTTMColors", "QPushButton", "&Change Color..."},
        {"Button2", "QPushButton", "&Reset to defaults"},
        {"Memo3", "QsciScintilla", nullptr},
        {"Panel1", "CoverPanel", "Syntax Highlighting is disabled from Macro Editor settings page"},
        // Settings: New Connections.
        {"rbLog", "QRadioButton", "Start logging"},
        {"rbDontLog", "QRadioButton", "Do not log"},
        {"lDefColors", "QLabel", "Default schema:"},
        // The covering panels.
        {"TS1Panel", "CoverPanel", ""},
        {"TS2Panel", "CoverPanel", ""},
        {"TS3Panel", "CoverPanel", ""},
        {"TS4Panel", "CoverPanel", ""},
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << row[0] << row[1] << (row[2] ? QString::fromUtf8(row[2]) : QString());
}

void TestTForm1Layout::controlCaptions()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QString, caption);
    QWidget *w = widgetNamed(*m_form, name);
    QVERIFY2(w, "missing, or not unique");
    QVERIFY2(w->inherits(className.toLatin1().constData()), w->metaObject()->className());
    if (!caption.isNull())
        QCOMPARE(captionOf(w), caption);
}

void TestTForm1Layout::lists_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("current");
    QTest::newRow("CBDelay") << "CBDelay" << numbers(2, 30) << 3;
    QTest::newRow("CBSpacePerTAB") << "CBSpacePerTAB" << numbers(2, 32) << 4;
    QTest::newRow("cbDoubleClickAction")
        << "cbDoubleClickAction"
        << QStringList{"open Configuration window", "start TeraTerm", "start last executed macro", "show desktop",
                       "start screen saver", "lock the screen (W2K and XP)", "start CygWin"}
        << 0;
    QTest::newRow("cbUpdateInterval")
        << "cbUpdateInterval"
        << QStringList{"every day", "every 3 days", "every 7 days", "every 14 days", "every 30 days", "never"} << 5;
    QTest::newRow("cbDefColors") << "cbDefColors" << kSchemes << 7;
    QTest::newRow("cbSchema") << "cbSchema" << kSchemes << -1;
    QTest::newRow("CB") << "CB" << QStringList{"Normal", "Bold", "Blink", "URL"} << 0;
    QTest::newRow("Elements")
        << "Elements"
        << QStringList{"Reserved word", "Identifier", "String", "WhiteSpace", "Label", "System variable", "Comment",
                       "Operation", "Wexmora key word", "Selected color foreground", "Selected color background",
                       "Active line color", "Background color"}
        << 0;
}

void TestTForm1Layout::lists()
{
    QFETCH(QString, name);
    QFETCH(QStringList, items);
    QFETCH(int, current);
    QWidget *w = widgetNamed(*m_form, name);
    QVERIFY(w);
    QCOMPARE(itemsOf(w), items);
    QCOMPARE(currentOf(w), current);
}

// Each caption with its accelerator ("&" before it): the first of its letters that no item
// before it in the same menu has taken, none when all are taken ("Print ...").
void TestTForm1Layout::menuItems_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QKeySequence>("shortcut");
    const auto k = [](QKeyCombination c) { return QKeySequence(c); };
    struct Row { const char *name, *menu, *text; QKeySequence keys; };
    const Row rows[] = {
        {"MnFile", "MainMenu", "&File", {}},
        {"MnNewTable", "MnFile", "&New", k(Qt::CTRL | Qt::Key_N)},
        {"MnOpenTable", "MnFile", "&Open ...", k(Qt::CTRL | Qt::Key_O)},
        {"MnSaveTable", "MnFile", "&Save", k(Qt::CTRL | Qt::Key_S)},
        {"MnSaveAsTable", "MnFile", "S&ave as ...", {}},
        {"MnImport", "MnFile", "&Import connection ...", {}},
        {"MnExport", "MnFile", "&Export connection ...", {}},
        {"MnImportMacro", "MnFile", "I&mport macro ...", {}},
        {"MnImportTemplate", "MnFile", "Im&port macro Template", {}},
        {"MnExportMacro", "MnFile", "E&xport macro ...", {}},
        {"TeraTermConfiguration1", "MnFile", "&TeraTerm configuration", {}},
        {"mnBackup", "TeraTermConfiguration1", "&Backup", {}},
        {"mnRestore", "TeraTermConfiguration1", "&Restore", {}},
        {"MnPrinterSetup", "MnFile", "P&rinter setup ...", {}},
        {"MnPrintPreview", "MnFile", "Print pre&view", {}},
        {"MnPrint", "MnFile", "Print ...", {}},
        {"MnClose", "MnFile", "&Close", {}},
        {"OpenTelnetsession1", "MnImportTemplate", "&Telnet session", {}},
        {"SSH1session1", "MnImportTemplate", "&SSH1 session", {}},
        {"SSH1sessionwithcredentials1", "MnImportTemplate", "SS&H1 session with credentials", {}},
        {"SSH1session2", "MnImportTemplate", "SSH1 s&ession with public key", {}},
        {"SSH2session1", "MnImportTemplate", "SSH2 sess&ion", {}},
        {"SSH2sessionwithcredentials1", "MnImportTemplate", "SSH2 sessi&on with credentials", {}},
        {"SSH2sessionwithpublickey1", "MnImportTemplate", "SSH2 sessio&n with public key", {}},
        {"Serialconnection1", "MnImportTemplate", "Se&rial connection", {}},

        {"MnEdit", "MainMenu", "&Edit", {}},
        {"MnUndo", "MnEdit", "&Undo", k(Qt::CTRL | Qt::Key_Z)},
        {"MnCut", "MnEdit", "&Cut", k(Qt::CTRL | Qt::Key_X)},
        {"MnCopy", "MnEdit", "C&opy", k(Qt::CTRL | Qt::Key_C)},
        {"MnPaste", "MnEdit", "&Paste", k(Qt::CTRL | Qt::Key_V)},
        {"MnSelectAll", "MnEdit", "&Select all", k(Qt::CTRL | Qt::Key_A)},
        {"Search1", "MainMenu", "&Search", {}},
        {"MnFind", "Search1", "&Find", k(Qt::CTRL | Qt::Key_F)},
        {"MnFindNext", "Search1", "F&ind Next", k(Qt::Key_F3)},
        {"MnFindPrev", "Search1", "Fi&nd Previous", k(Qt::SHIFT | Qt::Key_F3)},
        {"MnReplace", "Search1", "&Replace", k(Qt::CTRL | Qt::Key_R)},

        {"MnConnection", "MainMenu", "&Connection", {}},
        {"MnAddChild", "MnConnection", "&Add child", k(Qt::CTRL | Qt::Key_I)},
        {"mnAddSibling", "MnConnection", "A&dd sibling", k(Qt::CTRL | Qt::ALT | Qt::Key_I)},
        {"mnAddSepLine", "MnConnection", "Add &separator line", k(Qt::CTRL | Qt::Key_L)},
        {"MnDuplicate", "MnConnection", "D&uplicate selected", k(Qt::CTRL | Qt::ALT | Qt::Key_D)},
        {"MnDelete", "MnConnection", "D&elete selected", k(Qt::CTRL | Qt::Key_Delete)},
        {"MnUp", "MnConnection", "&Move up", k(Qt::CTRL | Qt::Key_U)},
        {"MnDown", "MnConnection", "M&ove down", k(Qt::CTRL | Qt::Key_D)},
        {"mnApply", "MnConnection", "A&pply changes", k(Qt::Key_F12)},
        {"MnExpandAll", "MnConnection", "E&xpand all", {}},
        {"MnCollapseAll", "MnConnection", "&Collapse all", {}},

        {"MnMacro", "MainMenu", "&Actions", {}},
        {"MnExecSel", "MnMacro", "&Run to cursor", k(Qt::Key_F8)},
        {"MnExecute", "MnMacro", "R&un", k(Qt::Key_F9)},
        {"MnExecBrSel", "MnMacro", "Ru&n branch to cursor", k(Qt::CTRL | Qt::Key_F8)},
        {"MnExecuteAll", "MnMacro", "Run &branch", k(Qt::CTRL | Qt::Key_F9)},
        {"mnRunAllSel", "MnMacro", "Run &all selected", {}},
        {"MnShowPopup", "MnMacro", "&Show popup", {}},

        {"View1", "MainMenu", "&View", {}},
        {"Settings1", "View1", "&Settings", {}},
        {"General1", "Settings1", "&General", {}},
        {"Userdata1", "Settings1", "&User data", {}},
        {"MacroEditor1", "Settings1", "&Macro Editor", {}},
        {"Highlighter1", "Settings1", "&Highlighter", {}},
        {"NewConncetions1", "Settings1", "&New Conncetions", {}},
        {"MnViewMacro", "View1", "&Macro", {}},
        {"MnViewPopup", "View1", "&Popup", {}},
        {"MnViewColors", "View1", "&Colors", {}},
        {"MnViewSchedule", "View1", "Sc&hedule", {}},
        {"ConnectionTree1", "View1", "C&onnection Tree", {}},
        {"MnVTHide", "ConnectionTree1", "&Hide", {}},
        {"MnVTMaximize", "ConnectionTree1", "&Maximize", {}},
        {"MnVTRestore", "ConnectionTree1", "&Restore", {}},

        {"Help1", "MainMenu", "&Help", {}},
        {"WexmoraHelp1", "Help1", "&Wexmora Help", {}},
        {"MnTeraTermHelp", "Help1", "&TeraTerm Help", k(Qt::CTRL | Qt::SHIFT | Qt::Key_F1)},
        {"MnTeraTermMacroLanguage", "Help1", "T&eraTerm Macro Language Help", k(Qt::SHIFT | Qt::Key_F1)},
        {"Checkforupdates1", "Help1", "&Check for updates", {}},
        {"MnFreeWareLicense", "Help1", "&Freeware License Agreement", {}},
        {"MnAbout", "Help1", "&About Wexmora", {}},

        {"pmUndo", "pmTV", "&Undo", k(Qt::CTRL | Qt::Key_Z)},
        {"pmCut", "pmTV", "&Cut", k(Qt::CTRL | Qt::Key_X)},
        {"pmCopy", "pmTV", "C&opy", k(Qt::CTRL | Qt::Key_C)},
        {"pmPaste", "pmTV", "&Paste", k(Qt::CTRL | Qt::Key_V)},
        {"pmSelectAll", "pmTV", "&Select all", k(Qt::CTRL | Qt::Key_A)},
        {"pmAddChild", "pmTV", "&Add child", k(Qt::CTRL | Qt::Key_I)},
        {"pmAddSibl", "pmTV", "A&dd sibling", k(Qt::CTRL | Qt::ALT | Qt::Key_I)},
        {"pmDuplicate", "pmTV", "Dup&licate selected", k(Qt::CTRL | Qt::ALT | Qt::Key_D)},
        {"pmDelete", "pmTV", "D&elete selected", k(Qt::CTRL | Qt::Key_Delete)},
        {"pmAddSepLine", "pmTV", "Add sepa&rator line", k(Qt::CTRL | Qt::Key_L)},
        {"pmUp", "pmTV", "&Move up", k(Qt::CTRL | Qt::Key_U)},
        {"pmDown", "pmTV", "Mo&ve down", k(Qt::CTRL | Qt::Key_D)},
        {"pmRun", "pmTV", "Ru&n", k(Qt::Key_F9)},
        {"pmRunBranch", "pmTV", "Run &branch", k(Qt::CTRL | Qt::Key_F9)},
    };
    for (const Row &r : rows)
        QTest::newRow(r.name) << r.name << r.menu << r.text << r.keys;
}

void TestTForm1Layout::menuItems()
{
    QFETCH(QString, name);
    QFETCH(QString, menu);
    QFETCH(QString, text);
    QFETCH(QKeySequence, shortcut);
    const QList<QAction *> found = m_form->findChildren<QAction *>(name);
    QCOMPARE(found.size(), 1);
    QAction *action = found.first();
    QCOMPARE(action->text(), text);
    QCOMPARE(action->shortcut(), shortcut);
    // Reachable: the item stands in the menu (or menu bar) named.
    bool inMenu = false;
    for (QObject *o : action->associatedObjects())
        inMenu = inMenu || (o->objectName() == menu && (qobject_cast<QMenu *>(o) || qobject_cast<QMenuBar *>(o)));
    QVERIFY2(inMenu, qPrintable(menu));
}

void TestTForm1Layout::toolbarButtons_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("toolTip");
    const char *const rows[][2] = {
        {"BtnNewTable", "New (Ctrl+N)"},
        {"BtnOpenTable", "Open (Ctrl+O)"},
        {"BtnSaveTable", "Save (Ctrl+S)"},
        {"BtnSaveAsTable", "Save as ..."},
        {"BtnPrintPreview", "Print preview"},
        // The first refresh gives it its hint; the printers are not read before the start.
        {"BtnPrint", "No default printer."},
        {"BtnUndo", "Undo (Ctrl+Z)"},
        {"BtnCut", "Cut (Ctrl+X)"},
        {"BtnCopy", "Copy (Ctrl+C)"},
        {"BtnPaste", "Paste (Ctrl+V)"},
        {"BtnAddChild", "Add child (Ctrl-I)"},
        {"BtnAddSibl", "Add sibling (Ctrl-Alt-I)"},
        {"BtnDelete", "Delete selected (Ctrl+Delete)"},
        {"BtnUp", "Move up (Ctrl+U)"},
        {"BtnDown", "Move down (Ctrl+D)"},
        {"BtnApply", "Apply changes (F12)"},
        {"BtnExecSel", "Run to cursor (F8)"},
        {"BtnExec", "Run (F9)"},
        {"BtnExecBrSel", "Run branch to cursor (Ctrl-F8)"},
        {"BtnExecAll", "Run branch (Ctrl-F9)"},
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << row[0] << row[1];
}

void TestTForm1Layout::toolbarButtons()
{
    QFETCH(QString, name);
    QFETCH(QString, toolTip);
    auto *bar = m_form->findChild<QToolBar *>(QStringLiteral("CBar"));
    QVERIFY(bar);
    auto *action = m_form->findChild<QAction *>(name);
    QVERIFY(action);
    QVERIFY(bar->actions().contains(action));
    QCOMPARE(action->toolTip(), toolTip);
    QCOMPARE(action->statusTip(), toolTip);
    QVERIFY(!action->icon().isNull());
    // No shortcut of its own: the keys belong to the menu items.
    QVERIFY(action->shortcut().isEmpty());
    auto *button = qobject_cast<QToolButton *>(bar->widgetForAction(action));
    QVERIFY(button);
    QCOMPARE(button->objectName(), name);
    QCOMPARE(button->defaultAction(), action);
}

void TestTForm1Layout::popupItemsActOnlyWhileOpen()
{
    // The context menu repeats the main menu's keys; a key pressed in the window must reach
    // the main menu's item alone, or neither would act.
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form));
    auto *main = m_form->findChild<QAction *>(QStringLiteral("MnAddChild"));
    auto *popup = m_form->findChild<QAction *>(QStringLiteral("pmAddChild"));
    QSignalSpy mainSpy(main, &QAction::triggered);
    QSignalSpy popupSpy(popup, &QAction::triggered);
    QTest::keyClick(m_form->tree(), Qt::Key_I, Qt::ControlModifier);
    QCOMPARE(mainSpy.size(), 1);
    QCOMPARE(popupSpy.size(), 0);
}

void TestTForm1Layout::fileMenuHasNineteenItemsEndingInClose()
{
    // The recent files are appended after the File menu's own nineteen entries.
    auto *file = m_form->findChild<QMenu *>(QStringLiteral("MnFile"));
    QVERIFY(file);
    QCOMPARE(file->actions().size(), 19);
    QCOMPARE(file->actions().last()->objectName(), QStringLiteral("MnClose"));
}

void TestTForm1Layout::templatesCarryTheirNumbers()
{
    auto *menu = m_form->findChild<QMenu *>(QStringLiteral("MnImportTemplate"));
    QVERIFY(menu);
    QStringList layout;
    for (QAction *a : menu->actions())
        layout << (a->isSeparator() ? QStringLiteral("-") : a->data().toString());
    QCOMPARE(layout, (QStringList{"1", "-", "2", "3", "4", "-", "5", "6", "7", "-", "8"}));
}

void TestTForm1Layout::treeViewItemsFormOneGroup()
{
    auto *hide = m_form->findChild<QAction *>(QStringLiteral("MnVTHide"));
    auto *maximize = m_form->findChild<QAction *>(QStringLiteral("MnVTMaximize"));
    auto *restore = m_form->findChild<QAction *>(QStringLiteral("MnVTRestore"));
    QVERIFY(restore->isChecked());
    QVERIFY(!hide->isChecked() && !maximize->isChecked());
    maximize->trigger();
    QVERIFY(maximize->isChecked());
    QVERIFY(!restore->isChecked() && !hide->isChecked());
}

void TestTForm1Layout::minimumSize()
{
    auto *pg = m_form->findChild<QTabWidget *>(QStringLiteral("PG"));
    auto *bar = m_form->findChild<QToolBar *>(QStringLiteral("CBar"));
    QCOMPARE(m_form->minimumWidth(), 654);
    QCOMPARE(pg->minimumSize(), QSize(374, 374));
    QCOMPARE(m_form->minimumHeight(), 374 + 3 * bar->sizeHint().height());
    // At its minimum size every command of the toolbar is still on it.
    m_form->resize(m_form->minimumSize());
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
    for (QAction *a : bar->actions())
        if (!a->isSeparator())
            QVERIFY2(bar->widgetForAction(a)->isVisible(), qPrintable(a->objectName()));
}

void TestTForm1Layout::coverPanelsFillTheirPagesWhenShown_data()
{
    QTest::addColumn<QString>("panel");
    QTest::addColumn<int>("pgPage");
    QTest::addColumn<int>("settingsPage");
    QTest::newRow("TS1Panel") << "TS1Panel" << 1 << -1;
    QTest::newRow("TS2Panel") << "TS2Panel" << 2 << -1;
    QTest::newRow("TS3Panel") << "TS3Panel" << 3 << -1;
    QTest::newRow("TS4Panel") << "TS4Panel" << 4 << -1;
    QTest::newRow("Panel1") << "Panel1" << 0 << 3;
}

void TestTForm1Layout::coverPanelsFillTheirPagesWhenShown()
{
    QFETCH(QString, panel);
    QFETCH(int, pgPage);
    QFETCH(int, settingsPage);
    auto *cover = m_form->findChild<CoverPanel *>(panel);
    QVERIFY(cover);
    QVERIFY(cover->isHidden());
    m_form->findChild<QTabWidget *>(QStringLiteral("PG"))->setCurrentIndex(pgPage);
    if (settingsPage >= 0)
        m_form->findChild<QTabWidget *>(QStringLiteral("PGSettings"))->setCurrentIndex(settingsPage);
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
    cover->setText(QStringLiteral("No connection selected"));
    cover->show();
    QCOMPARE(cover->geometry(), cover->parentWidget()->rect());
    // Drawn over the page's controls, and still covering after the window grows.
    const QList<QObject *> siblings = cover->parentWidget()->children();
    QCOMPARE(siblings.last(), cover);
    m_form->resize(m_form->size() + QSize(60, 40));
    QTRY_COMPARE(cover->geometry(), cover->parentWidget()->rect());
}

void TestTForm1Layout::highlighterSampleShowsTheFourthLineSelected()
{
    auto *memo = m_form->findChild<QsciScintilla *>(QStringLiteral("Memo3"));
    QVERIFY(memo);
    QVERIFY(memo->isReadOnly());
    QCOMPARE(memo->lines(), 7);
    QCOMPARE(memo->text(0), QStringLiteral("; Teraterm Macro language sample code\r\n"));
    QCOMPARE(memo->text(1), QStringLiteral("wait \"yes/no\" \"assword:\"\r\n"));
    QCOMPARE(memo->text(6), QStringLiteral("mypager = $pager$"));
    // Line four with its line break: 14 characters, from character 90 when lines end in CR LF.
    QCOMPARE(memo->selectedText(), QStringLiteral("sendln 'yes'\r\n"));
    int line = -1, index = -1;
    memo->getCursorPosition(&line, &index);
    QCOMPARE(memo->positionFromLineIndex(3, 0), 90);
}

void TestTForm1Layout::pagesReportTheirListValues()
{
    SettingsPage *settings = m_form->settingsPage();
    QCOMPARE(settings->general()->delaySeconds(), 5);
    QCOMPARE(settings->macroEditor()->tabWidth(), 6);
    settings->macroEditor()->CBSpacePerTAB()->setCurrentIndex(30);
    QCOMPARE(settings->macroEditor()->tabWidth(), 32);
    settings->macroEditor()->CBSpacePerTAB()->setCurrentIndex(-1);
    QCOMPARE(settings->macroEditor()->tabWidth(), 0);

    SchedulePage *schedule = m_form->schedulePage();
    schedule->setFieldText(1, QStringLiteral("0,30"));
    schedule->setFieldText(5, QStringLiteral("1,2,3,4,5"));
    QCOMPARE(schedule->Edit4()->text(), QStringLiteral("0,30"));
    QCOMPARE(schedule->fieldText(5), QStringLiteral("1,2,3,4,5"));
    QCOMPARE(schedule->field(0), nullptr);
    QCOMPARE(schedule->field(6), nullptr);
}

QTEST_MAIN(TestTForm1Layout)
#include "tst_tform1_layout.moc"
