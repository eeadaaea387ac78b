#pragma once
// The map view's test rig: a headless screen, the map pictures, a map
// palette and a small hand-made mission map, with a world of four provinces
// in the running game.
//
// The hand-made map is 16 x 136 pixels in two strips of 8 (half scale: two
// strips of 4, 68 rows) and two bands:
//   strip 0, band 0: rows 0-63 local 0 = province 0, rows 64-127 local 1 = province 1;
//                    row 63 is an edge of class 4, row 62 of class 2;
//   strip 1, band 0: local 0 = province 2 (the same id, another province);
//   strip 0, band 1: columns 0-3 local 0 = province 3, columns 4-7 local 1
//                    (the band has no pair for it);
//   strip 1, band 1: columns 8-11 sea, 12-15 open grass (id 31).

#include <functional>
#include <string>
#include <vector>

#include "core/byte_stream.h"
#include "core/path_mgr.h"
#include "core/preferences.h"
#include "core/resource_mgr.h"
#include "core/task_mgr.h"
#include "game/game_world.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/running_game.h"
#include "tests/support/windows/squad_list_rig.h"
#include "tools/encode/palette_encoder.h"

namespace map_test {

constexpr int kMapWidth = 16;
constexpr int kMapHeight = 136;

// Region byte: class in the upper 3 bits, local id in the lower 5.
constexpr uint8_t Px(int cls, int id)
{
    return static_cast<uint8_t>((cls << 5) | id);
}

inline uint8_t HandMadePixel(int x, int y)
{
    if (y < 128) {
        if (x >= 8)
            return Px(0, 0);
        if (y < 64)
            return y == 63 ? Px(4, 0) : y == 62 ? Px(2, 0) : Px(0, 0);
        return Px(0, 1);
    }
    if (x < 4)
        return Px(0, 0);
    if (x < 8)
        return Px(0, 1);
    if (x < 12)
        return Px(7, 31);
    return Px(0, 31);
}

// The sea texture is 4 x 2, the grass texture 4 x 4; their pixels name
// their place so that the anchoring shows.
inline uint8_t SeaPixel(int x, int y)
{
    return static_cast<uint8_t>(200 + (y & 1) * 4 + (x & 3));
}
inline uint8_t GrassPixel(int x, int y)
{
    return static_cast<uint8_t>(220 + (y & 3) * 4 + (x & 3));
}

class MapRig : public ListRig {
protected:
    // Which map pictures the pack leaves out (to test the failures).
    std::string m_missingImage;
    bool m_withPalette = true;
    bool m_withBlocks = true;

    void AddData(PackWriter& pack) override
    {
        auto picture = [](int w, int h, const std::function<uint8_t(int, int)>& f) {
            IndexedPicture p;
            p.width = static_cast<uint16_t>(w);
            p.height = static_cast<uint16_t>(h);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    p.pixels.push_back(f(x, y));
            return p;
        };
        auto add = [&](const std::string& name, const std::vector<uint8_t>& bytes) {
            if (name != m_missingImage) {
                ASSERT_TRUE(pack.AddFile("Images/Map/" + name, "img", bytes));
            }
        };
        add("map_sea", Img(picture(4, 2, SeaPixel)));
        add("map_grass", Img(picture(4, 4, GrassPixel)));
        add("map_landbg", Img(SolidPicture(2, 2, 1)));
        add("map_landbg_sel", Img(SolidPicture(2, 2, 2)));
        // Sprites: solid 5 x 5 squares, hot spot at the middle of the bottom
        // row, colour 60 + index.
        for (int i = 0; i < SpriteCount; ++i)
            add(kMapSpriteNames[i], Img(SolidPicture(5, 5, static_cast<uint8_t>(60 + i)), true, 2, 4));
        if (m_withPalette) {
            std::vector<Rgb> colours(256);
            for (int i = 0; i < 256; ++i)
                colours[i] = Rgb{static_cast<uint8_t>(i), 0, static_cast<uint8_t>(255 - i)};
            ASSERT_TRUE(pack.AddFile("Palettes/Map", "pal", MustEncode(EncodePalette(colours))));
        }
        if (!m_withBlocks)
            return;
        for (int i = 0; i < 2; ++i) {
            ASSERT_TRUE(pack.AddFile(
                "Scenarios/t/M1/block" + std::to_string(i), "img",
                Img(picture(8, kMapHeight, [i](int x, int y) { return HandMadePixel(x + 8 * i, y); }))));
            ASSERT_TRUE(pack.AddFile("Scenarios/t/M1/domblock" + std::to_string(i), "img",
                                     Img(picture(4, kMapHeight / 2, [i](int x, int y) {
                                         return HandMadePixel(2 * (x + 4 * i), 2 * y);
                                     }))));
        }
        // Descriptor: width 16, second value, two strips of two bands.
        std::vector<uint8_t> map = {16, 0, kMapHeight, 0, 2, 2, 2, 0, 0, 1, 1, 1, 0, 3, 2, 1, 0, 2, 0};
        ASSERT_TRUE(pack.AddFile("Scenarios/t/M1/map", "dat", map));
    }

    void SetUp() override
    {
        ListRig::SetUp();
        ASSERT_TRUE(CTaskMgr::Init());
        m_savedOptions[0] = PrefMapOptions[2];
        m_savedOptions[1] = PrefMapOptions[3];
        // Players 0 and 1 with flag numbers 2 and 4; provinces 0-3 owned by
        // player 0, player 1, neutral, player 0.
        m_world.SetPlayerCount(2);
        m_world.Player(0).flagNumber = 2;
        m_world.Player(1).flagNumber = 4;
        m_world.SetProvinceCount(4);
        const int owners[4] = {0, 1, -1, 0};
        const int16_t rects[4][4] = {{0, 0, 7, 63}, {0, 64, 7, 127}, {8, 0, 15, 127}, {0, 128, 7, 135}};
        for (int i = 0; i < 4; ++i) {
            ProvinceRecord& p = m_world.Province(i);
            p.index = static_cast<uint8_t>(i);
            if (owners[i] >= 0) {
                p.ownerId = static_cast<uint8_t>(owners[i]);
                p.owner = &m_world.Player(owners[i]);
            }
            for (int j = 0; j < 4; ++j)
                p.rect[j] = rects[i][j];
            p.halfRect = PackedRect(rects[i][0] >> 1, rects[i][1] >> 1, rects[i][2] >> 1, rects[i][3] >> 1);
            const int cx = (rects[i][0] + rects[i][2]) / 2, cy = (rects[i][1] + rects[i][3]) / 2;
            p.points[0] = static_cast<int16_t>(cx);
            p.points[1] = static_cast<int16_t>(cy - 8);
            p.points[2] = static_cast<int16_t>(cx);
            p.points[3] = static_cast<int16_t>(cy + 8);
        }
        Game().world = &m_world;
        m_world.currentPlayer = 0;
    }
    void TearDown() override
    {
        Game().world = nullptr;
        Game().humanTurnActive = 0;
        PrefMapOptions[2] = m_savedOptions[0];
        PrefMapOptions[3] = m_savedOptions[1];
        ListRig::TearDown();
        CTaskMgr::Shutdown();
    }

    CGameWorld m_world;
    uint8_t m_savedOptions[2] = {};
};

// Draws a view into a surface of its own; pixel access by map coordinates.
struct MapCanvas {
    CDrawContext dc;
    MapCanvas(int w, int h)
    {
        dc.CreateSurface(w, h);
        FillRect(dc, PackedRect(0, 0, static_cast<int16_t>(w - 1), static_cast<int16_t>(h - 1)), 0);
    }
    uint8_t At(int x, int y) const { return *dc.Surface().At(x, y); }
};

}  // namespace map_test
