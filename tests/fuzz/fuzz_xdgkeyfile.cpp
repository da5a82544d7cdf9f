// mimeapps.list and desktop entries are written by other programs and by hand; the editor
// must keep every byte it does not change and read back what it writes. The autostart entry
// is read from the same form: its Exec value is unquoted, and what the program quotes for it
// reads back as written, also as the whole command line the entry starts.
#include "platform/AutoStart.h"
#include "platform/XdgKeyFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    XdgKeyFile file(bytes);
    if (file.contents() != bytes)
        std::abort();

    const QByteArray group("Default Applications");
    const QByteArray key("application/x-qdzfile");
    const auto before = file.value(group, key);
    if (file.setValue(group, key, "wexmora-type-qdzfile.desktop;")) {
        if (file.value(group, key) != QByteArray("wexmora-type-qdzfile.desktop;"))
            std::abort();
        // Restoring the old value, or removing the key, leaves a readable file.
        if (before)
            file.setValue(group, key, *before);
        else
            file.remove(group, key);
        XdgKeyFile again(file.contents());
        if (again.contents() != file.contents())
            std::abort();
    }
    file.value("Desktop Entry", "X-Wexmora-Previous-Default");

    // The program an entry starts is the first of what its Exec starts.
    const std::optional<QStringList> command = AutoStart::startedCommand(bytes);
    if (AutoStart::startedProgram(bytes) != (command ? command->first() : QString()))
        std::abort();
    if (command && command->first().isEmpty())
        std::abort();
    const QString text = QString::fromUtf8(bytes);
    if (AutoStart::execProgram(AutoStart::quoteExecArgument(text)) != text)
        std::abort();
    const QStringList words{QStringLiteral("env"), QStringLiteral("WINEPREFIX=") + text, QStringLiteral("/usr/bin/wine"), text};
    const std::optional<QStringList> read =
        AutoStart::execArguments(AutoStart::execLine(StartCommand{words.at(2), {text}, {}, {{QStringLiteral("WINEPREFIX"), text}}}));
    if (!text.isEmpty() && read != words)
        std::abort();
    return 0;
}
