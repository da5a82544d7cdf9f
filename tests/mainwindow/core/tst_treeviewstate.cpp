#include "mainwindow/core/TreeViewState.h"

#include <QTest>

Q_DECLARE_METATYPE(TreeViewState::Mode)

// The tree's width is 300 before the first command; each step is a command and the tree's
// width as the command finds it ("H" hide, "M" maximize, "R" restore).
class TestTreeViewState : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void restoreGivesBackTheWidthBesideThePages_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("restored");
        QTest::newRow("hide, maximize, restore: the width before hide")
            << QStringList{"H300", "M0", "R900"} << 300;
        QTest::newRow("maximize twice, restore: the width before the first")
            << QStringList{"M300", "M900", "R900"} << 300;
        QTest::newRow("maximize, hide, restore: the width before maximize")
            << QStringList{"M300", "H900", "R0"} << 300;
        QTest::newRow("hide twice: the width it had when first hidden")
            << QStringList{"H300", "H300", "R0"} << 300;
        QTest::newRow("restore before anything else keeps the width") << QStringList{"R280"} << 280;
        QTest::newRow("restore while beside the pages keeps a dragged width")
            << QStringList{"H300", "R0", "R410"} << 410;
    }
    void restoreGivesBackTheWidthBesideThePages()
    {
        QFETCH(QStringList, steps);
        QFETCH(int, restored);
        TreeViewState state;
        int width = -1;
        for (const QString &step : steps) {
            const int current = step.mid(1).toInt();
            switch (step.at(0).toLatin1()) {
            case 'H': state.hide(current); break;
            case 'M': state.maximize(current); break;
            default: width = state.restore(current); break;
            }
        }
        QCOMPARE(width, restored);
        QCOMPARE(state.mode(), TreeViewState::Mode::Restore);
    }

    // What the options keep for a tree that is hidden or alone: its width beside the pages.
    void widthBesidePages_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<TreeViewState::Mode>("mode");
        QTest::addColumn<int>("kept");
        QTest::newRow("beside the pages: as it is") << "" << TreeViewState::Mode::Restore << 900;
        QTest::newRow("hidden: as it was") << "H" << TreeViewState::Mode::Hide << 300;
        QTest::newRow("maximized: as it was") << "M" << TreeViewState::Mode::Maximize << 300;
    }
    void widthBesidePages()
    {
        QFETCH(QString, command);
        QFETCH(TreeViewState::Mode, mode);
        QFETCH(int, kept);
        TreeViewState state;
        if (command == QLatin1String("H"))
            state.hide(300);
        else if (command == QLatin1String("M"))
            state.maximize(300);
        QCOMPARE(state.mode(), mode);
        QCOMPARE(state.maximized(), mode == TreeViewState::Mode::Maximize);
        QCOMPARE(state.widthBesidePages(900), kept);
    }
};

QTEST_GUILESS_MAIN(TestTreeViewState)
#include "tst_treeviewstate.moc"
