#pragma once
// CDialog: the base of the game's dialog windows: a frame window that plays
// its own sounds, named in its node ("SndShow_", "SndHide_", "SndClick_"),
// when it is shown, hidden and tapped, instead of the frame skin's.

#include "ui/frame_wnd.h"

class CDialog : public CFrameWnd {
public:
    CDialog(CWindow* parent, const CStr& path, bool load);
    ~CDialog() override;
    void* QueryInterface(int32_t id) override;
    void OnClick(const PackedPoint& point) override;
    void OnShow() override;
    void OnHide() override;
    bool LoadLayout(bool keepVisibility) override;

    CUiSound& ShowSound() { return *m_show; }
    CUiSound& HideSound() { return *m_hide; }
    CUiSound& ClickSound() { return *m_click; }

private:
    CUiSound* m_show;
    CUiSound* m_hide;
    CUiSound* m_click;
};
