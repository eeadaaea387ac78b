#pragma once
// CBattleSprite: one squad, missile or scene object shown on the battle
// field. The field view owns it, keeps it in its sprite list in draw order,
// and drives it from the battle engine's events: each sprite plays its set's
// animations with its own player and its set's sounds with its own sound.

#include <cstdint>

#include "battlescreen/batl_ani_cache_mgr.h"
#include "battlescreen/squad_number_display.h"
#include "core/animation_player.h"
#include "core/image_data.h"
#include "core/packed_geometry.h"
#include "core/sound_mgr.h"

class CBattleFieldView;
class CGameObject;

// Object kinds the field view tells apart.
enum BattleSpriteKind : uint32_t {
    kSpriteSquad = 0x2001,
    kSpriteTrebuchet = 0x2002,
    kSpriteCatapult = 0x2003,
    kSpriteObstacle = 0x2004,
    kSpriteTower = 0x2006,
    kSpriteGates = 0x2007,
    kSpriteBridge = 0x2008,
    kSpriteMissile = 0x2009,
    kSpriteWall = 0x2100,
    kSpriteFortWall = 0x2200,
};

enum BattleSpriteFlags : uint8_t {
    kSpriteVisible = 0x01,
    kSpriteSideLeft = 0x02,   // the side whose colours are the first 18 shades; plates on the left
    kSpriteUpperWall = 0x04,  // inverts the x comparison of the draw order
    kSpriteInvertY = 0x08,    // inverts the y comparison
    kSpriteDead = 0x10,       // position ignored by the draw order
};

// Overlay states of a sprite.
enum BattleSpriteState : uint8_t {
    kSpriteStateNone = 0,
    kSpriteStateGuard = 1,
    kSpriteStateEndTurn = 2,
};

class CBattleSprite {
public:
    CBattleSprite();
    ~CBattleSprite();
    CBattleSprite(const CBattleSprite&) = delete;
    CBattleSprite& operator=(const CBattleSprite&) = delete;

    bool IsVisible() const { return (flags & kSpriteVisible) != 0; }
    bool IsSquad() const { return kind == kSpriteSquad; }
    // Pixel position on the field view (the player keeps quarter pixels).
    PackedPoint PixelPosition() const;
    void SetPixelPosition(const PackedPoint& point);
    void SetPixelTarget(const PackedPoint& point);

    CBattleFieldView* owner = nullptr;
    CGameObject* object = nullptr;
    uint32_t kind = 0;
    uint32_t battleId = 0;  // the id the engine knows the sprite by
    AnimationSetRef set;
    SquadDigits digits;
    int16_t numberWidth = 0;
    uint8_t state = kSpriteStateNone;
    const ImageData* stateIcon = nullptr;
    CSound sound;
    AnimationPlayer player;
    int32_t index = 0;
    uint8_t flags = 0;
    uint8_t layer = 8;
    uint8_t tieOrder = 8;
    // Set while an animation the engine may wait for is playing; cleared by
    // the first report that it is done, so a done report reaches the engine
    // once per animation.
    uint8_t pending = 0;
};

// Draw-order comparison: > 0 when a is drawn after (on top of) b.
int32_t CompareSprites(const CBattleSprite& a, const CBattleSprite& b);
