#pragma once
// CTrainerSetupWnd ("/Battle/BattleTrainerWnd"): the battle trainer's set-up
// dialog. The user picks open field or siege, the obstacle layout of an open
// field or the defences of a castle, who plays each side, and edits the two
// armies in the recruit window. "BtnStart" writes the choices into the
// battle parameter record it was given and ends with 1, unless a side has
// no units; "BtnCancel" ends with 2. A set-up opens on the choices of the
// last one started in this run of the program.

#include <cstdint>
#include <vector>

#include "ui/dialog.h"

class CButtonEx;
class CLabel;
class CMenuItem;
class CValueScroller;
class PlayerRecord;
struct BattleParams;

// What the trainer set-up opens with: the scrollers' values, and the squad
// counts of the two armies (empty: the armies as the battle routine makes
// them).
struct TrainerChoices {
    int32_t siege = 1;
    int32_t obstacleLayout = 1;
    int32_t moat = 1;
    int32_t walls = 1;
    int32_t catapults = 2;
    int32_t attackerComputer = 0;
    int32_t defenderComputer = 1;
    std::vector<int32_t> attackerCounts;
    std::vector<int32_t> defenderCounts;
};
TrainerChoices& LastTrainerChoices();

class CTrainerSetupWnd : public CDialog {
public:
    // The layout of the dialog and of the recruit window it opens.
    static constexpr const char* kLayoutPath = "/Battle/BattleTrainerWnd";
    static constexpr const char* kRecruitPath = "/Map/MapWnd/RecruitWnd";
    // What the recruit window offers when composing a trainer army.
    static constexpr int32_t kArmyLimit = 99;
    static constexpr int32_t kTreasuryAmount = 65535;

    CTrainerSetupWnd(BattleParams* params, CWindow* parent, const CStr& path);
    ~CTrainerSetupWnd() override;

    void OnBattleTypeChanged(CValueScroller* scroller);
    void OnOwnArmy(CWindow* = nullptr, intptr_t = 0);
    void OnEnemyArmy(CWindow* = nullptr, intptr_t = 0);
    void OnStart(CWindow* = nullptr, intptr_t = 0);
    void OnCancel(CWindow* = nullptr, intptr_t = 0);

    CValueScroller* BattleType() const { return m_btlType; }
    CValueScroller* ObstacleLayout() const { return m_seed; }
    CValueScroller* Moat() const { return m_moat; }
    CValueScroller* Walls() const { return m_walls; }
    CValueScroller* Catapults() const { return m_catapults; }
    CValueScroller* AttackerType() const { return m_atkType; }
    CValueScroller* DefenderType() const { return m_dfdType; }
    CLabel* SeedLabel() const { return m_lblSeed; }
    CLabel* MoatLabel() const { return m_lblMoat; }
    CLabel* WallsLabel() const { return m_lblWalls; }
    CLabel* CatapultsLabel() const { return m_lblCatapults; }
    CMenuItem* OwnArmyButton() const { return m_ownArmy; }
    CMenuItem* EnemyArmyButton() const { return m_enemyArmy; }
    CButtonEx* StartButton() const { return m_start; }
    CButtonEx* CancelButton() const { return m_cancel; }

private:
    void OnYesNoChanged(CValueScroller* scroller);
    void OnSideTypeChanged(CValueScroller* scroller);
    void OnOwnArmyClick(CWindow*, intptr_t);
    void OnEnemyArmyClick(CWindow*, intptr_t);
    void EditArmy(PlayerRecord* player);
    void RememberChoices() const;

    BattleParams* m_params;
    CLabel* m_lblBtlType = nullptr;
    CLabel* m_lblSeed = nullptr;
    CLabel* m_lblMoat = nullptr;
    CLabel* m_lblWalls = nullptr;
    CLabel* m_lblCatapults = nullptr;
    CLabel* m_lblAtkType = nullptr;
    CLabel* m_lblDfdType = nullptr;
    CValueScroller* m_btlType = nullptr;
    CValueScroller* m_seed = nullptr;
    CValueScroller* m_moat = nullptr;
    CValueScroller* m_walls = nullptr;
    CValueScroller* m_catapults = nullptr;
    CValueScroller* m_atkType = nullptr;
    CValueScroller* m_dfdType = nullptr;
    CMenuItem* m_ownArmy = nullptr;
    CMenuItem* m_enemyArmy = nullptr;
    CButtonEx* m_cancel = nullptr;
    CButtonEx* m_start = nullptr;
};

// The screen side of the trainer set-up: runs the battle engine's set-up
// routine with this window as its dialog, opened under parent (the root
// screen window when null). True when the user started the battle; the
// record then owns the two players and the castle.
bool RunBattleTrainerSetup(BattleParams* params, CWindow* parent);
