#pragma once

#include "table/rVTNodeData.h"

#include <QByteArray>

// A record with only its Name set, as tests build small trees from.
inline rVTNodeData NamedRecord(const QByteArray &name)
{
    rVTNodeData d;
    d.Name = name;
    return d;
}
