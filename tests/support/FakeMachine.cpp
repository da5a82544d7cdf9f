#include "support/FakeMachine.h"

#include "platform/WineLocator.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace {

QByteArray elfHeader(const QString &machine)
{
    QByteArray bytes(64, '\0');
    bytes.replace(0, 4, "\x7f" "ELF");
    const bool wide = machine != QLatin1String("i386");
    bytes[4] = wide ? 2 : 1;  // word size
    bytes[5] = 1;             // little-endian
    bytes[6] = 1;             // version
    qToLittleEndian<quint16>(2, bytes.data() + 16);  // an executable
    const quint16 code = machine == QLatin1String("i386") ? 3 : machine == QLatin1String("x86-64") ? 62 : 183;
    qToLittleEndian<quint16>(code, bytes.data() + 18);
    return bytes;
}

// Debian's wrapper as the "wine" package ships it, cut to what decides which loader it runs.
QByteArray debianWrapper(const QString &wine32, const QString &wine64)
{
    return "#!/bin/sh -e\n\nwine32=" + QFile::encodeName(wine32) + "\nwine64=" + QFile::encodeName(wine64)
        + "\n\nif test -x $wine32; then\n    wine=$wine32\nelif test -x $wine64; then\n    wine=$wine64\n"
          "else\n    exit 1\nfi\nexec $wine \"$@\"\n";
}

} // namespace

FakeMachine::FakeMachine(const QString &folder, const QStringList &files, const QString &path)
    : m_folder(folder)
{
    m_ready = QDir().mkpath(folder);
    for (const QString &line : files)
        m_ready = m_ready && make(line);
    m_path.set(QFile::encodeName(path));
    WineLocator::setRootForTesting(folder);
}

FakeMachine::~FakeMachine()
{
    WineLocator::setRootForTesting(QString());
}

QString FakeMachine::file(const QString &path) const
{
    return QDir::cleanPath(m_folder + QLatin1Char('/') + path);
}

bool FakeMachine::make(const QString &line)
{
    const qsizetype arrow = line.indexOf(QLatin1String(" -> "));
    const qsizetype colon = line.indexOf(QLatin1String(": "));
    const QString name = line.left(arrow >= 0 ? arrow : colon);
    const QString target = file(name);
    if (!QDir().mkpath(QFileInfo(target).path()))
        return false;
    if (arrow >= 0)
        return QFile::link(line.mid(arrow + 4), target);
    const QStringList words = line.mid(colon + 2).split(QLatin1Char(' '));
    QByteArray bytes;
    if (words.first() == QLatin1String("elf") && words.size() == 2)
        bytes = elfHeader(words.at(1));
    else if (words.first() == QLatin1String("debian-wrapper") && words.size() == 3)
        bytes = debianWrapper(words.at(1), words.at(2));
    else if (words.first() == QLatin1String("script"))
        bytes = "#!/bin/sh\nexec box64 wine \"$@\"\n";
    else if (words.first() == QLatin1String("file"))
        return WriteFileBytes(target, "MZ");
    else
        return false;
    return WriteFileBytes(target, bytes)
        && QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

QStringList FakeMachine::debian(bool wine32, bool wine64)
{
    QStringList files{
        QStringLiteral("usr/bin/wine -> /etc/alternatives/wine"),
        QStringLiteral("etc/alternatives/wine -> /usr/bin/wine-stable"),
        QStringLiteral("usr/bin/wine-stable: debian-wrapper /usr/lib/wine/wine /usr/lib/wine/wine64"),
        // libwine:amd64 ships a 32-bit Windows folder with one DLL: no 32-bit side of its own.
        QStringLiteral("usr/lib/x86_64-linux-gnu/wine/x86_64-unix/ntdll.so: file"),
        QStringLiteral("usr/lib/x86_64-linux-gnu/wine/i386-windows/zlib1.dll: file"),
    };
    if (wine32)
        files << QStringLiteral("usr/lib/wine/wine: elf i386")
              << QStringLiteral("usr/lib/i386-linux-gnu/wine/i386-windows/ntdll.dll: file");
    if (wine64)
        files << QStringLiteral("usr/lib/wine/wine64: elf x86-64");
    return files;
}
