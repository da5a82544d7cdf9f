#pragma once

#include "runner/MacroRunner.h"
#include "runner/RunAllSelected.h"

#include <QObject>

class ConnectionTree;
class Prompter;
class QWidget;

// The window's macro runner and its "Run all selected" sequence. A running sequence ends
// when the table it came from is replaced and when the window is closed; neither leaves a
// launch pending.
class RunCommands : public QObject
{
    Q_OBJECT
public:
    // Window: whose closing ends a sequence. Tree: whose replacement ends it. Parent should
    // go before the window's own parts (the tree view does), so that nothing of a sequence
    // outlives the table it came from.
    RunCommands(Prompter &prompter, QWidget *window, ConnectionTree &tree, QObject *parent);

    MacroRunner &runner() { return m_runner; }
    RunAllSelected &runAll() { return *m_runAll; }

    // The file last exported to, offered again by the next export.
    QString lastExportFile;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    MacroRunner m_runner;
    RunAllSelected *m_runAll = nullptr;
    QWidget *m_window = nullptr;
};
