#include "mapscreen/recruit_mode.h"

#include <algorithm>
#include <utility>

#include "core/int_math.h"
#include "core/path_mgr.h"
#include "core/ui_mgr.h"
#include "core/ui_tree.h"
#include "game/army.h"
#include "game/game_object.h"
#include "game/game_rules.h"
#include "game/game_world.h"
#include "game/player_colour.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/recruit_placement.h"
#include "game/resource_bundle.h"
#include "game/running_game.h"
#include "game/squad_type.h"
#include "mapdialogs/dialog_controls.h"
#include "mapdialogs/item_list_wnd.h"
#include "mapdialogs/squad_descr_wnd.h"
#include "mapdialogs/trading_wnd.h"
#include "mapscreen/map_frame.h"
#include "mapscreen/map_panels.h"
#include "mapscreen/map_view.h"
#include "mapscreen/map_wnd_parts.h"
#include "players/request_records.h"
#include "ui/button.h"
#include "ui/frame_wnd.h"
#include "ui/label.h"
#include "ui/markup_wnd.h"
#include "ui/res_wnd.h"
#include "ui/value_scroller.h"
#include "ui/window_mgr.h"

namespace {

CGameWorld* World()
{
    return GameWorld();
}

CSquad* GarrisonItem(const ProvinceRecord& province, int32_t index)
{
    return index >= 0 && index < province.garrison.Count() ? province.garrison.Item(index) : nullptr;
}

}  // namespace

RecruitMode::RecruitMode(Host host) : m_host(std::move(host)) {}

RecruitMode::~RecruitMode() = default;

CMapView* RecruitMode::View() const
{
    return Frame() != nullptr ? &Frame()->View() : g_mapView;
}

// ---- Derived values --------------------------------------------------------

bool RecruitMode::IsProvinceChosen(int32_t province) const
{
    const CMapView* view = View();
    return view != nullptr && view->Mark(province) >= 0;
}

int32_t RecruitMode::ChosenProvinceCount() const
{
    CGameWorld* world = World();
    int32_t k = 0;
    for (int32_t i = world != nullptr ? world->ProvinceCount() - 1 : -1; i >= 0; --i)
        k += IsProvinceChosen(i) ? 1 : 0;
    return k;
}

int32_t RecruitMode::Recruited(int32_t index) const
{
    CGameWorld* world = World();
    int32_t sum = 0;
    for (int32_t i = world != nullptr ? world->ProvinceCount() - 1 : -1; i >= 0; --i) {
        const ProvinceRecord& p = world->Province(i);
        if (p.owner != m_player || m_player == nullptr || !IsProvinceChosen(i))
            continue;
        if (const CSquad* item = GarrisonItem(p, index))
            sum += item->count;
    }
    return sum;
}

int32_t RecruitMode::RecruitedHere(int32_t index) const
{
    CGameWorld* world = World();
    if (world == nullptr || index < 0 || index >= m_kinds)
        return 0;
    int32_t sum = 0;
    for (int32_t i = world->ProvinceCount() - 1; i >= 0; --i) {
        const size_t slot =
            static_cast<size_t>(i) * static_cast<size_t>(m_kinds) + static_cast<size_t>(index);
        if (world->Province(i).owner == m_player && IsProvinceChosen(i) && slot < m_recruitedHere.size())
            sum += m_recruitedHere[slot];
    }
    return sum;
}

// ---- Entering and leaving ----------------------------------------------------

void RecruitMode::Enter()
{
    CGameWorld* world = World();
    if (Frame() != nullptr) {
        Frame()->SetHalfScale(false, true);
        Frame()->dragScrollEnabled = 0;
    }
    m_player = CurrentPlayer();
    if (Panels().recruitAction != nullptr)
        Panels().recruitAction->SetSideColour(PlayerColour(m_player), true);
    m_pool = std::make_unique<CArmy>();
    if (m_player != nullptr)
        m_pool->CopyFrom(m_player->army);
    for (int32_t i = 0; i < m_pool->Count(); ++i) {
        m_pool->Item(i)->count = 0;
        m_pool->Item(i)->hitPoints = 0;
    }
    m_kinds = m_pool->Count();
    m_recruitedHere.assign(
        static_cast<size_t>(world != nullptr ? world->ProvinceCount() : 0) * static_cast<size_t>(m_kinds), 0);
    const int32_t capital = m_player != nullptr ? m_player->capital : -1;
    const bool capitalValid = world != nullptr && capital >= 0 && capital < world->ProvinceCount();
    if (Frame() != nullptr && capitalValid)
        Frame()->CenterOnProvince(&world->Province(capital), true);
    ShowTreasury(Panels().recruitTreasury);
    if (CMapView* view = View()) {
        view->ClearRecruitCounts();
        view->SetRecruitMode(true, 0, false);
    }
    BuildSquadButtons();
    UpdateRecruitLimits();
    m_selectedSquad = -1;
    SelectSquad(0, false);
    ClearProvinceMarks(false);
    if (capitalValid)
        MarkProvince(capital, true, false);
}

void RecruitMode::Leave()
{
    if (Frame() != nullptr)
        Frame()->dragScrollEnabled = 1;
    if (CMapView* view = View()) {
        RedrawMarkers();
        view->SetRecruitMode(false, 0, false);
        view->ClearRecruitCounts();
    }
    if (m_pool != nullptr) {
        BookRecruits();
        for (int32_t i = 0; i < m_pool->Count(); ++i)
            m_pool->Item(i)->count = 0;
    }
    ClearProvinceMarks(false);
    m_recruitedHere.clear();
    if (m_player != nullptr)
        ShowBundle(Panels().mapTopTreasury, m_player->treasury, true);
    NotifyCurrentPlayerChanged();
}

void RecruitMode::BookRecruits()
{
    // The units were placed as they were paid for; the lord's record, which
    // the end of the game reads, learns of them as the mode is left (what
    // was taken back meanwhile is not in it).
    if (m_player == nullptr || m_kinds <= 0)
        return;
    CArmy booked(*m_pool);
    bool any = false;
    for (int32_t kind = 0; kind < m_kinds && kind < booked.Count(); ++kind) {
        int32_t n = 0;
        for (size_t slot = static_cast<size_t>(kind); slot < m_recruitedHere.size();
             slot += static_cast<size_t>(m_kinds))
            n += m_recruitedHere[slot];
        booked.Item(kind)->count = n;
        any = any || n > 0;
    }
    if (any)
        m_player->stats.recruited.Merge(booked);
}

void RecruitMode::ShowTreasury(CResWnd* control)
{
    if (m_player != nullptr)
        ShowBundle(control, m_player->treasury, true);
}

void RecruitMode::BindControls()
{
    const MapPanels& p = Panels();
    if (p.recruitTurn)
        p.recruitTurn->BindHandler(HandlerClick, this, &RecruitMode::OnApplyTap);
    if (p.recruitApply)
        p.recruitApply->BindHandler(HandlerClick, this, &RecruitMode::OnApplyTap);
    if (p.recruitClear)
        p.recruitClear->BindHandler(HandlerClick, this, &RecruitMode::OnClearTap);
    if (p.recruitInfo)
        p.recruitInfo->BindHandler(HandlerClick, this, &RecruitMode::OnInfoTap);
    if (p.recruitMarket)
        p.recruitMarket->BindHandler(HandlerClick, this, &RecruitMode::OnMarketTap);
    if (p.recruitScroller) {
        // The label beside it shows the numbers; the scroller writes none itself.
        p.recruitScroller->flags |= ScrollerTextSuspended;
        p.recruitScroller->valueChanged.Bind(this, &RecruitMode::OnScrollerChanged);
    }
}

// ---- Squad buttons -----------------------------------------------------------

void RecruitMode::ForgetLostSquadButtons()
{
    for (int32_t i = 0; i < m_squadButtonCount; ++i) {
        bool standing = false;
        for (CWindow* child = Panels().recruitAction ? Panels().recruitAction->GetFirstChild() : nullptr;
             child; child = child->GetNextSibling())
            standing = standing || child == m_squadButtons[i];
        if (!standing) {
            for (int32_t j = 0; j < m_squadButtonCount; ++j)
                m_squadButtons[j] = nullptr;
            m_squadButtonCount = 0;
            return;
        }
    }
}

void RecruitMode::BuildSquadButtons()
{
    ForgetLostSquadButtons();
    const int32_t n = std::min<int32_t>(m_pool != nullptr ? m_pool->Count() : 0, kMaxSquadButtons);
    if (n != m_squadButtonCount) {
        for (int32_t i = 0; i < m_squadButtonCount; ++i) {
            delete m_squadButtons[i];
            m_squadButtons[i] = nullptr;
        }
        m_squadButtonCount = 0;
        if (Panels().recruitAction != nullptr) {
            const CStr panel = MapWndPath(m_host.layoutPath, "RecruitActionPanel");
            for (int32_t i = 0; i < n; ++i) {
                CStr name;
                name.Format("BtnSquad%ld", static_cast<long>(i + 1));
                auto* button =
                    new CSquadButton(Panels().recruitAction, MapWndPath(panel, name.Chars()), true);
                button->BindHandler(HandlerClick, this, &RecruitMode::OnSquadButtonTap);
                button->Face().flags =
                    static_cast<uint8_t>((button->Face().flags | SquadIconSignFirst) & ~SquadIconSignSecond);
                button->mode = PressRadio;
                m_squadButtons[i] = button;
            }
            m_squadButtonCount = n;
        }
    }
    for (int32_t i = 0; i < m_squadButtonCount; ++i)
        SetSquadIconSquad(m_squadButtons[i]->Face(), m_pool->Item(i), SquadFaceLeft);
}

void RecruitMode::UpdateRecruitLimits()
{
    if (m_player == nullptr || m_pool == nullptr)
        return;
    for (int32_t i = 0; i < std::min(m_pool->Count(), kMaxSquadButtons); ++i) {
        CSquad* item = m_pool->Item(i);
        item->count = GarrisonRecruitLimit(m_player, item, i);
    }
}

void RecruitMode::SelectSquad(int32_t index, bool redraw)
{
    if (index == m_selectedSquad)
        return;
    if (m_pool == nullptr || index < 0 || index >= std::min(m_pool->Count(), kMaxSquadButtons))
        return;
    ForgetLostSquadButtons();
    RedrawMarkers();
    m_selectedSquad = index;
    if (CMapView* view = View()) {
        view->SetRecruitMode(true, static_cast<uint8_t>(index), false);
        CGameWorld* world = World();
        view->ClearRecruitCounts();
        for (int32_t i = 0; world != nullptr && i < world->ProvinceCount(); ++i)
            view->SetRecruitCount(i, m_recruitedHere[static_cast<size_t>(i) * m_kinds + index]);
    }
    RedrawMarkers();
    for (int32_t i = 0; i < m_squadButtonCount; ++i)
        m_squadButtons[i]->SetCheckedRelease(i == index, redraw);
    const CSquad* squad = m_pool->Item(index);
    const CSquadType* type = squad->type;
    if (Panels().recruitSquadName && type)
        Panels().recruitSquadName->SetText(type->name, redraw);
    if (type)
        ShowBundle(Panels().recruitCost, type->cost, redraw);
    if (Panels().recruitSquadIcon && type) {
        CStr image = CPathMgr::Path(CPathMgr::kObjectsUnits);
        image.Append(type->typeId);
        image.Append(CStr("/icon_r"));
        Panels().recruitSquadIcon->SetImage(image, redraw);
    }
    RefreshRecruitCounts(true, redraw);
}

void RecruitMode::RefreshRecruitCounts(bool updateScroller, bool redraw)
{
    ForgetLostSquadButtons();
    for (int32_t i = 0; i < m_squadButtonCount; ++i) {
        m_squadButtons[i]->Face().SetCount(Recruited(i));
        m_squadButtons[i]->Face().SetHealth(RecruitedHere(i));
        m_squadButtons[i]->Invalidate();
    }
    if (!updateScroller || m_pool == nullptr || m_selectedSquad < 0 || m_selectedSquad >= m_pool->Count())
        return;
    const int32_t k = ChosenProvinceCount();
    int32_t a = Recruited(m_selectedSquad);
    int32_t t = a + m_pool->Item(m_selectedSquad)->count;
    // Below this only units that stood there before would go.
    int32_t floor = a - RecruitedHere(m_selectedSquad);
    if (CValueScroller* scroller = Panels().recruitScroller)
        ShowWindow(scroller->Window(), t >= 1);
    if (Panels().recruitValue) {
        CStr text;
        text.Format("%+ld/%ld", static_cast<long>(a), static_cast<long>(t));
        Panels().recruitValue->SetText(text, redraw);
    }
    if (k > 1) {
        a = DivideRoundingUp(a, k);
        t = DivideRoundingUp(t, k);
        floor = DivideRoundingUp(floor, k);
    }
    if (CValueScroller* scroller = Panels().recruitScroller) {
        scroller->SetMin(floor, false);
        scroller->SetMax(t, redraw);
        scroller->SetValue(a, redraw, false);
    }
}

// ---- Recruiting and giving back ----------------------------------------------

void RecruitMode::RedrawMarkers()
{
    if (CMapView* view = View())
        view->RefreshRecruitMarkers();
}

void RecruitMode::SetRecruited(int32_t index, int32_t target)
{
    CGameWorld* world = World();
    const int32_t k = ChosenProvinceCount();
    if (k == 0 || world == nullptr || m_player == nullptr || m_pool == nullptr || index < 0 ||
        index >= m_pool->Count() || index >= m_kinds)
        return;
    RedrawMarkers();
    std::vector<bool> chosen(static_cast<size_t>(world->ProvinceCount()));
    for (int32_t i = 0; i < world->ProvinceCount(); ++i)
        chosen[static_cast<size_t>(i)] = IsProvinceChosen(i);
    MoveRecruits(*world, *m_player, *m_pool->Item(index), index, m_kinds, target - Recruited(index),
                 m_recruitedHere, chosen, [this, index](int32_t province, int32_t placed) {
                     if (CMapView* view = View(); view && index == m_selectedSquad)
                         view->SetRecruitCount(province, placed);
                 });
    RedrawMarkers();
    UpdateRecruitLimits();
}

// ---- Province marks ----------------------------------------------------------

void RecruitMode::ClearProvinceMarks(bool redraw)
{
    CGameWorld* world = World();
    if (CMapView* view = View())
        for (int32_t i = 0; world != nullptr && i < world->ProvinceCount(); ++i)
            view->SetHighlight(-1, i, redraw);
    ShowRecruitProvince(redraw);
}

void RecruitMode::MarkProvince(int32_t province, bool on, bool redraw)
{
    if (CMapView* view = View())
        view->SetHighlight(on ? 0 : -1, province, redraw);
    RefreshRecruitCounts(true, true);
    ShowRecruitProvince(redraw);
}

void RecruitMode::ShowRecruitProvince(bool redraw)
{
    CTextWnd* text = Panels().recruitProvince;
    if (text == nullptr)
        return;
    const int32_t k = ChosenProvinceCount();
    if (k == 0) {
        text->ShowString(0, redraw);
        return;
    }
    if (k > 1) {
        text->ShowString(2, redraw);
        return;
    }
    CGameWorld* world = World();
    for (int32_t i = world->ProvinceCount() - 1; i >= 0; --i) {
        if (!IsProvinceChosen(i))
            continue;
        const ProvinceRecord& p = world->Province(i);
        if (p.owner != m_player || m_player == nullptr)
            return;
        if (m_player->capital == i)
            text->ShowString(3, redraw);
        else
            FormatOwnString(text, 1, p.name.Chars());
        return;
    }
}

// ---- Map events and controls -------------------------------------------------

void RecruitMode::PenDown(int16_t province)
{
    CGameWorld* world = World();
    if (world == nullptr || province < 0 || province >= world->ProvinceCount())
        return;
    if (m_player == nullptr || world->Province(province).owner != m_player)
        return;
    ClearProvinceMarks(true);
    MarkProvince(province, true, true);
}

void RecruitMode::Drag(int16_t province)
{
    CGameWorld* world = World();
    if (world == nullptr || province < 0 || province >= world->ProvinceCount())
        return;
    if (m_player == nullptr || world->Province(province).owner != m_player)
        return;
    MarkProvince(province, true, true);
}

void RecruitMode::ResourcesChanged()
{
    UpdateRecruitLimits();
    RefreshRecruitCounts(true, true);
    ShowTreasury(Panels().recruitTreasury);
}

void RecruitMode::OnSquadButtonTap(CWindow* control, intptr_t)
{
    for (int32_t i = 0; i < m_squadButtonCount; ++i)
        if (m_squadButtons[i] == control)
            SelectSquad(i, true);
}

void RecruitMode::OnApplyTap(CWindow*, intptr_t)
{
    // What was recruited stays: it was paid when it was set.
    if (m_host.leave)
        m_host.leave();
}

void RecruitMode::OnClearTap(CWindow*, intptr_t)
{
    for (int32_t i = 0; i < m_squadButtonCount; ++i)
        SetRecruited(i, 0);
    RefreshRecruitCounts(true, true);
    ShowTreasury(Panels().recruitTreasury);
}

void RecruitMode::OnScrollerChanged(CValueScroller* scroller)
{
    // Every step of the scroller is a set position: it is paid at once.
    if (scroller != nullptr)
        OnScrollSet(scroller->Value());
}

void RecruitMode::OnScrollChanging(int32_t position, int32_t maximum)
{
    if (m_pool == nullptr || m_selectedSquad < 0 || m_selectedSquad >= m_pool->Count())
        return;
    const int32_t k = ChosenProvinceCount();
    if (k > 1) {
        const int32_t c = Recruited(m_selectedSquad) + m_pool->Item(m_selectedSquad)->count;
        position = std::min(position * k, c);
        maximum = std::min(maximum * k, c);
    }
    if (Panels().recruitValue) {
        CStr text;
        text.Format("%+ld/%ld", static_cast<long>(position), static_cast<long>(maximum));
        Panels().recruitValue->SetText(text, true);
    }
}

void RecruitMode::OnScrollSet(int32_t position)
{
    if (m_pool == nullptr || m_selectedSquad < 0 || m_selectedSquad >= m_pool->Count())
        return;
    const int32_t k = ChosenProvinceCount();
    int32_t v = position;
    if (k > 1)
        v = std::min(v * k, Recruited(m_selectedSquad) + m_pool->Item(m_selectedSquad)->count);
    SetRecruited(m_selectedSquad, v);
    RefreshRecruitCounts(true, true);
    ShowTreasury(Panels().recruitTreasury);
}

void RecruitMode::OnInfoTap(CWindow*, intptr_t)
{
    if (m_pool == nullptr || m_selectedSquad < 0 || m_selectedSquad >= m_pool->Count())
        return;
    auto* window = new CSquadDescrWnd(m_host.window, CStr("/Map/MapWnd/RecruitWnd/SquadDescrWnd"));
    window->Setup(m_pool->Item(m_selectedSquad)->type);
    RunModal(window);
    delete window;
}

void RecruitMode::OnMarketTap(CWindow*, intptr_t)
{
    if (m_player == nullptr)
        return;
    TradingRequest record;
    record.treasury = m_player->treasury;
    record.player = m_player;
    record.confirmed = 0;
    CTradingWnd* window = nullptr;
    {
        // The market's layout name resolves under the map window's node.
        TreeNodeScope scope;
        if (scope.Saved())
            CUIMgr::Tree().GoToPath(m_host.layoutPath.Chars());
        window = new CTradingWnd(m_host.window, CStr("TradingWnd"), true);
    }
    window->Setup(&record);
    RunModal(window);
    delete window;
    if (!record.confirmed)
        return;
    m_player->treasury = record.treasury;
    if (m_host.treasuryChanged)
        m_host.treasuryChanged(&m_player->treasury);
    ResourcesChanged();
}
