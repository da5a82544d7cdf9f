#pragma once

#include "LoopbackHttpServer.h"
#include "support/ScopedEnv.h"

// The update server's version files and change lists, as the program asks for them.
namespace UpdateFiles {
inline const QByteArray TT = "/freeware/TeraTerm/ttversion.txt";
inline const QByteArray TTI = "/freeware/TeraTerm/ttversioninfo.txt";
inline const QByteArray W = "/freeware/Wexmora/wexmoraversion.txt";
inline const QByteArray WI = "/freeware/Wexmora/wexmoraversioninfo.txt";
} // namespace UpdateFiles

// The update server on the loopback: while it lives, the program (and any program the test
// starts) asks it, with no proxy between.
class LoopbackUpdateServer : public LoopbackHttpServer
{
public:
    LoopbackUpdateServer()
    {
        m_host.set(host());
        m_noProxy.set("*");
    }

    void serve(const QMap<QByteArray, QByteArray> &replies)
    {
        for (auto it = replies.begin(); it != replies.end(); ++it)
            setReply(it.key(), it.value());
    }

private:
    ScopedEnv m_host{"WEXMORA_UPDATE_HOST"};
    ScopedEnv m_noProxy{"no_proxy"};
};
