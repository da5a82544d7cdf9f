#include "LoopbackUpdateServer.h"
#include "platform/ProcessSnapshot.h"
#include "platform/Registry.h"
#include "platform/ShellOpen.h"
#include "platform/WindowMessages.h"
#include "shell/ProgramRegKey.h"
#include "support/BroadcastLog.h"
#include "support/FileBytes.h"
#include "support/PeImage.h"
#include "support/ScopedEnv.h"
#include "support/ScriptedPrompter.h"
#include "support/TempUserDirs.h"
#include "updates/widgets/TForm2.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using Server = LoopbackHttpServer;
using Replies = QMap<QByteArray, QByteArray>;

namespace {

using namespace UpdateFiles;

// The outcome texts as the memo gives them back: each CR LF, lone CR or LF one line break.
const QString UpToDate =
    "Both TeraTerm and Wexmora versions on this PC are up to date.\n\nNo upgrade is necessary.";
QString teraTermOnly(const QString &changes)
{
    return "TeraTerm version on this PC is out of date. \nUpgrade TeraTerm by clicking on the blue "
           "link and once it will be installed run Wexmora and perform this check again. Then "
           "upgrade Wexmora if necessary.\nClick on the blue link to start upgrade. \nThe list of "
           "changes of the latest release is shown below.\n\n"
        + changes;
}
QString programOnly(const QString &changes)
{
    return "Wexmora version on this PC is out of date. Click on the blue link to start upgrade. "
           "\nThe list of changes of the latest release is shown below.\n\n"
        + changes;
}
QString bothOutOfDate(const QString &changes)
{
    return "Both TeraTerm and Wexmora versions on this PC are out of date. \nFirst upgrade "
           "TeraTerm by clicking on the left blue link and once it will be installed run Wexmora "
           "and perform this check again. Then upgrade Wexmora if necessary.\nThe list of changes "
           "of the latest releases is shown below.\n\n"
        + changes;
}
const QString ErrorText = "Error connecting 127.0.0.1 web site.\n\nCheck your Internet connection "
                          "or try again later.";
const QString TeraTermRunning =
    "TeraTerm is currently running. It has to be closed to perform the upgrade.\r\nUse <Alt-Tab> "
    "key combination to switch between applications and close all open TeraTerm windows.\r\nThen "
    "return to Wexmora and press 'OK' button in this window to start upgrade.";
const QString BackupQuestion =
    "TeraTerm installation program will overwrite your current TeraTerm settings.\r\nWexmora can "
    "backup your 'teraterm.ini' file before installing new version. You can restore it after "
    "upgrade by choosing 'File -> TeraTerm Configuration -> Restore' menu of Wexmora "
    "Configuration window.\r\n\r\nDo you want to backup 'teraterm.ini' file?";
const QString Closing = "Wexmora will close now to perform the upgrade.\r\nPress 'OK' to continue.";

// A prompter whose user acts while a box shows (closes TeraTerm while the warning is up).
class ActingPrompter : public ScriptedPrompter
{
public:
    std::function<void(Kind)> onAsk;

    Answer ask(Kind kind, const QString &text, Buttons buttons) override
    {
        if (onAsk)
            onAsk(kind);
        return ScriptedPrompter::ask(kind, text, buttons);
    }
};

// A program folder with TeraTerm in it, a registry, the update server on the loopback, a
// made-up process list, the bus, and the update window made from them.
class Rig
{
public:
    Rig()
    {
        QCoreApplication::setApplicationVersion("2.8.1");
        installTeraTerm(4, 106, 2);
        ProcessSnapshot::setRootForTesting(m_processes.path());
        ShellOpen::setOpenerForTesting([this](const QString &url) {
            opened << url;
            return true;
        });
        form = std::make_unique<TForm2>(TForm2::Context{
            prompter, *registry, messages, m_programDir.path(),
            [this] {
                ++saveQuestions;
                return saveAnswer;
            },
            [this] { ++backups; }});
    }

    ~Rig()
    {
        ShellOpen::setOpenerForTesting({});
        ProcessSnapshot::setRootForTesting(QString());
    }

    void installTeraTerm(quint16 major, quint16 minor, quint16 release)
    {
        PeImage::Options options;
        options.major = major;
        options.minor = minor;
        options.release = release;
        WriteFileBytes(m_programDir.filePath("ttermpro.exe"), PeImage(options).bytes);
    }
    void removeTeraTerm() { QFile::remove(m_programDir.filePath("ttermpro.exe")); }

    void setTeraTermRunning(bool running)
    {
        const QDir root(m_processes.path());
        if (running) {
            root.mkdir("4242");
            WriteFileBytes(root.filePath("4242/comm"), "ttermpro.exe\n");
        } else {
            QDir(root.filePath("4242")).removeRecursively();
        }
    }

    template <typename T>
    T *child(const char *name) const
    {
        return form->findChild<T *>(QString::fromLatin1(name));
    }
    QString memo() const { return child<QPlainTextEdit>("Memo1")->toPlainText(); }
    QString button() const { return child<QPushButton>("Button1")->text(); }

    // The version labels as "Label5=4.106 Label6=4.107 (link) ...".
    QString labels() const
    {
        QStringList out;
        for (const char *name : {"Label5", "Label6", "Label7", "Label8"}) {
            const QLabel *label = child<QLabel>(name);
            const bool blue = label->palette().color(QPalette::WindowText) == QColor(0, 0, 255);
            const bool underlined = label->font().underline();
            out << QStringLiteral("%1=%2%3%4")
                       .arg(name, label->text(),
                            blue && underlined ? " (link)" : blue || underlined ? " (half link)" : "",
                            label->isVisible() ? "" : " (hidden)");
        }
        return out.join(' ');
    }

    std::optional<QString> stored(const char *name) const
    {
        return registry->readString(ProgramRegHive, ProgramRegKey, QString::fromLatin1(name));
    }

    // Runs a check until its window says Close.
    bool runCheck()
    {
        form->CheckForUpdates();
        return QTest::qWaitFor([this] { return button() == "Close"; }, 20000);
    }

    bool showsHand(const char *name) const
    {
        const QLabel *label = child<QLabel>(name);
        return label->testAttribute(Qt::WA_SetCursor)
            && label->cursor().shape() == Qt::PointingHandCursor;
    }

    // Moves the mouse onto the label from elsewhere in the window, so it enters the label even
    // where an earlier window left the mouse.
    void hover(const char *name)
    {
        QTest::mouseMove(form.get(), QPoint(1, 1));
        QTest::mouseMove(child<QLabel>(name));
    }

    // Moves the mouse onto the label and clicks it, as the user would.
    void click(const char *name)
    {
        hover(name);
        QTest::mouseClick(child<QLabel>(name), Qt::LeftButton);
    }

    // The messages this process broadcast since the last call, in order.
    QStringList broadcasts() { return m_broadcasts.take(); }

    TempUserDirs dirs;
    std::unique_ptr<Registry> registry = dirs.freshRegistry();
    LoopbackUpdateServer server;
    ActingPrompter prompter;
    WindowMessages messages;
    QStringList opened;
    bool saveAnswer = true;
    int saveQuestions = 0;
    int backups = 0;
    std::unique_ptr<TForm2> form;

private:
    QTemporaryDir m_programDir;
    QTemporaryDir m_processes;
    BroadcastLog m_broadcasts{messages};
};

} // namespace

Q_DECLARE_METATYPE(std::optional<QString>)
Q_DECLARE_METATYPE(Prompter::Answer)

class TestTForm2 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showsTheOutcome_data()
    {
        QTest::addColumn<QString>("installed");  // TeraTerm's major.minor.release; empty: none
        QTest::addColumn<QString>("own");
        QTest::addColumn<Replies>("replies");
        QTest::addColumn<QList<QByteArray>>("requests");
        QTest::addColumn<QString>("memo");
        QTest::addColumn<QString>("labels");
        QTest::addColumn<QString>("storedTT");
        QTest::addColumn<QString>("storedW");
        const Replies changes{{TTI, Server::ok("Fixed a\nAdded b")},
                              {WI, Server::ok("Line 1\r\nLine 2\rstill 2")}};
        const auto with = [&changes](Replies r) {
            r.insert(changes);
            return r;
        };
        QTest::newRow("both up to date")
            << "4.106.2" << "2.8.1" << with({{TT, Server::ok("4.106-2")}, {W, Server::ok("2.8-1")}})
            << QList<QByteArray>{TT, W} << UpToDate
            << "Label5=4.106 Label6=4.106 Label7=2.8.1 Label8=2.8.1" << "4.106-2" << "2.8-1";
        QTest::newRow("TeraTerm out of date")
            << "4.106.2" << "2.8.1" << with({{TT, Server::ok("4.107-0")}, {W, Server::ok("2.8-1")}})
            << QList<QByteArray>{TT, TTI, W} << teraTermOnly("Fixed a\nAdded b")
            << "Label5=4.106 Label6=4.107 (link) Label7=2.8.1 Label8=2.8.1" << "4.107-0" << "2.8-1";
        QTest::newRow("Wexmora out of date")
            << "4.106.2" << "2.8.1" << with({{TT, Server::ok("4.106-1")}, {W, Server::ok("2.9-0")}})
            << QList<QByteArray>{TT, W, WI} << programOnly("Line 1\nLine 2\nstill 2")
            << "Label5=4.106 Label6=4.106 Label7=2.8.1 Label8=2.9.0 (link)" << "4.106-1" << "2.9-0";
        QTest::newRow("both out of date")
            << "4.106.2" << "2.8.1" << with({{TT, Server::ok("5.0-0")}, {W, Server::ok("2.8-2")}})
            << QList<QByteArray>{TT, TTI, W, WI}
            << bothOutOfDate("Fixed a\nAdded b\n\nLine 1\nLine 2\nstill 2")
            << "Label5=4.106 Label6=5.0 (link) Label7=2.8.1 Label8=2.8.2 (link)" << "5.0-0" << "2.8-2";
        QTest::newRow("TeraTerm missing")
            << "" << "2.8.1" << with({{TT, Server::ok("4.107-0")}, {W, Server::ok("2.8-1")}})
            << QList<QByteArray>{TT, W} << UpToDate
            << "Label5=99999.99999 Label6=4.107 Label7=2.8.1 Label8=2.8.1" << "4.107-0" << "2.8-1";
        QTest::newRow("own beta")
            << "4.106.2" << "2.9.0" << with({{TT, Server::ok("4.106-2")}, {W, Server::ok("2.9-0")}})
            << QList<QByteArray>{TT, W} << UpToDate
            << "Label5=4.106 Label6=4.106 Label7=2.9 (Beta) Label8=2.9.0" << "4.106-2" << "2.9-0";
        QTest::newRow("older on the server")
            << "4.106.2" << "2.8.1" << with({{TT, Server::ok("4.105-9")}, {W, Server::ok("2.7-9")}})
            << QList<QByteArray>{TT, W} << UpToDate
            << "Label5=4.106 Label6=4.105 Label7=2.8.1 Label8=2.7.9" << "4.105-9" << "2.7-9";
    }

    void showsTheOutcome()
    {
        QFETCH(QString, installed);
        QFETCH(QString, own);
        QFETCH(Replies, replies);
        QFETCH(QList<QByteArray>, requests);
        QFETCH(QString, memo);
        QFETCH(QString, labels);
        QFETCH(QString, storedTT);
        QFETCH(QString, storedW);
        Rig rig;
        if (installed.isEmpty()) {
            rig.removeTeraTerm();
        } else {
            const QStringList v = installed.split('.');
            rig.installTeraTerm(v[0].toUShort(), v[1].toUShort(), v[2].toUShort());
        }
        QCoreApplication::setApplicationVersion(own);
        rig.server.serve(replies);

        QVERIFY(rig.runCheck());
        QVERIFY(rig.form->isVisible());
        QCOMPARE(rig.form->windowTitle(), QStringLiteral("Wexmora Check for Updates"));
        QCOMPARE(rig.memo(), memo);
        QCOMPARE(rig.labels(), labels);
        QCOMPARE(rig.server.paths(), requests);
        QCOMPARE(rig.stored("TTLatestVersion"), std::optional<QString>(storedTT));
        QCOMPARE(rig.stored("WexmoraLatestVersion"), std::optional<QString>(storedW));
        for (const Server::Request &r : rig.server.requests()) {
            QCOMPARE(r.header("User-Agent"), QByteArray("Wexmora"));
            QCOMPARE(r.version, QByteArray("HTTP/1.0"));
        }
    }

    // A failed download, or a reply that is no version where one is due, ends the check on
    // the error road; nothing unreadable is stored or shown.
    void endsOnTheErrorRoad_data()
    {
        QTest::addColumn<Replies>("replies");
        QTest::addColumn<QList<QByteArray>>("requests");
        QTest::addColumn<std::optional<QString>>("storedTT");
        QTest::addColumn<std::optional<QString>>("storedW");
        using S = std::optional<QString>;
        QTest::newRow("TeraTerm version missing")
            << Replies{{W, Server::ok("2.8-1")}} << QList<QByteArray>{TT} << S() << S();
        QTest::newRow("TeraTerm version with a line break")
            << Replies{{TT, Server::ok("4.107-0\r\n")}} << QList<QByteArray>{TT} << S() << S();
        QTest::newRow("TeraTerm version is an error page")
            << Replies{{TT, Server::ok("<html><body>Moved</body></html>")}} << QList<QByteArray>{TT}
            << S() << S();
        QTest::newRow("TeraTerm change list missing")
            << Replies{{TT, Server::ok("4.107-0")}} << QList<QByteArray>{TT, TTI} << S("4.107-0") << S("");
        QTest::newRow("Wexmora version empty")
            << Replies{{TT, Server::ok("4.106-2")}, {W, Server::ok("")}} << QList<QByteArray>{TT, W}
            << S("4.106-2") << S("");
        QTest::newRow("Wexmora version with a blank")
            << Replies{{TT, Server::ok("4.106-2")}, {W, Server::ok("2.9-0 ")}} << QList<QByteArray>{TT, W}
            << S("4.106-2") << S("");
        QTest::newRow("Wexmora change list fails")
            << Replies{{TT, Server::ok("4.106-2")}, {W, Server::ok("2.9-0")},
                       {WI, Server::response(500, "Oops", "trace")}}
            << QList<QByteArray>{TT, W, WI} << S("4.106-2") << S("2.9-0");
    }

    void endsOnTheErrorRoad()
    {
        QFETCH(Replies, replies);
        QFETCH(QList<QByteArray>, requests);
        QFETCH(std::optional<QString>, storedTT);
        QFETCH(std::optional<QString>, storedW);
        Rig rig;
        rig.server.serve(replies);
        QVERIFY(rig.runCheck());
        QCOMPARE(rig.memo(), ErrorText);
        QCOMPARE(rig.labels(), "Label5=4.106 Label6=??? Label7=2.8.1 Label8=???");
        QCOMPARE(rig.server.paths(), requests);
        QCOMPARE(rig.stored("TTLatestVersion"), storedTT);
        QCOMPARE(rig.stored("WexmoraLatestVersion"), storedW);
        // Nothing of it is a link.
        rig.click("Label6");
        rig.click("Label8");
        QVERIFY(rig.prompter.boxes().isEmpty());
        QVERIFY(rig.opened.isEmpty());
    }

    void refusedConnectionEndsOnTheErrorRoad()
    {
        Rig rig;
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
        ScopedEnv host("WEXMORA_UPDATE_HOST");
        host.set("127.0.0.1:" + QByteArray::number(closed.serverPort()));
        closed.close();
        QVERIFY(rig.runCheck());
        QCOMPARE(rig.memo(), ErrorText);
        QCOMPARE(rig.labels(), "Label5=4.106 Label6=??? Label7=2.8.1 Label8=???");
        QCOMPARE(rig.stored("TTLatestVersion"), std::nullopt);
    }

    // The latest versions are the run's: a later check that fails before the program's version
    // keeps the one an earlier check received. Each check starts with no change list.
    void laterChecksOfTheRun()
    {
        Rig rig;
        rig.server.serve({{TT, Server::ok("4.107-0")}, {TTI, Server::ok("TeraTerm news")},
                   {W, Server::ok("2.9-0")}, {WI, Server::ok("Wexmora news")}});
        QVERIFY(rig.runCheck());
        QCOMPARE(rig.memo(), bothOutOfDate("TeraTerm news\n\nWexmora news"));
        rig.form->close();

        rig.installTeraTerm(4, 107, 0);
        QVERIFY(rig.runCheck());
        QCOMPARE(rig.memo(), programOnly("Wexmora news"));
        QCOMPARE(rig.labels(), "Label5=4.107 Label6=4.107 Label7=2.8.1 Label8=2.9.0 (link)");
        rig.form->close();

        rig.server.serve({{W, Server::response(404, "Not Found", "<html/>")}});
        QVERIFY(rig.runCheck());
        QCOMPARE(rig.memo(), ErrorText);
        QCOMPARE(rig.stored("TTLatestVersion"), std::optional<QString>("4.107-0"));
        QCOMPARE(rig.stored("WexmoraLatestVersion"), std::optional<QString>("2.9-0"));
    }

    // While a download runs the labels blink; Cancel stops it and closes, and a check started
    // at once waits for the stopped download instead of taking its end for its own.
    void cancelAndCheckAgain()
    {
        Rig rig;
        rig.server.setReply(TT, Server::Reply{"", true});
        rig.form->CheckForUpdates();
        QTRY_COMPARE_WITH_TIMEOUT(rig.server.requests().size(), 1, 20000);
        QCOMPARE(rig.memo(), QStringLiteral("Please wait..."));
        QCOMPARE(rig.button(), QStringLiteral("Cancel"));
        QLabel *label6 = rig.child<QLabel>("Label6");
        QCOMPARE(label6->text(), QStringLiteral("Checking"));
        QTRY_VERIFY_WITH_TIMEOUT(!label6->isVisible(), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(label6->isVisible(), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(!rig.child<QLabel>("Label8")->isVisible(), 20000);

        QTest::mouseClick(rig.child<QPushButton>("Button1"), Qt::LeftButton);
        QVERIFY(!rig.form->isVisible());
        rig.server.serve({{TT, Server::ok("4.106-2")}, {W, Server::ok("2.8-1")}});
        QVERIFY(rig.runCheck());
        QCOMPARE(rig.memo(), UpToDate);
        QCOMPARE(rig.server.paths(), (QList<QByteArray>{TT, TT, W}));
        QTRY_COMPARE_WITH_TIMEOUT(rig.server.openConnections(), 0, 20000);
    }

    void escapeCancels()
    {
        Rig rig;
        rig.server.setReply(TT, Server::Reply{"", true});
        rig.form->CheckForUpdates();
        QTRY_COMPARE_WITH_TIMEOUT(rig.server.requests().size(), 1, 20000);
        QTest::keyClick(rig.form.get(), Qt::Key_Escape);
        QVERIFY(!rig.form->isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(rig.server.openConnections(), 0, 20000);
    }

    // A check asked for while the window shows brings it forward and starts nothing.
    void checkWhileShowing()
    {
        Rig rig;
        rig.server.serve({{TT, Server::ok("4.106-2")}});
        rig.server.setReply(W, Server::Reply{"", true});
        rig.form->CheckForUpdates();
        QTRY_COMPARE_WITH_TIMEOUT(rig.server.requests().size(), 2, 20000);
        rig.form->CheckForUpdates();
        QCOMPARE(rig.child<QLabel>("Label6")->text(), QStringLiteral("4.106"));
        QCOMPARE(rig.memo(), QStringLiteral("Please wait..."));
        QTest::mouseClick(rig.child<QPushButton>("Button1"), Qt::LeftButton);
        QCOMPARE(rig.server.paths(), (QList<QByteArray>{TT, W}));
    }

    // The start for the check alone shows the window and returns once the user closed it.
    void checkAndWait()
    {
        Rig rig;
        rig.server.serve({{TT, Server::ok("4.106-2")}, {W, Server::ok("2.8-1")}});
        QPlainTextEdit *memo = rig.child<QPlainTextEdit>("Memo1");
        QStringList seen;
        connect(memo, &QPlainTextEdit::textChanged, memo, [&] {
            seen << memo->toPlainText();
            if (memo->toPlainText() == UpToDate)
                QTimer::singleShot(0, memo, [&] {
                    QTest::mouseClick(rig.child<QPushButton>("Button1"), Qt::LeftButton);
                });
        });
        rig.form->CheckForUpdatesAndWait();
        QVERIFY(!rig.form->isVisible());
        QCOMPARE(seen, (QStringList{"Please wait...", UpToDate}));
    }

    // Only a newer version is a link, and the program's only once TeraTerm needs nothing.
    void linksFollowTheOutcome_data()
    {
        QTest::addColumn<Replies>("replies");
        QTest::addColumn<bool>("teraTermLink");
        QTest::addColumn<bool>("programLink");
        QTest::newRow("both newer") << Replies{{TT, Server::ok("4.107-0")}, {W, Server::ok("2.9-0")}}
                                    << true << false;
        QTest::newRow("program newer") << Replies{{TT, Server::ok("4.106-2")}, {W, Server::ok("2.9-0")}}
                                       << false << true;
        QTest::newRow("none newer") << Replies{{TT, Server::ok("4.106-2")}, {W, Server::ok("2.8-1")}}
                                    << false << false;
    }

    void linksFollowTheOutcome()
    {
        QFETCH(Replies, replies);
        QFETCH(bool, teraTermLink);
        QFETCH(bool, programLink);
        Rig rig;
        rig.server.serve(replies);
        rig.server.setReply(TTI, Server::ok("a"));
        rig.server.setReply(WI, Server::ok("b"));
        QVERIFY(rig.runCheck());
        QVERIFY(QTest::qWaitForWindowExposed(rig.form.get()));
        for (const char *name : {"Label6", "Label8"}) {
            rig.hover(name);
            QTRY_COMPARE(rig.showsHand(name), name == QByteArray("Label6") ? teraTermLink : programLink);
        }
        QTest::mouseMove(rig.child<QPushButton>("Button1"));
        QTRY_VERIFY(!rig.showsHand("Label8"));
        if (!teraTermLink) {
            rig.click("Label6");
            QVERIFY(rig.prompter.boxes().isEmpty());
        }
        if (!programLink) {
            rig.click("Label8");
            QVERIFY(rig.prompter.boxes().isEmpty());
            QVERIFY(rig.form->isVisible());
        }
        QVERIFY(rig.opened.isEmpty());
    }

    void upgradesTeraTerm_data()
    {
        QTest::addColumn<bool>("running");
        QTest::addColumn<QList<Prompter::Answer>>("answers");
        QTest::addColumn<bool>("save");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<int>("backups");
        QTest::addColumn<bool>("leaves");  // installer opened and launcher asked to stop
        using A = QList<Prompter::Answer>;
        QTest::newRow("backup, then leave")
            << false << A{Prompter::Yes} << true << QStringList{BackupQuestion, Closing} << 1 << true;
        QTest::newRow("no backup")
            << false << A{Prompter::No} << true << QStringList{BackupQuestion, Closing} << 0 << true;
        QTest::newRow("cancel at the backup")
            << false << A{Prompter::Cancel} << true << QStringList{BackupQuestion} << 0 << false;
        QTest::newRow("table not to be left")
            << false << A{Prompter::Yes} << false << QStringList{BackupQuestion, Closing} << 1 << false;
        QTest::newRow("TeraTerm running, cancelled")
            << true << A{Prompter::Cancel} << true << QStringList{TeraTermRunning} << 0 << false;
        QTest::newRow("TeraTerm closed after the warning")
            << true << A{Prompter::Ok, Prompter::No} << true
            << QStringList{TeraTermRunning, BackupQuestion, Closing} << 0 << true;
        QTest::newRow("TeraTerm still running once")
            << true << A{Prompter::Ok, Prompter::Ok, Prompter::Yes} << true
            << QStringList{TeraTermRunning, TeraTermRunning, BackupQuestion, Closing} << 1 << true;
    }

    void upgradesTeraTerm()
    {
        QFETCH(bool, running);
        QFETCH(QList<Prompter::Answer>, answers);
        QFETCH(bool, save);
        QFETCH(QStringList, boxes);
        QFETCH(int, backups);
        QFETCH(bool, leaves);
        Rig rig;
        if (!rig.messages.isConnected())
            QSKIP("no session bus; scripts/test runs the suite under dbus-run-session");
        rig.server.serve({{TT, Server::ok("4.107-0")}, {TTI, Server::ok("news")}, {W, Server::ok("2.8-1")}});
        QVERIFY(rig.runCheck());
        QVERIFY(QTest::qWaitForWindowExposed(rig.form.get()));
        rig.setTeraTermRunning(running);
        // The user closes TeraTerm while the last of the warnings that are to come shows.
        const auto warnings = std::count(boxes.begin(), boxes.end(), TeraTermRunning);
        int warned = 0;
        rig.prompter.onAsk = [&](Prompter::Kind kind) {
            if (kind == Prompter::Kind::Warning && ++warned == warnings && boxes.size() > warnings)
                rig.setTeraTermRunning(false);
        };
        for (Prompter::Answer a : answers)
            rig.prompter.queue(a);
        rig.saveAnswer = save;
        rig.broadcasts();

        rig.click("Label6");
        QCOMPARE(rig.prompter.texts(), boxes);
        QCOMPARE(rig.backups, backups);
        QCOMPARE(rig.opened, leaves ? QStringList{"http://" + rig.server.host()
                                                  + "/freeware/TeraTerm/teraterm_utf8_4107.exe"}
                                    : QStringList());
        QCOMPARE(rig.broadcasts(), leaves ? QStringList{"WexmoraStopMessage"} : QStringList());
        QVERIFY(rig.form->isVisible());
        const QList<Prompter::Kind> kinds{Prompter::Kind::Warning, Prompter::Kind::Confirmation,
                                          Prompter::Kind::Information};
        for (const ScriptedPrompter::Box &box : rig.prompter.boxes()) {
            const int expected = box.text == TeraTermRunning ? 0 : box.text == BackupQuestion ? 1 : 2;
            QCOMPARE(box.kind, kinds[expected]);
            QCOMPARE(box.buttons, (QList<Prompter::Buttons>{Prompter::Buttons::OkCancel,
                                                            Prompter::Buttons::YesNoCancel,
                                                            Prompter::Buttons::Ok}[expected]));
        }
    }

    void upgradesTheProgram_data()
    {
        QTest::addColumn<bool>("save");
        QTest::newRow("table saved or unchanged") << true;
        QTest::newRow("table not to be left") << false;
    }

    void upgradesTheProgram()
    {
        QFETCH(bool, save);
        Rig rig;
        if (!rig.messages.isConnected())
            QSKIP("no session bus; scripts/test runs the suite under dbus-run-session");
        rig.server.serve({{TT, Server::ok("4.106-2")}, {W, Server::ok("2.10-3")}, {WI, Server::ok("news")}});
        QVERIFY(rig.runCheck());
        QVERIFY(QTest::qWaitForWindowExposed(rig.form.get()));
        rig.saveAnswer = save;
        rig.broadcasts();

        rig.click("Label8");
        QVERIFY(!rig.form->isVisible());
        QCOMPARE(rig.prompter.texts(), QStringList{Closing});
        QCOMPARE(rig.saveQuestions, 1);
        QCOMPARE(rig.opened, save ? QStringList{"http://" + rig.server.host()
                                                + "/freeware/Wexmora/setup2103.exe"}
                                  : QStringList());
        QCOMPARE(rig.broadcasts(), save ? QStringList{"WexmoraStopMessage"} : QStringList());
    }
};

QTEST_MAIN(TestTForm2)
#include "tst_tform2.moc"
