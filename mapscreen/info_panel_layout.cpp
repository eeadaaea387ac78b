#include "mapscreen/info_panel_layout.h"

#include <algorithm>

#include "mapscreen/map_panels.h"
#include "mapscreen/map_wnd_parts.h"
#include "ui/button.h"
#include "ui/composite_wnd.h"
#include "ui/frame_wnd.h"

void InfoPanelLayout::TakeSectionSizes(const MapPanels& p)
{
    if (p.provinceDetails)
        m_provinceDetailsRect = p.provinceDetails->Window()->RequestedRect();
    if (p.armyDetails)
        m_armyDetailsRect = p.armyDetails->Window()->RequestedRect();
    if (p.castleDetails)
        m_castleDetailsRect = p.castleDetails->Window()->RequestedRect();
}

void InfoPanelLayout::TakeMinimumHeight(const MapPanels& p)
{
    m_minInfoHeight = p.info->ClientRect().IsDefined() ? p.info->ClientRect().Height() : 0;
}

void InfoPanelLayout::Place(const MapPanels& p) const
{
    int32_t h = m_provinceDetailsRect.IsDefined() ? m_provinceDetailsRect.Height() : 0;
    ShowWindow(p.info, false);
    ShowWindow(p.campArmy, false);
    const bool details = !(p.provArmyToggle->IsVisible() && !p.provArmyToggle->IsDrawnDown());
    struct Section {
        CCompositeWnd* section;
        const PackedRect& saved;
    };
    for (const Section& s :
         {Section{p.armyDetails, m_armyDetailsRect}, Section{p.castleDetails, m_castleDetailsRect}}) {
        if (!s.section)
            continue;
        if (!details || !s.saved.IsDefined()) {
            ShowWindow(s.section->Window(), false);
            continue;
        }
        PackedRect placed = s.saved;
        placed.Offset(0, int16_t(h));
        s.section->Window()->SetRect(placed, false);
        h += s.saved.Height();
        ShowWindow(s.section->Window(), true);
    }
    PackedRect rect = p.info->RequestedRect();
    if (rect.IsDefined()) {
        int32_t top = 0;
        if (!(p.campArmyToggle && p.campArmyToggle->IsVisible() && !p.campArmyToggle->IsDrawnDown())) {
            ShowWindow(p.campArmy, true);
            top = p.campArmy ? -p.campArmy->Height() : 0;
        }
        // The minimum and the sections' heights measure the client area; the
        // frame's margins come on top so that the border never eats a section.
        const int32_t margins = p.info->Margins().Top() + p.info->Margins().Bottom();
        const int32_t height = std::max<int32_t>(h, m_minInfoHeight) + margins;
        p.info->SetRect(PackedRect(rect.Left(), top, rect.Right(), top + height - 1), false);
    }
    ShowWindow(p.info, true);
}
