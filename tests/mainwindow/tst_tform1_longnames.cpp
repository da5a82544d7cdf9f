#include "MainWindowFixture.h"

#include "platform/FieldText.h"
#include "support/FileBytes.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

// A name as an exchange file may bring it: megabytes in one value.
const QByteArray LongName = QByteArray(8 << 20, 'N') + "end";
const QString Shown = QString(ShownFieldLength, u'N') + QChar(0x2026);

// The window with a connection "A" and, below RootNode after it, one of LongName.
struct Window : MainWindowFixture
{
    QTemporaryDir files;
    ConnectionNode *longOne = nullptr;

    Window() : MainWindowFixture("A")
    {
        rVTNodeData d;
        d.Name = LongName;
        d.Colors = "255:255:255:0:0:0:255:255:255:0:0:0:255:255:255:0:0:0:0:0:255:0:0:0";
        d.Macro = "wait+%27x%27";
        longOne = doc().tree().addChild(doc().RootNode(), d);
    }
};

} // namespace

// A connection's name may be of any length: nothing takes time or room in proportion to it,
// every widget and message shows it cut, and the record keeps it whole.
class TestTForm1LongNames : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void treeShowsItCutAndEditsItsHead()
    {
        Window w;
        QVERIFY(w.active());
        const QModelIndex index = w.indexOf(w.longOne);
        QCOMPARE(index.data(Qt::DisplayRole).toString(), Shown);
        QCOMPARE(index.data(Qt::EditRole).toString(), QString(ShownFieldLength, u'N'));
        w.form.tree()->viewport()->repaint();

        // The in-place editor starts with the head; left unchanged, the name keeps its bytes.
        w.focus(w.longOne);
        QTest::keyClick(w.form.tree(), Qt::Key_F2);
        QLineEdit *editor = w.form.tree()->currentEditLink();
        QVERIFY(editor);
        QCOMPARE(editor->text(), QString(ShownFieldLength, u'N'));
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(!w.form.tree()->currentEditLink());
        QCOMPARE(w.longOne->data.Name, LongName);
        QVERIFY(w.prompter.boxes().isEmpty());
    }

    void questionsNameItCut()
    {
        Window w;
        QVERIFY(w.active());
        w.focus(w.longOne);
        QTRY_VERIFY(!w.memo1()->text().isEmpty());
        // An edit of its macro, then the focus moves on: the apply question names it.
        w.memo1()->setFocus();
        QTest::keyClicks(w.memo1(), "x");
        QTRY_VERIFY(w.modified());
        w.prompter.queue(Prompter::No);
        w.click(w.at(QStringLiteral("0")));
        QTRY_COMPARE(w.prompter.texts().size(), 1);
        QCOMPARE(w.prompter.texts().first(),
                 QStringLiteral("Do you want to apply the changes you made to  '") + Shown + QStringLiteral("' ?"));
        QCOMPARE(w.longOne->data.Name, LongName);
    }

    void saveAndExportKeepItWhole_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("holds");   // what the file holds around the name
        QTest::newRow("save as") << "MnSaveAsTable" << "t.QDZ" << QByteArray();
        QTest::newRow("export to a table file") << "MnExport" << "e.QDZ" << QByteArray();
        QTest::newRow("export to an exchange file") << "MnExport" << "e.KPV" << QByteArray("C1_R1=");
    }
    void saveAndExportKeepItWhole()
    {
        QFETCH(QString, command);
        QFETCH(QString, file);
        QFETCH(QByteArray, holds);
        Window w;
        QVERIFY(w.active());
        w.form.tree()->focusOnly(w.longOne);
        const QString path = w.files.filePath(file);
        w.chooser.queue(path);
        w.action(command)->trigger();
        QVERIFY(w.prompter.boxes().isEmpty());
        const QByteArray bytes = ReadFileBytes(path);
        // The length and the bytes in a table file; the value's line in an exchange file.
        QByteArray length(4, '\0');
        qToLittleEndian<quint32>(quint32(LongName.size()), length.data());
        const QByteArray whole = holds.isEmpty() ? length + LongName : holds + LongName + "\r\n";
        QVERIFY(bytes.contains(whole));
    }
};

QTEST_MAIN(TestTForm1LongNames)
#include "tst_tform1_longnames.moc"
