#include "game/hall_of_fame.h"

#include <algorithm>
#include <string>
#include <utility>

#include "core/data_file.h"
#include "core/log.h"
#include "core/text_section_reader.h"
#include "game/data_file_io.h"
#include "game/game_rules.h"
#include "game/game_world.h"
#include "game/saved_game.h"
#include "game/stream_util.h"

namespace {
GameConfig g_config;
std::vector<std::unique_ptr<CHallOfFameEntry>> g_entries;
bool g_damageNotice = false;

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

bool DataFileExists(const CStr& name)
{
    FILE* file = OpenDataFile(name.Chars(), DataFileRead);
    if (file)
        FileClose(file);
    return file != nullptr;
}

// The damaged file is copied rather than moved, so a kill before the readable
// entries are written back leaves it where it was. One too large to read is
// moved: none of its entries would have been kept anyway.
void KeepDamagedFileAside()
{
    const CStr name(kHallOfFameFile);
    const CStr aside(kDamagedHallOfFameFile);
    std::vector<uint8_t> bytes;
    const bool kept = ReadPlainDataFile(name, bytes, kMaxHallOfFameFileBytes + 2)
                          ? WritePlainDataFileSafely(aside, bytes.data(), bytes.size())
                          : RenameDataFile(name, aside);
    if (!kept) {
        LogWrite(CStr("MAIN: could not keep the damaged hall of fame aside"));
        return;
    }
    LogWrite(CStr("MAIN: the damaged hall of fame is kept as zkvhof0_damaged"));
    // Written back, the file reads sound again: the player hears of this
    // damage once, not at every reading.
    SaveHallOfFameFile();
    g_damageNotice = true;
}

std::vector<uint8_t> EntryBytes(CHallOfFameEntry& entry)
{
    CSizeCounter counter;
    entry.Stream(counter);
    std::vector<uint8_t> bytes(counter.Capacity());
    CStreamWriter writer(bytes.data(), uint32_t(bytes.size()));
    entry.Stream(writer);
    return bytes;
}

// No entry, however empty, is shorter: a smaller block size is damaged too,
// and stepping over it would crawl through garbage a few bytes at a time.
uint32_t SmallestEntryBytes()
{
    static const uint32_t smallest = [] {
        CHallOfFameEntry empty;
        return uint32_t(EntryBytes(empty).size());
    }();
    return smallest;
}

// Fills the result into its mission's table, in memory only; null when it
// does not qualify.
CHallOfFameEntry* EnterResult(const PlayerRecord& player, const HallOfFameGame& game)
{
    auto entry = std::make_unique<CHallOfFameEntry>();
    entry->FillFromPlayer(player, game);
    if (entry->score < 1)
        return nullptr;
    const std::vector<CHallOfFameEntry*> table = MissionTable(game.missionPath);
    if (table.size() < g_config.placesPerMission) {
        g_entries.push_back(std::move(entry));
        return g_entries.back().get();
    }
    if (!table.empty() && table.back()->score < entry->score) {
        table.back()->Assign(*entry);
        return table.back();
    }
    return nullptr;
}

// The finished game's save goes only once the file holds its result: a kill
// or a failed write in between then loses neither. A kill after the write but
// before the deletion would let the game be finished again, a smaller loss
// than the result itself.
FinishedResult KeepFinishedGameResult()
{
    if (!SaveHallOfFameFile())
        return FinishedResult::kUnwritten;
    const int16_t slot = SaveSlots::Current();
    if (slot >= 0)
        SaveSlots::Delete(slot);
    return FinishedResult::kWritten;
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

int32_t CHallOfFameEntry::HeroLevel() const
{
    return LevelFromValue(heroExperience);
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
    uint8_t* bytes = const_cast<uint8_t*>(data);
    CStreamReader header(bytes, size);
    header.SetVersion(9);
    uint16_t count = 0;
    header.U16(count);
    bool sound = !StreamFailed(header);
    uint32_t at = sound ? StreamPosition(header) : size;
    // Entries are read to the end of the body whatever the count says, so a
    // damaged count costs none of them.
    while (at < size && g_entries.size() < kMaxHallOfFameEntries) {
        CStreamReader reader(bytes + at, size - at);
        reader.SetVersion(9);
        auto entry = std::make_unique<CHallOfFameEntry>();
        entry->Stream(reader);
        if (!StreamFailed(reader)) {
            at += StreamPosition(reader);
            entry->score = entry->ComputeScore();
            g_entries.push_back(std::move(entry));
            continue;
        }
        sound = false;
        // A damaged entry whose block size still fits is stepped over, so it
        // costs only itself.
        CStreamReader block(bytes + at, size - at);
        uint32_t blockSize = 0;
        block.U32(blockSize);
        if (StreamFailed(block) || blockSize < SmallestEntryBytes() || blockSize > size - at)
            break;
        at += blockSize;
    }
    if (at < size || g_entries.size() != count)
        sound = false;
    SortList();
    if (!sound) {
        const std::string line =
            "MAIN: the hall of fame is damaged; entries kept: " + std::to_string(g_entries.size());
        LogWrite(CStr(line.c_str()));
    }
    return sound;
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
    const CStr name(kHallOfFameFile);
    DeleteDataFile(TemporaryName(name).Chars());
    uint16_t version = 0;
    std::vector<uint8_t> body;
    const VersionedRead read = ReadVersionedBody(name, version, body, kMaxHallOfFameFileBytes);
    // A file too short to hold a version word reads as absent; it is damaged
    // all the same.
    if (read == VersionedRead::kAbsent && !DataFileExists(name))
        return false;
    // Only our own format exists; older layouts are not read.
    if (read == VersionedRead::kOk && version < 9)
        LogWrite(CStr("MAIN: refused the hall of fame: its version is too old"));
    const bool sound =
        read == VersionedRead::kOk && version >= 9 && ReadHallOfFame(body.data(), uint32_t(body.size()));
    if (!sound)
        KeepDamagedFileAside();
    return sound;
}

bool SaveHallOfFameFile()
{
    const std::vector<uint8_t> body = WriteHallOfFame();
    return WriteVersionedFileSafely(CStr(kHallOfFameFile), body.data(), body.size());
}

bool TakeHallOfFameDamageNotice()
{
    return std::exchange(g_damageNotice, false);
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
    if (!EnterResult(player, game))
        return false;
    return SaveHallOfFameFile();
}

FinishedResult AddFinishedGameToHallOfFame(const PlayerRecord& player, const HallOfFameGame& game)
{
    if (!EnterResult(player, game))
        return FinishedResult::kNotEntered;
    return KeepFinishedGameResult();
}

FinishedResult RenameFinishedGameEntry(const PlayerRecord& player, const HallOfFameGame& game,
                                       const CStr& name)
{
    CHallOfFameEntry entered;
    entered.FillFromPlayer(player, game);
    const std::vector<uint8_t> wanted = EntryBytes(entered);
    for (auto& entry : g_entries) {
        if (EntryBytes(*entry) != wanted)
            continue;
        entry->playerName = name;
        entry->heroName = name;
        return KeepFinishedGameResult();
    }
    return FinishedResult::kNotEntered;
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
