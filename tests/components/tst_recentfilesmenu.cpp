#include "components/TMostRecentFiles.h"
#include "components/widgets/RecentFilesMenu.h"
#include "platform/Registry.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramFolder.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QMenu>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <optional>

namespace {

// A menu whose items are captioned by Layout ("-" a separator), with the list's items at
// Position.
struct Fixture
{
    TempProgramFolder folder;
    QTemporaryDir regDir;
    Registry registry{regDir.filePath(QStringLiteral("reg.sqlite3"))};
    ScriptedPrompter prompter;
    TMostRecentFiles list{registry, prompter};
    QMenu menu;
    RecentFilesMenu recent{list};

    Fixture(const QStringList &layout, int position)
    {
        list.setShowFullPath(true);
        for (const QString &caption : layout) {
            if (caption == QLatin1String("-"))
                menu.addSeparator();
            else
                menu.addAction(caption);
        }
        recent.setMenuPosition(position);
        recent.setOwnerMenuItem(&menu);
    }

    QStringList captions() const
    {
        QStringList out;
        for (const QAction *a : menu.actions())
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return out;
    }
    void setFiles(const QStringList &files)
    {
        for (auto it = files.crbegin(); it != files.crend(); ++it)
            list.AddFile(*it);
    }
    // Clicks Action in the open menu, as a user does.
    void click(QAction *action)
    {
        menu.popup(QPoint(0, 0));
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(action).center());
    }
};

QStringList fileMenu()
{
    QStringList items;
    for (int i = 1; i < 19; ++i)
        items << QStringLiteral("Item %1").arg(i);
    items << QStringLiteral("Close");
    return items;
}

} // namespace

class TestRecentFilesMenu : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void layout_data()
    {
        QTest::addColumn<QStringList>("menu");
        QTest::addColumn<int>("position");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("at the end of the File menu")
            << fileMenu() << 19 << QStringList{"/t/a", "/t/b"}
            << fileMenu() + QStringList{"-", "&1  /t/a", "&2  /t/b"};
        QTest::newRow("between two items: separators on both sides")
            << QStringList{"Open", "Close"} << 1 << QStringList{"/t/a"}
            << QStringList{"Open", "-", "&1  /t/a", "-", "Close"};
        QTest::newRow("next to separators: none added")
            << QStringList{"Open", "-", "-", "Close"} << 2 << QStringList{"/t/a"}
            << QStringList{"Open", "-", "&1  /t/a", "-", "Close"};
        QTest::newRow("at the top: no separator before")
            << QStringList{"Open"} << 0 << QStringList{"/t/a"}
            << QStringList{"&1  /t/a", "-", "Open"};
        QTest::newRow("a position past the end means the end")
            << QStringList{"Open"} << 7 << QStringList{"/t/a"}
            << QStringList{"Open", "-", "&1  /t/a"};
        QTest::newRow("an empty list shows nothing")
            << QStringList{"Open", "Close"} << 1 << QStringList() << QStringList{"Open", "Close"};
    }
    void layout()
    {
        QFETCH(QStringList, menu);
        QFETCH(int, position);
        QFETCH(QStringList, files);
        QFETCH(QStringList, expected);
        Fixture f(menu, position);
        f.setFiles(files);
        QCOMPARE(f.captions(), expected);
        // Shown anew, not added twice.
        f.list.setShowFullPath(false);
        f.list.setShowFullPath(true);
        QCOMPARE(f.captions(), expected);
    }

    // Every change of the list shows at once.
    void followsTheList()
    {
        Fixture f({QStringLiteral("Open"), QStringLiteral("Close")}, 2);
        f.setFiles({QStringLiteral("/t/a"), QStringLiteral("/t/b")});
        f.list.AddFile(QStringLiteral("/t/b"));
        f.list.setShowFullPath(false);
        QCOMPARE(f.captions(), (QStringList{"Open", "Close", "-", "&1  b", "&2  a"}));
        f.list.setRegPath(QStringLiteral("Software\\Empty"));
        QCOMPARE(f.captions(), (QStringList{"Open", "Close"}));
    }

    // A click goes to the list: the clicked file moves to the top and is opened.
    void clickOpensAndMovesToTop()
    {
        Fixture f({QStringLiteral("Open")}, 1);
        f.folder.write(QStringLiteral("a.QDZ"), "x");
        f.folder.write(QStringLiteral("b.QDZ"), "x");
        const QString a = f.folder.filePath(QStringLiteral("a.QDZ"));
        const QString b = f.folder.filePath(QStringLiteral("b.QDZ"));
        f.setFiles({a, b});
        QStringList opened;
        f.list.setOnMenuClick([&](const QString &name) { opened << name; });
        f.click(f.recent.entryActions().at(1));
        QCOMPARE(opened, QStringList{b});
        QCOMPARE(f.list.files(), (QStringList{b, a}));
        QCOMPARE(f.recent.entryActions().at(0)->text(), QStringLiteral("&1  ") + b);
    }

    // The clicked item is replaced while its click runs (the list moved or dropped it), yet
    // lives until the click is over, also through a modal loop inside it; then it is freed.
    void clickedItemOutlivesItsClick_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::newRow("opened") << true;
        QTest::newRow("vanished") << false;
    }
    void clickedItemOutlivesItsClick()
    {
        QFETCH(bool, exists);
        Fixture f({QStringLiteral("Open")}, 1);
        f.folder.write(QStringLiteral("a.QDZ"), "x");
        if (exists)
            f.folder.write(QStringLiteral("b.QDZ"), "x");
        f.setFiles({f.folder.filePath(QStringLiteral("a.QDZ")), f.folder.filePath(QStringLiteral("b.QDZ"))});
        QPointer<QAction> clicked = f.recent.entryActions().at(1);
        bool aliveInside = false;
        const auto handler = [&](const QString &) {
            QEventLoop modal;
            QTimer::singleShot(0, &modal, &QEventLoop::quit);
            modal.exec();
            aliveInside = clicked && !f.menu.actions().contains(clicked.data());
        };
        f.list.setOnMenuClick(handler);
        f.list.setOnFileNotExist(handler);
        f.click(clicked);
        QVERIFY(aliveInside);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!clicked);
    }

    // The menu going away leaves the list without one, and nothing dangling.
    void ownerMenuDestroyed()
    {
        TempProgramFolder folder;
        QTemporaryDir regDir;
        Registry registry(regDir.filePath(QStringLiteral("reg.sqlite3")));
        ScriptedPrompter prompter;
        TMostRecentFiles list(registry, prompter);
        RecentFilesMenu recent(list);
        auto *menu = new QMenu;
        recent.setOwnerMenuItem(menu);
        list.AddFile(QStringLiteral("/t/a"));
        delete menu;
        QVERIFY(!recent.OwnerMenuItem());
        list.AddFile(QStringLiteral("/t/b"));
        QVERIFY(recent.entryActions().isEmpty());
    }
};

QTEST_MAIN(TestRecentFilesMenu)
#include "tst_recentfilesmenu.moc"
