#pragma once
// The display device. The game draws every pixel into an 8-bit palettized
// back buffer (the screen's drawing context); the device turns the dirty
// parts of it into 16-bit screen pixels once per frame step, through the
// platform's raw frame-buffer access, in any of the four rotations of the
// physical screen.
//
// DisplayBase holds what does not depend on the screen (modes, dirty list,
// palette, brightness and contrast); CDisplaySurface adds the screen.

#include <cstdint>
#include <vector>

#include "core/dyn_array.h"
#include "core/packed_geometry.h"
#include "core/surface_desc.h"

class CDrawContext;

// A screen mode: width and height as signed 12-bit values (negative: that
// axis runs backwards on the physical screen) and the back buffer's format.
struct DisplayMode {
    uint16_t widthWord = 0;
    uint16_t heightWord = 0;
    PixelFormat format = DefaultPixelFormat;
    uint8_t unused = 0;

    constexpr DisplayMode() = default;
    constexpr DisplayMode(int32_t width, int32_t height, PixelFormat f = DefaultPixelFormat)
        : widthWord(packed::Write(0, width)), heightWord(packed::Write(0, height)), format(f)
    {}
    constexpr int16_t Width() const { return packed::Read(widthWord); }
    constexpr int16_t Height() const { return packed::Read(heightWord); }
    constexpr bool operator==(const DisplayMode& o) const
    {
        return Width() == o.Width() && Height() == o.Height() && format == o.format;
    }
};
static_assert(sizeof(DisplayMode) == 8);

// The application's factory for the screen's drawing context; the display
// cannot open without one.
using DrawContextFactory = CDrawContext* (*)();
void SetDrawContextFactory(DrawContextFactory factory);
DrawContextFactory GetDrawContextFactory();

class DisplayBase {
public:
    static constexpr int32_t MaxDirtyRects = 30;

    DisplayBase();
    virtual ~DisplayBase();
    DisplayBase(const DisplayBase&) = delete;
    DisplayBase& operator=(const DisplayBase&) = delete;

    // ---- Device operations ----
    virtual bool Open() = 0;
    virtual void Close() = 0;
    // Converts each dirty rectangle in list order, then empties the list.
    virtual void Flush();
    // Fills pixels and pitch for a surface of area's size; true when allocated.
    virtual bool AllocSurfaceMemory(SurfaceDesc& surface) = 0;
    virtual bool FreeSurfaceMemory(SurfaceDesc& surface) = 0;
    // Copies 8-bit pixels; rows overlapping within one surface are copied safely.
    virtual void CopyRect(const SurfaceDesc& destination, const SurfaceDesc& source,
                          const PackedRect& sourceRect, PackedPoint destinationPoint) = 0;
    // A (turned) screen point to back-buffer coordinates.
    virtual PackedPoint MapPoint(PackedPoint point) const { return point; }
    virtual void BlitRect(const PackedRect& rect) = 0;
    virtual void SetPaletteEntries(int32_t first, int32_t count, const uint8_t* rgb) = 0;
    virtual bool SelectMode(const DisplayMode& mode);

    // ---- Modes ----
    int16_t Width() const;
    int16_t Height() const;
    PackedRect FullScreenRect() const { return PackedRect(0, 0, Width() - 1, Height() - 1); }
    int32_t ModeCount() const { return m_modes.Count(); }
    DisplayMode Mode(int32_t index) const { return m_modes[index]; }
    const DisplayMode& CurrentMode() const { return m_current; }
    // Index of an equal mode, -1 when none.
    int32_t FindMode(const DisplayMode& mode) const;
    // Selects a mode of the list, recreates the back buffer at its size and
    // marks the whole screen dirty. False (nothing changed) for a mode not in the list.
    bool SetMode(const DisplayMode& mode);
    bool IsSwapped() const { return m_swapped; }

    // ---- Dirty rectangles ----
    // Clips to the screen; a rectangle with nothing left on the screen is
    // dropped. Merges into the first entry it overlaps or touches, else
    // appends; a 31st separate rectangle grows the 30th.
    void AddDirtyRect(const PackedRect& rect);
    int32_t DirtyCount() const { return m_dirtyCount; }
    const PackedRect& DirtyRect(int32_t index) const { return m_dirty[index]; }

    // ---- Palette ----
    void SetPalette(int32_t first, int32_t count, const uint8_t* rgb);
    // Adjusts by contrast and brightness, converts, marks the whole screen dirty.
    void ApplyPalette(int32_t first, int32_t count, const uint8_t* rgb);
    const uint8_t* RawPalette() const { return m_rawPalette; }
    static uint8_t AdjustChannel(uint8_t value, uint8_t brightness, uint8_t contrast);
    uint8_t brightness = 128;
    uint8_t contrast = 128;

    // The back buffer's drawing context.
    CDrawContext* ScreenContext() const { return m_screen; }

protected:
    CDynArray<DisplayMode> m_modes{4};
    DisplayMode m_current;
    CDrawContext* m_screen = nullptr;
    PackedRect m_dirty[MaxDirtyRects];
    uint16_t m_dirtyCount = 0;
    bool m_swapped = false;
    uint8_t m_rawPalette[768] = {};
};

class CDisplaySurface : public DisplayBase {
public:
    ~CDisplaySurface() override;
    bool Open() override;
    void Close() override;
    void Flush() override;
    bool AllocSurfaceMemory(SurfaceDesc& surface) override;
    bool FreeSurfaceMemory(SurfaceDesc& surface) override;
    void CopyRect(const SurfaceDesc& destination, const SurfaceDesc& source, const PackedRect& sourceRect,
                  PackedPoint destinationPoint) override;
    PackedPoint MapPoint(PackedPoint point) const override;
    void BlitRect(const PackedRect& rect) override;
    void SetPaletteEntries(int32_t first, int32_t count, const uint8_t* rgb) override;

    enum class Converter : uint8_t {
        Rgb565,
        Rgb555
    };
    Converter PixelConverter() const { return m_converter; }
    static uint16_t Convert(Converter converter, uint8_t r, uint8_t g, uint8_t b);
    uint16_t ColourOf(uint8_t index) const { return m_colours[index]; }

    // True when the screen is reached through the game library's display.
    bool UsesGameDisplay() const { return m_gapi; }

private:
    // Holds the screen's pixel address for one draw: the raw frame pointer,
    // or the game library's draw begun here and ended when this goes.
    class ScreenAccess {
    public:
        explicit ScreenAccess(CDisplaySurface& display);
        ~ScreenAccess();
        ScreenAccess(const ScreenAccess&) = delete;
        ScreenAccess& operator=(const ScreenAccess&) = delete;

    private:
        CDisplaySurface& m_display;
    };
    bool OpenGameDisplay();
    void RebuildPairs();
    void BlitTurned(const PackedRect& rect, const SurfaceDesc& back, intptr_t origin, intptr_t step,
                    intptr_t rowStep);

    Converter m_converter = Converter::Rgb565;
    uint16_t m_colours[256] = {};
    std::vector<uint32_t> m_pairs = std::vector<uint32_t>(65536, 0);  // two pixels per index pair
    uint8_t* m_frame = nullptr;  // raw access: always; game library: during a draw
    bool m_gapi = false;
    int32_t m_xPitch = 0;
    int32_t m_yPitch = 0;
    int32_t m_physicalWidth = 0;
    int32_t m_physicalHeight = 0;
};

// The one display device while the device manager is up; null otherwise.
CDisplaySurface* GetDisplaySurface();
void SetDisplaySurface(CDisplaySurface* display);

// The palette stack of the screens that show their own palette. The current
// palette id and the palette switch belong to the raster, which installs them.
constexpr int32_t PaletteStackSize = 8;
constexpr uint8_t NoPaletteId = 255;
struct PaletteSwitch {
    uint8_t* currentId = nullptr;          // the raster's current palette id
    void (*select)(uint8_t id) = nullptr;  // selects (and uploads) a palette by id
};
void InstallPaletteSwitch(const PaletteSwitch& paletteSwitch);
// Saves the current palette id; false (nothing saved) when the stack is full.
bool PushPalette();
// Makes the current id 255 and selects the id saved by the matching push; a
// pop on an empty stack does nothing and returns false.
bool PopPalette();
int32_t PaletteStackDepth();
// Empties the stack (a fresh start for tests).
void ResetPaletteStack();
// SetPalette (0, 256, the palette's triples) of the display, when there is one.
void SetDisplayPalette(const uint8_t* rgb768);
