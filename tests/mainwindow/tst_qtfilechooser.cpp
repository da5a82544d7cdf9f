#include "platform/widgets/QtFileChooser.h"
#include "support/FileBytes.h"

#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString TableFilter = QStringLiteral("Wexmora file (*.QDZ)|*.QDZ|All files (*.*)|*.*");
const QString ImportFilter = QStringLiteral("Wexmora file (*.QDZ)|*.QDZ|Tenvask file (*.KPV)|*.KPV|All files (*.*)|*.*");

} // namespace

class TestQtFileChooser : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void dialogsAsSetUp_data();
    void dialogsAsSetUp();
    void chosenFileAndCancel();
    void filterChoiceCarriesOverPerDialog();
};

void TestQtFileChooser::dialogsAsSetUp_data()
{
    QTest::addColumn<bool>("save");
    QTest::newRow("open") << false;
    QTest::newRow("save") << true;
}

void TestQtFileChooser::dialogsAsSetUp()
{
    QFETCH(bool, save);
    QTemporaryDir dir;
    QtFileChooser chooser;
    QString title;
    QStringList filters;
    QString suffix;
    QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
    bool confirmsOverwrite = false;
    QString folder;
    chooser.setRunner([&](QFileDialog &d) {
        title = d.windowTitle();
        filters = d.nameFilters();
        suffix = d.defaultSuffix();
        mode = d.acceptMode();
        confirmsOverwrite = !d.testOption(QFileDialog::DontConfirmOverwrite);
        folder = d.directory().absolutePath();
        return int(QDialog::Rejected);
    });
    const FileDialogSetup setup{QStringLiteral("Save Wexmora file as"), TableFilter, QStringLiteral("qdz"),
                                dir.filePath(QStringLiteral("Lab.QDZ"))};
    const QString chosen = save ? chooser.chooseSaveFile(setup) : chooser.chooseOpenFile(setup);
    QCOMPARE(chosen, QString());
    QCOMPARE(title, setup.title);
    // Both spellings of the extension, since Linux names match with case.
    QCOMPARE(filters, (QStringList{QStringLiteral("Wexmora file (*.QDZ *.qdz)"), QStringLiteral("All files (*)")}));
    QCOMPARE(suffix, QStringLiteral("qdz"));
    QCOMPARE(mode, save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    QVERIFY(confirmsOverwrite);
    // The initial name's folder is where the dialog opens.
    QCOMPARE(folder, QDir(dir.path()).absolutePath());
}

void TestQtFileChooser::chosenFileAndCancel()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Net.QDZ"));
    QVERIFY(WriteFileBytes(file, "x"));
    QtFileChooser chooser;
    chooser.setRunner([&](QFileDialog &d) {
        d.selectFile(file);
        return int(QDialog::Accepted);
    });
    const FileDialogSetup setup{QStringLiteral("Open Wexmora file"), TableFilter, QStringLiteral("qdz"), QString()};
    QCOMPARE(chooser.chooseOpenFile(setup), file);

    // The next use of the dialog starts in the folder of the last choice.
    QString folder;
    chooser.setRunner([&](QFileDialog &d) {
        folder = d.directory().absolutePath();
        d.selectFile(file);
        return int(QDialog::Rejected);
    });
    QCOMPARE(chooser.chooseOpenFile(setup), QString());
    QCOMPARE(folder, QDir(dir.path()).absolutePath());
}

void TestQtFileChooser::filterChoiceCarriesOverPerDialog()
{
    QtFileChooser chooser;
    QString seen;
    int choose = -1;
    chooser.setRunner([&](QFileDialog &d) {
        seen = d.selectedNameFilter();
        if (choose >= 0)
            d.selectNameFilter(d.nameFilters().at(choose));
        return int(QDialog::Rejected);
    });
    const FileDialogSetup import{QStringLiteral("Import connections from file"), ImportFilter, QStringLiteral("qdz"), {}};
    const FileDialogSetup open{QStringLiteral("Open Wexmora file"), TableFilter, QStringLiteral("qdz"), {}};
    choose = 1;
    chooser.chooseOpenFile(import);
    choose = -1;
    // The open dialog keeps the second filter, which in this list is "All files".
    chooser.chooseOpenFile(open);
    QCOMPARE(seen, QStringLiteral("All files (*)"));
    // The save dialog has a choice of its own.
    chooser.chooseSaveFile(open);
    QCOMPARE(seen, QStringLiteral("Wexmora file (*.QDZ *.qdz)"));
}

QTEST_MAIN(TestQtFileChooser)
#include "tst_qtfilechooser.moc"
