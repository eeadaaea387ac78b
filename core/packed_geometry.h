#pragma once
// Packed screen geometry: PackedPoint (x, y) and PackedRect (left, top,
// right, bottom), each coordinate a signed 12-bit value in bits 0-11 of a
// 16-bit word. Bits 12-15 are flags owned by whoever holds the word; every
// named operation below writes bits 0-11 only and keeps the target's flags,
// so Assign copies coordinates, never flags. (Plain C++ copying copies the
// whole words, flags included: that is what storing and streaming need.)
//
// -2048 (0x800) means undefined. Arithmetic wraps to 12 bits: 2047 + 1 is
// -2048, which then reads as undefined. Rectangle edges are inclusive: the
// width is right - left + 1. An undefined rectangle is treated as empty by
// the operations that combine rectangles (Union, Intersect, Subtract,
// Touches, Contains); Width and Height do not test for it.
#include <cstdint>

namespace packed {

constexpr int16_t kUndefined = -2048;

constexpr int16_t Read(uint16_t word)
{
    const int v = word & 0x0FFF;
    return static_cast<int16_t>((v & 0x0800) ? v - 0x1000 : v);
}

constexpr uint16_t Write(uint16_t word, int32_t value)
{
    return static_cast<uint16_t>((word & 0xF000) | (static_cast<uint32_t>(value) & 0x0FFF));
}

constexpr int32_t Min(int32_t a, int32_t b)
{
    return a < b ? a : b;
}
constexpr int32_t Max(int32_t a, int32_t b)
{
    return a > b ? a : b;
}

}  // namespace packed

struct PackedPoint {
    uint16_t xWord = 0;
    uint16_t yWord = 0;

    constexpr PackedPoint() = default;
    constexpr PackedPoint(int32_t x, int32_t y) : xWord(packed::Write(0, x)), yWord(packed::Write(0, y)) {}

    constexpr int16_t X() const { return packed::Read(xWord); }
    constexpr int16_t Y() const { return packed::Read(yWord); }
    constexpr void SetX(int32_t x) { xWord = packed::Write(xWord, x); }
    constexpr void SetY(int32_t y) { yWord = packed::Write(yWord, y); }
    constexpr void Set(int32_t x, int32_t y)
    {
        SetX(x);
        SetY(y);
    }

    // Flag nibbles (bits 12-15) of the two words.
    constexpr uint8_t XFlags() const { return static_cast<uint8_t>(xWord >> 12); }
    constexpr uint8_t YFlags() const { return static_cast<uint8_t>(yWord >> 12); }
    constexpr void SetXFlags(uint8_t flags)
    {
        xWord = static_cast<uint16_t>((xWord & 0x0FFF) | ((flags & 0xF) << 12));
    }
    constexpr void SetYFlags(uint8_t flags)
    {
        yWord = static_cast<uint16_t>((yWord & 0x0FFF) | ((flags & 0xF) << 12));
    }

    constexpr void Assign(const PackedPoint& other) { Set(other.X(), other.Y()); }
    constexpr void Add(const PackedPoint& other) { Set(X() + other.X(), Y() + other.Y()); }
    constexpr void Subtract(const PackedPoint& other) { Set(X() - other.X(), Y() - other.Y()); }
    constexpr void Offset(int16_t dx, int16_t dy) { Set(X() + dx, Y() + dy); }
    constexpr PackedPoint Negated() const { return PackedPoint(-X(), -Y()); }
    constexpr bool Equals(const PackedPoint& other) const { return X() == other.X() && Y() == other.Y(); }
    constexpr bool IsZero() const { return X() == 0 && Y() == 0; }
    constexpr bool IsDefined() const { return X() != packed::kUndefined && Y() != packed::kUndefined; }
    // Arithmetic shift by the low 8 bits of n; 32 or more leaves the sign.
    constexpr void ShiftRight(uint32_t n)
    {
        n &= 0xFF;
        // Coordinates are 12 bits, so any shift of 31 or more leaves the sign;
        // shifting an int by 32 or more is not defined in C++.
        auto shift = [n](int32_t v) { return n >= 31 ? (v < 0 ? -1 : 0) : (v >> n); };
        Set(shift(X()), shift(Y()));
    }
    // Truncating division; a divisor of 0 leaves the point unchanged.
    constexpr void Divide(int16_t divisor)
    {
        if (divisor == 0)
            return;
        Set(X() / divisor, Y() / divisor);
    }

    constexpr bool operator==(const PackedPoint& other) const { return Equals(other); }
};

struct PackedRect {
    uint16_t leftWord = 0;
    uint16_t topWord = 0;
    uint16_t rightWord = 0;
    uint16_t bottomWord = 0;

    constexpr PackedRect() = default;
    constexpr PackedRect(int32_t left, int32_t top, int32_t right, int32_t bottom)
        : leftWord(packed::Write(0, left)),
          topWord(packed::Write(0, top)),
          rightWord(packed::Write(0, right)),
          bottomWord(packed::Write(0, bottom))
    {}

    constexpr int16_t Left() const { return packed::Read(leftWord); }
    constexpr int16_t Top() const { return packed::Read(topWord); }
    constexpr int16_t Right() const { return packed::Read(rightWord); }
    constexpr int16_t Bottom() const { return packed::Read(bottomWord); }
    constexpr void SetLeft(int32_t v) { leftWord = packed::Write(leftWord, v); }
    constexpr void SetTop(int32_t v) { topWord = packed::Write(topWord, v); }
    constexpr void SetRight(int32_t v) { rightWord = packed::Write(rightWord, v); }
    constexpr void SetBottom(int32_t v) { bottomWord = packed::Write(bottomWord, v); }

    constexpr void Set(int32_t left, int32_t top, int32_t right, int32_t bottom)
    {
        SetLeft(left);
        SetTop(top);
        SetRight(right);
        SetBottom(bottom);
    }
    constexpr void SetUndefined()
    {
        Set(packed::kUndefined, packed::kUndefined, packed::kUndefined, packed::kUndefined);
    }
    constexpr void Assign(const PackedRect& other)
    {
        Set(other.Left(), other.Top(), other.Right(), other.Bottom());
    }

    constexpr bool IsDefined() const
    {
        return Left() != packed::kUndefined && Top() != packed::kUndefined && Right() != packed::kUndefined &&
               Bottom() != packed::kUndefined;
    }
    constexpr int16_t Width() const { return static_cast<int16_t>(Right() - Left() + 1); }
    constexpr int16_t Height() const { return static_cast<int16_t>(Bottom() - Top() + 1); }
    constexpr PackedPoint TopLeft() const { return PackedPoint(Left(), Top()); }

    // Moves a defined rectangle; an undefined one stays as it is.
    constexpr void Offset(int16_t dx, int16_t dy)
    {
        if (!IsDefined())
            return;
        Set(Left() + dx, Top() + dy, Right() + dx, Bottom() + dy);
    }
    constexpr void OffsetBy(const PackedPoint& point) { Offset(point.X(), point.Y()); }
    constexpr void MoveToOrigin() { Offset(static_cast<int16_t>(-Left()), static_cast<int16_t>(-Top())); }
    constexpr PackedRect RelativeTo(const PackedPoint& point) const
    {
        PackedRect result = *this;
        result.Offset(static_cast<int16_t>(-point.X()), static_cast<int16_t>(-point.Y()));
        return result;
    }

    constexpr void Union(const PackedRect& other)
    {
        if (!IsDefined()) {
            Assign(other);
            return;
        }
        if (!other.IsDefined())
            return;
        Set(packed::Min(Left(), other.Left()), packed::Min(Top(), other.Top()),
            packed::Max(Right(), other.Right()), packed::Max(Bottom(), other.Bottom()));
    }
    constexpr void Intersect(const PackedRect& other)
    {
        if (!IsDefined())
            return;
        if (!other.IsDefined()) {
            SetUndefined();
            return;
        }
        const int32_t left = packed::Max(Left(), other.Left());
        const int32_t top = packed::Max(Top(), other.Top());
        const int32_t right = packed::Min(Right(), other.Right());
        const int32_t bottom = packed::Min(Bottom(), other.Bottom());
        if (right - left >= 0 && bottom - top >= 0)
            Set(left, top, right, bottom);
        else
            SetUndefined();
    }
    // This rectangle minus `other`, as up to four non-overlapping pieces;
    // a piece that would be empty is undefined.
    constexpr void Subtract(const PackedRect& other, PackedRect& left, PackedRect& right, PackedRect& top,
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
    // Overlapping or side by side with no pixel between them.
    constexpr bool Touches(const PackedRect& other) const
    {
        if (!IsDefined() || !other.IsDefined())
            return false;
        return packed::Min(Right(), other.Right()) - packed::Max(Left(), other.Left()) >= -1 &&
               packed::Min(Bottom(), other.Bottom()) - packed::Max(Top(), other.Top()) >= -1;
    }
    constexpr bool Contains(const PackedPoint& point) const
    {
        if (!IsDefined())
            return false;
        const int32_t x = point.X();
        const int32_t y = point.Y();
        return Left() <= x && x <= Right() && Top() <= y && y <= Bottom();
    }
    // The margins are four widths held in a rectangle.
    constexpr void Inflate(const PackedRect& margins)
    {
        Set(Left() - margins.Left(), Top() - margins.Top(), Right() + margins.Right(),
            Bottom() + margins.Bottom());
    }
    constexpr void Deflate(const PackedRect& margins)
    {
        Set(Left() + margins.Left(), Top() + margins.Top(), Right() - margins.Right(),
            Bottom() - margins.Bottom());
    }

    // Coordinates only; flags are ignored.
    constexpr bool operator==(const PackedRect& other) const
    {
        return Left() == other.Left() && Top() == other.Top() && Right() == other.Right() &&
               Bottom() == other.Bottom();
    }
};

// Built at compile time, so they are valid before any code runs.
inline constexpr PackedRect UndefinedRect{packed::kUndefined, packed::kUndefined, packed::kUndefined,
                                          packed::kUndefined};
inline constexpr PackedPoint UndefinedPoint{packed::kUndefined, packed::kUndefined};
