#pragma once
// An ordered, owning list of squads: a field army, a garrison, a battle side,
// or an army kept in the statistics.

#include <cstdint>
#include <memory>
#include <vector>

#include "core/ref_string.h"
#include "game/game_object.h"
#include "game/resource_bundle.h"

class CByteStream;

class CArmy {
public:
    // A stream may not make an army longer than this; no real army comes near it.
    static constexpr uint32_t kMaxStreamItems = 255;

    CArmy() = default;
    CArmy(const CArmy& other) { CopyFrom(other); }
    CArmy& operator=(const CArmy& other)
    {
        if (this != &other)
            CopyFrom(other);
        return *this;
    }
    ~CArmy() { Clear(); }

    void CopyFrom(const CArmy& other);
    void Clear();
    bool AddSquadCopy(const CSquad& squad);
    bool AddItem(const CSquad& squad);
    CArmy& Merge(const CArmy& other);
    void SubtractCounts(const CArmy& other);
    void Consolidate();
    bool JoinItems(CSquad* target, CSquad* source);
    CSquad* SplitItem(CSquad* squad, int32_t n);
    CSquad* SplitItemAt(int index, int32_t n);
    CSquad* FindByTypeId(const CStr& id) const;
    bool Contains(const CSquad* squad) const;
    int IndexOf(const CSquad* squad) const;
    int32_t Strength() const;
    bool HasUnits() const;
    void ResetBattleStates();
    void Stream(CByteStream& s);

    int Count() const { return int(m_items.size()); }
    CSquad* Item(int i) const { return m_items[size_t(i)].get(); }
    void RemoveAt(int i) { m_items.erase(m_items.begin() + i); }

    CValueArray definitionCounts;
    uint8_t flagA = 0;
    uint8_t flagB = 1;

private:
    std::vector<std::unique_ptr<CSquad>> m_items;
};
