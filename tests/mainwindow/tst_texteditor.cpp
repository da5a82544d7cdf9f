#include "mainwindow/MacroEditor.h"
#include "mainwindow/core/CommandState.h"

#include <QSignalSpy>
#include <QTest>

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
    // deleting, undo and redo, a selection typed over, the program's writes. Each step: keys
    // ("k:<text>"), Backspace ("bs"), Delete at the start ("del0"), undo ("undo"), redo
    // ("redo"), select all ("all"), program write ("set:<text>"), clear ("clear").
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
    }

    void knowsWhetherItIsBlank()
    {
        QFETCH(QString, initial);
        QFETCH(QStringList, steps);
        MacroEditor editor;
        editor.show();
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        editor.setFocus();
        editor.replaceText(initial);
        QCOMPARE(editor.isBlank(), IsBlankText(editor.text()));
        for (const QString &step : steps) {
            if (step.startsWith(QLatin1String("k:")))
                QTest::keyClicks(&editor, step.mid(2));
            else if (step == QLatin1String("bs"))
                QTest::keyClick(&editor, Qt::Key_Backspace);
            else if (step == QLatin1String("end"))
                QTest::keyClick(&editor, Qt::Key_End, Qt::ControlModifier);
            else if (step == QLatin1String("del0")) {
                QTest::keyClick(&editor, Qt::Key_Home, Qt::ControlModifier);
                QTest::keyClick(&editor, Qt::Key_Delete);
            } else if (step == QLatin1String("undo"))
                editor.undo();
            else if (step == QLatin1String("redo"))
                editor.redo();
            else if (step == QLatin1String("all"))
                editor.selectAll();
            else if (step.startsWith(QLatin1String("set:")))
                editor.replaceText(step.mid(4));
            else if (step == QLatin1String("clear"))
                editor.clearText();
            QVERIFY2(editor.isBlank() == IsBlankText(editor.text()), qPrintable(step));
        }
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
