#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class Prompter;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class Registry;
class THTTPGet;
class WindowMessages;
struct VersionNumbers;

namespace Ui {
class TForm2;
}

// The update window: fetches the latest versions of TeraTerm and of this program from the
// update server, one file after another, compares them with the installed ones, shows the
// outcome and the change lists, and offers each newer version as a link that leads the user
// through its upgrade. The program makes one and keeps it for the whole run.
class TForm2 : public QDialog
{
    Q_OBJECT

public:
    // What the window needs of the program around it.
    struct Context
    {
        Prompter &prompter;
        Registry &registry;            // holds the program's key
        WindowMessages &messages;      // the upgrade's stop request goes out on it
        QString programDir;            // TeraTerm's folder, which holds ttermpro.exe
        // The save question of the open table before the program leaves: true to go on.
        std::function<bool()> querySaveBeforeClose;
        // The backup of TeraTerm's configuration, offered before TeraTerm is upgraded.
        std::function<void()> backupTeraTermConfiguration;
    };

    explicit TForm2(Context context, QWidget *parent = nullptr);
    ~TForm2() override;

    // Starts a check and shows the window over the whole program; returns at once. While the
    // window shows, a request only brings it to the front.
    void CheckForUpdates();
    // The same, returning when the window has closed (a start for the check alone).
    void CheckForUpdatesAndWait();

    // Cancel and Close: stop the download and close.
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // What a version label shows: a version being fetched (blinking), a version received, a
    // newer version (a link), or nothing after a failed check.
    enum class VersionState { Checking, Received, Newer, Failed };
    // The file being fetched, in the order they are fetched.
    enum Step { TeraTermVersion, TeraTermChanges, ProgramVersion, ProgramChanges, Done };

    void Button1Click();
    void Timer1Timer();
    void HTTPGetDoneString(const QString &result);
    void HTTPGetError();
    void Label6Click();
    void Label8Click();

    std::optional<bool> takeVersion(const QString &reply, QLabel *label, const QString &shown,
                                    const VersionNumbers &installed, QString &latest);
    void startRequest(Step step, const QString &url);
    void startPendingRequest();
    void showError();
    void setVersionState(QLabel *label, VersionState state);
    VersionState stateOf(const QLabel *label) const;
    bool offersLink(const QLabel *label) const;
    QString teraTermExe() const;
    void leaveForUpgrade(const QString &installerUrl);

    Context m_context;
    std::unique_ptr<Ui::TForm2> ui;
    QTimer *Timer1;
    THTTPGet *HTTPGet;
    VersionState m_teraTermState = VersionState::Checking;
    VersionState m_programState = VersionState::Checking;
    Step m_step = Done;
    // The next file is to be fetched as soon as the component is free.
    bool m_requestPending = false;
    // The component still ends a download this window stopped; its error is not news.
    bool m_abortedErrorPending = false;
    // The label under the mouse while it shows the hand cursor.
    QLabel *m_hovered = nullptr;
    // The version texts received in this run, as the server sent them; stored after each reply.
    QString m_latestTTVersion;
    QString m_latestProgramVersion;
    QString m_changesText;
};
