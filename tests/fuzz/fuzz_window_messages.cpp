// What another process sends: any signal under the window messages' path, with any number of
// arguments of any type, and the hand-over value "ParamName" a later start (or anyone) wrote.
// Taken as the running window takes them, nothing may crash, and an import is offered only
// for a regular file that is there.
#include "FuzzCheck.h"

#include "platform/Registry.h"
#include "platform/WindowMessages.h"
#include "shell/HandOverReceiver.h"
#include "shell/LauncherMessages.h"
#include "shell/ParamName.h"
#include "support/FakeHandOverWindow.h"
#include "support/FileBytes.h"
#include "support/ScriptedPrompter.h"

#include <QDBusMessage>
#include <QFileInfo>
#include <QStringList>

#include <cstddef>
#include <cstdint>

namespace {

// Names the fuzzer may pick by a byte, so that it reaches the handlers behind them.
const QString KnownNames[] = {LauncherMessages::InstanceMessage, LauncherMessages::StopMessage,
                              LauncherMessages::CheckUpgradeMessage, LauncherMessages::SettingsChangedMessage};

// Reads the input: the hand-over value up to the first NUL (a name in the scratch folder
// when it starts with "@"), then arguments, each a type byte, a length byte and its bytes.
struct Input
{
    QByteArray bytes;
    qsizetype at = 0;

    QByteArray take(qsizetype n)
    {
        const QByteArray part = bytes.mid(at, n);
        at += n;
        return part;
    }
    bool more() const { return at + 2 <= bytes.size(); }
};

QVariant argument(Input &in)
{
    const auto type = uchar(in.bytes.at(in.at++));
    const QByteArray data = in.take(uchar(in.bytes.at(in.at++)));
    qint64 number = 0;
    memcpy(&number, data.constData(), size_t(qMin<qsizetype>(data.size(), sizeof number)));
    switch (type % 8) {
    case 0: return QString::fromUtf8(data);
    case 1: return type >= 128 && !data.isEmpty() ? KnownNames[uchar(data.at(0)) % std::size(KnownNames)]
                                                  : QString::fromUtf8(data);
    case 2: return qlonglong(number);
    case 3: return int(number);
    case 4: return data;
    case 5: return bool(number & 1);
    case 6: return QStringList{QString::fromUtf8(data)};
    default: return double(number);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    EnsureApplication();
    static Registry registry(ScratchFile(QStringLiteral("registry.sqlite3")));
    static const QString staged = ScratchFile(QStringLiteral("~Sites.QDZ"));
    static const bool written = WriteFileBytes(staged, QByteArray("QDZ21\0\0\0\0", 9));
    Check(registry.isOpen() && written, "the scratch store and file are there");

    Input in{QByteArray(reinterpret_cast<const char *>(data), qsizetype(size))};
    const qsizetype end = in.bytes.indexOf('\0');
    QString handedOver = QString::fromUtf8(in.take(end < 0 ? in.bytes.size() : end));
    in.at = end < 0 ? in.bytes.size() : end + 1;
    if (handedOver.startsWith(QLatin1Char('@')))
        handedOver = ScratchFile(handedOver.mid(1));
    WriteParamName(registry, handedOver);

    QDBusMessage signal = QDBusMessage::createSignal(QLatin1String(WindowMessages::kPath),
                                                     QLatin1String(WindowMessages::kInterface),
                                                     QLatin1String(WindowMessages::kSignal));
    QList<QVariant> args;
    while (in.more() && args.size() < 8)
        args.append(argument(in));
    signal.setArguments(args);

    ScriptedPrompter prompter;
    FakeHandOverWindow window;
    HandOverReceiver receiver(registry, prompter, window);
    if (const std::optional<WindowMessages::Message> m = WindowMessages::decode(signal)) {
        receiver.handleMessage(m->name, m->senderId == QLatin1String("self"));
        receiver.Timer3Timer();
    }
    for (const QString &call : window.calls) {
        if (call.startsWith(QLatin1String("import:")))
            Check(QFileInfo::exists(call.mid(7)), "an import is offered only for a file that is there");
    }
    return 0;
}
