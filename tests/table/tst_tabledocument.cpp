#include "support/FakeTableHost.h"
#include "table/TableDocument.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

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

    // A "*" in the file's name is part of the name: nothing to save (the save question is
    // not asked, see the file commands).
    void starInFileNameIsNotModified()
    {
        FakeTableHost host;
        TableDocument doc(host);
        doc.CurrentTableFile = tableFile(QStringLiteral("x*.QDZ"));
        doc.UpdateCaption(false);
        QVERIFY(doc.captionText().contains(QLatin1Char('*')));
        QVERIFY(!doc.tableModified());
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
};

QTEST_GUILESS_MAIN(TestTableDocument)
#include "tst_tabledocument.moc"
