// The machine of a program file, read from a Windows executable's PE header or a Linux
// loader's ELF header, on any bytes: an answer for each, never a read outside them.
#include "platform/ExecutableKind.h"

#include "FuzzCheck.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const ExecutableKind::WindowsMachine pe = ExecutableKind::windowsMachine(buffer);
    Check(pe.machine == ExecutableKind::Machine::None ? pe.field == 0 : bytes.startsWith("MZ"),
          "a machine only for a file that begins as a Windows executable");
    Check(pe.machine == ExecutableKind::Machine::None || size >= 0x40, "a PE header needs a DOS header before it");
    const ExecutableKind::Machine elf = ExecutableKind::linuxMachine(buffer);
    Check(elf == ExecutableKind::Machine::None || bytes.startsWith("\x7f" "ELF"), "a machine only for an ELF file");
    Check(!ExecutableKind::machineName(elf).isEmpty(), "every machine has a name");
    return 0;
}
