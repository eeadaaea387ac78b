#include "app/sel_scenario_wnd.h"

#include "core/preference_names.h"
#include "core/ui_mgr.h"
#include "game/game_world.h"
#include "game/scenario_mgr.h"
#include "mapdialogs/mini_map.h"
#include "ui/child_path.h"
#include "ui/inks.h"
#include "ui/layout_box.h"
#include "ui/markup_wnd.h"
#include "ui/paged_text_wnd.h"
#include "ui/text_format.h"
#include "ui/window_mgr.h"

namespace {

// A text control's string 0 as a format when it has one, else the text
// itself.
template <typename... Args>
void ShowFormatted(CTextWnd* control, const CStr& plain, const Args&... args)
{
    CStr format;
    if (control->GetString(0, format) && !format.IsEmpty()) {
        FormatTextControl(control, args...);
    } else {
        control->SetText(plain, true);
    }
}

}  // namespace

CSelScenarioWnd::CSelScenarioWnd(CWindow* parent, const CStr& path) : CFrameWnd(parent, path, true)
{
    const CStr right = ChildPath(path, "FrameRight");
    const CStr left = ChildPath(path, "FrameLeft");
    m_right = new CFrameWnd(this, right, true);
    // The facts stay where they are while the list beside them is used.
    m_right->SetFlag(WndRaiseOnPenDown, false);
    m_rtMission = new CTextWnd(m_right, ChildPath(right, "RtMission"), true);
    m_rtDifficulty = new CTextWnd(m_right, ChildPath(right, "RtDifficulty"), true);
    m_rtProvinces = new CTextWnd(m_right, ChildPath(right, "RtProvinces"), true);
    m_rtPlayers = new CTextWnd(m_right, ChildPath(right, "RtPlayers"), true);
    m_miniMap = new CMiniMap(m_right, ChildPath(right, "MiniMap"), true);
    m_btnAuthor = new CPushButton(m_right, ChildPath(right, "BtnAuthor"));
    m_rtDescr = new CMarkupWnd(m_right, ChildPath(right, "RtDescr"), true);
    m_rtDescr->SetVAlign(AlignCentre, true);
    m_btnDescr = new CPushButton(m_right, ChildPath(right, "BtnDescr"));
    m_descrVisibleByLayout = m_btnDescr->IsVisible();
    m_left = new CFrameWnd(this, left, true);
    m_btnOk = new CPushButton(this, ChildPath(path, "BtnOk"));
    m_btnCancel = new CPushButton(this, ChildPath(path, "BtnCancel"));
    m_btnUp = new CPushButton(m_left, ChildPath(left, "BtnUp"));
    m_btnDown = new CPushButton(m_left, ChildPath(left, "BtnDn"));
    BuildMissionButtons();
    m_btnOk->BindHandler(HandlerClick, this, &CSelScenarioWnd::OnOk);
    m_btnCancel->BindHandler(HandlerClick, this, &CSelScenarioWnd::OnCancel);
    m_btnUp->BindHandler(HandlerClick, this, &CSelScenarioWnd::OnUp);
    m_btnDown->BindHandler(HandlerClick, this, &CSelScenarioWnd::OnDown);
    m_btnDescr->BindHandler(HandlerClick, this, &CSelScenarioWnd::OnDescription);
    m_btnAuthor->BindHandler(HandlerClick, this, &CSelScenarioWnd::OnAuthor);
}

CSelScenarioWnd::~CSelScenarioWnd()
{
    PrepareDestroy();
}

void CSelScenarioWnd::BuildMissionButtons()
{
    const CStr path = ChildPath(m_link.Path(), "FrameLeft/MissionBtn");
    int32_t left = 0, top = 0, width = 0, rowHeight = 0;
    {
        TreeNodeScope scope;
        CUiTree& tree = CUIMgr::Tree();
        if (!scope.Saved() || !tree.ResolvePath(path.Chars()))
            return;
        // The head's visibility and anchor are not used here.
        tree.ReadValue();
        tree.ReadValue();
        left = tree.ReadValue();
        top = tree.ReadValue();
        width = tree.ReadValue();
        rowHeight = tree.ReadValue();
    }
    if (rowHeight <= 0)
        rowHeight = 1;
    const PackedRect& client = m_left->ClientRect();
    const int32_t room = (client.IsDefined() ? client.Height() : 0) - top - m_btnDown->Height();
    const int32_t count = room > 0 ? room / rowHeight : 0;
    for (int32_t i = 0; i < count; ++i) {
        auto* button = new CMarkupButton(m_left, path, true);
        button->Face()->foreground = kInkOnDark;
        const int32_t y = top + i * rowHeight;
        button->SetRect(PackedRect(left, y, left + width - 1, y + rowHeight - 1), true);
        button->mode = PressRadio;
        button->BindHandler(HandlerClick, this, &CSelScenarioWnd::OnMissionButton);
        m_buttons.push_back(button);
    }
}

void CSelScenarioWnd::Fill(CGameWorld* world)
{
    m_world = world;
    int scenario = PrefLastScenario, mission = PrefLastMission;
    const Map::ScenarioEntry* entry = Map::CSrenarionMgr::Scenario(scenario);
    if (entry == nullptr || mission < 0 || mission >= entry->missions)
        scenario = mission = 0;
    m_total = static_cast<int16_t>(Map::CSrenarionMgr::TotalMissions());
    FormatTextControl(m_rtDifficulty, LocaleText("Average"));
    for (int32_t i = 0; i < ButtonCount(); ++i) {
        CMarkupButton* button = m_buttons[static_cast<size_t>(i)];
        if (i < m_total) {
            int s = 0, m = 0;
            Map::CSrenarionMgr::MissionFromIndex(i, &s, &m);
            button->SetMarkupText(Map::CSrenarionMgr::MissionTitle(s, m), false);
            button->Face()->SetAlign(AlignCentre, AlignCentre, true);
            button->Show(true, false);
        } else {
            button->Show(false, false);
        }
    }
    m_firstVisible = 0;
    const bool scrolls = m_total > ButtonCount();
    m_btnUp->Enable(false, false);
    m_btnDown->Enable(scrolls, false);
    m_btnUp->Show(scrolls, false);
    m_btnDown->Show(scrolls, false);
    m_confirmed = static_cast<int16_t>(Map::CSrenarionMgr::IndexOfMission(scenario, mission));
    // A mission named by the preferences that no longer loads would leave
    // the new game without a world: the first mission that loads is taken.
    if (m_total > 0 && !LoadIntoWorld(m_confirmed)) {
        for (int16_t n = 0; n < m_total; ++n) {
            if (LoadIntoWorld(n)) {
                m_confirmed = n;
                break;
            }
        }
    }
    Select(m_confirmed);
    RefreshButtonTexts();
}

bool CSelScenarioWnd::LoadIntoWorld(int16_t globalMission)
{
    int s = 0, m = 0;
    if (m_world == nullptr || !Map::CSrenarionMgr::MissionFromIndex(globalMission, &s, &m))
        return false;
    return m_world->LoadPreview(ChildPath(Map::CSrenarionMgr::MissionPath(s, m), "mission"));
}

void CSelScenarioWnd::Select(int16_t n)
{
    for (int32_t i = 0; i < ButtonCount(); ++i)
        m_buttons[static_cast<size_t>(i)]->SetChecked(m_firstVisible + i == n, true);
    m_current = n;
    int s = 0, m = 0;
    Map::CSrenarionMgr::MissionFromIndex(n, &s, &m);
    m_scenario = static_cast<int16_t>(s);
    m_mission = static_cast<int16_t>(m);
    if (!LoadIntoWorld(n)) {
        if (n != m_confirmed)
            Select(m_confirmed);
        return;
    }
    const CStr missionPath = Map::CSrenarionMgr::MissionPath(s, m);
    m_miniMap->SetMissionPreview(missionPath);
    const CStr title = Map::CSrenarionMgr::MissionTitle(s, m);
    ShowFormatted(m_rtMission, title, title);
    FormatTextControl(m_rtProvinces, m_world->ProvinceCount());
    FormatTextControl(m_rtPlayers, m_world->PlayerCount());
    m_rtDescr->LoadText(Map::CSrenarionMgr::ShortDescrPath(s, m).Chars());
    m_btnDescr->Show(m_rtDescr->PageCount() >= 2 || m_descrVisibleByLayout, false);
    m_btnAuthor->Show(Map::CSrenarionMgr::HasAuthor(s, m) || Map::CSrenarionMgr::HasAuthorNotes(s, m), false);
    Invalidate(UndefinedRect, true);
}

void CSelScenarioWnd::RefreshButtonTexts()
{
    for (int32_t i = 0; i < ButtonCount() && m_firstVisible + i < m_total; ++i) {
        int s = 0, m = 0;
        Map::CSrenarionMgr::MissionFromIndex(m_firstVisible + i, &s, &m);
        CMarkupButton* button = m_buttons[static_cast<size_t>(i)];
        button->SetMarkupText(Map::CSrenarionMgr::MissionTitle(s, m), true);
        button->SetChecked(s == m_scenario && m == m_mission, true);
    }
}

void CSelScenarioWnd::ScrollUp()
{
    if (m_firstVisible <= 0)
        return;
    --m_firstVisible;
    m_btnUp->Enable(m_firstVisible > 0, true);
    m_btnDown->Enable(true, true);
    RefreshButtonTexts();
}

void CSelScenarioWnd::ScrollDown()
{
    const int16_t last = static_cast<int16_t>(m_total - ButtonCount());
    if (m_firstVisible >= last)
        return;
    ++m_firstVisible;
    m_btnDown->Enable(m_firstVisible < last, true);
    m_btnUp->Enable(true, true);
    RefreshButtonTexts();
}

void CSelScenarioWnd::OnMissionButton(CWindow* button, intptr_t)
{
    for (int32_t i = 0; i < ButtonCount(); ++i) {
        if (m_buttons[static_cast<size_t>(i)] == button) {
            Select(static_cast<int16_t>(m_firstVisible + i));
            return;
        }
    }
}

void CSelScenarioWnd::OnOk(CWindow*, intptr_t)
{
    m_confirmed = m_current;
    SetModalResult(ResultOk);
    EndModal(this);
}

void CSelScenarioWnd::OnCancel(CWindow*, intptr_t)
{
    // The new game window reads the world: it must hold the mission it had.
    if (m_current != m_confirmed)
        Select(m_confirmed);
    SetModalResult(ResultCancel);
    EndModal(this);
}

void CSelScenarioWnd::OnUp(CWindow*, intptr_t)
{
    ScrollUp();
}

void CSelScenarioWnd::OnDown(CWindow*, intptr_t)
{
    ScrollDown();
}

void CSelScenarioWnd::OnDescription(CWindow*, intptr_t)
{
    auto* text = new CPagedTextWnd(this, CStr("/Map/NewGameWnd/SelScenarioWnd/MissionDescrWnd"));
    text->LoadText(Map::CSrenarionMgr::ShortDescrPath(m_scenario, m_mission).Chars());
    RunModal(text);
    delete text;
}

CStr CSelScenarioWnd::AuthorText() const
{
    CStr text;
    const bool author = Map::CSrenarionMgr::HasAuthor(m_scenario, m_mission);
    const bool notes = Map::CSrenarionMgr::HasAuthorNotes(m_scenario, m_mission);
    if (author) {
        text = LocaleFormat("Author", Map::CSrenarionMgr::Author(m_scenario, m_mission));
        if (notes)
            text.AppendChars("{br}{br}");
    }
    if (notes)
        text.Append(LocaleFormat("AuthorNotes", Map::CSrenarionMgr::AuthorNotes(m_scenario, m_mission)));
    return text;
}

void CSelScenarioWnd::OnAuthor(CWindow*, intptr_t)
{
    auto* text = new CPagedTextWnd(this, CStr("/Map/NewGameWnd/SelScenarioWnd/MissionDescrWnd"));
    text->SetMarkupText(AuthorText());
    RunModal(text);
    delete text;
}
