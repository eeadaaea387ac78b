#include <gtest/gtest.h>

#include <vector>

#include "battlescreen/squad_number_display.h"
#include "core/draw_context.h"
#include "core/raster.h"
#include "tests/battlescreen/battle_screen_rig.h"

namespace battlescreen_test {
namespace {

class SquadNumbersTest : public BattleScreenRig {};

std::vector<uint8_t> ListOf(const SquadDigits& digits)
{
    std::vector<uint8_t> out;
    for (int i = 0; i < digits.Count(); ++i)
        out.push_back(digits[i]);
    return out;
}

TEST(SquadDigitsTest, DigitsAreKeptLeastSignificantFirst)
{
    struct Case {
        uint32_t value;
        std::vector<uint8_t> digits;
    };
    const Case cases[] = {
        {0, {}},
        {7, {7}},
        {120, {0, 2, 1}},
        {1005, {5, 0, 0, 1}},
        {4294967295u, {5, 9, 2, 7, 6, 9, 4, 9, 2, 4}},
    };
    SquadDigits digits;
    for (const Case& c : cases) {
        digits.Add(9);  // left over from an earlier value
        CSquadNumberDisplay::SetDigits(c.value, digits);
        EXPECT_EQ(ListOf(digits), c.digits) << c.value;
    }
}

// The colours along the plate's middle row, one per column.
std::vector<uint8_t> Row(const CDrawContext& dc, int y, int from, int to)
{
    std::vector<uint8_t> row;
    for (int x = from; x <= to; ++x)
        row.push_back(*dc.Surface().At(x, y));
    return row;
}

TEST_F(SquadNumbersTest, PlatesAreDrawnEdgeToEdgeMostSignificantFirst)
{
    CSquadNumberDisplay numbers;
    CDrawContext dc;
    ASSERT_TRUE(dc.CreateSurface(64, 12));
    FillRect(dc, PackedRect(0, 0, 63, 11), 0);
    SquadDigits digits;
    CSquadNumberDisplay::SetDigits(120, digits);
    numbers.Draw(digits, dc, 3, 2, true);
    std::vector<uint8_t> expected = {0, kLeftBorderColour, kLeftBorderColour};
    for (int d : {1, 2, 0})
        expected.insert(expected.end(), size_t(DigitWidth(d)), uint8_t(kLeftDigitBase + d));
    expected.insert(expected.end(), 2, kRightBorderColour);
    expected.push_back(0);
    EXPECT_EQ(Row(dc, 4, 2, 2 + int(expected.size()) - 1), expected);
    EXPECT_EQ(*dc.Surface().At(4, 1), 0) << "the plate's top is at y";
    EXPECT_EQ(*dc.Surface().At(4, 2), kLeftBorderColour);
    EXPECT_EQ(numbers.MeasureWidth(digits, true), 2 + 4 + 5 + 3 + 2);

    // The right-hand set has its own (narrower) borders and colours.
    CDrawContext right;
    ASSERT_TRUE(right.CreateSurface(64, 12));
    FillRect(right, PackedRect(0, 0, 63, 11), 0);
    CSquadNumberDisplay::SetDigits(7, digits);
    numbers.Draw(digits, right, 0, 0, false);
    std::vector<uint8_t> seven = {kLeftBorderColour};
    seven.insert(seven.end(), size_t(DigitWidth(7)), uint8_t(kRightDigitBase + 7));
    seven.push_back(kRightBorderColour);
    seven.push_back(0);
    EXPECT_EQ(Row(right, 2, 0, int(seven.size()) - 1), seven);
    EXPECT_EQ(numbers.MeasureWidth(digits, false), 1 + DigitWidth(7) + 1);
}

TEST_F(SquadNumbersTest, APlateIsClippedByTheContext)
{
    CSquadNumberDisplay numbers;
    CDrawContext dc;
    ASSERT_TRUE(dc.CreateSurface(64, 12));
    FillRect(dc, PackedRect(0, 0, 63, 11), 0);
    ASSERT_TRUE(dc.PushClip(PackedRect(0, 0, 5, 11)));
    SquadDigits digits;
    CSquadNumberDisplay::SetDigits(88, digits);
    numbers.Draw(digits, dc, 0, 0, true);
    EXPECT_EQ(*dc.Surface().At(5, 1), uint8_t(kLeftDigitBase + 8));
    EXPECT_EQ(*dc.Surface().At(6, 1), 0);
}

}  // namespace
}  // namespace battlescreen_test
