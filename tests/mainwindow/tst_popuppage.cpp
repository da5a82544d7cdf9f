#include "mainwindow/CoverPanel.h"
#include "mainwindow/PopupPage.h"
#include "mainwindow/TextEditor.h"
#include "table/EditCommands.h"
#include "table/UrlCodec.h"
#include "table/rVTNodeData.h"

#include <QSignalSpy>
#include <QTest>

class TestPopupPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The popup text is shown as stored, blanks and line breaks included; the user's typing
    // is an edit and what the page hands back.
    void showsAndCollectsThePopup()
    {
        PopupPage page;
        page.show();
        QVERIFY(QTest::qWaitForWindowActive(&page));
        QSignalSpy edits(&page, &NodePage::userEdited);
        rVTNodeData record;
        record.Popup = UrlEncode(" line 1\r\nline 2 ", true);
        page.showNode(&record, QString());
        QCOMPARE(page.Memo2()->text(), QStringLiteral(" line 1\r\nline 2 "));
        QCOMPARE(edits.count(), 0);

        page.Memo2()->setFocus();
        QTest::keyClick(page.Memo2(), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(page.Memo2(), QStringLiteral("!"));
        QCOMPARE(edits.count(), 1);
        NodeEdits collected;
        page.collectEdits(collected);
        QCOMPARE(collected.popupText, QByteArray(" line 1\r\nline 2 !"));

        // Covered, the editor keeps the text it holds.
        rVTNodeData other;
        other.Popup = "other";
        page.showNode(&other, QStringLiteral("No connection selected"));
        QVERIFY(page.TS2Panel()->isVisibleTo(&page));
        QCOMPARE(page.Memo2()->text(), QStringLiteral(" line 1\r\nline 2 !"));
        page.resetForNewTable();
        QCOMPARE(page.Memo2()->text(), QString());
        QCOMPARE(edits.count(), 1);
    }
};

QTEST_MAIN(TestPopupPage)
#include "tst_popuppage.moc"
