#include "runner/RunAllSelected.h"

#include "platform/DesktopArranger.h"
#include "platform/Prompter.h"
#include "runner/MacroRunner.h"
#include "runner/RunSlots.h"
#include "table/ConnectionTree.h"

#include <QPointer>
#include <QSet>

RunAllSelected::RunAllSelected(MacroRunner &runner, Prompter &prompter, QObject *parent)
    : QObject(parent), m_runner(runner), m_prompter(prompter)
{
    m_timer.setParent(this);
    m_timer.setObjectName(QStringLiteral("Timer5"));
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &RunAllSelected::pauseOver);
}

RunAllSelected::~RunAllSelected() = default;

void RunAllSelected::setInterval(int ms)
{
    m_interval = qMax(0, ms);
}

int RunAllSelected::intervalForDelayIndex(int index)
{
    return (index + 2) * 1000;
}

bool RunAllSelected::start(const ConnectionTree &tree, const QList<ConnectionNode *> &selection,
                           const RunContext &context)
{
    if (m_running)
        return false;

    // One walk of the tree gives tree order and drops nodes that are no longer in it.
    QSet<const ConnectionNode *> wanted(selection.cbegin(), selection.cend());
    wanted.remove(nullptr);
    QList<const ConnectionNode *> ordered;
    for (const ConnectionNode *n = tree.RootNode(); n && ordered.size() < wanted.size();
         n = ConnectionTree::nextPreorder(n, tree.invisibleRoot())) {
        if (wanted.contains(n))
            ordered.append(n);
    }
    if (ordered.size() > RunSlots::MaxRunSlots) {
        m_prompter.information(QStringLiteral("You can not run more than ")
                               + QString::number(RunSlots::MaxRunSlots)
                               + QStringLiteral(" connections at the same time."));
        return false;
    }

    QList<RunTarget> targets;
    for (const ConnectionNode *n : ordered) {
        // What the command's enabling keeps out: the top node, separators, empty macros.
        if (n == tree.RootNode() || IsSeparatorName(n->data.Name) || n->data.Macro.isEmpty())
            continue;
        // Not the current node: each connection runs its stored macro, never the editor's.
        targets.append(RunTarget::fromNode(n, nullptr));
    }
    if (targets.isEmpty())
        return false;

    m_targets = std::move(targets);
    m_context = context;
    m_next = 0;
    m_running = true;
    ++m_generation;
    DesktopArranger::instance().minimizeAll();
    Q_EMIT started(count());
    if (m_running)
        launchNext();
    return true;
}

void RunAllSelected::cancel()
{
    if (!m_running)
        return;
    stop();
    Q_EMIT cancelled();
}

void RunAllSelected::stop()
{
    m_timer.stop();
    m_running = false;
    ++m_generation;
}

void RunAllSelected::launchNext()
{
    const int index = m_next++;
    // A copy: a message box inside the run may let a new sequence replace the list.
    const RunTarget target = m_targets[index];

    // Each connection brings its own terminal colours and logging choice.
    RunContext context = m_context;
    context.currentNodeColors = target.connection().Colors;
    context.currentNodeModified = false;
    context.logSession = target.connection().LogSession;

    const QPointer<RunAllSelected> alive(this);
    const quint64 generation = m_generation;
    const bool ok = m_runner.RunMacro(true, true, QString(), target, context);
    if (!alive || generation != m_generation)
        return;
    if (!ok) {
        stop();
        Q_EMIT failed(index);
        return;
    }
    // The pause follows every launch, the last one too; the timer runs before the signal so
    // a receiver that cancels stops it.
    m_timer.start(m_interval);
    Q_EMIT connectionStarted(index);
}

void RunAllSelected::pauseOver()
{
    if (!m_running)
        return;
    if (m_next < count()) {
        launchNext();
        return;
    }
    stop();
    if (!m_context.options.doNotTile)
        DesktopArranger::instance().tileHorizontally();
    Q_EMIT finished();
}
