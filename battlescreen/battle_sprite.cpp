#include "battlescreen/battle_sprite.h"

CBattleSprite::CBattleSprite() = default;

// The player and the sound stop with their own destructors; the set's
// tables belong to the animation cache.
CBattleSprite::~CBattleSprite() = default;

PackedPoint CBattleSprite::PixelPosition() const
{
    PackedPoint p = player.Position();
    if (!p.IsDefined())
        return p;
    p.ShiftRight(2);
    return p;
}

void CBattleSprite::SetPixelPosition(const PackedPoint& point)
{
    player.SetPosition(PackedPoint(point.X() * 4, point.Y() * 4));
}

void CBattleSprite::SetPixelTarget(const PackedPoint& point)
{
    player.SetTarget(PackedPoint(point.X() * 4, point.Y() * 4));
}

int32_t CompareSprites(const CBattleSprite& a, const CBattleSprite& b)
{
    const int32_t layer = int32_t(a.layer) - int32_t(b.layer);
    if (layer != 0)
        return layer;
    if (((a.flags | b.flags) & kSpriteDead) == 0) {
        const PackedPoint pa = a.PixelPosition();
        const PackedPoint pb = b.PixelPosition();
        int32_t d = pa.Y() - pb.Y();
        if (((a.flags ^ b.flags) & kSpriteInvertY) != 0)
            d = -d;
        if (d != 0)
            return d;
        d = pb.X() - pa.X();
        if (((a.flags ^ b.flags) & kSpriteUpperWall) != 0)
            d = -d;
        if (d != 0)
            return d;
    }
    return int32_t(a.tieOrder) - int32_t(b.tieOrder);
}
