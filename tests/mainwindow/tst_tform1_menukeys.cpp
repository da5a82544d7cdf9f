#include "MainWindowFixture.h"
#include "Reveal.h"
#include "mainwindow/ConnectionTreeView.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

namespace {

// The window with one connection "a", whose macro shows in the editor.
struct Window : MainWindowFixture
{
    Window() : MainWindowFixture("a") {}

    // The connection chosen in the tree; the tree keeps the keyboard.
    void chooseA() { focus(at(QStringLiteral("0"))); }

    // The control named Where ("VT", "Memo1", "Edit1" or "in-place editor") with the focus.
    QWidget *focusOn(const QString &where)
    {
        chooseA();
        if (where == QLatin1String("VT"))
            return form.tree();
        if (where == QLatin1String("in-place editor")) {
            QTest::keyClick(form.tree(), Qt::Key_F2);
            return form.tree()->currentEditLink();
        }
        auto *control = child<QWidget>(where);
        Reveal(control);
        control->setFocus();
        return control;
    }

    // The menu open on screen, or null.
    static QMenu *openMenu() { return qobject_cast<QMenu *>(QApplication::activePopupWidget()); }
    static void closeMenus()
    {
        while (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
    }
};

// What a text control holds.
QString textOf(QWidget *w)
{
    if (auto *line = qobject_cast<QLineEdit *>(w))
        return line->text();
    if (auto *editor = qobject_cast<QsciScintilla *>(w))
        return editor->text();
    return {};
}

} // namespace

class TestTForm1MenuKeys : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Alt and a menu's letter open it, wherever the focus is, and the control keeps its text.
    void altAndALetterOpensItsMenu_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("menu");
        QTest::newRow("File from the tree") << "VT" << int(Qt::Key_F) << "MnFile";
        QTest::newRow("Edit from the macro editor") << "Memo1" << int(Qt::Key_E) << "MnEdit";
        QTest::newRow("Search from the macro editor") << "Memo1" << int(Qt::Key_S) << "Search1";
        QTest::newRow("Connection from a name field") << "Edit1" << int(Qt::Key_C) << "MnConnection";
        QTest::newRow("Actions from the in-place editor") << "in-place editor" << int(Qt::Key_A) << "MnMacro";
        QTest::newRow("View from the tree") << "VT" << int(Qt::Key_V) << "View1";
        QTest::newRow("Help from the macro editor") << "Memo1" << int(Qt::Key_H) << "Help1";
    }
    void altAndALetterOpensItsMenu()
    {
        QFETCH(QString, where);
        QFETCH(int, key);
        QFETCH(QString, menu);
        Window w;
        QVERIFY(w.active());
        QWidget *control = w.focusOn(where);
        QVERIFY(control);
        QTRY_VERIFY(control->hasFocus());
        const QString before = textOf(control);

        QTest::keyClick(control, Qt::Key(key), Qt::AltModifier);
        QMenu *open = Window::openMenu();
        const QString opened = open ? open->objectName() : QString();
        Window::closeMenus();
        QCOMPARE(opened, menu);
        QCOMPARE(textOf(control), before);
    }

    // Inside an open menu the item's letter alone chooses it.
    void aLetterInAnOpenMenuChoosesTheItem()
    {
        Window w;
        QVERIFY(w.active());
        w.chooseA();
        QTest::keyClick(w.form.tree(), Qt::Key_V, Qt::AltModifier);
        QMenu *view = Window::openMenu();
        QVERIFY(view);
        QCOMPARE(view->objectName(), QStringLiteral("View1"));
        QTest::keyClick(view, Qt::Key_C);
        QTRY_VERIFY(!Window::openMenu());
        QCOMPARE(w.pages()->currentIndex(), 3);
    }

    // F10 opens the first menu, and the arrow keys go on from there.
    void f10OpensTheFirstMenu()
    {
        Window w;
        QVERIFY(w.active());
        w.chooseA();
        QTest::keyClick(w.form.tree(), Qt::Key_F10);
        QMenu *first = Window::openMenu();
        QVERIFY(first);
        QCOMPARE(first->objectName(), QStringLiteral("MnFile"));
        QTest::keyClick(first, Qt::Key_Right);
        QMenu *next = Window::openMenu();
        const QString name = next ? next->objectName() : QString();
        Window::closeMenus();
        QCOMPARE(name, QStringLiteral("MnEdit"));
    }

    // Letters typed into a text control are its text, with Shift or without: no menu takes
    // them.
    void lettersStayWithTheText_data()
    {
        QTest::addColumn<QString>("where");
        QTest::newRow("macro editor") << "Memo1";
        QTest::newRow("in-place editor") << "in-place editor";
        QTest::newRow("name field") << "Edit1";
    }
    void lettersStayWithTheText()
    {
        QFETCH(QString, where);
        Window w;
        QVERIFY(w.active());
        QWidget *control = w.focusOn(where);
        QVERIFY(control);
        QTRY_VERIFY(control->hasFocus());
        if (auto *line = qobject_cast<QLineEdit *>(control))
            line->clear();
        QTest::keyClicks(control, QStringLiteral("fe"));
        QTest::keyClick(control, 'V', Qt::ShiftModifier);
        QVERIFY(!Window::openMenu());
        QVERIFY2(textOf(control).contains(QLatin1String("feV")), qPrintable(textOf(control)));
    }
};

QTEST_MAIN(TestTForm1MenuKeys)
#include "tst_tform1_menukeys.moc"
