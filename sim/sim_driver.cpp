#include "sim/sim_driver.h"

#include <strings.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "battle/quick_battle.h"
#include "core/byte_stream.h"
#include "core/path_mgr.h"
#include "core/resource_mgr.h"
#include "core/ui_mgr.h"
#include "game/controller_factory.h"
#include "game/game_signals.h"
#include "game/game_world.h"
#include "game/pack_access.h"
#include "game/player_controller.h"
#include "game/player_ratings.h"
#include "game/player_record.h"
#include "game/running_game.h"
#include "game/saved_game.h"
#include "game/squad_type.h"
#include "platform/headless/headless_backend.h"
#include "platform/platform.h"
#include "players/ai_controller.h"
#include "players/human_controller.h"

namespace {

constexpr uint16_t kSaveVersion = kSavedGameVersion;
// No saved game of ours comes near this; anything larger is not one.
constexpr long kMaxSaveFile = 4L << 20;

uint32_t g_seed = 0;
// A loaded game goes on through the running game's own resumption.
bool g_resumePending = false;
// The player whose turn stands at its save point (after its province step,
// where the game saves itself); -1 between rounds.
int g_pausedAt = -1;
SimPlayTurnHook g_playHook = nullptr;

CPlayerController* MakeComputerPlayer(PlayerRecord* player, bool)
{
    return new CAIController(player);
}

// While a saved game is read, its people get a person's controller: the
// file holds a longer controller part for them than for a computer player.
CPlayerController* MakeControllerAsSaved(PlayerRecord* player, bool human)
{
    if (human)
        return new CHumanController(player);
    return new CAIController(player);
}

// A loaded game's people hand their seats to computer players, which take
// over what every controller keeps (the turn's state, the scouted provinces,
// the planner's memory); what only a person's controller keeps (a result
// still to be shown) goes. False when that part cannot be carried over.
bool SeatComputersForPeople(CGameWorld& world)
{
    for (int i = 0; i < world.PlayerCount(); ++i) {
        PlayerRecord& player = world.Player(i);
        if (!player.IsHuman())
            continue;
        if (!player.controller) {
            player.human = 0;
            continue;
        }
        CSizeCounter counter;
        counter.SetVersion(kSavedGameVersion);
        player.controller->CPlayerController::Serialize(counter);
        std::vector<uint8_t> kept(counter.Capacity());
        CStreamWriter writer(kept.data(), uint32_t(kept.size()));
        writer.SetVersion(kSavedGameVersion);
        player.controller->CPlayerController::Serialize(writer);
        player.SetHuman(0);
        CStreamReader reader(kept.data(), uint32_t(kept.size()));
        reader.SetVersion(kSavedGameVersion);
        if (writer.HasError() || !player.controller || !player.controller->Serialize(reader) ||
            reader.HasError())
            return false;
    }
    return true;
}

// A frame step of the headless device: the screens would draw one frame in
// this time.
void PumpOneFrame()
{
    if (HeadlessBackend* h = ActiveHeadlessPlatform())
        h->AdvanceClock(50);
}

// Computer players post no dialog requests; should one come, it is declined.
uint32_t DeclineRequest(UiRequestKind, void*)
{
    return 2;
}

void BindHarnessSignals()
{
    SigMapBattle.Connect(&ResolveMapBattle);
    SigPumpUi.Connect(&PumpOneFrame);
    SigUiRequest.Connect(&DeclineRequest);
}

// The two halves of a turn: up to the save point, and the play after it.
enum class TurnHalf : uint32_t {
    Opening = 0,
    Play = 1
};

// The virtual clock before each half of a player's turn, so that the
// generator's reseeds depend only on the seed, the round and the seat, and
// a game loaded at a save point draws what the game never saved would.
void SetClockForTurn(int32_t round, int seat, TurnHalf half = TurnHalf::Opening)
{
    if (HeadlessBackend* h = ActiveHeadlessPlatform())
        h->SetClock(kHeadlessClockStart + g_seed * 7919u + uint32_t(round) * 977u + uint32_t(seat) * 131u +
                    uint32_t(half) * 61u);
}

// A player's turn up to its save point, as the turn loop runs it.
void OpenTurn(int seat)
{
    RunningGameState& g = Game();
    PlayerRecord& player = g.world->Player(seat);
    SetClockForTurn(g.turn, seat);
    player.controller->BeginTurn();
    BeginPlayerTurn(uint8_t(seat));
    if (player.controller)
        player.controller->ProvinceTurnStep();
    g_pausedAt = seat;
}

// The first player of the next round to its save point; false when the game
// is over.
bool OpenNextRound()
{
    RunningGameState& g = Game();
    if (OnlyOnePlayerLeft() || CountActivePlayers() == 0)
        return false;
    ++g.turn;
    OnRoundStart();
    for (int i = 0; i < g.world->PlayerCount(); ++i) {
        if (g.world->Player(i).controller) {
            OpenTurn(i);
            return true;
        }
    }
    return false;
}

void EndOfTurn(int seat)
{
    RunningGameState& g = Game();
    // A stop asked for inside a battle has no person to answer it here; the
    // harness plays on.
    SetLeaveRequested(0);
    g.battleInProgress = 0;
    if (PlayerRecord& player = g.world->Player(seat); player.controller)
        player.controller->EndTurn();
}

// The rest of a turn from its save point. A game loaded there goes on as the
// game goes on with a loaded game; a game never saved takes the same steps
// (a frame, the ratings, the player announced again) before its play, so the
// two play alike.
void FinishTurn(int seat)
{
    RunningGameState& g = Game();
    g_pausedAt = -1;
    SetClockForTurn(g.turn, seat, TurnHalf::Play);
    if (g_resumePending) {
        g_resumePending = false;
        // Every seat is a computer's: the running game ends its loop after
        // the interrupted turn, and the harness plays the rest of the round.
        ResumeTurnLoop();
        return;
    }
    PlayerRecord& player = g.world->Player(seat);
    ComputePlayerRatings(g.holder);
    RunUiPumpHook();
    BeginPlayerTurn(uint8_t(seat));
    // The steps since the save point give the same state again when taken
    // twice: a game saved here is still saved at its save point.
    if (g_playHook) {
        g_pausedAt = seat;
        g_playHook(seat, true);
        g_pausedAt = -1;
    }
    if (player.controller)
        player.controller->PlayTurn();
    if (g_playHook)
        g_playHook(seat, false);
    EndOfTurn(seat);
}

// The players of the round after the one whose turn was just finished.
void PlayRestOfRound(int after)
{
    RunningGameState& g = Game();
    for (int i = after + 1; i < g.world->PlayerCount(); ++i) {
        if (!g.world->Player(i).controller)
            continue;
        if (OnlyOnePlayerLeft())
            break;
        OpenTurn(i);
        FinishTurn(i);
    }
}

bool StartsWithNoCase(const CStr& text, const char* prefix)
{
    return strncasecmp(text.Chars(), prefix, std::strlen(prefix)) == 0;
}

bool EqualsNoCase(const CStr& text, const char* other)
{
    return strcasecmp(text.Chars(), other) == 0;
}

int WinnerId()
{
    CGameWorld* w = GameWorld();
    if (!w || !OnlyOnePlayerLeft())
        return -1;
    for (int i = 0; i < w->PlayerCount(); ++i)
        if (w->Player(i).controller)
            return w->Player(i).playerId;
    return -1;
}

SessionState SessionNow()
{
    const RunningGameState& g = Game();
    SessionState s;
    s.turn = g.turn;
    s.currentPlayer = g.world ? g.world->currentPlayer : 0;
    s.selectedProvince = g.selectedProvince;
    s.sessionMode = g.sessionMode;
    s.difficulty = g.difficulty;
    return s;
}

}  // namespace

bool SimStartEngine(const std::string& dataFolder, std::string& error)
{
    HeadlessOptions options;
    options.closeAfterSteps = 0;
    UseHeadlessPlatform(options);
    // Games between computer players read the missions, the squad types and
    // the rules of the map and of battles; the pictures, sounds and windows
    // of the other packs would only take memory.
    if (!CResourceMgr::InitFromFolder(dataFolder.c_str(), {"base", "game", "rules", "battle"})) {
        error = "no game data in " + dataFolder;
        return false;
    }
    // Reports keep their titles as texts; a save read later in the game must
    // hold the same words the game would have written.
    if (!CPathMgr::Init() || !CUIMgr::Init()) {
        error = "no locale texts in " + dataFolder;
        CResourceMgr::Shutdown();
        return false;
    }
    FreeSquadTypes();
    LoadSquadTypes();
    SetControllerFactory(&MakeComputerPlayer);
    return true;
}

void SimStopEngine()
{
    SimEndGame();
    SetControllerFactory(nullptr);
    FreeSquadTypes();
    CUIMgr::Shutdown();
    CPathMgr::Shutdown();
    CResourceMgr::Shutdown();
}

std::vector<CStr> SimMissionPaths()
{
    std::vector<CStr> scenarios;
    ListPackFolders(CStr("/Scenarios/"), scenarios);
    // The first scenario of the game goes first, the others as listed.
    for (size_t i = 1; i < scenarios.size(); ++i) {
        if (EqualsNoCase(scenarios[i], "scenario01")) {
            CStr first = scenarios[i];
            scenarios.erase(scenarios.begin() + long(i));
            scenarios.insert(scenarios.begin(), first);
            break;
        }
    }
    std::vector<CStr> paths;
    for (const CStr& s : scenarios) {
        std::vector<CStr> children;
        const CStr folder = CStr::ConcatChars(CStr("/Scenarios/"), s.Chars());
        ListPackFolders(CStr::ConcatChars(folder, "/"), children);
        int missions = 0;
        for (const CStr& c : children)
            if (StartsWithNoCase(c, "Mission"))
                ++missions;
        for (int m = 1; m <= missions; ++m) {
            char name[32];
            std::snprintf(name, sizeof name, "/Mission%03d", m);
            paths.push_back(CStr::ConcatChars(folder, name));
        }
    }
    return paths;
}

bool SimNewGame(int mission, int32_t difficulty, uint32_t seed, std::string& error)
{
    const std::vector<CStr> paths = SimMissionPaths();
    if (mission < 0 || size_t(mission) >= paths.size()) {
        error =
            "no mission " + std::to_string(mission) + " (the data has " + std::to_string(paths.size()) + ")";
        return false;
    }
    if (difficulty < 0 || difficulty > 3) {
        error = "difficulty must be 0 to 3";
        return false;
    }
    g_seed = seed;
    g_resumePending = false;
    g_pausedAt = -1;
    SimEndGame();
    SetClockForTurn(0, 0);
    SessionInit(0);
    BindHarnessSignals();
    if (!NewGameFromMission(paths[size_t(mission)])) {
        error = std::string("cannot read mission ") + paths[size_t(mission)].Chars();
        return false;
    }
    NewGameSettings settings;
    settings.difficulty = difficulty;
    settings.humans = 0;
    ApplyNewGameSettings(settings);
    StartGame();
    return true;
}

bool SimLoadGame(const std::string& file, uint32_t seed, std::string& error)
{
    g_seed = seed;
    SimEndGame();
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(file.c_str(), "rb"), &std::fclose);
    if (!f) {
        error = "cannot open " + file;
        return false;
    }
    std::vector<uint8_t> bytes;
    uint8_t chunk[4096];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f.get())) > 0) {
        bytes.insert(bytes.end(), chunk, chunk + n);
        if (long(bytes.size()) > kMaxSaveFile) {
            error = file + " is too large to be a saved game";
            return false;
        }
    }
    if (bytes.size() < 4) {
        error = file + " is too short to be a saved game";
        return false;
    }
    const uint16_t version = uint16_t(bytes[0] | (bytes[1] << 8));
    if (version < 6 || version > kSaveVersion) {
        error = file + " is not a saved game of this version";
        return false;
    }
    SetClockForTurn(0, 0);
    SessionInit(0);
    BindHarnessSignals();
    RunningGameState& g = Game();
    SessionState session;
    SetControllerFactory(&MakeControllerAsSaved);
    const bool read = ReadSavedGame(SavedGameParts{*g.world, g.missionPath, session}, bytes.data() + 2,
                                    uint32_t(bytes.size() - 2), version);
    SetControllerFactory(&MakeComputerPlayer);
    if (!read || !SeatComputersForPeople(*g.world)) {
        error = file + " is damaged";
        SimEndGame();
        return false;
    }
    g.turn = session.turn;
    g.world->currentPlayer = session.currentPlayer;
    g.selectedProvince = session.selectedProvince;
    g.sessionMode = session.sessionMode;
    g.difficulty = session.difficulty;
    BindHarnessSignals();
    // The game stands inside the saved player's turn, at its save point.
    g_pausedAt = session.currentPlayer;
    g_resumePending = true;
    return true;
}

SimOutcome SimPlay(int32_t maxRounds)
{
    SimOutcome out;
    RunningGameState& g = Game();
    if (!g.world)
        return out;
    // A round interrupted at a save point is finished first and counts.
    if (g_pausedAt >= 0 && maxRounds > 0) {
        const int seat = g_pausedAt;
        if (g.world->Player(seat).controller)
            FinishTurn(seat);
        g_pausedAt = -1;
        g_resumePending = false;
        PlayRestOfRound(seat);
        ++out.roundsPlayedNow;
    }
    while (out.roundsPlayedNow < maxRounds && OpenNextRound()) {
        const int seat = g_pausedAt;
        FinishTurn(seat);
        PlayRestOfRound(seat);
        ++out.roundsPlayedNow;
    }
    out.rounds = g.turn;
    out.winner = WinnerId();
    return out;
}

bool SimSaveBytes(std::vector<uint8_t>& out)
{
    RunningGameState& g = Game();
    if (!g.world)
        return false;
    // The game saves itself inside a player's turn and goes on from there
    // when loaded; between rounds the next turn is opened to that point.
    if (g_pausedAt < 0)
        OpenNextRound();
    SessionState session = SessionNow();
    std::vector<uint8_t> body;
    if (!WriteSavedGame(SavedGameParts{*g.world, g.missionPath, session}, body))
        return false;
    out.clear();
    out.push_back(uint8_t(kSaveVersion & 0xFF));
    out.push_back(uint8_t(kSaveVersion >> 8));
    out.insert(out.end(), body.begin(), body.end());
    return true;
}

bool SimSaveFile(const std::string& file, std::string& error)
{
    std::vector<uint8_t> bytes;
    if (!SimSaveBytes(bytes)) {
        error = "the game could not be saved";
        return false;
    }
    // As the game saves: the whole file under another name first, so that a
    // run killed while writing leaves the old save as it was.
    const std::string temporary = file + "_new";
    FILE* f = std::fopen(temporary.c_str(), "wb");
    bool written = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (f && std::fclose(f) != 0)
        written = false;
    if (!written || !ReplaceFileDurably(temporary, file)) {
        std::remove(temporary.c_str());
        error = "cannot write " + file;
        return false;
    }
    return true;
}

void SimEndGame()
{
    if (Game().world)
        EndSession();
}

void SimSetPlayTurnHook(SimPlayTurnHook hook)
{
    g_playHook = hook;
}
