#pragma once

#include "platform/Registry.h"

#include <QStringList>

// Every key and value of a hive as sorted lines ("key" for a key, "key|name=value" for a
// string value, "key|name:number" for a number), so tests compare whole hives before and
// after an operation.
QStringList DumpHive(const Registry &registry, Registry::Hive hive);
