#pragma once

#include <QObject>
#include <QString>

#include <optional>

class QDBusMessage;

// Messages broadcast by name between this program, its other starts and the companion
// launcher, none of them waiting for the others. A broadcast is the D-Bus signal
// Message(s name, x wParam, x lParam, s senderId) on the path "/org/wexmora/WindowMessages",
// interface "org.wexmora.WindowMessages", of the session bus, with no service name; every
// instance listens for it. Messages arrive as the signal received(), in the thread that made
// the object (the GUI thread), in modal loops too. Without a session bus broadcasts are
// dropped (said once on standard error) and nothing arrives; the program runs on.
class WindowMessages : public QObject
{
    Q_OBJECT

public:
    static constexpr const char *kPath = "/org/wexmora/WindowMessages";
    static constexpr const char *kInterface = "org.wexmora.WindowMessages";
    static constexpr const char *kSignal = "Message";

    // One message as another process sent it.
    struct Message
    {
        QString name;
        qint64 wParam = 0;
        qint64 lParam = 0;
        QString senderId;   // the bus's name of the sender where the bus tells it
    };
    // What a received signal says; nothing when it is not of the form "sxxs".
    static std::optional<Message> decode(const QDBusMessage &message);

    explicit WindowMessages(QObject *parent = nullptr);
    ~WindowMessages() override;

    bool isConnected() const;
    // How this process is named as the sender of its broadcasts (its unique bus name);
    // empty without a bus.
    QString ownId() const;
    bool isOwn(const QString &senderId) const { return !senderId.isEmpty() && senderId == ownId(); }

    // Sends Name to every listener, this process's own included. The message has left when
    // this returns, so a process may end right after. False when it was dropped.
    bool broadcast(const QString &name, qint64 wParam = 0, qint64 lParam = 0);

Q_SIGNALS:
    void received(const QString &name, qint64 wParam, qint64 lParam, const QString &senderId);

private Q_SLOTS:
    void onMessage(const QDBusMessage &message);

private:
    bool m_listening = false;
};
