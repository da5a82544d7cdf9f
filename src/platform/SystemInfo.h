#pragma once

#include <QString>

// What the program asks of the system about the user and the machine.
namespace SystemInfo {

QString userName();
QString computerName();
// Whether the system counts as of the Windows NT family (the program's "NT" option): always.
bool isNTFamily();

} // namespace SystemInfo
