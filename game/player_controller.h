// The controller through which the turn loop drives one player, and through
// which the map screen, the dialogs and other players' controllers reach it.
// Two concrete kinds exist: the human controller (dialog requests, waits
// for the user) and the computer controller (the planner).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class CArmy;
class CByteStream;
class CGameWorld;
class CProvinceDistanceMap;
class CReportList;
class CResourceBundle;
class CSquad;
class HeroRecord;
class PlayerRecord;
class ProvinceRecord;

// The record a random-event step hands to ReportRandomEvent.
struct RandomEventReport;

// Bits of CPlayerController::flags.
inline constexpr uint8_t kWakeRequested = 0x01;
inline constexpr uint8_t kAttackedThisTurn = 0x02;
inline constexpr uint8_t kRobberyPending = 0x04;

// Action-mask bits; 0x80 marks an action that exists but cannot be taken now.
inline constexpr uint16_t kActionDisabled = 0x80;
inline constexpr uint16_t kArmyMove = 1;
inline constexpr uint16_t kArmyAttack = 2;
inline constexpr uint16_t kArmyGarrison = 4;
inline constexpr uint16_t kAgentScout = 2;
inline constexpr uint16_t kAgentDecease = 4;
inline constexpr uint16_t kAgentTakeGarrison = 8;
inline constexpr uint16_t kRobberyOwn = 1;
inline constexpr uint16_t kRobberyRob = 2;

class CPlayerController {
public:
    explicit CPlayerController(PlayerRecord* player);
    virtual ~CPlayerController();
    CPlayerController(const CPlayerController&) = delete;
    CPlayerController& operator=(const CPlayerController&) = delete;

    virtual bool IsHuman() const = 0;
    // The controller's part of a saved game, after the player record's.
    virtual bool Serialize(CByteStream& stream);

    // What the map screen passes on from the person at the screen: a province
    // chosen, a province's default action (a double tap), a command of the
    // in-game menu and one of the panels' buttons.
    virtual void OnProvinceSelected(uint8_t index) = 0;
    virtual void OnProvinceDefaultAction(uint8_t index) = 0;
    virtual void OnMenuCommand(uint32_t command) = 0;
    virtual void OnCommand(uint32_t command) = 0;
    // A person plays through the screen: the turn loop waits for him.
    virtual bool IsInteractive() const { return false; }
    virtual uint8_t MovePoints() const { return static_cast<uint8_t>(movePoints); }

    // The turn, in the order the turn loop calls it: the army starts at the
    // capital in a new game; each turn begins, the provinces take their
    // step (random events, castle works), the player plays, and the turn
    // ends. A loaded game continues the turn it was saved in instead.
    virtual void OnNewGame();
    virtual void BeginTurn();
    virtual void ProvinceTurnStep();
    virtual bool PlayTurn();
    virtual bool ContinueTurn();
    // An action of a person that ends the wait for his input without ending
    // his turn; a computer player never waits.
    virtual void SetHold() = 0;
    virtual void EndTurn();
    virtual bool IsTurnDone() const { return turnDone != 0; }
    virtual bool CanLevelUp() const;
    virtual void LevelUp();

    // Steps of the turn's end: the units recruited this turn join the armies
    // and garrisons (the tally counts them per squad kind), then the income.
    virtual void CollectIncome();
    virtual void SettleArmies();
    virtual void SettlePendingUnits(CArmy* army, CArmy* tally);
    virtual void RandomEventStep();

    // Diplomacy: a proposal of another player and the answers to ours.
    virtual bool AnswerDiplomacyProposal(uint8_t playerIndex, uint32_t kind) = 0;
    virtual void OnDiplomacyAccepted(uint8_t playerIndex, uint32_t response, uint32_t relation) = 0;
    virtual void OnDiplomacyDeclined(uint8_t playerIndex, uint32_t response, uint32_t relation) = 0;
    virtual void AttackProvince(ProvinceRecord* province, uint8_t automatic, uint8_t resume);

    // Castle works finished in one of the player's provinces.
    virtual void OnCastleBuilt(ProvinceRecord* province);
    virtual void OnCastleCompleted(ProvinceRecord*) {}
    virtual void OnMarketBuilt(ProvinceRecord*) {}
    virtual void OnBankBuilt(ProvinceRecord*) {}
    virtual void OnMetalMineBuilt(ProvinceRecord*) {}
    virtual void OnStoneMineBuilt(ProvinceRecord*) {}

    // The robbery ordered last turn takes place; false when none was pending.
    virtual bool SettleRobbery();
    virtual void ReportRandomEvent(RandomEventReport*) {}
    virtual bool Recruit(ProvinceRecord* province, CSquad* squad, CResourceBundle* price);
    // Another player attacks one of ours: whether to fight, flee (written to
    // flee) and whether the battle is fought without the battle screen.
    virtual bool OnProvinceAttacked(CArmy* attackerArmy, ProvinceRecord* province, uint8_t* flee,
                                    uint8_t* automatic);
    virtual void ReportBattleResult(uint8_t defenderWon, PlayerRecord* attacker, ProvinceRecord* province,
                                    CArmy* attackerLosses, CArmy* defenderLosses, int16_t experience) = 0;
    // A castle work chosen in the castle information window; only a person
    // gives such commands, so the base ignores it.
    virtual void RunProvinceCommand(uint32_t) {}

    // --- State (read by the turn loop, the saved game and the planner) ---
    PlayerRecord* Player() const { return player; }
    CReportList& Reports() { return *reports; }
    const CReportList& Reports() const { return *reports; }
    void MarkTurnDone() { turnDone = 1; }

    // --- Turn economy ---
    CResourceBundle ProvinceIncome(uint8_t provinceIndex) const;
    CResourceBundle TotalIncome() const;
    int32_t SumProvinceIncome(int32_t kindIndex) const;
    int16_t CountProvinces() const;
    int16_t CountCastles() const;
    // Own castles with a market (building bit 0x01).
    int16_t CountCastlesWithBit1() const;
    bool Rob(PlayerRecord* victim, int16_t tries, int32_t* loot);

    // --- Attack, capture and retreat ---
    bool IsDefended(const ProvinceRecord* province) const;
    void CaptureProvince(ProvinceRecord* province);
    void CaptureCapital(ProvinceRecord* province);
    void Retreat(ProvinceRecord* province, CArmy* army);

    // --- Masks (null means the selected province) ---
    uint16_t ArmyActionsAt(const ProvinceRecord* province) const;
    uint16_t AgentActionsAt(const ProvinceRecord* province) const;
    uint16_t RobberyActionsAt(const ProvinceRecord* province) const;
    uint8_t MapActionAt(const ProvinceRecord* province) const;
    bool IsScouted(const ProvinceRecord* province) const;
    bool IsAdjacentToOwn(const ProvinceRecord* province) const;
    bool CanScout(const ProvinceRecord* province) const;
    bool CanDecease(const ProvinceRecord* province) const;
    bool CanRob(const ProvinceRecord* province) const;
    bool IsReachable(const ProvinceRecord* province) const;

    // --- Moves and transfers ---
    void MoveArmyTo(ProvinceRecord* province);
    void MoveAlongPath(ProvinceRecord* province);
    void TransferUnits(ProvinceRecord* province, const std::vector<int32_t>& deltas);
    void TakeGarrisonIntoArmy();
    void SetArmyPendingRecruits(const std::vector<int32_t>& counts);
    void SetGarrisonPendingRecruits(ProvinceRecord* province, const std::vector<int32_t>& counts);

    // --- Covert operations ---
    bool Scout(ProvinceRecord* province);
    bool Decease(ProvinceRecord* province, int16_t raiders, CArmy* killed);
    // False (and nothing spent) when a robbery is already pending this turn:
    // a second order would silently replace one that was already paid for.
    bool OrderRobbery(PlayerRecord* victim, int16_t tries);

    // --- Castle works ---
    void BuildCastle(ProvinceRecord* province, const CResourceBundle& cost);
    void CompleteCastle(ProvinceRecord* province, const CResourceBundle& cost, uint8_t turns);
    void RepairCastle(ProvinceRecord* province, const CResourceBundle& cost);
    void DemolishCastle(ProvinceRecord* province, const CResourceBundle& refund);
    void BuildMoat(ProvinceRecord* province, const CResourceBundle& cost, uint8_t turns);
    void BuildCatapult(ProvinceRecord* province, const CResourceBundle& cost, uint8_t turns);
    void BuildFortifiedWalls(ProvinceRecord* province, const CResourceBundle& cost, uint8_t turns);
    void BuildBuilding(ProvinceRecord* province, uint8_t buildingBit, const CResourceBundle& cost,
                       uint8_t turns);

    // Recomputes the running game's distance map from the army's location,
    // limited to the move points left.
    void UpdateReach() const;

    // Fields, in the order the saved form and the planner know them.
    PlayerRecord* player = nullptr;
    uint8_t flags = 0;
    uint8_t turnDone = 0;
    int16_t movePoints = 0;
    std::vector<uint8_t> scoutedProvinces;
    PlayerRecord* robberyTarget = nullptr;
    int16_t robberyTries = 0;
    int32_t stolenGold = 0;
    int32_t pendingExperience = 0;
    uint8_t lastAttackedProvince = 255;
    uint8_t attackRepeatCount = 0;
    PlayerRecord* lastMilitaryTarget = nullptr;

protected:
    // The base steps of PlayTurn, which every concrete kind runs first.
    void BasePlayTurn();
    // The base steps of ContinueTurn.
    void BaseContinueTurn();
    HeroRecord& Hero() const;

private:
    std::unique_ptr<CReportList> reports;
};

// Income as the player collects it: scaled by the percent of its tax level,
// the figure the taxes window shows.
CResourceBundle TaxedIncome(const CResourceBundle& income, uint8_t taxPercent);
// A robber's gain from a computer victim, by difficulty 0-3.
int32_t ScaleLootByDifficulty(int32_t amount, int32_t difficulty);
