#include "mainwindow/CoverPanel.h"
#include "mainwindow/SchedulePage.h"
#include "support/ScriptedPrompter.h"
#include "table/EditCommands.h"
#include "table/rVTNodeData.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

// The page shown and active, its message boxes scripted, its edits counted.
struct ShownPage
{
    ScriptedPrompter prompter;
    bool insertMode = true;
    SchedulePage page;
    QSignalSpy edits{&page, &NodePage::userEdited};

    ShownPage()
    {
        page.setPrompter(&prompter);
        page.setInsertMode([this] { return insertMode; });
        page.show();
    }
    bool active() { return QTest::qWaitForWindowActive(&page); }

    // Shows a connection whose stored rule is Rule.
    void showRule(const QByteArray &rule)
    {
        rVTNodeData record;
        record.Schedule = rule;
        page.showNode(&record, QString());
    }
    QStringList fields() const
    {
        QStringList texts;
        for (int which = 1; which <= 5; ++which)
            texts << page.fieldText(which);
        return texts;
    }
    void click(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(4, w->height() / 2)); }
};

} // namespace

class TestSchedulePage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showsTheStoredRule_data()
    {
        QTest::addColumn<QByteArray>("rule");
        QTest::addColumn<bool>("on");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("five fields") << QByteArray("=0,30 8 * * 1,2,3,4,5") << true
                                     << QStringList{"0,30", "8", "*", "*", "1,2,3,4,5"};
        // A short rule: what follows the last blank is the day of week.
        QTest::newRow("missing fields show empty") << QByteArray("=1 2") << true
                                                   << QStringList{"1", "", "", "", "2"};
        QTest::newRow("two blanks make an empty field") << QByteArray("=1  3 4 5") << true
                                                        << QStringList{"1", "", "3", "4", "5"};
        // Off: the fields are empty and take no input.
        QTest::newRow("no schedule") << QByteArray() << false << QStringList{"", "", "", "", ""};
        QTest::newRow("no leading =") << QByteArray("1 2 3 4 5") << false << QStringList{"", "", "", "", ""};
    }

    void showsTheStoredRule()
    {
        QFETCH(QByteArray, rule);
        QFETCH(bool, on);
        QFETCH(QStringList, fields);
        ShownPage p;
        for (int which = 1; which <= 5; ++which)
            p.page.setFieldText(which, QString::number(which));
        p.showRule(rule);
        QCOMPARE(p.page.scheduleOn(), on);
        QCOMPARE(p.fields(), fields);
        for (int which = 1; which <= 5; ++which)
            QCOMPARE(p.page.field(which)->isEnabled(), on);
        // A rule just shown has nothing to verify.
        QVERIFY(!p.page.bValidate()->isEnabled());
        QVERIFY(!p.page.TS4Panel()->isVisibleTo(&p.page));
        QCOMPARE(p.edits.count(), 0);
    }

    // What Apply stores: the fields verified without a message, shown as stored, each
    // trimmed, one blank between them; nothing while the schedule is off.
    void collectsTheRule_data()
    {
        QTest::addColumn<bool>("on");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QByteArray>("rule");
        QTest::newRow("normal fields") << true << QStringList{"5", "8", "1,15", "*", "*"}
                                       << QByteArray("=5 8 1,15 * *");
        QTest::newRow("fields to correct") << true << QStringList{"70,5,5", "x", "", "0", "9,1"}
                                           << QByteArray("=5,59 23 * 1 1,7");
        QTest::newRow("off: no schedule") << false << QStringList{"5", "8", "*", "*", "*"} << QByteArray();
    }

    void collectsTheRule()
    {
        QFETCH(bool, on);
        QFETCH(QStringList, fields);
        QFETCH(QByteArray, rule);
        ShownPage p;
        p.page.setScheduleOn(on);
        for (int which = 1; which <= 5; ++which)
            p.page.setFieldText(which, fields.at(which - 1));
        NodeEdits edits;
        edits.schedule = "=stale";
        p.page.collectEdits(edits);
        QCOMPARE(edits.schedule, rule);
        if (on)
            QCOMPARE(p.fields().join(QLatin1Char(' ')).prepend(QLatin1Char('=')).toLatin1(), rule);
        QVERIFY(p.prompter.boxes().isEmpty());
    }

    // What typing lets into a field: digits, "," and "*", which takes the whole field; in
    // overwrite mode a typed character replaces the one after the caret.
    void typing_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("caret");
        QTest::addColumn<bool>("insert");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after");
        QTest::newRow("digits and commas") << "" << 0 << true << "0,30" << "0,30";
        QTest::newRow("letters, blanks and signs") << "1" << 1 << true << "a -+b." << "1";
        QTest::newRow("a star") << "12,30" << 2 << true << "*" << "*";
        QTest::newRow("overwrite") << "12,30" << 0 << false << "4" << "42,30";
        QTest::newRow("overwrite at the end") << "12" << 2 << false << "3" << "123";
        QTest::newRow("overwrite keeps what it refuses") << "12" << 0 << false << "x3" << "32";
        QTest::newRow("backspace in overwrite") << "12" << 0 << false << "\b" << "2";
    }

    void typing()
    {
        QFETCH(QString, before);
        QFETCH(int, caret);
        QFETCH(bool, insert);
        QFETCH(QString, typed);
        QFETCH(QString, after);
        ShownPage p;
        QVERIFY(p.active());
        p.showRule("=* * * * *");
        QLineEdit *minute = p.page.Edit4();
        minute->setText(before);
        minute->setFocus();
        minute->setCursorPosition(caret);
        p.insertMode = insert;
        for (const QChar c : typed) {
            if (c == QLatin1Char('\b'))
                QTest::keyClick(minute, Qt::Key_Backspace);
            else
                QTest::keyClicks(minute, QString(c));
        }
        QCOMPARE(minute->text(), after);
        QCOMPARE(p.edits.isEmpty(), after == before);
        QCOMPARE(p.page.bValidate()->isEnabled(), after != before);
    }

    // Text pasted with the field's own keys is held to what typing lets in.
    void pastedWithTheFieldsKeys_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("after");
        QTest::newRow("a sign") << "-5" << "15";
        QTest::newRow("blanks") << " 2, 3 " << "12,3";
        QTest::newRow("letters and a line break") << "a7\nb" << "17";
        QTest::newRow("nothing that passes") << "abc" << "1";
    }

    void pastedWithTheFieldsKeys()
    {
        QFETCH(QString, clipboard);
        QFETCH(QString, after);
        ShownPage p;
        QVERIFY(p.active());
        p.showRule("=1 * * * *");
        QLineEdit *minute = p.page.Edit4();
        minute->setFocus();
        minute->end(false);
        QGuiApplication::clipboard()->setText(clipboard);
        QTest::keyClick(minute, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(minute->text(), after);
    }

    // The Paste command: the pasted text as typing would let it in, then the field in its
    // normal form; one undo brings back what the field held.
    void pasteCommandNormalises_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("selectAll");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("after");
        QTest::newRow("blanks in a list") << 2 << "" << false << " 1, 2 " << "1,2";
        QTest::newRow("leading zeros over a selection") << 1 << "30" << true << "007" << "7";
        QTest::newRow("a duplicate") << 1 << "5" << false << ",5" << "5";
        QTest::newRow("a sign and a number beyond 32 bits") << 1 << "" << false << "-99999999999" << "59";
        QTest::newRow("beyond the range") << 5 << "1" << false << ",9" << "1,7";
        QTest::newRow("a star") << 3 << "3" << false << "*" << "*";
        QTest::newRow("nothing that passes") << 4 << "2" << false << "x" << "2";
    }

    void pasteCommandNormalises()
    {
        QFETCH(int, which);
        QFETCH(QString, before);
        QFETCH(bool, selectAll);
        QFETCH(QString, clipboard);
        QFETCH(QString, after);
        ShownPage p;
        QVERIFY(p.active());
        p.showRule("=* * * * *");
        QLineEdit *field = p.page.field(which);
        field->setText(before);
        field->setFocus();
        if (selectAll)
            field->selectAll();
        else
            field->end(false);
        p.page.pasteIntoField(which, clipboard);
        QCOMPARE(field->text(), after);
        QVERIFY(!p.edits.isEmpty());
        QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(field->text(), before);
    }

    // "Verify values": every field in its normal form, and the corrections counted in the
    // message; the button then waits for the next change.
    void verifyValues_data()
    {
        QTest::addColumn<QByteArray>("rule");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing to correct") << QByteArray("=0,30 8 * * 1,2,3,4,5")
                                            << QStringList{"0,30", "8", "*", "*", "1,2,3,4,5"}
                                            << "All fields are entered correctly.";
        QTest::newRow("one into range, one duplicate") << QByteArray("=70,5,5 * * * *")
                                                       << QStringList{"5,59", "*", "*", "*", "*"}
                                                       << "2 invalid entries corrected.";
        QTest::newRow("two into range, one duplicate") << QByteArray("=80,70 * * * *")
                                                       << QStringList{"59", "*", "*", "*", "*"}
                                                       << "3 invalid entries corrected.";
        QTest::newRow("no number") << QByteArray("=* x * * *") << QStringList{"*", "23", "*", "*", "*"}
                                   << "1 invalid entry corrected.";
        QTest::newRow("below and above the ranges") << QByteArray("=* * 0 * 9,1")
                                                    << QStringList{"*", "*", "1", "*", "1,7"}
                                                    << "2 invalid entries corrected.";
        QTest::newRow("an empty token") << QByteArray("=5, * * * *") << QStringList{"5,59", "*", "*", "*", "*"}
                                        << "1 invalid entry corrected.";
        QTest::newRow("a star in a list, an empty field") << QByteArray("=3,*  * * *")
                                                          << QStringList{"*", "*", "*", "*", "*"}
                                                          << "All fields are entered correctly.";
    }

    void verifyValues()
    {
        QFETCH(QByteArray, rule);
        QFETCH(QStringList, fields);
        QFETCH(QString, message);
        ShownPage p;
        QVERIFY(p.active());
        p.showRule(rule);
        // A change enables the button.
        p.page.Edit8()->setFocus();
        QTest::keyClick(p.page.Edit8(), Qt::Key_End);
        QTest::keyClick(p.page.Edit8(), Qt::Key_Comma);
        QTest::keyClick(p.page.Edit8(), Qt::Key_Backspace);
        QVERIFY(p.page.bValidate()->isEnabled());
        p.click(p.page.bValidate());
        QCOMPARE(p.fields(), fields);
        QCOMPARE(p.prompter.boxes().size(), 1);
        QCOMPARE(p.prompter.boxes().first().kind, Prompter::Kind::Information);
        QCOMPARE(p.prompter.boxes().first().buttons, Prompter::Buttons::Ok);
        QCOMPARE(p.prompter.boxes().first().text, message);
        QVERIFY(!p.page.bValidate()->isEnabled());
    }

    // The box switches the fields as the user clicks it: off empties them, on fills them with
    // "*". Both it and typing are edits; what the program writes is none.
    void scheduleBox()
    {
        ShownPage p;
        QVERIFY(p.active());
        p.showRule("=0 1 * * *");
        QCheckBox *box = p.page.cbSchedule();
        p.click(box);
        QVERIFY(!p.page.scheduleOn());
        QCOMPARE(p.fields(), QStringList(5, QString()));
        QVERIFY(!p.page.Edit4()->isEnabled());
        QVERIFY(!p.page.bValidate()->isEnabled());
        QCOMPARE(p.edits.count(), 1);
        p.click(box);
        QCOMPARE(p.fields(), QStringList(5, QStringLiteral("*")));
        QVERIFY(p.page.Edit8()->isEnabled());
        QVERIFY(p.page.bValidate()->isEnabled());
        QCOMPARE(p.edits.count(), 2);
        p.page.Edit6()->setFocus();
        QTest::keyClicks(p.page.Edit6(), QStringLiteral("7"));
        QCOMPARE(p.edits.count(), 3);
        p.showRule("=1 2 3 4 5");
        QCOMPARE(p.edits.count(), 3);
    }

    // A field left empty stands for every value.
    void anEmptiedFieldBecomesAStar()
    {
        ShownPage p;
        QVERIFY(p.active());
        p.showRule("=5 * * * *");
        QLineEdit *minute = p.page.Edit4();
        minute->setFocus();
        QTest::keyClick(minute, Qt::Key_End);
        QTest::keyClick(minute, Qt::Key_Backspace);
        QCOMPARE(minute->text(), QString());
        p.page.Edit5()->setFocus();
        QCOMPARE(minute->text(), QStringLiteral("*"));
    }
};

QTEST_MAIN(TestSchedulePage)
#include "tst_schedulepage.moc"
