#include "battle/target_scoring.h"

#include <cstdint>

#include "battle/battle_ai_access.h"
#include "battle/path_map.h"
#include "battle/side_controller.h"
#include "battle/siege_scene.h"
#include "core/random.h"

namespace {

constexpr uint32_t kKindWallObject = 0x2100;

bool IsLiving(const CSquad* squad)
{
    return SquadCount(squad) > 0;
}
bool IsPresent(const CSquad* squad)
{
    return SquadCount(squad) != 0;
}

// An entry of the target order that names an enemy squad with units (or
// with a count that is not 0, which is what the entries are tested for).
CSquad* OrderEntry(const AiTargetOrder& order, int i, const CArmy* enemy)
{
    const int16_t index = order[i];
    if (index < 0 || index >= ArmySize(enemy))
        return nullptr;
    CSquad* squad = ArmySquad(enemy, index);
    return IsPresent(squad) ? squad : nullptr;
}

}  // namespace

uint8_t RangedValue(const CSquad* squad)
{
    return TypeRangedByte(squad) & 0x0F;
}
uint8_t MeleeValue(const CSquad* squad)
{
    return TypeMeleeByte(squad) & 0x0F;
}
uint8_t AttackValue(const CSquad* squad)
{
    const uint8_t ranged = RangedValue(squad);
    return ranged ? ranged : MeleeValue(squad);
}
uint16_t MoveSpeedOf(const CSquad* squad)
{
    return TypeMoveSpeed(squad);
}

bool HasLivingRangedSquad(const CArmy* army)
{
    for (int i = 0; i < ArmySize(army); ++i) {
        const CSquad* squad = ArmySquad(army, i);
        if (IsLiving(squad) && RangedValue(squad) > 0)
            return true;
    }
    return false;
}

void SetAttackOrder(CSquad* squad, CSquad* target, uint8_t direction)
{
    SetPlanWord(squad, kPlanAttack);
    SetOrderCell(squad, direction);
    SetTargetSquad(squad, target);
}

void SetMoveOrder(CSquad* squad, uint8_t cell)
{
    SetPlanWord(squad, kPlanMove);
    SetOrderCell(squad, cell);
    SetTargetSquad(squad, nullptr);
}

void ClearOrder(CSquad* squad)
{
    SetPlanWord(squad, kPlanNone);
    SetOrderCell(squad, 0);
    SetTargetSquad(squad, nullptr);
}

bool IsNeighbourCell(const CPathMap*, uint8_t a, uint8_t b)
{
    for (uint8_t d = 0; d < 6; ++d)
        if (NeighbourCell(a, d) == b)
            return true;
    return false;
}

bool ComputePathFrom(const CSquad* squad, uint16_t limit, uint8_t checkPassable)
{
    return AiPathMap()->Compute(SquadCell(squad), MoverWord(squad), limit, checkPassable);
}

bool ComputePathFromSquad(CPathMap* map, const CSquad* squad)
{
    return map->Compute(SquadCell(squad), MoverWord(squad), MovePoints(squad), 1);
}

bool ArmyHasSquadNextTo(const CArmy* army, uint8_t cell, const CSquad* except)
{
    for (int i = 0; i < ArmySize(army); ++i) {
        const CSquad* squad = ArmySquad(army, i);
        if (squad != except && IsNeighbourCell(AiPathMap(), cell, SquadCell(squad)))
            return true;
    }
    return false;
}

// ---------------------------------------------------------------------------
// Ratings and strengths. Sums and ratings wrap at 16 bits as the stored
// values do.

int16_t CGeneralAiStrategy::RangedStrength(const CArmy* army)
{
    int16_t sum = 0;
    for (int i = 0; i < ArmySize(army); ++i) {
        const CSquad* squad = ArmySquad(army, i);
        if (RangedValue(squad) > 0)
            sum = int16_t(sum + SquadCount(squad) * TypeForceCoefficient(squad));
    }
    return sum;
}

int16_t CGeneralAiStrategy::ArmyStrength(const CArmy* army)
{
    int16_t sum = 0;
    for (int i = 0; i < ArmySize(army); ++i) {
        const CSquad* squad = ArmySquad(army, i);
        sum = int16_t(sum + SquadCount(squad) * TypeForceCoefficient(squad));
    }
    return sum;
}

namespace {

struct RatingMaxima {
    int32_t attack = 1;
    int32_t speed = 1;
};

RatingMaxima MaximaOf(const CArmy* army)
{
    RatingMaxima m{0, 0};
    for (int i = 0; i < ArmySize(army); ++i) {
        const CSquad* squad = ArmySquad(army, i);
        if (AttackValue(squad) > m.attack)
            m.attack = AttackValue(squad);
        if (MoveSpeedOf(squad) > m.speed)
            m.speed = MoveSpeedOf(squad);
    }
    if (m.attack == 0)
        m.attack = 1;
    if (m.speed == 0)
        m.speed = 1;
    return m;
}

int32_t MeleeStyleRating(int32_t v, const CSquad* squad, const RatingMaxima& m)
{
    return v * 60 / m.attack + int32_t(MoveSpeedOf(squad)) * 30 / m.speed;
}

int32_t RangedStyleRating(int32_t v, const CSquad* squad, const RatingMaxima& m)
{
    return v * 90 / m.attack + int32_t(MoveSpeedOf(squad)) * 10 / m.speed;
}

}  // namespace

int16_t CGeneralAiStrategy::SquadRating(const CArmy* army, const CSquad* squad)
{
    const RatingMaxima m = MaximaOf(army);
    const int32_t v = int16_t(SquadCount(squad) * AttackValue(squad));
    int32_t rating;
    if (RangedValue(squad) == 0)
        rating = MeleeStyleRating(v, squad, m);
    else if (AiPowerOption() == 2)
        rating = 100;
    else
        rating = RangedStyleRating(v, squad, m);
    if (rating < 0)
        rating = 0;
    return int16_t(rating);
}

int16_t CSiegeAiStrategy::SquadRating(const CArmy* army, const CSquad* squad)
{
    const RatingMaxima m = MaximaOf(army);
    const int32_t v = int16_t(SquadCount(squad) * AttackValue(squad));
    if (RangedValue(squad) > 0 || IsPastMoatLine(squad))
        return int16_t(RangedStyleRating(v, squad, m));
    return int16_t(MeleeStyleRating(v, squad, m));
}

namespace {

void RangedRatingSums(CGeneralAiStrategy* strategy, const CArmy* a, const CArmy* b, int32_t& sumA,
                      int32_t& sumB)
{
    sumA = sumB = 0;
    for (int i = 0; i < ArmySize(a); ++i) {
        const CSquad* squad = ArmySquad(a, i);
        if (IsLiving(squad) && RangedValue(squad) > 0)
            sumA += strategy->SquadRating(a, squad);
    }
    for (int i = 0; i < ArmySize(b); ++i) {
        const CSquad* squad = ArmySquad(b, i);
        if (IsLiving(squad) && RangedValue(squad) > 0)
            sumB += strategy->SquadRating(b, squad);
    }
}

}  // namespace

int32_t CGeneralAiStrategy::RangedPowerRatio(const CArmy* a, const CArmy* b)
{
    int32_t sumA, sumB;
    RangedRatingSums(this, a, b, sumA, sumB);
    return sumB == 0 ? sumA : sumA / sumB;
}

int32_t CSiegeAiStrategy::RangedPowerRatio(const CArmy* a, const CArmy* b)
{
    int32_t sumA, sumB;
    RangedRatingSums(this, a, b, sumA, sumB);
    if (CSiegeScene* scene = AiSiegeScene()) {
        const int32_t catapults = 30 * scene->LivingCatapultCount();
        if (ArmyAttackerByte(a) == 1)
            sumB += catapults;
        if (ArmyAttackerByte(b) == 1)
            sumA += catapults;
    }
    return sumB == 0 ? sumA : sumA / sumB;
}

// ---------------------------------------------------------------------------
// Target order and coverage.

void BuildTargetOrder(CGeneralAiStrategy* strategy, const CArmy* enemy, const CArmy* own,
                      AiTargetOrder& order)
{
    CPathMap* map = AiPathMap();
    const FieldHold still(map);
    const int n = ArmySize(enemy);
    CDynArray<int32_t> value;
    value.SetSize(n);
    for (int e = n - 1; e >= 0; --e) {
        const CSquad* enemySquad = ArmySquad(enemy, e);
        // One factor per own squad in reach: a few big armies would overflow
        // 32 bits, so the product saturates instead of wrapping.
        int64_t v = strategy->SquadRating(enemy, enemySquad);
        if (IsPresent(enemySquad) && ComputePathFromSquad(map, enemySquad)) {
            for (int o = ArmySize(own) - 1; o >= 0; --o) {
                const CSquad* ownSquad = ArmySquad(own, o);
                if (IsPresent(ownSquad) && map->CanReachNeighbourOf(ownSquad)) {
                    v = v * (strategy->SquadRating(own, ownSquad) + 100) / 100;
                    if (v > INT32_MAX)
                        v = INT32_MAX;
                    else if (v < -INT32_MAX)
                        v = -INT32_MAX;
                }
            }
        }
        value[e] = v < 0 ? 0 : int32_t(v);
    }
    order.SetSize(n);
    for (int position = 0; position < n; ++position) {
        int best = -1;
        for (int e = n - 1; e >= 0; --e)
            if (value[e] >= 0 && (best < 0 || value[e] >= value[best]))
                best = e;
        order[position] = int16_t(best);
        if (best >= 0)
            value[best] = -1;
    }
}

bool IsTargetCovered(CGeneralAiStrategy* strategy, const SideSetup* setup, const CSquad* target)
{
    const CArmy* own = OwnArmy(setup);
    const int32_t needed = int32_t(strategy->SquadRating(EnemyArmy(setup), target)) * 130 / 100;
    int32_t sum = 0;
    for (int i = 0; i < ArmySize(own); ++i) {
        const CSquad* squad = ArmySquad(own, i);
        if (!IsPresent(squad) || PlanWord(squad) != kPlanAttack || TargetSquad(squad) != target)
            continue;
        sum += strategy->SquadRating(own, squad);
        if (sum >= needed)
            return true;
    }
    return false;
}

CSquad* NearestOwnRangedSquad(CGeneralAiStrategy* strategy, const CArmy* own, const CSquad* squad)
{
    CPathMap* map = AiPathMap();
    CSquad* choice = nullptr;
    uint32_t best = 65535;
    for (int i = ArmySize(own) - 1; i >= 0; --i) {
        CSquad* candidate = ArmySquad(own, i);
        if (!IsPresent(candidate) || RangedValue(candidate) == 0)
            continue;
        if (IsNeighbourCell(map, SquadCell(candidate), SquadCell(squad))) {
            choice = candidate;
            best = 0;
            continue;
        }
        const uint8_t cell = strategy->ChooseApproachCell(candidate);
        if (cell < kNoCell && map->CostAt(cell) < best) {
            choice = candidate;
            best = map->CostAt(cell);
        }
    }
    return choice;
}

CSquad* FirstReachableTarget(CGeneralAiStrategy* strategy, const SideSetup* setup, const CSquad* squad,
                             const AiTargetOrder& order)
{
    CPathMap* map = AiPathMap();
    const CArmy* enemy = EnemyArmy(setup);
    for (int i = 0; i < order.Count(); ++i) {
        CSquad* target = OrderEntry(order, i, enemy);
        if (!target)
            continue;
        const uint8_t cell = strategy->ChooseApproachCell(target);
        if (cell < kNoCell && map->CostAt(cell) <= MovePoints(squad))
            return target;
    }
    return nullptr;
}

CSquad* EnemyNextTo(const SideSetup* setup, const CSquad* squad)
{
    const CArmy* enemy = EnemyArmy(setup);
    for (int i = ArmySize(enemy) - 1; i >= 0; --i) {
        CSquad* other = ArmySquad(enemy, i);
        if (IsPresent(other) && IsNeighbourCell(AiPathMap(), SquadCell(squad), SquadCell(other)))
            return other;
    }
    return nullptr;
}

CSquad* ResolveAttackTarget(CGeneralAiStrategy* strategy, const SideSetup* setup, const CSquad* squad,
                            CSquad* target, const AiTargetOrder& order)
{
    CPathMap* map = AiPathMap();
    const uint8_t cell = strategy->ChooseApproachCell(target);
    if (cell == kNoCell || !map->IsReachable(cell))
        return nullptr;
    if (map->CostAt(cell) > MovePoints(squad))
        if (CSquad* reachable = FirstReachableTarget(strategy, setup, squad, order))
            return reachable;
    return target;
}

bool UncoveredEnemyNextTo(CGeneralAiStrategy* strategy, const SideSetup* setup, const CSquad* squad)
{
    const CArmy* enemy = EnemyArmy(setup);
    for (int d = 5; d >= 0; --d) {
        CSquad* other = AsSquad(CellOccupant(NeighbourCell(SquadCell(squad), uint8_t(d))));
        if (other && ArmyHolds(enemy, other) && !IsTargetCovered(strategy, setup, other))
            return true;
    }
    return false;
}

// ---------------------------------------------------------------------------
// Cells.

uint8_t CBattleAiStrategy::ChooseApproachCell(const CSquad* target)
{
    CPathMap* map = AiPathMap();
    const uint8_t centre = SquadCell(target);
    uint8_t choice = kNoCell;
    uint16_t best = 0;
    for (int d = 5; d >= 0; --d) {
        const uint8_t n = NeighbourCell(centre, uint8_t(d));
        if (map->IsReachable(n) && (choice == kNoCell || map->CostAt(n) < best)) {
            choice = n;
            best = map->CostAt(n);
        }
    }
    if (choice != kNoCell)
        return choice;
    for (int d = 5; d >= 0; --d) {
        const uint8_t n = NeighbourCell(centre, uint8_t(d));
        if (CellPassable(n) && (CellState(n) == 0 || CellState(n) == 3))
            return n;
    }
    return kNoCell;
}

uint8_t GuardCell(CGeneralAiStrategy* strategy, const CSquad* protectedSquad, const CArmy* own)
{
    CPathMap* map = AiPathMap();
    const uint8_t centre = SquadCell(protectedSquad);
    uint8_t first = kNoCell;
    for (int d = 5; d >= 0; --d) {
        const uint8_t n = NeighbourCell(centre, uint8_t(d));
        if (map->IsReachable(n) && (first == kNoCell || map->CostAt(n) < map->CostAt(first)))
            first = n;
    }
    if (first == kNoCell)
        return strategy->ChooseApproachCell(protectedSquad);

    uint8_t choice = first;
    uint16_t choiceCost = map->CostAt(first);
    for (int d = 5; d >= 0; --d) {
        const uint8_t y = NeighbourCell(first, uint8_t(d));
        if (IsNeighbourCell(map, centre, y) || !map->IsReachable(y))
            continue;
        const bool friendsByY = ArmyHasSquadNextTo(own, y, nullptr);
        const bool friendsByChoice = ArmyHasSquadNextTo(own, choice, nullptr);
        if (friendsByY && !friendsByChoice)
            continue;
        if (map->CostAt(y) >= choiceCost && !(friendsByChoice && !friendsByY))
            continue;
        choice = y;
        choiceCost = map->CostAt(y);
    }
    return choice;
}

namespace {

// Shared frame of both ChooseAdvanceCell versions: the enemy that would reach
// the protected squad in the fewest turns, and the cell that stands in its way.
template <typename CellFor>
uint8_t AdvanceCell(uint8_t fallback, const CArmy* enemy, bool orEqualTurns, CellFor cellFor,
                    uint8_t& chosenCell)
{
    CPathMap* map = AiPathMap();
    bool chosen = false;
    int32_t best = 65535;
    for (int i = ArmySize(enemy) - 1; i >= 0; --i) {
        const CSquad* e = ArmySquad(enemy, i);
        // A squad that cannot move never reaches anybody.
        if (!IsPresent(e) || MoveSpeedOf(e) == 0 || !ComputePathFrom(e, 0, 0))
            continue;
        const uint8_t c = cellFor();
        if (c >= kNoCell)
            continue;
        const int32_t costC = map->CostAt(c);
        const int32_t costFallback = map->CostAt(fallback);
        const int32_t t1 = costC / MoveSpeedOf(e);
        const int32_t t2 = costFallback / MoveSpeedOf(e);
        const bool sooner = orEqualTurns ? t1 <= t2 : t1 < t2;
        if (sooner && costC < costFallback && !(chosen && best <= t1)) {
            chosen = true;
            chosenCell = c;
            best = t1;
        }
    }
    return chosen ? 1 : 0;
}

}  // namespace

uint8_t CGeneralAiStrategy::ChooseAdvanceCell(const CSquad* protectedSquad, uint8_t fallback,
                                              const CArmy* enemy, const CArmy*)
{
    CPathMap* map = AiPathMap();
    const FieldHold still(map);
    map->SaveCosts();
    uint8_t cell = fallback;
    AdvanceCell(
        fallback, enemy, false, [&] { return ChooseApproachCell(protectedSquad); }, cell);
    map->RestoreCosts();
    return cell;
}

uint8_t CSiegeAiStrategy::ChooseAdvanceCell(const CSquad* protectedSquad, uint8_t fallback,
                                            const CArmy* enemy, const CArmy* own)
{
    CPathMap* map = AiPathMap();
    const FieldHold still(map);
    map->SaveCosts();
    uint8_t cell = kNoCell;
    const bool chosen =
        AdvanceCell(
            fallback, enemy, true, [&] { return GuardCell(this, protectedSquad, own); }, cell) != 0;
    map->RestoreCosts();
    return chosen ? cell : GuardCell(this, protectedSquad, own);
}

// ---------------------------------------------------------------------------
// Scene tests.

bool IsPastMoatLine(const CSquad* squad)
{
    int16_t x, y;
    if (!CellCentre(SquadCell(squad), x, y))
        return false;
    for (uint8_t i = 0; i < MoatCellCount(); ++i) {
        int16_t mx, my;
        if (CellCentre(MoatCell(i), mx, my) && my == y)
            return x > mx + CellWidth();
    }
    return false;
}

bool AnyEnemyPastMoatLine(const SideSetup* setup)
{
    const CArmy* enemy = EnemyArmy(setup);
    for (int i = 0; i < ArmySize(enemy); ++i) {
        const CSquad* squad = ArmySquad(enemy, i);
        if (IsLiving(squad) && IsPastMoatLine(squad))
            return true;
    }
    return false;
}

bool AnyWallDestroyed()
{
    CBattleScene* scene = AiScene();
    if (!scene)
        return false;
    for (int i = 0; i < ObjectCount(scene); ++i) {
        const CArmyItem* item = ObjectAt(scene, i);
        if (ObjectIsKind(item, kKindWallObject) && ObjectHitPoints(item) == 0)
            return true;
    }
    return false;
}

bool BreachOpenTo(const CArmy* army)
{
    return AiSiegeScene() && ArmyAttackerByte(army) == 1 && AnyWallDestroyed();
}

bool AnyWallStanding()
{
    CSiegeScene* siege = AiSiegeScene();
    CBattleScene* scene = AiScene();
    if (!scene || (siege && SiegeBridgeOpen(siege)))
        return false;
    for (int i = 0; i < ObjectCount(scene); ++i) {
        const CArmyItem* item = ObjectAt(scene, i);
        if (ObjectIsKind(item, kKindWallObject) && ObjectHitPoints(item) > 0)
            return true;
    }
    return false;
}

uint8_t WeakestWallCell(const CSquad* squad)
{
    CBattleScene* scene = AiScene();
    if (!scene || !ComputePathFrom(squad, 0, 1))
        return SquadCell(squad);
    const CArmyItem* weakest = nullptr;
    for (int i = ObjectCount(scene) - 1; i >= 0; --i) {
        const CArmyItem* item = ObjectAt(scene, i);
        if (ObjectIsKind(item, kKindWallObject) && ObjectHitPoints(item) > 0 &&
            (!weakest || ObjectHitPoints(item) < ObjectHitPoints(weakest)))
            weakest = item;
    }
    return weakest ? ObjectCell(weakest) : SquadCell(squad);
}

// ---------------------------------------------------------------------------
// Decisions.

void CGeneralAiStrategy::ActSquad(CSideController* side, CSquad* squad, const AiTargetOrder& order,
                                  uint8_t firstPass)
{
    const SideSetup* setup = SetupOf(side);
    const CArmy* own = OwnArmy(setup);
    const CArmy* enemy = EnemyArmy(setup);
    CPathMap* map = AiPathMap();
    // Choosing moves nothing on the field.
    const FieldHold still(map);
    const bool canShoot = side->CanShoot(squad);

    // A shooter takes the first ranged target, unless a melee squad ahead of
    // it in the order is rated more than twice as high.
    if (canShoot) {
        CSquad* best = nullptr;
        for (int i = 0; i < order.Count(); ++i) {
            CSquad* t = OrderEntry(order, i, enemy);
            if (!t)
                continue;
            if (RangedValue(t) == 0) {
                if (!best || SquadRating(enemy, best) < SquadRating(enemy, t))
                    best = t;
                continue;
            }
            if (best && SquadRating(enemy, best) > 2 * SquadRating(enemy, t))
                break;
            SetAttackOrder(squad, t, kNoDirection);
            return;
        }
    }

    if (!ComputePathFrom(squad, 0, 1) && !canShoot)
        return;

    for (int i = 0; i < order.Count(); ++i) {
        CSquad* t = OrderEntry(order, i, enemy);
        if (!t || (firstPass && IsTargetCovered(this, setup, t)))
            continue;
        if (canShoot) {
            SetAttackOrder(squad, t, kNoDirection);
            return;
        }
        // A castle's garrison does not come out to a breach: melee that
        // stayed back to guard its shooters would only stand under the
        // castle's catapults, so once a wall is down it goes in.
        bool coverRanged = HasLivingRangedSquad(own) && !BreachOpenTo(own);
        if (coverRanged && HasLivingRangedSquad(enemy)) {
            const int32_t ratio = RangedPowerRatio(own, enemy);
            const int32_t threshold = NextRandom() % 4 + 3;
            coverRanged = ratio >= threshold;
        }
        if (coverRanged) {
            // Only whether some enemy is at hand matters here: with none, the
            // squad goes to stand guard by the nearest own shooter.
            CSquad* x = FirstReachableTarget(this, setup, squad, order);
            if (!x)
                x = EnemyNextTo(setup, squad);
            if (!x)
                if (CSquad* p = NearestOwnRangedSquad(this, own, squad))
                    x = EnemyNextTo(setup, p);
            if (!x) {
                if (CSquad* p = NearestOwnRangedSquad(this, own, squad)) {
                    const uint8_t cell = ChooseAdvanceCell(p, SquadCell(squad), enemy, own);
                    if (cell != kNoCell) {
                        SetMoveOrder(squad, cell);
                        return;
                    }
                }
            }
        }
        CSquad* x = ResolveAttackTarget(this, setup, squad, t, order);
        if (!x)
            continue;
        const uint8_t c = ChooseApproachCell(x);
        if (c == kNoCell || MovePoints(squad) <= map->CostAt(c)) {
            if (CSquad* y = EnemyNextTo(setup, squad)) {
                SetAttackOrder(squad, y, kNoDirection);
                return;
            }
        }
        if (c != kNoCell) {
            SetAttackOrder(squad, x, kNoDirection);
            return;
        }
    }
}

void CSiegeAiStrategy::ActSquad(CSideController* side, CSquad* squad, const AiTargetOrder& order,
                                uint8_t firstPass)
{
    const SideSetup* setup = SetupOf(side);
    const CArmy* own = OwnArmy(setup);
    const CArmy* enemy = EnemyArmy(setup);
    const bool canShoot = side->CanShoot(squad);
    const bool ownIsAttacker = ArmyAttackerByte(own) == 1;

    if (!ownIsAttacker && !AnyEnemyPastMoatLine(setup)) {
        // The defenders hold the castle while nobody has crossed the moat.
        const bool mapMade = ComputePathFrom(squad, 0, 1);
        if (!mapMade && !canShoot)
            return;
        for (int i = 0; i < order.Count(); ++i) {
            CSquad* t = OrderEntry(order, i, enemy);
            if (!t || (firstPass && IsTargetCovered(this, setup, t)))
                continue;
            if (canShoot || IsNeighbourCell(AiPathMap(), SquadCell(squad), SquadCell(t))) {
                SetAttackOrder(squad, t, kNoDirection);
                return;
            }
            if (HasLivingRangedSquad(own) && !UncoveredEnemyNextTo(this, setup, squad) &&
                (AnyWallDestroyed() || (AnyWallStanding() && AiTurnCounter() > 1))) {
                CSquad* p = NearestOwnRangedSquad(this, own, squad);
                if (!p)
                    return;
                const uint8_t cell = ChooseAdvanceCell(p, SquadCell(squad), enemy, own);
                if (cell != kNoCell)
                    SetMoveOrder(squad, cell);
                return;
            }
            if (!HasLivingRangedSquad(own) && HasLivingRangedSquad(enemy)) {
                const bool sally = AnyWallDestroyed() && NextRandom() % 101 <= 80;
                CSiegeScene* scene = AiSiegeScene();
                if (!sally && scene) {
                    const int32_t catapults = scene->LivingCatapultCount();
                    if (ArmyStrength(own) + 30 * catapults < 2 * RangedStrength(enemy) || catapults == 0) {
                        scene->OpenBridge();
                        AiPathMap()->HeldFieldChanged();
                    }
                }
            }
            if (CSquad* x = ResolveAttackTarget(this, setup, squad, t, order)) {
                SetAttackOrder(squad, x, kNoDirection);
                return;
            }
        }
        return;
    }

    if (!canShoot && ownIsAttacker && !AnyWallDestroyed() && AnyWallStanding()) {
        // Melee attackers gather before the weakest wall while it stands.
        const uint8_t wall = WeakestWallCell(squad);
        if (wall != SquadCell(squad) && !IsNeighbourCell(AiPathMap(), SquadCell(squad), uint8_t(wall - 1)) &&
            AiPlaysSide(side)) {
            SetMoveOrder(squad, uint8_t(wall - 1));
            return;
        }
    }
    if (canShoot) {
        for (int i = 0; i < order.Count(); ++i) {
            CSquad* t = OrderEntry(order, i, enemy);
            if (t && RangedValue(t) > 0) {
                SetAttackOrder(squad, t, kNoDirection);
                return;
            }
        }
    }
    CGeneralAiStrategy::ActSquad(side, squad, order, 1);
}
