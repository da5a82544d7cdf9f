#include "EditorStyles.h"
#include "MainWindowFixture.h"
#include "Reveal.h"
#include "WindowMachine.h"
#include "macrolang/MacroAttributeSet.h"
#include "mainwindow/HighlighterPage.h"
#include "shell/ProgramOptions.h"
#include "support/ScriptedStyleDialogs.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>

#include <cstdlib>

Q_DECLARE_METATYPE(MacroAttribute)

namespace {

using Sci = QsciScintillaBase;

const QString ResetQuestion =
    QStringLiteral("Are you sure you want to reset all colors and styles to their default values?");

void clickButton(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
}

void chooseElement(HighlighterPage &page, int element)
{
    QListWidget *list = page.Elements();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(element)).center());
}

// The page alone over an attribute set of its own, with scripted boxes and colour dialogs.
struct Page
{
    MacroAttributeSet attributes;
    ScriptedPrompter prompter;
    ScriptedStyleDialogs dialogs;
    HighlighterPage page;

    Page()
    {
        page.setup(attributes, prompter, dialogs);
        page.resize(700, 500);
        page.show();
    }

    void choose(int element) { chooseElement(page, element); }
    void click(QAbstractButton *button) { clickButton(button); }

    // "Bold" "Italic" "Underline" as shown: "-" disabled, "0" clear, "1" checked.
    QString styleBoxes() const
    {
        QString shown;
        for (const QCheckBox *box : {page.cbElemBold(), page.cbElemItalic(), page.cbElemUnderline()})
            shown += !box->isEnabled() ? u'-' : box->isChecked() ? u'1' : u'0';
        return shown;
    }
};

// Whether Editor shows Color among the pixels of line Line.
bool lineShows(QsciScintilla *editor, int line, const QColor &color)
{
    const long start = editor->SendScintilla(Sci::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    const int top = int(editor->SendScintilla(Sci::SCI_POINTYFROMPOSITION, 0UL, start));
    const int height = int(editor->SendScintilla(Sci::SCI_TEXTHEIGHT, static_cast<unsigned long>(line)));
    const QImage image = editor->viewport()->grab().toImage();
    int count = 0;
    for (int y = top; y < top + height && y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += QColor(image.pixel(x, y)) == color;
    return count > 20;
}

// The style of the first character of Line.
int styleAtLine(const QsciScintilla &editor, int line)
{
    const long pos = editor.SendScintilla(Sci::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    return int(editor.SendScintilla(Sci::SCI_GETSTYLEAT, static_cast<unsigned long>(pos)));
}

} // namespace

class TestHighlighterPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The sample is coloured with the window's attribute set and follows its changes.
    void sampleFollowsTheAttributes()
    {
        Page p;
        QsciScintilla *sample = p.page.Memo3();
        sample->SendScintilla(Sci::SCI_COLOURISE, 0UL, -1L);
        // A comment, then "wait", a keyword.
        QCOMPARE(styleAtLine(*sample, 0), int(MacroAttribute::CommentAttri));
        QCOMPARE(styleAtLine(*sample, 1), int(MacroAttribute::KeyAttri));
        QCOMPARE(StyleColor(*sample, Sci::SCI_STYLEGETFORE, int(MacroAttribute::KeyAttri)), QColor(0, 0, 128));
        p.attributes.setForeground(MacroAttribute::KeyAttri, 0x0000FF);
        QCOMPARE(StyleColor(*sample, Sci::SCI_STYLEGETFORE, int(MacroAttribute::KeyAttri)), QColor(255, 0, 0));
    }

    // "EditorBgColor" is the sample's background in every style, a system colour drawn as the
    // palette says; the macro editor is told; the stored value is saved as it came.
    void editorBackground_data()
    {
        QTest::addColumn<quint32>("stored");
        QTest::addColumn<bool>("system");
        QTest::newRow("a colour") << quint32(0x00C0FFEE) << false;
        QTest::newRow("the system's window colour") << StoredColor::SystemWindow << true;
    }

    void editorBackground()
    {
        QFETCH(quint32, stored);
        QFETCH(bool, system);
        Page p;
        QSignalSpy told(&p.page, &HighlighterPage::editorColorsChanged);
        ProgramOptions options;
        options.EditorBgColor = stored;
        p.page.loadOptions(options);
        const QColor expected = system ? p.page.Memo3()->palette().color(QPalette::Base) : QColor(0xEE, 0xFF, 0xC0);
        QCOMPARE(p.page.editorColors().background, expected);
        for (int style = 0; style < MacroAttributeCount; ++style)
            QCOMPARE(StyleColor(*p.page.Memo3(), Sci::SCI_STYLEGETBACK, style), expected);
        QCOMPARE(told.count(), 1);
        QCOMPARE(told.first().first().value<EditorColors>().background, expected);
        ProgramOptions saved;
        p.page.saveOptions(saved);
        QCOMPARE(saved.EditorBgColor, stored);
    }

    // The sample shows the macro editor's font, each attribute with its own weight.
    void editorFont()
    {
        Page p;
        QsciScintilla *sample = p.page.Memo3();
        QFont font(QStringLiteral("Liberation Mono"), 14);
        p.page.setEditorFont(font);
        for (const MacroAttribute a : {MacroAttribute::CommentAttri, MacroAttribute::KeyAttri}) {
            const int style = int(a);
            QCOMPARE(StyleFont(*sample, style), font.family());
            QCOMPARE(sample->SendScintilla(Sci::SCI_STYLEGETSIZE, static_cast<unsigned long>(style)), 14L);
        }
        QVERIFY(std::abs(sample->SendScintilla(Sci::SCI_STYLEGETWEIGHT,
                                               static_cast<unsigned long>(int(MacroAttribute::KeyAttri)))) >=
                QFont::DemiBold);
        QVERIFY(sample->SendScintilla(Sci::SCI_STYLEGETITALIC, static_cast<unsigned long>(int(MacroAttribute::CommentAttri))));
    }

    // An attribute shows its styles, the editor's colours have none; "WhiteSpace" has no
    // colour of its own.
    void elementsShowTheirControls_data()
    {
        QTest::addColumn<int>("element");
        QTest::addColumn<QString>("styles");
        QTest::addColumn<bool>("colour");
        QTest::newRow("Reserved word") << 0 << "100" << true;
        QTest::newRow("Identifier") << 1 << "000" << true;
        QTest::newRow("WhiteSpace") << 3 << "000" << false;
        QTest::newRow("Comment") << 6 << "010" << true;
        QTest::newRow("Operation") << 7 << "100" << true;
        QTest::newRow("Wexmora key word") << 8 << "000" << true;
        QTest::newRow("Selected color foreground") << 9 << "---" << true;
        QTest::newRow("Background color") << 12 << "---" << true;
    }
    void elementsShowTheirControls()
    {
        QFETCH(int, element);
        QFETCH(QString, styles);
        QFETCH(bool, colour);
        Page p;
        QCOMPARE(p.page.Elements()->count(), 13);
        QCOMPARE(p.page.Elements()->currentRow(), 0);
        // From a bold one, so that what the element shows is its own.
        p.choose(7);
        p.choose(element);
        QCOMPARE(p.styleBoxes(), styles);
        QCOMPARE(p.page.btnChangeTTMColors()->isEnabled(), colour);
        QCOMPARE(p.attributes.attributes(), MacroAttributeSet::defaults());
    }

    // A style box sets or clears one style of the attribute the list shows at that place.
    void styleBoxesEditTheChosenAttribute_data()
    {
        QTest::addColumn<int>("element");
        QTest::addColumn<QString>("box");
        QTest::addColumn<MacroAttribute>("attribute");
        QTest::addColumn<int>("style");
        QTest::newRow("Comment: bold besides italic")
            << 6 << "cbElemBold" << MacroAttribute::CommentAttri << (FontStyleBits::Italic | FontStyleBits::Bold);
        QTest::newRow("Reserved word: bold off") << 0 << "cbElemBold" << MacroAttribute::KeyAttri << 0;
        QTest::newRow("Label: underline") << 4 << "cbElemUnderline" << MacroAttribute::LabelsAttri
                                          << FontStyleBits::Underline;
        QTest::newRow("WhiteSpace: italic") << 3 << "cbElemItalic" << MacroAttribute::SpaceAttri
                                            << FontStyleBits::Italic;
        QTest::newRow("System variable: bold") << 5 << "cbElemBold" << MacroAttribute::SysVarsAttri
                                               << FontStyleBits::Bold;
        QTest::newRow("Wexmora key word: italic") << 8 << "cbElemItalic" << MacroAttribute::WexmoraVarsAttri
                                                  << FontStyleBits::Italic;
    }
    void styleBoxesEditTheChosenAttribute()
    {
        QFETCH(int, element);
        QFETCH(QString, box);
        QFETCH(MacroAttribute, attribute);
        QFETCH(int, style);
        Page p;
        QSignalSpy changed(&p.attributes, &MacroAttributeSet::changed);
        p.choose(element);
        QCOMPARE(changed.size(), 0);
        p.click(p.page.findChild<QCheckBox *>(box));
        QList<HighlighterAttribute> expected = MacroAttributeSet::defaults();
        expected[int(attribute)].Style = style;
        QCOMPARE(p.attributes.attributes(), expected);
        QCOMPARE(changed.size(), 1);
    }

    // The colour dialog starts at the element's colour; its choice goes to that element, and
    // the macro editor takes the sample's colours, chosen or not.
    void colourButton_data()
    {
        QTest::addColumn<int>("element");
        QTest::addColumn<QColor>("start");
        QTest::addColumn<bool>("chosen");
        QTest::newRow("Identifier, chosen") << 1 << QColor(0, 0x80, 0x80) << true;
        QTest::newRow("Identifier, cancelled") << 1 << QColor(0, 0x80, 0x80) << false;
        QTest::newRow("Comment, chosen") << 6 << QColor(0, 0x80, 0) << true;
        QTest::newRow("Active line color, chosen") << 11 << QColor(Qt::yellow) << true;
        QTest::newRow("Background color, cancelled") << 12 << QColor() << false;
    }
    void colourButton()
    {
        QFETCH(int, element);
        QFETCH(QColor, start);
        QFETCH(bool, chosen);
        Page p;
        const QColor picked(0x12, 0x34, 0x56);
        p.dialogs.colors = {chosen ? std::optional(picked) : std::nullopt};
        const EditorColors colorsBefore = p.page.editorColors();
        QSignalSpy toEditor(&p.page, &HighlighterPage::editorColorsChanged);
        p.choose(element);
        p.click(p.page.btnChangeTTMColors());
        QCOMPARE(p.dialogs.colorsShown.size(), 1);
        QCOMPARE(p.dialogs.colorsShown.first(), start.isValid() ? start : p.page.palette().color(QPalette::Base));
        QCOMPARE(toEditor.size(), 1);

        QList<HighlighterAttribute> attributes = MacroAttributeSet::defaults();
        EditorColors colors = colorsBefore;
        if (chosen && element == 1)
            attributes[int(MacroAttribute::IdentifierAttri)].Foreground = 0x563412;
        if (chosen && element == 6)
            attributes[int(MacroAttribute::CommentAttri)].Foreground = 0x563412;
        if (chosen && element == 11)
            colors.activeLine = picked;
        QCOMPARE(p.attributes.attributes(), attributes);
        QCOMPARE(p.page.editorColors(), colors);
    }

    // The reset asks first; Yes puts back every attribute and the four colours and selects the
    // sample's fourth line again; either way the list goes back to "Reserved word".
    void resetToDefaults_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("yes") << int(Prompter::Yes);
        QTest::newRow("no") << int(Prompter::No);
    }
    void resetToDefaults()
    {
        QFETCH(int, answer);
        Page p;
        const QColor picked(0x12, 0x34, 0x56);
        p.dialogs.colors = {picked, picked};
        p.choose(6);
        p.click(p.page.cbElemUnderline());
        p.click(p.page.btnChangeTTMColors());
        p.choose(10);
        p.click(p.page.btnChangeTTMColors());
        p.page.Memo3()->setSelection(0, 0, 0, 4);
        const QList<HighlighterAttribute> edited = p.attributes.attributes();
        const EditorColors editedColors = p.page.editorColors();
        p.choose(5);

        p.prompter.queue(Prompter::Answer(answer));
        QSignalSpy toEditor(&p.page, &HighlighterPage::editorColorsChanged);
        p.click(p.page.Button2());
        QCOMPARE(p.prompter.texts(), QStringList{ResetQuestion});
        QCOMPARE(p.prompter.boxes().first().kind, Prompter::Kind::Confirmation);
        QCOMPARE(p.prompter.boxes().first().buttons, Prompter::Buttons::YesNo);
        QCOMPARE(p.page.Elements()->currentRow(), 0);
        QCOMPARE(p.styleBoxes(), QStringLiteral("100"));

        QsciScintilla *memo3 = p.page.Memo3();
        int l1, i1, l2, i2;
        memo3->getSelection(&l1, &i1, &l2, &i2);
        const QPalette &palette = p.page.palette();
        if (answer == Prompter::Yes) {
            QCOMPARE(p.attributes.attributes(), MacroAttributeSet::defaults());
            const EditorColors defaults{palette.color(QPalette::HighlightedText), palette.color(QPalette::Highlight),
                                        QColor(Qt::yellow), palette.color(QPalette::Base)};
            QCOMPARE(p.page.editorColors(), defaults);
            QCOMPARE(toEditor.size(), 1);
            // "sendln 'yes'" with its line break, shown in the system's highlight colour.
            QCOMPARE((QList<int>{l1, i1, l2, i2}), (QList<int>{3, 0, 4, 0}));
            QVERIFY(lineShows(memo3, 3, palette.color(QPalette::Highlight)));
            // The line after it is the active one, yellow though the sample has no focus.
            QVERIFY(lineShows(memo3, 4, QColor(Qt::yellow)));
        } else {
            QCOMPARE(p.attributes.attributes(), edited);
            QCOMPARE(p.page.editorColors(), editedColors);
            QCOMPARE(toEditor.size(), 0);
            QCOMPARE((QList<int>{l1, i1, l2, i2}), (QList<int>{0, 0, 0, 4}));
            QVERIFY(lineShows(memo3, 0, picked));
        }
    }

    // The window's one attribute set colours every macro editor: a change on the page reaches
    // the macro editor and the sample at once, and the macro editor takes the four colours.
    void changesReachBothEditors()
    {
        MainWindowFixture f;
        ScriptedStyleDialogs dialogs;
        f.form.setStyleDialogs(&dialogs);
        auto *memo3 = f.child<QsciScintilla>(QStringLiteral("Memo3"));
        // Both editors show syntax highlighting, each through a lexer of its own.
        QVERIFY(f.memo1()->lexer() && memo3->lexer() && f.memo1()->lexer() != memo3->lexer());
        auto *page = f.child<HighlighterPage>(QStringLiteral("TSS3"));
        Reveal(page);
        const QColor red(0xC0, 0, 0);
        const QColor paper(0xF0, 0xF0, 0xE0);
        dialogs.colors = {red, paper};

        clickButton(page->btnChangeTTMColors());
        for (QsciScintilla *editor : {f.memo1(), memo3})
            QCOMPARE(StyleColor(*editor, Sci::SCI_STYLEGETFORE, int(MacroAttribute::KeyAttri)), red);
        clickButton(page->cbElemBold());
        for (QsciScintilla *editor : {f.memo1(), memo3})
            QVERIFY(!editor->SendScintilla(Sci::SCI_STYLEGETBOLD, static_cast<unsigned long>(MacroAttribute::KeyAttri)));

        chooseElement(*page, 12);
        clickButton(page->btnChangeTTMColors());
        for (QsciScintilla *editor : {f.memo1(), memo3})
            QCOMPARE(StyleColor(*editor, Sci::SCI_STYLEGETBACK, Sci::STYLE_DEFAULT), paper);
    }

    // The chosen selection colours show in the sample and in the macro editor whichever
    // program owns the desktop's selection: the display tells the program when another one
    // takes it, and the selections are still drawn in those colours, not in a grey.
    void selectionKeepsItsColoursWhenAnotherProgramSelects()
    {
        MainWindowFixture f("a");
        ScriptedStyleDialogs dialogs;
        f.form.setStyleDialogs(&dialogs);
        QVERIFY(f.active());
        f.click(f.at(QStringLiteral("0")));
        Reveal(f.memo1());
        QTest::mouseClick(f.memo1()->viewport(), Qt::LeftButton);
        QTRY_VERIFY(f.memo1()->hasFocus());
        QTest::keyClicks(f.memo1(), QStringLiteral("sendln 'yes' and more text to select"));
        QTest::keyClick(f.memo1(), Qt::Key_Home, Qt::ShiftModifier);
        QVERIFY(f.memo1()->hasSelectedText());

        auto *page = f.child<HighlighterPage>(QStringLiteral("TSS3"));
        auto *memo3 = f.child<QsciScintilla>(QStringLiteral("Memo3"));
        Reveal(page);
        const QColor chosen(0x20, 0x90, 0x30);
        dialogs.colors = {chosen};
        chooseElement(*page, 10);
        clickButton(page->btnChangeTTMColors());
        QVERIFY(lineShows(memo3, 3, chosen));

        Q_EMIT QGuiApplication::clipboard()->selectionChanged();
        QCoreApplication::processEvents();
        QVERIFY(lineShows(memo3, 3, chosen));
        QVERIFY(!lineShows(memo3, 3, QColor(0xB0, 0xB0, 0xB0)));
        Reveal(f.memo1());
        QVERIFY(lineShows(f.memo1(), 0, chosen));
    }

    // The attributes and the four colours are kept with the options.
    void changesSurviveARestart()
    {
        Machine machine;
        ScriptedStyleDialogs dialogs;
        const QColor red(0xC0, 0, 0);
        const QColor line(0xE0, 0xFF, 0xE0);
        dialogs.colors = {red, line};
        {
            std::unique_ptr<TForm1> form = machine.start();
            QVERIFY(form);
            form->setStyleDialogs(&dialogs);
            auto *page = form->findChild<HighlighterPage *>(QStringLiteral("TSS3"));
            Reveal(page);
            for (int element : {6, 11}) {
                chooseElement(*page, element);
                clickButton(page->btnChangeTTMColors());
            }
            chooseElement(*page, 6);
            clickButton(page->cbElemBold());
        }
        std::unique_ptr<TForm1> again = machine.start();
        QVERIFY(again);
        const HighlighterAttribute &comment = again->highlighterAttributes().attribute(MacroAttribute::CommentAttri);
        QCOMPARE(comment.Foreground, 0x0000C0u);
        QCOMPARE(comment.Style, FontStyleBits::Italic | FontStyleBits::Bold);
        auto *page = again->findChild<HighlighterPage *>(QStringLiteral("TSS3"));
        QCOMPARE(page->editorColors().activeLine, line);
        QCOMPARE(page->Elements()->currentRow(), 0);
        auto *memo1 = again->findChild<QsciScintilla *>(QStringLiteral("Memo1"));
        const long bgr = memo1->SendScintilla(Sci::SCI_GETCARETLINEBACK);
        QCOMPARE(QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF)), line);
    }
};

QTEST_MAIN(TestHighlighterPage)
#include "tst_highlighterpage.moc"
