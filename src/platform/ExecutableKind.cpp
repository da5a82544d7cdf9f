#include "platform/ExecutableKind.h"

#include "platform/RegularFile.h"

#include <QFile>
#include <QtEndian>

#include <optional>

namespace ExecutableKind {

namespace {

constexpr qint64 kPeHeaderPointer = 0x3C;  // e_lfanew in the DOS header
constexpr quint32 kPeSignature = 0x00004550;  // "PE\0\0"

// Exactly Length bytes at Offset, or nothing.
std::optional<QByteArray> readAt(QIODevice &device, qint64 offset, qint64 length)
{
    if (offset < 0 || (!device.isSequential() && offset > device.size()) || !device.seek(offset))
        return std::nullopt;
    QByteArray bytes = device.read(length);
    if (bytes.size() != length)
        return std::nullopt;
    return bytes;
}

Machine fromPeField(quint16 field)
{
    switch (field) {
    case 0x014C: return Machine::I386;
    case 0x8664: return Machine::X86_64;
    case 0x01C0:  // ARM
    case 0x01C2:  // Thumb
    case 0x01C4:  // ARMv7 (Thumb-2)
        return Machine::Arm;
    case 0xAA64:  // ARM64
    case 0xA641:  // ARM64EC
        return Machine::Arm64;
    default: return Machine::Other;
    }
}

} // namespace

bool isWindowsExecutable(const QString &path)
{
    QFile file;
    if (RegularFile::open(file, path) != RegularFile::Status::Opened)
        return false;
    return file.read(2) == "MZ";
}

WindowsMachine windowsMachine(QIODevice &device)
{
    const std::optional<QByteArray> dos = readAt(device, 0, kPeHeaderPointer + 4);
    if (!dos || !dos->startsWith("MZ"))
        return {};
    const quint32 pe = qFromLittleEndian<quint32>(dos->constData() + kPeHeaderPointer);
    // The signature, then the file header's first field.
    const std::optional<QByteArray> header = readAt(device, qint64(pe), 6);
    if (!header || qFromLittleEndian<quint32>(header->constData()) != kPeSignature)
        return {};
    const quint16 field = qFromLittleEndian<quint16>(header->constData() + 4);
    return {fromPeField(field), field};
}

WindowsMachine windowsMachine(const QString &path)
{
    QFile file;
    if (RegularFile::open(file, path) != RegularFile::Status::Opened)
        return {};
    return windowsMachine(file);
}

Machine linuxMachine(QIODevice &device)
{
    // e_ident (magic, class, byte order, ...), e_type, then e_machine.
    const std::optional<QByteArray> ident = readAt(device, 0, 20);
    if (!ident || !ident->startsWith("\x7f" "ELF"))
        return Machine::None;
    const char wordSize = ident->at(4);  // 1: 32-bit, 2: 64-bit
    if (ident->at(5) != 1)               // little-endian, as every machine below is
        return Machine::Other;
    switch (qFromLittleEndian<quint16>(ident->constData() + 18)) {
    case 3: return wordSize == 1 ? Machine::I386 : Machine::Other;
    case 62: return wordSize == 2 ? Machine::X86_64 : Machine::Other;  // not the x32 ABI
    case 40: return wordSize == 1 ? Machine::Arm : Machine::Other;
    case 183: return wordSize == 2 ? Machine::Arm64 : Machine::Other;
    default: return Machine::Other;
    }
}

Machine linuxMachine(const QString &path)
{
    QFile file;
    if (RegularFile::open(file, path) != RegularFile::Status::Opened)
        return Machine::None;
    return linuxMachine(file);
}

QString machineName(Machine machine)
{
    switch (machine) {
    case Machine::I386: return QStringLiteral("32-bit x86 (i386)");
    case Machine::X86_64: return QStringLiteral("64-bit x86 (x86-64)");
    case Machine::Arm: return QStringLiteral("32-bit ARM");
    case Machine::Arm64: return QStringLiteral("64-bit ARM (ARM64)");
    case Machine::None:
    case Machine::Other: break;
    }
    return QStringLiteral("an unknown machine");
}

} // namespace ExecutableKind
