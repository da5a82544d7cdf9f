#include "mainwindow/MacroEditorSettingsPage.h"
#include "shell/ProgramOptions.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

namespace {

// The check box and the two radio buttons as the user reaches them.
QList<bool> enabled(const MacroEditorSettingsPage &page)
{
    return {page.rbSyntax()->isEnabled(), page.rbUseColorInEditor()->isEnabled(), page.cbSameBkgr()->isEnabled()};
}

void click(QWidget *w)
{
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(4, w->height() / 2));
}

} // namespace

class TestMacroEditorSettingsPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Ticking "Disable color support" switches the editor to syntax highlighting, clears the
    // same background and locks the three choices; clearing it opens them again.
    void disablingColorSupport()
    {
        MacroEditorSettingsPage page;
        page.show();
        QVERIFY(QTest::qWaitForWindowActive(&page));
        QSignalSpy colouring(&page, &MacroEditorSettingsPage::colouringChanged);
        QSignalSpy support(&page, &MacroEditorSettingsPage::colorSupportChanged);
        click(page.rbUseColorInEditor());
        QVERIFY(page.connectionColors());
        QCOMPARE(colouring.count(), 1);
        QVERIFY(page.cbSameBkgr()->isChecked());

        click(page.cbNoColors());
        QVERIFY(page.rbSyntax()->isChecked());
        QVERIFY(!page.connectionColors());
        QVERIFY(!page.cbSameBkgr()->isChecked());
        QCOMPARE(enabled(page), (QList<bool>{false, false, false}));
        QCOMPARE(colouring.count(), 2);
        QCOMPARE(support.count(), 1);
        QCOMPARE(support.last().first().toBool(), true);

        click(page.cbNoColors());
        QCOMPARE(enabled(page), (QList<bool>{true, true, true}));
        QVERIFY(page.rbSyntax()->isChecked());
        QCOMPARE(colouring.count(), 2);
        QCOMPARE(support.last().first().toBool(), false);
    }

    // Loaded options show as stored; the choices are locked while colour support is off, and
    // the page saves what it shows.
    void loadsAndSaves_data()
    {
        QTest::addColumn<bool>("noColors");
        QTest::addColumn<bool>("connectionColors");
        QTest::addColumn<bool>("sameBackground");
        QTest::newRow("syntax highlighting") << false << false << true;
        QTest::newRow("connection colours") << false << true << false;
        QTest::newRow("colour support off") << true << false << false;
    }

    void loadsAndSaves()
    {
        QFETCH(bool, noColors);
        QFETCH(bool, connectionColors);
        QFETCH(bool, sameBackground);
        MacroEditorSettingsPage page;
        ProgramOptions options;
        options.NoColors = noColors;
        options.UseColorsInEditor = connectionColors;
        options.UseSameBackground = sameBackground;
        page.loadOptions(options);
        QCOMPARE(page.connectionColors(), connectionColors);
        QCOMPARE(page.rbSyntax()->isChecked(), !connectionColors);
        QCOMPARE(enabled(page), QList<bool>(3, !noColors));
        ProgramOptions saved;
        page.saveOptions(saved);
        QCOMPARE(saved.NoColors, noColors);
        QCOMPARE(saved.UseColorsInEditor, connectionColors);
        QCOMPARE(saved.UseSameBackground, sameBackground);
    }
};

QTEST_MAIN(TestMacroEditorSettingsPage)
#include "tst_macroeditorsettingspage.moc"
