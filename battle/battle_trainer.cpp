#include "battle/battle_trainer.h"

#include <memory>

#include "battle/battle_rules.h"
#include "core/byte_stream.h"
#include "core/data_file.h"
#include "core/locale_table.h"
#include "core/pack_format.h"
#include "core/text_section_reader.h"
#include "core/ui_mgr.h"
#include "game/army.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/squad_type.h"

BattleHook<uint16_t(BattleParams*, uint32_t)> g_trainerSetupWindow;

namespace {

constexpr uint8_t kTrainerAttackerId = 2;
constexpr uint8_t kTrainerDefenderId = 5;

CStr LocaleText(const char* key)
{
    return CUIMgr::Locale().Lookup(key);
}

PlayerRecord* NewTrainerPlayer(uint8_t id, const char* nameKey, bool human)
{
    auto* p = new PlayerRecord();
    p->playerId = id;
    p->flagNumber = id;
    p->name = LocaleText(nameKey);
    p->SetHuman(human ? 1 : 0);
    return p;
}

bool StreamArmy(CByteStream& s, CArmy& army)
{
    uint32_t n = uint32_t(army.Count());
    s.U32(n);
    if (s.HasError())
        return false;
    if (s.IsStoring()) {
        for (int i = 0; i < army.Count(); ++i) {
            CSquad* squad = army.Item(i);
            CStr id = squad->type ? squad->type->typeId : CStr();
            uint32_t count = uint32_t(squad->count < 0 ? 0 : squad->count);
            s.String(id);
            s.U32(count);
        }
        return !s.HasError();
    }
    // A count beyond what any army holds means a damaged record.
    if (n > CArmy::kMaxStreamItems)
        return false;
    for (uint32_t i = 0; i < n; ++i) {
        CStr id;
        uint32_t count = 0;
        s.String(id);
        s.U32(count);
        if (s.HasError())
            return false;
        const CSquadType* type = FindSquadType(id);
        if (!type)
            continue;
        CSquad squad;
        squad.SetType(type);
        squad.count = int32_t(count) < 0 ? 0 : int32_t(count);
        army.AddSquadCopy(squad);
    }
    return true;
}

bool IsWord(const CStr& text, const char* word)
{
    CStr a = text, b(word);
    a.MakeLower();
    b.MakeLower();
    return a == b;
}

bool SideKindValid(uint32_t kind)
{
    return kind <= 2;
}

bool ReadSide(TextSectionReader& reader, const char* section, BattleParams* params, bool attacker)
{
    if (!reader.FindSection(section))
        return false;
    CStr line;
    if (!reader.ReadLine(line))
        return false;
    const bool human = IsWord(line, "human");
    const uint32_t kind = human ? 0 : 1;
    PlayerRecord* p = NewTrainerPlayer(attacker ? kTrainerAttackerId : kTrainerDefenderId,
                                       attacker ? "Player1" : "Player2", human);
    (attacker ? params->attacker : params->defender) = p;
    (attacker ? params->attackerSideKind : params->defenderSideKind) = kind;
    for (;;) {
        CStr id;
        if (!reader.ReadLine(id))
            break;
        CStr countLine;
        if (!reader.ReadLine(countLine))
            break;
        const int32_t count = ParseLeadingInt(countLine.Chars());
        const CSquadType* type = FindSquadType(id);
        if (!type || count <= 0)
            continue;
        CSquad squad;
        squad.SetType(type);
        squad.count = count;
        p->army.AddSquadCopy(squad);
    }
    return true;
}

}  // namespace

void BattleParams::FreeParticipants()
{
    // A battle still set up over these players would go on using their
    // armies after they are gone: it ends first.
    if (ownsParticipants && g_battle.grid && attacker &&
        (g_battle.attackerPlayer == attacker || g_battle.defenderPlayer == defender))
        EndBattle();
    if (ownsParticipants) {
        delete attacker;
        delete defender;
        delete castle;
    }
    attacker = nullptr;
    defender = nullptr;
    castle = nullptr;
    ownsParticipants = 0;
    UnloadBattleRules();
}

bool BattleParams::Stream(CByteStream& s)
{
    s.U32(attackerSideKind);
    s.U32(defenderSideKind);
    if (s.HasError())
        return false;
    if (!s.IsStoring()) {
        if (!SideKindValid(attackerSideKind) || !SideKindValid(defenderSideKind))
            return false;
        FreeParticipants();
        attacker = NewTrainerPlayer(kTrainerAttackerId, "Player1", attackerSideKind == 0);
        defender = NewTrainerPlayer(kTrainerDefenderId, "Player2", defenderSideKind == 0);
        ownsParticipants = 1;
    }
    if (!attacker || !defender)
        return false;
    s.U8(attacker->playerId);
    s.U8(defender->playerId);
    s.U32(kind);
    s.U32(powerOption);
    s.U8(obstacleLayout);
    if (s.HasError() || kind > kBattleSiege)
        return false;
    if (!StreamArmy(s, attacker->army) || !StreamArmy(s, defender->army))
        return false;
    uint32_t hasCastle = castle ? 1 : 0;
    s.U32(hasCastle);
    if (s.HasError() || hasCastle > 1)
        return false;
    if (hasCastle) {
        if (!s.IsStoring()) {
            castle = new CastleState();
            castle->Reset();
        }
        castle->Stream(s);
    }
    return !s.HasError();
}

void LoadTrainerRules(BattleParams*)
{
    LoadBattleRules("/rules/battle/battle");
}

void UnloadTrainerRules(BattleParams*)
{
    UnloadBattleRules();
}

bool LoadTrainerBattle(const char*)
{
    return false;
}

bool SaveTrainerBattle(const char*)
{
    return false;
}

void DeleteTrainerBattle(const char* name)
{
    DeleteDataFile(name);
}

void MakeTrainerPlayers(BattleParams* params)
{
    params->attacker = NewTrainerPlayer(kTrainerAttackerId, "Player1", params->attackerSideKind == 0);
    params->defender = NewTrainerPlayer(kTrainerDefenderId, "Player2", params->defenderSideKind == 0);
    params->ownsParticipants = 1;
}

bool RunBattleTrainerSetup(BattleParams* params, uint32_t windowArgument)
{
    params->FreeParticipants();
    LoadTrainerRules(params);
    params->noScreen = 0;
    MakeTrainerPlayers(params);
    const auto& registry = SquadTypeRegistry();
    const size_t n = registry.size() < 4 ? registry.size() : 4;
    params->attacker->slotTypes.assign(n, CStr());
    params->defender->slotTypes.assign(n, CStr());
    // Up to four squads of 10 units each, in type order; the defender's
    // fourth is of the fifth type when there is one.
    CSquad scratch;
    scratch.count = 10;
    for (size_t k = 0; k < n; ++k) {
        scratch.SetType(registry[k]);
        params->attacker->slotTypes[k] = registry[k]->typeId;
        params->attacker->army.AddSquadCopy(scratch);
        if (k == 3 && registry.size() > 4)
            scratch.SetType(registry[4]);
        params->defender->slotTypes[k] = scratch.type->typeId;
        params->defender->army.AddSquadCopy(scratch);
    }
    params->castle = new CastleState();
    params->castle->Reset();
    const uint16_t result = g_trainerSetupWindow.Fire(params, windowArgument);
    if (result == 1) {
        params->castle->percent = 100;
        params->castle->DefencesFromPercent();
        return true;
    }
    params->FreeParticipants();
    return false;
}

bool CBattleTrainer(BattleParams* params, const char* textPath)
{
    LoadTrainerRules(params);
    TextSectionReader reader;
    if (!reader.Open(textPath, pack_format::kTextTableType, TextSectionReader::kAllOptions))
        return false;
    params->FreeParticipants();
    params->ownsParticipants = 1;
    if (!reader.FindSection("common"))
        return false;
    CStr line;
    if (!reader.ReadLine(line))
        return false;
    params->powerOption = IsWord(line, "easy") ? 0 : IsWord(line, "hard") ? 2 : 1;
    if (!reader.ReadLine(line))
        return false;
    if (IsWord(line, "openfield")) {
        params->kind = kBattleOpenField;
        params->obstacleLayout = uint8_t(reader.ReadInt(0));
    } else {
        params->kind = kBattleSiege;
    }
    if (!ReadSide(reader, "attacker", params, true) || !ReadSide(reader, "defender", params, false))
        return false;
    if (params->kind == kBattleSiege) {
        if (!reader.FindSection("siege"))
            return false;
        params->castle = new CastleState();
        params->castle->Reset();
        if (reader.ReadLine(line) && IsWord(line, "true"))
            params->castle->moat = 1;
        if (reader.ReadLine(line) && IsWord(line, "true"))
            params->castle->fortWalls = 1;
        params->castle->catapults = uint8_t(reader.ReadInt(0));
    } else {
        params->castle = nullptr;
    }
    params->noScreen = 0;
    BeginBattle(params);
    return true;
}
