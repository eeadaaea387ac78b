// The sprite side of the battle field view: creating, animating, placing
// and removing sprites, their draw order, and the engine hooks that drive
// them.

#include <algorithm>

#include "battle/battle_flow.h"
#include "battle/battle_hooks.h"
#include "battle/turn_mode.h"
#include "battlescreen/battle_field_view.h"
#include "battlescreen/image_metrics.h"
#include "core/error_code_stack.h"
#include "game/army.h"
#include "game/game_object.h"

namespace {

CBattleSprite* SpriteOf(void* context)
{
    return static_cast<CBattleSprite*>(context);
}

intptr_t OnFrameArea(void* context, intptr_t, CCallback*)
{
    CBattleSprite* sprite = SpriteOf(context);
    sprite->owner->RepaintSprite(sprite, sprite->player.FrameRect());
    return 0;
}

intptr_t OnMoved(void* context, intptr_t, CCallback*)
{
    CBattleSprite* sprite = SpriteOf(context);
    sprite->owner->OnSpriteMoved(sprite);
    return 0;
}

intptr_t OnFinished(void* context, intptr_t, CCallback*)
{
    CBattleSprite* sprite = SpriteOf(context);
    sprite->owner->RepaintSprite(sprite, sprite->player.FrameRect());
    sprite->owner->OnSpriteAnimationDone(sprite);
    return 0;
}

bool IsWallKind(uint32_t kind)
{
    return (kind >= kSpriteWall && kind < kSpriteWall + 3) ||
           (kind >= kSpriteFortWall && kind < kSpriteFortWall + 3);
}

}  // namespace

CBattleSprite* CBattleFieldView::SpriteAt(int32_t index)
{
    CBattleSprite** sprite = m_sprites.At(index);
    return sprite && index >= 0 ? *sprite : nullptr;
}

CBattleSprite* CBattleFieldView::FindSprite(uint32_t battleId)
{
    if (battleId == 0)
        return nullptr;
    for (int32_t i = 0; i < m_sprites.Count(); ++i) {
        CBattleSprite* sprite = *m_sprites.At(i);
        if (sprite->battleId == battleId)
            return sprite;
    }
    return nullptr;
}

void CBattleFieldView::SetUpByKind(CBattleSprite* sprite, const CStr& name)
{
    switch (sprite->kind) {
    case kSpriteSquad:
        LoadSquadAnimationSet(sprite->set, name);
        break;
    case kSpriteCatapult:
        sprite->tieOrder = 10;
        LoadObjectAnimationSet(sprite->set, name);
        break;
    case kSpriteBridge:
        sprite->layer = 2;
        LoadObjectAnimationSet(sprite->set, name);
        break;
    case kSpriteTrebuchet:
    case kSpriteTower:
    case kSpriteGates:
        LoadObjectAnimationSet(sprite->set, name);
        break;
    case kSpriteObstacle:
        LoadObstacleAnimationSet(sprite->set, name);
        break;
    case kSpriteMissile:
        sprite->layer = 14;
        sprite->flags &= uint8_t(~kSpriteSideLeft);
        LoadMissileAnimationSet(sprite->set, name);
        break;
    case kSpriteWall:
    case kSpriteFortWall: {
        // Walls above the grid's middle are seen from below: their own
        // pictures, and the x order of the draw comparison turned round.
        const int32_t fieldY = sprite->PixelPosition().Y() - gridOrigin.Y();
        const bool upper = fieldY <= (gridSize.Y() & ~1) / 2;
        if (upper)
            sprite->flags |= kSpriteUpperWall;
        LoadObjectAnimationSet(sprite->set, CStr::ConcatChars(name, upper ? "/Up" : "/Dn"));
        break;
    }
    default:
        break;
    }
}

CBattleSprite* CBattleFieldView::AddSprite(AddSpriteRecord& record)
{
    record.sprite = nullptr;
    record.anchor = 0;
    if (!m_ready)
        return nullptr;
    auto* sprite = new CBattleSprite;
    sprite->owner = this;
    sprite->object = record.object;
    sprite->kind = record.kind;
    sprite->battleId = m_nextBattleId++;
    if (m_nextBattleId == 0)
        m_nextBattleId = 1;
    if (record.side & 1)
        sprite->flags |= kSpriteSideLeft;
    if (record.visible & 1)
        sprite->flags |= kSpriteVisible;
    CCallback::Bind(sprite->player.BeforeFrame(), sprite, &OnFrameArea);
    CCallback::Bind(sprite->player.FrameShown(), sprite, &OnFrameArea);
    CCallback::Bind(sprite->player.Moved(), sprite, &OnMoved);
    CCallback::Bind(sprite->player.MoveFinished(), sprite, &OnFinished);
    CCallback::Bind(sprite->player.Ended(), sprite, &OnFinished);

    PackedPoint position = record.position;
    if (record.kind == kSpriteTrebuchet) {
        position = PackedPoint(0, 0);
        trebuchetPosition = position;
    } else if (position.IsDefined()) {
        position.Add(gridOrigin);
    } else {
        // A missile has no place until it flies.
        position = gridOrigin;
    }
    sprite->SetPixelPosition(position);
    sprite->SetPixelTarget(position);
    sprite->index = m_sprites.Count();
    SetUpByKind(sprite, record.name);
    // Missing pictures of a set are not errors here.
    while (PopErrorCode() != 0) {
    }
    const AnimData* first = sprite->set.Animation(0);
    if (first && first->header)
        record.anchor = uint16_t(first->header[8] | (first->header[9] << 8));
    if (!m_sprites.InsertAt(m_sprites.Count(), sprite)) {
        delete sprite;
        return nullptr;
    }
    record.sprite = sprite;
    Replace(sprite);
    return sprite;
}

void CBattleFieldView::SwapSprites(int32_t a, int32_t b)
{
    CBattleSprite** pa = m_sprites.At(a);
    CBattleSprite** pb = m_sprites.At(b);
    std::swap(*pa, *pb);
    (*pa)->index = a;
    (*pb)->index = b;
}

void CBattleFieldView::Replace(CBattleSprite* sprite)
{
    int32_t i = sprite->index;
    while (i > 0 && CompareSprites(**m_sprites.At(i), **m_sprites.At(i - 1)) >= 1) {
        SwapSprites(i, i - 1);
        --i;
    }
    while (i < m_sprites.Count() - 1 && CompareSprites(**m_sprites.At(i + 1), **m_sprites.At(i)) >= 1) {
        SwapSprites(i, i + 1);
        ++i;
    }
}

void CBattleFieldView::RemoveSprite(CBattleSprite* sprite)
{
    if (!sprite)
        return;
    sprite->player.Stop();
    RepaintSprite(sprite, sprite->player.FrameRect());
    // An event the engine still waits for would never end otherwise.
    if (sprite->pending)
        RemoveQueuedBattleEvent(sprite->battleId);
    if (m_pointerSprite == sprite)
        ShowPointer(nullptr);
    const int32_t index = sprite->index;
    delete sprite;
    m_sprites.RemoveAt(index);
    for (int32_t i = 0; i < m_sprites.Count(); ++i)
        (*m_sprites.At(i))->index = i;
}

void CBattleFieldView::SetSpriteVisible(CBattleSprite* sprite, bool visible)
{
    if (!sprite || sprite->IsVisible() == visible)
        return;
    if (visible) {
        sprite->flags |= kSpriteVisible;
        RepaintSprite(sprite, sprite->player.FrameRect());
    } else {
        RepaintSprite(sprite, sprite->player.FrameRect());
        sprite->flags &= uint8_t(~kSpriteVisible);
    }
}

void CBattleFieldView::StartFrom(CBattleSprite* sprite, uint8_t startMode)
{
    const uint8_t frames =
        sprite->player.Animation().HasHeader() ? sprite->player.Animation().FrameCount() : 0;
    uint8_t frame = 0;
    if (startMode == 1 && frames > 1)
        frame = 1;
    else if (startMode == 2 && frames > 0)
        frame = uint8_t(frames - 1);
    sprite->player.Play(0, frame);
}

void CBattleFieldView::PlaySpriteAnimation(const PlayAnimationRecord& record)
{
    CBattleSprite* sprite = record.sprite;
    if (!sprite)
        return;
    const int32_t a = int32_t(record.animation) - 1;
    const int32_t s = int32_t(record.action) - 1;
    const AnimData* animation = sprite->set.Animation(a);
    if (animation) {
        RepaintSprite(sprite, sprite->player.FrameRect());
        sprite->player.Stop();
        sprite->player.SetAnimation(*animation);
        PackedPoint target = sprite->PixelPosition();
        if (record.from.IsDefined()) {
            PackedPoint from = record.from;
            from.Add(gridOrigin);
            sprite->SetPixelPosition(from);
            target = from;
            if (record.to.IsDefined()) {
                target = record.to;
                target.Add(gridOrigin);
            }
        }
        sprite->SetPixelTarget(target);
        // The engine's step is the number of passes through the frames the
        // move (or the one-off action) takes; 0 keeps a pose looping. A
        // missile never rests where it is: the engine waits for every step
        // of its flight, so it always makes at least one pass (a missile
        // without a description gives 0).
        uint16_t passes = record.step;
        if (sprite->kind == kSpriteMissile && passes == 0)
            passes = 1;
        sprite->player.SetPasses(passes);
        if (sprite->kind == kSpriteSquad && (s == 8 || s == 9)) {
            sprite->layer = 3;
            sprite->tieOrder = 8;
            sprite->flags |= kSpriteDead;
        } else if (IsWallKind(sprite->kind) && s == 4) {
            sprite->layer = 2;
        }
        Replace(sprite);
        sprite->flags |= kSpriteVisible;
        sprite->pending = 1;
        StartFrom(sprite, record.startMode);
        RepaintSprite(sprite, sprite->player.FrameRect());
    } else {
        // Nothing to play: the engine must not wait for this sprite.
        m_instantDone.push_back(sprite->battleId);
    }
    if (const SoundData* sound = sprite->set.Sound(s)) {
        sprite->sound.SetSample(*sound);
        sprite->sound.Play();
    }
}

void CBattleFieldView::PlaceSprite(CBattleSprite* sprite, const PackedPoint& point)
{
    if (!sprite)
        return;
    if (point.IsDefined()) {
        RepaintSprite(sprite, sprite->player.FrameRect());
        sprite->player.Stop();
        PackedPoint at = point;
        at.Add(gridOrigin);
        sprite->SetPixelPosition(at);
        Replace(sprite);
    }
    // Standing still at the new place: no move, the pose loops.
    sprite->SetPixelTarget(sprite->PixelPosition());
    sprite->player.SetPasses(0);
    sprite->flags |= kSpriteVisible;
    sprite->player.Stop();
    sprite->player.Play(0, 0);
    RepaintSprite(sprite, sprite->player.FrameRect());
}

void CBattleFieldView::SetSpriteState(CBattleSprite* sprite, uint8_t state)
{
    if (!sprite)
        return;
    if (sprite->stateIcon)
        Report(IconArea(*sprite->stateIcon, sprite->PixelPosition()));
    sprite->state = state;
    sprite->stateIcon = state == kSpriteStateGuard     ? &m_icons[kIconStateGuard]
                        : state == kSpriteStateEndTurn ? &m_icons[kIconStateEndTurn]
                                                       : nullptr;
    if (sprite->stateIcon && !sprite->stateIcon->HasHeader())
        sprite->stateIcon = nullptr;
    if (sprite->stateIcon)
        Report(IconArea(*sprite->stateIcon, sprite->PixelPosition()));
}

void CBattleFieldView::ClearSpriteState(CBattleSprite* sprite, uint8_t mask)
{
    if (sprite && (sprite->state & mask) != 0)
        SetSpriteState(sprite, kSpriteStateNone);
}

void CBattleFieldView::OnSquadChanged(CBattleSprite* sprite, bool flag)
{
    if (!sprite)
        return;
    RepaintSprite(sprite, sprite->player.FrameRect());
    uint32_t count = 0;
    if (flag && sprite->kind == kSpriteSquad && sprite->object) {
        const int32_t units = static_cast<CSquad*>(sprite->object)->count;
        count = units > 0 ? uint32_t(units) : 0;
    }
    CSquadNumberDisplay::SetDigits(count, sprite->digits);
    sprite->numberWidth = m_numbers.MeasureWidth(sprite->digits, (sprite->flags & kSpriteSideLeft) != 0);
    if (BattleNumbersOption())
        RepaintSprite(sprite, sprite->player.FrameRect());
}

void CBattleFieldView::RepaintSprite(CBattleSprite* sprite, const PackedRect& rect)
{
    if (!sprite || !rect.IsDefined() || !sprite->IsVisible())
        return;
    PackedRect area = rect;
    if (sprite->kind == kSpriteSquad && BattleNumbersOption() && sprite->digits.Count() > 0) {
        if (sprite->flags & kSpriteSideLeft)
            area.SetLeft(area.Left() - sprite->numberWidth);
        else
            area.SetRight(area.Right() + sprite->numberWidth);
    }
    // The overlay sits on the sprite's position and moves with it.
    if (sprite->stateIcon)
        area.Union(IconArea(*sprite->stateIcon, sprite->PixelPosition()));
    Report(area);
}

void CBattleFieldView::OnSpriteAnimationDone(CBattleSprite* sprite)
{
    sprite->player.Stop();
    if (!sprite->pending)
        return;
    sprite->pending = 0;
    RemoveQueuedBattleEvent(sprite->battleId);
}

void CBattleFieldView::OnSpriteMoved(CBattleSprite* sprite)
{
    Replace(sprite);
}

void CBattleFieldView::ReleaseInstantEvents()
{
    std::vector<uint32_t> ids;
    ids.swap(m_instantDone);
    for (uint32_t id : ids)
        RemoveQueuedBattleEvent(id);
}

// Engine hooks.

void CBattleFieldView::BindEngineHooks()
{
    if (!m_ready)
        return;
    BattleScreenHooks& h = g_battleHooks;
    h.visualCreation.Bind(this, &CBattleFieldView::OnVisualCreation);
    h.visualRemoval.Bind(this, &CBattleFieldView::OnVisualRemoval);
    h.battleEvent.Bind(this, &CBattleFieldView::OnBattleEvent);
    h.position.Bind(this, &CBattleFieldView::OnPosition);
    h.defenceMarker.Bind(this, &CBattleFieldView::OnDefenceMarker);
    h.squadTurn.Bind(this, &CBattleFieldView::OnSquadTurn);
    h.objectFinished.Bind(this, &CBattleFieldView::OnObjectFinished);
    h.info.Bind(this, &CBattleFieldView::OnInfo);
    h.textEvent.Bind(this, &CBattleFieldView::OnTextEvent);
    h.markList.Bind(this, &CBattleFieldView::ShowCommandCells);
    h.hideMarks.Bind(this, &CBattleFieldView::HideCommandCells);
    h.highlight.Bind(this, &CBattleFieldView::RepaintHighlights);
    h.penFilter.Bind(this, &CBattleFieldView::SetTapFilter);
}

void CBattleFieldView::UnbindEngineHooks()
{
    if (!m_ready)
        return;
    BattleScreenHooks& h = g_battleHooks;
    h.visualCreation.Delete();
    h.visualRemoval.Delete();
    h.battleEvent.Delete();
    h.position.Delete();
    h.defenceMarker.Delete();
    h.squadTurn.Delete();
    h.objectFinished.Delete();
    h.info.Delete();
    h.textEvent.Delete();
    h.markList.Delete();
    h.hideMarks.Delete();
    h.highlight.Delete();
    h.penFilter.Delete();
}

void CBattleFieldView::OnVisualCreation(VisualRequest* request)
{
    if (!request)
        return;
    AddSpriteRecord record;
    record.object = request->object;
    record.kind = request->kind;
    record.name = request->path;
    record.position = request->point;
    record.side = request->side;
    record.visible = request->own;
    CBattleSprite* sprite = AddSprite(record);
    request->battleId = sprite ? sprite->battleId : 0;
    request->second = record.anchor;
}

void CBattleFieldView::OnVisualRemoval(uint32_t battleId)
{
    RemoveSprite(FindSprite(battleId));
}

void CBattleFieldView::OnBattleEvent(const BattleEvent* event)
{
    if (!event)
        return;
    CBattleSprite* sprite = FindSprite(event->battleHandle);
    if (!sprite) {
        m_instantDone.push_back(event->battleHandle);
        return;
    }
    PlayAnimationRecord record;
    record.sprite = sprite;
    record.animation = uint8_t(event->code & 0xFF);
    record.action = uint8_t(event->code >> 8);
    record.from = PackedPoint(event->coords[0], event->coords[1]);
    record.to = PackedPoint(event->coords[2], event->coords[3]);
    if (event->coords[0] == -2048 || event->coords[1] == -2048)
        record.from = UndefinedPoint;
    if (event->coords[2] == -2048 || event->coords[3] == -2048)
        record.to = UndefinedPoint;
    record.step = event->flag;
    record.startMode = uint8_t(event->last <= 2 ? event->last : 0);
    PlaySpriteAnimation(record);
}

void CBattleFieldView::OnPosition(uint32_t battleId, PackedPoint point)
{
    PlaceSprite(FindSprite(battleId), point);
}

void CBattleFieldView::OnDefenceMarker(uint32_t battleId, uint32_t flag)
{
    CBattleSprite* sprite = FindSprite(battleId);
    if (flag)
        SetSpriteState(sprite, kSpriteStateGuard);
    else
        ClearSpriteState(sprite, kSpriteStateGuard | kSpriteStateEndTurn);
}

// A side's new turn takes the markers of its last one away; the end of a
// turn leaves the squads as they stand.
void CBattleFieldView::OnSquadTurn(uint32_t battleId, uint16_t value)
{
    if (value == 1)
        ClearSpriteState(FindSprite(battleId), kSpriteStateGuard | kSpriteStateEndTurn);
}

void CBattleFieldView::OnObjectFinished(uint32_t battleId, uint32_t flag)
{
    SetSpriteVisible(FindSprite(battleId), flag != 0);
}

void CBattleFieldView::OnInfo(uint32_t battleId)
{
    ShowPointer(battleId ? FindSprite(battleId) : nullptr);
}

void CBattleFieldView::OnTextEvent(const CStr& text)
{
    SetTitle(text, true);
}
