#pragma once

#include <QString>

// A Wine prefix: the folder that holds a Windows installation's drive C ("drive_c") and the
// links that make its drives ("dosdevices").
namespace WinePrefix {

// The prefix Path lies in: the nearest of Path and its ancestors holding both "drive_c" and
// "dosdevices", symbolic links resolved. Empty when Path lies in none.
QString containing(const QString &path);

} // namespace WinePrefix
