#pragma once
// CBattleResultsWnd ("BattleResultsWnd"): tells a human player how a battle
// on the map ended: won or lost, the squads each side lost and the hero's
// experience. It plays the victory or defeat sound when shown and closes on
// the first tap anywhere on it.

#include <cstdint>

#include "core/sound_mgr.h"
#include "ui/frame_wnd.h"

class CItemListWnd;
class CLabel;
struct BattleResultArgs;

class CBattleResultsWnd : public CFrameWnd {
public:
    static constexpr const char* kVictorySound = "/Sounds/battle_victory";
    static constexpr const char* kDefeatSound = "/Sounds/battle_lose";

    CBattleResultsWnd(CWindow* parent, const CStr& path);
    ~CBattleResultsWnd() override;

    void OnShow() override;
    void OnPenUp(const PackedPoint& point) override;

    void Setup(const BattleResultArgs* record);

    CSound& Sound() { return m_sound; }
    CItemListWnd* OwnerLost() const { return m_ownerLost; }
    CItemListWnd* EnemyLost() const { return m_enemyLost; }
    CLabel* ExpLabel() const { return m_exp; }
    CLabel* ExpValue() const { return m_expVal; }

private:
    CSound m_sound;
    CLabel* m_lblOwnerLost = nullptr;
    CItemListWnd* m_ownerLost = nullptr;
    CLabel* m_lblEnemyLost = nullptr;
    CItemListWnd* m_enemyLost = nullptr;
    CLabel* m_exp = nullptr;
    CLabel* m_expVal = nullptr;
};
