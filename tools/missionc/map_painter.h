#pragma once
// Paints a mission's map: the provinces of the grid with wavy borders, the
// sea around the realm and in the empty cells at its edge, open country in
// the empty cells inside it, rivers where a grid border is cut, and a few
// hills, mountains and woods inside the provinces. The result is what the
// map view reads: strip pictures of region ids and pixel classes at full and
// half scale, and the band table that turns local ids into provinces.
//
// A strip pixel holds the local region id of its band in the low 5 bits
// (31: sea or open country) and its class in the upper 3: 0 fill, 1 to 5
// shades of the owner's colour (4 the darkest, on the border), 7 sea.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/game_world.h"
#include "tools/encode/image_encoder.h"
#include "tools/missionc/mission_source.h"

// Strips are 64 pixels wide (32 at half scale), bands 128 rows high.
constexpr int kStripShift = 6;
constexpr int kBandRows = 128;

struct PaintedMap {
    int width = 0;
    int height = 0;
    std::vector<IndexedPicture> full;
    std::vector<IndexedPicture> half;
    MapBlockList blocks;
    // The smallest rect holding each province's pixels (left, top, right, bottom).
    std::vector<std::array<int16_t, 4>> rects;
};

// False with a message when the map cannot be cut as the view reads it (too
// many provinces in one band, a strip width the view would compute otherwise).
bool PaintMissionMap(const MissionSource& source, PaintedMap& out, std::string& error);

// The strip width the map view computes from a width and a strip count.
int ViewStripShift(int width, int strips);
