#include "components/SearchReplace.h"
#include "components/widgets/QsciTextDocument.h"
#include "MacroWordChars.h"
#include "platform/widgets/QsciIncludes.h"

#include <QTest>

namespace {

// An editor as the macro page sets it up: UTF-8, Windows line ends, nothing to undo yet.
struct Editor
{
    QsciScintilla widget;
    QsciTextDocument doc{widget};

    explicit Editor(const QString &text, QsciScintilla::EolMode eol = QsciScintilla::EolWindows)
    {
        widget.setUtf8(true);
        widget.setEolMode(eol);
        widget.setText(text);
        widget.SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
    }
};

} // namespace

class TestQsciTextDocument : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Columns count UTF-16 units whatever the editor's bytes are.
    void positions_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("selected");

        QTest::newRow("ASCII") << "abc\r\ndef" << 1 << 1 << 3 << "ef";
        QTest::newRow("two-byte and three-byte characters") << "x\r\néa€b" << 1 << 1 << 4 << "a€b";
        QTest::newRow("a character beyond 16 bits") << "😀é😀x" << 0 << 2 << 5 << "é😀";
        QTest::newRow("to the end of a line") << "ab\r\ncd" << 0 << 1 << 2 << "b";
    }
    void positions()
    {
        QFETCH(QString, text);
        QFETCH(int, line);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, selected);
        Editor e(text);
        QCOMPARE(e.doc.lineCount(), int(text.count(QStringLiteral("\r\n")) + 1));
        QCOMPARE(e.doc.lineText(line), text.split(QStringLiteral("\r\n")).at(line));
        e.doc.setSelection({line, to}, {line, from});
        QCOMPARE(e.widget.selectedText(), selected);
        QCOMPARE(e.doc.caret(), (TextPosition{line, from}));
        QCOMPARE(e.doc.selectionStart(), (TextPosition{line, from}));
        QCOMPARE(e.doc.selectionEnd(), (TextPosition{line, to}));
    }

    // A replacement's line breaks become the editor's line ends; the caret ends up after it.
    void replaceRange_data()
    {
        QTest::addColumn<int>("eol");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("caretLine");
        QTest::addColumn<int>("caretColumn");
        QTest::newRow("plain") << int(QsciScintilla::EolWindows) << "€€" << "a€€d\r\nx" << 0 << 3;
        QTest::newRow("breaks as CR LF") << int(QsciScintilla::EolWindows) << "1\n2\r3\r\n" << "a1\r\n2\r\n3\r\nd\r\nx" << 3 << 0;
        QTest::newRow("breaks as LF") << int(QsciScintilla::EolUnix) << "1\r\n2" << "a1\n2d\r\nx" << 1 << 1;
    }
    void replaceRange()
    {
        QFETCH(int, eol);
        QFETCH(QString, replacement);
        QFETCH(QString, expected);
        QFETCH(int, caretLine);
        QFETCH(int, caretColumn);
        Editor e(QStringLiteral("abcd\r\nx"), QsciScintilla::EolMode(eol));
        e.doc.replaceRange({0, 1}, {0, 3}, replacement);
        QCOMPARE(e.widget.text(), expected);
        QCOMPARE(e.doc.caret(), (TextPosition{caretLine, caretColumn}));
        QVERIFY(!e.widget.hasSelectedText());
    }

    // A prompted replace run in the editor: the answers Yes, No, Yes to all; undo takes back
    // the replacements after "Yes to all" as one step, then the one before.
    void promptRoadWithUndo()
    {
        Editor e(QStringLiteral("é a a\r\na a"));
        const QList<ReplaceAction> answers{raReplace, raSkip, raReplaceAll};
        QStringList selectedWhenAsked;
        int asked = 0;
        SearchRequest request;
        request.searchText = QStringLiteral("a");
        request.replaceText = QStringLiteral("😀");
        request.options = ssoReplace | ssoReplaceAll | ssoPrompt | ssoWholeWord;
        request.isWordChar = IsMacroWordChar;
        const SearchOutcome outcome = SearchReplace(e.doc, request, [&](auto &&...) {
            selectedWhenAsked << e.widget.selectedText();
            return answers.at(asked++);
        });
        QCOMPARE(outcome.found, 4);
        QCOMPARE(outcome.replaced, 3);
        QCOMPARE(selectedWhenAsked, (QStringList{"a", "a", "a"}));
        QCOMPARE(e.widget.text(), QStringLiteral("é 😀 a\r\n😀 😀"));
        e.widget.undo();
        QCOMPARE(e.widget.text(), QStringLiteral("é 😀 a\r\na a"));
        e.widget.undo();
        QCOMPARE(e.widget.text(), QStringLiteral("é a a\r\na a"));
        QVERIFY(!e.widget.isUndoAvailable());
    }

    // Where a hit is drawn, for the confirm dialog: later columns lie further right, later lines
    // lower by a line's height.
    void pointOf()
    {
        Editor e(QStringLiteral("abc\r\nabc"));
        e.widget.resize(400, 300);
        e.widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&e.widget));
        const QPoint a = e.doc.pointOf({0, 0});
        const QPoint c = e.doc.pointOf({0, 2});
        const QPoint next = e.doc.pointOf({1, 0});
        QVERIFY(c.x() > a.x());
        QCOMPARE(c.y(), a.y());
        QCOMPARE(next.x(), a.x());
        QCOMPARE(next.y() - a.y(), e.doc.lineHeight(0));
        QVERIFY(e.doc.lineHeight(0) > 0);
    }
};

QTEST_MAIN(TestQsciTextDocument)
#include "tst_qscitextdocument.moc"
