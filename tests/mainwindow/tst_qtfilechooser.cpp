#include "platform/widgets/QtFileChooser.h"

#include <QApplication>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

const QString kFilter = QStringLiteral("TeraTerm Macro files (*.TTL)|*.TTL|All files (*.*)|*.*");

// Runs Answer on the file dialog once it is shown (the chooser's own event loop runs it).
void whenShown(std::function<void(QFileDialog *)> answer)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            answer(dialog);
        }
    });
    poll->start(10);
}

FileDialogSetup exportSetup(const QString &initial = {})
{
    return {QStringLiteral("Export macro to file"), kFilter, QStringLiteral("ttl"), initial};
}

} // namespace

class TestQtFileChooser : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void savesWithTheSetup()
    {
        QTemporaryDir dir;
        QtFileChooser chooser;
        QString title;
        QStringList filters;
        QString suffix;
        QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
        whenShown([&](QFileDialog *dialog) {
            title = dialog->windowTitle();
            filters = dialog->nameFilters();
            suffix = dialog->defaultSuffix();
            mode = dialog->acceptMode();
            dialog->selectNameFilter(filters.value(1));
            dialog->selectFile(dir.filePath(QStringLiteral("branch")));
            // QFileDialog makes accept() protected; through QDialog it is what OK does.
            static_cast<QDialog *>(dialog)->accept();
        });

        // A typed name without an extension gets the default one.
        QCOMPARE(chooser.chooseSaveFile(exportSetup()), dir.filePath(QStringLiteral("branch.ttl")));
        QCOMPARE(title, QStringLiteral("Export macro to file"));
        QCOMPARE(filters, FileDialogNameFilters(kFilter));
        QCOMPARE(suffix, QStringLiteral("ttl"));
        QCOMPARE(mode, QFileDialog::AcceptSave);

        // The same dialog comes back with the filter last chosen and the name it is given;
        // cancelled, it answers nothing.
        QString filter;
        QStringList offered;
        whenShown([&](QFileDialog *dialog) {
            filter = dialog->selectedNameFilter();
            offered = dialog->selectedFiles();
            dialog->reject();
        });
        QCOMPARE(chooser.chooseSaveFile(exportSetup(dir.filePath(QStringLiteral("branch.ttl")))), QString());
        QCOMPARE(filter, filters.value(1));
        QCOMPARE(offered, QStringList{dir.filePath(QStringLiteral("branch.ttl"))});
    }

    void opensAnExistingFile()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("sites.QDZ")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QtFileChooser chooser;
        QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
        whenShown([&](QFileDialog *dialog) {
            fileMode = dialog->fileMode();
            dialog->selectFile(file.fileName());
            // QFileDialog makes accept() protected; through QDialog it is what OK does.
            static_cast<QDialog *>(dialog)->accept();
        });
        const FileDialogSetup setup{QStringLiteral("Open"), QStringLiteral("Wexmora file (*.QDZ)|*.QDZ"),
                                    QStringLiteral("qdz"), QString()};
        QCOMPARE(chooser.chooseOpenFile(setup), file.fileName());
        QCOMPARE(fileMode, QFileDialog::ExistingFile);
    }
};

QTEST_MAIN(TestQtFileChooser)
#include "tst_qtfilechooser.moc"
