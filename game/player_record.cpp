#include "game/player_record.h"

#include "game/controller_factory.h"
#include "game/game_rules.h"
#include "game/game_world.h"
#include "game/player_controller.h"
#include "game/squad_type.h"
#include "game/stream_util.h"

void CPlayerStats::Stream(CByteStream& s)
{
    const uint32_t v = StreamVersion(s);
    if (v >= 7 && s.IsStoring()) {
        CSizeCounter counter;
        counter.SetVersion(v);
        StreamBody(counter);
        blockSize = counter.Capacity();
    }
    const uint32_t p = StreamPosition(s);
    StreamBody(s);
    if (v >= 7 && !s.IsStoring() && !StreamFailed(s)) {
        const uint32_t used = StreamPosition(s) - p;
        // A block that claims to be shorter than what it holds is damaged.
        if (blockSize < used)
            FailStream(s);
        else if (blockSize > used)
            s.SkipTo(p + blockSize);
    }
}

void CPlayerStats::StreamBody(CByteStream& s)
{
    const uint32_t v = StreamVersion(s);
    if (v >= 7)
        s.U32(blockSize);
    taxes.Stream(s);
    spent.Stream(s);
    stolen.Stream(s);
    theft.Stream(s);
    if (v <= 6) {
        CResourceBundle dropped;
        dropped.Stream(s);
    }
    recruited.Stream(s);
    joined.Stream(s);
    if (v <= 6) {
        CArmy dropped;
        dropped.Stream(s);
    }
    s.I32(battles);
    s.I32(victories);
    s.I32(defeats);
    killed.Stream(s);
    lost.Stream(s);
    finalArmy.Stream(s);
    assassinated.Stream(s);
    if (v >= 8)
        s.I32(retreats);
    if (v >= 7) {
        s.I16(incomeRating);
        s.I16(strengthRating);
    }
}

void HeroRecord::AddExperience(int32_t n)
{
    experience += n;
    if (PendingLevelUps(this) >= 1 && owner && owner->controller)
        owner->controller->LevelUp();
}

void HeroRecord::Assign(const HeroRecord& other)
{
    name = other.name;
    owner = other.owner;
    battle = other.battle;
    builder = other.builder;
    stealth = other.stealth;
    kind = other.kind;
    satisfaction.units = other.satisfaction.units;
    satisfaction.hundredths = other.satisfaction.hundredths;
    experience = other.experience;
}

void HeroRecord::Stream(CByteStream& s)
{
    s.U8(battle);
    s.U8(builder);
    s.U8(stealth);
    s.U8(level);
    s.U32(kind);
    s.U16(satisfaction.units);
    s.U16(satisfaction.hundredths);
    s.I32(experience);
}

uint8_t PersonalityFromSkills(uint8_t battle, uint8_t builder)
{
    const int32_t top = battle > builder ? battle : builder;
    if (top == 0)
        return 128;
    const int32_t p = (int32_t(battle) - int32_t(builder)) * 128 / top + 128;
    return uint8_t(p < 0 ? 0 : p > 255 ? 255 : p);
}

PlayerRecord::PlayerRecord()
{
    hero.owner = this;
}

PlayerRecord::~PlayerRecord()
{
    DeleteController();
}

void PlayerRecord::Assign(const PlayerRecord& other)
{
    if (this == &other)
        return;
    playerId = other.playerId;
    capital = other.capital;
    for (int i = 0; i < 3; ++i)
        skills[i] = other.skills[i];
    assignment = other.assignment;
    heroKind = other.heroKind;
    slotTypes = other.slotTypes;
    army.Clear();
    for (int i = 0; i < other.army.Count(); ++i)
        army.AddSquadCopy(*other.army.Item(i));
    name = other.name;
    hero.Assign(other.hero);
    hero.owner = this;
    human = other.human;
    treasury = other.treasury;
    flagNumber = other.flagNumber;
    personality = other.personality;
}

void PlayerRecord::SetHuman(uint8_t flag)
{
    human = flag;
    if (!ActiveWorld())
        return;
    if (controller && controller->IsHuman() == (flag != 0))
        return;
    DeleteController();
    controller = CreateController(this, flag != 0);
}

void PlayerRecord::DeleteController()
{
    delete controller;
    controller = nullptr;
}

void PlayerRecord::Earn(const CResourceBundle& bundle)
{
    treasury.Add(bundle);
    stats.taxes.Add(bundle);
}

void PlayerRecord::Spend(const CResourceBundle& bundle)
{
    treasury.Subtract(bundle);
    stats.spent.Add(bundle);
}

int32_t PlayerRecord::PersonalityWeight(uint8_t k) const
{
    return int32_t(personality) * k / 255 - k / 2;
}

void PlayerRecord::BeforeSave()
{
    army.definitionCounts.SetSize(0);
    army.definitionCounts.SetSize(int32_t(slotTypes.size()));
    for (int i = 0; i < int(slotTypes.size()) && i < army.Count(); ++i)
        army.definitionCounts[i] = army.Item(i)->count;
    skills[0] = hero.battle;
    skills[1] = hero.builder;
    skills[2] = hero.stealth;
    heroKind = hero.kind;
    // Cut to 16 bits: the mission form's width. The session carries the
    // whole amounts.
    startingResources.resize(size_t(treasury.Count()));
    for (size_t i = 0; i < startingResources.size(); ++i)
        startingResources[i] = uint16_t(treasury[int(i)]);
}

void PlayerRecord::AfterLoad()
{
    flagNumber = playerId;
    army.Clear();
    for (size_t i = 0; i < slotTypes.size(); ++i) {
        CSquad squad;
        squad.SetType(FindSquadType(slotTypes[i]));
        const int32_t n = int(i) < army.definitionCounts.Count() ? army.definitionCounts[int(i)] : 0;
        squad.count = n < 0 ? 0 : n;
        army.AddSquadCopy(squad);
    }
    hero.battle = skills[0];
    hero.builder = skills[1];
    hero.stealth = skills[2];
    hero.kind = heroKind;
    personality = PersonalityFromSkills(hero.battle, hero.builder);
    const RuleFraction& start = heroKind == 2 ? Rules().satisfactionStartKind2 : Rules().satisfactionStart;
    hero.satisfaction.units = start.units;
    hero.satisfaction.hundredths = start.hundredths;
    armyLocation = capital;
    treasury.SetSize(int32_t(startingResources.size()));
    for (size_t i = 0; i < startingResources.size(); ++i)
        treasury[int(i)] = startingResources[i];
    DeleteController();
    human = assignment == 0 ? 1 : 0;
    controller = CreateController(this, human != 0);
}

void PlayerRecord::StreamSession(CByteStream& s)
{
    s.I16(armyLocation);
    s.String(name);
    s.U8(taxPercent);
    s.U8(capital);
    s.U8(flagNumber);
    s.U8(human);
    stats.Stream(s);
    for (int i = army.Count() - 1; i >= 0; --i) {
        uint32_t pending = uint32_t(army.Item(i)->pending);
        s.U32(pending);
        army.Item(i)->pending = int32_t(pending);
    }
    if (!s.IsStoring() && !StreamFailed(s))
        SetHuman(human);
    hero.Stream(s);
    // The leaning is set from the skills when a game begins and is kept as it
    // is from then on: a save must not change it, or a game saved and loaded
    // would play on otherwise than one never saved. Saves before version 10
    // did not keep it; it is taken from the skills for them.
    if (StreamVersion(s) >= 10)
        s.U8(personality);
    else if (!s.IsStoring())
        personality = PersonalityFromSkills(hero.battle, hero.builder);
    uint32_t hasController = controller ? 1 : 0;
    s.U32(hasController);
    if (!s.IsStoring() && hasController == 0)
        DeleteController();
    // The mission form keeps the treasury in 16 bits per kind; the session
    // carries every amount whole so a rich player stays rich after loading.
    treasury.Stream(s);
}
