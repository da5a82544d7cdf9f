#pragma once

#include <QString>

class Registry;

// "ParamName" under the program key: the full path of a file handed over from one start to
// the running one, or empty.

// Writes S, creating the key when it is missing. False when the store refused the write.
bool WriteParamName(Registry &registry, const QString &s);
// The stored path; empty when the key or the value is missing or unreadable.
QString ReadParamName(const Registry &registry);
