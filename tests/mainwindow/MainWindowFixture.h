#pragma once

#include "mainwindow/ConnectionTreeModel.h"
#include "mainwindow/TForm1.h"
#include "platform/widgets/QsciIncludes.h"
#include "support/ScriptedFileChooser.h"
#include "support/ScriptedPrompter.h"
#include "support/TempProgramFolder.h"
#include "support/TempUserDirs.h"
#include "support/TreeShape.h"
#include "table/ConnectionTree.h"

#include <QAction>
#include <QLabel>
#include <QTabWidget>
#include <QTest>

// The real main window for one test, as the program makes it: scripted message boxes and
// file dialogs, user folders and a program folder of its own, the nodes of Shape (see
// TreeShape.h) below RootNode (laid out open unless Open is false), the window shown. Tests
// drive it as the user does; a test's own window adds what only it needs.
struct MainWindowFixture
{
    TempUserDirs dirs;
    TempProgramFolder program;
    ScriptedPrompter prompter;
    ScriptedFileChooser chooser;
    mutable TForm1 form{&prompter};

    explicit MainWindowFixture(const QByteArray &shape = {}, bool open = true)
    {
        form.setFileChooser(&chooser);
        form.InitTree();
        BuildShape(form.doc().tree(), shape);
        if (open)
            form.tree()->expandAll();
        form.show();
    }

    // The commands' states follow the focus, which only an active window has.
    bool active() { return QTest::qWaitForWindowActive(&form); }

    TableDocument &doc() const { return form.doc(); }
    // The node at Path ("0/1"; "" is RootNode).
    ConnectionNode *at(const QString &path) const { return NodeAt(form.doc(), path); }
    QModelIndex indexOf(const ConnectionNode *n) const { return form.model().indexFor(n); }
    // The table below RootNode as a shape, and with each node's Level.
    QByteArray shape() const { return ShapeOf(form.doc().RootNode()); }
    QString tree() const { return NamesAndLevelsOf(form.doc().RootNode()); }

    template<typename T> T *child(const QString &name) const { return form.findChild<T *>(name); }
    QAction *action(const QString &name) const { return child<QAction>(name); }
    QAction *action(const char *name) const { return action(QLatin1String(name)); }
    QLabel *panel(int i) const { return child<QLabel>(QStringLiteral("SBarPanel%1").arg(i)); }
    QTabWidget *pages() const { return child<QTabWidget>(QStringLiteral("PG")); }
    QsciScintilla *memo1() const { return child<QsciScintilla>(QStringLiteral("Memo1")); }
    QsciScintilla *memo2() const { return child<QsciScintilla>(QStringLiteral("Memo2")); }
    // The "Modified" mark of status panel 2.
    bool modified() const { return panel(2)->text() == QLatin1String("Modified"); }

    // A click on the node's row, scrolled into sight first.
    void click(const ConnectionNode *n, Qt::KeyboardModifiers modifiers = {})
    {
        ConnectionTreeView *vt = form.tree();
        vt->scrollTo(indexOf(n));
        QTest::mouseClick(vt->viewport(), Qt::LeftButton, modifiers, vt->visualRect(indexOf(n)).center());
    }
    // A click on the node's row, then the tree keeps the keyboard.
    void focus(const ConnectionNode *n)
    {
        click(n);
        form.tree()->setFocus();
    }
    // Keys pressed in the tree.
    void press(QKeyCombination keys) { QTest::keyClick(form.tree(), keys.key(), keys.keyboardModifiers()); }
};
