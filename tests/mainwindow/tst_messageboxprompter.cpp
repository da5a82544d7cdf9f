#include "platform/widgets/MessageBoxPrompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

// What the box showed, and the button pressed to close it.
struct Seen
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

class TestMessageBoxPrompter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void displayText_data();
    void displayText();
    void boxes_data();
    void boxes();
    void boxShowsThePointerOverAnHourglass_data();
    void boxShowsThePointerOverAnHourglass();
};

void TestMessageBoxPrompter::displayText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain") << QStringLiteral("Connection name cannot be empty.")
                           << QStringLiteral("Connection name cannot be empty.");
    QTest::newRow("cr") << QStringLiteral("a\rb") << QStringLiteral("a\nb");
    QTest::newRow("cr lf") << QStringLiteral("a\r\nb") << QStringLiteral("a\nb");
    QTest::newRow("lf cr") << QStringLiteral("deleted.\n\rDo you") << QStringLiteral("deleted.\nDo you");
    QTest::newRow("lf lf") << QStringLiteral("a\n\nb") << QStringLiteral("a\n\nb");
    QTest::newRow("conversion question")
        << QStringLiteral("Connection 'X' will be converted into separator line.\nAll associated data will be deleted.\n\rDo you want to continue?")
        << QStringLiteral("Connection 'X' will be converted into separator line.\nAll associated data will be deleted.\nDo you want to continue?");
    QTest::newRow("trailing cr") << QStringLiteral("a\r") << QStringLiteral("a\n");
}

void TestMessageBoxPrompter::displayText()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(MessageBoxPrompter::displayText(text), shown);
}

void TestMessageBoxPrompter::boxes_data()
{
    QTest::addColumn<Prompter::Kind>("kind");
    QTest::addColumn<Prompter::Buttons>("buttons");
    QTest::addColumn<QMessageBox::Icon>("icon");
    QTest::addColumn<int>("shownButtons");
    QTest::addColumn<int>("press");
    QTest::addColumn<Prompter::Answer>("answer");
    using B = QMessageBox;
    QTest::newRow("warning ok") << Prompter::Kind::Warning << Prompter::Buttons::Ok << B::Warning
                                << int(B::Ok) << int(B::Ok) << Prompter::Ok;
    QTest::newRow("error ok") << Prompter::Kind::Error << Prompter::Buttons::Ok << B::Critical
                              << int(B::Ok) << int(B::Ok) << Prompter::Ok;
    QTest::newRow("information ok/cancel") << Prompter::Kind::Information << Prompter::Buttons::OkCancel
                                           << B::Information << int(B::Ok | B::Cancel) << int(B::Cancel)
                                           << Prompter::Cancel;
    QTest::newRow("confirmation yes/no") << Prompter::Kind::Confirmation << Prompter::Buttons::YesNo << B::Question
                                         << int(B::Yes | B::No) << int(B::No) << Prompter::No;
    QTest::newRow("warning yes/no/cancel yes") << Prompter::Kind::Warning << Prompter::Buttons::YesNoCancel
                                               << B::Warning << int(B::Yes | B::No | B::Cancel) << int(B::Yes)
                                               << Prompter::Yes;
    QTest::newRow("warning yes/no/cancel cancel") << Prompter::Kind::Warning << Prompter::Buttons::YesNoCancel
                                                  << B::Warning << int(B::Yes | B::No | B::Cancel)
                                                  << int(B::Cancel) << Prompter::Cancel;
}

void TestMessageBoxPrompter::boxes()
{
    QFETCH(Prompter::Kind, kind);
    QFETCH(Prompter::Buttons, buttons);
    QFETCH(QMessageBox::Icon, icon);
    QFETCH(int, shownButtons);
    QFETCH(int, press);
    QFETCH(Prompter::Answer, answer);

    Seen seen;
    // Answer the box from inside its own event loop, as the user would.
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
        QTest::mouseClick(box->button(QMessageBox::StandardButton(press)), Qt::LeftButton);
    });
    MessageBoxPrompter prompter;
    const Prompter::Answer got = prompter.ask(kind, QStringLiteral("Name <b>&amp;</b>\rnext"), buttons);
    QCOMPARE(got, answer);
    QCOMPARE(seen.title, QStringLiteral("Wexmora"));
    QCOMPARE(seen.text, QStringLiteral("Name <b>&amp;</b>\nnext"));
    QCOMPARE(seen.icon, icon);
    QCOMPARE(int(seen.buttons), shownButtons);
}

void TestMessageBoxPrompter::boxShowsThePointerOverAnHourglass_data()
{
    QTest::addColumn<bool>("hourglass");
    QTest::newRow("during a long command") << true;
    QTest::newRow("otherwise") << false;
}

// The box is to be answered: it shows the pointer, also while a long command shows the
// hourglass, which comes back when the box goes.
void TestMessageBoxPrompter::boxShowsThePointerOverAnHourglass()
{
    QFETCH(bool, hourglass);
    if (hourglass)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    int shownWith = -1;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box && box->isVisible());
        const QCursor *cursor = QGuiApplication::overrideCursor();
        shownWith = cursor ? int(cursor->shape()) : int(box->cursor().shape());
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    MessageBoxPrompter().ask(Prompter::Kind::Information, QStringLiteral("Done."), Prompter::Buttons::Ok);
    QCOMPARE(shownWith, int(Qt::ArrowCursor));
    const QCursor *after = QGuiApplication::overrideCursor();
    QCOMPARE(after ? int(after->shape()) : -1, hourglass ? int(Qt::WaitCursor) : -1);
    if (hourglass)
        QGuiApplication::restoreOverrideCursor();
}

QTEST_MAIN(TestMessageBoxPrompter)
#include "tst_messageboxprompter.moc"
