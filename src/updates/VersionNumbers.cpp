#include "updates/VersionNumbers.h"

#include "platform/PeVersionResource.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QVersionNumber>

#include <tuple>

VersionNumbers GetFileVersionNumbers(const QString &fileName)
{
    const std::optional<PeVersionResource::FileVersion> v = PeVersionResource::readFile(fileName);
    if (!v)
        return UnknownFileVersion;
    return {v->major, v->minor, v->release, v->build};
}

VersionNumbers ProgramVersionNumbers()
{
    const QVersionNumber v = QVersionNumber::fromString(QCoreApplication::applicationVersion());
    return {v.segmentAt(0), v.segmentAt(1), v.segmentAt(2), v.segmentAt(3)};
}

std::optional<VersionNumbers> ParseVersionText(const QString &text)
{
    static const QRegularExpression form(
        QStringLiteral("^([0-9]{1,9})\\.([0-9]{1,9})-([0-9]{1,9})$"));
    // "$" would also match before a final line break; the whole text must be the version.
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch() || m.capturedLength(0) != text.size())
        return std::nullopt;
    return VersionNumbers{m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(), 0};
}

bool IsNewerVersion(const VersionNumbers &installed, const VersionNumbers &web)
{
    return std::tie(web.major, web.minor, web.release)
        > std::tie(installed.major, installed.minor, installed.release);
}
