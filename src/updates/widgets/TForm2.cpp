#include "updates/widgets/TForm2.h"
#include "ui_TForm2.h"

#include "platform/ProcessSnapshot.h"
#include "platform/Prompter.h"
#include "platform/ShellOpen.h"
#include "platform/WindowMessages.h"
#include "platform/widgets/FixedPitchFont.h"
#include "shell/LauncherMessages.h"
#include "updates/THTTPGet.h"
#include "updates/UpdateServer.h"
#include "updates/UpdateSettings.h"
#include "updates/UpdateTexts.h"
#include "updates/VersionNumbers.h"

#include <QDir>
#include <QEventLoop>
#include <QMouseEvent>
#include <QTimer>

namespace {

const QColor LinkColor(0, 0, 255);

} // namespace

TForm2::TForm2(Context context, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_context(std::move(context)),
      ui(std::make_unique<Ui::TForm2>()),
      Timer1(new QTimer(this)),
      HTTPGet(new THTTPGet(this))
{
    ui->setupUi(this);
    KeepFixedPitch(*ui->Memo1);
    for (QLabel *label : {ui->Label6, ui->Label8}) {
        // Blinking must not move the other controls.
        QSizePolicy policy = label->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        label->setSizePolicy(policy);
        label->installEventFilter(this);
    }

    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(250);
    HTTPGet->setObjectName(QStringLiteral("HTTPGet"));
    HTTPGet->setAcceptTypes(QStringLiteral("*/*"));
    HTTPGet->setAgent(QStringLiteral("Wexmora"));
    HTTPGet->setBinaryData(false);
    HTTPGet->setUseCache(false);
    HTTPGet->setWaitThread(true);

    connect(Timer1, &QTimer::timeout, this, &TForm2::Timer1Timer);
    connect(HTTPGet, &THTTPGet::OnDoneString, this, &TForm2::HTTPGetDoneString);
    connect(HTTPGet, &THTTPGet::OnError, this, &TForm2::HTTPGetError);
    connect(ui->Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
}

TForm2::~TForm2() = default;

void TForm2::CheckForUpdates()
{
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    setVersionState(ui->Label6, VersionState::Checking);
    setVersionState(ui->Label8, VersionState::Checking);
    ui->Label5->setText(UpdateTexts::InstalledTeraTermVersion(GetFileVersionNumbers(teraTermExe())));
    ui->Label7->setText(UpdateTexts::InstalledProgramVersion(ProgramVersionNumbers()));
    m_changesText.clear();
    ui->Memo1->setPlainText(UpdateTexts::PleaseWait);
    ui->Button1->setText(QStringLiteral("Cancel"));
    Timer1->start();
    setWindowModality(Qt::ApplicationModal);
    show();
    // Last: the download may end while it starts, and its event must find the window ready.
    startRequest(TeraTermVersion, UpdateServer::TeraTermBaseURL() + QStringLiteral("/ttversion.txt"));
    startPendingRequest();
}

void TForm2::CheckForUpdatesAndWait()
{
    QEventLoop loop;
    connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
    CheckForUpdates();
    if (isVisible())
        loop.exec();
}

void TForm2::reject()
{
    Button1Click();
}

void TForm2::Button1Click()
{
    if (HTTPGet->isBusy()) {
        m_abortedErrorPending = true;
        HTTPGet->Abort();
    }
    Timer1->stop();
    m_requestPending = false;
    QDialog::reject();
}

void TForm2::Timer1Timer()
{
    for (QLabel *label : {ui->Label6, ui->Label8}) {
        if (stateOf(label) == VersionState::Checking)
            label->setVisible(!label->isVisible());
    }
    if (m_requestPending)
        startPendingRequest();
    if (m_step == Done && Timer1->isActive()) {
        Timer1->stop();
        ui->Button1->setText(QStringLiteral("Close"));
        m_changesText = UpdateTexts::ConvertLineBreaksToCRLF(m_changesText);
        const QString outcome =
            UpdateTexts::OutcomeText(m_teraTermState == VersionState::Newer,
                                     m_programState == VersionState::Newer, m_changesText);
        ui->Memo1->setPlainText(outcome);
    }
}

void TForm2::HTTPGetDoneString(const QString &result)
{
    switch (m_step) {
    case TeraTermVersion: {
        const std::optional<bool> newer =
            takeVersion(result, ui->Label6, UpdateTexts::LatestTeraTermVersion(result),
                        GetFileVersionNumbers(teraTermExe()), m_latestTTVersion);
        if (!newer)
            return;
        if (*newer)
            startRequest(TeraTermChanges,
                         UpdateServer::TeraTermBaseURL() + QStringLiteral("/ttversioninfo.txt"));
        else
            startRequest(ProgramVersion,
                         UpdateServer::ProgramBaseURL() + QStringLiteral("/wexmoraversion.txt"));
        break;
    }
    case TeraTermChanges:
        m_changesText = result;
        startRequest(ProgramVersion,
                     UpdateServer::ProgramBaseURL() + QStringLiteral("/wexmoraversion.txt"));
        break;
    case ProgramVersion: {
        const std::optional<bool> newer =
            takeVersion(result, ui->Label8, UpdateTexts::LatestProgramVersion(result),
                        ProgramVersionNumbers(), m_latestProgramVersion);
        if (!newer)
            return;
        if (*newer)
            startRequest(ProgramChanges,
                         UpdateServer::ProgramBaseURL() + QStringLiteral("/wexmoraversioninfo.txt"));
        else
            m_step = Done;
        break;
    }
    case ProgramChanges:
        m_changesText = m_changesText.isEmpty()
            ? result
            : m_changesText + QStringLiteral("\r\n\r\n") + result;
        m_step = Done;
        break;
    case Done:
        return;
    }
    UpdateSettings::SaveLatestVersions(m_context.registry, m_latestTTVersion, m_latestProgramVersion);
}

// A product's version reply: shown on its label and kept as Latest, with whether it is newer
// than Installed. A reply that is no version text ends the check on the error road and is
// neither shown nor kept: nothing.
std::optional<bool> TForm2::takeVersion(const QString &reply, QLabel *label, const QString &shown,
                                        const VersionNumbers &installed, QString &latest)
{
    const std::optional<VersionNumbers> web = ParseVersionText(reply);
    if (!web) {
        showError();
        return std::nullopt;
    }
    latest = reply;
    label->setText(shown);
    const bool newer = IsNewerVersion(installed, *web);
    setVersionState(label, newer ? VersionState::Newer : VersionState::Received);
    return newer;
}

void TForm2::HTTPGetError()
{
    if (m_abortedErrorPending) {
        m_abortedErrorPending = false;
        return;
    }
    HTTPGet->Abort();
    showError();
}

void TForm2::showError()
{
    Timer1->stop();
    m_requestPending = false;
    m_step = Done;
    ui->Memo1->setPlainText(UpdateTexts::ErrorText(UpdateServer::DomainName()));
    for (QLabel *label : {ui->Label6, ui->Label8}) {
        setVersionState(label, VersionState::Failed);
        label->setText(UpdateTexts::Unknown);
    }
    ui->Button1->setText(QStringLiteral("Close"));
}

void TForm2::startRequest(Step step, const QString &url)
{
    HTTPGet->setURL(url);
    m_step = step;
    m_requestPending = true;
}

// The component takes one download at a time and still counts the last one as running while
// its event is handled, or while a stopped one ends: the request waits for the next tick then.
void TForm2::startPendingRequest()
{
    if (HTTPGet->isBusy())
        return;
    m_requestPending = false;
    HTTPGet->GetString();
}

void TForm2::setVersionState(QLabel *label, VersionState state)
{
    (label == ui->Label6 ? m_teraTermState : m_programState) = state;
    const bool link = state == VersionState::Newer;
    QFont font = label->font();
    font.setUnderline(link);
    label->setFont(font);
    QPalette colors = label->palette();
    colors.setColor(QPalette::WindowText, link ? LinkColor : palette().color(QPalette::WindowText));
    label->setPalette(colors);
    if (state == VersionState::Checking)
        label->setText(UpdateTexts::Checking);
    if (!link && m_hovered == label) {
        label->unsetCursor();
        m_hovered = nullptr;
    }
    label->setVisible(true);
}

TForm2::VersionState TForm2::stateOf(const QLabel *label) const
{
    return label == ui->Label6 ? m_teraTermState : m_programState;
}

// TeraTerm is upgraded first: the program's link waits until TeraTerm's is gone.
bool TForm2::offersLink(const QLabel *label) const
{
    if (label == ui->Label6)
        return m_teraTermState == VersionState::Newer;
    return m_programState == VersionState::Newer && m_teraTermState != VersionState::Newer;
}

bool TForm2::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != ui->Label6 && watched != ui->Label8)
        return QDialog::eventFilter(watched, event);
    auto *label = static_cast<QLabel *>(watched);
    switch (event->type()) {
    case QEvent::Enter:
        if (offersLink(label)) {
            label->setCursor(Qt::PointingHandCursor);
            m_hovered = label;
        }
        break;
    case QEvent::Leave:
        label->unsetCursor();
        m_hovered = nullptr;
        break;
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && m_hovered == label
            && label->rect().contains(mouse->position().toPoint())) {
            if (label == ui->Label6)
                Label6Click();
            else
                Label8Click();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void TForm2::Label6Click()
{
    while (ProcessSnapshot::IsProcessRunning(QStringLiteral("TTERMPRO.EXE"))) {
        if (m_context.prompter.ask(Prompter::Kind::Warning, UpdateTexts::TeraTermRunning,
                                   Prompter::Buttons::OkCancel) != Prompter::Ok)
            return;
    }
    switch (m_context.prompter.ask(Prompter::Kind::Confirmation, UpdateTexts::BackupQuestion,
                                   Prompter::Buttons::YesNoCancel)) {
    case Prompter::Yes:
        if (m_context.backupTeraTermConfiguration)
            m_context.backupTeraTermConfiguration();
        break;
    case Prompter::No:
        break;
    default:
        return;
    }
    leaveForUpgrade(UpdateServer::TeraTermInstallerURL(ui->Label6->text()));
}

void TForm2::Label8Click()
{
    close();
    leaveForUpgrade(UpdateServer::ProgramInstallerURL(ui->Label8->text()));
}

// The installer opens in the browser and the launcher is asked to stop; the program itself
// ends when the user or the launcher closes it.
void TForm2::leaveForUpgrade(const QString &installerUrl)
{
    m_context.prompter.information(UpdateTexts::ClosingForUpgrade);
    if (m_context.querySaveBeforeClose && !m_context.querySaveBeforeClose())
        return;
    ShellOpen::openDocument(installerUrl);
    m_context.messages.broadcast(LauncherMessages::LauncherStopMessage);
}

QString TForm2::teraTermExe() const
{
    return QDir(m_context.programDir).filePath(QStringLiteral("ttermpro.exe"));
}
