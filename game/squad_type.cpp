#include "game/squad_type.h"

#include <cstdlib>
#include <memory>

#include "core/device_mgr.h"
#include "core/text_section_reader.h"
#include "game/pack_access.h"

namespace {
// The registry owns its types until they are freed or the program ends.
struct Registry {
    std::vector<CSquadType*> types;
    ~Registry()
    {
        for (CSquadType* type : types)
            delete type;
    }
};
Registry g_registryOwner;
std::vector<CSquadType*>& g_registry = g_registryOwner.types;

void ShowOnDevice(const CStr& message)
{
    ShowErrorBox(message);
}
SquadTypeMessageSink g_sink = ShowOnDevice;

const CStr kUnitsFolder("/Objects/Units/");

// Collects (type, bonus) pairs of a bonus section until the section ends.
void ReadBonusPairs(TextSectionReader& reader, std::vector<SquadBonus>& pairs)
{
    CStr line;
    while (reader.ReadLine(line)) {
        const CSquadType* target = FindSquadType(line);
        if (!target)
            continue;  // an unknown id skips this line only
        SquadBonus bonus;
        bonus.target = target;
        bonus.percent = int16_t(reader.ReadInt(0));
        pairs.push_back(bonus);
    }
}
}  // namespace

void SetSquadTypeMessageSink(SquadTypeMessageSink sink)
{
    g_sink = sink ? sink : ShowOnDevice;
}

bool CSquadType::LoadDescr(const CStr& path)
{
    TextSectionReader reader;
    if (!reader.Open(path, pack_format::kTextTableType, 15))
        return false;
    if (!reader.FindSection(CStr("[main]")))
        return false;
    int32_t v[9];
    for (int32_t& value : v)
        value = reader.ReadInt(0);
    meleeAttack = uint8_t(v[0] & 0x0F);
    meleeSecond = uint8_t(v[1] & 0x0F);
    rangedAttack = uint8_t(v[2] & 0x0F);
    rangedSecond = uint8_t(v[3] & 0x0F);
    moveSpeed = uint8_t(v[4]);
    hp = uint8_t(v[5]);
    buyQuantity = uint8_t(v[6]);
    forceCoefficient = uint8_t(v[7]);
    ninth = v[8];

    const char* problem = nullptr;
    if (hp == 0)
        problem = "0 HP ";
    else if (moveSpeed == 0)
        problem = "0 MoveSpeed ";
    else if (meleeAttack == 0 && rangedAttack == 0)
        problem = "No attack points ";
    else if (buyQuantity == 0)
        problem = "0 Buy Quantity ";
    else if (forceCoefficient == 0)
        problem = "0 Force Coefficient ";
    if (problem) {
        CStr message(problem);
        message += "in description of unit ";
        message += typeId;
        g_sink(message);
        return false;
    }

    if (!reader.FindSection(CStr("[cost]")))
        return false;
    const int32_t n = reader.ReadInt(0);
    for (int32_t i = 0; i < n; ++i) {
        CStr line;
        reader.ReadLine(line);
        // "gold5" is as good a cost line as "gold 5"; anything shorter is broken.
        if (line.Length() < 5)
            return false;
        CStr amount = line.Mid(4);
        amount.TrimLeft();
        cost.Set(FourCCFromChars(line.Chars()), atoi(amount.Chars()));
    }
    return true;
}

void CSquadType::LoadTexts(const CStr& path)
{
    TextSectionReader reader;
    if (!reader.Open(path, pack_format::MakeType("txt"), 0)) {
        CStr message;
        message.Format("Unable to load localized strings for unit %s!", typeId);
        g_sink(message);
        return;
    }
    CStr line;
    if (reader.ReadLine(line))
        firstLine = line;
    if (reader.ReadLine(line))
        name = line;
    if (reader.ReadLine(line))
        extras = line;
}

void CSquadType::LoadBonuses(const CStr& path)
{
    meleeBonuses.clear();
    rangedBonuses.clear();
    TextSectionReader reader;
    if (!reader.Open(path, pack_format::kTextTableType, 15))
        return;
    std::vector<SquadBonus> melee;
    std::vector<SquadBonus> ranged;
    if (!reader.FindSection(CStr("[MeleeAttackBonuses]")))
        return;
    ReadBonusPairs(reader, melee);
    if (!reader.FindSection(CStr("[RangedAttackBonuses]")))
        return;
    ReadBonusPairs(reader, ranged);
    if (!reader.FindSection(CStr("[DefenceBonuses]")))
        return;
    meleeDefence = int16_t(reader.ReadInt(0));
    rangedDefence = int16_t(reader.ReadInt(0));
    // The tables keep an 8-bit count.
    if (melee.size() > 255)
        melee.resize(255);
    if (ranged.size() > 255)
        ranged.resize(255);
    meleeBonuses = std::move(melee);
    rangedBonuses = std::move(ranged);
}

int16_t CSquadType::MeleeBonusAgainst(const CSquadType* target) const
{
    for (const SquadBonus& b : meleeBonuses)
        if (b.target == target)
            return b.percent;
    return 0;
}

int16_t CSquadType::RangedBonusAgainst(const CSquadType* target) const
{
    for (const SquadBonus& b : rangedBonuses)
        if (b.target == target)
            return b.percent;
    return 0;
}

void CSquadType::Assign(const CSquadType& other)
{
    name = other.name;
    typeId = other.typeId;
    meleeAttack = other.meleeAttack;
    meleeSecond = other.meleeSecond;
    rangedAttack = other.rangedAttack;
    rangedSecond = other.rangedSecond;
    moveSpeed = other.moveSpeed;
    hp = other.hp;
    buyQuantity = other.buyQuantity;
    forceCoefficient = other.forceCoefficient;
    cost = other.cost;
}

void LoadSquadTypes()
{
    std::vector<CStr> folders;
    ListPackFolders(kUnitsFolder, folders);
    for (const CStr& folder : folders) {
        auto type = std::make_unique<CSquadType>();
        type->typeId = folder;
        if (!type->LoadDescr(kUnitsFolder + folder + "/descr"))
            continue;
        type->LoadTexts(kUnitsFolder + folder + "/unit");
        g_registry.push_back(type.release());
    }
    for (CSquadType* type : g_registry)
        type->LoadBonuses(kUnitsFolder + type->typeId + "/bonus");
}

void FreeSquadTypes()
{
    for (CSquadType* type : g_registry)
        delete type;
    g_registry.clear();
}

const CSquadType* FindSquadType(const CStr& id)
{
    for (const CSquadType* type : g_registry)
        if (CompareNoCase(type->typeId.Chars(), id.Chars()) == 0)
            return type;
    return nullptr;
}

const std::vector<CSquadType*>& SquadTypeRegistry()
{
    return g_registry;
}

void RegisterSquadType(CSquadType* type)
{
    g_registry.push_back(type);
}
