#include "battle/siege_engine_aiming.h"

#include "battle/battle_ai_access.h"
#include "battle/battle_rules.h"
#include "battle/siege_scene.h"
#include "battle/target_scoring.h"
#include "core/random.h"

namespace {

constexpr uint32_t kKindSquadObject = 0x2001;
constexpr uint32_t kKindWallObject = 0x2100;

// Among candidates with hit points, the one with the fewest; on a tie a
// fresh draw decides whether the later one takes over.
void ConsiderWeakest(CArmyItem* item, CArmyItem*& weakest)
{
    if (!item || ObjectHitPoints(item) <= 0)
        return;
    if (!weakest || ObjectHitPoints(item) < ObjectHitPoints(weakest))
        weakest = item;
    else if (ObjectHitPoints(item) == ObjectHitPoints(weakest) && NextRandom() % 101 >= 51)
        weakest = item;
}

CArmyItem* WeakestWall(CSiegeScene* scene)
{
    CArmyItem* weakest = nullptr;
    for (int i = ObjectCount(scene) - 1; i >= 0; --i) {
        CArmyItem* item = ObjectAt(scene, i);
        if (ObjectIsKind(item, kKindWallObject))
            ConsiderWeakest(item, weakest);
    }
    return weakest;
}

CArmyItem* WeakestCatapult(CSiegeScene* scene)
{
    CArmyItem* weakest = nullptr;
    for (int i = 0; i < SiegeCatapultListSize(scene); ++i)
        ConsiderWeakest(SiegeCatapultInList(scene, i), weakest);
    return weakest;
}

// Squads of the army with units on the six cells around a cell.
int LivingSquadsAround(uint8_t cell, const CArmy* army)
{
    int n = 0;
    for (uint8_t d = 0; d < 6; ++d) {
        CArmyItem* occupant = CellOccupant(NeighbourCell(cell, d));
        if (!occupant || !ObjectIsKind(occupant, kKindSquadObject))
            continue;
        const CSquad* squad = AsSquad(occupant);
        if (squad && ArmyHolds(army, occupant) && SquadCount(squad) > 0)
            ++n;
    }
    return n;
}

}  // namespace

void AiAimTrebuchet(CSideController*, SideSetup* setup)
{
    CSiegeScene* scene = AiSiegeScene();
    if (!scene)
        return;
    CArmyItem* trebuchet = SiegeTrebuchet(scene);
    if (!trebuchet || ObjectHitPoints(trebuchet) <= 0)
        return;
    int destroyed = 0;
    for (int i = 0; i < ObjectCount(scene); ++i) {
        const CArmyItem* item = ObjectAt(scene, i);
        if (ObjectIsKind(item, kKindWallObject) && ObjectPassable(item))
            ++destroyed;
    }
    // The more breaches there are, the likelier the castle's catapults are
    // the better target.
    const int roll = NextRandom() % 101;
    CArmyItem* target;
    if (roll < destroyed * 30) {
        target = WeakestCatapult(scene);
        if (!target)
            target = WeakestWall(scene);
    } else {
        target = WeakestWall(scene);
        if (!target)
            target = WeakestCatapult(scene);
    }
    if (target)
        scene->FireTrebuchet(OwnHero(setup), ObjectCell(target));
}

void AiAimCatapults(CSideController*, SideSetup* setup, uint8_t first)
{
    CSiegeScene* scene = AiSiegeScene();
    if (!scene)
        return;
    const CArmy* enemy = EnemyArmy(setup);
    const CArmy* own = OwnArmy(setup);
    const bool strongShots = AiPowerOption() != 0;
    for (int k = first; k < SiegeCatapultListSize(scene); ++k) {
        CSiegeCatapult* catapult = scene->CatapultAtIndex(uint8_t(k));
        if (!catapult || ObjectHitPoints(catapult) <= 0)
            continue;
        const CSquad* best = nullptr;
        int32_t bestScore = 0;
        for (int i = 0; i < ArmySize(enemy); ++i) {
            const CSquad* squad = ArmySquad(enemy, i);
            if (SquadCount(squad) <= 0 || !CellBeforeMoatLine(SquadCell(squad)))
                continue;
            int32_t power;
            if (RangedValue(squad) > 0)
                power = RangedValue(squad) * (strongShots ? 16 : 4);
            else
                power = MeleeValue(squad);
            const int32_t score = SquadCount(squad) * power +
                                  25 * LivingSquadsAround(SquadCell(squad), enemy) -
                                  30 * LivingSquadsAround(SquadCell(squad), own);
            if (!best || score > bestScore) {
                best = squad;
                bestScore = score;
            }
        }
        if (best)
            scene->FireCatapult(OwnHero(setup), catapult, SquadCell(best));
    }
}
