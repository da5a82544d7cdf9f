#include "mainwindow/MacroEditor.h"
#include "mainwindow/core/CommandState.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QSignalSpy>
#include <QTest>

#include <vector>

namespace {

// One step of a test on an editor with the focus: keys ("k:<text>"), Backspace ("bs"), Return
// ("ret"), Delete at the start ("del0"), the caret to the end ("end"), undo and redo
// ("undo", "redo") or their keys ("Ctrl+Z"), paste by key ("Ctrl+V"), an input method's text
// ("im:<text>"), select all ("all"), program write ("set:<text>"), clear ("clear").
void apply(MacroEditor &editor, const QString &step)
{
    if (step.startsWith(QLatin1String("k:")))
        QTest::keyClicks(&editor, step.mid(2));
    else if (step == QLatin1String("bs"))
        QTest::keyClick(&editor, Qt::Key_Backspace);
    else if (step == QLatin1String("ret"))
        QTest::keyClick(&editor, Qt::Key_Return);
    else if (step == QLatin1String("end"))
        QTest::keyClick(&editor, Qt::Key_End, Qt::ControlModifier);
    else if (step == QLatin1String("del0")) {
        QTest::keyClick(&editor, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(&editor, Qt::Key_Delete);
    } else if (step == QLatin1String("undo"))
        editor.undo();
    else if (step == QLatin1String("redo"))
        editor.redo();
    else if (step.startsWith(QLatin1String("im:"))) {
        QInputMethodEvent event;
        event.setCommitString(step.mid(3));
        QApplication::sendEvent(&editor, &event);
    } else if (step.startsWith(QLatin1String("Ctrl+")))
        QTest::keySequence(&editor, QKeySequence(step));
    else if (step == QLatin1String("all"))
        editor.selectAll();
    else if (step.startsWith(QLatin1String("set:")))
        editor.replaceText(step.mid(4));
    else if (step == QLatin1String("clear"))
        editor.clearText();
    else
        QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
}

// Shows the editor with the focus in it and Initial as its text; the clipboard holds
// "pasted".
bool showWithFocus(MacroEditor &editor, const QString &initial)
{
    editor.show();
    if (!QTest::qWaitForWindowActive(&editor))
        return false;
    editor.setFocus();
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    editor.replaceText(initial);
    return true;
}

} // namespace

class TestTextEditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Only the user's changes with the focus in the editor are edits; what the program puts
    // in leaves nothing to undo.
    void userEditsAndProgramWrites()
    {
        MacroEditor editor;
        editor.show();
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        QSignalSpy edits(&editor, &TextEditor::userEdited);
        editor.replaceText(QStringLiteral("first"));
        QVERIFY(!editor.isUndoAvailable());
        QCOMPARE(edits.count(), 0);
        editor.setFocus();
        editor.replaceText(QStringLiteral("second"));
        editor.clearText();
        QCOMPARE(edits.count(), 0);
        QTest::keyClicks(&editor, QStringLiteral("ab"));
        QCOMPARE(edits.count(), 2);
        QCOMPARE(editor.text(), QStringLiteral("ab"));
        QCOMPARE(editor.eolMode(), QsciScintilla::EolWindows);
    }

    void caretPosition_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("shown");
        QTest::newRow("start") << "abc" << 0 << 0 << "Ln. 1, Col. 1";
        QTest::newRow("second line") << "abc\r\ndef" << 1 << 2 << "Ln. 2, Col. 3";
        // Two characters of two bytes each before the caret: column 3, not 5.
        QTest::newRow("characters, not bytes") << QStringLiteral("\u00e9\u00e9x") << 0 << 2 << "Ln. 1, Col. 3";
    }

    void caretPosition()
    {
        QFETCH(QString, text);
        QFETCH(int, line);
        QFETCH(int, index);
        QFETCH(QString, shown);
        TextEditor editor;
        editor.replaceText(text);
        editor.setCursorPosition(line, index);
        QCOMPARE(editor.caretPositionText(), shown);
    }

    // Whether the editor holds more than blanks follows every way its text changes: typing,
    // deleting, undo and redo, a selection typed over, the program's writes.
    void knowsWhetherItIsBlank_data()
    {
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("typing into a blank text") << "  \r\n  " << QStringList{"k:x", "bs", "k: ", "k:y"};
        QTest::newRow("deleting the only letter") << "a" << QStringList{"end", "bs", "undo", "redo"};
        QTest::newRow("deleting in front") << "x   " << QStringList{"del0", "undo"};
        QTest::newRow("typing over everything") << "abc" << QStringList{"all", "k: ", "undo", "all", "bs"};
        QTest::newRow("program writes") << "" << QStringList{"set:   ", "set:\t\tz", "clear", "set:\u00e9"};
        QTest::newRow("control characters are blank") << "\t\x01\x1f " << QStringList{"k:\t", "k:!"};
        QTest::newRow("undo and redo by keys") << "" << QStringList{"k:a", "Ctrl+Z", "Ctrl+Y", "Ctrl+Z"};
        QTest::newRow("pasted by key") << "" << QStringList{"k: ", "Ctrl+V", "Ctrl+Z"};
    }

    void knowsWhetherItIsBlank()
    {
        QFETCH(QString, initial);
        QFETCH(QStringList, steps);
        MacroEditor editor;
        QVERIFY(showWithFocus(editor, initial));
        QCOMPARE(editor.isBlank(), IsBlankText(editor.text()));
        for (const QString &step : steps) {
            apply(editor, step);
            QVERIFY2(editor.isBlank() == IsBlankText(editor.text()), qPrintable(step));
        }
    }

    // A key's changes are told once they are made, as every other change is: whoever hears
    // of the edit reads the text, whether it is blank and where the caret is as the key left
    // them. While keys are typed the component's notifications after each change, which cost
    // it the text's length, are not sent, unless a screen reader listens.
    void keysAreToldOnceMade_data()
    {
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("letters into a blank text") << "" << QStringList{"k:a", "k: b"};
        QTest::newRow("Return and Backspace") << "x" << QStringList{"ret", "k: ", "bs", "bs"};
        QTest::newRow("undo, redo and paste by keys") << "ab" << QStringList{"k:c", "Ctrl+Z", "Ctrl+Y", "Ctrl+V"};
        QTest::newRow("typing over a selection") << " a\r\nb " << QStringList{"Ctrl+A", "k: "};
        QTest::newRow("an input method's characters") << "" << QStringList{"im:\u00e9\u00e9", "bs", "im: "};
    }

    void keysAreToldOnceMade()
    {
        QFETCH(QString, initial);
        QFETCH(QStringList, steps);
        MacroEditor editor;
        QVERIFY(showWithFocus(editor, initial));
        QTest::keyClick(&editor, Qt::Key_End, Qt::ControlModifier);
        const long notifications = editor.SendScintilla(QsciScintilla::SCI_GETMODEVENTMASK);
        struct Heard
        {
            QString text;
            bool blank = false;
            QString caret;
        };
        std::vector<Heard> heard;
        connect(&editor, &TextEditor::userEdited, &editor, [&] {
            heard.push_back({editor.text(), editor.isBlank(), editor.caretPositionText()});
        });
        int afterChange = 0;
        connect(&editor, &QsciScintillaBase::SCN_MODIFIED, &editor, [&](int, int type, const char *, int) {
            if (type & (QsciScintilla::SC_MOD_INSERTTEXT | QsciScintilla::SC_MOD_DELETETEXT))
                ++afterChange;
        });
        for (const QString &step : steps) {
            heard.clear();
            afterChange = 0;
            const QString before = editor.text();
            apply(editor, step);
            if (editor.text() != before) {
                QVERIFY2(!heard.empty(), qPrintable(step));
                QCOMPARE(heard.back().text, editor.text());
                QCOMPARE(heard.back().blank, IsBlankText(editor.text()));
                QCOMPARE(heard.back().caret, editor.caretPositionText());
            } else {
                QVERIFY2(heard.empty(), qPrintable(step));
            }
            if (!QAccessible::isActive())
                QCOMPARE(afterChange, 0);
            // Every change after the key is told again in full.
            QCOMPARE(editor.SendScintilla(QsciScintilla::SCI_GETMODEVENTMASK), notifications);
        }
        // A change the program makes is told after it is made, as the component tells it.
        afterChange = 0;
        editor.replaceText(QStringLiteral("x"));
        QVERIFY(afterChange > 0);
    }

    void insertModeAndActiveLine()
    {
        MacroEditor editor;
        editor.setInsertMode(false);
        QVERIFY(editor.overwriteMode());
        editor.setInsertMode(true);
        QVERIFY(!editor.overwriteMode());
        editor.setPaper(QColor(0x20, 0xa0, 0x80));
        editor.showActiveLine(true, true, Qt::yellow);
        QVERIFY(editor.SendScintilla(QsciScintilla::SCI_GETCARETLINEVISIBLE));
        // A contrast of the background: each byte moved by 64 towards the middle.
        const long bgr = editor.SendScintilla(QsciScintilla::SCI_GETCARETLINEBACK);
        QCOMPARE(bgr, long(0x60 | (0x60 << 8) | (0x40 << 16)));
        editor.showActiveLine(true, false, Qt::yellow);
        QCOMPARE(editor.SendScintilla(QsciScintilla::SCI_GETCARETLINEBACK), long(0x00FFFF));
        editor.showActiveLine(false, false, Qt::yellow);
        QVERIFY(!editor.SendScintilla(QsciScintilla::SCI_GETCARETLINEVISIBLE));
    }
};

QTEST_MAIN(TestTextEditor)
#include "tst_texteditor.moc"
