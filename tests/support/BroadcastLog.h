#pragma once

#include "platform/WindowMessages.h"

#include <QSignalSpy>
#include <QStringList>
#include <QTest>
#include <QUuid>

// The window messages this process broadcast on the bus, read in the order they went out. Each
// read sends a marker and waits for it: it comes back after everything sent before it, which
// has then reached every receiver of this process too.
class BroadcastLog
{
public:
    explicit BroadcastLog(WindowMessages &messages)
        : m_messages(messages), m_received(&messages, &WindowMessages::received)
    {
    }

    // What this process broadcast since the last read; {"no marker"} when the bus lost it.
    QStringList take()
    {
        const QString marker = QStringLiteral("marker-") + QUuid::createUuid().toString(QUuid::Id128);
        m_messages.broadcast(marker);
        const auto markerAt = [&] {
            for (qsizetype i = 0; i < m_received.size(); ++i)
                if (m_received.at(i).at(0).toString() == marker)
                    return i;
            return qsizetype(-1);
        };
        if (!QTest::qWaitFor([&] { return markerAt() >= 0; }, 20000))
            return {QStringLiteral("no marker")};
        QStringList out;
        for (qsizetype i = 0, end = markerAt(); i < end; ++i) {
            const QList<QVariant> &m = m_received.at(i);
            if (m_messages.isOwn(m.at(3).toString()))
                out << m.at(0).toString();
        }
        m_received.clear();
        return out;
    }

    // Broadcasts Name (a request of the launcher's) and returns once this process has handled it.
    void send(const QString &name)
    {
        m_messages.broadcast(name);
        take();
    }

private:
    WindowMessages &m_messages;
    QSignalSpy m_received;
};
