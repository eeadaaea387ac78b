#include "app/new_game_wnd.h"

#include "app/sel_scenario_wnd.h"
#include "core/core_main.h"
#include "core/preference_names.h"
#include "game/game_world.h"
#include "game/scenario_mgr.h"
#include "mapdialogs/mini_map.h"
#include "ui/child_path.h"
#include "ui/label.h"
#include "ui/layout_box.h"
#include "ui/markup_wnd.h"
#include "ui/text_format.h"
#include "ui/value_scroller.h"
#include "ui/window_mgr.h"

namespace {

// The own-text flag: the scroller shows the text this window gives it.
void SetOwnText(CValueScroller* scroller, const CStr& text)
{
    scroller->ValueLabel()->SetText(text, true);
}

}  // namespace

CNewGameWnd::CNewGameWnd(CWindow* parent, const CStr& path) : CDialog(parent, path, true)
{
    m_miniMap = new CMiniMap(this, ChildPath(path, "MiniMap"), true);
    m_lblMission = new CLabel(this, ChildPath(path, "LblMission"), true);
    m_missionName = new CMarkupWnd(this, ChildPath(path, "RtMissionName"), true);
    m_lblDifficulty = new CLabel(this, ChildPath(path, "LblDifficulty"), true);
    m_lblHumans = new CLabel(this, ChildPath(path, "LblHumans"), true);
    m_lblMode = new CLabel(this, ChildPath(path, "LblMPMode"), true);
    m_btnSelect = new CPushButton(this, ChildPath(path, "BtnSelMiss"));
    m_btnStart = new CButton(this, ChildPath(path, "BtnStart"), true);
    m_btnMenu = new CButton(this, ChildPath(path, "BtnMenu"), true);
    m_scrDifficulty = new CValueScroller(this, ChildPath(path, "ScrDiff"), true);
    m_scrHumans = new CValueScroller(this, ChildPath(path, "ScrHumans"), true);
    m_scrMode = new CValueScroller(this, ChildPath(path, "ScrMPMode"), true);
    m_selection = new CSelScenarioWnd(this, ChildPath(path, "SelScenarioWnd"));
    m_selection->Show(false, false);

    m_btnSelect->Enable(Map::CSrenarionMgr::TotalMissions() > 0, false);
    MiniMapColourHook.Bind(this, &CNewGameWnd::ProvinceColour);
    m_scrDifficulty->flags |= ScrollerTextSuspended;
    m_scrMode->flags |= ScrollerTextSuspended;
    m_scenario = static_cast<uint16_t>(PrefLastScenario);
    m_mission = static_cast<uint16_t>(PrefLastMission);
    m_btnStart->BindHandler(HandlerClick, this, &CNewGameWnd::OnStart);
    m_btnMenu->BindHandler(HandlerClick, this, &CNewGameWnd::OnMenu);
    m_btnSelect->BindHandler(HandlerClick, this, &CNewGameWnd::OnSelectMission);
    m_scrDifficulty->valueChanged.Bind(this, &CNewGameWnd::OnDifficultyChanged);
    m_scrHumans->valueChanged.Bind(this, &CNewGameWnd::OnHumansChanged);
    m_scrMode->valueChanged.Bind(this, &CNewGameWnd::OnPlayModeChanged);
    m_scrDifficulty->SetMin(0, false);
    m_scrDifficulty->SetMax(3, false);
    m_scrDifficulty->SetValue(PrefLastDifficulty, false, false);
    OnDifficultyChanged(m_scrDifficulty);
}

CNewGameWnd::~CNewGameWnd()
{
    PrepareDestroy();
    MiniMapColourHook.Release(this);
}

uint32_t CNewGameWnd::GetDifficulty() const
{
    const int32_t value = m_scrDifficulty->Value();
    return value >= 0 && value <= 3 ? static_cast<uint32_t>(value) : 1;
}

uint8_t CNewGameWnd::GetHumanCount() const
{
    return static_cast<uint8_t>(m_scrHumans->Value());
}

void CNewGameWnd::ProvinceColour(uint8_t* pixel)
{
    if (!m_world || *pixel >= m_world->ProvinceCount())
        return;
    const uint8_t owner = m_world->Province(*pixel).ownerId;
    *pixel = owner < m_world->PlayerCount() ? m_world->Player(owner).playerId : 6;
}

void CNewGameWnd::OnShow()
{
    ShowSound().Sound().Play();
    CWindow::OnShow();
    m_world = std::make_unique<CGameWorld>();
    m_selection->Fill(m_world.get());
    Refresh();
}

void CNewGameWnd::OnHide()
{
    m_world.reset();
    HideSound().Sound().Play();
    CWindow::OnHide();
}

void CNewGameWnd::Refresh()
{
    MiniMapColourHook.Bind(this, &CNewGameWnd::ProvinceColour);
    m_scenario = static_cast<uint16_t>(m_selection->ScenarioIndex());
    m_mission = static_cast<uint16_t>(m_selection->MissionIndex());
    m_missionName->SetHAlign(AlignCentre, false);
    m_missionName->SetText(Map::CSrenarionMgr::MissionTitle(m_scenario, m_mission), true);
    m_miniMap->SetMissionPreview(Map::CSrenarionMgr::MissionPath(m_scenario, m_mission));
    int32_t required = 0, open = 0;
    if (m_world) {
        for (int i = 0; i < m_world->PlayerCount(); ++i) {
            const uint8_t assignment = m_world->Player(i).assignment;
            required += assignment == 0;
            open += assignment == 0 || assignment >= 128;
        }
    }
    const int32_t minimum = required > 0 ? required : 1;
    m_scrHumans->SetMin(minimum, false);
    m_scrHumans->SetMax(open, false);
    m_scrHumans->SetValue(minimum, true, true);
    m_scrMode->SetMin(0, false);
    m_scrMode->SetMax(0, false);
    m_scrMode->SetValue(0, true, true);
    // Without a mission that loads there is no game to start.
    m_btnStart->Enable(m_world && m_world->PlayerCount() > 0, true);
}

void CNewGameWnd::OnDifficultyChanged(CValueScroller* scroller)
{
    SetOwnText(scroller, LocaleText(DifficultyKey(scroller->Value(), "Normal")));
}

void CNewGameWnd::OnHumansChanged(CValueScroller* scroller)
{
    const bool several = scroller->Value() > 1;
    m_scrMode->Window()->Show(several, false);
    m_lblMode->Show(several, false);
    const bool computersLeft = !m_world || scroller->Value() != m_world->PlayerCount();
    m_lblDifficulty->Show(computersLeft, false);
    m_scrDifficulty->Window()->Show(computersLeft, false);
    Invalidate(UndefinedRect, true);
}

void CNewGameWnd::OnPlayModeChanged(CValueScroller* scroller)
{
    if (scroller->Value() == 0)
        SetOwnText(scroller, LocaleText("Hotseat"));
}

void CNewGameWnd::OnSelectMission(CWindow*, intptr_t)
{
    WindowGuard guard(this);
    const uint16_t result = RunModal(m_selection);
    if (!guard.Alive() || QuitFlag)
        return;
    if (result == ResultOk) {
        Refresh();
        Invalidate(UndefinedRect, true);
    }
}

void CNewGameWnd::OnStart(CWindow*, intptr_t)
{
    PrefLastDifficulty = static_cast<int16_t>(m_scrDifficulty->Value());
    SetModalResult(ResultOk);
    EndModal(this);
}

void CNewGameWnd::OnMenu(CWindow*, intptr_t)
{
    SetModalResult(ResultCancel);
    EndModal(this);
}
