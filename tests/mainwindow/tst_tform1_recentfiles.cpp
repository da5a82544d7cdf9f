#include "Reveal.h"
#include "TriggerAsUser.h"
#include "WindowMachine.h"
#include "components/TMostRecentFiles.h"
#include "support/ScriptedFileChooser.h"
#include "table/ConnectionTree.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QMenu>

namespace {

rVTNodeData record(const QByteArray &name)
{
    rVTNodeData d;
    d.Name = name;
    d.Level = 1;
    return d;
}

// The machine with a window whose file dialogs answer from a script, and two tables.
struct Files : Machine
{
    ScriptedFileChooser chooser;
    QString alpha = writeTable(QStringLiteral("Alpha.QDZ"), {record("Alpha")});
    QString beta = writeTable(QStringLiteral("Beta.QDZ"), {record("Beta")});

    std::unique_ptr<TForm1> open()
    {
        std::unique_ptr<TForm1> form = start();
        if (form)
            form->setFileChooser(&chooser);
        return form;
    }
};

QMenu *fileMenu(const TForm1 &form)
{
    return form.findChild<QMenu *>(QStringLiteral("MnFile"));
}

// The File menu after its own last item "Close": "-" for a separator, else the caption.
QStringList tailOf(const TForm1 &form)
{
    const QList<QAction *> items = fileMenu(form)->actions();
    QStringList tail;
    bool afterClose = false;
    for (QAction *a : items) {
        if (afterClose)
            tail << (a->isSeparator() ? QStringLiteral("-") : a->text());
        afterClose = afterClose || a->objectName() == QLatin1String("MnClose");
    }
    return tail;
}

// The entries of the list in the File menu, in order.
QList<QAction *> entriesOf(const TForm1 &form)
{
    QList<QAction *> entries;
    bool afterClose = false;
    for (QAction *a : fileMenu(form)->actions()) {
        if (afterClose && !a->isSeparator())
            entries << a;
        afterClose = afterClose || a->objectName() == QLatin1String("MnClose");
    }
    return entries;
}

QString firstName(TForm1 &form)
{
    const ConnectionNode *root = form.doc().RootNode();
    return root && root->childCount() ? QString::fromUtf8(root->child(0)->data.Name) : QString();
}

} // namespace

class TestTForm1RecentFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Opening and saving under a new name put the files at the end of the File menu, the
    // newest first, and reopen them from there.
    void openSaveAsAndReopen()
    {
        Files m;
        std::unique_ptr<TForm1> form = m.open();
        QVERIFY(form);
        QCOMPARE(tailOf(*form), QStringList{});

        m.chooser.queue(m.alpha);
        QVERIFY(TriggerAsUser(form->findChild<QAction *>(QStringLiteral("MnOpenTable"))));
        QCOMPARE(tailOf(*form), (QStringList{"-", "&1  Alpha.QDZ"}));

        const QString copy = m.folder.filePath(QStringLiteral("Copy.QDZ"));
        m.chooser.queue(copy);
        QVERIFY(TriggerAsUser(form->findChild<QAction *>(QStringLiteral("MnSaveAsTable"))));
        QCOMPARE(tailOf(*form), (QStringList{"-", "&1  Copy.QDZ", "&2  Alpha.QDZ"}));

        m.chooser.queue(m.beta);
        QVERIFY(TriggerAsUser(form->findChild<QAction *>(QStringLiteral("MnOpenTable"))));
        QCOMPARE(firstName(*form), QStringLiteral("Beta"));

        // The third entry opens its table and becomes the first.
        QVERIFY(TriggerAsUser(entriesOf(*form).value(2)));
        QCOMPARE(firstName(*form), QStringLiteral("Alpha"));
        QCOMPARE(form->doc().CurrentTableFile, m.alpha);
        QCOMPARE(tailOf(*form), (QStringList{"-", "&1  Alpha.QDZ", "&2  Beta.QDZ", "&3  Copy.QDZ"}));
        // The options name the table opened from the list.
        QCOMPARE(m.registry->readString(ProgramRegHive, ProgramRegKey, QStringLiteral("LastQDZFile")),
                 std::optional(m.alpha));
        QVERIFY(m.prompter.boxes().isEmpty());
    }

    // The list is kept in the registry and comes back with the next start.
    void listSurvivesARestart()
    {
        Files m;
        {
            std::unique_ptr<TForm1> form = m.open();
            QVERIFY(form);
            for (const QString &table : {m.beta, m.alpha}) {
                m.chooser.queue(table);
                QVERIFY(TriggerAsUser(form->findChild<QAction *>(QStringLiteral("MnOpenTable"))));
            }
        }
        const auto stored = [&m](const char *name) {
            return m.registry->readString(ProgramRegHive, ProgramRegKey, QLatin1String(name)).value_or(QStringLiteral("?"));
        };
        QCOMPARE((QStringList{stored("MRU1"), stored("MRU2"), stored("MRU3"), stored("MRU4")}),
                 (QStringList{m.alpha, m.beta, QString(), QString()}));

        std::unique_ptr<TForm1> again = m.open();
        QVERIFY(again);
        QCOMPARE(tailOf(*again), (QStringList{"-", "&1  Alpha.QDZ", "&2  Beta.QDZ"}));
        QVERIFY(TriggerAsUser(entriesOf(*again).value(1)));
        QCOMPARE(firstName(*again), QStringLiteral("Beta"));
    }

    // A file that has gone since: its entry is dropped and the user told; the table stays.
    void vanishedFileIsDroppedAndReported()
    {
        Files m;
        m.setStored(QStringLiteral("MRU1"), m.alpha);
        m.setStored(QStringLiteral("MRU2"), m.beta);
        std::unique_ptr<TForm1> form = m.open();
        QVERIFY(form);
        QVERIFY(QFile::remove(m.alpha));
        QVERIFY(TriggerAsUser(entriesOf(*form).value(0)));
        QCOMPARE(m.prompter.texts(), QStringList{QStringLiteral("The file '%1' does not exist.").arg(m.alpha)});
        QCOMPARE(m.prompter.boxes().first().kind, Prompter::Kind::Warning);
        QCOMPARE(tailOf(*form), (QStringList{"-", "&1  Beta.QDZ"}));
        QCOMPARE(form->doc().CurrentTableFile, QString());
    }

    // "Show full path in the most recently used file list" switches the captions at once and
    // is taken from the options at start.
    void fullPathOption()
    {
        Files m;
        m.setStored(QStringLiteral("MRU1"), m.alpha);
        {
            std::unique_ptr<TForm1> form = m.open();
            QVERIFY(form);
            QCOMPARE(tailOf(*form), (QStringList{"-", "&1  Alpha.QDZ"}));
            auto *box = form->findChild<QCheckBox *>(QStringLiteral("cbFullPathMRU"));
            Reveal(box);
            QTest::mouseClick(box, Qt::LeftButton);
            QVERIFY(box->isChecked());
            QCOMPARE(tailOf(*form), (QStringList{"-", "&1  " + m.alpha}));
        }
        std::unique_ptr<TForm1> again = m.open();
        QVERIFY(again);
        QCOMPARE(tailOf(*again), (QStringList{"-", "&1  " + m.alpha}));
    }
};

QTEST_MAIN(TestTForm1RecentFiles)
#include "tst_tform1_recentfiles.moc"
