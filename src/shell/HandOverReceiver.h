#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

class HandOverWindow;
class Prompter;
class Registry;
class WindowMessages;

// The main window's side of the messages from later starts and from the launcher: a later
// start's hand-over is offered for import, a stop request closes the window as the user
// would, an upgrade request runs the update check. Also the import offer made shortly after
// start for a file handed over while a table was opened.
class HandOverReceiver : public QObject
{
    Q_OBJECT

public:
    static constexpr int GuardInterval = 5000;      // Timer2
    static constexpr int OfferDelay = 500;          // Timer3
    static constexpr int DeferredRetryInterval = 200;

    HandOverReceiver(Registry &registry, Prompter &prompter, HandOverWindow &window,
                     QObject *parent = nullptr);

    // Takes the messages that reach this process from now on.
    void attach(WindowMessages &messages);

    // One received message; Own when this process sent it.
    void handleMessage(const QString &name, bool own);

    // Arms the offer of the handed-over file, made once OfferDelay after this call.
    void startOfferTimer() { m_offerTimer.start(); }

    bool guardActive() const { return m_guard.isActive(); }
    bool offerTimerActive() const { return m_offerTimer.isActive(); }
    // A hand-over question or report is open (or its import runs).
    bool handOverOpen() const { return m_handOverOpen; }
    // Stop and upgrade requests waiting for a modal dialog to close.
    int deferredCount() const { return int(m_deferred.size()); }
    bool retryActive() const { return m_retry.isActive(); }

public Q_SLOTS:
    // The end of the 5 s guard.
    void Timer2Timer();
    // The offer of the handed-over file after start.
    void Timer3Timer();
    // Carries out the waiting requests once no modal dialog is open.
    void runDeferred();

private:
    enum class Request { Stop, CheckUpgrade, HandOver };

    void acceptHandOver();
    void request(Request request);
    // Keeps Request until the window is free again.
    void defer(Request request);
    void carryOut(Request request);
    bool modalOpen() const;
    // Asks whether to import Path (shown as Name); imports on Yes.
    void offerImport(const QString &path, const QString &name);

    Registry &m_registry;
    Prompter &m_prompter;
    HandOverWindow &m_window;
    QTimer m_guard;
    QTimer m_offerTimer;
    QTimer m_retry;
    QList<Request> m_deferred;
    bool m_handOverOpen = false;
};
