#include "MainWindowFixture.h"
#include "dialogs/MacroTemplates.h"
#include "table/UrlCodec.h"

#include <QApplication>
#include <QMenu>
#include <QTimer>

namespace {

// The template items of "Import macro Template", in menu order.
const char *const kItems[] = {"OpenTelnetsession1", "SSH1session1", "SSH1sessionwithcredentials1",
                              "SSH1session2", "SSH2session1", "SSH2sessionwithcredentials1",
                              "SSH2sessionwithpublickey1", "Serialconnection1"};

const QString kText = QStringLiteral("connect 'host'\r\nwait 'ogin:'");

// The macro page of connection "Web" in front, its editor showing its stored macro Text.
struct Window : MainWindowFixture
{
    Window(const QString &text) : MainWindowFixture("Web")
    {
        at("0")->data.Macro = UrlEncode(text.toUtf8(), true);
        click(at("0"));
        pages()->setCurrentIndex(1);
    }
    bool showsMacro(const QString &text) const
    {
        return QTest::qWaitFor([&] { return memo1()->text() == text && !form.findChild<QTimer *>("Timer1")->isActive(); });
    }

    // The File menu opened, then the template chosen from its submenu; false when the
    // submenu or the item was disabled.
    bool chooseTemplate(int number)
    {
        QMenu *file = child<QMenu>(QStringLiteral("MnFile"));
        Q_EMIT file->aboutToShow();
        QAction *item = action(kItems[number - 1]);
        if (!action("MnImportTemplate")->isEnabled() || !item->isEnabled())
            return false;
        item->trigger();
        return true;
    }
};

} // namespace

class TestTForm1Templates : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every template goes in on a line of its own, where the caret stands or in place of the
    // selection; one undo takes it out again.
    void insertsTheTemplate_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("selection");  // anchor line, index, caret line, index
        QTest::addColumn<QString>("head");
        QTest::addColumn<QString>("tail");
        QTest::newRow("empty editor") << QString() << QList<int>{0, 0, 0, 0} << QString() << "\r\n";
        QTest::newRow("caret in the middle of a line")
            << kText << QList<int>{1, 4, 1, 4} << "connect 'host'\r\nwait\r\n" << "\r\n 'ogin:'";
        QTest::newRow("caret at a line's start")
            << kText << QList<int>{1, 0, 1, 0} << "connect 'host'\r\n" << "\r\nwait 'ogin:'";
        QTest::newRow("caret at the end") << kText << QList<int>{1, 12, 1, 12} << kText + "\r\n" << "\r\n";
        QTest::newRow("selection inside a line")
            << kText << QList<int>{0, 8, 0, 14} << "connect \r\n" << "\r\n\r\nwait 'ogin:'";
        QTest::newRow("selection of a whole line") << kText << QList<int>{0, 0, 1, 0} << QString()
                                                   << "\r\nwait 'ogin:'";
        // The caret stands in column 1, the template's place does not: it still starts a line.
        QTest::newRow("selection from mid-line to a line's start")
            << kText << QList<int>{0, 7, 1, 0} << "connect\r\n" << "\r\nwait 'ogin:'";
        QTest::newRow("selection made upwards")
            << kText << QList<int>{1, 4, 0, 8} << "connect \r\n" << "\r\n 'ogin:'";
    }
    void insertsTheTemplate()
    {
        QFETCH(QString, text);
        QFETCH(QList<int>, selection);
        QFETCH(QString, head);
        QFETCH(QString, tail);
        Window w(text);
        QVERIFY(w.active());
        QVERIFY(w.showsMacro(text));
        QsciScintilla *memo = w.memo1();
        QVERIFY(!w.modified());
        for (int number = 1; number <= MacroTemplateCount; ++number) {
            memo->setSelection(selection[0], selection[1], selection[2], selection[3]);
            QVERIFY(w.chooseTemplate(number));
            const QString tpl = MacroTemplateText(number);
            QCOMPARE(memo->text(), head + tpl + tail);
            // The caret stands after the template's line break, the editor has the focus and
            // the connection holds unapplied edits; its record keeps the stored macro.
            int line = 0;
            int index = 0;
            memo->getCursorPosition(&line, &index);
            QCOMPARE(line, int(QString(head + tpl + "\r\n").count("\r\n")));
            QCOMPARE(index, 0);
            QCOMPARE(QApplication::focusWidget(), memo);
            QVERIFY(w.modified());
            QCOMPARE(w.at("0")->data.Macro, UrlEncode(text.toUtf8(), true));
            QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(memo->text(), text);
        }
    }
};

QTEST_MAIN(TestTForm1Templates)
#include "tst_tform1_templates.moc"
