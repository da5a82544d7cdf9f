// A process's "comm" and "cmdline" under /proc are whatever the process set: any bytes. The
// input is split at its first two line feeds into the command name, the executable's link
// target and the command line. At most four names come back, and those taken from a path
// carry no separator.
#include "FuzzCheck.h"

#include "platform/ProcessSnapshot.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const qsizetype first = bytes.indexOf('\n');
    const qsizetype second = first < 0 ? -1 : bytes.indexOf('\n', first + 1);
    const QByteArray command = first < 0 ? bytes : bytes.left(first);
    const QString exe = first < 0 ? QString() : QString::fromLocal8Bit(second < 0 ? bytes.mid(first + 1)
                                                                                  : bytes.sliced(first + 1, second - first - 1));
    const QByteArray commandLine = second < 0 ? QByteArray() : bytes.mid(second + 1);

    const QStringList names = ProcessSnapshot::ExeNamesOf(command, exe, commandLine);
    Check(names.size() <= 4, "a command name, an executable and two arguments at most");
    const bool hasCommand = !QString::fromLocal8Bit(command).trimmed().isEmpty();
    for (qsizetype i = hasCommand ? 1 : 0; i < names.size(); ++i)
        Check(!names.at(i).contains(QLatin1Char('/')) && !names.at(i).contains(QLatin1Char('\\')),
              "a name taken from a path is its last part");
    return 0;
}
