#include "game/hall_of_fame.h"

#include <algorithm>

#include "core/data_file.h"
#include "core/log.h"
#include "core/text_section_reader.h"
#include "game/data_file_io.h"
#include "game/game_world.h"
#include "game/saved_game.h"
#include "game/stream_util.h"

namespace {
GameConfig g_config;
std::vector<std::unique_ptr<CHallOfFameEntry>> g_entries;

bool SameMission(const CStr& a, const CStr& b)
{
    return CompareNoCase(a.Chars(), b.Chars()) == 0;
}

// The entries of one mission, in descending score order.
std::vector<CHallOfFameEntry*> MissionTable(const CStr& missionPath)
{
    std::vector<CHallOfFameEntry*> table;
    for (int i = int(g_entries.size()) - 1; i >= 0; --i)
        if (SameMission(g_entries[size_t(i)]->missionPath, missionPath))
            table.push_back(g_entries[size_t(i)].get());
    for (size_t i = 1; i < table.size(); ++i)
        for (size_t j = 0; j < i; ++j)
            if (table[j]->score < table[i]->score)
                std::swap(table[j], table[i]);
    return table;
}

void SortList()
{
    for (size_t i = 1; i < g_entries.size(); ++i)
        for (size_t j = 0; j < i; ++j)
            if (g_entries[j]->score < g_entries[i]->score)
                std::swap(g_entries[j], g_entries[i]);
}
}  // namespace

GameConfig& HallOfFameConfig()
{
    return g_config;
}

void CHallOfFameEntry::StreamBody(CByteStream& s)
{
    CPlayerStats::StreamBody(s);
    s.String(missionPath);
    s.String(worldName);
    s.I32(turns);
    s.String(playerName);
    s.String(heroName);
    s.I16(owned);
    s.I16(castles);
    s.I16(provinceCount);
    finalResources.Stream(s);
    army.Stream(s);
    s.I16(heroBattle);
    s.I16(heroBuilder);
    s.I16(heroStealth);
    s.I32(heroExperience);
    s.I32(score);
    int16_t level = int16_t(difficulty);
    s.I16(level);
    difficulty = uint32_t(uint16_t(level));
}

void CHallOfFameEntry::FillFromPlayer(const PlayerRecord& player, const HallOfFameGame& game)
{
    AssignStats(player.stats);
    battles = victories + defeats + retreats;
    missionPath = game.missionPath;
    worldName = game.world ? game.world->name : CStr();
    playerName = player.name;
    heroName = player.name;
    provinceCount = game.world ? int16_t(game.world->ProvinceCount()) : 0;
    owned = 0;
    castles = 0;
    finalArmy.Clear();
    if (game.world) {
        for (int i = game.world->ProvinceCount() - 1; i >= 0; --i) {
            const ProvinceRecord& province = game.world->Province(i);
            if (province.owner != &player)
                continue;
            ++owned;
            if (province.castleFlag && province.castle.percent != 0)
                ++castles;
            finalArmy.Merge(province.garrison);
        }
    }
    finalResources = player.treasury;
    army = player.army;
    turns = game.turn;
    heroExperience = player.hero.experience;
    heroBattle = player.hero.battle;
    heroBuilder = player.hero.builder;
    heroStealth = player.hero.stealth;
    difficulty = uint32_t(game.difficulty);
    finalArmy.Merge(army);
    score = ComputeScore();
}

int32_t CHallOfFameEntry::ComputeScore() const
{
    const int block = difficulty == 0 ? 0 : difficulty == 2 ? 2 : difficulty == 3 ? 3 : 1;
    const ScoreWeights& k = g_config.blocks[block];
    // 64-bit terms: the weights and totals come from files and must not wrap.
    auto w = [&](int n) { return int64_t(k.w[n - 2]); };
    int64_t s = k.base;
    s -= w(2) * turns / 10;
    s += w(3) * provinceCount / 10;
    // A damaged file can claim no provinces at all; the shares then count nothing.
    if (provinceCount > 0) {
        s += w(4) * owned * 100 / provinceCount;
        s += w(5) * castles * 100 / provinceCount;
    }
    s += w(6) * finalResources.Total() / 10;
    s += w(7) * stolen.Total() / 10;
    s -= w(8) * theft.Total() / 10;
    s += w(9) * finalArmy.Strength() / 10;
    s += w(10) * killed.Strength() / 10;
    s -= w(11) * lost.Strength() / 10;
    s += w(12) * assassinated.Strength() / 10;
    s += w(13) * (100 - strengthRating) / 100;
    s += w(14) * (100 - incomeRating) / 100;
    if (s < 0)
        return 0;
    return s > INT32_MAX ? INT32_MAX : int32_t(s);
}

bool LoadGameConfig()
{
    TextSectionReader reader;
    const bool opened = reader.Open(CStr("/Rules/hof"), pack_format::kTextTableType, 15);
    const bool config = opened && reader.FindSection(CStr("[config]"));
    if (config)
        g_config.placesPerMission = uint16_t(reader.ReadInt(g_config.placesPerMission));
    const bool constants = opened && reader.FindSection(CStr("[constants]"));
    if (constants) {
        for (ScoreWeights& block : g_config.blocks) {
            block.base = reader.ReadInt(0);
            for (int16_t& weight : block.w)
                weight = int16_t(reader.ReadInt(0));
        }
    }
    LoadHallOfFameFile();
    return config && constants;
}

void FreeHallOfFame()
{
    g_entries.clear();
}

bool ReadHallOfFame(const uint8_t* data, uint32_t size)
{
    FreeHallOfFame();
    CStreamReader reader(const_cast<uint8_t*>(data), size);
    reader.SetVersion(9);
    uint16_t count = 0;
    reader.U16(count);
    // An entry is at least its block size and a handful of fields.
    if (!CheckCount(reader, count, kMaxHallOfFameEntries, 16)) {
        LogWrite(CStr("MAIN: refused the hall of fame: its entry count is impossible"));
        return false;
    }
    std::vector<std::unique_ptr<CHallOfFameEntry>> loaded;
    for (uint16_t i = 0; i < count; ++i) {
        auto entry = std::make_unique<CHallOfFameEntry>();
        entry->Stream(reader);
        if (StreamFailed(reader)) {
            LogWrite(CStr("MAIN: refused the hall of fame: an entry is damaged"));
            return false;
        }
        entry->score = entry->ComputeScore();
        loaded.push_back(std::move(entry));
    }
    g_entries = std::move(loaded);
    SortList();
    return true;
}

std::vector<uint8_t> WriteHallOfFame()
{
    CSizeCounter counter;
    uint16_t count = uint16_t(g_entries.size());
    counter.U16(count);
    for (auto& entry : g_entries)
        entry->Stream(counter);
    std::vector<uint8_t> buffer(counter.Capacity());
    CStreamWriter writer(buffer.data(), uint32_t(buffer.size()));
    writer.U16(count);
    for (auto& entry : g_entries)
        entry->Stream(writer);
    return buffer;
}

bool LoadHallOfFameFile()
{
    FreeHallOfFame();
    uint16_t version = 0;
    std::vector<uint8_t> body;
    DeleteDataFile(TemporaryName(CStr(kHallOfFameFile)).Chars());
    if (ReadVersionedBody(CStr(kHallOfFameFile), version, body, kMaxHallOfFameFileBytes) !=
            VersionedRead::kOk ||
        body.empty())
        return false;
    // Only our own format exists; older layouts are not read.
    if (version < 9) {
        LogWrite(CStr("MAIN: refused the hall of fame: its version is too old"));
        return false;
    }
    return ReadHallOfFame(body.data(), uint32_t(body.size()));
}

bool SaveHallOfFameFile()
{
    const std::vector<uint8_t> body = WriteHallOfFame();
    return WriteVersionedFileSafely(CStr(kHallOfFameFile), body.data(), body.size());
}

bool QualifiesForHallOfFame(const PlayerRecord& player, const HallOfFameGame& game)
{
    CHallOfFameEntry entry;
    entry.FillFromPlayer(player, game);
    if (entry.score < 1)
        return false;
    const std::vector<CHallOfFameEntry*> table = MissionTable(game.missionPath);
    if (table.size() < g_config.placesPerMission)
        return true;
    // A full (or overfull) table takes a result only in place of its lowest entry.
    return !table.empty() && table.back()->score < entry.score;
}

bool AddToHallOfFame(const PlayerRecord& player, const HallOfFameGame& game)
{
    auto entry = std::make_unique<CHallOfFameEntry>();
    entry->FillFromPlayer(player, game);
    if (entry->score < 1)
        return false;
    const std::vector<CHallOfFameEntry*> table = MissionTable(game.missionPath);
    if (table.size() < g_config.placesPerMission) {
        g_entries.push_back(std::move(entry));
        return SaveHallOfFameFile();
    }
    if (!table.empty() && table.back()->score < entry->score) {
        table.back()->Assign(*entry);
        return SaveHallOfFameFile();
    }
    return false;
}

bool AddFinishedGameToHallOfFame(const PlayerRecord& player, const HallOfFameGame& game)
{
    // The finished game's save goes first. A kill between the two then costs
    // this entry at most; the other order would offer the game again, and
    // finishing it again would enter it twice.
    const int16_t slot = SaveSlots::Current();
    if (slot >= 0)
        SaveSlots::Delete(slot);
    return AddToHallOfFame(player, game);
}

int HallOfFameCount(const CStr& missionPath)
{
    return int(MissionTable(missionPath).size());
}

bool HallOfFameGetEntry(const CStr& missionPath, int i, CHallOfFameEntry& out)
{
    const std::vector<CHallOfFameEntry*> table = MissionTable(missionPath);
    if (i < 0 || size_t(i) >= table.size())
        return false;
    out.Assign(*table[size_t(i)]);
    return true;
}

void RemoveHallOfFameEntries(const CStr& missionPath)
{
    std::erase_if(g_entries, [&](const auto& e) { return SameMission(e->missionPath, missionPath); });
}

int HallOfFameTotal()
{
    return int(g_entries.size());
}
