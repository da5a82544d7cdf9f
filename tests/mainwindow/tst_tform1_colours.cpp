#include "EditorStyles.h"
#include "macrolang/MacroAttributeSet.h"
#include "mainwindow/ColorsPage.h"
#include "mainwindow/CoverPanel.h"
#include "mainwindow/HighlighterPage.h"
#include "mainwindow/MacroEditor.h"
#include "mainwindow/MacroEditorSettingsPage.h"
#include "mainwindow/MacroPage.h"
#include "mainwindow/SettingsPage.h"
#include "MainWindowFixture.h"
#include "TriggerAsUser.h"
#include "WindowMachine.h"
#include "platform/AppPaths.h"
#include "platform/Help.h"
#include "platform/ShellOpen.h"
#include "shell/HighlighterAttributeStore.h"
#include "table/ColorSet.h"
#include "table/UrlCodec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTest>

namespace {

using Sci = QsciScintillaBase;

// TeraTerm's colours: normal text 1,2,3 on 4,5,6.
const QByteArray kTeraTermIni("[Tera Term]\r\n"
                              "VTColor=1,2,3,4,5,6\r\n"
                              "VTBoldColor=7,8,9,10,11,12\r\n"
                              "VTBlinkColor=13,14,15,16,17,18\r\n"
                              "URLColor=19,20,21,22,23,24\r\n");

ColorSet scheme(int i)
{
    ColorSet set;
    ParseColorSet(ColorSchemes[i].text, set);
    return set;
}

void click(QWidget *w)
{
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(4, w->height() / 2));
}

// The window with a TeraTerm folder and two connections: "Alpha" green on black with a
// macro, "Beta" without colours of its own.
struct Window : MainWindowFixture
{
    ConnectionNode *alpha = nullptr;
    ConnectionNode *beta = nullptr;
    bool ready = false;

    Window()
    {
        ready = program.write(QStringLiteral("teraterm.ini"), kTeraTermIni)
            && program.write(QStringLiteral("ttermpro.exe"), QByteArray());
        rVTNodeData a;
        a.Name = "Alpha";
        a.Macro = UrlEncode("connect 'host'\r\nwait 'x'", true);
        a.Colors = ColorSchemes[4].text;
        alpha = doc().tree().addChild(doc().RootNode(), a);
        rVTNodeData b;
        b.Name = "Beta";
        b.Macro = UrlEncode("sendln 'b'", true);
        beta = doc().tree().addChild(doc().RootNode(), b);
        form.tree()->expandAll();
    }

    MacroEditorSettingsPage *editorSettings() const { return form.settingsPage()->macroEditor(); }
    HighlighterPage *highlighter() const { return form.settingsPage()->highlighter(); }
    MacroEditor *editor() const { return form.macroPage()->Memo1(); }

    // Shows the node as the user gets there: a click, then the refresh fills the pages.
    void show(const ConnectionNode *n)
    {
        click(n);
        QTRY_COMPARE(memo1()->text(), QString::fromUtf8(UrlDecode(n->data.Macro)));
    }
    // The settings page "Macro Editor" in front.
    void showEditorSettings()
    {
        pages()->setCurrentIndex(0);
        form.settingsPage()->PGSettings()->setCurrentIndex(2);
    }
    // The connection colours the macro editor shows: text and background of its one style.
    QPair<QColor, QColor> editorColors() const
    {
        return {StyleColor(*editor(), Sci::SCI_STYLEGETFORE, 0), StyleColor(*editor(), Sci::SCI_STYLEGETBACK, 0)};
    }
};

} // namespace

class TestTForm1Colours : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // "Connection colors": the macro editor shows the shown connection's stored Normal colours
    // (TeraTerm's for one without its own), without highlighting or gutter, and the
    // Highlighter page is covered. "Syntax highlighting" brings all back.
    void colouringFollowsTheChoice()
    {
        Window w;
        QVERIFY(w.ready);
        QVERIFY(w.active());
        w.show(w.alpha);
        QVERIFY(w.editor()->lexer());
        QVERIFY(w.highlighter()->Panel1()->isHidden());

        w.showEditorSettings();
        click(w.editorSettings()->rbUseColorInEditor());
        QVERIFY(!w.editor()->lexer());
        QCOMPARE(w.editor()->marginWidth(0), 0);
        QCOMPARE(w.editorColors(), qMakePair(QColor(0, 255, 0), QColor(0, 0, 0)));
        QVERIFY(!w.highlighter()->Panel1()->isHidden());

        w.show(w.beta);
        QCOMPARE(w.editorColors(), qMakePair(QColor(1, 2, 3), QColor(4, 5, 6)));

        w.showEditorSettings();
        click(w.editorSettings()->rbSyntax());
        QVERIFY(w.editor()->lexer());
        QVERIFY(w.editor()->marginWidth(0) > 0);
        QCOMPARE(StyleColor(*w.editor(), Sci::SCI_STYLEGETBACK, int(MacroAttribute::KeyAttri)),
                 w.highlighter()->editorColors().background);
        QVERIFY(w.highlighter()->Panel1()->isHidden());
    }

    // Unapplied colour edits stay on the colours page when the editor switches to the
    // connection's colours, which are the stored ones.
    void connectionColoursAreTheStoredOnes()
    {
        Window w;
        QVERIFY(w.ready);
        QVERIFY(w.active());
        w.show(w.alpha);
        w.pages()->setCurrentIndex(3);
        ColorsPage *colors = w.form.colorsPage();
        colors->S2()->setFocus();
        QTest::keyClick(colors->S2(), Qt::Key_Left);
        QVERIFY(w.modified());
        ColorSet edited = scheme(4);
        edited.at(ColorSet::Normal, false, 1) = 254;
        QCOMPARE(colors->colorSet(), edited);

        w.showEditorSettings();
        click(w.editorSettings()->rbUseColorInEditor());
        QCOMPARE(colors->colorSet(), edited);
        QVERIFY(w.modified());
        QCOMPARE(w.editorColors(), qMakePair(QColor(0, 255, 0), QColor(0, 0, 0)));
    }

    // "Disable color support": the editor goes back to syntax highlighting, the colouring
    // choices lock, and the colours page is covered at once.
    void disablingColourSupport()
    {
        Window w;
        QVERIFY(w.ready);
        QVERIFY(w.active());
        w.show(w.alpha);
        w.showEditorSettings();
        click(w.editorSettings()->rbUseColorInEditor());
        QVERIFY(!w.editor()->lexer());
        CoverPanel *cover = w.form.colorsPage()->TS3Panel();
        QVERIFY(cover->isHidden());

        click(w.editorSettings()->cbNoColors());
        QVERIFY(w.editor()->lexer());
        QVERIFY(w.highlighter()->Panel1()->isHidden());
        QVERIFY(!w.editorSettings()->rbUseColorInEditor()->isEnabled());
        QVERIFY(!cover->isHidden());
        QCOMPARE(cover->text(), QStringLiteral("Color support is disabled"));

        click(w.editorSettings()->cbNoColors());
        QVERIFY(cover->isHidden());
        QVERIFY(w.editorSettings()->rbUseColorInEditor()->isEnabled());
    }

    // The user picks a scheme and moves a bar; Apply stores the set's text, and a run hands
    // TeraTerm those colours in its ini copy.
    void appliedColoursReachARun()
    {
        Window w;
        QVERIFY(w.ready);
        QList<StartCommand> starts;
        ShellOpen::setStarterForTesting([&starts](const StartCommand &c) {
            starts << c;
            return true;
        });
        QVERIFY(w.active());
        w.show(w.alpha);
        w.pages()->setCurrentIndex(3);
        ColorsPage *colors = w.form.colorsPage();
        colors->cbSchema()->setFocus();
        QTest::keyClick(colors->cbSchema(), Qt::Key_Home);
        colors->S1()->setFocus();
        QTest::keyClick(colors->S1(), Qt::Key_PageUp);
        ColorSet expected = scheme(0);
        expected.at(ColorSet::Normal, false, 0) = 20;
        QCOMPARE(colors->colorSet(), expected);
        QVERIFY(w.modified());

        QVERIFY(TriggerAsUser(w.action("mnApply")));
        QCOMPARE(w.alpha->data.Colors, FormatColorSet(expected));
        QVERIFY(!w.modified());

        QVERIFY(TriggerAsUser(w.action("MnExecute")));
        ShellOpen::setStarterForTesting({});
        QCOMPARE(starts.size(), 1);
        const QStringList copies = QDir(w.program.filePath(QStringLiteral("Temp_TTL")))
                                       .entryList({QStringLiteral("~TTiniC*.ini")}, QDir::Files);
        QCOMPARE(copies.size(), 1);
        const QByteArray ini = w.program.read(QStringLiteral("Temp_TTL/") + copies.first());
        QVERIFY2(ini.contains("VTColor=20,0,0,255,255,216\r\n"), ini.constData());
        QVERIFY(ini.contains("VTBoldColor=0,0,255,255,255,216\r\n"));
        QVERIFY(ini.contains("URLColor=0,0,255,255,255,216\r\n"));
    }

    // Ctrl+F1 in the window reaches the macro editor: no command of the window takes it.
    void helpKeyInTheWindow()
    {
        Window w;
        QVERIFY(w.ready);
        QVERIFY(w.program.write(QStringLiteral("macro.hlp"), "help"));
        QStringList opened;
        Help::setViewerForTesting([&opened](const QString &file, int context) {
            opened << QStringLiteral("%1 %2").arg(QFileInfo(file).fileName()).arg(context);
            return Help::Result::Opened;
        });
        QVERIFY(w.active());
        w.show(w.alpha);
        w.pages()->setCurrentIndex(1);
        w.editor()->setFocus();
        w.editor()->setCursorPosition(1, 2);
        QTest::keyClick(w.editor(), Qt::Key_F1, Qt::ControlModifier);
        Help::setViewerForTesting({});
        QCOMPARE(opened, QStringList{QStringLiteral("macro.hlp 10360")});
        QVERIFY(!w.modified());
    }

    // The highlighter's attributes and the editor background come with the options and go
    // back with them; both editors follow one change of an attribute.
    void attributesWithTheOptions()
    {
        Machine m;
        QVERIFY(m.folder.write(QStringLiteral("teraterm.ini"), kTeraTermIni));
        QVERIFY(m.folder.write(QStringLiteral("ttermpro.exe"), QByteArray()));
        QList<HighlighterAttribute> stored = MacroAttributeSet::defaults();
        stored[int(MacroAttribute::KeyAttri)].Foreground = 0x0000FF;
        QVERIFY(HighlighterAttributeStore::save(*m.registry, stored));
        QVERIFY(m.registry->writeDword(ProgramRegHive, ProgramRegKey, QStringLiteral("EditorBgColor"), 0x00DDEEFF));
        auto form = m.start();
        QVERIFY(form);
        QsciScintilla *memo1 = form->macroPage()->Memo1();
        QsciScintilla *memo3 = form->settingsPage()->highlighter()->Memo3();
        const int key = int(MacroAttribute::KeyAttri);
        const int comment = int(MacroAttribute::CommentAttri);
        for (QsciScintilla *editor : {memo1, memo3}) {
            QCOMPARE(StyleColor(*editor, Sci::SCI_STYLEGETFORE, key), QColor(255, 0, 0));
            QCOMPARE(StyleColor(*editor, Sci::SCI_STYLEGETBACK, comment), QColor(0xFF, 0xEE, 0xDD));
        }

        form->highlighterAttributes().setForeground(MacroAttribute::CommentAttri, 0x00FF00);
        for (QsciScintilla *editor : {memo1, memo3})
            QCOMPARE(StyleColor(*editor, Sci::SCI_STYLEGETFORE, comment), QColor(0, 255, 0));
        form->SaveSettingsAndNotify();
        const QList<HighlighterAttribute> saved = HighlighterAttributeStore::load(*m.registry, MacroAttributeSet::defaults());
        QCOMPARE(saved[comment].Foreground, 0x00FF00u);
        QCOMPARE(saved[key].Foreground, 0x0000FFu);
        QCOMPARE(m.registry->readDword(ProgramRegHive, ProgramRegKey, QStringLiteral("EditorBgColor")),
                 std::optional<quint32>(0x00DDEEFF));
    }
};

QTEST_MAIN(TestTForm1Colours)
#include "tst_tform1_colours.moc"
