#include "updates/UpdateSettings.h"

#include "platform/Registry.h"
#include "shell/ProgramRegKey.h"

#include <array>

namespace UpdateSettings {

namespace {

constexpr std::array<int, 6> kIntervalDays{1, 3, 7, 14, 30, 0};

} // namespace

int DayNumber(const QDate &date)
{
    return int(QDate(1899, 12, 30).daysTo(date));
}

int UpdateIntervalDays(int index)
{
    return index >= 0 && index < int(kIntervalDays.size()) ? kIntervalDays[size_t(index)] : 0;
}

int NextUpdateCheck(int index, const QDate &today)
{
    return DayNumber(today) + UpdateIntervalDays(index);
}

bool SaveNextUpdateCheck(Registry &registry, int value)
{
    return registry.writeDword(ProgramRegHive, ProgramRegKey, QStringLiteral("NextCheck"),
                               quint32(value));
}

bool SaveLatestVersions(Registry &registry, const QString &latestTeraTermVersion,
                        const QString &latestProgramVersion)
{
    // Together, so the launcher never reads one product's new value beside the other's old one.
    if (!registry.beginTransaction())
        return false;
    if (registry.writeString(ProgramRegHive, ProgramRegKey, QStringLiteral("TTLatestVersion"),
                             latestTeraTermVersion)
        && registry.writeString(ProgramRegHive, ProgramRegKey,
                                QStringLiteral("WexmoraLatestVersion"), latestProgramVersion)
        && registry.commit())
        return true;
    registry.rollback();
    return false;
}

} // namespace UpdateSettings
