// Small worlds built in code for the tests of the rules, the turn loop and
// the controllers, with doubles for the game signals the map window binds.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "game/game_rules.h"
#include "game/game_signals.h"
#include "game/game_world.h"
#include "game/player_controller.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/running_game.h"
#include "game/squad_type.h"
#include "game/ui_request.h"
#include "tests/support/world/small_world.h"

// Two squad types: "Sword" (force 2, bought by 5, 10 gold) and "Bow"
// (force 3, bought by 3, 8 gold and 2 metal).
const CSquadType* SwordType();
const CSquadType* BowType();

// A controller that plays nothing by itself: its turn runs the base steps
// and then whatever the test scripted.
class TestController : public CPlayerController {
public:
    explicit TestController(PlayerRecord* p, bool human = false) : CPlayerController(p), m_human(human) {}
    bool IsHuman() const override { return m_human; }
    void OnProvinceSelected(uint8_t) override {}
    void OnProvinceDefaultAction(uint8_t) override {}
    void OnMenuCommand(uint32_t) override {}
    void OnCommand(uint32_t) override {}
    void SetHold() override { ++holds; }
    bool AnswerDiplomacyProposal(uint8_t, uint32_t) override { return false; }
    void OnDiplomacyAccepted(uint8_t, uint32_t, uint32_t) override {}
    void OnDiplomacyDeclined(uint8_t, uint32_t, uint32_t) override {}
    void ReportBattleResult(uint8_t defenderWon, PlayerRecord*, ProvinceRecord*, CArmy*, CArmy*,
                            int16_t experience) override
    {
        battleReports.push_back({defenderWon, experience});
    }
    bool PlayTurn() override
    {
        BasePlayTurn();
        ++turnsPlayed;
        if (onPlay)
            onPlay(*this);
        return true;
    }
    bool ContinueTurn() override
    {
        BaseContinueTurn();
        ++turnsContinued;
        if (onPlay)
            onPlay(*this);
        return true;
    }
    void BeginTurn() override
    {
        ++turnsBegun;
        CPlayerController::BeginTurn();
    }
    void EndTurn() override
    {
        ++turnsEnded;
        CPlayerController::EndTurn();
    }

    std::function<void(TestController&)> onPlay;
    int turnsPlayed = 0;
    int turnsContinued = 0;
    int turnsBegun = 0;
    int turnsEnded = 0;
    int holds = 0;
    std::vector<std::pair<uint8_t, int16_t>> battleReports;

private:
    bool m_human;
};

// Answers dialog requests from a table of handlers by kind and records every
// request it saw; a kind without a handler comes back unanswered.
class ScriptedResponder {
public:
    using Handler = std::function<void(void* record)>;
    ScriptedResponder();
    ~ScriptedResponder();
    void On(UiRequestKind kind, Handler handler) { m_handlers[kind] = std::move(handler); }
    int Count(UiRequestKind kind) const;
    std::vector<UiRequestKind> seen;

private:
    std::map<UiRequestKind, Handler> m_handlers;
};

struct ProvinceSpec {
    int owner;  // player index, -1 neutral
    std::vector<uint8_t> neighbours;
    bool castle = false;
};

// Builds a world of the one small-world builder into the running game's
// globals, with live armies set by hand, and tears it all down.
class ModelFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Players 0..players-1 (ids equal to their index), each with a Sword and
    // a Bow slot; capitals are given by index. Neighbour lists are made
    // symmetric.
    void BuildWorld(int players, const std::vector<ProvinceSpec>& provinces,
                    const std::vector<int>& capitals);
    // Gives every player a TestController (people for the listed indexes).
    void GiveTestControllers(const std::vector<int>& humans = {});

    CGameWorld& World() { return *Game().world; }
    PlayerRecord& Player(int i) { return World().Player(i); }
    ProvinceRecord& Province(int i) { return World().Province(i); }
    TestController& Test(int i) { return *static_cast<TestController*>(Player(i).controller); }
    void SetArmy(int player, int swords, int bows);
    void SetGarrison(int province, int swords, int bows);
    void SetGold(int player, int32_t gold, int32_t metal = 0, int32_t stone = 0);
    int32_t Gold(int player) { return Player(player).treasury.Get(FourCC("gold")); }
    // Recomputes the distance map from the player's army as its controller
    // would.
    void Reach(int player);
};

// Sets the random generator to the first state whose next rolls (NextRandom
// % 101 against the chance) succeed and fail as listed.
void SeedForRolls(const std::vector<bool>& successes, int32_t chance);
