#include "TilecrestAssets.h"

namespace tcassets {

QString tileStrip(int tile)
{
    if (tile < 1 || tile > 9)
        return {};
    return QStringLiteral(":/images/tile%1.png").arg(tile);
}

QString dieFace(int face)
{
    if (face < 1 || face > 6)
        return {};
    return QStringLiteral(":/images/dice%1.png").arg(face);
}

QString smiley(int index)
{
    if (index < 0 || index >= smileyCount)
        return {};
    return QStringLiteral(":/smilies/smiley%1.png").arg(index);
}

QString phraseButton(int n)
{
    if (n < 1 || n > 9)
        return {};
    return QStringLiteral(":/images/phrase%1.png").arg(n);
}

} // namespace tcassets
