#pragma once
// Squad types: the data of one kind of unit, loaded from the unit folders of
// the packs into one registry at start-up.

#include <cstdint>
#include <vector>

#include "core/ref_string.h"
#include "game/resource_bundle.h"

struct SquadBonus {
    const class CSquadType* target = nullptr;
    int16_t percent = 0;
};

class CSquadType {
public:
    CStr extras;
    CStr name = CStr("Unknown squad");
    CStr firstLine;
    CStr typeId = CStr("Squad");
    uint8_t meleeAttack = 0;   // low 4 bits only
    uint8_t meleeSecond = 0;   // low 4 bits only
    uint8_t rangedAttack = 0;  // low 4 bits only
    uint8_t rangedSecond = 0;  // low 4 bits only
    uint8_t moveSpeed = 0;
    uint8_t hp = 0;
    uint8_t buyQuantity = 0;
    uint8_t forceCoefficient = 0;
    int32_t ninth = 0;
    CResourceBundle cost;
    int16_t meleeDefence = 0;
    int16_t rangedDefence = 0;
    std::vector<SquadBonus> meleeBonuses;
    std::vector<SquadBonus> rangedBonuses;

    // Resource paths without the type; each reads the pack text of that path.
    bool LoadDescr(const CStr& path);
    void LoadTexts(const CStr& path);
    void LoadBonuses(const CStr& path);

    int16_t MeleeBonusAgainst(const CSquadType* target) const;
    int16_t RangedBonusAgainst(const CSquadType* target) const;
    void Assign(const CSquadType& other);
};

void LoadSquadTypes();
void FreeSquadTypes();
const CSquadType* FindSquadType(const CStr& id);
const std::vector<CSquadType*>& SquadTypeRegistry();
// Registers a type built in code (tests and tools); the registry owns it.
void RegisterSquadType(CSquadType* type);

// Where the start-up check messages of the unit descriptions go; the error box
// of the device by default.
using SquadTypeMessageSink = void (*)(const CStr& message);
void SetSquadTypeMessageSink(SquadTypeMessageSink sink);
