#include "game/recruit_placement.h"

#include "game/army.h"
#include "game/game_object.h"
#include "game/game_world.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/resource_bundle.h"
#include "game/squad_type.h"

int32_t MoveRecruits(CGameWorld& world, PlayerRecord& player, CSquad& pool, int32_t kind, int32_t kinds,
                     int32_t delta, std::vector<int32_t>& placedHere, const std::vector<bool>& chosen,
                     const PlacedCountChanged& placedChanged)
{
    const int32_t provinces = world.ProvinceCount();
    if (kind < 0 || kind >= kinds ||
        placedHere.size() < static_cast<size_t>(provinces) * static_cast<size_t>(kinds))
        return 0;
    const int32_t wanted = delta >= 0 ? delta : -delta;
    int32_t moved = 0;
    bool progress = true;
    while (moved < wanted && progress) {
        progress = false;
        for (int32_t i = provinces - 1; i >= 0 && moved < wanted; --i) {
            const ProvinceRecord& p = world.Province(i);
            const bool isChosen = static_cast<size_t>(i) < chosen.size() && chosen[static_cast<size_t>(i)];
            CSquad* item = kind < p.garrison.Count() ? p.garrison.Item(kind) : nullptr;
            if (p.owner != &player || !isChosen || item == nullptr)
                continue;
            int32_t& here =
                placedHere[static_cast<size_t>(i) * static_cast<size_t>(kinds) + static_cast<size_t>(kind)];
            if (delta > 0) {
                if (pool.count < 1)
                    break;
                item->count += 1;
                pool.count -= 1;
                here += 1;
            } else {
                if (here < 1 || item->count < 1)
                    continue;
                item->count -= 1;
                pool.count += 1;
                here -= 1;
            }
            ++moved;
            progress = true;
            if (placedChanged)
                placedChanged(i, here);
        }
    }
    if (moved > 0 && pool.type != nullptr) {
        const CResourceBundle cost = CResourceBundle::MultipliedCopy(pool.type->cost, moved);
        if (delta > 0) {
            player.Spend(cost);
        } else {
            // A give-back undoes the purchase: it is not income.
            player.treasury.Add(cost);
            player.stats.spent.Subtract(cost);
        }
    }
    return moved;
}
