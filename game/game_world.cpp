#include "game/game_world.h"

#include "core/text_section_reader.h"
#include "game/pack_access.h"
#include "game/squad_type.h"
#include "game/stream_util.h"

namespace {
CGameWorld* g_activeWorld = nullptr;

void StreamBytes(CByteStream& s, std::vector<uint8_t>& bytes, size_t count)
{
    if (!s.IsStoring())
        bytes.assign(count, 0);
    else if (bytes.size() < count)
        bytes.resize(count, 0);
    for (size_t i = 0; i < count && !StreamFailed(s); ++i)
        s.U8(bytes[i]);
}

void StreamCounts(CByteStream& s, CValueArray& counts, size_t n)
{
    if (!s.IsStoring() || counts.Count() < int(n)) {
        const int old = counts.Count();
        counts.SetSize(int32_t(n));
        for (int i = old; i < int(n); ++i)
            counts[i] = 0;
    }
    for (size_t i = 0; i < n && !StreamFailed(s); ++i) {
        uint32_t v = uint32_t(counts[int(i)]);
        s.U32(v);
        counts[int(i)] = int32_t(v);
    }
}

void StreamPlayerMission(CByteStream& s, PlayerRecord& p, size_t slots, size_t kinds)
{
    s.U8(p.playerId);
    s.U8(p.capital);
    s.U8(p.skills[0]);
    s.U8(p.skills[1]);
    s.U8(p.skills[2]);
    s.U8(p.assignment);
    uint8_t heroKind = uint8_t(p.heroKind);
    s.U8(heroKind);
    p.heroKind = heroKind;
    if (!s.IsStoring()) {
        p.slotTypes.assign(slots, CStr());
        p.army.definitionCounts.SetSize(0);
    } else if (p.slotTypes.size() < slots) {
        p.slotTypes.resize(slots);
    }
    if (!s.IsStoring() || p.army.definitionCounts.Count() < int(slots)) {
        const int old = p.army.definitionCounts.Count();
        p.army.definitionCounts.SetSize(int32_t(slots));
        for (int i = old; i < int(slots); ++i)
            p.army.definitionCounts[i] = 0;
    }
    for (size_t i = 0; i < slots && !StreamFailed(s); ++i) {
        uint32_t count = uint32_t(p.army.definitionCounts[int(i)]);
        s.U32(count);
        p.army.definitionCounts[int(i)] = int32_t(count);
        s.String(p.slotTypes[i]);
    }
    if (!s.IsStoring())
        p.startingResources.assign(kinds, 0);
    else if (p.startingResources.size() < kinds)
        p.startingResources.resize(kinds, 0);
    for (size_t i = 0; i < kinds && !StreamFailed(s); ++i)
        s.U16(p.startingResources[i]);
}

void StreamProvinceMission(CByteStream& s, ProvinceRecord& p, size_t slots, size_t kinds)
{
    StreamBytes(s, p.incomeBytes, kinds);
    s.U8(p.ownerId);
    s.U8(p.castleFlag);
    if (p.castleFlag) {
        s.U8(p.castle.definition);
        // Catapults have three bits in the byte: a value above them was cut
        // by whatever wrote it, and the castle it meant is unknown.
        if (!s.IsStoring() && (p.castle.definition >> 3) > kMaxCatapultsInMission)
            FailStream(s);
        s.U8(p.castle.buildings);
        s.U8(p.castle.percent);
    }
    // Packed 12-bit coordinates: a reader takes the coordinate bits and
    // leaves the record's own flag bits (the upper four) as they are.
    for (int16_t* word : {&p.rect[0], &p.rect[1], &p.rect[2], &p.rect[3], &p.points[0], &p.points[1],
                          &p.points[2], &p.points[3]}) {
        int16_t value = *word;
        s.I16(value);
        if (!s.IsStoring())
            *word = int16_t((uint16_t(*word) & 0xF000) | (uint16_t(value) & 0x0FFF));
    }
    s.U8(p.garrisonFlag);
    if (p.garrisonFlag) {
        StreamCounts(s, p.garrison.definitionCounts, slots);
    } else if (!s.IsStoring()) {
        p.garrison.definitionCounts.SetSize(int32_t(slots));
        for (size_t i = 0; i < slots; ++i)
            p.garrison.definitionCounts[int(i)] = 0;
    }
    uint8_t n = uint8_t(p.neighbours.size());
    s.U8(n);
    StreamBytes(s, p.neighbours, n);
}
}  // namespace

CGameWorld* ActiveWorld()
{
    return g_activeWorld;
}
void SetActiveWorld(CGameWorld* world)
{
    g_activeWorld = world;
}

CGameWorld::CGameWorld() = default;

CGameWorld::~CGameWorld()
{
    if (g_activeWorld == this)
        g_activeWorld = nullptr;
}

void CGameWorld::Clear()
{
    kinds.clear();
    slotCount = 0;
    players.clear();
    provinces.clear();
    goal.army.Clear();
    goal.armyCounts.clear();
    goal.resourceBytes.clear();
    byteRecords.clear();
}

void CGameWorld::SetPlayerCount(int n)
{
    while (int(players.size()) > n)
        players.pop_back();
    while (int(players.size()) < n)
        players.push_back(std::make_unique<PlayerRecord>());
}

void CGameWorld::SetProvinceCount(int n)
{
    while (int(provinces.size()) > n)
        provinces.pop_back();
    while (int(provinces.size()) < n) {
        provinces.push_back(std::make_unique<ProvinceRecord>());
        provinces.back()->castle.province = provinces.back().get();
    }
}

void CGameWorld::Stream(CByteStream& s)
{
    const bool reading = !s.IsStoring();
    s.U32(worldTag);

    uint8_t kindCount = uint8_t(kinds.size());
    s.U8(kindCount);
    // Each kind is a code and the repeated count byte.
    if (!CheckCount(s, kindCount, kMaxResourceKinds, 5))
        return;
    if (reading)
        kinds.assign(kindCount, 0);
    for (size_t i = 0; i < kindCount && !StreamFailed(s); ++i) {
        s.U32(kinds[i]);
        uint8_t again = kindCount;
        s.U8(again);
    }
    const size_t k = kindCount;

    s.U8(slotCount);
    if (!CheckCount(s, slotCount, kMaxArmySlots, 0))
        return;
    const size_t slots = slotCount;

    uint8_t playerCount = uint8_t(players.size());
    s.U8(playerCount);
    // A player's mission part is at least seven bytes, five per slot and two per kind.
    if (!CheckCount(s, playerCount, kMaxPlayers, uint32_t(7 + 5 * slots + 2 * k)))
        return;
    if (reading)
        SetPlayerCount(playerCount);
    for (size_t i = 0; i < playerCount && !StreamFailed(s); ++i)
        StreamPlayerMission(s, *players[i], slots, k);

    s.U32(worldValue);
    s.U8(goalKind);
    switch (goalKind) {
    case 0:
        s.U8(goal.kind0Value);
        break;
    case 1:
        s.U8(goal.kind1Value);
        break;
    case 2:
        if (reading)
            goal.armyCounts.assign(slots, 0);
        else if (goal.armyCounts.size() < slots)
            goal.armyCounts.resize(slots, 0);
        for (size_t i = 0; i < slots && !StreamFailed(s); ++i)
            s.U32(goal.armyCounts[i]);
        s.U8(goal.armyByte1);
        s.U8(goal.armyByte2);
        break;
    case 3:
        StreamBytes(s, goal.resourceBytes, k);
        s.U8(goal.resourceByte1);
        s.U8(goal.resourceByte2);
        break;
    case 4:
        s.U8(goal.kind4Value);
        break;
    default:
        break;
    }

    s.U8(limitKind);
    if (limitKind == 1) {
        uint8_t b = uint8_t(byteLimit);
        s.U8(b);
        byteLimit = int16_t(b);
    } else if (limitKind == 2) {
        uint16_t w = uint16_t(wordLimit);
        s.U16(w);
        wordLimit = int16_t(w);
    }

    uint8_t provinceCount = uint8_t(provinces.size());
    s.U8(provinceCount);
    // A province is at least k income bytes, three flag bytes and 16 bytes of geometry.
    if (!CheckCount(s, provinceCount, kMaxProvinces, uint32_t(k + 19)))
        return;
    if (reading)
        SetProvinceCount(provinceCount);
    for (size_t i = 0; i < provinceCount && !StreamFailed(s); ++i)
        StreamProvinceMission(s, *provinces[i], slots, k);

    uint8_t recordCount = uint8_t(byteRecords.size());
    s.U8(recordCount);
    if (!CheckCount(s, recordCount, 255, uint32_t(3 + playerCount)))
        return;
    if (reading)
        byteRecords.assign(recordCount, WorldByteRecord());
    for (size_t i = 0; i < recordCount && !StreamFailed(s); ++i) {
        WorldByteRecord& r = byteRecords[i];
        s.U16(r.value);
        StreamBytes(s, r.perPlayer, playerCount);
        s.U8(r.kind);
        if (r.kind == 0)
            StreamBytes(s, r.kind0ResourceBytes, k);
        else if (r.kind == 1)
            StreamBytes(s, r.kind1ResourceBytes, k);
    }
}

bool CGameWorld::LoadPreview(const CStr& resourcePath)
{
    Clear();
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    if (!LoadPackData(resourcePath, "dat", data, size))
        return false;
    CStreamReader reader(const_cast<uint8_t*>(data), size);
    Stream(reader);
    if (StreamFailed(reader) || !Validate(false).IsEmpty()) {
        Clear();
        return false;
    }
    return true;
}

bool CGameWorld::BeforeSave()
{
    // Every per-kind list of the records takes this world's kind count.
    for (auto& p : players) {
        p->BeforeSave();
        p->startingResources.resize(kinds.size(), 0);
    }
    for (auto& p : provinces) {
        p->BeforeSave();
        p->incomeBytes.resize(kinds.size(), 0);
    }
    return true;
}

bool CGameWorld::AfterLoad()
{
    for (auto& p : players)
        p->AfterLoad();
    for (size_t i = 0; i < provinces.size(); ++i) {
        provinces[i]->index = uint8_t(i);
        provinces[i]->AfterLoad(*this);
    }
    return true;
}

bool CGameWorld::StreamSessionPart(CByteStream& s)
{
    for (auto& p : players)
        p->StreamSession(s);
    for (auto& p : provinces)
        p->StreamSession(s);
    return !StreamFailed(s);
}

void CGameWorld::StreamBlockList(MapBlockList& list, CByteStream& s)
{
    const bool reading = !s.IsStoring();
    s.U16(list.width);
    s.U16(list.second);
    uint8_t strips = uint8_t(list.strips.size());
    s.U8(strips);
    if (!CheckCount(s, strips, 255, 1))
        return;
    if (reading)
        list.strips.assign(strips, {});
    for (auto& strip : list.strips) {
        uint8_t bands = uint8_t(strip.size());
        s.U8(bands);
        if (!CheckCount(s, bands, 255, 1))
            return;
        if (reading)
            strip.assign(bands, {});
        for (auto& band : strip) {
            uint8_t pairs = uint8_t(band.size());
            s.U8(pairs);
            if (!CheckCount(s, pairs, 255, 2))
                return;
            if (reading)
                band.assign(pairs, MapBlockPair());
            for (auto& pair : band) {
                s.U8(pair.region);
                s.U8(pair.province);
            }
        }
    }
}

CStr CGameWorld::ValidateArmies() const
{
    CStr fault;
    int64_t strength = 0;
    auto check = [&](const CArmy& army, const char* whose, int index) {
        for (int k = 0; k < army.Count(); ++k)
            if (army.Item(k)->count > kMaxSquadUnits) {
                fault.Format("the %s %d claims %d units in one squad", whose, index,
                             int(army.Item(k)->count));
                return false;
            }
        strength += army.Strength();
        return true;
    };
    for (int i = 0; i < PlayerCount(); ++i)
        if (!check(Player(i).army, "army of player", i))
            return fault;
    for (int i = 0; i < ProvinceCount(); ++i)
        if (!check(Province(i).garrison, "garrison of province", i))
            return fault;
    if (strength > kMaxWorldStrength)
        fault.Format("the armies' strength adds up to more than %d", int(kMaxWorldStrength));
    return fault;
}

CStr CGameWorld::Validate(bool checkSquadTypes) const
{
    CStr fault;
    const int n = ProvinceCount();
    const int p = PlayerCount();
    if (kinds.empty())
        return CStr("the world lists no resource kind");
    if (p < 1 || p > kMaxPlayers)
        return CStr("the player count is not 1 to 6");
    if (n < 1 || n > kMaxProvinces)
        return CStr("the province count is out of range");
    for (int i = 0; i < p; ++i) {
        const PlayerRecord& player = Player(i);
        if (player.playerId != i) {
            fault.Format("player %d has id %d; ids must run 0 to %d in order", i, int(player.playerId),
                         p - 1);
            return fault;
        }
        // A player whose capital was taken lost every province with it and is
        // out of the game; its old capital index is kept but means nothing.
        bool ownsAnyProvince = false;
        for (int k = 0; k < n && !ownsAnyProvince; ++k)
            ownsAnyProvince = Province(k).ownerId == player.playerId;
        if (ownsAnyProvince && player.capital >= n) {
            fault.Format("player %d has no valid capital", i);
            return fault;
        }
        if (ownsAnyProvince &&
            (Province(player.capital).ownerId != player.playerId || !Province(player.capital).castleFlag)) {
            fault.Format("the capital of player %d is not its own castle province", i);
            return fault;
        }
        for (size_t a = 0; a < player.slotTypes.size(); ++a) {
            if (checkSquadTypes && !FindSquadType(player.slotTypes[a])) {
                fault.Format("player %d names the unknown squad type %s", i, player.slotTypes[a]);
                return fault;
            }
            for (size_t b = a + 1; b < player.slotTypes.size(); ++b)
                if (CompareNoCase(player.slotTypes[a].Chars(), player.slotTypes[b].Chars()) == 0) {
                    fault.Format("player %d names the squad type %s twice", i, player.slotTypes[a]);
                    return fault;
                }
        }
    }
    if (const CStr armies = ValidateArmies(); !armies.IsEmpty())
        return armies;
    for (int i = 0; i < n; ++i) {
        const ProvinceRecord& province = Province(i);
        const uint8_t owner = province.ownerId;
        if (owner != ProvinceRecord::kNoOwnerInFile && owner != ProvinceRecord::kNeutralId && owner >= p) {
            fault.Format("province %d has the unknown owner %d", i, int(owner));
            return fault;
        }
        for (size_t a = 0; a < province.neighbours.size(); ++a) {
            const int m = province.neighbours[a];
            if (m >= n || m == i) {
                fault.Format("province %d lists the bad neighbour %d", i, m);
                return fault;
            }
            for (size_t b = a + 1; b < province.neighbours.size(); ++b)
                if (province.neighbours[b] == m) {
                    fault.Format("province %d lists neighbour %d twice", i, m);
                    return fault;
                }
            bool back = false;
            for (uint8_t x : Province(m).neighbours)
                back = back || x == i;
            if (!back) {
                fault.Format("province %d lists %d as a neighbour, but not the other way round", i, m);
                return fault;
            }
        }
    }
    return fault;
}

uint8_t ProvinceFlagByte(const CGameWorld& world, int index)
{
    if (index < 0 || index >= world.ProvinceCount())
        return ProvinceRecord::kNeutralId;
    return world.Province(index).ownerId;
}

bool LoadMissionTexts(CGameWorld& world, const CStr& missionPath)
{
    TextSectionReader reader;
    if (!reader.Open(missionPath + "/mission", pack_format::MakeType("txt"), 15))
        return false;
    CStr line;
    if (!reader.ReadLine(line))
        return false;
    world.name = line;
    for (int i = 0; i < world.PlayerCount(); ++i) {
        if (!reader.ReadLine(line))
            return false;
        PlayerRecord& player = world.Player(i);
        if (player.name.IsEmpty()) {
            player.name = line;
            player.hero.name = line;
        }
    }
    for (int i = 0; i < world.ProvinceCount(); ++i) {
        if (!reader.ReadLine(line))
            return false;
        world.Province(i).name = line;
    }
    return true;
}
