#pragma once
// CSplitSquadWnd ("/Map/MapWnd/MapBattleWnd/SplitSquadWnd"): asks how many
// units to split off a squad on the battle field. A slider runs from 1 to the
// squad size and starts at the proposed count; a text shows the two squads
// that would result. The opener sets size and chosen, runs the window and
// reads chosen after a result of 1.

#include <cstdint>

#include "ui/frame_wnd.h"

class CPushButton;
class CScrollBar;
class CTextWnd;

class CSplitSquadWnd : public CFrameWnd {
public:
    static constexpr const char* kLayoutPath = "/Map/MapWnd/MapBattleWnd/SplitSquadWnd";

    CSplitSquadWnd(CWindow* parent, const CStr& path);
    ~CSplitSquadWnd() override;

    void OnShow() override;

    // The squad size (the slider's maximum) and the count: proposed before
    // the run, chosen after it.
    uint32_t size = 0;
    uint32_t chosen = 0;

    CPushButton* OkButton() const { return m_ok; }
    CPushButton* CancelButton() const { return m_cancel; }
    CScrollBar* Slider() const { return m_slider; }
    CTextWnd* SplitText() const { return m_text; }

private:
    void OnSliderChanged(CScrollBar* bar);
    void ShowCounts();
    void OnOk(CWindow*, intptr_t);
    void OnCancel(CWindow*, intptr_t);

    CPushButton* m_ok = nullptr;
    CPushButton* m_cancel = nullptr;
    CScrollBar* m_slider = nullptr;
    CTextWnd* m_text = nullptr;
};
