#include "mainwindow/core/ContrastColor.h"

quint32 ContrastColor(quint32 rgb)
{
    quint32 out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const quint32 byte = (rgb >> shift) & 0xFF;
        out |= (byte > 127 ? byte - 64 : byte + 64) << shift;
    }
    return out;
}
