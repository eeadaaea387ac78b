#include <algorithm>

#include "core/display_surface.h"
#include "core/draw_context.h"

namespace {

DrawContextFactory g_factory = nullptr;
CDisplaySurface* g_display = nullptr;

PaletteSwitch g_paletteSwitch;
uint8_t g_paletteStack[PaletteStackSize] = {};
uint16_t g_paletteDepth = 0;
uint32_t g_refusedPushes = 0;  // pushes beyond the stack, whose pops must not pop

}  // namespace

void SetDrawContextFactory(DrawContextFactory factory)
{
    g_factory = factory;
}
DrawContextFactory GetDrawContextFactory()
{
    return g_factory;
}
CDisplaySurface* GetDisplaySurface()
{
    return g_display;
}
void SetDisplaySurface(CDisplaySurface* display)
{
    g_display = display;
}

DisplayBase::DisplayBase() = default;

DisplayBase::~DisplayBase() = default;

int16_t DisplayBase::Width() const
{
    int16_t w = m_current.Width();
    return static_cast<int16_t>(w < 0 ? -w : w);
}

int16_t DisplayBase::Height() const
{
    int16_t h = m_current.Height();
    return static_cast<int16_t>(h < 0 ? -h : h);
}

void DisplayBase::Flush()
{
    for (int32_t i = 0; i < m_dirtyCount; ++i) {
        BlitRect(m_dirty[i]);
    }
    m_dirtyCount = 0;
}

bool DisplayBase::SelectMode(const DisplayMode& mode)
{
    auto absolute = [](int16_t v) { return v < 0 ? -v : v; };
    m_swapped = m_modes.Count() > 0 && absolute(mode.Width()) != absolute(m_modes[0].Width());
    return true;
}

int32_t DisplayBase::FindMode(const DisplayMode& mode) const
{
    for (int32_t i = 0; i < m_modes.Count(); ++i) {
        if (m_modes[i] == mode) {
            return i;
        }
    }
    return -1;
}

bool DisplayBase::SetMode(const DisplayMode& mode)
{
    int32_t index = FindMode(mode);
    if (index < 0) {
        return false;
    }
    SelectMode(m_modes[index]);
    m_current = m_modes[index];
    if (m_screen) {
        m_screen->CreateSurface(Width(), Height(), m_current.format);
    }
    m_dirtyCount = 0;
    AddDirtyRect(FullScreenRect());
    return true;
}

void DisplayBase::AddDirtyRect(const PackedRect& rect)
{
    PackedRect clipped = rect;
    clipped.Intersect(FullScreenRect());
    // Nothing of it on the screen: it would never merge and only take a slot
    // (and an undefined rectangle must never reach the blit).
    if (!clipped.IsDefined()) {
        return;
    }
    for (int32_t i = 0; i < m_dirtyCount; ++i) {
        if (m_dirty[i].Touches(clipped)) {
            m_dirty[i].Union(clipped);
            return;
        }
    }
    if (m_dirtyCount < MaxDirtyRects) {
        m_dirty[m_dirtyCount++] = clipped;
    } else {
        m_dirty[MaxDirtyRects - 1].Union(clipped);
    }
}

uint8_t DisplayBase::AdjustChannel(uint8_t value, uint8_t brightness, uint8_t contrast)
{
    int32_t v = (static_cast<int32_t>(value) - 128) * contrast / 128 + 128;
    v = v + brightness - 128;
    return static_cast<uint8_t>(std::clamp(v, 0, 255));
}

void DisplayBase::SetPalette(int32_t first, int32_t count, const uint8_t* rgb)
{
    if (!rgb || first < 0 || count <= 0 || first >= 256) {
        return;
    }
    count = std::min(count, 256 - first);
    std::copy(rgb, rgb + count * 3, m_rawPalette + first * 3);
    ApplyPalette(first, count, rgb);
}

void DisplayBase::ApplyPalette(int32_t first, int32_t count, const uint8_t* rgb)
{
    if (!rgb || first < 0 || count <= 0 || first >= 256) {
        return;
    }
    count = std::min(count, 256 - first);
    uint8_t adjusted[768];
    for (int32_t i = 0; i < count * 3; ++i) {
        adjusted[i] = AdjustChannel(rgb[i], brightness, contrast);
    }
    SetPaletteEntries(first, count, adjusted);
    AddDirtyRect(FullScreenRect());
}

void InstallPaletteSwitch(const PaletteSwitch& paletteSwitch)
{
    g_paletteSwitch = paletteSwitch;
}

bool PushPalette()
{
    // A ninth nested screen would write past the stack. Its push is refused
    // and counted, so that its pop does not take the entry of the screen
    // below it.
    if (g_paletteDepth >= PaletteStackSize) {
        ++g_refusedPushes;
        return false;
    }
    g_paletteStack[g_paletteDepth++] = g_paletteSwitch.currentId ? *g_paletteSwitch.currentId : NoPaletteId;
    return true;
}

bool PopPalette()
{
    // A screen that never showed pops too; an empty stack has nothing to give back.
    if (g_refusedPushes > 0) {
        --g_refusedPushes;
        return false;
    }
    if (g_paletteDepth == 0) {
        return false;
    }
    if (g_paletteSwitch.currentId) {
        *g_paletteSwitch.currentId = NoPaletteId;
    }
    uint8_t id = g_paletteStack[--g_paletteDepth];
    if (g_paletteSwitch.select) {
        g_paletteSwitch.select(id);
    }
    return true;
}

int32_t PaletteStackDepth()
{
    return g_paletteDepth;
}

void ResetPaletteStack()
{
    g_paletteDepth = 0;
    g_refusedPushes = 0;
}

void SetDisplayPalette(const uint8_t* rgb768)
{
    if (g_display) {
        g_display->SetPalette(0, 256, rgb768);
    }
}
