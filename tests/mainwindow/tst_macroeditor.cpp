#include "EditorStyles.h"
#include "macrolang/MacroAttributeSet.h"
#include "mainwindow/MacroEditor.h"
#include "platform/AppPaths.h"
#include "platform/Help.h"
#include "platform/WineLocator.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramFolder.h"

#include <QSignalSpy>
#include <QCursor>
#include <QGuiApplication>
#include <QTest>

namespace {

using Sci = QsciScintillaBase;

// Each byte's style, as far as it is styled.
QList<int> styles(const QsciScintilla &editor)
{
    editor.SendScintilla(Sci::SCI_COLOURISE, 0UL, -1L);
    QList<int> out;
    for (long pos = 0; pos < editor.SendScintilla(Sci::SCI_GETLENGTH); ++pos)
        out << int(editor.SendScintilla(Sci::SCI_GETSTYLEAT, static_cast<unsigned long>(pos)));
    return out;
}

const QColor kBackground(250, 240, 200);

// The macro editor shown and active, coloured by its own attribute set, telling its
// failures to a scripted prompter, in a program folder of its own.
struct ShownEditor
{
    TempProgramFolder folder;
    MacroAttributeSet attributes;
    ScriptedPrompter prompter;
    MacroEditor editor;

    ShownEditor()
    {
        editor.setTextFont(QFont(QStringLiteral("Liberation Mono"), 11));
        editor.setEditorColors({Qt::white, Qt::darkBlue, Qt::yellow, kBackground});
        editor.setAttributes(attributes);
        editor.setPrompter(&prompter);
        editor.resize(500, 300);
        editor.show();
    }
    ~ShownEditor() { Help::setViewerForTesting({}); }
    bool active() { return QTest::qWaitForWindowActive(&editor); }
};

} // namespace

class TestMacroEditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Syntax highlighting: the attributes on the highlighter's background, line numbers in the
    // gutter. Connection colours: one colour on one background, no gutter. The font is the
    // editor's in both, and each switch back restores the other's look.
    void colourings()
    {
        ShownEditor e;
        MacroEditor &editor = e.editor;
        editor.setText(QStringLiteral("wait 'x' ; note"));
        const QList<int> highlighted = styles(editor);
        QVERIFY(editor.showsSyntaxColors());
        QVERIFY(editor.lexer());
        QVERIFY(editor.marginWidth(0) > 0);
        QCOMPARE(highlighted.first(), int(MacroAttribute::KeyAttri));
        QCOMPARE(highlighted.last(), int(MacroAttribute::CommentAttri));
        QCOMPARE(StyleColor(editor, Sci::SCI_STYLEGETBACK, int(MacroAttribute::KeyAttri)), kBackground);

        editor.showConnectionColors(QColor(0, 255, 0), QColor(0, 0, 0));
        QVERIFY(!editor.showsSyntaxColors());
        QVERIFY(!editor.lexer());
        QCOMPARE(editor.marginWidth(0), 0);
        QCOMPARE(styles(editor), QList<int>(highlighted.size(), 0));
        QCOMPARE(StyleColor(editor, Sci::SCI_STYLEGETFORE, 0), QColor(0, 255, 0));
        QCOMPARE(StyleColor(editor, Sci::SCI_STYLEGETBACK, 0), QColor(0, 0, 0));
        QCOMPARE(StyleFont(editor, 0), QStringLiteral("Liberation Mono"));

        editor.showSyntaxColors();
        QCOMPARE(styles(editor), highlighted);
        QVERIFY(editor.marginWidth(0) > 0);
        QCOMPARE(StyleFont(editor, int(MacroAttribute::StringAttri)), QStringLiteral("Liberation Mono"));
    }

    // The editor font is the one text font in either colouring, and whoever shows it too is
    // told.
    void textFont_data()
    {
        QTest::addColumn<bool>("syntax");
        QTest::newRow("syntax highlighting") << true;
        QTest::newRow("connection colours") << false;
    }

    void textFont()
    {
        QFETCH(bool, syntax);
        ShownEditor e;
        if (!syntax)
            e.editor.showConnectionColors(Qt::black, Qt::white);
        QSignalSpy told(&e.editor, &MacroEditor::textFontChanged);
        const QFont font(QStringLiteral("DejaVu Sans Mono"), 15);
        e.editor.setTextFont(font);
        QCOMPARE(e.editor.textFont(), font);
        QCOMPARE(StyleFont(e.editor, 0), font.family());
        QCOMPARE(e.editor.SendScintilla(Sci::SCI_STYLEGETSIZE, 0UL), 15L);
        QCOMPARE(told.count(), 1);
    }

    // Ctrl+F1 opens help on the word at the caret, taken with the macro language's word
    // characters whether or not the macro is highlighted: TeraTerm's macro help for its
    // commands and system variables, the program's own for its variables, and the editor's
    // own topic for any other word or between words.
    void helpOnTheWord_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("context");
        QTest::newRow("a command") << "  SendLn 'x'" << 4 << "macro.hlp" << 10290;
        QTest::newRow("a system variable") << "if result then" << 5 << "macro.hlp" << 20000;
        QTest::newRow("a variable of the program") << "connect $user$@host" << 10 << "Wexmora.hlp" << 9010;
        QTest::newRow("a keyword without a topic") << "if x=1 then" << 1 << "Wexmora.hlp" << 6050;
        QTest::newRow("between words") << "a   b" << 2 << "Wexmora.hlp" << 6050;
    }

    void helpOnTheWord()
    {
        QFETCH(QString, line);
        QFETCH(int, column);
        QFETCH(QString, file);
        QFETCH(int, context);
        for (const bool syntax : {true, false}) {
            ShownEditor e;
            QVERIFY(e.active());
            QVERIFY(e.folder.write(QStringLiteral("macro.hlp"), "help"));
            QVERIFY(e.folder.write(QStringLiteral("Wexmora.hlp"), "help"));
            QStringList opened;
            Help::setViewerForTesting([&](const QString &f, int c) {
                opened << QStringLiteral("%1 %2").arg(f).arg(c);
                return Help::Result::Opened;
            });
            if (!syntax)
                e.editor.showConnectionColors(Qt::black, Qt::white);
            e.editor.setText(line);
            e.editor.setCursorPosition(0, column);
            QTest::keyClick(&e.editor, Qt::Key_F1, Qt::ControlModifier);
            QCOMPARE(opened, QStringList{QStringLiteral("%1 %2").arg(AppFilePath(file)).arg(context)});
            QVERIFY(e.prompter.boxes().isEmpty());
            QCOMPARE(e.editor.text(), line);
        }
    }

    // Help that cannot open tells the user why, naming a missing file.
    void helpFailures_data()
    {
        QTest::addColumn<bool>("filePresent");
        QTest::addColumn<Help::Result>("viewer");
        QTest::addColumn<QString>("message");   // %1: the help file's path
        QTest::newRow("no help file") << false << Help::Result::Opened << "The help file %1 was not found.";
        QTest::newRow("no Wine") << true << Help::Result::ViewerNotStartable
                                 << WineLocator::missingWineMessage(QStringLiteral("winhlp32.exe"));
        QTest::newRow("not opened") << true << Help::Result::NotOpened << "The help file %1 could not be opened.";
    }

    void helpFailures()
    {
        QFETCH(bool, filePresent);
        QFETCH(Help::Result, viewer);
        QFETCH(QString, message);
        ShownEditor e;
        QVERIFY(e.active());
        if (filePresent)
            QVERIFY(e.folder.write(QStringLiteral("macro.hlp"), "help"));
        Help::setViewerForTesting([viewer](const QString &, int) { return viewer; });
        e.editor.setText(QStringLiteral("sendln"));
        QTest::keyClick(&e.editor, Qt::Key_F1, Qt::ControlModifier);
        QCOMPARE(e.prompter.boxes().size(), 1);
        QCOMPARE(e.prompter.boxes().first().kind, Prompter::Kind::Error);
        const QString path = AppFilePath(QStringLiteral("macro.hlp"));
        QCOMPARE(e.prompter.boxes().first().text, message.contains(QLatin1String("%1")) ? message.arg(path) : message);
    }

    // Ctrl+F1 shows the hourglass while it looks the word up and starts the viewer; a failure
    // is told with the pointer back, and the pointer stays afterwards.
    void wordHelpShowsTheHourglass_data()
    {
        QTest::addColumn<Help::Result>("viewer");
        QTest::addColumn<int>("boxes");
        QTest::newRow("opened") << Help::Result::Opened << 0;
        QTest::newRow("not opened") << Help::Result::NotOpened << 1;
    }
    void wordHelpShowsTheHourglass()
    {
        QFETCH(Help::Result, viewer);
        QFETCH(int, boxes);
        ShownEditor e;
        QVERIFY(e.active());
        QVERIFY(e.folder.write(QStringLiteral("macro.hlp"), "help"));
        const auto cursorNow = [] {
            const QCursor *cursor = QGuiApplication::overrideCursor();
            return cursor ? int(cursor->shape()) : -1;
        };
        QList<int> whileViewing;
        Help::setViewerForTesting([&](const QString &, int) {
            whileViewing << cursorNow();
            return viewer;
        });
        QList<int> whileTelling;
        e.prompter.whileAsking([&](const ScriptedPrompter::Box &) { whileTelling << cursorNow(); });
        e.editor.setText(QStringLiteral("sendln"));
        QTest::keyClick(&e.editor, Qt::Key_F1, Qt::ControlModifier);
        QCOMPARE(whileViewing, QList<int>{int(Qt::WaitCursor)});
        QCOMPARE(whileTelling, QList<int>(boxes, -1));
        QCOMPARE(cursorNow(), -1);
    }
};

QTEST_MAIN(TestMacroEditor)
#include "tst_macroeditor.moc"
