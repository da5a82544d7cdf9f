#include "mainwindow/core/NodeColors.h"

#include "table/ColorSet.h"
#include "table/rVTNodeData.h"

namespace {

quint32 normalColor(const rVTNodeData *node, const QByteArray &iniColors, bool background)
{
    const ColorSet set = NodeColorSet(node ? node->Colors : QByteArray(), iniColors);
    return quint32(set.at(ColorSet::Normal, background, 0)) << 16 | quint32(set.at(ColorSet::Normal, background, 1)) << 8
        | set.at(ColorSet::Normal, background, 2);
}

} // namespace

quint32 GetNodeTextColor(const rVTNodeData *node, const QByteArray &iniColors)
{
    return normalColor(node, iniColors, false);
}

quint32 GetNodeBackColor(const rVTNodeData *node, const QByteArray &iniColors)
{
    return normalColor(node, iniColors, true);
}
