#pragma once

#include <QString>

// What the program asks of the system about the user and the machine.
namespace SystemInfo {

QString userName();
QString computerName();
// The program's Windows-family checks take the NT branch here: the system has the features
// they guard (screen lock, the printer list of the NT family).
bool isNTFamily();

} // namespace SystemInfo
