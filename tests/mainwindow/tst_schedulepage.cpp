#include "mainwindow/CoverPanel.h"
#include "mainwindow/SchedulePage.h"
#include "table/EditCommands.h"
#include "table/rVTNodeData.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

class TestSchedulePage : public QObject
{
    Q_OBJECT

    static QStringList fieldTexts(const SchedulePage &page)
    {
        QStringList texts;
        for (int which = 1; which <= 5; ++which)
            texts << page.fieldText(which);
        return texts;
    }

private Q_SLOTS:
    void showsTheStoredRule_data()
    {
        QTest::addColumn<QByteArray>("rule");
        QTest::addColumn<bool>("on");
        QTest::addColumn<QStringList>("fields");
        const QStringList before{"1", "2", "3", "4", "5"};
        QTest::newRow("five fields") << QByteArray("=0,30 8 * * 1,2,3,4,5") << true
                                     << QStringList{"0,30", "8", "*", "*", "1,2,3,4,5"};
        QTest::newRow("missing fields show empty") << QByteArray("=1 2") << true
                                                   << QStringList{"1", "2", "", "", ""};
        QTest::newRow("two blanks make an empty field") << QByteArray("=1  3 4 5") << true
                                                        << QStringList{"1", "", "3", "4", "5"};
        // Off: the fields keep what they held, and take no input.
        QTest::newRow("no schedule") << QByteArray() << false << before;
        QTest::newRow("no leading =") << QByteArray("1 2 3 4 5") << false << before;
    }

    void showsTheStoredRule()
    {
        QFETCH(QByteArray, rule);
        QFETCH(bool, on);
        QFETCH(QStringList, fields);
        SchedulePage page;
        QSignalSpy edits(&page, &NodePage::userEdited);
        for (int which = 1; which <= 5; ++which)
            page.setFieldText(which, QString::number(which));
        rVTNodeData record;
        record.Schedule = rule;
        page.showNode(&record, QString());
        QCOMPARE(page.scheduleOn(), on);
        QCOMPARE(fieldTexts(page), fields);
        for (int which = 1; which <= 5; ++which)
            QCOMPARE(page.field(which)->isEnabled(), on);
        QVERIFY(!page.TS4Panel()->isVisibleTo(&page));
        QCOMPARE(edits.count(), 0);
    }

    void collectsTheRule_data()
    {
        QTest::addColumn<bool>("on");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QByteArray>("rule");
        QTest::newRow("on, trimmed, one blank between") << true << QStringList{" 5", "8 ", "*", "1,15", "*"}
                                                        << QByteArray("=5 8 * 1,15 *");
        QTest::newRow("off: no schedule") << false << QStringList{"5", "8", "*", "*", "*"} << QByteArray();
    }

    void collectsTheRule()
    {
        QFETCH(bool, on);
        QFETCH(QStringList, fields);
        QFETCH(QByteArray, rule);
        SchedulePage page;
        page.setScheduleOn(on);
        for (int which = 1; which <= 5; ++which)
            page.setFieldText(which, fields.at(which - 1));
        NodeEdits edits;
        edits.schedule = "=stale";
        page.collectEdits(edits);
        QCOMPARE(edits.schedule, rule);
    }

    // The box switches the fields as the user clicks it; both it and typing are edits.
    void userEdits()
    {
        SchedulePage page;
        page.show();
        QVERIFY(QTest::qWaitForWindowActive(&page));
        rVTNodeData record;
        record.Schedule = "=0 1 * * *";
        page.showNode(&record, QString());
        QSignalSpy edits(&page, &NodePage::userEdited);
        QCheckBox *box = page.cbSchedule();
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
        QVERIFY(!page.scheduleOn());
        QVERIFY(!page.Edit4()->isEnabled());
        QCOMPARE(edits.count(), 1);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
        QVERIFY(page.Edit8()->isEnabled());
        QCOMPARE(edits.count(), 2);
        page.Edit6()->setFocus();
        QTest::keyClicks(page.Edit6(), QStringLiteral("7"));
        QCOMPARE(edits.count(), 3);
    }
};

QTEST_MAIN(TestSchedulePage)
#include "tst_schedulepage.moc"
