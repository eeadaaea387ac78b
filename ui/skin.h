#pragma once
// Skins: named sets of images and sounds that give a kind of window its look
// and its clicks. Button skins and frame-window skins keep their images in
// nine-part frames (four corners, four edges and a client image). Skins are
// loaded once by name and kept, most recently used first, until the skin
// manager shuts down. Until a skin is chosen, buttons and frame windows use a
// default skin of their kind that is never loaded and draws nothing.

#include <cstdint>

#include "core/image_data.h"
#include "core/packed_geometry.h"
#include "core/ref_string.h"
#include "core/sound_data.h"

class CDrawContext;

class CFrameSkin {
public:
    // Loads the nine images from the current resource folder; the result is
    // true when any of them was found.
    bool Load(const char* topLeft, const char* top, const char* topRight, const char* left,
              const char* client, const char* right, const char* bottomLeft, const char* bottom,
              const char* bottomRight);
    bool LoadRow(const char* topLeft, const char* top, const char* topRight);
    bool LoadColumn(const char* topLeft, const char* left, const char* bottomLeft);
    bool LoadCorner(const char* topLeft);
    // The rect with its width or height fixed by the images.
    PackedRect FitRect(const PackedRect& rect) const;
    // Draws around the rect's edges; the rect is also the clip, so it must be
    // given where the context clips (a pushed origin does not move clips).
    void Draw(CDrawContext& dc, const PackedRect& rect) const;
    void Measure();

    int16_t LeftWidth() const { return m_left; }
    int16_t RightWidth() const { return m_right; }
    int16_t TopHeight() const { return m_top; }
    int16_t BottomHeight() const { return m_bottom; }
    const PackedRect& ClientInsets() const { return m_insets; }
    bool IsLoaded() const { return m_loaded != 0; }

    ImageData topEdge, bottomEdge, leftEdge, rightEdge;
    ImageData topLeft, topRight, bottomLeft, bottomRight;
    ImageData client;

private:
    int16_t m_left = 0, m_right = 0, m_top = 0, m_bottom = 0;
    PackedRect m_insets = PackedRect(0, 0, 0, 0);
    uint8_t m_loaded = 0;
};

class CSkinItem {
public:
    explicit CSkinItem(const CStr& name) : m_name(name) {}
    virtual ~CSkinItem() = default;
    CSkinItem(const CSkinItem&) = delete;
    CSkinItem& operator=(const CSkinItem&) = delete;
    virtual void* QueryInterface(int32_t id);
    virtual uint32_t Load() = 0;
    const CStr& Name() const { return m_name; }
    uint32_t value = 0;  // the loaded flag in its low byte
    bool IsLoaded() const { return (value & 0xFF) != 0; }

private:
    CStr m_name;
};

class CButtonSkin : public CSkinItem {
public:
    explicit CButtonSkin(const CStr& name) : CSkinItem(name) {}
    void* QueryInterface(int32_t id) override;
    uint32_t Load() override;
    CFrameSkin normal, pushed, disabled;
    SoundData click, penUp, penDown, push, release;
};

class CFrameWndSkin : public CSkinItem {
public:
    explicit CFrameWndSkin(const CStr& name) : CSkinItem(name) {}
    void* QueryInterface(int32_t id) override;
    uint32_t Load() override;
    SoundData showSound, hideSound;
    CFrameSkin frame;
    ImageData titleLeft, titleRight, titleCentre;
};

// The cached or newly loaded skin of a name (compared without case); null
// for an empty name or a name cached as the other kind.
CButtonSkin* GetButtonSkin(const CStr& name);
CFrameWndSkin* GetFrameWndSkin(const CStr& name);
// Frees every cached skin (the skin manager's shutdown).
void ClearSkinCache();
int32_t SkinCacheCount();
CButtonSkin& DefaultButtonSkin();
CFrameWndSkin& DefaultFrameWndSkin();

// Plays a loaded sound once at full volume; nothing for an empty one.
void PlaySkinSound(const SoundData& sound);
// Loaders that leave the slot empty when the resource is missing.
bool LoadImageSlot(const char* name, ImageData& image);
bool LoadSoundSlot(const char* name, SoundData& sound);
