#pragma once
// CMapView: the content of the strategic map. It loads the map pictures and
// the mission's region strips, knows which province lies under a point,
// keeps the selected province blinking, decides which castle, flag and
// marker pictures belong to each province, and animates an army's flag
// marching between provinces. It has no window: the map frame embeds it,
// gives it scrolling and input, and repaints what the view's invalidate
// request names.
//
// The map is stored as vertical strips of region ids, each cut into bands of
// 128 rows (64 at half scale). A strip pixel holds the local region id of
// its band in the low 5 bits (31: no region) and its pixel class in the
// upper 3 bits; the band's pairs turn local ids into province indexes, so
// the colours of provinces change with their owners without new pictures.
//
// Descriptor "map" ("dat") of a mission folder, little-endian:
//   u16 map width, u16 second size value, u8 strip count N,
//   N x { u8 band count M, M x { u8 pair count P, P x { u8 local id, u8 province } } }
// Strip i is the picture "block<i>" (full scale) and "domblock<i>" (half).

#include <cstdint>
#include <functional>
#include <vector>

#include "core/draw_context.h"
#include "core/image_data.h"
#include "core/packed_geometry.h"
#include "core/ref_string.h"

class CTimer;
class CWindow;
class ProvinceRecord;
class PlayerRecord;
class CGameWorld;

enum MapSprite : int32_t {
    SpriteNone = -1,
    SpriteCapital = 0,
    SpriteCastle = 1,
    SpriteFlag1 = 2,  // .. SpriteFlag1 + 5 for flag numbers 0..5
    SpriteDoMove = 8,
    SpriteDoAttack = 9,
    SpriteDoTransfer = 10,
    SpriteDoRecruit = 11,
    SpriteDoScout = 12,
    SpriteDoDecease = 13,
    SpriteDoRobbery = 14,
    SpriteMiniCapital = 15,
    SpriteMiniCastle = 16,
    SpriteRecruitCount = 17,
    SpriteRecruitCountRevolt = 18,
    SpriteRecruitRevolt = 19,
    SpriteCount = 20,
};

// Names of the map pictures in "/Images/Map/", by sprite index.
extern const char* const kMapSpriteNames[SpriteCount];

// Province state byte: bit 5 highlighted, bits 3-4 the highlight level.
constexpr uint8_t kProvinceHighlighted = 0x20;
constexpr uint8_t kProvinceLevelMask = 0x18;
constexpr int32_t kMaxMapProvinces = 100;

// One band of a strip: local region id -> province index.
struct MapBandPairs {
    std::vector<uint8_t> regions;
    std::vector<uint8_t> provinces;
    // The province of a local id, -1 when the band has no pair for it.
    int32_t ProvinceOf(uint8_t region) const;
};

struct MapDescriptor {
    uint16_t width = 0;
    uint16_t second = 0;
    std::vector<std::vector<MapBandPairs>> strips;
    // False when the bytes run out or hold more than they should.
    bool Read(const uint8_t* data, uint32_t size);
};

// A texture: a copy of a picture in a surface of its own.
struct MapTexture {
    CDrawContext surface;
    const uint8_t* pixels = nullptr;
    uint16_t pitch = 0;
    uint8_t widthMask = 0;
    uint8_t heightMask = 0;
};

// What the colouring hook uses for one local region id of the band drawn.
struct RegionState {
    uint8_t owner = 6;  // owner colour 0..6
    uint8_t level = 0;  // highlight level 0..3
    uint8_t highlighted = 0;
};

class CMapView {
public:
    // Loads the map pictures from "/Images/Map/" and, for a non-empty folder,
    // the mission's blocks. A missing map picture is reported in the error
    // box ("Cannot load map resources"); the view then draws nothing.
    explicit CMapView(const CStr& missionFolder);
    ~CMapView();
    CMapView(const CMapView&) = delete;
    CMapView& operator=(const CMapView&) = delete;

    bool IsUsable() const { return m_usable != 0; }

    bool LoadBlocks(const CStr& folder);
    void ReleaseBlocks();
    void SetHalfScale(bool half);

    int32_t ProvinceAt(const PackedPoint& point) const;
    void SelectProvince(int32_t index);
    // level -1 clears the highlight; province -1 is the selected province.
    void SetHighlight(int32_t level, int32_t province, bool notify);
    PackedRect ProvinceRect(int32_t index) const;
    void InvalidateSpriteAt(int32_t sprite, int32_t x, int32_t y);
    void SetRecruitMode(bool on, uint8_t recruitIndex, bool refresh);
    // The recruit markers' numbers: units recruited into each province (of
    // the squad kind at the recruit index), set by the recruit mode.
    void SetRecruitCount(int32_t province, int32_t count);
    void ClearRecruitCounts();
    // A province's mark: its highlight level, -1 when it is not highlighted.
    int32_t Mark(int32_t province) const;
    // Runs frame steps until the flag has marched; the view belongs to the
    // host window, and the march leaves without touching the view again when
    // the host is destroyed meanwhile.
    void AnimateMove(uint8_t flagNumber, const PackedPoint& from, const PackedPoint& to,
                     CWindow* host = nullptr);
    void AnimationStep();
    // The blink hold: while held the selection does not blink.
    void HoldBlink(bool hold);
    bool IsBlinkHeld() const;
    void OnBlinkTimer();

    // Game-signal handlers.
    void OnProvinceChanged(uint8_t index);
    void OnRefresh();
    void OnActionMarkers();
    void RefreshRecruitMarkers();
    void ComputeRevoltChances();

    // The drawing pass (map_view_draw.cpp): the canvas's origin is the
    // view's top-left corner.
    void Draw(CDrawContext& dc);
    void PrepareTextures();

    // Which picture a province shows, SpriteNone for none.
    int32_t CastleSpriteOf(const ProvinceRecord& province) const;
    int32_t FlagSpriteOf(const ProvinceRecord& province) const;
    int32_t ActionMarkerOf(const ProvinceRecord& province) const;
    // A province point (castle or army) at the current scale.
    PackedPoint ScaledPoint(int32_t x, int32_t y) const;

    // The invalidate request: one handler taking a rect in view coordinates.
    void SetInvalidateHandler(std::function<void(const PackedRect&)> handler)
    {
        m_invalidate = std::move(handler);
    }
    void RequestInvalidate(const PackedRect& rect) const;

    // Fields the frame and the map window read or set.
    uint8_t markersShown = 0;
    bool BlocksLoaded() const { return m_blocksLoaded != 0; }
    bool IsBusy() const { return m_busy != 0; }
    bool IsHalfScale() const { return m_half != 0; }
    bool IsRecruitMode() const { return m_recruitMode != 0; }
    uint8_t RecruitIndex() const { return m_recruitIndex; }
    PackedPoint MapSize() const { return m_mapSize; }
    PackedPoint FullMapSize() const { return m_fullSize; }
    PackedPoint HalfMapSize() const { return m_halfSize; }
    int32_t SelectedProvince() const { return m_selected; }
    int8_t BlinkPhase() const { return m_blinkPhase; }
    uint8_t ProvinceState(int32_t index) const;
    int32_t StripShift() const { return m_stripShift; }
    int32_t BandShift() const { return m_bandShift; }
    int32_t StripCount() const { return static_cast<int32_t>(m_descriptor.strips.size()); }
    const MapDescriptor& Descriptor() const { return m_descriptor; }
    int16_t RevoltChanceOf(int32_t province) const;
    const ImageData& Sprite(int32_t index) const { return m_sprites[index]; }
    const PackedRect& SpriteRect(int32_t index) const { return m_spriteRects[index]; }
    CTimer* BlinkTimer() const { return m_blinkTimer; }
    PackedPoint AnimationPoint() const { return m_animPoint; }

private:
    friend struct MapDrawPass;
    void DrawSprite(CDrawContext& dc, int32_t sprite, int32_t x, int32_t y) const;
    void DrawRecruitMarker(CDrawContext& dc, const ProvinceRecord& province) const;
    int32_t RecruitCountOf(const ProvinceRecord& province) const;
    void InvalidateRecruitMarker(const ProvinceRecord& province);

    std::function<void(const PackedRect&)> m_invalidate;
    uint8_t m_usable = 0;
    uint8_t m_blocksLoaded = 0;
    CTimer* m_blinkTimer = nullptr;
    uint8_t m_recruitMode = 0;
    uint8_t m_recruitIndex = 0;
    uint8_t m_states[kMaxMapProvinces] = {};
    int32_t m_selected = -1;
    int8_t m_blinkPhase = 0;
    ImageData m_grass, m_sea, m_landBg, m_landBgSel;
    ImageData m_sprites[SpriteCount];
    PackedRect m_spriteRects[SpriteCount];
    MapTexture m_seaTexture, m_grassTexture;
    MapDescriptor m_descriptor;
    std::vector<ImageData> m_fullStrips, m_halfStrips;
    const std::vector<ImageData>* m_strips = &m_fullStrips;
    int32_t m_fullStripShift = 0;
    // 1 when the mission's strips come twice the size of its map (those of
    // the 480 x 640 skin): strips, bands, province points and rectangles
    // then count twice as many pixels; 0 at the map's own size.
    int32_t m_zoomShift = 0;
    int32_t m_stripShift = 0;
    int32_t m_bandShift = 7;
    int32_t m_bandMask = 127;
    PackedPoint m_mapSize = PackedPoint(0, 0);
    PackedPoint m_fullSize = PackedPoint(0, 0);
    PackedPoint m_halfSize = PackedPoint(0, 0);
    uint8_t m_half = 0;
    std::vector<int16_t> m_revoltChances;
    std::vector<int32_t> m_recruitCounts;
    uint8_t m_busy = 0;
    int32_t m_movingSprite = 0;
    PackedPoint m_animPoint = PackedPoint(0, 0);
    PackedPoint m_animStep = PackedPoint(0, 0);
    PackedPoint m_animTarget = PackedPoint(0, 0);
};

// The one view in existence, null when there is none.
extern CMapView* g_mapView;

// The owner colour of a province: the owner's flag number, 6 when neutral.
uint8_t MapOwnerColour(const ProvinceRecord& province);
// Palette index of ramp entry e (0..4) of owner colour o (0..6).
uint8_t MapRampColour(int32_t owner, int32_t entry);
