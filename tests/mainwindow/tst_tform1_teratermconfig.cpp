#include "mainwindow/TForm1.h"
#include "TriggerAsUser.h"
#include "WindowMachine.h"
#include "table/UrlCodec.h"

#include <QAction>
#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QTest>

namespace {

const QByteArray kIni("[Tera Term]\r\nVTFont=Terminal,0,-12,255\r\nKept=1\r\n");
// TeraTerm's settings after a new installation: one changed, one gone.
const QByteArray kOverwritten("[Tera Term]\r\nVTFont=Courier,0,-16,255\r\n");

const QString kBackedUp = QStringLiteral("TeraTerm configuration was backed up successfully.\nBackup time - ");

QAction *command(TForm1 &form, const char *name)
{
    return form.findChild<QAction *>(QLatin1String(name));
}

} // namespace

class TestTForm1TeraTermConfig : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // "Restore" is offered at start exactly when a backup is stored.
    void restoreAtStart_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("a backup") << QString::fromLatin1(UrlEncode("Monday, 01-Jan-2024 10:00:00\r\n[A]b=c\r\n", true))
                                  << true;
        QTest::newRow("an empty value") << QString() << false;
        QTest::newRow("nothing") << QStringLiteral("(none)") << false;
    }

    void restoreAtStart()
    {
        QFETCH(QString, stored);
        QFETCH(bool, enabled);
        Machine m;
        if (stored != QLatin1String("(none)"))
            m.setStored(QStringLiteral("IniBackup"), stored);
        auto form = m.start();
        QVERIFY(form);
        QCOMPARE(command(*form, "mnRestore")->isEnabled(), enabled);
    }

    // Backup from the File menu stores TeraTerm's settings and offers Restore at once; Restore
    // asks first, and No changes nothing; Yes brings the settings back after a dated copy.
    void backupAndRestoreFromTheMenu()
    {
        Machine m;
        QVERIFY(m.folder.write(QStringLiteral("teraterm.ini"), kIni));
        auto form = m.start();
        QVERIFY(form);
        QAction *restore = command(*form, "mnRestore");
        QVERIFY(!restore->isEnabled());

        QVERIFY(TriggerAsUser(command(*form, "mnBackup")));
        QCOMPARE(m.prompter.boxes().size(), 1);
        QCOMPARE(m.prompter.boxes().last().kind, Prompter::Kind::Information);
        const QString said = m.prompter.boxes().last().text;
        QVERIFY2(said.startsWith(kBackedUp), qPrintable(said));
        const QString time = said.mid(kBackedUp.size());
        QVERIFY(!time.isEmpty());
        QVERIFY(restore->isEnabled());

        QVERIFY(m.folder.write(QStringLiteral("teraterm.ini"), kOverwritten));
        const QString question = QStringLiteral("Do you want to restore TeraTerm configuration backed up on ") + time
            + QStringLiteral(" ?\n\nCopy of current configuration file TeraTerm.ini will be created prior applying "
                             "changes to it.");
        m.prompter.queue(Prompter::No);
        QVERIFY(TriggerAsUser(restore));
        QCOMPARE(m.prompter.boxes().size(), 2);
        QCOMPARE(m.prompter.boxes().last().kind, Prompter::Kind::Confirmation);
        QCOMPARE(m.prompter.boxes().last().buttons, Prompter::Buttons::YesNo);
        QCOMPARE(m.prompter.boxes().last().text, question);
        QCOMPARE(m.folder.read(QStringLiteral("teraterm.ini")), kOverwritten);
        const QStringList before = QDir(m.folder.path()).entryList(QDir::Files);

        m.prompter.queue(Prompter::Yes);
        QVERIFY(TriggerAsUser(restore));
        QCOMPARE(m.prompter.boxes().size(), 4);
        QCOMPARE(m.prompter.boxes().at(2).text, question);
        const QByteArray restored = m.folder.read(QStringLiteral("teraterm.ini"));
        QVERIFY2(restored.contains("VTFont=Terminal,0,-12,255\r\n") && restored.contains("Kept=1\r\n"),
                 restored.constData());
        const QStringList copies = QDir(m.folder.path()).entryList({QStringLiteral("teraterm_*.ini")}, QDir::Files);
        QCOMPARE(copies.size(), 1);
        QVERIFY(!before.contains(copies.first()));
        QCOMPARE(m.folder.read(copies.first()), kOverwritten);
        QCOMPARE(m.prompter.boxes().last().kind, Prompter::Kind::Information);
        QCOMPARE(m.prompter.boxes().last().text,
                 QStringLiteral("Current TeraTerm.ini file was copied into file ")
                     + QDir::toNativeSeparators(m.folder.filePath(copies.first()))
                     + QStringLiteral("\n\nTeraTerm configuration from ") + time + QStringLiteral(" has been restored."));
    }

    // A restore shows the hourglass from the user's Yes until its last message is answered,
    // and the pointer again after; the question before it shows none.
    void restoreShowsTheHourglass_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QList<int>>("cursors");  // at each box; -1 for none
        QTest::newRow("yes") << int(Prompter::Yes) << QList<int>{-1, int(Qt::WaitCursor)};
        QTest::newRow("no") << int(Prompter::No) << QList<int>{-1};
    }
    void restoreShowsTheHourglass()
    {
        QFETCH(int, answer);
        QFETCH(QList<int>, cursors);
        Machine m;
        QVERIFY(m.folder.write(QStringLiteral("teraterm.ini"), kIni));
        m.setStored(QStringLiteral("IniBackup"),
                    QString::fromLatin1(UrlEncode("Monday, 01-Jan-2024 10:00:00\r\n[Tera Term]Kept=2\r\n", true)));
        auto form = m.start();
        QVERIFY(form);
        QList<int> seen;
        m.prompter.whileAsking([&seen](const ScriptedPrompter::Box &) {
            const QCursor *cursor = QGuiApplication::overrideCursor();
            seen << (cursor ? int(cursor->shape()) : -1);
        });
        m.prompter.queue(Prompter::Answer(answer));
        QVERIFY(TriggerAsUser(command(*form, "mnRestore")));
        QCOMPARE(seen, cursors);
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    // Without teraterm.ini there is nothing to back up: the user is told which file, and
    // nothing is stored.
    void backupWithoutTeraTermIni()
    {
        Machine m;
        auto form = m.start();
        QVERIFY(form);
        QVERIFY(TriggerAsUser(command(*form, "mnBackup")));
        QCOMPARE(m.prompter.boxes().size(), 1);
        QCOMPARE(m.prompter.boxes().first().kind, Prompter::Kind::Error);
        QCOMPARE(m.prompter.boxes().first().text,
                 QStringLiteral("Failed to back up TeraTerm configuration.\nCannot read file ")
                     + QDir::toNativeSeparators(m.folder.filePath(QStringLiteral("teraterm.ini"))) + QLatin1Char('.'));
        QVERIFY(!command(*form, "mnRestore")->isEnabled());
        QVERIFY(!m.registry->valueExists(ProgramRegHive, ProgramRegKey, QStringLiteral("IniBackup")));
    }
};

QTEST_MAIN(TestTForm1TeraTermConfig)
#include "tst_tform1_teratermconfig.moc"
