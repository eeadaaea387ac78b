#include "core/packed_geometry.h"

namespace {

int32_t Min(int32_t a, int32_t b)
{
    return a < b ? a : b;
}
int32_t Max(int32_t a, int32_t b)
{
    return a > b ? a : b;
}

}  // namespace

void PackedPoint::ShiftRight(uint32_t n)
{
    n &= 0xFF;
    // Coordinates are 12 bits, so any shift of 31 or more leaves the sign;
    // shifting an int by 32 or more is not defined in C++.
    auto shift = [n](int32_t v) { return n >= 31 ? (v < 0 ? -1 : 0) : (v >> n); };
    Set(shift(X()), shift(Y()));
}

void PackedPoint::Divide(int16_t divisor)
{
    if (divisor == 0)
        return;
    Set(X() / divisor, Y() / divisor);
}

void PackedRect::Offset(int16_t dx, int16_t dy)
{
    if (!IsDefined())
        return;
    Set(Left() + dx, Top() + dy, Right() + dx, Bottom() + dy);
}

PackedRect PackedRect::RelativeTo(const PackedPoint& point) const
{
    PackedRect result = *this;
    result.Offset(static_cast<int16_t>(-point.X()), static_cast<int16_t>(-point.Y()));
    return result;
}

void PackedRect::Union(const PackedRect& other)
{
    if (!IsDefined()) {
        Assign(other);
        return;
    }
    if (!other.IsDefined())
        return;
    Set(Min(Left(), other.Left()), Min(Top(), other.Top()), Max(Right(), other.Right()),
        Max(Bottom(), other.Bottom()));
}

void PackedRect::Intersect(const PackedRect& other)
{
    if (!IsDefined())
        return;
    if (!other.IsDefined()) {
        SetUndefined();
        return;
    }
    const int32_t left = Max(Left(), other.Left());
    const int32_t top = Max(Top(), other.Top());
    const int32_t right = Min(Right(), other.Right());
    const int32_t bottom = Min(Bottom(), other.Bottom());
    if (right - left >= 0 && bottom - top >= 0)
        Set(left, top, right, bottom);
    else
        SetUndefined();
}

void PackedRect::Subtract(const PackedRect& other, PackedRect& left, PackedRect& right, PackedRect& top,
                          PackedRect& bottom) const
{
    left.SetUndefined();
    right.SetUndefined();
    top.SetUndefined();
    bottom.SetUndefined();
    PackedRect overlap = *this;
    overlap.Intersect(other);
    if (!overlap.IsDefined() || !IsDefined())
        return;
    if (overlap.Left() > Left())
        left.Set(Left(), overlap.Top(), overlap.Left() - 1, overlap.Bottom());
    if (Right() > overlap.Right())
        right.Set(overlap.Right() + 1, overlap.Top(), Right(), overlap.Bottom());
    if (overlap.Top() > Top())
        top.Set(Left(), Top(), Right(), overlap.Top() - 1);
    if (Bottom() > overlap.Bottom())
        bottom.Set(Left(), overlap.Bottom() + 1, Right(), Bottom());
}

bool PackedRect::Touches(const PackedRect& other) const
{
    if (!IsDefined() || !other.IsDefined())
        return false;
    return Min(Right(), other.Right()) - Max(Left(), other.Left()) >= -1 &&
           Min(Bottom(), other.Bottom()) - Max(Top(), other.Top()) >= -1;
}

bool PackedRect::Contains(const PackedPoint& point) const
{
    if (!IsDefined())
        return false;
    const int32_t x = point.X();
    const int32_t y = point.Y();
    return Left() <= x && x <= Right() && Top() <= y && y <= Bottom();
}

void PackedRect::Inflate(const PackedRect& margins)
{
    Set(Left() - margins.Left(), Top() - margins.Top(), Right() + margins.Right(),
        Bottom() + margins.Bottom());
}

void PackedRect::Deflate(const PackedRect& margins)
{
    Set(Left() + margins.Left(), Top() + margins.Top(), Right() - margins.Right(),
        Bottom() - margins.Bottom());
}
