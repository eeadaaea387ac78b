// An army takes a province: the march in, the defender's answer, the map
// battle, losses, statistics and experience, then capture or retreat.
#include <algorithm>

#include "game/attack_support.h"
#include "game/battle_seam.h"
#include "game/game_rules.h"
#include "game/game_signals.h"
#include "game/game_world.h"
#include "game/player_controller.h"
#include "game/player_record.h"
#include "game/province_distance_map.h"
#include "game/province_record.h"
#include "game/running_game.h"

bool HasStandingCastle(const ProvinceRecord* province)
{
    return province && province->HasCastle() && province->castle.percent > 0;
}

ArmyMoveData MarchData(const PlayerRecord* player, const ProvinceRecord* from, const ProvinceRecord* to)
{
    ArmyMoveData move;
    move.flagNumber = player->flagNumber;
    if (from) {
        move.fromX = from->points[2];
        move.fromY = from->points[3];
    }
    move.toX = to->points[2];
    move.toY = to->points[3];
    return move;
}

void MarchInto(PlayerRecord* player, ProvinceRecord* province)
{
    if (player->armyLocation == province->index)
        return;
    CGameWorld* world = GameWorld();
    const ProvinceRecord* from =
        (world && player->armyLocation >= 0 && player->armyLocation < world->ProvinceCount())
            ? &world->Province(player->armyLocation)
            : nullptr;
    player->armyLocation = province->index;
    SigArmyMove.Fire(MarchData(player, from, province));
}

void SwapCounts(CArmy& a, CArmy& b)
{
    const int n = std::min(a.Count(), b.Count());
    for (int i = 0; i < n; ++i)
        std::swap(a.Item(i)->count, b.Item(i)->count);
}

void AddCounts(CArmy& to, const CArmy& from)
{
    const int n = std::min(to.Count(), from.Count());
    for (int i = 0; i < n; ++i)
        to.Item(i)->count = std::max(0, to.Item(i)->count + from.Item(i)->count);
}

CArmy LossesOf(const CArmy& before, const CArmy& after)
{
    CArmy losses(before);
    losses.SubtractCounts(after);
    return losses;
}

CArmy RetreatFor(PlayerRecord* player, ProvinceRecord* province, CArmy* army)
{
    CGameWorld* world = GameWorld();
    ++player->stats.retreats;
    ProvinceRecord* destination = nullptr;
    const bool capitalValid =
        world && player->capital < world->ProvinceCount() && world->Province(player->capital).owner == player;
    const bool fieldArmy = player->armyLocation == province->index;
    if (fieldArmy) {
        if (capitalValid)
            destination = &world->Province(player->capital);
        player->armyLocation = player->capital;
    } else {
        const std::vector<uint8_t>& nb = province->neighbours;
        for (size_t j = nb.size(); j-- > 0 && world;) {
            if (nb[j] < world->ProvinceCount() && world->Province(nb[j]).owner == player) {
                destination = &world->Province(nb[j]);
                break;
            }
        }
        if (!destination && capitalValid)
            destination = &world->Province(player->capital);
    }
    // A capital given up has nowhere to send its defenders: they would stay
    // behind for the victor.
    if (destination == province)
        destination = nullptr;
    CArmy lost(*army);
    for (int i = 0; i < army->Count(); ++i) {
        const int32_t count = std::max(0, army->Item(i)->count);
        const int32_t saved = destination ? count / 2 : 0;
        lost.Item(i)->count = count - saved;
        army->Item(i)->count = saved;
    }
    if (destination)
        AddCounts(destination->garrison, *army);
    // The saved half has moved into the garrison: leaving it in the army as
    // well would count every retreating unit twice.
    for (int i = 0; i < army->Count(); ++i)
        army->Item(i)->count = 0;
    return lost;
}

bool CPlayerController::IsDefended(const ProvinceRecord* province) const
{
    if (!province)
        return false;
    if (province->garrison.HasUnits())
        return true;
    const PlayerRecord* owner = province->owner;
    return owner && owner->armyLocation == province->index && owner->army.HasUnits();
}

bool CPlayerController::IsReachable(const ProvinceRecord* province) const
{
    const CProvinceDistanceMap* map = GameDistanceMap();
    return province && map && map->ReachableWithin(province->index, movePoints, player);
}

void CPlayerController::Retreat(ProvinceRecord* province, CArmy* army)
{
    // No winner is known here: only the owner's side of the losses is booked.
    player->stats.lost.Merge(RetreatFor(player, province, army));
}

void CPlayerController::CaptureProvince(ProvinceRecord* province)
{
    PlayerRecord* owner = province->owner;
    if (owner && owner->capital == province->index) {
        CaptureCapital(province);
        return;
    }
    if (owner && owner->armyLocation == province->index)
        owner->armyLocation = owner->capital;
    province->SetOwner(player);
    SigProvinceChanged.Fire(province->index);
    RunUiPumpHook();
}

void CPlayerController::CaptureCapital(ProvinceRecord* province)
{
    PlayerRecord* old = province->owner;
    FirePlayerStatusSignals();
    CGameWorld* world = GameWorld();
    for (int i = 0; world && i < world->ProvinceCount(); ++i) {
        ProvinceRecord& p = world->Province(i);
        if (&p == province || p.owner != old)
            continue;
        p.SetOwner(player);
        SigProvinceChanged.Fire(p.index);
    }
    PlayerEliminated(old);
    province->SetOwner(player);
    CastleState& castle = province->castle;
    castle.catapults = std::min<uint8_t>(castle.catapults, 2);
    castle.capital = 0;
    castle.buildings = 0;
    castle.guildLevel = 0;
    SigProvinceChanged.Fire(province->index);
    RunUiPumpHook();
}

BattleOutcome FightForProvince(CPlayerController& attacker, ProvinceRecord* province, uint8_t automatic,
                               uint8_t defenderFlees)
{
    PlayerRecord* player = attacker.player;
    PlayerRecord* owner = province->owner;
    BattleOutcome out;
    const bool castle = HasStandingCastle(province);
    const CResourceBundle treasuryBefore = player->treasury;
    const CResourceBundle spentBefore = player->stats.spent;
    if (castle) {
        out.siegeDamage = province->castle.catapults;
        player->Spend(Rules().siegeCost);
    }
    // The defenders are brought together: the garrison joins the owner's army
    // where it stands, otherwise the two exchange places for the battle.
    const bool armyHere = owner->armyLocation == province->index;
    const CArmy garrisonBefore(province->garrison);
    const CArmy ownerArmyBefore(owner->army);
    if (armyHere) {
        AddCounts(owner->army, province->garrison);
        for (int i = 0; i < province->garrison.Count(); ++i)
            province->garrison.Item(i)->count = 0;
    } else {
        SwapCounts(province->garrison, owner->army);
    }
    const uint32_t defBefore = uint32_t(owner->army.Strength());
    const uint32_t attBefore = uint32_t(player->army.Strength());
    const CArmy attCopy(player->army);
    const CArmy defCopy(owner->army);

    uint32_t result = kBattleNoResult;
    if (!defenderFlees && player->army.HasUnits() && owner->army.HasUnits()) {
        BattleResult = kBattleNoResult;
        StartMapBattle(player, owner, province, automatic);
        result = BattleResult;
        if (result == kBattleStopped) {
            // Nothing of a stopped battle may stay: the defenders go back where
            // they stood and the siege price is returned.
            province->garrison.CopyFrom(garrisonBefore);
            owner->army.CopyFrom(ownerArmyBefore);
            player->treasury = treasuryBefore;
            player->stats.spent = spentBefore;
            out.stopped = true;
            return out;
        }
    }
    if (castle)
        out.siegeDamage -= province->castle.catapults;

    out.defenderWon = !defenderFlees && (result == kBattleAttackerGaveUp || !player->army.HasUnits());
    const GameRules& rules = Rules();
    if (out.defenderWon) {
        ++player->stats.defeats;
        ++owner->stats.victories;
        out.attackerLosses = LossesOf(attCopy, player->army);
        out.defenderLosses = LossesOf(defCopy, owner->army);
        if (result == kBattleAttackerGaveUp)
            AddCounts(out.attackerLosses, RetreatFor(player, province, &player->army));
        player->armyLocation = player->capital;
        out.experience = rules.BattleValue(defBefore, attBefore, uint32_t(owner->army.Strength()),
                                           uint32_t(player->army.Strength()), 0, province);
    } else {
        ++player->stats.victories;
        ++owner->stats.defeats;
        out.attackerLosses = LossesOf(attCopy, player->army);
        out.defenderLosses = LossesOf(defCopy, owner->army);
        if (defenderFlees || result == kBattleDefenderGaveUp)
            AddCounts(out.defenderLosses, RetreatFor(owner, province, &owner->army));
        int32_t e = rules.BattleValue(attBefore, defBefore, uint32_t(player->army.Strength()),
                                      uint32_t(owner->army.Strength()), 1, province);
        if (castle)
            e += out.siegeDamage * rules.catapultExperience;
        out.experience = int16_t(e);
    }
    player->stats.lost.Merge(out.attackerLosses);
    player->stats.killed.Merge(out.defenderLosses);
    owner->stats.lost.Merge(out.defenderLosses);
    owner->stats.killed.Merge(out.attackerLosses);
    if (!armyHere)
        SwapCounts(province->garrison, owner->army);
    return out;
}

void CPlayerController::AttackProvince(ProvinceRecord* province, uint8_t automatic, uint8_t)
{
    if (!province || !IsReachable(province) || !player->army.HasUnits())
        return;
    if (province->index == lastAttackedProvince) {
        ++attackRepeatCount;
    } else {
        lastAttackedProvince = province->index;
        attackRepeatCount = 0;
    }
    if (player->armyLocation >= 0)
        SigProvinceChanged.Fire(uint8_t(player->armyLocation));
    MarchInto(player, province);
    PlayerRecord* owner = province->owner;
    uint8_t flee = 0;
    if (owner && owner->controller)
        owner->controller->OnProvinceAttacked(&player->army, province, &flee, &automatic);

    if (!owner || !IsDefended(province)) {
        if (owner && HasStandingCastle(province))
            player->Spend(Rules().siegeCost);
        if (owner) {
            ++player->stats.victories;
            ++owner->stats.defeats;
        }
        CaptureProvince(province);
        movePoints = 0;
    } else {
        const BattleOutcome out = FightForProvince(*this, province, automatic, flee);
        if (out.stopped)
            return;
        if (out.defenderWon) {
            if (owner->controller)
                owner->controller->ReportBattleResult(
                    1, player, province, const_cast<CArmy*>(&out.attackerLosses),
                    const_cast<CArmy*>(&out.defenderLosses), out.experience);
        } else {
            player->hero.AddExperience(out.experience);
            if (owner->controller)
                owner->controller->ReportBattleResult(0, player, province,
                                                      const_cast<CArmy*>(&out.attackerLosses),
                                                      const_cast<CArmy*>(&out.defenderLosses), 0);
            CaptureProvince(province);
        }
        movePoints = 0;
    }
    flags |= kAttackedThisTurn;
    UpdateReach();
    NotifyCurrentPlayerChanged();
}
