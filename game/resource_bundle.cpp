#include "game/resource_bundle.h"

#include <cstdlib>

#include "game/game_world.h"
#include "game/stream_util.h"

namespace {
constexpr uint32_t kGold = FourCC("gold");
constexpr uint32_t kMetal = FourCC("metl");
constexpr uint32_t kStone = FourCC("ston");
constexpr int kDefaultKinds = 3;

int32_t Abs(int32_t k)
{
    return k < 0 ? -k : k;
}
}  // namespace

uint32_t FourCCFromChars(const char* four)
{
    uint32_t code = 0;
    for (int i = 0; i < 4; ++i)
        code |= uint32_t(uint8_t(four[i])) << (8 * i);
    return code;
}

CStr FourCCToText(uint32_t code)
{
    char text[5];
    for (int i = 0; i < 4; ++i)
        text[i] = char((code >> (8 * i)) & 0xFF);
    text[4] = '\0';
    return CStr(text, 4);
}

bool CValueArray::SetSize(int32_t count)
{
    if (count < 0 || count > kMaxCount)
        return false;
    m_values.resize(size_t(count), 0);
    return true;
}

int32_t CValueArray::Append(const int32_t* values, int32_t n)
{
    const int32_t first = Count();
    if (n < 0 || first + n > kMaxCount)
        return -1;
    m_values.insert(m_values.end(), values, values + n);
    return first;
}

CResourceBundle::CResourceBundle()
{
    const CGameWorld* world = ActiveWorld();
    SetSize(world ? int32_t(world->kinds.size()) : kDefaultKinds);
}

int32_t CResourceBundle::IndexOf(uint32_t kind) const
{
    if (const CGameWorld* world = ActiveWorld()) {
        for (int i = int(world->kinds.size()) - 1; i >= 0; --i)
            if (world->kinds[size_t(i)] == kind)
                return i;
        return 0;
    }
    return kind == kMetal ? 1 : kind == kStone ? 2 : 0;
}

int32_t CResourceBundle::Get(uint32_t kind) const
{
    int index = -1;
    if (const CGameWorld* world = ActiveWorld()) {
        for (size_t i = 0; i < world->kinds.size(); ++i)
            if (world->kinds[i] == kind) {
                index = int(i);
                break;
            }
        if (index < 0)
            return 0;
    } else {
        index = kind == kMetal ? 1 : kind == kStone ? 2 : 0;
    }
    return index < Count() ? (*this)[index] : 0;
}

void CResourceBundle::Set(uint32_t kind, int32_t amount)
{
    int index = -1;
    if (const CGameWorld* world = ActiveWorld()) {
        for (size_t i = 0; i < world->kinds.size(); ++i)
            if (world->kinds[i] == kind) {
                index = int(i);
                break;
            }
    } else {
        index = kind == kGold ? 0 : kind == kMetal ? 1 : kind == kStone ? 2 : -1;
    }
    if (index >= 0 && index < Count())
        (*this)[index] = amount;
}

int32_t CResourceBundle::Total() const
{
    // Amounts read from files can be anything; the sum saturates instead of wrapping.
    int64_t sum = 0;
    for (int i = 0; i < Count(); ++i)
        sum += (*this)[i];
    return sum > INT32_MAX ? INT32_MAX : sum < INT32_MIN ? INT32_MIN : int32_t(sum);
}

CResourceBundle& CResourceBundle::Add(const CResourceBundle& other)
{
    for (int i = Count() - 1; i >= 0; --i)
        (*this)[i] += At(other, i);
    return *this;
}

CResourceBundle& CResourceBundle::AddToAll(int32_t k)
{
    for (int i = Count() - 1; i >= 0; --i)
        (*this)[i] += k;
    return *this;
}

CResourceBundle& CResourceBundle::Subtract(const CResourceBundle& other)
{
    for (int i = Count() - 1; i >= 0; --i) {
        (*this)[i] -= At(other, i);
        if ((*this)[i] < 0)
            (*this)[i] = 0;
    }
    return *this;
}

CResourceBundle& CResourceBundle::SubtractFromAll(int32_t k)
{
    for (int i = Count() - 1; i >= 0; --i) {
        (*this)[i] -= k;
        if ((*this)[i] < 0)
            (*this)[i] = 0;
    }
    return *this;
}

CResourceBundle& CResourceBundle::Multiply(int32_t k)
{
    for (int i = Count() - 1; i >= 0; --i)
        (*this)[i] *= Abs(k);
    return *this;
}

CResourceBundle& CResourceBundle::Divide(int32_t k)
{
    if (k == 0)
        return *this;  // nothing sensible to divide by; the amounts stay
    for (int i = Count() - 1; i >= 0; --i)
        (*this)[i] /= Abs(k);
    return *this;
}

CResourceBundle& CResourceBundle::Zero()
{
    for (int i = Count() - 1; i >= 0; --i)
        (*this)[i] = 0;
    return *this;
}

CResourceBundle CResourceBundle::MultipliedCopy(const CResourceBundle& b, int32_t k)
{
    CResourceBundle r = b;
    r.Multiply(k);
    return r;
}

CResourceBundle CResourceBundle::DividedCopy(const CResourceBundle& b, int32_t k)
{
    CResourceBundle r = b;
    r.Divide(k);
    return r;
}

CResourceBundle CResourceBundle::SubtractedCopy(const CResourceBundle& a, const CResourceBundle& b)
{
    CResourceBundle r = a;
    r.Subtract(b);
    return r;
}

CResourceBundle CResourceBundle::AssignCopy(CResourceBundle& dst, const CResourceBundle& src)
{
    dst = src;
    return dst;
}

bool CResourceBundle::Equals(const CResourceBundle& other) const
{
    for (int i = Count() - 1; i >= 0; --i)
        if ((*this)[i] != At(other, i))
            return false;
    return true;
}

bool CResourceBundle::AnyLess(const CResourceBundle& other) const
{
    for (int i = Count() - 1; i >= 0; --i)
        if ((*this)[i] < At(other, i))
            return true;
    return false;
}

bool CResourceBundle::AnyAtMost(const CResourceBundle& other) const
{
    for (int i = Count() - 1; i >= 0; --i)
        if ((*this)[i] <= At(other, i))
            return true;
    return false;
}

bool CResourceBundle::AllGreater(const CResourceBundle& other) const
{
    for (int i = Count() - 1; i >= 0; --i)
        if ((*this)[i] <= At(other, i))
            return false;
    return true;
}

bool CResourceBundle::AllAtLeast(const CResourceBundle& other) const
{
    for (int i = Count() - 1; i >= 0; --i)
        if ((*this)[i] < At(other, i))
            return false;
    return true;
}

bool CResourceBundle::IsZero() const
{
    for (int i = Count() - 1; i >= 0; --i)
        if ((*this)[i] != 0)
            return false;
    return true;
}

int32_t CResourceBundle::TimesAffordable(const CResourceBundle& cost) const
{
    int32_t r = -1;
    for (int i = Count() - 1; i >= 0; --i) {
        const int32_t c = At(cost, i);
        if (c == 0)
            continue;
        const int32_t q = (*this)[i] / c;
        if (q == 0)
            return 0;
        if (r == -1 || q < r)
            r = q;
    }
    return r >= 1 ? r : 0;
}

void CResourceBundle::Stream(CByteStream& s)
{
    uint32_t count = uint32_t(Count());
    s.U32(count);
    if (!s.IsStoring()) {
        if (!CheckCount(s, count, kMaxResourceKinds, 4))
            return;
        SetSize(int32_t(count));
        for (uint32_t i = 0; i < count; ++i)
            (*this)[int(i)] = 0;
    }
    for (int i = 0; i < int(count) && !StreamFailed(s); ++i)
        s.I32((*this)[i]);
}

CStr ResourceKindName(int index)
{
    if (const CGameWorld* world = ActiveWorld()) {
        if (index >= 0 && size_t(index) < world->kinds.size())
            return FourCCToText(world->kinds[size_t(index)]);
        return CStr("gold");
    }
    static const char* const names[] = {"gold", "metl", "ston"};
    return CStr(index >= 0 && index < 3 ? names[index] : "gold");
}
