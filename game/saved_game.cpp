#include "game/saved_game.h"

#include "core/data_file.h"
#include "core/log.h"
#include "game/data_file_io.h"
#include "game/game_world.h"
#include "game/pack_access.h"
#include "game/player_controller.h"
#include "game/stream_util.h"

namespace {
WorldLoadedHook g_worldLoadedHook = nullptr;

int16_t g_currentSlot = -1;
uint32_t g_currentState = SaveSlots::kNone;
uint16_t g_validCount = 0;

constexpr const char* kOldSaveFile = "zkvsave";

void LogFault(const char* what, const CStr& detail)
{
    CStr line;
    line.Format("MAIN: %s: %s", what, detail);
    LogWrite(line);
}

// Checks the session's indexes against the world it belongs to.
CStr ValidateSession(const SessionState& session, const CGameWorld& world)
{
    CStr fault;
    const int n = world.ProvinceCount();
    const int p = world.PlayerCount();
    if (session.currentPlayer >= p)
        return CStr("the current player is out of range");
    if (session.selectedProvince >= n)
        return CStr("the selected province is out of range");
    if (session.difficulty < 0 || session.difficulty > 3)
        return CStr("the difficulty is out of range");
    fault = world.ValidateArmies();
    if (!fault.IsEmpty())
        return fault;
    for (int i = 0; i < p; ++i) {
        const PlayerRecord& player = world.Player(i);
        if (!player.controller)
            continue;
        if (player.capital >= n || player.armyLocation < 0 || player.armyLocation >= n) {
            fault.Format("player %d has its capital or army outside the map", i);
            return fault;
        }
        for (uint8_t scouted : player.controller->scoutedProvinces)
            if (scouted >= n) {
                fault.Format("player %d has scouted a province outside the map", i);
                return fault;
            }
    }
    if (session.battleInProgress &&
        (session.battleAttacker >= p || session.battleDefender >= p || session.battleProvince >= n))
        return CStr("the battle record is out of range");
    return fault;
}
}  // namespace

void SetWorldLoadedHook(WorldLoadedHook hook)
{
    g_worldLoadedHook = hook;
}

bool LoadWorldFromStream(CByteStream& s, CGameWorld& world)
{
    world.Stream(s);
    if (StreamFailed(s)) {
        LogFault("refused a world", CStr("its data ran short or holds impossible counts"));
        world.Clear();
        return false;
    }
    const CStr fault = world.Validate(true);
    if (!fault.IsEmpty()) {
        LogFault("refused a world", fault);
        world.Clear();
        return false;
    }
    if (g_worldLoadedHook)
        g_worldLoadedHook(world);
    world.AfterLoad();
    return true;
}

bool SessionState::Stream(CByteStream& s, CGameWorld& world)
{
    uint32_t t = uint32_t(turn);
    s.U32(t);
    turn = int32_t(t);
    world.StreamSessionPart(s);
    for (int i = 0; i < world.PlayerCount() && !StreamFailed(s); ++i)
        if (CPlayerController* controller = world.Player(i).controller)
            controller->Serialize(s);
    s.U8(currentPlayer);
    s.U8(selectedProvince);
    uint32_t mode = uint32_t(sessionMode);
    s.U32(mode);
    sessionMode = int32_t(mode);
    uint32_t level = uint32_t(difficulty);
    s.U32(level);
    difficulty = int32_t(level);
    s.U8(battleInProgress);
    if (battleInProgress == 1) {
        s.U8(battleAutomatic);
        s.U8(battleAttacker);
        s.U8(battleDefender);
        s.U8(battleProvince);
    }
    return !StreamFailed(s);
}

// The header's fields, in file order: measured, written and read by one list.
static void StreamSaveHeaderFields(CByteStream& s, SaveHeader& header)
{
    s.U32(header.headerEnd);
    s.U32(header.missionChecksum);
    s.String(header.worldName);
    s.U32(header.difficulty);
    s.U32(header.turn);
    s.U8(header.playersWithController);
    s.U8(header.singleHuman);
    if (header.singleHuman == 1) {
        s.String(header.humanName);
        s.U8(header.skills[0]);
        s.U8(header.skills[1]);
        s.U8(header.skills[2]);
    }
}

bool StreamSaveHeader(CByteStream& s, SaveHeader& header)
{
    if (s.IsStoring()) {
        // The header records where it ends, so it is measured first.
        CSizeCounter counter;
        counter.SetVersion(StreamVersion(s));
        SaveHeader copy = header;
        StreamSaveHeaderFields(counter, copy);
        header.headerEnd = StreamPosition(s) + counter.Capacity();
    }
    StreamSaveHeaderFields(s, header);
    return true;
}

void BuildSaveHeader(SaveHeader& header, const CGameWorld& world, const CStr& missionPath,
                     const SessionState& session)
{
    header.missionChecksum = ComputeMissionChecksum(missionPath);
    header.worldName = world.name;
    header.difficulty = uint32_t(session.difficulty);
    header.turn = uint32_t(session.turn);
    uint8_t active = 0;
    uint8_t humans = 0;
    for (int i = 0; i < world.PlayerCount(); ++i) {
        active = uint8_t(active + (world.Player(i).controller ? 1 : 0));
        humans = uint8_t(humans + (world.Player(i).human ? 1 : 0));
    }
    header.playersWithController = active;
    header.singleHuman = humans == 1 ? 1 : 0;
    header.humanName = CStr();
    for (int i = world.PlayerCount() - 1; i >= 0; --i) {
        const PlayerRecord& player = world.Player(i);
        if (player.controller && player.human) {
            header.humanName = player.name;
            header.skills[0] = player.hero.battle;
            header.skills[1] = player.hero.builder;
            header.skills[2] = player.hero.stealth;
            break;
        }
    }
}

namespace {
bool StreamBody(CByteStream& s, SavedGameParts& parts, SaveHeader& header)
{
    StreamSaveHeader(s, header);
    s.String(parts.missionPath);
    parts.world.BeforeSave();
    parts.world.Stream(s);
    return parts.session.Stream(s, parts.world);
}
}  // namespace

bool WriteSavedGame(SavedGameParts parts, std::vector<uint8_t>& out)
{
    // A battle is never saved half-way: the armies of a battle in progress
    // are not in a state a later game could resume from.
    if (parts.session.battleInProgress)
        return false;
    SaveHeader header;
    BuildSaveHeader(header, parts.world, parts.missionPath, parts.session);
    CSizeCounter counter;
    counter.SetVersion(kSavedGameVersion);
    if (!StreamBody(counter, parts, header) || counter.Capacity() == 0)
        return false;
    const uint32_t size = counter.Capacity();
    out.assign(size_t(size) + 1, 0);
    CStreamWriter writer(out.data(), size);
    writer.SetVersion(kSavedGameVersion);
    if (!StreamBody(writer, parts, header) || StreamFailed(writer) || StreamPosition(writer) != size)
        return false;
    SealSaveCheckByte(out.data(), size + 1);
    return true;
}

bool ReadSavedGame(SavedGameParts parts, const uint8_t* body, uint32_t size, uint32_t version)
{
    if (!VerifySaveCheckByte(body, size)) {
        LogWrite(CStr("MAIN: refused a saved game: its check byte does not match"));
        return false;
    }
    // The sealed last byte is not part of the data.
    CStreamReader reader(const_cast<uint8_t*>(body), size - 1);
    reader.SetVersion(version);
    uint32_t headerEnd = 0;
    reader.U32(headerEnd);
    if (headerEnd > size - 1) {
        LogWrite(CStr("MAIN: refused a saved game: its header is damaged"));
        return false;
    }
    reader.SkipTo(headerEnd);
    CStr missionPath;
    reader.String(missionPath);
    if (StreamFailed(reader) || !LoadWorldFromStream(reader, parts.world)) {
        LogWrite(CStr("MAIN: refused a saved game: its world is damaged"));
        return false;
    }
    SessionState session;
    session.Stream(reader, parts.world);
    CStr fault;
    if (StreamFailed(reader))
        fault = CStr("its session ran short");
    else
        fault = ValidateSession(session, parts.world);
    if (!fault.IsEmpty()) {
        LogFault("refused a saved game", fault);
        parts.world.Clear();
        return false;
    }
    // A battle that was in progress is abandoned; nothing resumes it half-way.
    session.battleInProgress = 0;
    parts.session = session;
    parts.missionPath = missionPath;
    if (!LoadMissionTexts(parts.world, missionPath)) {
        LogFault("refused a saved game: its mission texts are missing", missionPath);
        parts.world.Clear();
        return false;
    }
    return true;
}

bool SaveGame(const CStr& fileName, SavedGameParts parts)
{
    std::vector<uint8_t> file = {uint8_t(kSavedGameVersion & 0xFF), uint8_t(kSavedGameVersion >> 8)};
    std::vector<uint8_t> body;
    if (!WriteSavedGame(parts, body))
        return false;
    file.insert(file.end(), body.begin(), body.end());
    return WritePlainDataFileSafely(fileName, file.data(), file.size());
}

bool LoadSavedGame(const CStr& fileName, SavedGameParts parts)
{
    uint16_t version = 0;
    std::vector<uint8_t> body;
    if (ReadVersionedBody(fileName, version, body, kMaxSaveFileBytes) != VersionedRead::kOk || body.empty())
        return false;
    return ReadSavedGame(parts, body.data(), uint32_t(body.size()), version);
}

CStr SaveSlotFileName(int n)
{
    CStr name;
    name.Format("zkvsave%02ld", long(n));
    return name;
}

uint32_t ChecksumOfBytes(const uint8_t* data, uint32_t size)
{
    static const uint8_t add[4] = {7, 10, 16, 4};
    uint32_t sum = 0;
    uint32_t pos = 0;
    uint8_t b = 0;
    bool ranOut = false;
    // The end is only noticed before a group: the group in which the data
    // runs out repeats its last byte, and data of a multiple of four bytes
    // gets one more group of its last byte.
    while (!ranOut) {
        for (int k = 0; k < 4; ++k) {
            if (pos < size)
                b = data[pos++];
            else
                ranOut = true;
            sum += uint8_t(b + add[k]);
        }
    }
    return sum;
}

uint32_t ComputeMissionChecksum(const CStr& missionPath)
{
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    if (!LoadPackData(missionPath + "/mission", "dat", data, size))
        return 0;
    return ChecksumOfBytes(data, size);
}

namespace {
uint32_t CheckSum(const uint8_t* bytes, uint32_t length)
{
    uint32_t s = 0;
    for (uint32_t i = 0; i + 1 < length; i += 4)
        s += uint32_t(bytes[i]) * bytes[i] % 256;
    return s % 256;
}
}  // namespace

bool VerifySaveCheckByte(const uint8_t* bytes, uint32_t length)
{
    if (length < 2)
        return false;
    return (CheckSum(bytes, length) + bytes[length - 1]) % 256 == 165;
}

void SealSaveCheckByte(uint8_t* bytes, uint32_t length)
{
    if (length < 2)
        return;
    bytes[length - 1] = uint8_t((165 + 256 - CheckSum(bytes, length)) % 256);
}

uint32_t CheckSaveBody(uint16_t version, const uint8_t* body, uint32_t size)
{
    if (size == 0)
        return SaveSlots::kAbsent;
    if (version < DataFileVersionOldest || version > kSavedGameVersion || !VerifySaveCheckByte(body, size))
        return SaveSlots::kDamaged;
    CStreamReader reader(body, size - 1);
    reader.SetVersion(version);
    uint32_t headerEnd = 0;
    uint32_t checksum = 0;
    reader.U32(headerEnd);
    reader.U32(checksum);
    reader.SkipTo(headerEnd);
    CStr missionPath;
    reader.String(missionPath);
    if (StreamFailed(reader))
        return SaveSlots::kDamaged;
    const uint8_t* data = nullptr;
    uint32_t dataSize = 0;
    if (!LoadPackData(missionPath + "/mission", "dat", data, dataSize))
        return SaveSlots::kDamaged;
    if (ChecksumOfBytes(data, dataSize) != checksum)
        return SaveSlots::kDamaged;
    return SaveSlots::kValid;
}

void MigrateOldSaveFile()
{
    g_validCount = 0;
    g_currentSlot = -1;
    g_currentState = SaveSlots::kNone;
    for (int n = 0; n < SaveSlots::kCount; ++n)
        DeleteDataFile(TemporaryName(SaveSlotFileName(n)).Chars());
    std::vector<uint8_t> old;
    // A valid slot 00 is never overwritten by the old single save, and only
    // an old save that reads as a valid game replaces the original: a
    // damaged one stays where it is, for the person to look into.
    if (ReadPlainDataFile(CStr(kOldSaveFile), old, kMaxSaveFileBytes + 2) &&
        SaveSlots::Check(0) != SaveSlots::kValid) {
        const uint16_t version = old.size() >= 2 ? uint16_t(old[0] | (old[1] << 8)) : 0;
        const uint32_t state = old.size() > 2
                                   ? CheckSaveBody(version, old.data() + 2, uint32_t(old.size() - 2))
                                   : SaveSlots::kAbsent;
        if (state != SaveSlots::kValid)
            LogFault("the old saved game is damaged and was left in place", CStr(kOldSaveFile));
        else if (WritePlainDataFileSafely(SaveSlotFileName(0), old.data(), old.size()))
            DeleteDataFile(CStr(kOldSaveFile));
    }
    SaveSlots::Recount();
}

namespace {
bool SlotFileHoldsBytes(int n)
{
    FILE* file = OpenDataFile(SaveSlotFileName(n).Chars(), DataFileRead);
    if (file == nullptr)
        return false;
    const int32_t size = FileSize(file);
    FileClose(file);
    return size != 0;
}
}  // namespace

namespace SaveSlots {
uint32_t Check(int n)
{
    if (n < 0 || n >= kCount)
        return kNone;
    uint16_t version = 0;
    std::vector<uint8_t> body;
    // Only a slot without a file, or with an empty one, is free: any other
    // file that is not a game we can play may be one the person wants back,
    // so it is never taken for free space.
    switch (ReadVersionedBody(SaveSlotFileName(n), version, body, kMaxSaveFileBytes)) {
    case VersionedRead::kAbsent:
        return SlotFileHoldsBytes(n) ? kDamaged : kAbsent;
    case VersionedRead::kRefused:
    case VersionedRead::kUnreadable:
        return kDamaged;
    case VersionedRead::kOk:
        break;
    }
    if (body.empty())
        return kDamaged;
    return CheckSaveBody(version, body.data(), uint32_t(body.size()));
}

bool Select(int n)
{
    if (n < 0 || n >= kCount)
        return false;
    if (g_currentSlot >= 0)
        Deselect();
    g_currentSlot = int16_t(n);
    g_currentState = Check(n);
    return true;
}

void Deselect()
{
    g_currentSlot = -1;
    g_currentState = kNone;
    Recount();
}

void ReleaseCurrent()
{
    if (g_currentSlot >= 0)
        Deselect();
}

void Recount()
{
    uint16_t valid = 0;
    for (int n = 0; n < kCount; ++n)
        if (Check(n) == kValid)
            ++valid;
    g_validCount = valid;
}

void Delete(int n)
{
    if (n >= 0 && n < kCount)
        DeleteDataFile(SaveSlotFileName(n));
    Recount();
}

int FirstFree()
{
    for (int n = 0; n < kCount; ++n)
        if (Check(n) == kAbsent)
            return n;
    return 0;
}

int FirstValid()
{
    for (int n = 0; n < kCount; ++n)
        if (Check(n) == kValid)
            return n;
    return 0;
}

std::vector<int> Damaged()
{
    std::vector<int> slots;
    for (int n = 0; n < kCount; ++n)
        if (Check(n) == kDamaged)
            slots.push_back(n);
    return slots;
}

int16_t Current()
{
    return g_currentSlot;
}
uint32_t CurrentState()
{
    return g_currentState;
}
uint16_t ValidCount()
{
    return g_validCount;
}
}  // namespace SaveSlots
