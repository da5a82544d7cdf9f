// The program started with a table of the old format on its command line: it says it converts
// the file, keeps a backup copy and shows the converted table.
#include "RunningMainWindow.h"
#include "mainwindow/ConnectionTreeModel.h"
#include "mainwindow/ProgramMainBlock.h"
#include "mainwindow/TForm1.h"
#include "platform/NamedSemaphore.h"
#include "platform/Registry.h"
#include "platform/SystemInfo.h"
#include "platform/WindowMessages.h"
#include "shell/InstanceSemaphore.h"
#include "shell/ShellServices.h"
#include "support/ScriptedPrompter.h"
#include "support/TableBytes.h"
#include "support/TempProgramFolder.h"
#include "support/TempUserDirs.h"
#include "table/ColorSet.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <memory>

namespace {

rVTNodeData record(const QByteArray &name, qint32 level, const QByteArray &colors)
{
    rVTNodeData d;
    d.Name = name;
    d.Level = level;
    d.Kind = 2;
    d.Colors = colors;
    return d;
}

// The rows the tree shows below Parent, each as its text and the depth of its record,
// children in brackets after their parent.
QString shownRows(const TForm1 &form, const QModelIndex &parent)
{
    QStringList rows;
    const ConnectionTreeModel &model = form.model();
    for (int r = 0; r < model.rowCount(parent); ++r) {
        const QModelIndex index = model.index(r, 0, parent);
        QString row = index.data().toString() + QLatin1Char(':')
            + QString::number(model.nodeFor(index)->data.Level);
        if (model.rowCount(index) > 0)
            row += QLatin1Char('(') + shownRows(form, index) + QLatin1Char(')');
        rows << row;
    }
    return rows.join(QLatin1Char(' '));
}

} // namespace

class TestOldTableAtStart : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void convertsTheTableItWasStartedWith();
};

void TestOldTableAtStart::convertsTheTableItWasStartedWith()
{
    TempUserDirs dirs;
    TempProgramFolder folder;
    std::unique_ptr<Registry> registry = dirs.freshRegistry();
    WindowMessages messages;
    ShellServices services{*registry, messages, InstanceSemaphoreHandle()};
    ScriptedPrompter prompter;
    // The launcher counts as running, so no start of it is attempted.
    NamedSemaphore launcher{QStringLiteral("WexmoraSemaphore")};
    launcher.tryAcquire();
    QVERIFY(folder.write(QStringLiteral("ttermpro.exe"), "stand-in"));

    // Old colour texts hold the normal, bold and blink elements only.
    const QByteArray oldA = "1:2:3:4:5:6:7:8:9:10:11:12:13:14:15:16:17:18";
    const QByteArray oldB = "200:200:200:0:128:128:255:255:0:0:128:128:0:255:255:0:128:128";
    const QByteArray original = TableFileBytes(
        "QDZ20", 3, {record("Alpha", 1, oldA), record("Beta", 2, oldB), record("Gamma", 1, oldA)});
    QVERIFY(folder.write(QStringLiteral("Sites.QDZ"), original));
    const QString path = folder.filePath(QStringLiteral("Sites.QDZ"));

    QString rows;
    QString caption;
    QTimer::singleShot(0, this, [&] {
        if (TForm1 *form = RunningMainWindow()) {
            const QModelIndex top = form->model().index(0, 0, QModelIndex());
            rows = top.data().toString() + QLatin1Char('(') + shownRows(*form, top) + QLatin1Char(')');
            caption = form->windowTitle();
            form->close();
        }
    });
    // A guard only: closing the window normally ends the loop long before.
    bool guardFired = false;
    QTimer::singleShot(60000, this, [&guardFired] {
        guardFired = true;
        QApplication::quit();
    });

    QCOMPARE(ProgramMainBlock({path}, services, &prompter), 0);
    InstanceSemaphoreHandle().release();
    QVERIFY(!guardFired);

    QCOMPARE(prompter.boxes().size(), 1);
    const ScriptedPrompter::Box notice = prompter.boxes().first();
    QCOMPARE(notice.kind, Prompter::Kind::Information);
    QCOMPARE(notice.buttons, Prompter::Buttons::Ok);
    QCOMPARE(notice.text, QStringLiteral("The file Sites.QDZ was created by earlier versions of Wexmora and has old "
                                         "format.\nIt will be backed up into Sites.QDZ.bak and converted prior "
                                         "opening.\n\rPress Ok to continue."));
    QCOMPARE(folder.read(QStringLiteral("Sites.QDZ.bak")), original);

    // Rewritten in the current format: every colour text widened by the URL element, blue on
    // the normal element's background; the depths as the tree gave them, Kind dropped.
    const QByteArray wideA = oldA + ":0:0:255:4:5:6";
    const QByteArray wideB = oldB + ":0:0:255:0:128:128";
    auto converted = [](const QByteArray &name, qint32 level, const QByteArray &colors) {
        rVTNodeData d = record(name, level, colors);
        d.Kind = 0;
        return d;
    };
    QCOMPARE(folder.read(QStringLiteral("Sites.QDZ")),
             TableFileBytes("QDZ21", 3, {converted("Alpha", 1, wideA), converted("Beta", 2, wideB),
                                         converted("Gamma", 1, wideA)}));

    QCOMPARE(rows, QStringLiteral("This computer (") + SystemInfo::computerName()
                       + QStringLiteral(")(Alpha:1(Beta:2) Gamma:1)"));
    QCOMPARE(caption, QStringLiteral("Wexmora Configuration - [Sites.QDZ]"));
}

QTEST_MAIN(TestOldTableAtStart)
#include "tst_oldtableatstart.moc"
