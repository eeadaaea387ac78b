#include "players/castle_works_offer.h"

#include "game/game_rules.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/running_game.h"
#include "players/home_economy.h"

namespace {

// A work the panel prices: built, or whether the treasury covers its
// builder-discounted cost.
CastleWorkState PricedWork(bool built, const CResourceBundle& cost, const PlayerRecord* player)
{
    if (built)
        return WorkBuilt;
    if (player == nullptr)
        return WorkUnaffordable;
    CResourceBundle price = cost;
    ApplyBuilderDiscount(price, player->hero);
    return player->treasury.AllAtLeast(price) ? WorkAffordable : WorkUnaffordable;
}

}  // namespace

CastleWorksOffer OfferCastleWorks(const ProvinceRecord* province, uint8_t index, const PlayerRecord* player)
{
    CastleWorksOffer offer;
    if (province == nullptr)
        return offer;
    const CastleState& castle = province->castle;
    const GameRules& rules = Rules();
    offer.known = true;
    offer.demolish = province->owner != nullptr && index != province->owner->capital && castle.percent > 0;

    int32_t next = castle.catapults + 1;
    if (next > rules.catapultLimit)
        next = rules.catapultLimit;
    offer.catapultPicture = next < 1 ? 1 : next;
    int32_t level = (castle.buildings & kBuildingGuild) != 0 ? castle.guildLevel + 1 : 1;
    offer.guildPicture = level > 4 ? 4 : level;

    // Until the castle stands idle and whole every work is shown out of
    // reach; the tavern is never priced and the guild keeps the look of its
    // layout throughout.
    const auto has = [&](uint8_t bit) { return (castle.buildings & bit) != 0; };
    const struct {
        CastleWork work;
        bool built;
        const CResourceBundle* cost;
    } works[] = {
        {WorkMoat, castle.moat != 0, &rules.moatCost},
        {WorkCatapult, castle.catapults >= rules.catapultLimit, &rules.catapultCost},
        {WorkFortWalls, castle.fortWalls != 0, &rules.wallsCost},
        {WorkMarket, has(kBuildingMarket), &rules.marketCost},
        {WorkTavern, has(kBuildingTavern), nullptr},
        {WorkBank, has(kBuildingBank), &rules.bankCost},
        {WorkMetalMine, has(kBuildingMetalMine), &rules.metalMineCost},
        {WorkStoneMine, has(kBuildingStoneMine), &rules.stoneMineCost},
    };
    for (const auto& w : works)
        offer.works[w.work] = w.built ? WorkBuilt : WorkUnaffordable;

    // One turn's repair, two thirds of it behind fortified walls: a larger
    // damage is offered a completion instead.
    const int32_t builder = player != nullptr ? player->hero.builder : 0;
    int32_t progress = 5 * builder + 15;
    if (castle.fortWalls)
        progress = progress * 2 / 3;
    const int32_t damage = 100 - castle.percent;
    const uint32_t kind = castle.work;
    offer.idle = kind == kWorkNone && castle.percent == 100;
    if (kind == kWorkBuildCastle || kind == kWorkRepair || kind == kWorkCompleteCastle) {
        offer.stateLine = kind == kWorkBuildCastle ? 0 : kind == kWorkRepair ? 1 : 2;
        offer.stateNumber = castle.percent;
        offer.fastRepair = kind == kWorkCompleteCastle;
    } else if (kind >= kWorkMoat && kind <= kWorkStoneMine && (kind & (kind - 1)) == 0) {
        offer.stateLine = 5;
        offer.stateNumber = castle.turnsLeft;
    } else if (kind == kWorkNone && castle.percent < 100 && damage > progress) {
        offer.stateLine = 3;
        offer.stateNumber = static_cast<uint8_t>(damage);
        offer.complete = true;
    } else if (kind == kWorkNone) {
        offer.stateLine = 4;
        offer.stateNumber = castle.percent;
        for (const auto& w : works) {
            if (w.cost != nullptr)
                offer.works[w.work] = PricedWork(w.built, *w.cost, player);
        }
    }
    return offer;
}
