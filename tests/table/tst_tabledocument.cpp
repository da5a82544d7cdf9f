#include "support/FakeTableHost.h"
#include "table/TableDocument.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString applyQuestion(const QString &name)
{
    return QStringLiteral("Do you want to apply the changes you made to  '") + name + QStringLiteral("' ?");
}

QString saveQuestion(const QString &fileName)
{
    return QStringLiteral("Do you want to save the changes you made to ") + fileName + QStringLiteral("?");
}

// Applying as the window does: the record changes, so the table is modified.
class ApplyingHost : public FakeTableHost
{
public:
    TableDocument *doc = nullptr;
    void BtnApplyClick() override
    {
        FakeTableHost::BtnApplyClick();
        doc->SetNodeModified(false);
        doc->UpdateCaption(true);
    }
};

} // namespace

class TestTableDocument : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // An existing table file in the temp folder, so the display name is its file name.
    QString tableFile(const QString &name)
    {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        if (!f.exists() && f.open(QIODevice::WriteOnly))
            f.write("QDZ21");
        return path;
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void caption_data()
    {
        QTest::addColumn<QString>("file");   // in the temp folder, "" for a new table
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QString>("caption");
        QTest::newRow("new") << "" << false << "Wexmora Configuration - [Noname.QDZ]";
        QTest::newRow("new, modified") << "" << true << "Wexmora Configuration - [Noname.QDZ*]";
        QTest::newRow("file") << "office.QDZ" << false << "Wexmora Configuration - [office.QDZ]";
        QTest::newRow("file, modified") << "office.QDZ" << true << "Wexmora Configuration - [office.QDZ*]";
        QTest::newRow("star in file name") << "a*b.QDZ" << false << "Wexmora Configuration - [a*b.QDZ]";
        QTest::newRow("star in file name, modified") << "a*b.QDZ" << true << "Wexmora Configuration - [a*b.QDZ*]";
    }

    void caption()
    {
        QFETCH(QString, file);
        QFETCH(bool, modified);
        QFETCH(QString, caption);
        FakeTableHost host;
        TableDocument doc(host);
        doc.UpdateCaption(!modified);
        if (!file.isEmpty())
            doc.CurrentTableFile = tableFile(file);
        QSignalSpy stateChanges(&doc, &TableDocument::stateChanged);
        doc.UpdateCaption(modified);
        QCOMPARE(doc.captionText(), caption);
        QCOMPARE(doc.tableModified(), modified);
        QCOMPARE(stateChanges.count(), 1);
    }

    // Without a file to ask the display name of, the path itself is shown.
    void captionOfMissingFile()
    {
        FakeTableHost host;
        TableDocument doc(host);
        doc.CurrentTableFile = m_dir.filePath(QStringLiteral("gone/old.QDZ"));
        QCOMPARE(doc.captionText(), QStringLiteral("Wexmora Configuration - [") + doc.CurrentTableFile + QStringLiteral("]"));
    }

    // A "*" in the file's name is part of the name: no save question, nothing to save.
    void starInFileNameIsNotModified()
    {
        FakeTableHost host;
        TableDocument doc(host);
        doc.CurrentTableFile = tableFile(QStringLiteral("x*.QDZ"));
        doc.UpdateCaption(false);
        QVERIFY(doc.captionText().contains(QLatin1Char('*')));
        QVERIFY(!doc.tableModified());
        QCOMPARE(doc.AskSaveChanges(), int(Prompter::No));
        QVERIFY(host.scripted.boxes().isEmpty());
    }

    void setNodeModified_data()
    {
        QTest::addColumn<bool>("start");
        QTest::addColumn<bool>("loading");
        QTest::addColumn<bool>("value");
        QTest::addColumn<bool>("expected");
        QTest::newRow("set") << false << false << true << true;
        QTest::newRow("clear") << true << false << false << false;
        QTest::newRow("set while loading") << false << true << true << false;
        QTest::newRow("set while loading clears") << true << true << true << false;
        QTest::newRow("clear while loading") << true << true << false << false;
    }

    void setNodeModified()
    {
        QFETCH(bool, start);
        QFETCH(bool, loading);
        QFETCH(bool, value);
        QFETCH(bool, expected);
        FakeTableHost host;
        TableDocument doc(host);
        doc.SetNodeModified(start);
        QCOMPARE(doc.IsNodeModified(), start);
        QSignalSpy stateChanges(&doc, &TableDocument::stateChanged);
        {
            LoadingScope scope(doc, loading);
            doc.SetNodeModified(value);
        }
        QVERIFY(!doc.LoadingFlag);
        QCOMPARE(doc.IsNodeModified(), expected);
        QCOMPARE(stateChanges.count(), expected != start ? 1 : 0);
    }

    void askSaveChanges_data()
    {
        QTest::addColumn<bool>("nodeModified");
        QTest::addColumn<QString>("focus");      // "none", "root" or "conn"
        QTest::addColumn<bool>("tableModified");
        QTest::addColumn<QString>("file");       // full path, "" for a new table
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("applied");
        QTest::addColumn<bool>("nodeModifiedAfter");

        const QString conn = QStringLiteral("Caf\u00e9 server");
        const QString noname = QStringLiteral("Noname.QDZ");
        const QString path = QStringLiteral("/home/u/tables/office.QDZ");
        const int yes = Prompter::Yes, no = Prompter::No, cancel = Prompter::Cancel;

        QTest::newRow("neither state") << false << "conn" << false << path << QList<int>{}
            << QStringList() << no << 0 << false;
        QTest::newRow("edits on RootNode") << true << "root" << false << path << QList<int>{}
            << QStringList() << no << 0 << true;
        QTest::newRow("edits, no focused node") << true << "none" << true << "" << QList<int>{no}
            << QStringList{saveQuestion(noname)} << no << 0 << true;
        QTest::newRow("apply yes") << true << "conn" << false << path << QList<int>{yes}
            << QStringList{applyQuestion(conn)} << no << 1 << true;
        QTest::newRow("apply no, save yes") << true << "conn" << true << path << QList<int>{no, yes}
            << QStringList{applyQuestion(conn), saveQuestion("office.QDZ")} << yes << 0 << false;
        QTest::newRow("apply cancel") << true << "conn" << true << path << QList<int>{cancel}
            << QStringList{applyQuestion(conn)} << cancel << 0 << true;
        QTest::newRow("apply yes, save cancel") << true << "conn" << true << path << QList<int>{yes, cancel}
            << QStringList{applyQuestion(conn), saveQuestion("office.QDZ")} << cancel << 1 << true;
        QTest::newRow("save yes, new table") << false << "conn" << true << "" << QList<int>{yes}
            << QStringList{saveQuestion(noname)} << yes << 0 << false;
        QTest::newRow("save no") << false << "conn" << true << path << QList<int>{no}
            << QStringList{saveQuestion("office.QDZ")} << no << 0 << false;
        QTest::newRow("save cancel") << false << "conn" << true << path << QList<int>{cancel}
            << QStringList{saveQuestion("office.QDZ")} << cancel << 0 << false;
        QTest::newRow("colon and backslash in file name") << false << "conn" << true
            << QStringLiteral("/srv/a:b\\c.qdz") << QList<int>{yes}
            << QStringList{saveQuestion("a:b\\c.qdz")} << yes << 0 << false;
    }

    void askSaveChanges()
    {
        QFETCH(bool, nodeModified);
        QFETCH(QString, focus);
        QFETCH(bool, tableModified);
        QFETCH(QString, file);
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, boxes);
        QFETCH(int, result);
        QFETCH(int, applied);
        QFETCH(bool, nodeModifiedAfter);

        FakeTableHost host;
        TableDocument doc(host);
        ConnectionNode *root = doc.tree().addChild(nullptr);
        rVTNodeData d;
        d.Name = "Caf\xe9 server";  // Windows-1252, as an old table holds it
        ConnectionNode *connection = doc.tree().addChild(root, d);
        host.focused = focus == QLatin1String("root") ? root : focus == QLatin1String("conn") ? connection : nullptr;
        doc.CurrentTableFile = file;
        doc.SetNodeModified(nodeModified);
        doc.UpdateCaption(tableModified);
        for (int a : answers)
            host.scripted.queue(Prompter::Answer(a));

        QCOMPARE(doc.AskSaveChanges(), result);
        QCOMPARE(host.scripted.texts(), boxes);
        for (const ScriptedPrompter::Box &box : host.scripted.boxes()) {
            QCOMPARE(box.kind, Prompter::Kind::Warning);
            QCOMPARE(box.buttons, Prompter::Buttons::YesNoCancel);
        }
        QCOMPARE(host.applyCount, applied);
        QCOMPARE(doc.IsNodeModified(), nodeModifiedAfter);
        QCOMPARE(doc.tableModified(), tableModified);  // it only asks
    }

    // The save question looks at the table after the edits were applied.
    void appliedEditsAreOfferedForSaving()
    {
        ApplyingHost host;
        TableDocument doc(host);
        host.doc = &doc;
        ConnectionNode *root = doc.tree().addChild(nullptr);
        rVTNodeData d;
        d.Name = "Srv";
        host.focused = doc.tree().addChild(root, d);
        doc.SetNodeModified(true);
        host.scripted.queue(Prompter::Yes);
        host.scripted.queue(Prompter::No);
        QCOMPARE(doc.AskSaveChanges(), int(Prompter::No));
        QCOMPARE(host.scripted.texts(), (QStringList{applyQuestion("Srv"), saveQuestion("Noname.QDZ")}));
        QCOMPARE(host.applyCount, 1);
    }
};

QTEST_GUILESS_MAIN(TestTableDocument)
#include "tst_tabledocument.moc"
