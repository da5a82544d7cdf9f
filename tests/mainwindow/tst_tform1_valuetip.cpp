#include "MainWindowFixture.h"
#include "mainwindow/SettingsPage.h"
#include "mainwindow/UserDataPage.h"
#include "platform/AppPaths.h"
#include "platform/SystemInfo.h"
#include "runner/MacroRunner.h"
#include "support/WinePrefixLayout.h"
#include "table/UrlCodec.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QTimer>

namespace {

const QDateTime kNow(QDate(2026, 12, 10), QTime(9, 4, 5));

// Connection "Web server 1" below "Servers east", its macro page in front, the user data's
// name and phone filled in, and the runs' clock fixed.
struct Window : MainWindowFixture
{
    Window() : MainWindowFixture("Servers east[Web server 1]")
    {
        form.settingsPage()->userData()->Edit1()->setText(QStringLiteral("Jane Doe"));
        form.settingsPage()->userData()->Edit3()->setText(QStringLiteral("12-34, P5"));
        form.macroRunner().setClock([] { return kNow; });
    }

    // The connection clicked in the tree, its macro Text shown in the editor.
    bool show(const QString &text)
    {
        at("0/0")->data.Macro = UrlEncode(text.toUtf8(), true);
        click(at("0/0"));
        pages()->setCurrentIndex(1);
        return QTest::qWaitFor([&] { return memo1()->text() == text && !form.findChild<QTimer *>("Timer1")->isActive(); });
    }

    QLabel *tip() const { return child<QLabel>(QStringLiteral("stLabel")); }
    QTimer *timer6() const { return child<QTimer>(QStringLiteral("Timer6")); }
    QWidget *page() const { return pages()->widget(1); }

    // The point inside the character at Line and Index of the editor's viewport.
    QPoint pointAt(int line, int index) const
    {
        const long pos = memo1()->positionFromLineIndex(line, index);
        const int x = int(memo1()->SendScintilla(QsciScintilla::SCI_POINTXFROMPOSITION, 0, pos));
        const int y = int(memo1()->SendScintilla(QsciScintilla::SCI_POINTYFROMPOSITION, 0, pos));
        return {x + 2, y + int(memo1()->SendScintilla(QsciScintilla::SCI_TEXTHEIGHT, line)) / 2};
    }
    // A click at Line and Index, with Ctrl held unless told otherwise; the tip, if any, is
    // shown once the click is handled.
    void clickAt(int line, int index, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
    {
        QTest::mouseClick(memo1()->viewport(), Qt::LeftButton, modifiers, pointAt(line, index));
        QCoreApplication::processEvents();
    }
    // The tip's text while it shows; empty when it is hidden.
    QString shownTip() const { return tip()->isVisible() ? tip()->text() : QString(); }
};

} // namespace

class TestTForm1ValueTip : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A Ctrl+click on a word shows the value a run of the connection would put in place of
    // the first variable the word holds, framed by one blank on each side.
    void showsTheValueOfTheVariable_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("wine");  // TeraTerm is a Windows program under Wine
        QTest::addColumn<QString>("shown");  // <user>, <USER>, <lower>, <dir> stand for the system's values
        QTest::newRow("$USER$") << "$USER$" << false << " <USER> ";
        QTest::newRow("$User$") << "$User$" << false << " <user> ";
        QTest::newRow("$user$") << "$user$" << false << " <lower> ";
        QTest::newRow("$CONNECTION$") << "$CONNECTION$" << false << " Web server 1 ";
        QTest::newRow("$connection$") << "$connection$" << false << " Web ";
        QTest::newRow("$PARENT$") << "$PARENT$" << false << " Servers east ";
        QTest::newRow("$parent$") << "$parent$" << false << " Servers ";
        QTest::newRow("user data") << "$name$" << false << " Jane Doe ";
        QTest::newRow("dial string") << "$phone$" << false << " 1234,P5 ";
        QTest::newRow("empty user data: nothing") << "$email$" << false << "";
        QTest::newRow("$logit$") << "$logit$" << false << " Opens log file ";
        QTest::newRow("$logdir$") << "$logdir$" << false << " <dir>/Logs/ ";
        QTest::newRow("$ttdir$") << "$ttdir$" << false << " <dir>/ ";
        QTest::newRow("$LOGFILENAME$") << "$LOGFILENAME$" << false
                                       << " <dir>/Logs/Servers_east_Web_server_1_20261210090405.log ";
        QTest::newRow("$logfilename$") << "$logfilename$" << false
                                       << " Servers_east_Web_server_1_20261210090405.log ";
        QTest::newRow("$ttdir$ under Wine") << "$ttdir$" << true << " C:\\tt\\ ";
        QTest::newRow("$logdir$ under Wine") << "$logdir$" << true << " C:\\tt\\Logs\\ ";
        QTest::newRow("two names: the table's order") << "$name$$User$" << false << " <user> ";
        QTest::newRow("inside a longer word") << "path$ttdir$x" << false << " <dir>/ ";
        QTest::newRow("letter case counts") << "$NAME$" << false << "";
        QTest::newRow("no variable") << "sendln" << false << "";
    }
    void showsTheValueOfTheVariable()
    {
        QFETCH(QString, word);
        QFETCH(bool, wine);
        QFETCH(QString, shown);
        Window w;
        if (wine) {
            QVERIFY(MakeWinePrefixLayout(w.program.path()));
            AppPaths::setProgramDir(w.program.filePath(QStringLiteral("drive_c/tt")));
            QVERIFY(WriteWindowsExecutable(AppFilePath(QStringLiteral("ttermpro.exe"))));
        }
        QVERIFY(w.active());
        const QString user = SystemInfo::userName();
        shown.replace("<USER>", user.toUpper()).replace("<user>", user).replace("<lower>", user.toLower())
            .replace("<dir>", AppPaths::programDir());
        QVERIFY(w.show("sendln " + word + " 'x'"));
        w.clickAt(0, 7 + int(word.size()) / 2);
        QCOMPARE(w.shownTip(), shown);
        QVERIFY(w.prompter.boxes().isEmpty());
        // The click is the editor's too: it takes the focus and moves the caret.
        QCOMPARE(QApplication::focusWidget(), w.memo1());
    }

    void aClickWithoutCtrlShowsNothing()
    {
        Window w;
        QVERIFY(w.active());
        QVERIFY(w.show(QStringLiteral("sendln $USER$")));
        w.clickAt(0, 9, Qt::NoModifier);
        QCOMPARE(w.shownTip(), QString());
    }

    // The tip sits above the point clicked, but never above the editor's top.
    void placedAboveTheClick_data()
    {
        QTest::addColumn<int>("line");
        QTest::newRow("first line") << 0;
        QTest::newRow("sixth line") << 5;
    }
    void placedAboveTheClick()
    {
        QFETCH(int, line);
        Window w;
        QVERIFY(w.active());
        QVERIFY(w.show(QStringLiteral(";\r\n;\r\n;\r\n;\r\n;\r\nsendln $USER$").mid(15 - 3 * line)));
        w.clickAt(line, 9);
        QVERIFY(w.tip()->isVisible());
        const QPoint click = w.memo1()->viewport()->mapTo(w.page(), w.pointAt(line, 9));
        const int editorTop = w.memo1()->mapTo(w.page(), QPoint(0, 0)).y();
        QCOMPARE(w.tip()->x(), click.x());
        QCOMPARE(w.tip()->y(), std::max(click.y() - w.tip()->height(), editorTop));
        QVERIFY(line == 0 ? w.tip()->y() == editorTop : w.tip()->geometry().bottom() == click.y() - 1);
    }

    // The tip hides 3 seconds after it was last shown, or at the next click in the editor.
    void hidesAfterThreeSecondsOrAtTheNextClick()
    {
        Window w;
        QVERIFY(w.active());
        QVERIFY(w.show(QStringLiteral("sendln $USER$ $name$")));
        QTimer *timer = w.timer6();
        QVERIFY(!timer->isActive());

        w.clickAt(0, 9);
        QVERIFY(w.tip()->isVisible());
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 3000);
        QVERIFY(timer->isSingleShot());
        QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
        QVERIFY(!w.tip()->isVisible());

        // A second Ctrl+click shows its own value for a full 3 seconds.
        w.clickAt(0, 9);
        w.clickAt(0, 16);
        QCOMPARE(w.shownTip(), QStringLiteral(" Jane Doe "));
        QVERIFY(timer->isActive());
        QVERIFY(timer->remainingTime() > 2000);

        // Any click in the editor hides it at once, whatever it lands on.
        w.clickAt(0, 2, Qt::NoModifier);
        QVERIFY(!w.tip()->isVisible());
        w.clickAt(0, 9);
        QVERIFY(w.tip()->isVisible());
        w.clickAt(0, 2);
        QVERIFY(!w.tip()->isVisible());
    }
};

QTEST_MAIN(TestTForm1ValueTip)
#include "tst_tform1_valuetip.moc"
