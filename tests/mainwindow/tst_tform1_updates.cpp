// The update check as the main window offers it: "Check for updates" and the launcher's
// request open the one update window, a stop request closes it first, its upgrade offers this
// window's backup and save question, and the General page's check interval stores the day of
// the next check.
#include "LoopbackUpdateServer.h"
#include "TriggerAsUser.h"
#include "WindowMachine.h"
#include "mainwindow/GeneralSettingsPage.h"
#include "mainwindow/SettingsPage.h"
#include "platform/NamedSemaphore.h"
#include "platform/ProcessSnapshot.h"
#include "platform/ShellOpen.h"
#include "shell/HandOverReceiver.h"
#include "support/BroadcastLog.h"
#include "support/PeImage.h"
#include "support/TreeShape.h"
#include "updates/UpdateSettings.h"
#include "updates/widgets/TForm2.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using Server = LoopbackHttpServer;

namespace {

using namespace UpdateFiles;

const QString UpToDate =
    "Both TeraTerm and Wexmora versions on this PC are up to date.\n\nNo upgrade is necessary.";
const QString BackupQuestion =
    "TeraTerm installation program will overwrite your current TeraTerm settings.\r\nWexmora can "
    "backup your 'teraterm.ini' file before installing new version. You can restore it after "
    "upgrade by choosing 'File -> TeraTerm Configuration -> Restore' menu of Wexmora "
    "Configuration window.\r\n\r\nDo you want to backup 'teraterm.ini' file?";
const QString BackedUp = "TeraTerm configuration was backed up successfully.\nBackup time - ";
const QString Closing = "Wexmora will close now to perform the upgrade.\r\nPress 'OK' to continue.";

enum class Route { Menu, Launcher };

// The main window with its shell (TeraTerm 4.106.2 in its folder, this program 2.8.1, the
// launcher running), the update window made for it, the update server on the loopback, no
// TeraTerm among the processes, and a browser that records what it is asked to open.
struct UpdateMachine : Machine
{
    UpdateMachine()
    {
        QCoreApplication::setApplicationVersion(QStringLiteral("2.8.1"));
        folder.write(QStringLiteral("ttermpro.exe"), PeImage(PeImage::Options{}).bytes);
        m_launcher.tryAcquire();
        ProcessSnapshot::setRootForTesting(m_processes.path());
        ShellOpen::setOpenerForTesting([this](const QString &url) {
            opened << url;
            return true;
        });
    }

    ~UpdateMachine()
    {
        // The update window goes before the main window, as in the program.
        updates.reset();
        form.reset();
        ShellOpen::setOpenerForTesting({});
        ProcessSnapshot::setRootForTesting(QString());
    }

    bool begin()
    {
        form = start();
        if (!form)
            return false;
        updates = form->CreateUpdateWindow();
        return true;
    }

    // A check asked for from the Help menu or by the launcher.
    [[nodiscard]] bool askForCheck(Route route)
    {
        if (route == Route::Menu)
            return TriggerAsUser(form->findChild<QAction *>(QStringLiteral("Checkforupdates1")));
        log.send(QStringLiteral("VurozeziCheckUpgrade"));
        return true;
    }

    template<typename T> T *part(const char *name) const
    {
        return updates->findChild<T *>(QLatin1String(name));
    }
    QString memo() const { return part<QPlainTextEdit>("Memo1")->toPlainText(); }
    // The check has ended: the window offers Close.
    bool checked() const
    {
        return QTest::qWaitFor([this] { return part<QPushButton>("Button1")->text() == "Close"; }, 20000);
    }
    void click(const char *label)
    {
        // The offscreen desktop stacks no windows: the mouse finds the first window made where
        // it points, so the main window steps aside.
        form->move(updates->frameGeometry().topRight() + QPoint(50, 0));
        QLabel *link = part<QLabel>(label);
        QTest::mouseMove(updates.get(), QPoint(1, 1));
        QTest::mouseMove(link);
        QTest::mouseClick(link, Qt::LeftButton);
    }

    LoopbackUpdateServer server;
    BroadcastLog log{messages};
    QStringList opened;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<TForm2> updates;

private:
    NamedSemaphore m_launcher{QStringLiteral("WexmoraSemaphore")};
    QTemporaryDir m_processes;
};

int updateWindowsMade()
{
    int count = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        count += qobject_cast<TForm2 *>(w) != nullptr;
    return count;
}

} // namespace

Q_DECLARE_METATYPE(Route)
Q_DECLARE_METATYPE(Prompter::Answer)

class TestTForm1Updates : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void checkRunsInTheOneUpdateWindow_data();
    void checkRunsInTheOneUpdateWindow();
    void launcherRequestWhileCheckingBringsTheWindowForward();
    void stopRequestClosesTheUpdateWindowFirst_data();
    void stopRequestClosesTheUpdateWindowFirst();
    void teraTermUpgradeOffersBackupAndSaveQuestion_data();
    void teraTermUpgradeOffersBackupAndSaveQuestion();
    void chosenIntervalStoresTheNextCheck_data();
    void chosenIntervalStoresTheNextCheck();
};

void TestTForm1Updates::checkRunsInTheOneUpdateWindow_data()
{
    QTest::addColumn<Route>("route");
    QTest::newRow("Help menu") << Route::Menu;
    QTest::newRow("launcher's request") << Route::Launcher;
}

void TestTForm1Updates::checkRunsInTheOneUpdateWindow()
{
    QFETCH(Route, route);
    UpdateMachine m;
    if (!m.messages.isConnected())
        QSKIP("no session bus; scripts/test runs the suite under dbus-run-session");
    QVERIFY(m.begin());
    m.server.serve({{TT, Server::ok("4.106-2")}, {W, Server::ok("2.8-1")}});

    QVERIFY(m.askForCheck(route));
    QTRY_VERIFY(m.updates->isVisible());
    QCOMPARE(QApplication::activeModalWidget(), m.updates.get());
    QVERIFY(m.checked());
    QCOMPARE(m.memo(), UpToDate);
    QCOMPARE(m.server.paths(), (QList<QByteArray>{TT, W}));

    // Closed and asked again: the same window checks anew.
    QTest::mouseClick(m.part<QPushButton>("Button1"), Qt::LeftButton);
    QVERIFY(!m.updates->isVisible());
    m.server.serve({{W, Server::ok("2.9-0")}, {WI, Server::ok("news")}});
    QVERIFY(m.askForCheck(route));
    QTRY_VERIFY(m.updates->isVisible());
    QVERIFY(m.checked());
    QCOMPARE(m.part<QLabel>("Label8")->text(), QStringLiteral("2.9.0"));
    QCOMPARE(m.server.paths(), (QList<QByteArray>{TT, W, TT, W, WI}));
    QCOMPARE(updateWindowsMade(), 1);
    QVERIFY(m.form->isVisible());
    QVERIFY(m.prompter.boxes().isEmpty());
}

void TestTForm1Updates::launcherRequestWhileCheckingBringsTheWindowForward()
{
    UpdateMachine m;
    if (!m.messages.isConnected())
        QSKIP("no session bus; scripts/test runs the suite under dbus-run-session");
    QVERIFY(m.begin());
    m.server.serve({{TT, Server::ok("4.106-2")}});
    m.server.setReply(W, Server::Reply{"", true});
    QVERIFY(m.askForCheck(Route::Menu));
    QTRY_COMPARE_WITH_TIMEOUT(m.server.requests().size(), 2, 20000);

    QVERIFY(m.askForCheck(Route::Launcher));
    // Neither restarted nor left waiting to start once the window closes.
    QVERIFY(m.updates->isVisible());
    QCOMPARE(m.form->handOverReceiver()->deferredCount(), 0);
    QCOMPARE(m.part<QLabel>("Label6")->text(), QStringLiteral("4.106"));
    QCOMPARE(m.memo(), QStringLiteral("Please wait..."));
    QTest::keyClick(m.updates.get(), Qt::Key_Escape);
    QVERIFY(!m.updates->isVisible());
    QCOMPARE(m.server.paths(), (QList<QByteArray>{TT, W}));
    QTRY_COMPARE_WITH_TIMEOUT(m.server.openConnections(), 0, 20000);
}

void TestTForm1Updates::stopRequestClosesTheUpdateWindowFirst_data()
{
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<bool>("mainWindowCloses");
    QTest::newRow("nothing to save") << false << QStringList{} << true;
    QTest::newRow("save question cancelled")
        << true << QStringList{"Do you want to save the changes you made to Noname.QDZ?"} << false;
}

void TestTForm1Updates::stopRequestClosesTheUpdateWindowFirst()
{
    QFETCH(bool, modified);
    QFETCH(QStringList, boxes);
    QFETCH(bool, mainWindowCloses);
    UpdateMachine m;
    if (!m.messages.isConnected())
        QSKIP("no session bus; scripts/test runs the suite under dbus-run-session");
    QVERIFY(m.begin());
    if (modified) {
        BuildShape(m.form->doc().tree(), "A");
        m.form->doc().UpdateCaption(true);
        m.prompter.queue(Prompter::Cancel);
    }
    m.server.serve({{TT, Server::ok("4.106-2")}, {W, Server::ok("2.8-1")}});
    QVERIFY(m.askForCheck(Route::Menu));
    QVERIFY(m.checked());

    m.log.send(QStringLiteral("VurozeziStopMessage"));
    QTRY_VERIFY(!m.updates->isVisible());
    QTRY_COMPARE(m.form->isVisible(), !mainWindowCloses);
    QCOMPARE(m.prompter.texts(), boxes);
    QCOMPARE(m.form->handOverReceiver()->deferredCount(), 0);
}

void TestTForm1Updates::teraTermUpgradeOffersBackupAndSaveQuestion_data()
{
    QTest::addColumn<bool>("autoSave");                    // "Save changes on Close without prompting"
    QTest::addColumn<QList<Prompter::Answer>>("answers");  // backup, then the save question
    QTest::addColumn<QStringList>("boxes");                // how each box begins
    QTest::addColumn<bool>("backedUp");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QStringList>("broadcasts");
    using A = QList<Prompter::Answer>;
    const QString save = "Do you want to save the changes you made to Sites.QDZ?";
    QTest::newRow("backup, then save")
        << false << A{Prompter::Yes, Prompter::Ok, Prompter::Ok, Prompter::Yes}
        << QStringList{BackupQuestion, BackedUp, Closing, save} << true << true
        << QStringList{"WexmoraRRMessage", "WexmoraStopMessage"};
    QTest::newRow("no backup, changes dropped")
        << false << A{Prompter::No, Prompter::Ok, Prompter::No} << QStringList{BackupQuestion, Closing, save}
        << false << false << QStringList{"WexmoraStopMessage"};
    QTest::newRow("save question cancelled")
        << false << A{Prompter::No, Prompter::Ok, Prompter::Cancel} << QStringList{BackupQuestion, Closing, save}
        << false << false << QStringList{};
    QTest::newRow("saved unasked")
        << true << A{Prompter::No, Prompter::Ok} << QStringList{BackupQuestion, Closing} << false << true
        << QStringList{"WexmoraRRMessage", "WexmoraStopMessage"};
}

void TestTForm1Updates::teraTermUpgradeOffersBackupAndSaveQuestion()
{
    QFETCH(bool, autoSave);
    QFETCH(QList<Prompter::Answer>, answers);
    QFETCH(QStringList, boxes);
    QFETCH(bool, backedUp);
    QFETCH(bool, saved);
    QFETCH(QStringList, broadcasts);
    UpdateMachine m;
    if (!m.messages.isConnected())
        QSKIP("no session bus; scripts/test runs the suite under dbus-run-session");
    QVERIFY(m.folder.write(QStringLiteral("teraterm.ini"), "[Tera Term]\r\nVTFont=Terminal\r\n"));
    rVTNodeData site;
    site.Name = "Site";
    site.Level = 1;
    const QString table = m.writeTable(QStringLiteral("Sites.QDZ"), {site});
    m.setStored(QStringLiteral("LastQDZFile"), table);
    QVERIFY(m.registry->writeDword(ProgramRegHive, ProgramRegKey, QStringLiteral("AutoSave"), autoSave));
    const QByteArray unsaved = m.folder.read(QStringLiteral("Sites.QDZ"));
    QVERIFY(m.begin());
    BuildShape(m.form->doc().tree(), "A");
    m.form->doc().UpdateCaption(true);
    m.server.serve({{TT, Server::ok("4.107-0")}, {TTI, Server::ok("news")}, {W, Server::ok("2.8-1")}});
    QVERIFY(m.askForCheck(Route::Menu));
    QVERIFY(m.checked());
    QVERIFY(QTest::qWaitForWindowExposed(m.updates.get()));
    for (Prompter::Answer a : answers)
        m.prompter.queue(a);
    m.log.take();

    m.click("Label6");
    QCOMPARE(m.prompter.boxes().size(), boxes.size());
    for (qsizetype i = 0; i < boxes.size(); ++i)
        QVERIFY2(m.prompter.boxes().at(i).text.startsWith(boxes.at(i)), qPrintable(m.prompter.boxes().at(i).text));
    QCOMPARE(m.registry->valueExists(ProgramRegHive, ProgramRegKey, QStringLiteral("IniBackup")), backedUp);
    QCOMPARE(!m.form->doc().tableModified(), saved);
    QCOMPARE(m.folder.read(QStringLiteral("Sites.QDZ")) != unsaved, saved);
    QCOMPARE(m.opened, broadcasts.contains("WexmoraStopMessage")
                           ? QStringList{"http://" + m.server.host() + "/freeware/TeraTerm/teraterm_utf8_4107.exe"}
                           : QStringList{});
    QCOMPARE(m.log.take(), broadcasts);
    QVERIFY(m.updates->isVisible());
}

void TestTForm1Updates::chosenIntervalStoresTheNextCheck_data()
{
    QTest::addColumn<int>("stored");  // the interval's item as the last run left it
    QTest::addColumn<int>("chosen");
    QTest::addColumn<int>("days");
    QTest::newRow("every 7 days") << 5 << 2 << 7;
    QTest::newRow("every day") << 3 << 0 << 1;
    QTest::newRow("every 30 days") << 0 << 4 << 30;
    QTest::newRow("never: today") << 1 << 5 << 0;
}

void TestTForm1Updates::chosenIntervalStoresTheNextCheck()
{
    QFETCH(int, stored);
    QFETCH(int, chosen);
    QFETCH(int, days);
    UpdateMachine m;
    QVERIFY(m.registry->writeDword(ProgramRegHive, ProgramRegKey, QStringLiteral("CheckUpdateInterval"),
                                   quint32(stored)));
    QVERIFY(m.begin());
    QComboBox *interval = m.form->settingsPage()->general()->cbUpdateInterval();
    QCOMPARE(interval->currentIndex(), stored);
    QVERIFY(interval->isVisible());
    // Loading the options chose an item too, but not the user.
    QVERIFY(!m.registry->valueExists(ProgramRegHive, ProgramRegKey, QStringLiteral("NextCheck")));

    const QDate before = QDate::currentDate();
    interval->setFocus();
    for (int i = stored; i != chosen; i += chosen > stored ? 1 : -1)
        QTest::keyClick(interval, chosen > stored ? Qt::Key_Down : Qt::Key_Up);
    const QDate after = QDate::currentDate();
    QCOMPARE(interval->currentIndex(), chosen);
    const std::optional<quint32> next =
        m.registry->readDword(ProgramRegHive, ProgramRegKey, QStringLiteral("NextCheck"));
    QVERIFY(next);
    QVERIFY(int(*next) == UpdateSettings::DayNumber(before) + days
            || int(*next) == UpdateSettings::DayNumber(after) + days);

    // Saving the options leaves the day as the choice stored it.
    m.form->SaveSettingsAndNotify();
    QCOMPARE(m.registry->readDword(ProgramRegHive, ProgramRegKey, QStringLiteral("NextCheck")), next);
}

QTEST_MAIN(TestTForm1Updates)
#include "tst_tform1_updates.moc"
