#include "mainwindow/CoverPanel.h"
#include "mainwindow/MacroEditor.h"
#include "mainwindow/MacroPage.h"
#include "table/EditCommands.h"
#include "table/UrlCodec.h"
#include "table/rVTNodeData.h"

#include <QCheckBox>
#include <QFrame>
#include <QSignalSpy>
#include <QTest>

namespace {

rVTNodeData connection(const QByteArray &macro, bool logSession)
{
    rVTNodeData d;
    d.Name = "Alpha";
    d.Macro = UrlEncode(macro, true);
    d.LogSession = logSession;
    return d;
}

} // namespace

class TestMacroPage : public QObject
{
    Q_OBJECT

    // The page shown and active, showing Record.
    static bool showActive(MacroPage &page, const rVTNodeData &record)
    {
        page.show();
        page.showNode(&record, QString());
        return QTest::qWaitForWindowActive(&page);
    }

private Q_SLOTS:
    void showsTheStoredMacro_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("blank lines around it") << QByteArray("\r\n  connect 'host'\r\nwait 'x'\r\n\r\n")
                                               << QStringLiteral("connect 'host'\r\nwait 'x'");
        QTest::newRow("blanks only") << QByteArray(" \r\n\t") << QString();
        QTest::newRow("UTF-8") << QByteArray("sendln 'caf\xc3\xa9'") << QStringLiteral("sendln 'caf\u00e9'");
        // A table written by the Windows program holds its own code page.
        QTest::newRow("Windows-1252") << QByteArray("sendln '\x80'") << QStringLiteral("sendln '\u20ac'");
    }

    void showsTheStoredMacro()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, shown);
        MacroPage page;
        QSignalSpy edits(&page, &NodePage::userEdited);
        page.Memo1()->replaceText(QStringLiteral("another connection's text"));
        const rVTNodeData record = connection(stored, true);
        page.showNode(&record, QString());
        QCOMPARE(page.Memo1()->text(), shown);
        QVERIFY(page.logSession());
        QVERIFY(!page.TS1Panel()->isVisibleTo(&page));
        QVERIFY(page.TS1bPanel()->isVisibleTo(&page));
        // The program's writes: no edit, and nothing of the last connection to undo.
        QCOMPARE(edits.count(), 0);
        QVERIFY(!page.Memo1()->isUndoAvailable());
    }

    // A covered page keeps what it held under the cover and hides the logging strip.
    void coverKeepsTheEditor()
    {
        MacroPage page;
        const rVTNodeData alpha = connection("wait 'a'", true);
        const rVTNodeData beta = connection("wait 'b'", false);
        page.showNode(&alpha, QString());
        page.showNode(&beta, QStringLiteral("Multiple items selected"));
        QVERIFY(page.TS1Panel()->isVisibleTo(&page));
        QCOMPARE(page.TS1Panel()->text(), QStringLiteral("Multiple items selected"));
        QVERIFY(!page.TS1bPanel()->isVisibleTo(&page));
        QCOMPARE(page.Memo1()->text(), QStringLiteral("wait 'a'"));
        QVERIFY(page.logSession());
        page.showNode(&beta, QString());
        QVERIFY(!page.TS1Panel()->isVisibleTo(&page));
        QVERIFY(page.TS1bPanel()->isVisibleTo(&page));
        QCOMPARE(page.Memo1()->text(), QStringLiteral("wait 'b'"));
    }

    // What the user types and clicks is an edit, and it is what the page hands back.
    void userEditsAreCollected()
    {
        MacroPage page;
        QVERIFY(showActive(page, connection("wait", false)));
        QSignalSpy edits(&page, &NodePage::userEdited);
        page.Memo1()->setFocus();
        QTest::keyClick(page.Memo1(), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(page.Memo1(), Qt::Key_Space);
        QTest::sendKeyEvent(QTest::Click, page.Memo1(), Qt::Key_Eacute, QStringLiteral("\u00e9"), Qt::NoModifier);
        QCOMPARE(edits.count(), 2);
        QCheckBox *box = page.cbLogSession();
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
        QCOMPARE(edits.count(), 3);

        NodeEdits collected;
        page.collectEdits(collected);
        QCOMPARE(collected.macroText, QByteArray("wait \xc3\xa9"));
        QVERIFY(collected.logSession);
    }

    void newTableEmptiesTheEditor()
    {
        MacroPage page;
        QVERIFY(showActive(page, connection("wait", false)));
        // Even with the focus in the editor, emptying it is the program's doing.
        page.Memo1()->setFocus();
        QSignalSpy edits(&page, &NodePage::userEdited);
        page.resetForNewTable(true);
        QCOMPARE(page.Memo1()->text(), QString());
        QVERIFY(page.logSession());
        QCOMPARE(edits.count(), 0);
    }
};

QTEST_MAIN(TestMacroPage)
#include "tst_macropage.moc"
