#pragma once

#include <QString>

// What the program asks of the system about the user and the machine.
namespace SystemInfo {

QString userName();
QString computerName();

} // namespace SystemInfo
