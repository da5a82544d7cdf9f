#include "MainWindowFixture.h"
#include "EditorStyles.h"
#include "Reveal.h"
#include "WindowMachine.h"
#include "mainwindow/MacroEditor.h"
#include "platform/widgets/FixedPitchFont.h"
#include "support/ScriptedStyleDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace {

// The window with one connection "a", its macro on the macro page, and scripted font and
// colour dialogs.
struct Window : MainWindowFixture
{
    ScriptedStyleDialogs dialogs;

    Window() : MainWindowFixture("a") { form.setStyleDialogs(&dialogs); }

    MacroEditor *editor() const { return static_cast<MacroEditor *>(memo1()); }

    // Clicks an option control as the user does, with its page in front.
    void clickOption(const char *name)
    {
        auto *control = child<QAbstractButton>(QLatin1String(name));
        Reveal(control);
        QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(4, control->height() / 2));
    }

    // Keys typed into the macro editor from the start of line Line.
    void typeAt(int line, int index, QKeyCombination keys)
    {
        Reveal(memo1());
        memo1()->setFocus();
        memo1()->setCursorPosition(line, index);
        QTest::keyClick(memo1(), keys.key(), keys.keyboardModifiers());
    }
};

QFont chosenFont()
{
    QFont font(QStringLiteral("No Such Family Here"));
    font.setPointSize(17);
    font.setBold(true);
    font.setItalic(true);
    return font;
}

// The face and size the sample draws its text in, as Scintilla holds them; bold and italic are
// each element's own.
QPair<QString, int> SampleFace(const QsciScintilla &sample)
{
    return {StyleFont(sample, 0), int(sample.SendScintilla(QsciScintillaBase::SCI_STYLEGETSIZE, 0UL))};
}

} // namespace

class TestTForm1Options : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // "Enable TABs" offers the other TAB options only while checked, leaving their states as
    // they are; without it the TAB key moves the focus on, with it a TAB is typed.
    void enableTabs()
    {
        Window w;
        QVERIFY(w.active());
        w.click(w.at("0"));
        w.clickOption("cbTAB2Space");
        const auto offered = [&w] {
            QString states;
            for (const char *name : {"cbTAB2Space", "cbSmartTAB", "CBSpacePerTAB", "Label19"})
                states += w.child<QWidget>(QLatin1String(name))->isEnabled() ? u'1' : u'0';
            return states;
        };
        // The presets: TABs off.
        QCOMPARE(offered(), QStringLiteral("0000"));
        QVERIFY(!w.child<QCheckBox>(QStringLiteral("cbTAB2Space"))->isChecked());

        w.clickOption("cbAllowTAB");
        QCOMPARE(offered(), QStringLiteral("1111"));
        w.clickOption("cbTAB2Space");
        w.typeAt(0, 0, Qt::Key_Tab);
        QVERIFY(w.memo1()->hasFocus());
        QCOMPARE(w.memo1()->text().left(w.editor()->tabWidth()), QString(w.editor()->tabWidth(), u' '));

        w.clickOption("cbAllowTAB");
        QCOMPARE(offered(), QStringLiteral("0000"));
        QVERIFY(w.child<QCheckBox>(QStringLiteral("cbTAB2Space"))->isChecked());
        QVERIFY(w.editor()->tabsToSpaces());
        const QString before = w.memo1()->text();
        w.typeAt(0, 0, Qt::Key_Tab);
        QCOMPARE(w.memo1()->text(), before);
        QVERIFY(!w.memo1()->hasFocus());
    }

    void tabWidthFromTheList_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("width");
        QTest::newRow("the first") << int(Qt::Key_Home) << "2" << 2;
        QTest::newRow("the last") << int(Qt::Key_End) << "32" << 32;
        QTest::newRow("one down from the preset") << int(Qt::Key_Down) << "7" << 7;
    }
    void tabWidthFromTheList()
    {
        QFETCH(int, key);
        QFETCH(QString, shown);
        QFETCH(int, width);
        Window w;
        QVERIFY(w.active());
        auto *list = w.child<QComboBox>(QStringLiteral("CBSpacePerTAB"));
        w.clickOption("cbAllowTAB");
        list->setFocus();
        QTest::keyClick(list, Qt::Key(key));
        QCOMPARE(list->currentText(), shown);
        QCOMPARE(w.editor()->tabWidth(), width);
    }

    // Smart TABs line the caret up with the words of the line above, and Backspace in an
    // indent goes back to an indent above; without them TAB and Backspace are ordinary.
    void smartTabs_data()
    {
        QTest::addColumn<bool>("smart");
        QTest::addColumn<QString>("afterTab");
        QTest::addColumn<QString>("afterBackspace");
        QTest::newRow("smart") << true << "if x  then\r\n   y\r\n  z" << "if x  then\r\n   y\r\nz";
        QTest::newRow("ordinary") << false << "if x  then\r\n    y\r\n  z" << "if x  then\r\n    y\r\n z";
    }
    void smartTabs()
    {
        QFETCH(bool, smart);
        QFETCH(QString, afterTab);
        QFETCH(QString, afterBackspace);
        Window w;
        QVERIFY(w.active());
        w.at("0")->data.Macro = "if+x++then%0D%0Ay%0D%0A++z";
        w.click(w.at("0"));
        w.clickOption("cbAllowTAB");
        w.clickOption("cbTAB2Space");
        if (smart)
            w.clickOption("cbSmartTAB");
        QVERIFY(!w.modified());
        w.editor()->setTabWidth(4);
        w.pages()->setCurrentIndex(1);
        w.typeAt(1, 0, Qt::Key_Tab);
        QCOMPARE(w.memo1()->text(), afterTab);
        w.typeAt(2, 2, Qt::Key_Backspace);
        QCOMPARE(w.memo1()->text(), afterBackspace);
        QVERIFY(w.modified());
    }

    // "Change Font..." of the macro editor: the macro editor and the highlighter's sample take
    // the whole font, the popup editor only its name; Cancel changes nothing.
    void editorFont()
    {
        Window w;
        QVERIFY(w.active());
        auto *memo3 = w.child<QsciScintilla>(QStringLiteral("Memo3"));
        const QFont popupBefore = w.memo2()->font();
        w.dialogs.fonts = {std::nullopt, chosenFont()};

        w.clickOption("Button3");
        QCOMPARE(w.dialogs.fontsShown.size(), 1);
        QCOMPARE(w.dialogs.fontsShown.first(), w.editor()->textFont());
        QCOMPARE(w.memo2()->font(), popupBefore);
        QVERIFY(w.editor()->textFont() != chosenFont());

        w.clickOption("Button3");
        QCOMPARE(w.editor()->textFont(), chosenFont());
        QCOMPARE(SampleFace(*memo3), qMakePair(chosenFont().family(), chosenFont().pointSize()));
        QCOMPARE(w.memo2()->font().family(), chosenFont().family());
        QCOMPARE(w.memo2()->font().pointSize(), popupBefore.pointSize());
        QCOMPARE(w.memo2()->font().bold(), popupBefore.bold());
        // The name is kept as chosen, though the display draws a substitute.
        QCOMPARE(w.form.options().Font1.Name, std::optional(chosenFont().family()));
    }

    // With no font stored, the macro and popup editors draw in the desktop's fixed-pitch font,
    // so that columns line up and a TAB is as wide as its spaces; a stored font still wins.
    void editorsStartInAFixedPitchFont_data()
    {
        QTest::addColumn<QString>("stored");   // "Font1Name"; empty for none
        QTest::addColumn<bool>("fixedPitch");
        QTest::newRow("no font stored") << QString() << true;
        QTest::newRow("a stored font wins") << "DejaVu Serif" << false;
    }
    void editorsStartInAFixedPitchFont()
    {
        QFETCH(QString, stored);
        QFETCH(bool, fixedPitch);
        Machine machine;
        if (!stored.isEmpty())
            machine.setStored(QStringLiteral("Font1Name"), stored);
        std::unique_ptr<TForm1> form = machine.start();
        QVERIFY(form);
        const QString family = stored.isEmpty() ? DesktopFixedFont().family() : stored;
        for (const char *name : {"Memo1", "Memo2"}) {
            auto *editor = form->findChild<QsciScintilla *>(QLatin1String(name));
            Reveal(editor);
            QVERIFY(QTest::qWaitForWindowExposed(form.get()));
            for (const int style : {int(QsciScintillaBase::STYLE_DEFAULT), 0}) {
                QCOMPARE(StyleFont(*editor, style), family);
                const auto width = [editor, style](const char *text) {
                    return editor->SendScintilla(QsciScintillaBase::SCI_TEXTWIDTH, static_cast<unsigned long>(style), text);
                };
                QCOMPARE(width("iiii") == width("MMMM"), fixedPitch);
            }
        }
    }

    // The samples that ask for "Courier New" draw in a fixed-pitch face where the desktop
    // lacks that family.
    void courierNewFallsBackOnAFixedPitchFace_data()
    {
        QTest::addColumn<QString>("sample");
        for (const char *name : {"pSampleNormal", "pSampleBold", "pSampleBlink", "pSampleURL"})
            QTest::newRow(name) << name;
    }
    void courierNewFallsBackOnAFixedPitchFace()
    {
        QFETCH(QString, sample);
        Window w;
        QVERIFY(w.active());
        auto *label = w.child<QLabel>(sample);
        Reveal(label);
        QCOMPARE(label->font().family(), QStringLiteral("Courier New"));
        QCOMPARE(label->font().styleHint(), QFont::TypeWriter);
        const QFontMetrics drawn(label->font());
        QCOMPARE(drawn.horizontalAdvance(QStringLiteral("iiii")), drawn.horizontalAdvance(QStringLiteral("MMMM")));
    }

    // The menu font reaches the main menu, its menus and the context menu at once.
    void menuFont()
    {
        Window w;
        QVERIFY(w.active());
        w.dialogs.fonts = {std::nullopt, chosenFont()};
        const QFont before = w.form.menuBar()->font();
        w.clickOption("Button4");
        QCOMPARE(w.form.menuBar()->font(), before);
        w.clickOption("Button4");
        QCOMPARE(w.dialogs.fontsShown.last(), before);
        QCOMPARE(w.form.menuBar()->font(), chosenFont());
        for (const char *menu : {"MnFile", "Search1", "ConnectionTree1", "Help1", "pmTV"})
            QCOMPARE(w.child<QMenu>(QLatin1String(menu))->font(), chosenFont());
    }

    // The TAB modes are the editor's from the start: off by the presets, and as the user left
    // them at the next start.
    void tabModesTakeEffectAtStart()
    {
        Machine machine;
        const auto modes = [](const TForm1 &form) {
            const auto *editor = form.findChild<MacroEditor *>(QStringLiteral("Memo1"));
            return QList<bool>{editor->wantTabs(), editor->tabsToSpaces(), editor->smartTabs()};
        };
        {
            std::unique_ptr<TForm1> form = machine.start();
            QVERIFY(form);
            QCOMPARE(modes(*form), QList<bool>({false, false, false}));
            for (const char *box : {"cbAllowTAB", "cbTAB2Space", "cbSmartTAB"}) {
                auto *b = form->findChild<QCheckBox *>(QLatin1String(box));
                Reveal(b);
                QTest::keyClick(b, Qt::Key_Space);
                QVERIFY(b->isChecked());
            }
            QCOMPARE(modes(*form), QList<bool>({true, true, true}));
            QVERIFY(form->close());
        }
        std::unique_ptr<TForm1> again = machine.start();
        QVERIFY(again);
        QCOMPARE(modes(*again), QList<bool>({true, true, true}));
    }

    // Both fonts are kept with the options, names as chosen, and come back at the next start.
    void fontsSurviveARestart()
    {
        Machine machine;
        ScriptedStyleDialogs dialogs;
        QFont menuFont(QStringLiteral("Another Missing Face"));
        menuFont.setPointSize(13);
        dialogs.fonts = {chosenFont(), menuFont};
        {
            std::unique_ptr<TForm1> form = machine.start();
            QVERIFY(form);
            form->setStyleDialogs(&dialogs);
            for (const char *button : {"Button3", "Button4"}) {
                auto *b = form->findChild<QPushButton *>(QLatin1String(button));
                Reveal(b);
                QTest::mouseClick(b, Qt::LeftButton);
            }
        }
        std::unique_ptr<TForm1> again = machine.start();
        QVERIFY(again);
        auto *editor = again->findChild<MacroEditor *>(QStringLiteral("Memo1"));
        QCOMPARE(editor->textFont().family(), chosenFont().family());
        QCOMPARE(editor->textFont().pointSize(), 17);
        QVERIFY(editor->textFont().bold() && editor->textFont().italic());
        QCOMPARE(SampleFace(*again->findChild<QsciScintilla *>(QStringLiteral("Memo3"))),
                 qMakePair(chosenFont().family(), chosenFont().pointSize()));
        QCOMPARE(again->menuBar()->font().family(), menuFont.family());
        QCOMPARE(again->findChild<QMenu *>(QStringLiteral("MnFile"))->font().pointSize(), 13);
    }

    // An option control taking the focus clears the insert mode an editor showed: here the
    // tree's name editor, which stays in sight beside the page.
    void optionControlClearsTheInsertMode_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("General") << "cbAutoSave";
        QTest::newRow("General, a list") << "CBDelay";
        QTest::newRow("Macro Editor") << "cbAllowTAB";
        QTest::newRow("Macro Editor, a font button") << "Button3";
    }
    void optionControlClearsTheInsertMode()
    {
        QFETCH(QString, control);
        Window w;
        QVERIFY(w.active());
        auto *option = w.child<QWidget>(control);
        Reveal(option);
        w.click(w.at("0"));
        w.form.tree()->setFocus();
        w.press(Qt::Key_F2);
        QTRY_COMPARE(w.panel(3)->text(), QStringLiteral("INS"));
        option->setFocus();
        QTRY_VERIFY(option->hasFocus());
        QCOMPARE(w.panel(3)->text(), QString());
    }
};

QTEST_MAIN(TestTForm1Options)
#include "tst_tform1_options.moc"
