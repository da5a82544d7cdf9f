#include "shell/HandOverReceiver.h"

#include "platform/FileUtil.h"
#include "platform/Prompter.h"
#include "platform/WindowMessages.h"
#include "shell/HandOverWindow.h"
#include "shell/LauncherMessages.h"
#include "shell/ParamName.h"

#include <QFileInfo>

namespace {

// Marks a hand-over box as open for as long as it is, however the scope is left.
class OpenFlag
{
public:
    explicit OpenFlag(bool &flag) : m_flag(flag) { m_flag = true; }
    ~OpenFlag() { m_flag = false; }
    OpenFlag(const OpenFlag &) = delete;
    OpenFlag &operator=(const OpenFlag &) = delete;

private:
    bool &m_flag;
};

} // namespace

HandOverReceiver::HandOverReceiver(Registry &registry, Prompter &prompter,
                                   HandOverWindow &window, QObject *parent)
    : QObject(parent), m_registry(registry), m_prompter(prompter), m_window(window)
{
    m_guard.setSingleShot(true);
    m_guard.setInterval(GuardInterval);
    connect(&m_guard, &QTimer::timeout, this, &HandOverReceiver::Timer2Timer);
    m_offerTimer.setSingleShot(true);
    m_offerTimer.setInterval(OfferDelay);
    connect(&m_offerTimer, &QTimer::timeout, this, &HandOverReceiver::Timer3Timer);
    m_retry.setSingleShot(true);
    m_retry.setInterval(DeferredRetryInterval);
    connect(&m_retry, &QTimer::timeout, this, &HandOverReceiver::runDeferred);
}

void HandOverReceiver::attach(WindowMessages &messages)
{
    connect(&messages, &WindowMessages::received, this,
            [this, &messages](const QString &name, qint64, qint64, const QString &senderId) {
                handleMessage(name, messages.isOwn(senderId));
            });
}

void HandOverReceiver::handleMessage(const QString &name, bool own)
{
    if (name == LauncherMessages::StopMessage)
        request(Request::Stop);
    else if (name == LauncherMessages::CheckUpgradeMessage)
        request(Request::CheckUpgrade);
    else if (name == LauncherMessages::InstanceMessage && !own) {
        // A hand-over waits for a file being read, as the other requests do; it then counts
        // as arriving at that moment.
        if (m_window.readingFile())
            defer(Request::HandOver);
        else
            acceptHandOver();
    }
}

void HandOverReceiver::acceptHandOver()
{
    // A burst of later starts gets one question: further messages are ignored for 5 s and
    // while the question is still open.
    if (m_guard.isActive() || m_handOverOpen)
        return;
    m_guard.start();
    m_window.RestoreAndBringToFront();
    const QString path = ReadParamName(m_registry);
    if (path.isEmpty())
        return;
    QString name = QFileInfo(path).fileName();
    // The staged copy is "~" + the file's own name; the user knows the file by the latter.
    if (name.startsWith(QLatin1Char('~')))
        name.remove(0, 1);
    if (QFileInfo(path).isFile()) {
        offerImport(path, name);
        WriteParamName(m_registry, QString());
    } else {
        // Left set: the next start finds it again.
        const OpenFlag open(m_handOverOpen);
        m_prompter.warning(QStringLiteral("Cannot import file ") + name
                           + QStringLiteral(". File not found."));
    }
}

void HandOverReceiver::offerImport(const QString &path, const QString &name)
{
    const OpenFlag open(m_handOverOpen);
    const Prompter::Answer answer = m_prompter.ask(
        Prompter::Kind::Confirmation,
        QStringLiteral("Do you want to import file ") + name + QStringLiteral(" into ")
            + LauncherMessages::ProductName + QStringLiteral("?"),
        Prompter::Buttons::YesNo);
    if (answer == Prompter::Yes)
        m_window.ImportConnections(path);
}

void HandOverReceiver::Timer2Timer()
{
    m_guard.stop();
}

void HandOverReceiver::Timer3Timer()
{
    m_offerTimer.stop();
    if (m_handOverOpen || m_window.readingFile()) {
        // One question at a time; try again once it is answered.
        m_offerTimer.start();
        return;
    }
    const QString path = ReadParamName(m_registry);
    // Anything of that name is offered; the import refuses what is no file, and says so.
    if (!path.isEmpty() && QFileInfo::exists(path))
        offerImport(path, GetShellDisplayName(path));
    WriteParamName(m_registry, QString());
}

bool HandOverReceiver::modalOpen() const
{
    return m_handOverOpen || m_window.modalDialogOpen() || m_window.readingFile();
}

void HandOverReceiver::request(Request request)
{
    if (m_deferred.isEmpty() && !modalOpen()) {
        carryOut(request);
        return;
    }
    // Closing the window or starting the update check from inside a modal loop would pull
    // the window away from under the dialog: wait until it is closed.
    defer(request);
}

void HandOverReceiver::defer(Request request)
{
    if (!m_deferred.contains(request))
        m_deferred.append(request);
    m_retry.start();
}

void HandOverReceiver::runDeferred()
{
    while (!m_deferred.isEmpty()) {
        if (modalOpen()) {
            m_retry.start();
            return;
        }
        carryOut(m_deferred.takeFirst());
    }
}

void HandOverReceiver::carryOut(Request request)
{
    switch (request) {
    case Request::Stop:
        // Come forward first when the close question will have something to ask.
        if (m_window.IsNodeModified() || m_window.tableModified())
            m_window.RestoreAndBringToFront();
        m_window.closeAsUser();
        break;
    case Request::CheckUpgrade:
        m_window.RestoreAndBringToFront();
        m_window.runUpdateCheck();
        break;
    case Request::HandOver:
        acceptHandOver();
        break;
    }
}
