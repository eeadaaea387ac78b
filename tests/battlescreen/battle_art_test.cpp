// The battle screen's own art as a battle shows it: every obstacle layout a
// battle can be given draws a terrain (none leaves the field black), and
// the strength plates read as their numbers at both screen sizes.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "battle/battle_flow.h"
#include "battle/battle_input.h"
#include "battlescreen/image_metrics.h"
#include "battlescreen/map_battle_wnd.h"
#include "battlescreen/squad_number_display.h"
#include "core/draw_context.h"
#include "core/raster.h"
#include "platform/platform.h"
#include "tests/battlescreen/battle_window_rig.h"
#include "ui/window_mgr.h"

namespace battlescreen_test {
namespace {

class BattleArtTest : public BattleWindowRig {
protected:
    // Pixels of the physical screen's rows [top, bottom] that are not black.
    int LitPixels(int top, int bottom)
    {
        m_display.Flush();
        RawFrameBufferInfo info;
        if (GetRawFrameBuffer(info) <= 0 || info.bitsPerPixel != 16) {
            ADD_FAILURE() << "no raw screen";
            return 0;
        }
        int lit = 0;
        for (int y = top; y <= bottom; ++y)
            for (int x = 0; x < info.width; ++x) {
                const uint8_t* p = info.frame + y * info.yStride + x * info.xStride;
                if ((p[0] | p[1]) != 0)
                    ++lit;
            }
        return lit;
    }
};

TEST_F(BattleArtTest, EveryObstacleLayoutDrawsATerrain)
{
    AddUnits(m_attacker, "Swordsman", 5);
    AddUnits(m_defender, "Spearman", 5);
    constexpr int kFieldTop = 0, kFieldBottom = 250;  // the field above the bottom panel
    for (int layout = 0; layout <= 255; ++layout) {
        SCOPED_TRACE("layout " + std::to_string(layout));
        m_params.obstacleLayout = uint8_t(layout);
        auto* wnd = new CMapBattleWnd(nullptr, CStr("Map/MapWnd/MapBattleWnd"));
        wnd->SetBattleParams(&m_params);
        int lit = -1, shownFrames = 0;
        m_hook->before = [&]() {
            // A look once the shown battle has painted its field.
            if (lit < 0 && wnd->Window()->IsVisible() && g_battle.phase != kPhaseNone && ++shownFrames == 3) {
                lit = LitPixels(kFieldTop, kFieldBottom);
                BattleCommand(kCommandStop);
            }
        };
        RunModal(wnd->Window());
        delete wnd;
        ASSERT_GE(lit, 0) << "the battle was never shown";
        EXPECT_GT(lit, 240 * (kFieldBottom - kFieldTop + 1) * 9 / 10) << "the field is not black";
        EXPECT_TRUE(m_headless->MessageBoxes().empty()) << m_headless->MessageBoxes().front();
        if (HasFailure())
            break;
        m_attacker.army.Item(0)->count = 5;
        m_defender.army.Item(0)->count = 5;
    }
}

// The 3 x 5 glyph of a plate picture: the pixels that differ from the
// plate's colour (its rightmost column is plate only).
std::vector<std::string> Glyph(const CDrawContext& dc, int left)
{
    const uint8_t plate = *dc.Surface().At(left + 3, 3);
    std::vector<std::string> rows;
    for (int y = 1; y <= 5; ++y) {
        std::string row;
        for (int x = left; x < left + 3; ++x)
            row += *dc.Surface().At(x, y) != plate ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

TEST_F(BattleArtTest, StrengthPlatesReadAsTheirNumbers)
{
    // The sign of a missing glyph: a box with a cross in it.
    const std::vector<std::string> missing = {"###", ".#.", "#.#", ".#.", "###"};
    const std::vector<std::string> ring = {"###", "#.#", "#.#", "#.#", "###"};
    CSquadNumberDisplay numbers;
    for (bool leftSet : {true, false}) {
        SCOPED_TRACE(leftSet ? "left plates" : "right plates");
        const int border = WidthOf(numbers.Picture(leftSet, 0));
        std::vector<std::vector<std::string>> glyphs;
        for (int d = 0; d < 10; ++d) {
            ASSERT_EQ(WidthOf(numbers.Picture(leftSet, 2 + d)), 4) << d;
            CDrawContext dc;
            ASSERT_TRUE(dc.CreateSurface(16, 7));
            FillRect(dc, PackedRect(0, 0, 15, 6), 0);
            DrawImage(dc, 0, 0, numbers.Picture(leftSet, 2 + d), UndefinedRect);
            glyphs.push_back(Glyph(dc, 0));
            EXPECT_NE(glyphs.back(), missing) << "digit " << d;
            for (int e = 0; e < d; ++e)
                EXPECT_NE(glyphs[size_t(e)], glyphs.back())
                    << "digits " << e << " and " << d << " look alike";
        }
        EXPECT_EQ(glyphs[0], ring) << "a 0 is a ring";

        // "10" as a squad shows it: the 1, then the ring.
        CDrawContext dc;
        ASSERT_TRUE(dc.CreateSurface(16, 7));
        FillRect(dc, PackedRect(0, 0, 15, 6), 0);
        SquadDigits digits;
        CSquadNumberDisplay::SetDigits(10, digits);
        numbers.Draw(digits, dc, 0, 0, leftSet);
        EXPECT_EQ(Glyph(dc, border), glyphs[1]);
        EXPECT_EQ(Glyph(dc, border + 4), ring);
    }
}

// The ink of a picture (the pixels unlike its top-left one, the plate's
// colour), cut to the ink's bounding box.
std::vector<std::string> Ink(const ImageData& picture)
{
    CDrawContext dc;
    const int w = WidthOf(picture), h = picture.Height();
    if (w <= 0 || !dc.CreateSurface(w, h))
        return {};
    FillRect(dc, PackedRect(0, 0, int16_t(w - 1), int16_t(h - 1)), 0);
    DrawImage(dc, 0, 0, picture, UndefinedRect);
    const uint8_t plate = *dc.Surface().At(0, 0);
    int left = w, right = -1, top = h, bottom = -1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (*dc.Surface().At(x, y) != plate) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    std::vector<std::string> rows;
    for (int y = top; y <= bottom; ++y) {
        std::string row;
        for (int x = left; x <= right; ++x)
            row += *dc.Surface().At(x, y) != plate ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

bool Mirrored(const std::vector<std::string>& ink)
{
    return std::all_of(ink.begin(), ink.end(), [](const std::string& row) {
        return std::equal(row.begin(), row.end(), row.rbegin());
    });
}

TEST_F(BattleArtTest, StrengthPlateDigitsReadApartFromLetters)
{
    // A 0 whose corners round on one side reads as a D, an 8 so as a B; a 1
    // without its flag, a bare or serifed bar, reads as an I.
    const struct {
        int digit;
        bool mirrored;
    } cases[] = {{0, true}, {8, true}, {1, false}};
    for (const char* folder : {"/Images/Battle/", "/Skin480/Images/Battle/"}) {
        for (const char* side : {"L", "R"}) {
            for (const auto& c : cases) {
                const std::string path = folder + std::string(side) + "Num" + char('0' + c.digit);
                SCOPED_TRACE(path);
                ImageData picture;
                ASSERT_TRUE(LoadImage(path.c_str(), picture));
                const std::vector<std::string> ink = Ink(picture);
                ASSERT_FALSE(ink.empty());
                std::string drawn;
                for (const std::string& row : ink)
                    drawn += row + "\n";
                EXPECT_EQ(Mirrored(ink), c.mirrored) << drawn;
            }
        }
    }
}

}  // namespace
}  // namespace battlescreen_test
