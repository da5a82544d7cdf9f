#pragma once

#include "platform/Registry.h"

#include <QString>

// The key that holds every option of the program, shared with the companion launcher (which
// reads "SelectLast", "DblClickAction" and the update-check values from it).
inline const QString ProgramRegKey = QStringLiteral("Software\\Quenid Solutions\\Wexmora");
inline constexpr Registry::Hive ProgramRegHive = Registry::Hive::CurrentUser;
