#pragma once

#include <QDate>
#include <QString>

class Registry;

// The values of the update check under the program's key, which the companion launcher reads:
// "NextCheck", the day of the next automatic check, and the latest versions received.
namespace UpdateSettings {

// Whole days since 30 December 1899, as the launcher counts days.
int DayNumber(const QDate &date);

// The days the check-interval list's item Index adds (every day, 3, 7, 14, 30 days, never);
// 0 for "never" and for an index outside the list.
int UpdateIntervalDays(int index);
// "NextCheck" for the item Index chosen on Today: "never" gives today itself.
int NextUpdateCheck(int index, const QDate &today);

// Each writes its values into the program's key, made when missing; false when the registry
// refused, and then nothing was written.
bool SaveNextUpdateCheck(Registry &registry, int value);
bool SaveLatestVersions(Registry &registry, const QString &latestTeraTermVersion,
                        const QString &latestProgramVersion);

} // namespace UpdateSettings
