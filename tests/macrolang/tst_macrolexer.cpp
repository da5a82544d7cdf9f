#include "macrolang/MacroAttributeSet.h"
#include "macrolang/widgets/MacroEditorWord.h"
#include "macrolang/widgets/MacroLexer.h"

#include <QApplication>
#include <QTest>

#include <cstdlib>
#include <memory>

namespace {

using Sci = QsciScintillaBase;

// One letter per style, in attribute order: Comment, Identifier (also what the scanner
// knows no kind for), Key, Labels, program variables (W), Space, string (Q), sYmbol, system
// Variable.
const char StyleLetters[] = "CIKLWSQYV";
constexpr int SentinelStyle = 20;   // a style the lexer never gives

QByteArray styleLetters(const QsciScintilla &editor)
{
    const long length = editor.SendScintilla(Sci::SCI_GETLENGTH);
    QByteArray out;
    for (long pos = 0; pos < length; ++pos) {
        const long style = editor.SendScintilla(Sci::SCI_GETSTYLEAT, pos);
        out += style >= 0 && style < MacroAttributeCount ? StyleLetters[style] : style == SentinelStyle ? '#' : '?';
    }
    return out;
}

// Per byte of the UTF-8 text, from one letter per character of each line; line ends are
// spaces.
QByteArray expectedLetters(const QStringList &lines, const QStringList &letters, const QString &eol)
{
    QByteArray out;
    for (int i = 0; i < lines.size(); ++i) {
        for (int c = 0; c < lines[i].size(); ++c)
            out += QByteArray(lines[i].mid(c, 1).toUtf8().size(), letters[i].at(c).toLatin1());
        if (i + 1 < lines.size())
            out += QByteArray(eol.toUtf8().size(), 'S');
    }
    return out;
}

// QScintilla hands Scintilla the font's weight negated.
bool isBold(const QsciScintilla &editor, int style)
{
    return std::abs(editor.SendScintilla(Sci::SCI_STYLEGETWEIGHT, style)) >= QFont::DemiBold;
}

void styleAll(QsciScintilla &editor)
{
    editor.SendScintilla(Sci::SCI_COLOURISE, 0UL, -1L);
}

// An editor as the window has one, with its own lexer over Attributes.
struct MacroEditor
{
    explicit MacroEditor(const MacroAttributeSet &attributes)
        : lexer(attributes)
    {
        editor.setUtf8(true);
        editor.resize(700, 500);
        lexer.attach(&editor);
    }
    QsciScintilla editor;
    MacroLexer lexer;
};

// The editor's point for the left quarter of the character at Column of line 0.
QPoint characterPoint(const QsciScintilla &editor, int column)
{
    const long pos = editor.positionFromLineIndex(0, column);
    const long x0 = editor.SendScintilla(Sci::SCI_POINTXFROMPOSITION, 0UL, pos);
    const long x1 = editor.SendScintilla(Sci::SCI_POINTXFROMPOSITION, 0UL, pos + 1);
    const long y = editor.SendScintilla(Sci::SCI_POINTYFROMPOSITION, 0UL, pos);
    const long height = editor.SendScintilla(Sci::SCI_TEXTHEIGHT, 0UL);
    return QPoint(int(x0 + (x1 - x0) / 4), int(y + height / 2));
}

void moveCaretTo(QsciScintilla &editor, int line, int column)
{
    QTest::keyClick(&editor, Qt::Key_Home, Qt::ControlModifier);
    for (int i = 0; i < line; ++i)
        QTest::keyClick(&editor, Qt::Key_Down);
    QTest::keyClick(&editor, Qt::Key_Home);
    for (int i = 0; i < column; ++i)
        QTest::keyClick(&editor, Qt::Key_Right);
}

QString doubleClickedWord(QsciScintilla &editor, int column)
{
    // A double-click arrives as a click followed by the double-click event.
    const QPoint at = characterPoint(editor, column);
    QTest::mouseClick(editor.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(editor.viewport(), Qt::LeftButton, Qt::NoModifier, at);
    return editor.selectedText();
}

} // namespace

class TestMacroLexer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void stylesOfEveryByte_data()
    {
        QTest::addColumn<QString>("eol");
        QTest::newRow("LF") << "\n";
        QTest::newRow("CR LF") << "\r\n";
        QTest::newRow("CR") << "\r";
    }
    void stylesOfEveryByte()
    {
        QFETCH(QString, eol);
        const QStringList lines = {
            QStringLiteral("; Grüße an alle"),
            QStringLiteral("wait 'Größe' \"ja\""),
            QStringLiteral("sendln $user$ x=1"),
            QStringLiteral(":ziel"),
            QStringLiteral("if result = 2 goto ziel"),
            QString(),
            QStringLiteral("123 ü€"),
            QStringLiteral("\tsendln 'x' ; ende"),
        };
        const QStringList letters = {
            QStringLiteral("CCCCCCCCCCCCCCC"),
            QStringLiteral("KKKKSQQQQQQQSQQQQ"),
            QStringLiteral("KKKKKKSWWWWWWSIII"),
            QStringLiteral("LLLLL"),
            QStringLiteral("KKSVVVVVVSYSISKKKKSIIII"),
            QString(),
            QStringLiteral("IIISII"),
            QStringLiteral("SKKKKKKSQQQSCCCCCC"),
        };
        MacroAttributeSet attributes;
        MacroEditor m(attributes);
        m.editor.setText(lines.join(eol));
        styleAll(m.editor);
        QCOMPARE(styleLetters(m.editor), expectedLetters(lines, letters, eol));
    }

    // After an edit the lines it touched get their new styles and no other line is styled
    // again, even when styles are asked for up to the end of the text. The last line carries
    // a style the lexer never gives, so styling it again would show.
    // The window's editor leaves out the notifications after each change while a key is
    // typed: each edit is tried with them and with only those before the change.
    void editRestylesOnlyItsLines_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("toldAfter");
        for (const bool toldAfter : {true, false}) {
            const char *told = toldAfter ? "" : ", told before only";
            QTest::addRow("letter before a command%s", told) << 2 << 0 << QKeySequence() << "x" << toldAfter;
            QTest::addRow("quote opening a string%s", told) << 3 << 5 << QKeySequence() << "'" << toldAfter;
            QTest::addRow("Return splitting a line%s", told) << 2 << 4 << QKeySequence(Qt::Key_Return) << "" << toldAfter;
            QTest::addRow("Backspace joining two lines%s", told) << 3 << 0 << QKeySequence(Qt::Key_Backspace) << "" << toldAfter;
            QTest::addRow("Delete joining two lines%s", told) << 1 << 18 << QKeySequence(Qt::Key_Delete) << "" << toldAfter;
            QTest::addRow("typing over lines selected%s", told)
                << 1 << 2 << QKeySequence(Qt::ShiftModifier | Qt::Key_Down) << ";" << toldAfter;
        }
    }
    void editRestylesOnlyItsLines()
    {
        QFETCH(int, line);
        QFETCH(int, column);
        QFETCH(QKeySequence, keys);
        QFETCH(QString, typed);
        QFETCH(bool, toldAfter);

        MacroAttributeSet attributes;
        MacroEditor m(attributes);
        QsciScintilla &e = m.editor;
        if (!toldAfter) {
            const long all = e.SendScintilla(Sci::SCI_GETMODEVENTMASK);
            // A notification comes when any of its bits is in the mask: the flags go too.
            const long flags = Sci::SC_PERFORMED_USER | Sci::SC_PERFORMED_UNDO | Sci::SC_PERFORMED_REDO
                | Sci::SC_MULTISTEPUNDOREDO | Sci::SC_LASTSTEPINUNDOREDO | Sci::SC_MULTILINEUNDOREDO | Sci::SC_STARTACTION;
            e.SendScintilla(Sci::SCI_SETMODEVENTMASK,
                            static_cast<unsigned long>(all & ~(Sci::SC_MOD_INSERTTEXT | Sci::SC_MOD_DELETETEXT | flags)));
        }
        e.setText(QStringLiteral("; login\r\nconnect '10.0.0.1'\r\nsendln $user$\r\nwait 'x' 'y'\r\n"
                                 "if result = 2 goto ok\r\n:ok\r\nsendln 'bye'\r\nend"));
        e.show();
        QVERIFY(QTest::qWaitForWindowExposed(&e));
        styleAll(e);
        const long lastLine = e.lines() - 1;
        const long lastStart = e.SendScintilla(Sci::SCI_POSITIONFROMLINE, lastLine);
        const long length = e.SendScintilla(Sci::SCI_GETLENGTH);
        e.SendScintilla(Sci::SCI_STARTSTYLING, static_cast<unsigned long>(lastStart), 0L);
        e.SendScintilla(Sci::SCI_SETSTYLING, static_cast<unsigned long>(length - lastStart), long(SentinelStyle));
        e.SendScintilla(Sci::SCI_STARTSTYLING, static_cast<unsigned long>(length), 0L);

        moveCaretTo(e, line, column);
        if (!keys.isEmpty())
            QTest::keySequence(&e, keys);
        QTest::keyClicks(&e, typed);
        e.viewport()->repaint();
        e.SendScintilla(Sci::SCI_COLOURISE, static_cast<unsigned long>(e.SendScintilla(Sci::SCI_GETLENGTH)), -1L);

        MacroEditor fresh(attributes);
        fresh.editor.setText(e.text());
        styleAll(fresh.editor);
        const long newLastStart = e.SendScintilla(Sci::SCI_POSITIONFROMLINE, e.lines() - 1);
        const QByteArray styles = styleLetters(e);
        QCOMPARE(styles.left(newLastStart), styleLetters(fresh.editor).left(newLastStart));
        QCOMPARE(styles.mid(newLastStart), QByteArray(int(styles.size() - newLastStart), '#'));
    }

    // The editor's colouring switched to the connection's colours and back: what was typed
    // meanwhile is styled when the lexer comes back.
    void reattachedLexerStylesWhatChangedWithoutIt()
    {
        MacroAttributeSet attributes;
        MacroEditor m(attributes);
        QsciScintilla &e = m.editor;
        e.setText(QStringLiteral("wait 'x'\nsendln $user$\n:label"));
        styleAll(e);
        m.lexer.detach();
        // Without the lexer all text is in the one style the editor's own colours set.
        QCOMPARE(styleLetters(e), QByteArray(e.length(), StyleLetters[0]));
        e.show();
        QVERIFY(QTest::qWaitForWindowExposed(&e));
        moveCaretTo(e, 1, 0);
        QTest::keyClicks(&e, QStringLiteral("; "));
        m.lexer.attach(&e);
        styleAll(e);

        MacroEditor fresh(attributes);
        fresh.editor.setText(e.text());
        styleAll(fresh.editor);
        QCOMPARE(styleLetters(e), styleLetters(fresh.editor));
        QCOMPARE(styleLetters(e).mid(9, 15), QByteArray(15, 'C'));
    }

    void editorsFollowOneAttributeSet()
    {
        MacroAttributeSet attributes;
        MacroEditor first(attributes);
        MacroEditor second(attributes);
        const int key = int(MacroAttribute::KeyAttri);
        const int comment = int(MacroAttribute::CommentAttri);

        attributes.setForeground(MacroAttribute::KeyAttri, 0x000000FF);
        attributes.setStyle(MacroAttribute::KeyAttri, FontStyleBits::Italic | FontStyleBits::Underline);
        for (QsciScintilla *e : {&first.editor, &second.editor}) {
            QCOMPARE(e->SendScintilla(Sci::SCI_STYLEGETFORE, key), 0x0000FFL);
            QVERIFY(!isBold(*e, key));
            QCOMPARE(e->SendScintilla(Sci::SCI_STYLEGETITALIC, key), 1L);
            QCOMPARE(e->SendScintilla(Sci::SCI_STYLEGETUNDERLINE, key), 1L);
            QCOMPARE(e->SendScintilla(Sci::SCI_STYLEGETFORE, comment), 0x008000L);
            QCOMPARE(e->SendScintilla(Sci::SCI_STYLEGETITALIC, comment), 1L);
        }

        attributes.resetToDefaults();
        for (QsciScintilla *e : {&first.editor, &second.editor}) {
            QCOMPARE(e->SendScintilla(Sci::SCI_STYLEGETFORE, key), 0x800000L);
            QVERIFY(isBold(*e, key));
            QCOMPARE(e->SendScintilla(Sci::SCI_STYLEGETITALIC, key), 0L);
        }
    }

    // With a lexer the styles are the editor's look: the window's font and background reach
    // every style, whether they were set before the lexer was attached or after.
    void editorFontAndBackgroundInEveryStyle_data()
    {
        QTest::addColumn<bool>("beforeAttach");
        QTest::newRow("set before attaching") << true;
        QTest::newRow("set while attached") << false;
    }
    void editorFontAndBackgroundInEveryStyle()
    {
        QFETCH(bool, beforeAttach);
        MacroAttributeSet attributes;
        MacroLexer lexer(attributes);
        QsciScintilla e;
        if (!beforeAttach)
            lexer.attach(&e);
        const QFont font(QStringLiteral("DejaVu Sans Mono"), 13);
        lexer.setEditorFont(font);
        lexer.setEditorBackground(QColor(0x0A, 0x14, 0x1E));
        if (beforeAttach)
            lexer.attach(&e);

        QList<int> styles{Sci::STYLE_DEFAULT};
        for (int s = 0; s < MacroAttributeCount; ++s)
            styles << s;
        for (const int s : styles) {
            QCOMPARE(e.SendScintilla(Sci::SCI_STYLEGETBACK, s), 0x1E140AL);
            QCOMPARE(e.SendScintilla(Sci::SCI_STYLEGETSIZE, s), 13L);
            char face[128] = {};
            e.SendScintilla(Sci::SCI_STYLEGETFONT, static_cast<unsigned long>(s), face);
            QCOMPARE(QString::fromUtf8(face), font.family());
        }
        QVERIFY(isBold(e, int(MacroAttribute::KeyAttri)));
        QCOMPARE(e.SendScintilla(Sci::SCI_STYLEGETITALIC, int(MacroAttribute::CommentAttri)), 1L);
        QVERIFY(!isBold(e, int(MacroAttribute::StringAttri)));
    }

    // With the lexer the editor takes words as the macro language makes them; without it,
    // as Scintilla does. The word for help is the macro language's either way.
    void wordAtCursor_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("macroWord");
        QTest::addColumn<QString>("editorWord");
        QTest::newRow("program variable") << "sendln $user$ x" << 9 << "$user$" << "user";
        QTest::newRow("assignment") << "if x=1 then" << 3 << "x=1" << "x";
        QTest::newRow("call") << "strlen(name)" << 2 << "strlen(name)" << "strlen";
        QTest::newRow("between blanks") << "a  b" << 2 << "" << "";
    }
    void wordAtCursor()
    {
        QFETCH(QString, line);
        QFETCH(int, column);
        QFETCH(QString, macroWord);
        QFETCH(QString, editorWord);
        MacroAttributeSet attributes;
        for (const bool attached : {true, false}) {
            MacroEditor m(attributes);
            QsciScintilla &e = m.editor;
            if (!attached)
                m.lexer.detach();
            e.setText(line);
            e.show();
            QVERIFY(QTest::qWaitForWindowExposed(&e));
            moveCaretTo(e, 0, column);
            QCOMPARE(QString::fromUtf8(MacroWordAtCaret(e)), macroWord);
            const QString expected = attached ? macroWord : editorWord;
            QCOMPARE(e.wordAtLineIndex(0, column), expected);
            if (!expected.isEmpty())
                QCOMPARE(doubleClickedWord(e, column), expected);
        }
    }
};

QTEST_MAIN(TestMacroLexer)
#include "tst_macrolexer.moc"
