#include "game/province_record.h"

#include "core/ui_mgr.h"
#include "game/game_object.h"
#include "game/game_world.h"
#include "game/player_controller.h"
#include "game/player_record.h"
#include "game/report_list.h"
#include "game/squad_type.h"
#include "game/stream_util.h"

namespace {
uint8_t AddPercent(uint8_t percent, int32_t step)
{
    const int32_t p = int32_t(percent) + step;
    return uint8_t(p > 100 ? 100 : p < 0 ? 0 : p);
}

void AddSlotSquads(CArmy& garrison, const PlayerRecord& owner, bool useDefinition)
{
    for (size_t i = 0; i < owner.slotTypes.size(); ++i) {
        CSquad squad;
        squad.SetType(FindSquadType(owner.slotTypes[i]));
        int32_t n = 0;
        if (useDefinition && int(i) < garrison.definitionCounts.Count())
            n = garrison.definitionCounts[int(i)];
        squad.count = n < 0 ? 0 : n;
        garrison.AddSquadCopy(squad);
    }
}
}  // namespace

PlayerRecord* FindPlayerById(CGameWorld& world, uint8_t id)
{
    for (int i = 0; i < world.PlayerCount(); ++i)
        if (world.Player(i).playerId == id)
            return &world.Player(i);
    return nullptr;
}

void CastleState::Reset()
{
    ProvinceRecord* keep = province;
    *this = CastleState();
    province = keep;
}

void CastleState::StartBuild(uint32_t kind, uint8_t turns, uint8_t perTurn)
{
    work = kind;
    turnsLeft = turns;
    progress = perTurn;
}

void CastleState::PackDefinition()
{
    definition = uint8_t((moat ? 2 : 0) | (fortWalls ? 4 : 0) | (catapults * 8));
}

void CastleState::UnpackDefinition()
{
    moat = (definition & 2) ? 1 : 0;
    fortWalls = (definition & 4) ? 1 : 0;
    catapults = uint8_t((definition >> 3) & 7);
    work = kWorkNone;
    DefencesFromPercent();
}

void CastleState::EndTurnStep(PlayerRecord& player)
{
    if (work == kWorkBuildCastle || work == kWorkRepair || work == kWorkCompleteCastle) {
        percent = AddPercent(percent, progress);
        DefencesFromPercent();
        if (turnsLeft > 0)
            --turnsLeft;
        return;
    }
    if (percent < 100) {
        int32_t step = int32_t(player.hero.builder) * 5 + 15;
        if (fortWalls)
            step = step * 2 / 3;
        percent = AddPercent(percent, step);
        DefencesFromPercent();
    }
    if (turnsLeft > 0)
        --turnsLeft;
}

void CastleState::BeginTurnStep(PlayerRecord& player)
{
    if (work != kWorkNone && turnsLeft == 0)
        CompleteWork(player);
}

void CastleState::CompleteWork(PlayerRecord& player)
{
    CPlayerController* controller = player.controller;
    if (!controller)
        return;
    const uint32_t done = work;
    StartBuild(kWorkNone, 0, 0);
    const char* key = nullptr;
    switch (done) {
    case kWorkBuildCastle:
        percent = 100;
        DefencesFromPercent();
        controller->OnCastleBuilt(province);
        key = "CaslBuildComp";
        break;
    case kWorkRepair:
        percent = 100;
        DefencesFromPercent();
        break;
    case kWorkCompleteCastle:
        percent = 100;
        DefencesFromPercent();
        controller->OnCastleCompleted(province);
        key = "CaslComplComp";
        break;
    case kWorkMoat:
        moat = 1;
        break;
    case kWorkCatapult:
        ++catapults;
        break;
    case kWorkFortWalls:
        fortWalls = 1;
        player.hero.OnEvent(this);
        break;
    case kWorkMarket:
        buildings |= kBuildingMarket;
        controller->OnMarketBuilt(province);
        key = "CaslBuildCompMark";
        break;
    case kWorkBank:
        buildings |= kBuildingBank;
        controller->OnBankBuilt(province);
        key = "CaslBuildCompBank";
        break;
    case kWorkTavern:
        buildings |= kBuildingTavern;
        break;
    case kWorkGuildLevel:
        if (guildLevel < 4) {
            ++guildLevel;
            buildings |= kBuildingGuild;
        }
        break;
    case kWorkMetalMine:
        buildings |= kBuildingMetalMine;
        controller->OnMetalMineBuilt(province);
        key = "CaslBuildCompMetlMine";
        break;
    case kWorkStoneMine:
        buildings |= kBuildingStoneMine;
        controller->OnStoneMineBuilt(province);
        key = "CaslBuildCompStonMine";
        break;
    default:
        break;
    }
    if (key) {
        CStr format;
        GetLocaleText(CStr(key), format);
        CStr title;
        title.Format(format.Chars(), province ? province->name : CStr());
        controller->Reports().AddPlain(kReportCastleWork, title);
    }
}

void CastleState::DefencesFromPercent()
{
    int32_t r = int32_t(percent) - 20;
    if (r < 0)
        r = 0;
    const int32_t g = GatesFullHitPoints();
    const int32_t share = (r < 20 ? r : 20) * g / 20;
    if (share > gates)
        gates = uint8_t(share);
    r -= 20;
    const int32_t w = WallFullHitPoints(fortWalls != 0);
    for (int i = 0; i < kSegments; ++i) {
        const int32_t segmentShare = (r < 10 ? r : 10) * w / 10;
        if (segmentShare > segments[i])
            segments[i] = uint8_t(segmentShare);
        r -= 10;
    }
}

void CastleState::PercentFromDefences()
{
    int32_t p = percent < 20 ? percent : 20;
    int32_t w = WallFullHitPoints(fortWalls != 0);
    if (w < 1)
        w = 1;
    for (int i = 0; i < kSegments; ++i)
        p += segments[i] * 10 / w;
    int32_t g = GatesFullHitPoints();
    if (g < 1)
        g = 1;
    p += gates * 20 / g;
    percent = uint8_t(p > 100 ? 100 : p);
}

bool CastleState::AnyWallSegmentDown() const
{
    for (uint8_t segment : segments)
        if (segment == 0)
            return true;
    return false;
}

void CastleState::Stream(CByteStream& s)
{
    s.U8(capital);
    s.U8(moat);
    s.U8(fortWalls);
    s.U32(work);
    s.U8(turnsLeft);
    s.U8(progress);
    s.U8(catapults);
    s.U8(guildLevel);
    s.U8(percent);
    s.U8(buildings);
    s.U8(gates);
    uint32_t count = kSegments;
    s.U32(count);
    // Only our own four segments are kept; a count beyond what the stream
    // can hold marks the file as damaged.
    if (!CheckCount(s, count, 255, 1))
        return;
    for (uint32_t i = 0; i < count && !StreamFailed(s); ++i) {
        uint8_t value = i < uint32_t(kSegments) ? segments[i] : 0;
        s.U8(value);
        if (i < uint32_t(kSegments))
            segments[i] = value;
    }
}

void ProvinceRecord::Assign(const ProvinceRecord& other)
{
    if (this == &other)
        return;
    incomeBytes = other.incomeBytes;
    ownerId = other.ownerId;
    castleFlag = other.castleFlag;
    for (int i = 0; i < 4; ++i) {
        rect[i] = other.rect[i];
        points[i] = other.points[i];
    }
    garrisonFlag = other.garrisonFlag;
    further = other.further;
    neighbours = other.neighbours;
    owner = other.owner;
    ProvinceRecord* keep = castle.province;
    castle = other.castle;
    castle.province = keep;
    garrison.Clear();
    for (int i = 0; i < other.garrison.Count(); ++i)
        garrison.AddSquadCopy(*other.garrison.Item(i));
    status = other.status;
    income = other.income;
    name = other.name;
}

void ProvinceRecord::SetOwner(PlayerRecord* player)
{
    owner = player;
    garrison.Clear();
    if (castleFlag)
        castle.StartBuild(kWorkNone, 0, 0);
    if (player) {
        ownerId = player->playerId;
        if (player->capital == index)
            castle.capital = 1;
        garrison.definitionCounts.SetSize(0);
        garrison.definitionCounts.SetSize(int32_t(player->slotTypes.size()));
        AddSlotSquads(garrison, *player, false);
        garrisonFlag = 1;
    } else {
        ownerId = kNeutralId;
        garrisonFlag = 0;
        garrison.definitionCounts.SetSize(0);
    }
}

void ProvinceRecord::BeforeSave()
{
    ownerId = owner ? owner->playerId : kNoOwnerInFile;
    castle.PackDefinition();
    incomeBytes.resize(size_t(income.Count()));
    for (int i = 0; i < income.Count(); ++i)
        incomeBytes[size_t(i)] = uint8_t(income[i]);
    garrison.definitionCounts.SetSize(0);
    if (owner) {
        garrison.definitionCounts.SetSize(int32_t(owner->slotTypes.size()));
        for (int i = 0; i < garrison.definitionCounts.Count() && i < garrison.Count(); ++i)
            garrison.definitionCounts[i] = garrison.Item(i)->count;
    }
    garrisonFlag = owner ? 1 : 0;
}

void ProvinceRecord::AfterLoad(CGameWorld& world)
{
    owner = FindPlayerById(world, ownerId);
    halfRect = PackedRect(packed::Read(uint16_t(rect[0])) >> 1, packed::Read(uint16_t(rect[1])) >> 1,
                          packed::Read(uint16_t(rect[2])) >> 1, packed::Read(uint16_t(rect[3])) >> 1);
    castle.province = this;
    castle.UnpackDefinition();
    income.SetSize(int32_t(incomeBytes.size()));
    for (size_t i = 0; i < incomeBytes.size(); ++i)
        income[int(i)] = incomeBytes[i];
    garrison.Clear();
    if (owner) {
        ownerId = owner->playerId;
        castle.capital = owner->capital == index ? 1 : 0;
        AddSlotSquads(garrison, *owner, true);
        garrisonFlag = 1;
    } else {
        garrisonFlag = 0;
        castle.capital = 0;
        garrison.definitionCounts.SetSize(0);
    }
}

void ProvinceRecord::StreamSession(CByteStream& s)
{
    if (castleFlag)
        castle.Stream(s);
    s.U8(status);
    if (owner) {
        if (owner->capital == index)
            castle.capital = 1;
        for (int i = garrison.Count() - 1; i >= 0; --i) {
            uint32_t pending = uint32_t(garrison.Item(i)->pending);
            s.U32(pending);
            garrison.Item(i)->pending = int32_t(pending);
        }
    }
}
