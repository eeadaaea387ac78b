#include "game/game_object.h"

#include "game/battle_seam.h"
#include "game/squad_type.h"

namespace {
BattleHookFn g_battleHook = nullptr;

constexpr int32_t kCatapultDefaultHp = 4;
constexpr int32_t kTrebuchetDefaultHp = 50;
}  // namespace

void SetBattleHook(BattleHookFn hook)
{
    g_battleHook = hook;
}

bool CGameObject::IsKindOf(uint32_t) const
{
    return false;
}

void CGameObject::SignalBattleHook()
{
    if (g_battleHook)
        g_battleHook(battleHandle, 0);
}

bool CArmyItem::IsKindOf(uint32_t kind) const
{
    return kind == kKindArmyItem;
}

void CArmyItem::SetHitPoints(int32_t hp)
{
    if (hp < hitPoints) {
        if (hp != 0)
            OnDamaged();
        else
            OnDestroyed();
    }
    hitPoints = hp;
}

void CArmyItem::Damage(int32_t amount)
{
    if (hitPoints == 0)
        return;
    hitPoints = amount <= hitPoints ? hitPoints - amount : 0;
    if (hitPoints > 0)
        OnDamaged();
    else
        OnDestroyed();
}

void CArmyItem::OnDamaged()
{
    PostBattleEvent(kEventDamaged, 0);
}
void CArmyItem::OnDestroyed()
{
    PostBattleEvent(kEventDestroyed, 0);
}

void CArmyItem::PostBattleEvent(uint16_t code, uint8_t wait)
{
    BattleEvent event;
    event.source = this;
    event.battleHandle = battleHandle;
    event.sourceKind = Kind();
    event.code = code;
    event.flag = 1;
    DispatchBattleEvent(&event, wait);
}

CMissile::CMissile()
{
    name = CStr("missile");
}

CMissile::CMissile(const CStr& folder)
{
    name = CStr("missile");
    LoadMissileDescr(*this, folder);
}

void BattleState::Assign(const BattleState& other)
{
    if (this == &other)
        return;
    wordA = other.wordA;
    byteA = other.byteA;
    wordB = other.wordB;
    byteB = other.byteB;
    half = other.half;
    byteC = other.byteC;
    byteD = other.byteD;
    if (other.missile) {
        if (!missile) {
            missile = std::make_unique<CMissile>();
            missile->name = other.missile->name;
        }
        missile->paramA = other.missile->paramA;
        missile->paramB = other.missile->paramB;
        missile->name = other.missile->name;
    } else {
        missile.reset();
    }
}

void CSquad::SetType(const CSquadType* t)
{
    type = t;
    hitPoints = t ? t->hp : 0;
    name = t ? t->typeId : CStr();
}

void CSquad::AddUnits(int32_t n)
{
    count += n;
    if (count < 0)
        count = 0;
    hitPoints = type ? type->hp : 0;
}

int32_t CSquad::TotalHitPoints() const
{
    const int32_t hp = type ? type->hp : 0;
    return (count - 1 > 0 ? count - 1 : 0) * hp + hitPoints;
}

void CSquad::TakeDamage(int32_t d)
{
    const int32_t hp = type ? type->hp : 0;
    if (hp == 0)
        return;
    const int32_t t = TotalHitPoints() - d;
    count = t / hp;
    int32_t front = t % hp;
    if (front >= 1)
        count += 1;
    else if (count >= 1)
        front = hp;
    else
        front = 0;
    if (count < 0)
        count = 0;
    hitPoints = front < 0 ? 0 : front;
}

void CSquad::CreateBattleState()
{
    battleState = std::make_unique<BattleState>();
}
void CSquad::FreeBattleState()
{
    battleState.reset();
}

CWall::CWall()
{
    name = CStr("Wall");
    flags = 0;
    hitPoints = ReadBattleObjectNumber(name, 0) & 0xFF;
}

void CWall::OnDamaged()
{
    PostBattleEvent(kEventWallDamaged, 0);
}

void CWall::OnDestroyed()
{
    PostBattleEvent(kEventDestroyed, 0);
    flags = 1;
}

CFortWall::CFortWall() : CWall(NoLoad{})
{
    name = CStr("FortWall");
    flags = 0;
    hitPoints = ReadBattleObjectNumber(name, 0) & 0xFF;
}

CGates::CGates()
{
    name = CStr("Gates");
    flags = 1;
    hitPoints = ReadBattleObjectNumber(name, 0) & 0xFF;
}

CCatapult::CCatapult()
{
    name = CStr("Catapult");
    LoadDescr();
}

void CCatapult::LoadDescr()
{
    hitPoints = ReadBattleObjectNumber(name, kCatapultDefaultHp) & 0xFF;
}

void CCatapult::OnDamaged()
{
    PostBattleEvent(kEventDamaged, 1);
    PostBattleEvent(kEventActivate, 0);
}

CTrebuchet::CTrebuchet()
{
    name = CStr("Trebuchet");
    LoadDescr();
}

void CTrebuchet::LoadDescr()
{
    hitPoints = ReadBattleObjectNumber(name, kTrebuchetDefaultHp) & 0xFF;
    fullHitPoints = hitPoints;
}

void CTrebuchet::OnDamaged()
{
    PostBattleEvent(kEventDamaged, 1);
    PostBattleEvent(kEventActivate, 0);
}

void CTrebuchet::OnDestroyed()
{
    PostBattleEvent(kEventDestroyed, 1);
    reloadCounter = TrebuchetReloadTurns();
}

int32_t GatesFullHitPoints()
{
    CGates gates;
    return gates.hitPoints;
}

int32_t WallFullHitPoints(bool fortified)
{
    if (fortified) {
        CFortWall wall;
        return wall.hitPoints;
    }
    CWall wall;
    return wall.hitPoints;
}
