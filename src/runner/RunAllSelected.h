#pragma once

#include "runner/RunContext.h"
#include "runner/RunTarget.h"

#include <QList>
#include <QObject>
#include <QTimer>

class ConnectionNode;
class ConnectionTree;
class MacroRunner;
class Prompter;

// "Run all selected": starts every selected connection in tree order, one after the other,
// with a pause after each launch, driven by a timer so the window stays responsive and no
// event loop is nested. The connections are copied when the sequence starts, so editing or
// deleting nodes, or replacing the table, meanwhile cannot pull data from under it; the
// window still cancels it when the table is replaced or the window closes.
class RunAllSelected : public QObject
{
    Q_OBJECT
public:
    // The pause before MultiStartIndex (the delay list's index) is applied.
    static constexpr int DefaultInterval = 5000;

    RunAllSelected(MacroRunner &runner, Prompter &prompter, QObject *parent = nullptr);
    ~RunAllSelected() override;

    // The pause after each launch, in ms; taken at each launch.
    void setInterval(int ms);
    int interval() const { return m_interval; }
    // The pause for an index of the delay list "2" to "30": (index + 2) seconds.
    static int intervalForDelayIndex(int index);

    // Starts the selected nodes of Tree in pre-order. Each runs as a whole branch with its
    // own stored macro, colours and session-logging flag; Context gives the rest (user data,
    // run options). Separators, nodes without a macro and the top node are passed over.
    // Refused (false) while a sequence runs, when nothing is runnable, and, after telling
    // the user, when more than 128 nodes are selected. On true the first connection has been
    // launched (or has failed) before it returns.
    bool start(const ConnectionTree &tree, const QList<ConnectionNode *> &selection,
               const RunContext &context);
    // Stops a running sequence: nothing more is started and the windows are not tiled.
    void cancel();
    bool isRunning() const { return m_running; }

    // The connections of the running (or last) sequence, in launch order.
    int count() const { return static_cast<int>(m_targets.size()); }

Q_SIGNALS:
    void started(int count);
    // Connection Index (0-based, in launch order) was handed to TeraTerm.
    void connectionStarted(int index);
    // Exactly one of these ends each sequence that started.
    void finished();
    void cancelled();
    // Launching connection Index failed (the runner told the user why); the rest is dropped.
    void failed(int index);

private:
    void launchNext();
    void pauseOver();
    void stop();

    MacroRunner &m_runner;
    Prompter &m_prompter;
    QTimer m_timer;
    int m_interval = DefaultInterval;
    bool m_running = false;
    RunContext m_context;
    QList<RunTarget> m_targets;
    int m_next = 0;
    // Changes with every start and stop, so a launch that outlived its sequence (a message
    // box inside it let the user cancel) does not go on with the next one.
    quint64 m_generation = 0;
};
