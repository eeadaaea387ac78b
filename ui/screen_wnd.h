#pragma once
// CScreenWnd: the base of the full-screen windows. A screen shows a
// wallpaper with animations on it and a title bar at the top, plays
// background music and, while it is shown, puts its own palette on the
// display. Its pictures come from a screen skin folder ("wallpaper",
// "animation001"..., "title_l", "title_r", "title_c").
//
// The palette is pushed on the display's palette stack when the screen is
// shown and popped when it is hidden (or destroyed while shown), so a screen
// shown and hidden any number of times keeps the bounded stack balanced.

#include <cstdint>
#include <vector>

#include "core/image_data.h"
#include "ui/button.h"
#include "ui/composite_wnd.h"
#include "ui/frame_wnd.h"
#include "ui/layout_box.h"

class CScreenWnd : public CCompositeWnd, public CSkinTarget {
public:
    CScreenWnd(CWindow* parent, const CStr& path, bool load);
    ~CScreenWnd() override;
    void* QueryInterface(int32_t id) override;
    void Paint(const PackedRect& rect) override;
    void OnSize() override;
    void OnShow() override;
    void OnHide() override;

    bool LoadLayout(bool keepVisibility) override;
    uint32_t SetSkin(const CStr& name, bool redraw) override;
    void SetTitle(const CStr& key, bool redraw);
    void PlayMusic(bool on);
    void StartAnimations();
    void StopAnimations();

    const PackedPoint& WallpaperPosition() const { return m_position; }
    const PackedPoint& AnchorPoint() const { return m_anchor; }
    const std::vector<CAnimElement*>& Animations() const { return m_animations; }
    const CStr& PaletteName() const { return m_paletteName; }
    const PackedRect& TitleRect() const { return m_title.bar; }
    bool PalettePushed() const { return m_palettePushed; }
    CUiSound* Music() const { return m_music; }
    uint8_t titleColour = 15;

private:
    void PlaceWallpaper();
    void LayoutTitle();
    void OnAnimationFrame(CAlignedBox* element);
    void ClearAnimations();
    void ReleasePalette();

    ImageData m_wallpaper;
    std::vector<CAnimElement*> m_animations;
    PackedPoint m_position = UndefinedPoint;
    PackedPoint m_anchor = UndefinedPoint;
    PackedPoint m_size = UndefinedPoint;
    CStr m_paletteName;
    CStr m_titleText;
    ImageData m_titleLeft, m_titleRight, m_titleCentre;
    TitleLayout m_title;
    CUiSound* m_music = nullptr;
    bool m_palettePushed = false;
};
