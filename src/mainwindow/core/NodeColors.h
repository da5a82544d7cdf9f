#pragma once

#include <QByteArray>
#include <QtGlobal>

struct rVTNodeData;

// The Normal element's colours of a connection, as the macro editor shows them in
// connection-colour mode: 0xRRGGBB, from the node's stored colour set; from TeraTerm's colours
// (IniColors) when the node's text does not parse or there is no node.
quint32 GetNodeTextColor(const rVTNodeData *node, const QByteArray &iniColors);
quint32 GetNodeBackColor(const rVTNodeData *node, const QByteArray &iniColors);
