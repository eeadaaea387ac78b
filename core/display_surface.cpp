#include "core/display_surface.h"

#include <cstring>

#include "core/device_mgr.h"
#include "core/draw_context.h"
#include "core/surface_memory.h"
#include "platform/platform.h"

CDisplaySurface::~CDisplaySurface()
{
    Close();
}

bool CDisplaySurface::Open()
{
    DrawContextFactory factory = GetDrawContextFactory();
    m_screen = factory ? factory() : nullptr;
    if (!m_screen) {
        return false;
    }
    RawFrameBufferInfo info;
    if (GetRawFrameBuffer(info) > 0) {
        if (info.format == RAW_FORMAT_565) {
            m_converter = Converter::Rgb565;
        } else if (info.format == RAW_FORMAT_555) {
            m_converter = Converter::Rgb555;
        } else {
            return false;
        }
        if (!info.frame) {
            return false;
        }
        m_frame = info.frame;
        m_xPitch = info.xStride;
        m_yPitch = info.yStride;
        m_physicalWidth = info.width;
        m_physicalHeight = info.height;
    } else if (!OpenGameDisplay()) {
        return false;
    }
    if (m_physicalWidth <= 0 || m_physicalHeight <= 0 || m_physicalWidth > 2047 || m_physicalHeight > 2047) {
        Close();
        return false;
    }

    const int32_t w = m_physicalWidth;
    const int32_t h = m_physicalHeight;
    m_modes.SetSize(0);
    const DisplayMode modes[4] = {DisplayMode(w, h), DisplayMode(h, w), DisplayMode(-w, -h),
                                  DisplayMode(-h, -w)};
    for (const DisplayMode& mode : modes) {
        if (m_modes.Add(mode) < 0) {
            return false;
        }
    }
    m_current = m_modes[0];
    m_swapped = false;
    m_dirtyCount = 0;
    // Without a back buffer there is nothing to draw on: fail rather than run blind.
    return m_screen->CreateSurface(w, h, m_current.format);
}

bool CDisplaySurface::OpenGameDisplay()
{
    // Without raw access the screen is reached through the game library:
    // its pixel address is only good between the begin and end of a draw.
    if (!GXOpenDisplay(MainWindow(), GX_FULLSCREEN)) {
        return false;
    }
    m_gapi = true;
    const GXDisplayProperties properties = GXGetDisplayProperties();
    if (properties.ffFormat & kfDirect565) {
        m_converter = Converter::Rgb565;
    } else if (properties.ffFormat & kfDirect555) {
        m_converter = Converter::Rgb555;
    } else {
        Close();
        return false;
    }
    m_xPitch = properties.cbxPitch;
    m_yPitch = properties.cbyPitch;
    m_physicalWidth = static_cast<int32_t>(properties.cxWidth);
    m_physicalHeight = static_cast<int32_t>(properties.cyHeight);
    return true;
}

CDisplaySurface::ScreenAccess::ScreenAccess(CDisplaySurface& display) : m_display(display)
{
    if (display.m_gapi) {
        display.m_frame = static_cast<uint8_t*>(GXBeginDraw());
    }
}

CDisplaySurface::ScreenAccess::~ScreenAccess()
{
    if (m_display.m_gapi) {
        GXEndDraw();
        m_display.m_frame = nullptr;
    }
}

void CDisplaySurface::Close()
{
    if (m_gapi) {
        GXCloseDisplay();
        m_gapi = false;
    }
    delete m_screen;
    m_screen = nullptr;
    m_frame = nullptr;
}

void CDisplaySurface::Flush()
{
    bool any = m_dirtyCount > 0;
    DisplayBase::Flush();
    // Shown once per flush, so the palette fill and half-converted frames never are.
    if (any) {
        PresentScreen();
    }
}

bool CDisplaySurface::AllocSurfaceMemory(SurfaceDesc& surface)
{
    return AllocateSurfacePixels(surface);
}

bool CDisplaySurface::FreeSurfaceMemory(SurfaceDesc& surface)
{
    FreeSurfacePixels(surface);
    return true;
}

void CDisplaySurface::CopyRect(const SurfaceDesc& destination, const SurfaceDesc& source,
                               const PackedRect& sourceRect, PackedPoint destinationPoint)
{
    CopySurfaceRect(destination, source, sourceRect, destinationPoint);
}

PackedPoint CDisplaySurface::MapPoint(PackedPoint point) const
{
    const int32_t W = Width();
    const int32_t H = Height();
    int32_t x = point.X();
    int32_t y = point.Y();
    if (m_swapped) {
        int32_t t = x;
        x = y;
        y = H - t - 1;
    }
    if (m_current.Width() < 0) {
        x = W - x - 1;
    }
    if (m_current.Height() < 0) {
        y = H - y - 1;
    }
    return PackedPoint(x, y);
}

uint16_t CDisplaySurface::Convert(Converter converter, uint8_t r, uint8_t g, uint8_t b)
{
    if (converter == Converter::Rgb555) {
        return static_cast<uint16_t>(((r & 0xF8) << 7) | ((g & 0xF8) << 2) | (b >> 3));
    }
    return static_cast<uint16_t>(((r & 0xF8) << 8) | ((g & 0xFC) << 3) | (b >> 3));
}

void CDisplaySurface::SetPaletteEntries(int32_t first, int32_t count, const uint8_t* rgb)
{
    for (int32_t i = 0; i < count && first + i < 256; ++i) {
        m_colours[first + i] = Convert(m_converter, rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2]);
    }
    RebuildPairs();
    ScreenAccess access(*this);
    if (!m_frame) {
        return;
    }
    // The whole physical screen takes colour 7; the caller's full-screen
    // dirty rectangle repaints it at the next flush, before anything is shown.
    const uint16_t fill = m_colours[7];
    for (int32_t y = 0; y < m_physicalHeight; ++y) {
        uint8_t* p = m_frame + static_cast<intptr_t>(y) * m_yPitch;
        for (int32_t x = 0; x < m_physicalWidth; ++x) {
            *reinterpret_cast<uint16_t*>(p) = fill;
            p += m_xPitch;
        }
    }
}

void CDisplaySurface::RebuildPairs()
{
    // Index pair (first byte in the low half, as memory holds it) to the two
    // screen pixels, in the byte order of the machine.
    m_pairs.resize(65536);
    for (uint32_t hi = 0; hi < 256; ++hi) {
        for (uint32_t lo = 0; lo < 256; ++lo) {
            uint16_t both[2] = {m_colours[lo], m_colours[hi]};
            std::memcpy(&m_pairs[hi << 8 | lo], both, 4);
        }
    }
}

void CDisplaySurface::BlitTurned(const PackedRect& r, const SurfaceDesc& back, intptr_t origin, intptr_t step,
                                 intptr_t rowStep)
{
    // Back-buffer columns lie along screen rows here. Tiles of 4 x 4 are
    // turned in registers: four reads of four indexes, then each screen row
    // of the tile is written as one 8-byte run in memory order.
    const uint16_t* colours = m_colours;
    uint8_t* const frame = m_frame;
    const uint8_t* const pixels = back.pixels;
    const intptr_t pitch = back.pitch;
    const int32_t left = r.Left();
    const int32_t right = r.Right();
    const int32_t bottom = r.Bottom();
    const bool up = rowStep > 0;
    auto single = [&](int32_t x, int32_t y) {
        *reinterpret_cast<uint16_t*>(frame + origin + step * x + rowStep * y) =
            colours[pixels[y * pitch + x]];
    };
    int32_t y0 = r.Top();
    for (; y0 + 4 <= bottom + 1; y0 += 4) {
        const uint8_t* src = pixels + y0 * pitch;
        // The lowest screen address of the tile's first column.
        uint8_t* dst = frame + origin + step * left + rowStep * (up ? y0 : y0 + 3);
        int32_t x0 = left;
        for (; x0 + 4 <= right + 1; x0 += 4) {
            uint32_t r0, r1, r2, r3;
            std::memcpy(&r0, src + x0, 4);
            std::memcpy(&r1, src + pitch + x0, 4);
            std::memcpy(&r2, src + 2 * pitch + x0, 4);
            std::memcpy(&r3, src + 3 * pitch + x0, 4);
            // Column k of the tile: byte k of each of the four rows.
            auto column = [&](int shift) {
                uint64_t c0 = colours[(r0 >> shift) & 0xFF];
                uint64_t c1 = colours[(r1 >> shift) & 0xFF];
                uint64_t c2 = colours[(r2 >> shift) & 0xFF];
                uint64_t c3 = colours[(r3 >> shift) & 0xFF];
                return up ? (c0 | c1 << 16 | c2 << 32 | c3 << 48) : (c3 | c2 << 16 | c1 << 32 | c0 << 48);
            };
            const uint64_t k0 = column(0), k1 = column(8), k2 = column(16), k3 = column(24);
            std::memcpy(dst, &k0, 8);
            std::memcpy(dst + step, &k1, 8);
            std::memcpy(dst + 2 * step, &k2, 8);
            std::memcpy(dst + 3 * step, &k3, 8);
            dst += 4 * step;
        }
        for (int32_t x = x0; x <= right; ++x) {
            for (int32_t y = y0; y < y0 + 4; ++y)
                single(x, y);
        }
    }
    for (int32_t y = y0; y <= bottom; ++y) {
        for (int32_t x = left; x <= right; ++x)
            single(x, y);
    }
}

void CDisplaySurface::BlitRect(const PackedRect& rect)
{
    ScreenAccess access(*this);
    if (!m_frame || !m_screen) {
        return;
    }
    PackedRect r = rect;
    r.Intersect(FullScreenRect());
    if (!r.IsDefined()) {
        return;
    }
    const SurfaceDesc& back = m_screen->Surface();
    if (!back.pixels) {
        return;
    }
    const int32_t W = Width();
    const int32_t H = Height();
    const bool wPositive = m_current.Width() > 0;
    const bool hPositive = m_current.Height() > 0;

    // Screen address of back-buffer pixel (x, y) = frame + origin + x * step + y * rowStep.
    intptr_t step;
    intptr_t rowStep;
    intptr_t origin;
    if (!m_swapped) {
        step = wPositive ? m_xPitch : -m_xPitch;
        origin = wPositive ? 0 : static_cast<intptr_t>(m_xPitch) * (W - 1);
        rowStep = hPositive ? m_yPitch : -m_yPitch;
        origin += hPositive ? 0 : static_cast<intptr_t>(m_yPitch) * (H - 1);
    } else {
        step = wPositive ? m_yPitch : -m_yPitch;
        origin = wPositive ? 0 : static_cast<intptr_t>(m_yPitch) * (W - 1);
        rowStep = hPositive ? -m_xPitch : m_xPitch;
        origin += hPositive ? static_cast<intptr_t>(m_xPitch) * (H - 1) : 0;
    }

    const int32_t left = r.Left();
    const int32_t width = r.Width();
    const uint16_t* colours = m_colours;
    if (rowStep == 2 || rowStep == -2) {
        BlitTurned(r, back, origin, step, rowStep);
        return;
    }
    for (int32_t y = r.Top(); y <= r.Bottom(); ++y) {
        const uint8_t* src = back.pixels + static_cast<intptr_t>(y) * back.pitch + left;
        uint8_t* dst = m_frame + origin + step * left + rowStep * y;
        if (step == 2) {
            // The common case, a plain panel: two indexes at a time through
            // the table of pixel pairs, four pixels per store.
            uint16_t* d = reinterpret_cast<uint16_t*>(dst);
            const uint32_t* pairs = m_pairs.data();
            int32_t i = 0;
            for (; i + 8 <= width; i += 8) {
                uint64_t eight;
                std::memcpy(&eight, src + i, 8);
                uint32_t four[4] = {pairs[eight & 0xFFFF], pairs[(eight >> 16) & 0xFFFF],
                                    pairs[(eight >> 32) & 0xFFFF], pairs[eight >> 48]};
                std::memcpy(d + i, four, 16);
            }
            for (; i + 2 <= width; i += 2) {
                uint16_t two;
                std::memcpy(&two, src + i, 2);
                std::memcpy(d + i, &pairs[two], 4);
            }
            for (; i < width; ++i) {
                d[i] = colours[src[i]];
            }
        } else {
            for (int32_t i = 0; i < width; ++i) {
                *reinterpret_cast<uint16_t*>(dst) = colours[src[i]];
                dst += step;
            }
        }
    }
}
