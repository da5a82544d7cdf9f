#include "MainWindowFixture.h"
#include "Reveal.h"
#include "TriggerAsUser.h"
#include "WindowMachine.h"
#include "mainwindow/ViewCommands.h"
#include "mainwindow/WindowGeometryRecorder.h"
#include "platform/AppPaths.h"
#include "platform/Help.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>

namespace {

QSplitter *splitterOf(const TForm1 &form)
{
    return form.findChild<QSplitter *>(QStringLiteral("Splitter"));
}

QTabWidget *settingsPagesOf(const TForm1 &form)
{
    return form.findChild<QTabWidget *>(QStringLiteral("PGSettings"));
}

// The help files opened, as "file@context", while it lives; nothing is really opened.
struct HelpViewer
{
    QStringList opened;
    HelpViewer()
    {
        Help::setViewerForTesting([this](const QString &file, int context) {
            opened << QFileInfo(file).fileName() + QLatin1Char('@') + QString::number(context);
            return Help::Result::Opened;
        });
    }
    ~HelpViewer() { Help::setViewerForTesting({}); }
};

// A window as the program makes it, moved to 30, 20 and sized 680 by 500, and recorded so;
// null when it could not be.
std::unique_ptr<TForm1> placedWindow(Machine &machine)
{
    std::unique_ptr<TForm1> form = machine.start();
    if (!form)
        return nullptr;
    form->move(30, 20);
    form->resize(680, 500);
    const ProgramOptions &o = form->options();
    if (!QTest::qWaitFor([&o] { return o.WinLeft == 30 && o.WinWidth == 680; }))
        return nullptr;
    return form;
}

} // namespace

class TestTForm1Views : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pageCommands_data();
    void pageCommands();
    void treeViewCommands_data();
    void treeViewCommands();
    void restoreGivesBackTheWidth_data();
    void restoreGivesBackTheWidth();
    void hiddenTreeKeepsItsWidthForTheOptions();
    void narrowingTheWindowNarrowsTheTree();
    void geometryFollowsTheNormalWindow_data();
    void geometryFollowsTheNormalWindow();
    void windowStateValue_data();
    void windowStateValue();
    void positionKeptWhereTheDisplayCannotPlaceWindows();
    void helpCommands_data();
    void helpCommands();
    void contextHelp_data();
    void contextHelp();
    void contextHelpOfAMenuItem();
};

void TestTForm1Views::pageCommands_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("settingsPage");
    QTest::addColumn<bool>("fromMaximized");
    QTest::newRow("General") << "General1" << 0 << 0 << false;
    QTest::newRow("User data") << "Userdata1" << 0 << 1 << false;
    QTest::newRow("Macro Editor") << "MacroEditor1" << 0 << 2 << false;
    QTest::newRow("Highlighter") << "Highlighter1" << 0 << 3 << false;
    QTest::newRow("New Conncetions") << "NewConncetions1" << 0 << 4 << true;
    QTest::newRow("Macro, tree maximized") << "MnViewMacro" << 1 << -1 << true;
    QTest::newRow("Popup") << "MnViewPopup" << 2 << -1 << false;
    QTest::newRow("Colors, tree maximized") << "MnViewColors" << 3 << -1 << true;
    QTest::newRow("Schedule") << "MnViewSchedule" << 4 << -1 << false;
}

void TestTForm1Views::pageCommands()
{
    QFETCH(QString, item);
    QFETCH(int, page);
    QFETCH(int, settingsPage);
    QFETCH(bool, fromMaximized);
    MainWindowFixture f("a");
    QVERIFY(f.active());
    settingsPagesOf(f.form)->setCurrentIndex(1);
    splitterOf(f.form)->setSizes({300, 600});
    if (fromMaximized)
        QVERIFY(TriggerAsUser(f.action("MnVTMaximize")));
    QVERIFY(TriggerAsUser(f.action(item)));
    QCOMPARE(f.pages()->currentIndex(), page);
    QCOMPARE(settingsPagesOf(f.form)->currentIndex(), settingsPage < 0 ? 1 : settingsPage);
    // A maximized tree stands beside the pages again, as wide as before.
    QVERIFY(f.action("MnVTRestore")->isChecked());
    QVERIFY(f.form.tree()->isVisible());
    QVERIFY(f.pages()->isVisible());
    QCOMPARE(f.form.tree()->width(), 300);
}

void TestTForm1Views::treeViewCommands_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("treeShown");
    QTest::addColumn<bool>("pagesShown");
    QTest::addColumn<QString>("focused");   // the control that holds the focus
    QTest::newRow("Hide") << "MnVTHide" << false << true << "PG";
    QTest::newRow("Maximize") << "MnVTMaximize" << true << false << "VT";
    QTest::newRow("Restore") << "MnVTRestore" << true << true << "VT";
}

void TestTForm1Views::treeViewCommands()
{
    QFETCH(QString, item);
    QFETCH(bool, treeShown);
    QFETCH(bool, pagesShown);
    QFETCH(QString, focused);
    MainWindowFixture f("a");
    QVERIFY(f.active());
    f.memo1()->setFocus();
    QVERIFY(TriggerAsUser(f.action(item)));
    QCOMPARE(f.form.tree()->isVisible(), treeShown);
    QCOMPARE(f.pages()->isVisible(), pagesShown);
    QWidget *holder = f.child<QWidget>(focused);
    QWidget *focus = QApplication::focusWidget();
    QVERIFY(focus == holder || holder->isAncestorOf(focus));
    // One of the three items is checked: the one chosen.
    for (const char *other : {"MnVTHide", "MnVTMaximize", "MnVTRestore"})
        QCOMPARE(f.action(other)->isChecked(), item == QLatin1String(other));
    QCOMPARE(f.form.views()->treeMaximized(), item == QLatin1String("MnVTMaximize"));
}

void TestTForm1Views::restoreGivesBackTheWidth_data()
{
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<int>("width");
    QTest::newRow("hide, maximize, restore: the width before hide")
        << QStringList{"MnVTHide", "MnVTMaximize", "MnVTRestore"} << 300;
    QTest::newRow("maximize twice, restore: the width before the first")
        << QStringList{"MnVTMaximize", "MnVTMaximize", "MnVTRestore"} << 300;
    QTest::newRow("restore first: the tree keeps its width") << QStringList{"MnVTRestore"} << 300;
}

void TestTForm1Views::restoreGivesBackTheWidth()
{
    QFETCH(QStringList, commands);
    QFETCH(int, width);
    MainWindowFixture f("a");
    QVERIFY(f.active());
    splitterOf(f.form)->setSizes({300, 600});
    for (const QString &command : commands)
        QVERIFY(TriggerAsUser(f.action(command)));
    QCOMPARE(f.form.tree()->width(), width);
    QCOMPARE(f.pages()->width(), splitterOf(f.form)->width() - width - splitterOf(f.form)->handleWidth());
}

void TestTForm1Views::hiddenTreeKeepsItsWidthForTheOptions()
{
    Machine machine;
    {
        std::unique_ptr<TForm1> form = machine.start();
        QVERIFY(form);
        form->resize(900, 600);
        splitterOf(*form)->setSizes({320, 577});
        QVERIFY(TriggerAsUser(form->findChild<QAction *>(QStringLiteral("MnVTMaximize"))));
        QTRY_VERIFY(form->tree()->width() > 320);
    }
    std::unique_ptr<TForm1> again = machine.start();
    QVERIFY(again);
    QCOMPARE(again->tree()->width(), 320);
    QVERIFY(again->findChild<QAction *>(QStringLiteral("MnVTRestore"))->isChecked());
}

void TestTForm1Views::narrowingTheWindowNarrowsTheTree()
{
    MainWindowFixture f("a");
    QVERIFY(f.active());
    f.form.resize(1000, 600);
    splitterOf(f.form)->setSizes({500, 497});
    QTRY_COMPARE(f.form.tree()->width(), 500);
    // The pages give up their room first, down to their smallest width; then the tree.
    const struct { int window; int tree; } steps[] = {{900, 500}, {800, 423}, {700, 323}, {654, 277}};
    for (const auto &step : steps) {
        f.form.resize(step.window, 600);
        QTRY_COMPARE(f.form.width(), step.window);
        QCOMPARE(f.form.tree()->width(), step.tree);
        QVERIFY(f.pages()->width() >= 374);
    }
    // Widened again, the tree gets back the width the user gave it.
    f.form.resize(1000, 600);
    QTRY_COMPARE(f.form.width(), 1000);
    QCOMPARE(f.form.tree()->width(), 500);
}

void TestTForm1Views::geometryFollowsTheNormalWindow_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("recorded");
    QTest::newRow("normal: recorded") << int(Qt::WindowNoState) << true;
    QTest::newRow("maximized: kept") << int(Qt::WindowMaximized) << false;
    QTest::newRow("minimized: kept") << int(Qt::WindowMinimized) << false;
}

void TestTForm1Views::geometryFollowsTheNormalWindow()
{
    QFETCH(int, state);
    QFETCH(bool, recorded);
    Machine machine;
    std::unique_ptr<TForm1> form = placedWindow(machine);
    QVERIFY(form);
    form->setWindowState(Qt::WindowStates(state));
    QTRY_COMPARE(int(form->windowState()), state);
    form->move(70, 60);
    form->resize(720, 540);
    const ProgramOptions &o = form->options();
    const QList<int> expected = recorded ? QList<int>{70, 60, 720, 540} : QList<int>{30, 20, 680, 500};
    QCOMPARE((QList<int>{o.WinLeft, o.WinTop, o.WinWidth, o.WinHeight}), expected);
}

void TestTForm1Views::windowStateValue_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("value");
    QTest::newRow("maximized") << int(Qt::WindowMaximized) << 1;
    QTest::newRow("minimized") << int(Qt::WindowMinimized) << 2;
    QTest::newRow("normal again") << int(Qt::WindowNoState) << 0;
}

void TestTForm1Views::windowStateValue()
{
    QFETCH(int, state);
    QFETCH(int, value);
    Machine machine;
    std::unique_ptr<TForm1> form = machine.start();
    QVERIFY(form);
    // From another state, so that the one asked for is a change.
    form->setWindowState(state == int(Qt::WindowNoState) ? Qt::WindowMaximized : Qt::WindowNoState);
    form->setWindowState(Qt::WindowStates(state));
    QTRY_COMPARE(form->geometryRecorder()->windowState(), value);
}

void TestTForm1Views::positionKeptWhereTheDisplayCannotPlaceWindows()
{
    Machine machine;
    std::unique_ptr<TForm1> form = placedWindow(machine);
    QVERIFY(form);
    form->geometryRecorder()->setDisplayPlacesWindows(false);
    form->move(90, 80);
    form->resize(700, 520);
    QTRY_COMPARE(form->options().WinWidth, 700);
    QCOMPARE(form->options().WinHeight, 520);
    QCOMPARE(form->options().WinLeft, 30);
    QCOMPARE(form->options().WinTop, 20);
}

void TestTForm1Views::helpCommands_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("missing");
    QTest::newRow("Wexmora Help") << "WexmoraHelp1" << QKeySequence() << "Wexmora.hlp"
                                  << "Help file 'Wexmora.hlp' not found.";
    QTest::newRow("TeraTerm Help, Ctrl+Shift+F1")
        << "MnTeraTermHelp" << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F1) << "ttermp.hlp"
        << "TeraTerm help file 'ttermp.hlp' not found.";
    QTest::newRow("TeraTerm Macro Language Help, Shift+F1")
        << "MnTeraTermMacroLanguage" << QKeySequence(Qt::SHIFT | Qt::Key_F1) << "macro.hlp"
        << "TeraTerm macro help file 'macro.hlp' not found.";
}

void TestTForm1Views::helpCommands()
{
    QFETCH(QString, item);
    QFETCH(QKeySequence, keys);
    QFETCH(QString, file);
    QFETCH(QString, missing);
    MainWindowFixture f("a");
    QVERIFY(f.active());
    HelpViewer viewer;
    f.form.tree()->setFocus();
    const auto run = [&] {
        if (keys.isEmpty())
            return TriggerAsUser(f.action(item));
        QTest::keySequence(QApplication::focusWidget(), keys);
        return true;
    };
    // Missing: the message, and nothing opened.
    QVERIFY(run());
    QCOMPARE(f.prompter.texts(), QStringList{missing});
    QCOMPARE(f.prompter.boxes().first().kind, Prompter::Kind::Error);
    QVERIFY(viewer.opened.isEmpty());
    // Present: opened at its start, without a message.
    f.prompter.clear();
    QVERIFY(f.program.write(file, "?_\3\0"));
    QVERIFY(run());
    QCOMPARE(viewer.opened, QStringList{file + QStringLiteral("@0")});
    QVERIFY(f.prompter.boxes().isEmpty());
}

void TestTForm1Views::contextHelp_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("context");
    QTest::newRow("the tree") << "VT" << 6030;
    QTest::newRow("an option of General") << "cbAutoSave" << 6040;
    QTest::newRow("an option of Macro Editor") << "cbAllowTAB" << 6040;
    QTest::newRow("the highlighter's elements") << "Elements" << 6040;
    QTest::newRow("a user-data field") << "Edit2" << 9010;
    QTest::newRow("the macro editor") << "Memo1" << 6050;
    QTest::newRow("the session-logging box") << "cbLogSession" << 6050;
    QTest::newRow("the popup editor") << "Memo2" << 6060;
    QTest::newRow("the colours' scheme") << "cbSchema" << 6070;
    QTest::newRow("the schedule box") << "cbSchedule" << 6080;
}

void TestTForm1Views::contextHelp()
{
    QFETCH(QString, control);
    QFETCH(int, context);
    MainWindowFixture f("a");
    QVERIFY(f.active());
    f.click(f.at("0"));
    QVERIFY(f.program.write(QStringLiteral("Wexmora.hlp"), "?_\3\0"));
    HelpViewer viewer;
    QWidget *w = f.child<QWidget>(control);
    QVERIFY(w);
    Reveal(w);
    w->setFocus();
    QTRY_VERIFY(w->hasFocus());
    QTest::keyClick(w, Qt::Key_F1);
    QCOMPARE(viewer.opened, QStringList{QStringLiteral("Wexmora.hlp@%1").arg(context)});
}

void TestTForm1Views::contextHelpOfAMenuItem()
{
    MainWindowFixture f("a");
    QVERIFY(f.active());
    QVERIFY(f.program.write(QStringLiteral("Wexmora.hlp"), "?_\3\0"));
    HelpViewer viewer;
    auto *help = f.child<QMenu>(QStringLiteral("Help1"));
    help->popup(f.form.mapToGlobal(QPoint(10, 10)));
    QVERIFY(QTest::qWaitForWindowExposed(help));
    for (const char *item : {"MnAbout", "MnFreeWareLicense"}) {
        help->setActiveAction(f.action(item));
        QTest::keyClick(help, Qt::Key_F1);
    }
    help->close();
    QCOMPARE(viewer.opened, (QStringList{"Wexmora.hlp@5000", "Wexmora.hlp@1030"}));
}

QTEST_MAIN(TestTForm1Views)
#include "tst_tform1_views.moc"
