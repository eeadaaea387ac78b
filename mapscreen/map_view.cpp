#include "mapscreen/map_view.h"

#include <algorithm>
#include <cstdlib>

#include "core/byte_stream.h"
#include "core/core_main.h"
#include "core/device_mgr.h"
#include "core/error_code_stack.h"
#include "core/image_rows.h"
#include "core/path_mgr.h"
#include "core/preferences.h"
#include "core/raster.h"
#include "core/resource_mgr.h"
#include "core/time_mgr.h"
#include "game/game_rules.h"
#include "game/game_signals.h"
#include "game/game_world.h"
#include "game/player_colour.h"
#include "game/player_controller.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/running_game.h"
#include "ui/owner_timer.h"
#include "ui/ui_link.h"
#include "ui/window.h"
#include "ui/window_mgr.h"

CMapView* g_mapView = nullptr;

const char* const kMapSpriteNames[SpriteCount] = {
    "MapCapital",     "MapCastle",     "MapFlag1",      "MapFlag2",     "MapFlag3",
    "MapFlag4",       "MapFlag5",      "MapFlag6",      "DoMove",       "DoAttack",
    "DoTransfer",     "DoRecruit",     "DoScout",       "DoDecease",    "DoRobbery",
    "MapMiniCapital", "MapMiniCastle", "RecrArmyCount", "RecrArmyCntR", "RecrArmyRevolt",
};

namespace {

// Blink timer rates (tenths of events a second): a quick first step after a
// new selection, then a calm pace.
constexpr uint16_t kBlinkFirstRate = 150;
constexpr uint16_t kBlinkRate = 30;
constexpr int32_t kAnimationPause = 65;
// An animation ends when the flag is this close to its target on both axes.
constexpr int32_t kAnimationNear = 5;

CGameWorld* World()
{
    return GameWorld();
}

int32_t ProvinceCountOf(const CGameWorld* world)
{
    return world != nullptr ? std::min<int32_t>(world->ProvinceCount(), kMaxMapProvinces) : 0;
}

}  // namespace

// ---- Descriptor ----

int32_t MapBandPairs::ProvinceOf(uint8_t region) const
{
    for (size_t i = 0; i < regions.size(); ++i)
        if (regions[i] == region)
            return provinces[i];
    return -1;
}

bool MapDescriptor::Read(const uint8_t* data, uint32_t size)
{
    strips.clear();
    if (data == nullptr)
        return false;
    CStreamReader reader(data, size);
    uint8_t count = 0;
    reader.U16(width);
    reader.U16(second);
    reader.U8(count);
    if (reader.HasError())
        return false;
    strips.resize(count);
    for (auto& strip : strips) {
        uint8_t bands = 0;
        reader.U8(bands);
        if (reader.HasError())
            return false;
        strip.resize(bands);
        for (auto& band : strip) {
            uint8_t pairs = 0;
            reader.U8(pairs);
            // Each pair takes two bytes: a count the data cannot hold is refused
            // before anything is sized by it.
            if (reader.HasError() || reader.Position() + 2u * pairs > size)
                return false;
            band.regions.resize(pairs);
            band.provinces.resize(pairs);
            for (uint8_t p = 0; p < pairs; ++p) {
                reader.U8(band.regions[p]);
                reader.U8(band.provinces[p]);
            }
        }
    }
    return !reader.HasError();
}

// ---- Owner colours ----

uint8_t MapOwnerColour(const ProvinceRecord& province)
{
    if (province.ownerId > 254 || province.ownerId >= ProvinceRecord::kNeutralId)
        return 6;
    // The map's own ramp 6 is the colour of land without a lord.
    const uint8_t colour = PlayerColour(province.owner);
    return colour < kPlayerColourCount ? colour : 6;
}

uint8_t MapRampColour(int32_t owner, int32_t entry)
{
    static const uint8_t kOffsets[5] = {7, 6, 1, 0, 4};
    if (owner < 0 || owner > 6)
        owner = 6;
    if (entry < 0 || entry > 4)
        entry = 4;
    return static_cast<uint8_t>(128 + 8 * owner + kOffsets[entry]);
}

// ---- Construction ----

CMapView::CMapView(const CStr& missionFolder)
{
    g_mapView = this;
    m_blinkTimer = new OwnerTimer<CMapView>(this, &CMapView::OnBlinkTimer);
    CTaskMgr::AddTask(m_blinkTimer);
    bool ok = true;
    {
        ResourceFolderScope folder;
        CResourceMgr::SetCurrentFolder(CPathMgr::Path(CPathMgr::kImagesMap).Chars());
        ok = LoadImage("map_grass", m_grass) && ok;
        ok = LoadImage("map_sea", m_sea) && ok;
        ok = LoadImage("map_landbg", m_landBg) && ok;
        ok = LoadImage("map_landbg_sel", m_landBgSel) && ok;
        for (int32_t i = 0; i < SpriteCount; ++i)
            LoadImage(kMapSpriteNames[i], m_sprites[i]);
    }
    if (!ok) {
        ShowErrorBox(CStr("Cannot load map resources"));
        PushErrorCode(PopErrorCode() & 255);
        return;
    }
    for (int32_t i = 0; i < SpriteCount; ++i) {
        const ImageData& s = m_sprites[i];
        if (!s.HasHeader())
            continue;
        m_spriteRects[i] =
            PackedRect(-s.HotX(), -s.HotY(), s.Width() - 1 - s.HotX(), s.Height() - 1 - s.HotY());
    }
    PrepareTextures();
    m_usable = 1;
    SigProvinceChanged.Connect(this, &CMapView::OnProvinceChanged);
    SigMapViewRefresh.Connect(this, &CMapView::OnRefresh);
    SigActionMarkers.Connect(this, &CMapView::OnActionMarkers);
    if (!missionFolder.IsEmpty())
        LoadBlocks(missionFolder);
}

CMapView::~CMapView()
{
    if (g_mapView == this)
        g_mapView = nullptr;
    if (m_usable) {
        SigProvinceChanged.Disconnect();
        SigMapViewRefresh.Disconnect();
        SigActionMarkers.Disconnect();
    }
    ReleaseBlocks();
    if (m_blinkTimer != nullptr) {
        CTaskMgr::RemoveTask(m_blinkTimer);
        delete m_blinkTimer;
    }
}

// ---- Blocks ----

void CMapView::ReleaseBlocks()
{
    m_fullStrips.clear();
    m_halfStrips.clear();
    m_blocksLoaded = 0;
}

bool CMapView::LoadBlocks(const CStr& folder)
{
    ReleaseBlocks();
    ResourceFolderScope scope;
    CResourceMgr::SetCurrentFolder(folder.Chars());
    RawResource raw;
    if (!CResourceMgr::LoadData("map", pack_format::kDataType, raw))
        return false;
    MapDescriptor descriptor;
    if (!descriptor.Read(raw.data, raw.size) || descriptor.strips.empty())
        return false;
    // The strip width is the smallest power of two that the strip count covers.
    int32_t k = 0;
    while ((descriptor.width >> k) > static_cast<int32_t>(descriptor.strips.size()))
        ++k;
    const size_t n = descriptor.strips.size();
    std::vector<ImageData> full(n), half(n);
    int32_t fullWidth = 0, halfWidth = 0;
    for (size_t i = 0; i < n; ++i) {
        CStr name;
        name.Format("block%ld", static_cast<long>(i));
        if (!LoadImage(name.Chars(), full[i]))
            return false;
        name.Format("domblock%ld", static_cast<long>(i));
        if (!LoadImage(name.Chars(), half[i]))
            return false;
        fullWidth += full[i].Width();
        halfWidth += half[i].Width();
    }
    m_descriptor = std::move(descriptor);
    m_fullStrips = std::move(full);
    m_halfStrips = std::move(half);
    m_fullStripShift = k;
    m_zoomShift = fullWidth >= 2 * static_cast<int32_t>(m_descriptor.width) ? 1 : 0;
    m_fullSize = PackedPoint(static_cast<int16_t>(fullWidth), static_cast<int16_t>(m_fullStrips[0].Height()));
    m_halfSize = PackedPoint(static_cast<int16_t>(halfWidth), static_cast<int16_t>(m_halfStrips[0].Height()));
    SetHalfScale(m_half != 0);
    m_blocksLoaded = 1;
    return true;
}

void CMapView::SetHalfScale(bool half)
{
    m_half = half ? 1 : 0;
    const int32_t down = half ? 1 : 0;
    m_stripShift = std::max(m_fullStripShift + m_zoomShift - down, 0);
    m_bandShift = 7 + m_zoomShift - down;
    m_bandMask = (1 << m_bandShift) - 1;
    m_mapSize = half ? m_halfSize : m_fullSize;
    m_strips = half ? &m_halfStrips : &m_fullStrips;
}

int32_t CMapView::ProvinceAt(const PackedPoint& point) const
{
    if (!m_blocksLoaded || !point.IsDefined() || point.X() < 0 || point.Y() < 0)
        return -1;
    const int32_t strip = point.X() >> m_stripShift;
    const int32_t x = point.X() & ((1 << m_stripShift) - 1);
    if (strip >= static_cast<int32_t>(m_strips->size()))
        return -1;
    const ImageData& image = (*m_strips)[static_cast<size_t>(strip)];
    // Outside the picture the probe reads 0, which is a region id like any other.
    if (x >= image.Width() || point.Y() >= image.Height())
        return -1;
    const uint8_t region = ImageHitTest(x, point.Y(), image) & 31;
    if (region == 31)
        return -1;
    const auto& bands = m_descriptor.strips[static_cast<size_t>(strip)];
    const size_t band = static_cast<size_t>(point.Y() >> m_bandShift);
    if (band >= bands.size())
        return -1;
    const int32_t province = bands[band].ProvinceOf(region);
    // A pair naming a province the world does not have is no province.
    CGameWorld* world = World();
    if (province < 0 || (world != nullptr && province >= world->ProvinceCount()))
        return -1;
    return province;
}

// ---- Selection and highlight ----

uint8_t CMapView::ProvinceState(int32_t index) const
{
    return index >= 0 && index < kMaxMapProvinces ? m_states[index] : 0;
}

PackedRect CMapView::ProvinceRect(int32_t index) const
{
    CGameWorld* world = World();
    if (world == nullptr || index < 0 || index >= world->ProvinceCount())
        return UndefinedRect;
    const ProvinceRecord& p = world->Province(index);
    const PackedRect r = m_half ? p.halfRect : PackedRect(p.rect[0], p.rect[1], p.rect[2], p.rect[3]);
    if (m_zoomShift == 0 || !r.IsDefined())
        return r;
    const int32_t z = m_zoomShift;
    return PackedRect(static_cast<int16_t>(r.Left() << z), static_cast<int16_t>(r.Top() << z),
                      static_cast<int16_t>(((r.Right() + 1) << z) - 1),
                      static_cast<int16_t>(((r.Bottom() + 1) << z) - 1));
}

void CMapView::RequestInvalidate(const PackedRect& rect) const
{
    if (m_invalidate && rect.IsDefined())
        m_invalidate(rect);
}

void CMapView::SetHighlight(int32_t level, int32_t province, bool notify)
{
    if (province == -1)
        province = m_selected;
    if (province < 0 || province >= kMaxMapProvinces)
        return;
    uint8_t& state = m_states[province];
    const bool on = (state & kProvinceHighlighted) != 0;
    if (level < 0) {
        if (!on)
            return;
        state = static_cast<uint8_t>(state & ~kProvinceHighlighted);
    } else {
        const uint8_t wanted = static_cast<uint8_t>(((level & 3) << 3) | kProvinceHighlighted);
        if (on && (state & kProvinceLevelMask) == (wanted & kProvinceLevelMask))
            return;
        state = static_cast<uint8_t>((state & ~(kProvinceHighlighted | kProvinceLevelMask)) | wanted);
    }
    if (notify)
        RequestInvalidate(ProvinceRect(province));
}

void CMapView::SelectProvince(int32_t index)
{
    if (index == m_selected)
        return;
    if (m_selected >= 0)
        SetHighlight(-1, m_selected, true);
    m_selected = index;
    if (index >= 0) {
        m_blinkPhase = 0;
        m_blinkTimer->SetRate(kBlinkFirstRate);
        m_blinkTimer->suspended = 0;
    } else {
        m_blinkTimer->suspended = 1;
    }
}

void CMapView::HoldBlink(bool hold)
{
    // Without a selection there is nothing to blink: the timer stays held.
    m_blinkTimer->suspended = (hold || m_selected < 0) ? 1 : 0;
}

bool CMapView::IsBlinkHeld() const
{
    return m_blinkTimer->suspended != 0;
}

void CMapView::OnBlinkTimer()
{
    if (m_busy) {
        AnimationStep();
        return;
    }
    m_blinkTimer->SetRate(kBlinkRate);
    switch (m_blinkPhase) {
    case 0:
        m_blinkPhase = 2;
        break;
    case 2:
        m_blinkPhase = 1;
        break;
    case 1:
        m_blinkPhase = -2;
        break;
    default:
        m_blinkPhase = 0;
        break;
    }
    SetHighlight(std::abs(m_blinkPhase) - 1, m_selected, true);
}

// ---- Sprites ----

PackedPoint CMapView::ScaledPoint(int32_t x, int32_t y) const
{
    const int32_t down = m_half ? 1 : 0;
    return PackedPoint(static_cast<int16_t>((x << m_zoomShift) >> down),
                       static_cast<int16_t>((y << m_zoomShift) >> down));
}

void CMapView::InvalidateSpriteAt(int32_t sprite, int32_t x, int32_t y)
{
    if (sprite < 0 || sprite >= SpriteCount || !m_spriteRects[sprite].IsDefined())
        return;
    const PackedPoint p = ScaledPoint(x, y);
    PackedRect r = m_spriteRects[sprite];
    r.Offset(p.X(), p.Y());
    RequestInvalidate(r);
}

int32_t CMapView::CastleSpriteOf(const ProvinceRecord& province) const
{
    if (!province.HasCastle())
        return SpriteNone;
    if (province.castle.capital)
        return m_half ? SpriteMiniCapital : SpriteCapital;
    return m_half ? SpriteMiniCastle : SpriteCastle;
}

int32_t CMapView::FlagSpriteOf(const ProvinceRecord& province) const
{
    const PlayerRecord* owner = province.owner;
    if (owner == nullptr || province.ownerId >= ProvinceRecord::kNeutralId)
        return SpriteNone;
    if (owner != CurrentPlayer() || !Game().humanTurnActive)
        return SpriteNone;
    const uint8_t colour = PlayerColour(owner);
    if (owner->armyLocation != province.index || colour >= kPlayerColourCount)
        return SpriteNone;
    return SpriteFlag1 + colour;
}

int32_t CMapView::ActionMarkerOf(const ProvinceRecord& province) const
{
    if (!markersShown)
        return SpriteNone;
    if (PrefMapOptions[2] != 0 && province.index != m_selected)
        return SpriteNone;
    const CPlayerController* controller = CurrentController();
    if (controller == nullptr || !controller->IsInteractive())
        return SpriteNone;
    switch (controller->MapActionAt(&province)) {
    case 1:
        return SpriteDoMove;
    case 2:
        return SpriteDoAttack;
    case 3:
        return SpriteDoTransfer;
    case 5:
        return SpriteDoScout;
    case 6:
        return SpriteDoDecease;
    case 8:
        return SpriteDoRobbery;
    default:
        return SpriteNone;
    }
}

// ---- Recruit markers ----

void CMapView::SetRecruitMode(bool on, uint8_t recruitIndex, bool refresh)
{
    m_recruitMode = on ? 1 : 0;
    m_recruitIndex = recruitIndex;
    if (on)
        ComputeRevoltChances();
    if (refresh)
        RefreshRecruitMarkers();
}

int16_t CMapView::RevoltChanceOf(int32_t province) const
{
    return province >= 0 && province < static_cast<int32_t>(m_revoltChances.size())
               ? m_revoltChances[static_cast<size_t>(province)]
               : 0;
}

void CMapView::ComputeRevoltChances()
{
    m_revoltChances = RevoltChancesFromCapital(CurrentPlayer());
}

int32_t CMapView::RecruitCountOf(const ProvinceRecord& province) const
{
    return province.index < m_recruitCounts.size() ? m_recruitCounts[province.index] : 0;
}

void CMapView::SetRecruitCount(int32_t province, int32_t count)
{
    if (province < 0 || province >= kMaxMapProvinces)
        return;
    if (static_cast<size_t>(province) >= m_recruitCounts.size())
        m_recruitCounts.resize(static_cast<size_t>(province) + 1, 0);
    m_recruitCounts[static_cast<size_t>(province)] = count;
}

void CMapView::ClearRecruitCounts()
{
    m_recruitCounts.clear();
}

int32_t CMapView::Mark(int32_t province) const
{
    const uint8_t state = ProvinceState(province);
    return (state & kProvinceHighlighted) ? (state & kProvinceLevelMask) >> 3 : -1;
}

void CMapView::InvalidateRecruitMarker(const ProvinceRecord& province)
{
    InvalidateSpriteAt(SpriteRecruitCount, province.points[2], province.points[3]);
}

void CMapView::RefreshRecruitMarkers()
{
    if (!m_recruitMode)
        return;
    ComputeRevoltChances();
    CGameWorld* world = World();
    PlayerRecord* player = CurrentPlayer();
    for (int32_t i = 0; i < ProvinceCountOf(world); ++i) {
        const ProvinceRecord& p = world->Province(i);
        if (p.owner == player && RecruitCountOf(p) > 0)
            InvalidateRecruitMarker(p);
    }
}

// ---- Game signals ----

void CMapView::OnProvinceChanged(uint8_t index)
{
    // 255 names no province of its own: it stands for the selected one.
    const int32_t province = index == 255 ? m_selected : index;
    if (province >= 0)
        RequestInvalidate(ProvinceRect(province));
}

void CMapView::OnRefresh()
{
    CGameWorld* world = World();
    PlayerRecord* player = CurrentPlayer();
    for (int32_t i = 0; i < ProvinceCountOf(world); ++i) {
        const ProvinceRecord& p = world->Province(i);
        for (int32_t flag = 0; flag < 6; ++flag)
            InvalidateSpriteAt(SpriteFlag1 + flag, p.points[2], p.points[3]);
        InvalidateSpriteAt(m_half ? SpriteMiniCastle : SpriteCastle, p.points[0], p.points[1]);
        InvalidateSpriteAt(m_half ? SpriteMiniCapital : SpriteCapital, p.points[0], p.points[1]);
        if (markersShown) {
            InvalidateSpriteAt(SpriteDoMove, p.points[2], p.points[3]);
            InvalidateSpriteAt(SpriteDoAttack, p.points[0], p.points[1]);
        }
        if (m_recruitMode && p.owner == player && RecruitCountOf(p) > 0)
            InvalidateRecruitMarker(p);
    }
}

void CMapView::OnActionMarkers()
{
    if (!markersShown)
        return;
    CGameWorld* world = World();
    for (int32_t i = 0; i < ProvinceCountOf(world); ++i) {
        const ProvinceRecord& p = world->Province(i);
        // A marker may have gone as well as come: both anchors are repainted.
        for (int32_t s = SpriteDoMove; s <= SpriteDoRobbery; ++s) {
            if (s == SpriteDoMove)
                InvalidateSpriteAt(s, p.points[2], p.points[3]);
            else
                InvalidateSpriteAt(s, p.points[0], p.points[1]);
        }
    }
}

// ---- Army-move animation ----

void CMapView::AnimateMove(uint8_t flagNumber, const PackedPoint& from, const PackedPoint& to, CWindow* host)
{
    const int32_t sprite = SpriteFlag1 + std::min<int32_t>(flagNumber, 5);
    if (PrefMapOptions[3] == 0) {
        InvalidateSpriteAt(sprite, from.X(), from.Y());
        InvalidateSpriteAt(sprite, to.X(), to.Y());
        return;
    }
    m_blinkTimer->suspended = 1;
    m_busy = 1;
    m_movingSprite = sprite;
    m_animPoint = from;
    m_animStep = PackedPoint(static_cast<int16_t>((to.X() - from.X()) >> 2),
                             static_cast<int16_t>((to.Y() - from.Y()) >> 2));
    m_animTarget = to;
    CWindow* root = CWindowMgr::Root();
    if (root != nullptr)
        root->Enable(false, false);
    WindowGuard hostAlive(host);
    while (IsAppRunning() && m_busy) {
        AnimationStep();
        CTimeMgr::Sleep(kAnimationPause);
        FrameStep();
        if (host != nullptr && !hostAlive.Alive())
            break;
    }
    if (CWindowMgr::Root() != nullptr)
        CWindowMgr::Root()->Enable(true, false);
    if (host != nullptr && !hostAlive.Alive())
        return;
    m_busy = 0;
    HoldBlink(false);
}

void CMapView::AnimationStep()
{
    if (!m_busy)
        return;
    InvalidateSpriteAt(m_movingSprite, m_animPoint.X(), m_animPoint.Y());
    if (std::abs(m_animTarget.X() - m_animPoint.X()) < kAnimationNear &&
        std::abs(m_animTarget.Y() - m_animPoint.Y()) < kAnimationNear) {
        m_busy = 0;
        return;
    }
    m_animPoint = PackedPoint(static_cast<int16_t>(m_animPoint.X() + m_animStep.X()),
                              static_cast<int16_t>(m_animPoint.Y() + m_animStep.Y()));
    InvalidateSpriteAt(m_movingSprite, m_animPoint.X(), m_animPoint.Y());
}
