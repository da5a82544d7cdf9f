#include "platform/WindowMessages.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariant>

#include <cstdio>

namespace {

QDBusConnection bus()
{
    return QDBusConnection::sessionBus();
}

void reportDroppedOnce(const QString &name)
{
    static bool said = false;
    if (said)
        return;
    said = true;
    std::fprintf(stderr, "Wexmora: no D-Bus session bus; window message \"%s\" not sent\n",
                 name.toLocal8Bit().constData());
}

// The bus handles a connection's messages in order: once it answers this ping, everything
// sent before (a broadcast, a subscription) has been dealt with. Only the bus is waited for,
// never a receiver.
void syncWithBus(QDBusConnection &connection)
{
    const QDBusMessage ping = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping"));
    connection.call(ping, QDBus::Block, 2000);
}

} // namespace

WindowMessages::WindowMessages(QObject *parent) : QObject(parent)
{
    QDBusConnection connection = bus();
    if (connection.isConnected())
        m_listening = connection.connect(QString(), QLatin1String(kPath), QLatin1String(kInterface),
                                         QLatin1String(kSignal), QStringLiteral("sxxs"), this,
                                         SLOT(onMessage(QDBusMessage)));
    // Listening from the moment the object exists: a broadcast sent after it is not missed.
    if (m_listening)
        syncWithBus(connection);
}

WindowMessages::~WindowMessages()
{
    if (m_listening)
        bus().disconnect(QString(), QLatin1String(kPath), QLatin1String(kInterface),
                         QLatin1String(kSignal), QStringLiteral("sxxs"), this,
                         SLOT(onMessage(QDBusMessage)));
}

bool WindowMessages::isConnected() const
{
    return bus().isConnected();
}

QString WindowMessages::ownId() const
{
    const QDBusConnection connection = bus();
    return connection.isConnected() ? connection.baseService() : QString();
}

bool WindowMessages::broadcast(const QString &name, qint64 wParam, qint64 lParam)
{
    QDBusConnection connection = bus();
    if (!connection.isConnected()) {
        reportDroppedOnce(name);
        return false;
    }
    QDBusMessage signal = QDBusMessage::createSignal(QLatin1String(kPath),
                                                     QLatin1String(kInterface),
                                                     QLatin1String(kSignal));
    signal << name << wParam << lParam << connection.baseService();
    if (!connection.send(signal))
        return false;
    // On its way to every listener once the bus has it, even if this process ends now.
    syncWithBus(connection);
    return true;
}

std::optional<WindowMessages::Message> WindowMessages::decode(const QDBusMessage &message)
{
    // Any process on the session bus may send anything under our path and name.
    const QList<QVariant> args = message.arguments();
    if (args.size() != 4 || args.at(0).metaType() != QMetaType::fromType<QString>()
        || args.at(1).metaType() != QMetaType::fromType<qlonglong>()
        || args.at(2).metaType() != QMetaType::fromType<qlonglong>()
        || args.at(3).metaType() != QMetaType::fromType<QString>())
        return std::nullopt;
    // The bus names the true sender; the id inside the message is only what it claims.
    return Message{args.at(0).toString(), args.at(1).toLongLong(), args.at(2).toLongLong(),
                   message.service().isEmpty() ? args.at(3).toString() : message.service()};
}

void WindowMessages::onMessage(const QDBusMessage &message)
{
    if (const std::optional<Message> m = decode(message))
        Q_EMIT received(m->name, m->wParam, m->lParam, m->senderId);
}
