#include "TriggerAsUser.h"
#include "WindowMachine.h"
#include "dialogs/widgets/TForm4.h"
#include "dialogs/widgets/TForm6.h"
#include "dialogs/widgets/TTestPrintPreviewDlg.h"
#include "mainwindow/ConnectionTreeModel.h"
#include "mainwindow/MacroPrintCommands.h"
#include "platform/Help.h"
#include "platform/widgets/QsciIncludes.h"
#include "support/FakePrinterInventory.h"
#include "support/ScriptedPrintDialogs.h"
#include "table/ConnectionTree.h"
#include "table/UrlCodec.h"

#include <QComboBox>
#include <QFileInfo>
#include <QScopeGuard>
#include <QGraphicsView>
#include <QLabel>
#include <QMenu>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

namespace {

rVTNodeData connection(const QByteArray &name, qint32 level, const QByteArray &macro = {})
{
    rVTNodeData d;
    d.Name = name;
    d.Level = level;
    d.Macro = UrlEncode(macro, true);
    return d;
}

// A macro of Count numbered lines.
QByteArray macroOfLines(int count)
{
    QByteArray macro;
    for (int i = 1; i <= count; ++i)
        macro += "sendln 'line " + QByteArray::number(i) + "'\r\n";
    return macro;
}

// The pages of a PDF as text, in their printed layout.
QStringList pdfPages(const QString &pdf)
{
    QProcess p;
    p.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// The program as it starts with the table Sites.QDZ (Sites, Lab below it, Db below Lab with
// a long macro) and a print system of Printers printers; its printer is "Office", whose
// pages land in PDF files a test reads back.
struct PrintingProgram : Machine
{
    FakePrinterInventory printers;
    ScriptedPrintDialogs dialogs;
    QTemporaryDir out;
    QString table;
    std::unique_ptr<TForm1> form;
    std::unique_ptr<TForm4> licence;
    std::unique_ptr<TForm6> about;
    std::unique_ptr<TTestPrintPreviewDlg> preview;

    explicit PrintingProgram(int printerCount, int macroLines = 150) : printers(printerCount)
    {
        table = writeTable(QStringLiteral("Sites.QDZ"),
                           {connection("Sites", 1), connection("Lab", 2), connection("Db", 3, macroOfLines(macroLines))});
        setStored(QStringLiteral("LastQDZFile"), table);
    }

    // The windows made as the program makes them, the printing parts replaced first.
    bool start()
    {
        form = std::make_unique<TForm1>(&prompter);
        MacroPrintCommands &printing = form->printing();
        printing.setPrinterInventory(&printers);
        printing.setPrintDialogs(&dialogs);
        printing.printer().setOutputFormat(QPrinter::PdfFormat);
        printing.printer().setOutputFileName(officePdf());
        printers.setPrinterFile(officePdf());
        form->FormCreate(services);
        licence = std::make_unique<TForm4>();
        about = std::make_unique<TForm6>(QStringLiteral("http://example.org/freeware/Wexmora"), *licence);
        preview = std::make_unique<TTestPrintPreviewDlg>(printing.printers(), form->prompter(),
                                                         form->options().PrintPreviewScale);
        form->setSecondaryWindows(*licence, *about, *preview);
        form->show();
        return QTest::qWaitForWindowActive(form.get());
    }

    // Where the pages printed on "Office" land.
    QString officePdf() const { return out.filePath(QStringLiteral("office.pdf")); }

    QAction *action(const char *name) const { return form->findChild<QAction *>(QLatin1String(name)); }
    QsciScintilla *memo1() const { return form->findChild<QsciScintilla *>(QStringLiteral("Memo1")); }

    // A click on connection Db in the tree; its macro shows in the editor.
    bool selectDb() const
    {
        const ConnectionNode *db = form->doc().tree().nodeAtAbsoluteIndex(3);
        QTreeView *vt = form->tree();
        vt->expandAll();
        QTest::mouseClick(vt->viewport(), Qt::LeftButton, {}, vt->visualRect(form->model().indexFor(db)).center());
        return QTest::qWaitFor([this] { return memo1()->text().startsWith(QLatin1String("sendln 'line 1'")); });
    }

    // Whether each command is enabled as the user finds it: the menu items once the File menu
    // opened, the buttons after the refresh.
    QString printCommands() const
    {
        Q_EMIT form->findChild<QMenu *>(QStringLiteral("MnFile"))->aboutToShow();
        QString states;
        for (const char *name : {"MnPrinterSetup", "MnPrintPreview", "MnPrint", "BtnPrintPreview", "BtnPrint"})
            states += action(name)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        return states;
    }
};

} // namespace

class TestTForm1Print : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(), "poppler-utils is missing");
    }

    // Every page carries the header: the table file and the page number on the first line,
    // the connection's path (the connection first) and the time on the second.
    void printsTheMacroUnderItsHeader()
    {
        PrintingProgram program(1);
        QVERIFY(program.start());
        QVERIFY(program.selectDb());
        const QString pdf = program.out.filePath(QStringLiteral("printed.pdf"));
        program.dialogs.answerPrint(true, pdf);

        QVERIFY(TriggerAsUser(program.action("MnPrint")));
        QCOMPARE(program.dialogs.printShown(), 1);
        const QStringList pages = pdfPages(pdf);
        QVERIFY2(pages.size() >= 3, qPrintable(QString::number(pages.size())));
        for (int i = 0; i < pages.size(); ++i) {
            const QString &page = pages.at(i);
            const QString first = QStringLiteral("File: ") + QRegularExpression::escape(program.table)
                + QStringLiteral(" +Page %1 of %2").arg(i + 1).arg(pages.size());
            QVERIFY2(QRegularExpression(first).match(page).hasMatch(), qPrintable(page.left(400)));
            QVERIFY2(QRegularExpression(QStringLiteral(R"(Macro: /Db/Lab/Sites +\d{1,2}/\d{1,2}/\d\d \d\d:\d\d:\d\d)"))
                         .match(page).hasMatch(),
                     qPrintable(page.left(400)));
        }
        QVERIFY(pages.first().contains(QLatin1String("sendln 'line 1'")));
        QVERIFY(pages.last().contains(QLatin1String("sendln 'line 150'")));
        QVERIFY(program.prompter.boxes().isEmpty());
    }

    // Nothing is printed unless the dialog is confirmed; a print that fails is told.
    void printDialogOutcomes_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("error");
        QTest::newRow("cancelled, from the button") << "BtnPrint" << false << "printed.pdf" << "";
        QTest::newRow("file cannot be written") << "MnPrint" << true << "no such folder/printed.pdf"
                                                << "The macro could not be printed on %1.";
    }
    void printDialogOutcomes()
    {
        QFETCH(QString, command);
        QFETCH(bool, confirm);
        QFETCH(QString, file);
        QFETCH(QString, error);
        PrintingProgram program(1);
        QVERIFY(program.start());
        QVERIFY(program.selectDb());
        const QString pdf = program.out.filePath(file);
        program.dialogs.answerPrint(confirm, pdf);
        QVERIFY(TriggerAsUser(program.action(command.toLatin1().constData())));
        QCOMPARE(program.dialogs.printShown(), 1);
        QVERIFY(QDir(program.out.path()).isEmpty());
        QStringList boxes;
        for (const ScriptedPrompter::Box &box : program.prompter.boxes())
            boxes << box.text;
        QCOMPARE(boxes, error.isEmpty() ? QStringList() : QStringList{error.arg(pdf)});
    }

    // The preview shows the pages a print would give, at the scale kept from the last time;
    // a scale chosen there is kept for the next preview and the next run.
    void previewShowsThePagesAtTheKeptScale()
    {
        PrintingProgram program(1);
        QVERIFY(program.registry->writeDword(ProgramRegHive, ProgramRegKey, QStringLiteral("PrintPreviewScale"), 2));
        QVERIFY(program.start());
        QVERIFY(program.selectDb());

        QStringList seen;
        QTimer::singleShot(0, this, [&] {
            TTestPrintPreviewDlg *dlg = program.preview.get();
            if (QApplication::activeModalWidget() != dlg)
                return;
            auto *scale = dlg->findChild<QComboBox *>(QStringLiteral("CBScale"));
            const auto status = [dlg] {
                QStringList texts;
                for (QLabel *label : dlg->findChild<QStatusBar *>(QStringLiteral("StatusBar"))->findChildren<QLabel *>())
                    texts << label->text();
                return texts.join(QLatin1Char('|'));
            };
            seen << scale->currentText() << status();
            QTest::mouseClick(dlg->findChild<QToolButton *>(QStringLiteral("BtnNext")), Qt::LeftButton);
            seen << status();
            auto *view = dlg->findChild<QPrintPreviewWidget *>(QStringLiteral("SynEditPrintPreview"))
                             ->findChild<QGraphicsView *>();
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
            seen << scale->currentText();
            QTest::mouseClick(dlg->findChild<QToolButton *>(QStringLiteral("BtnClose")), Qt::LeftButton);
        });
        QVERIFY(TriggerAsUser(program.action("BtnPrintPreview")));
        QCOMPARE(seen.size(), 4);
        QCOMPARE(seen.at(0), QStringLiteral("25%"));
        const QRegularExpressionMatch first =
            QRegularExpression(QStringLiteral(R"(^Macro: /Db/Lab/Sites\| Page 1 of (\d+)$)")).match(seen.at(1));
        QVERIFY2(first.hasMatch(), qPrintable(seen.at(1)));
        QVERIFY(first.captured(1).toInt() >= 3);
        QCOMPARE(seen.at(2), QStringLiteral("Macro: /Db/Lab/Sites| Page 2 of ") + first.captured(1));
        QCOMPARE(seen.at(3), QStringLiteral("50%"));
        QVERIFY(!program.preview->isVisible());

        program.form->SaveSettingsAndNotify();
        QCOMPARE(program.registry->readDword(ProgramRegHive, ProgramRegKey, QStringLiteral("PrintPreviewScale")),
                 std::optional<quint32>(3));
        QVERIFY(program.prompter.boxes().isEmpty());
    }

    // The commands follow a printer chosen in the set-up.
    void printerSetupRefreshesTheCommands()
    {
        PrintingProgram program(1);
        QVERIFY(program.start());
        QVERIFY(program.selectDb());
        program.dialogs.answerSetup([&program] { program.printers.setPrinterName(QStringLiteral("Lab printer")); });
        QVERIFY(TriggerAsUser(program.action("MnPrinterSetup")));
        QCOMPARE(program.dialogs.setupShown(), 1);
        QTRY_COMPARE(program.action("BtnPrint")->toolTip(), QStringLiteral("Print (Lab printer)"));
    }

    // Without a printer the commands are off and say why; they do nothing when run anyway.
    void withoutPrintersTheCommandsAreOff()
    {
        PrintingProgram program(0);
        QVERIFY(program.start());
        QVERIFY(program.selectDb());
        QCOMPARE(program.printCommands(), QStringLiteral("00000"));
        QAction *print = program.action("BtnPrint");
        QCOMPARE(print->toolTip(), QStringLiteral("No default printer."));
        QCOMPARE(print->statusTip(), QStringLiteral("No default printer."));

        bool previewShown = false;
        QTimer::singleShot(0, this, [&] {
            previewShown = program.preview->isVisible();
            program.preview->close();
        });
        program.form->MnPrintClick();
        program.form->MnPrintPreviewClick();
        program.form->MnPrinterSetupClick();
        QCoreApplication::processEvents();
        QCOMPARE(program.dialogs.printShown(), 0);
        QCOMPARE(program.dialogs.setupShown(), 0);
        QVERIFY(!previewShown);
    }

    // The hint names the printer the commands print on, from the first refresh.
    void printButtonHintNamesThePrinter_data()
    {
        QTest::addColumn<int>("printers");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QString>("statusTip");
        QTest::newRow("a printer") << 1 << "Print (Office)" << "Print the document on Office";
        QTest::newRow("none") << 0 << "No default printer." << "No default printer.";
    }
    void printButtonHintNamesThePrinter()
    {
        QFETCH(int, printers);
        QFETCH(QString, toolTip);
        QFETCH(QString, statusTip);
        PrintingProgram program(printers);
        QVERIFY(program.start());
        QAction *print = program.action("BtnPrint");
        QCOMPARE(print->toolTip(), toolTip);
        QCOMPARE(print->statusTip(), statusTip);
    }

    // A print into a file chosen in the dialog is for that print alone: the program's printer
    // stays, the commands with it, and the next print goes to the printer again.
    void printingToAFileKeepsTheProgramsPrinter()
    {
        PrintingProgram program(2);
        QVERIFY(program.start());
        QVERIFY(program.selectDb());
        const QString chosen = program.out.filePath(QStringLiteral("chosen.pdf"));
        program.dialogs.answerPrint(true, chosen);
        QVERIFY(TriggerAsUser(program.action("MnPrint")));
        QVERIFY(!pdfPages(chosen).isEmpty());

        // The user goes on in the editor: the commands are worked out anew.
        QTest::mouseClick(program.memo1()->viewport(), Qt::LeftButton);
        QTRY_VERIFY(program.memo1()->hasFocus());
        QCOMPARE(program.printCommands(), QStringLiteral("11111"));
        QCOMPARE(program.action("BtnPrint")->toolTip(), QStringLiteral("Print (Office)"));

        program.dialogs.answerPrint(true);
        QVERIFY(TriggerAsUser(program.action("BtnPrint")));
        QCOMPARE(program.dialogs.printShown(), 2);
        const QStringList onThePrinter = pdfPages(program.officePdf());
        QVERIFY(!onThePrinter.isEmpty());
        QVERIFY(onThePrinter.first().contains(QLatin1String("sendln 'line 1'")));
        QVERIFY(program.prompter.boxes().isEmpty());
    }

    // The printout is the macro's text as the editor holds it, without the editor's line
    // numbers; the editor keeps its gutter.
    void printoutIsTheMacroTextAlone()
    {
        PrintingProgram program(1, 30);
        QVERIFY(program.start());
        QVERIFY(program.selectDb());
        const long gutter = program.memo1()->SendScintilla(QsciScintillaBase::SCI_GETMARGINWIDTHN, 0UL);
        QVERIFY(gutter > 0);
        const QString pdf = program.out.filePath(QStringLiteral("printed.pdf"));
        program.dialogs.answerPrint(true, pdf);
        QVERIFY(TriggerAsUser(program.action("MnPrint")));

        QStringList body;
        for (const QString &page : pdfPages(pdf))
            for (const QString &line : page.split(QLatin1Char('\n')))
                if (line.contains(QLatin1String("sendln")))
                    body << line.trimmed();
        QCOMPARE(body.size(), 30);
        for (int i = 0; i < body.size(); ++i)
            QCOMPARE(body.at(i), QStringLiteral("sendln 'line %1'").arg(i + 1));
        QCOMPARE(program.memo1()->SendScintilla(QsciScintillaBase::SCI_GETMARGINWIDTHN, 0UL), gutter);
    }

    // A print server that takes the connection and never answers: the window shows and
    // answers the user all the same, the print commands wait off until the list comes, and
    // follow it when it does.
    void aStalledPrintServerLeavesTheWindowWorking()
    {
        PrintingProgram program(1);
        program.printers.stall();
        QVERIFY(program.start());
        QVERIFY(program.selectDb());
        QCOMPARE(program.printCommands(), QStringLiteral("00000"));
        QCOMPARE(program.action("BtnPrint")->toolTip(), QStringLiteral("No default printer."));
        // Coming back to the program asks again; the read under way is not waited for.
        Q_EMIT qGuiApp->applicationStateChanged(Qt::ApplicationActive);
        QVERIFY(program.printers.reading());
        QCOMPARE(program.printCommands(), QStringLiteral("00000"));

        program.printers.answer();
        QTRY_COMPARE(program.action("BtnPrint")->toolTip(), QStringLiteral("Print (Office)"));
        QCOMPARE(program.printCommands(), QStringLiteral("11111"));
    }

    // F1 in the preview window opens the program's help at the topic of the control: the tool
    // bar's for its buttons and for the window, the pages' for the scale and the pages.
    void f1InThePreviewOpensItsTopic_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("context");
        QTest::newRow("the scale") << "CBScale" << 6100;
        QTest::newRow("the pages") << "SynEditPrintPreview" << 6100;
        QTest::newRow("a page button") << "BtnNext" << 6020;
        QTest::newRow("the close button") << "BtnClose" << 6020;
        QTest::newRow("the status bar, the window's") << "StatusBar" << 6020;
    }
    void f1InThePreviewOpensItsTopic()
    {
        QFETCH(QString, control);
        QFETCH(int, context);
        PrintingProgram program(1, 10);
        QVERIFY(program.folder.write(QStringLiteral("Wexmora.hlp"), "?_\3\0"));
        QStringList opened;
        Help::setViewerForTesting([&opened](const QString &file, int topic) {
            opened << QFileInfo(file).fileName() + QLatin1Char('@') + QString::number(topic);
            return Help::Result::Opened;
        });
        const auto restoreViewer = qScopeGuard([] { Help::setViewerForTesting({}); });
        QVERIFY(program.start());
        QVERIFY(program.selectDb());

        bool pressed = false;
        QTimer::singleShot(0, this, [&] {
            TTestPrintPreviewDlg *dlg = program.preview.get();
            if (QApplication::activeModalWidget() != dlg)
                return;
            QWidget *w = dlg->findChild<QWidget *>(control);
            if (auto *view = w ? w->findChild<QGraphicsView *>() : nullptr)
                w = view->viewport();
            if (w) {
                w->setFocus();
                QTest::keyClick(w, Qt::Key_F1);
                pressed = true;
            }
            dlg->close();
        });
        QVERIFY(TriggerAsUser(program.action("BtnPrintPreview")));
        QVERIFY(pressed);
        QCOMPARE(opened, QStringList{QStringLiteral("Wexmora.hlp@%1").arg(context)});
        QVERIFY(program.prompter.boxes().isEmpty());
    }

    // A printer added while the user was elsewhere is there when the program is active again.
    void returningToTheProgramFindsANewPrinter()
    {
        PrintingProgram program(0);
        QVERIFY(program.start());
        QVERIFY(program.selectDb());
        QCOMPARE(program.printCommands(), QStringLiteral("00000"));
        program.printers.setPrinters(1);
        QCOMPARE(program.printCommands(), QStringLiteral("00000"));

        // The desktop tells the program it is active again (offscreen there is no other
        // program to switch to and back from).
        Q_EMIT qGuiApp->applicationStateChanged(Qt::ApplicationActive);
        QCOMPARE(program.printCommands(), QStringLiteral("11111"));
        QCOMPARE(program.action("BtnPrint")->toolTip(), QStringLiteral("Print (Office)"));
    }
};

QTEST_MAIN(TestTForm1Print)
#include "tst_tform1_print.moc"
