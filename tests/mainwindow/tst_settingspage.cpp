#include "mainwindow/GeneralSettingsPage.h"
#include "mainwindow/NewConnectionsPage.h"
#include "mainwindow/SettingsPage.h"
#include "mainwindow/UserDataPage.h"
#include "runner/RunContext.h"
#include "shell/ProgramOptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

namespace {

// Every option the pages show, none at its default.
ProgramOptions shownOptions()
{
    ProgramOptions o;
    o.SelectLast = false;
    o.AutoSave = true;
    o.DoNotTile = true;
    o.DblClickAction = 4;
    o.MultiStartIndex = 10;
    o.FullPathMRU = true;
    o.CheckUpdateInterval = 2;
    o.VarName = QStringLiteral("Jane");
    o.VarEmail = QStringLiteral("jane@example.org");
    o.VarPhone = QStringLiteral("+1 555");
    o.VarMobile = QStringLiteral("0170");
    o.VarPager = QStringLiteral("42");
    o.NoColors = true;
    o.UseColorsInEditor = true;
    o.UseSameBackground = false;
    o.AllowTAB = true;
    o.TAB2Space = true;
    o.SmartTabs = true;
    o.SpacePerTABIndex = 6;
    o.UseAsTTFont = true;
    o.Logging = LoggingChoice::DontLog;
    o.DefaultColors = 2;
    o.EditorBgColor = 0x00102030;
    o.EditorActLineColor = 0x00405060;
    o.EditorSelectionForeground = StoredColor::SystemWindow;
    o.EditorSelectionBackground = 0x00708090;
    return o;
}

} // namespace

class TestSettingsPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // What the pages load they save back; options they do not show pass through.
    void loadAndSaveEveryShownOption()
    {
        SettingsPage page;
        const ProgramOptions loaded = shownOptions();
        page.loadOptions(loaded);
        QVERIFY(page.findChild<QCheckBox *>(QStringLiteral("cbNoColors"))->isChecked());
        QVERIFY(page.findChild<QRadioButton *>(QStringLiteral("rbUseColorInEditor"))->isChecked());
        QVERIFY(!page.findChild<QRadioButton *>(QStringLiteral("rbSyntax"))->isChecked());
        QCOMPARE(page.findChild<QComboBox *>(QStringLiteral("CBDelay"))->currentText(), QStringLiteral("12"));
        QCOMPARE(page.findChild<QLineEdit *>(QStringLiteral("Edit10"))->text(), QStringLiteral("42"));
        QVERIFY(page.findChild<QRadioButton *>(QStringLiteral("rbDontLog"))->isChecked());

        ProgramOptions saved;
        saved.WinWidth = 777;
        saved.LastQDZFile = QStringLiteral("/t/kept.QDZ");
        page.saveOptions(saved);
        ProgramOptions expected = loaded;
        expected.WinWidth = 777;
        expected.LastQDZFile = QStringLiteral("/t/kept.QDZ");
        QCOMPARE(saved, expected);
        // For a run, the user data as typed.
        QCOMPARE(page.userData()->userData().email, QStringLiteral("jane@example.org"));
    }

    // A logging choice never made shows neither button and stays unmade; the defaults of
    // new connections are what the page shows.
    void loggingChoice_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<bool>("log");
        QTest::addColumn<bool>("dontLog");
        QTest::newRow("unset") << int(LoggingChoice::Unset) << false << false;
        QTest::newRow("log") << int(LoggingChoice::Log) << true << false;
        QTest::newRow("do not log") << int(LoggingChoice::DontLog) << false << true;
    }

    void loggingChoice()
    {
        QFETCH(int, choice);
        QFETCH(bool, log);
        QFETCH(bool, dontLog);
        NewConnectionsPage page;
        ProgramOptions o;
        o.Logging = LoggingChoice::Log;
        page.loadOptions(o);
        o.Logging = LoggingChoice(choice);
        o.DefaultColors = 5;
        page.loadOptions(o);
        QCOMPARE(page.rbLog()->isChecked(), log);
        QCOMPARE(page.rbDontLog()->isChecked(), dontLog);
        const NewConnectionDefaults defaults = page.connectionDefaults();
        QCOMPARE(defaults.defaultColorsIndex, 5);
        QCOMPARE(defaults.logging.has_value(), log || dontLog);
        QCOMPARE(defaults.logging.value_or(false), log);
        ProgramOptions saved;
        saved.Logging = LoggingChoice::Unset;
        page.saveOptions(saved);
        QCOMPARE(int(saved.Logging), choice);
    }

    // The tray actions this system can offer, in the launcher's order; the list keeps a
    // choice.
    void trayActions_data()
    {
        QTest::addColumn<bool>("lockScreen");
        QTest::addColumn<bool>("cygwin");
        QTest::addColumn<int>("count");
        QTest::newRow("both") << true << true << 7;
        QTest::newRow("no CygTerm") << true << false << 6;
        QTest::newRow("no screen lock") << false << true << 6;
        QTest::newRow("neither") << false << false << 5;
    }

    void trayActions()
    {
        QFETCH(bool, lockScreen);
        QFETCH(bool, cygwin);
        QFETCH(int, count);
        GeneralSettingsPage page;
        page.offerTrayActions(lockScreen, cygwin);
        const QStringList shown = page.dblClickItemsShown();
        QCOMPARE(shown.size(), count);
        QCOMPARE(shown.contains(DblClickActionItems.at(5)), lockScreen);
        QCOMPARE(shown.contains(DblClickActionItems.at(6)), cygwin);
        QCOMPARE(shown.mid(0, 5), DblClickActionItems.mid(0, 5));
        QVERIFY(page.cbDoubleClickAction()->currentIndex() >= 0);
    }
};

QTEST_MAIN(TestSettingsPage)
#include "tst_settingspage.moc"
