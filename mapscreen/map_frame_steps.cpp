#include "mapscreen/map_frame_steps.h"

#include "game/game_world.h"
#include "game/province_record.h"
#include "game/running_game.h"
#include "mapscreen/map_frame.h"
#include "mapscreen/map_view.h"
#include "mapscreen/map_wnd_parts.h"

void MapFrameSteps::SetViewHold(bool held) const
{
    if (m_frame)
        m_frame->View().HoldBlink(held);
}

void MapFrameSteps::Invalidate() const
{
    if (m_frame)
        m_frame->Window()->Invalidate();
}

void MapFrameSteps::SetDragScroll(bool on) const
{
    if (m_frame)
        m_frame->dragScrollEnabled = on ? 1 : 0;
}

void MapFrameSteps::SetViewSelection(int16_t province) const
{
    if (m_frame)
        m_frame->View().SelectProvince(province);
}

void MapFrameSteps::SetViewMapMode(bool on) const
{
    if (!m_frame)
        return;
    m_frame->View().markersShown = on ? 1 : 0;
    m_frame->View().OnActionMarkers();
}

void MapFrameSteps::ClearViewMarks(bool notify) const
{
    CGameWorld* world = GameWorld();
    if (!m_frame || !world)
        return;
    for (int i = 0; i < world->ProvinceCount(); ++i)
        m_frame->View().SetHighlight(-1, i, notify);
}

void MapFrameSteps::SetViewMark(int16_t province, int16_t mark, bool notify) const
{
    // -1 would name the selected province in the view.
    if (m_frame && province >= 0)
        m_frame->View().SetHighlight(mark, province, notify);
}

void MapFrameSteps::SetHalfScale(bool half) const
{
    if (m_frame)
        m_frame->SetHalfScale(half, true);
}

void MapFrameSteps::ScrollTo(int16_t province, uint8_t mark) const
{
    CGameWorld* world = GameWorld();
    if (!m_frame || !world || province < 0 || province >= world->ProvinceCount())
        return;
    m_frame->CenterOnProvince(&world->Province(province), mark != 0);
}

void MapFrameSteps::Place(const PackedRect& area, bool relayout, bool keepCurrentInView) const
{
    if (!m_frame)
        return;
    m_frame->relayoutRepaint = relayout ? 1 : 0;
    m_frame->Window()->SetRect(area, false);
    m_frame->relayoutRepaint = 0;
    if (keepCurrentInView) {
        if (ProvinceRecord* province = CurrentProvince())
            m_frame->CenterOnProvince(province, relayout);
    }
}

void MapFrameSteps::LoadMapBlocks(const CStr& missionPath) const
{
    if (m_frame)
        m_frame->LoadMapBlocks(missionPath);
}

void MapFrameSteps::ReleaseMapBlocks() const
{
    if (m_frame)
        m_frame->View().ReleaseBlocks();
}

void MapFrameSteps::SetPaletteActive(bool on) const
{
    if (m_frame)
        m_frame->SetMapPaletteActive(on);
}

void MapFrameSteps::Show(bool show) const
{
    if (m_frame)
        ShowWindow(m_frame->Window(), show);
}
