#include "platform/Registry.h"
#include "shell/HandOverReceiver.h"
#include "shell/LauncherMessages.h"
#include "shell/ParamName.h"
#include "support/FakeHandOverWindow.h"
#include "support/ScriptedPrompter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

using namespace LauncherMessages;

namespace {

// Answers from the script; while a box is open it can run what would arrive meanwhile.
class HookedPrompter : public ScriptedPrompter
{
public:
    Answer ask(Kind kind, const QString &text, Buttons buttons) override
    {
        const Answer answer = ScriptedPrompter::ask(kind, text, buttons);
        if (whileOpen) {
            auto hook = std::move(whileOpen);
            whileOpen = nullptr;
            hook();
        }
        return answer;
    }

    std::function<void()> whileOpen;
};

QString boxLine(const ScriptedPrompter::Box &box)
{
    const char *kind = "";
    switch (box.kind) {
    case Prompter::Kind::Warning: kind = "warning"; break;
    case Prompter::Kind::Error: kind = "error"; break;
    case Prompter::Kind::Information: kind = "information"; break;
    case Prompter::Kind::Confirmation: kind = "confirmation"; break;
    }
    const char *buttons = box.buttons == Prompter::Buttons::YesNo ? "YesNo"
                          : box.buttons == Prompter::Buttons::Ok  ? "Ok"
                                                                  : "other";
    return QStringLiteral("%1/%2: %3").arg(QLatin1String(kind), QLatin1String(buttons), box.text);
}

QStringList boxLines(const ScriptedPrompter &prompter)
{
    QStringList out;
    for (const auto &box : prompter.boxes())
        out << boxLine(box);
    return out;
}

} // namespace

class TestHandOverReceiver : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void instanceMessage_data();
    void instanceMessage();
    void guardIgnoresBurstUntilItEnds();
    void openQuestionBlocksAnother();
    void answerClearsLaterHandOverToo();

    void offerAfterStart_data();
    void offerAfterStart();
    void offerAfterStartWaitsForOpenQuestion();

    void launcherRequest_data();
    void launcherRequest();
    void requestDuringModalDialogWaits_data();
    void requestDuringModalDialogWaits();
    void requestDuringHandOverQuestionWaits();
    void requestsWhileAFileIsReadWait_data();
    void requestsWhileAFileIsReadWait();
    void offerAfterStartWaitsForARead();

private:
    // Replaces "{dir}" by the test's folder.
    QString inDir(QString text) const { return text.replace(QStringLiteral("{dir}"), m_dir->path()); }
    QStringList inDir(QStringList list) const
    {
        for (QString &s : list)
            s = inDir(s);
        return list;
    }
    void makeFile(const QString &path) const
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("table");
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Registry> m_registry;
    HookedPrompter m_prompter;
    FakeHandOverWindow m_window;
    std::unique_ptr<HandOverReceiver> m_receiver;
};

void TestHandOverReceiver::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_registry = std::make_unique<Registry>(m_dir->filePath(QStringLiteral("registry.sqlite3")));
    QVERIFY(m_registry->isOpen());
    m_prompter.clear();
    m_prompter.whileOpen = nullptr;
    m_window = FakeHandOverWindow();
    m_receiver = std::make_unique<HandOverReceiver>(*m_registry, m_prompter, m_window);
}

void TestHandOverReceiver::cleanup()
{
    m_receiver.reset();
    m_registry.reset();
    m_dir.reset();
}

void TestHandOverReceiver::instanceMessage_data()
{
    QTest::addColumn<QString>("paramName");
    QTest::addColumn<QString>("existing");     // "file", "dir" or "" (nothing there)
    QTest::addColumn<bool>("own");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QString>("paramAfter");

    const QString ask = QStringLiteral("confirmation/YesNo: Do you want to import file %1 into Wexmora?");
    QTest::newRow("nothing handed over: only to the front")
        << QString() << QString() << false << int(Prompter::Yes) << QStringList()
        << QStringList{"front"} << QString();
    QTest::newRow("staged copy, No: cleared, nothing imported")
        << "{dir}/Temp_TTL/~Sites.QDZ" << "file" << false << int(Prompter::No)
        << QStringList{ask.arg("Sites.QDZ")} << QStringList{"front"} << QString();
    QTest::newRow("staged copy, Yes: the copy is imported")
        << "{dir}/Temp_TTL/~Sites.QDZ" << "file" << false << int(Prompter::Yes)
        << QStringList{ask.arg("Sites.QDZ")}
        << QStringList{"front", "import:{dir}/Temp_TTL/~Sites.QDZ"} << QString();
    QTest::newRow("only one tilde is dropped")
        << "{dir}/~~Twice.QDZ" << "file" << false << int(Prompter::No)
        << QStringList{ask.arg("~Twice.QDZ")} << QStringList{"front"} << QString();
    QTest::newRow("a name without tilde is shown whole")
        << "{dir}/Plain.QDZ" << "file" << false << int(Prompter::No)
        << QStringList{ask.arg("Plain.QDZ")} << QStringList{"front"} << QString();
    QTest::newRow("missing file: reported, value kept")
        << "{dir}/Temp_TTL/~upgradeCheck=true" << QString() << false << int(Prompter::Yes)
        << QStringList{"warning/Ok: Cannot import file upgradeCheck=true. File not found."}
        << QStringList{"front"} << "{dir}/Temp_TTL/~upgradeCheck=true";
    QTest::newRow("a directory is no file to import")
        << "{dir}/~Folder.QDZ" << "dir" << false << int(Prompter::Yes)
        << QStringList{"warning/Ok: Cannot import file Folder.QDZ. File not found."}
        << QStringList{"front"} << "{dir}/~Folder.QDZ";
    QTest::newRow("own broadcast is ignored")
        << "{dir}/~Sites.QDZ" << "file" << true << int(Prompter::Yes) << QStringList()
        << QStringList() << "{dir}/~Sites.QDZ";
}

void TestHandOverReceiver::instanceMessage()
{
    QFETCH(QString, paramName);
    QFETCH(QString, existing);
    QFETCH(bool, own);
    QFETCH(int, answer);
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, calls);
    QFETCH(QString, paramAfter);

    const QString path = inDir(paramName);
    if (!path.isEmpty()) {
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        if (existing == QLatin1String("file"))
            makeFile(path);
        else if (existing == QLatin1String("dir"))
            QVERIFY(QDir().mkpath(path));
    }
    QVERIFY(WriteParamName(*m_registry, path));
    m_prompter.queue(Prompter::Answer(answer));

    m_receiver->handleMessage(InstanceMessage, own);

    QCOMPARE(boxLines(m_prompter), boxes);
    QCOMPARE(m_window.calls, inDir(calls));
    QCOMPARE(ReadParamName(*m_registry), inDir(paramAfter));
    QCOMPARE(m_receiver->guardActive(), !own);
}

void TestHandOverReceiver::guardIgnoresBurstUntilItEnds()
{
    const QString first = m_dir->filePath(QStringLiteral("~First.QDZ"));
    makeFile(first);
    QVERIFY(WriteParamName(*m_registry, first));
    m_prompter.queue(Prompter::No);
    m_receiver->handleMessage(InstanceMessage, false);
    QCOMPARE(m_prompter.boxes().size(), 1);

    const QString second = m_dir->filePath(QStringLiteral("~Second.QDZ"));
    makeFile(second);
    QVERIFY(WriteParamName(*m_registry, second));
    m_receiver->handleMessage(InstanceMessage, false);
    QCOMPARE(m_prompter.boxes().size(), 1);
    QCOMPARE(m_window.calls, QStringList{"front"});
    QCOMPARE(ReadParamName(*m_registry), second);

    m_receiver->Timer2Timer();
    QVERIFY(!m_receiver->guardActive());
    m_prompter.queue(Prompter::Yes);
    m_receiver->handleMessage(InstanceMessage, false);
    QCOMPARE(m_prompter.texts().last(),
             QStringLiteral("Do you want to import file Second.QDZ into Wexmora?"));
    QCOMPARE(m_window.calls, (QStringList{"front", "front", "import:" + second}));
}

void TestHandOverReceiver::openQuestionBlocksAnother()
{
    const QString path = m_dir->filePath(QStringLiteral("~Sites.QDZ"));
    makeFile(path);
    QVERIFY(WriteParamName(*m_registry, path));
    bool openWhileAsked = false;
    // The guard runs out while the question is still open, and another start hands over.
    m_prompter.whileOpen = [&] {
        openWhileAsked = m_receiver->handOverOpen();
        m_receiver->Timer2Timer();
        m_receiver->handleMessage(InstanceMessage, false);
    };
    m_prompter.queue(Prompter::Yes);
    m_receiver->handleMessage(InstanceMessage, false);

    QVERIFY(openWhileAsked);
    QVERIFY(!m_receiver->handOverOpen());
    QCOMPARE(m_prompter.boxes().size(), 1);
    QCOMPARE(m_window.calls, (QStringList{"front", "import:" + path}));
}

void TestHandOverReceiver::answerClearsLaterHandOverToo()
{
    // A start that hands over while the first question is open loses its hand-over to the
    // answer: one question per burst.
    const QString first = m_dir->filePath(QStringLiteral("~First.QDZ"));
    const QString second = m_dir->filePath(QStringLiteral("~Second.QDZ"));
    makeFile(first);
    makeFile(second);
    QVERIFY(WriteParamName(*m_registry, first));
    m_prompter.whileOpen = [&] {
        WriteParamName(*m_registry, second);
        m_receiver->handleMessage(InstanceMessage, false);
    };
    m_prompter.queue(Prompter::No);
    m_receiver->handleMessage(InstanceMessage, false);

    QCOMPARE(m_prompter.boxes().size(), 1);
    QCOMPARE(ReadParamName(*m_registry), QString());
}

void TestHandOverReceiver::offerAfterStart_data()
{
    QTest::addColumn<QString>("paramName");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QStringList>("calls");

    const QString ask = QStringLiteral("confirmation/YesNo: Do you want to import file %1 into Wexmora?");
    QTest::newRow("Yes imports the file named in full")
        << "{dir}/Tables/Sites.QDZ" << true << int(Prompter::Yes) << QStringList{ask.arg("Sites.QDZ")}
        << QStringList{"import:{dir}/Tables/Sites.QDZ"};
    QTest::newRow("No imports nothing")
        << "{dir}/Tables/Sites.QDZ" << true << int(Prompter::No) << QStringList{ask.arg("Sites.QDZ")}
        << QStringList();
    QTest::newRow("the tilde of a leftover copy stays")
        << "{dir}/Temp_TTL/~Sites.QDZ" << true << int(Prompter::Yes)
        << QStringList{ask.arg("~Sites.QDZ")} << QStringList{"import:{dir}/Temp_TTL/~Sites.QDZ"};
    QTest::newRow("missing file: nothing shown")
        << "{dir}/Gone.QDZ" << false << int(Prompter::Yes) << QStringList() << QStringList();
    QTest::newRow("nothing handed over")
        << QString() << false << int(Prompter::Yes) << QStringList() << QStringList();
}

void TestHandOverReceiver::offerAfterStart()
{
    QFETCH(QString, paramName);
    QFETCH(bool, exists);
    QFETCH(int, answer);
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, calls);

    const QString path = inDir(paramName);
    if (exists) {
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        makeFile(path);
    }
    QVERIFY(WriteParamName(*m_registry, path));
    m_prompter.queue(Prompter::Answer(answer));

    m_receiver->startOfferTimer();
    QVERIFY(m_receiver->offerTimerActive());
    m_receiver->Timer3Timer();

    QVERIFY(!m_receiver->offerTimerActive());
    QCOMPARE(boxLines(m_prompter), boxes);
    QCOMPARE(m_window.calls, inDir(calls));
    // Cleared in every case, so the next start does not offer it again.
    QCOMPARE(ReadParamName(*m_registry), QString());
}

void TestHandOverReceiver::offerAfterStartWaitsForOpenQuestion()
{
    const QString path = m_dir->filePath(QStringLiteral("~Sites.QDZ"));
    makeFile(path);
    QVERIFY(WriteParamName(*m_registry, path));
    m_receiver->startOfferTimer();
    bool rearmed = false;
    m_prompter.whileOpen = [&] {
        m_receiver->Timer3Timer();
        rearmed = m_receiver->offerTimerActive();
    };
    m_prompter.queue(Prompter::No);
    m_receiver->handleMessage(InstanceMessage, false);
    QVERIFY(rearmed);
    QCOMPARE(m_prompter.boxes().size(), 1);

    // The answer cleared the hand-over, so the retried offer has nothing to ask.
    m_receiver->Timer3Timer();
    QCOMPARE(m_prompter.boxes().size(), 1);
    QVERIFY(!m_receiver->offerTimerActive());
}

void TestHandOverReceiver::launcherRequest_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("nodeModified");
    QTest::addColumn<bool>("tableModified");
    QTest::addColumn<QStringList>("calls");

    QTest::newRow("stop, nothing modified: closes where it is")
        << StopMessage << false << false << QStringList{"close"};
    QTest::newRow("stop, unapplied edits: to the front first")
        << StopMessage << true << false << QStringList{"front", "close"};
    QTest::newRow("stop, table modified: to the front first")
        << StopMessage << false << true << QStringList{"front", "close"};
    QTest::newRow("upgrade check")
        << CheckUpgradeMessage << true << true << QStringList{"front", "update"};
    QTest::newRow("the launcher's own messages are not for us")
        << SettingsChangedMessage << false << false << QStringList();
    QTest::newRow("stop before an upgrade is for the launcher")
        << LauncherStopMessage << false << false << QStringList();
}

void TestHandOverReceiver::launcherRequest()
{
    QFETCH(QString, message);
    QFETCH(bool, nodeModified);
    QFETCH(bool, tableModified);
    QFETCH(QStringList, calls);

    m_window.nodeModified = nodeModified;
    m_window.tableIsModified = tableModified;
    m_receiver->handleMessage(message, false);
    QCOMPARE(m_window.calls, calls);
    QVERIFY(m_prompter.boxes().isEmpty());
    QCOMPARE(m_receiver->deferredCount(), 0);
}

void TestHandOverReceiver::requestDuringModalDialogWaits_data()
{
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("calls");

    QTest::newRow("stop") << QStringList{StopMessage} << QStringList{"close"};
    QTest::newRow("upgrade check") << QStringList{CheckUpgradeMessage} << QStringList{"front", "update"};
    QTest::newRow("a repeated stop closes once")
        << QStringList{StopMessage, StopMessage} << QStringList{"close"};
    QTest::newRow("both, in the order they came")
        << QStringList{CheckUpgradeMessage, StopMessage} << QStringList{"front", "update", "close"};
}

void TestHandOverReceiver::requestDuringModalDialogWaits()
{
    QFETCH(QStringList, messages);
    QFETCH(QStringList, calls);

    m_window.modal = true;
    for (const QString &m : messages)
        m_receiver->handleMessage(m, false);
    QVERIFY(m_window.calls.isEmpty());
    QVERIFY(m_receiver->retryActive());

    m_receiver->runDeferred();   // the dialog is still open
    QVERIFY(m_window.calls.isEmpty());
    QVERIFY(m_receiver->retryActive());

    m_window.modal = false;
    m_receiver->runDeferred();
    QCOMPARE(m_window.calls, calls);
    QCOMPARE(m_receiver->deferredCount(), 0);
}

void TestHandOverReceiver::requestDuringHandOverQuestionWaits()
{
    const QString path = m_dir->filePath(QStringLiteral("~Sites.QDZ"));
    makeFile(path);
    QVERIFY(WriteParamName(*m_registry, path));
    m_prompter.whileOpen = [&] { m_receiver->handleMessage(StopMessage, false); };
    m_prompter.queue(Prompter::Yes);
    m_receiver->handleMessage(InstanceMessage, false);

    // The import ran before anything closed the window.
    QCOMPARE(m_window.calls, (QStringList{"front", "import:" + path}));
    QCOMPARE(m_receiver->deferredCount(), 1);
    m_receiver->runDeferred();
    QCOMPARE(m_window.calls, (QStringList{"front", "import:" + path, "close"}));
}

// While the window reads a file (it paints and takes messages meanwhile), nothing may change
// the tree or close the window: every request, a hand-over too, waits and then runs in the
// order it came.
void TestHandOverReceiver::requestsWhileAFileIsReadWait_data()
{
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("calls");

    QTest::newRow("hand-over") << QStringList{InstanceMessage} << QStringList{"front", "import:{dir}/~Sites.QDZ"};
    QTest::newRow("stop") << QStringList{StopMessage} << QStringList{"close"};
    QTest::newRow("upgrade check") << QStringList{CheckUpgradeMessage} << QStringList{"front", "update"};
    QTest::newRow("hand-over, then stop") << QStringList{InstanceMessage, StopMessage}
                                          << QStringList{"front", "import:{dir}/~Sites.QDZ", "close"};
    QTest::newRow("a repeated hand-over asks once") << QStringList{InstanceMessage, InstanceMessage}
                                                    << QStringList{"front", "import:{dir}/~Sites.QDZ"};
}

void TestHandOverReceiver::requestsWhileAFileIsReadWait()
{
    QFETCH(QStringList, messages);
    QFETCH(QStringList, calls);
    const QString path = m_dir->filePath(QStringLiteral("~Sites.QDZ"));
    makeFile(path);
    QVERIFY(WriteParamName(*m_registry, path));
    m_prompter.queue(Prompter::Yes);

    m_window.reading = true;
    for (const QString &m : messages)
        m_receiver->handleMessage(m, false);
    QVERIFY(m_window.calls.isEmpty());
    QVERIFY(m_prompter.boxes().isEmpty());
    QVERIFY(!m_receiver->guardActive());
    QVERIFY(m_receiver->retryActive());

    m_receiver->runDeferred();   // still reading
    QVERIFY(m_window.calls.isEmpty());
    QVERIFY(m_receiver->retryActive());

    m_window.reading = false;
    m_receiver->runDeferred();
    QCOMPARE(m_window.calls, inDir(calls));
    QCOMPARE(m_receiver->deferredCount(), 0);
    QCOMPARE(m_receiver->guardActive(), messages.contains(InstanceMessage));
}

void TestHandOverReceiver::offerAfterStartWaitsForARead()
{
    const QString path = m_dir->filePath(QStringLiteral("~Sites.QDZ"));
    makeFile(path);
    QVERIFY(WriteParamName(*m_registry, path));
    m_window.reading = true;
    m_receiver->Timer3Timer();
    QVERIFY(m_prompter.boxes().isEmpty());
    QVERIFY(m_receiver->offerTimerActive());
    QCOMPARE(ReadParamName(*m_registry), path);

    m_window.reading = false;
    m_prompter.queue(Prompter::Yes);
    m_receiver->Timer3Timer();
    QCOMPARE(m_window.calls, QStringList{"import:" + path});
}

QTEST_GUILESS_MAIN(TestHandOverReceiver)
#include "tst_handoverreceiver.moc"
