#include "game/army.h"

#include "core/ref_string.h"
#include "game/squad_type.h"
#include "game/stream_util.h"

namespace {
int32_t NotNegative(int32_t v)
{
    return v < 0 ? 0 : v;
}
}  // namespace

void CArmy::CopyFrom(const CArmy& other)
{
    if (this == &other)
        return;
    Clear();
    flagA = other.flagA;
    flagB = other.flagB;
    for (const auto& item : other.m_items)
        AddSquadCopy(*item);
}

void CArmy::Clear()
{
    while (!m_items.empty())
        m_items.pop_back();
}

bool CArmy::AddSquadCopy(const CSquad& squad)
{
    auto copy = std::make_unique<CSquad>();
    copy->SetType(squad.type);
    copy->count = NotNegative(squad.count);
    copy->pending = squad.pending;
    copy->name = squad.name;
    if (squad.battleState)
        copy->battleState = std::make_unique<BattleState>(*squad.battleState);
    m_items.push_back(std::move(copy));
    return true;
}

bool CArmy::AddItem(const CSquad& squad)
{
    for (int i = Count() - 1; i >= 0; --i) {
        if (m_items[size_t(i)]->type == squad.type) {
            m_items[size_t(i)]->AddUnits(squad.count);
            return true;
        }
    }
    return AddSquadCopy(squad);
}

CArmy& CArmy::Merge(const CArmy& other)
{
    if (this == &other) {
        const CArmy copy(other);
        return Merge(copy);
    }
    for (int i = other.Count() - 1; i >= 0; --i)
        AddItem(*other.m_items[size_t(i)]);
    return *this;
}

void CArmy::SubtractCounts(const CArmy& other)
{
    for (int i = other.Count() - 1; i >= 0; --i) {
        if (i >= Count())
            continue;  // the armies are meant to be parallel; extra entries have nothing to pair with
        CSquad& mine = *m_items[size_t(i)];
        mine.count = NotNegative(mine.count - other.m_items[size_t(i)]->count);
    }
}

void CArmy::Consolidate()
{
    for (int i = 0; i < Count(); ++i) {
        for (int j = Count() - 1; j > i; --j) {
            if (m_items[size_t(j)]->type != m_items[size_t(i)]->type)
                continue;
            m_items[size_t(i)]->count = NotNegative(m_items[size_t(i)]->count + m_items[size_t(j)]->count);
            RemoveAt(j);
        }
    }
}

bool CArmy::JoinItems(CSquad* target, CSquad* source)
{
    const int s = IndexOf(source);
    if (s < 0 || target == source || target == nullptr)
        return false;
    target->count = NotNegative(target->count + source->count);
    RemoveAt(s);
    return true;
}

CSquad* CArmy::SplitItem(CSquad* squad, int32_t n)
{
    if (squad == nullptr || n == 0 || n >= squad->count || !Contains(squad))
        return nullptr;
    auto part = std::make_unique<CSquad>();
    part->SetType(squad->type);
    if (squad->battleState)
        part->battleState = std::make_unique<BattleState>(*squad->battleState);
    part->name = squad->name;
    part->count = NotNegative(n);
    CSquad* result = part.get();
    m_items.push_back(std::move(part));
    squad->count = NotNegative(squad->count - n);
    return result;
}

CSquad* CArmy::SplitItemAt(int index, int32_t n)
{
    if (index < 0 || index >= Count())
        return nullptr;
    return SplitItem(m_items[size_t(index)].get(), n);
}

CSquad* CArmy::FindByTypeId(const CStr& id) const
{
    for (const auto& item : m_items)
        if (item->type && CompareNoCase(item->type->typeId.Chars(), id.Chars()) == 0)
            return item.get();
    return nullptr;
}

bool CArmy::Contains(const CSquad* squad) const
{
    return IndexOf(squad) >= 0;
}

int CArmy::IndexOf(const CSquad* squad) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].get() == squad)
            return int(i);
    return -1;
}

int32_t CArmy::Strength() const
{
    // Counts read from files can be huge; the sum saturates instead of wrapping.
    int64_t sum = 0;
    for (const auto& item : m_items)
        sum += int64_t(item->count) * (item->type ? item->type->forceCoefficient : 0);
    return sum > INT32_MAX ? INT32_MAX : int32_t(sum);
}

bool CArmy::HasUnits() const
{
    for (const auto& item : m_items)
        if (item->count > 0)
            return true;
    return false;
}

void CArmy::ResetBattleStates()
{
    for (const auto& item : m_items) {
        if (!item->battleState)
            continue;
        item->battleState->wordA = 0;
        item->battleState->wordB = 0;
        item->battleState->byteA = 0;
    }
}

void CArmy::Stream(CByteStream& s)
{
    uint32_t count = uint32_t(Count());
    s.U32(count);
    if (s.IsStoring()) {
        for (const auto& item : m_items) {
            CStr id = item->type ? item->type->typeId : item->name;
            int32_t units = item->count;
            int32_t hp = item->hitPoints;
            s.String(id);
            s.I32(units);
            s.I32(hp);
        }
        return;
    }
    Clear();
    // An entry is at least a NUL and two 32-bit numbers.
    if (!CheckCount(s, count, kMaxStreamItems, 9))
        return;
    for (uint32_t i = 0; i < count && !StreamFailed(s); ++i) {
        CStr id;
        int32_t units = 0;
        int32_t hp = 0;
        s.String(id);
        s.I32(units);
        s.I32(hp);
        if (StreamFailed(s))
            break;
        const CSquadType* type = FindSquadType(id);
        if (!type)
            continue;
        CSquad squad;
        squad.SetType(type);
        squad.count = NotNegative(units);
        AddSquadCopy(squad);
    }
}
