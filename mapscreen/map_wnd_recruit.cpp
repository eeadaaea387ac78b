// The recruit mode of the map window (mode 3). The human player chooses
// provinces of his own on the map (they are marked with highlight level 0),
// a squad kind of his army with the squad buttons, and with "ScrRecruit" how
// many units of that kind the chosen provinces hold; every change is paid or
// refunded at once. Units recruited during this stay in the mode are
// counted per province so that only they can be given back: the garrisons
// that stood there before are never sold.

#include <algorithm>

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
#include "game/resource_bundle.h"
#include "game/running_game.h"
#include "game/squad_type.h"
#include "mapdialogs/dialog_controls.h"
#include "mapdialogs/item_list_wnd.h"
#include "mapdialogs/squad_descr_wnd.h"
#include "mapdialogs/trading_wnd.h"
#include "mapscreen/map_frame.h"
#include "mapscreen/map_view.h"
#include "mapscreen/map_wnd.h"
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

int32_t CeilDiv(int32_t a, int32_t k)
{
    return k > 0 ? (a + k - 1) / k : a;
}

CGameWorld* World()
{
    return GameWorld();
}

CSquad* GarrisonItem(const ProvinceRecord& province, int32_t index)
{
    return index >= 0 && index < province.garrison.Count() ? province.garrison.Item(index) : nullptr;
}

}  // namespace

CMapView* CMapWnd::RecruitView() const
{
    return m_mapFrame != nullptr ? &m_mapFrame->View() : g_mapView;
}

// ---- Derived values --------------------------------------------------------

bool CMapWnd::IsProvinceChosen(int32_t province) const
{
    const CMapView* view = RecruitView();
    return view != nullptr && view->Mark(province) >= 0;
}

int32_t CMapWnd::ChosenProvinceCount() const
{
    CGameWorld* world = World();
    int32_t k = 0;
    for (int32_t i = world != nullptr ? world->ProvinceCount() - 1 : -1; i >= 0; --i)
        k += IsProvinceChosen(i) ? 1 : 0;
    return k;
}

int32_t CMapWnd::Recruited(int32_t index) const
{
    CGameWorld* world = World();
    int32_t sum = 0;
    for (int32_t i = world != nullptr ? world->ProvinceCount() - 1 : -1; i >= 0; --i) {
        const ProvinceRecord& p = world->Province(i);
        if (p.owner != m_recruitPlayer || m_recruitPlayer == nullptr || !IsProvinceChosen(i))
            continue;
        if (const CSquad* item = GarrisonItem(p, index))
            sum += item->count;
    }
    return sum;
}

int32_t CMapWnd::RecruitedHere(int32_t index) const
{
    CGameWorld* world = World();
    if (world == nullptr || index < 0 || index >= m_recruitKinds)
        return 0;
    int32_t sum = 0;
    for (int32_t i = world->ProvinceCount() - 1; i >= 0; --i) {
        const size_t slot =
            static_cast<size_t>(i) * static_cast<size_t>(m_recruitKinds) + static_cast<size_t>(index);
        if (world->Province(i).owner == m_recruitPlayer && IsProvinceChosen(i) &&
            slot < m_recruitedHere.size())
            sum += m_recruitedHere[slot];
    }
    return sum;
}

int32_t CMapWnd::GarrisonTotal(int32_t index) const
{
    CGameWorld* world = World();
    int32_t sum = 0;
    for (int32_t i = world != nullptr ? world->ProvinceCount() - 1 : -1; i >= 0; --i) {
        const ProvinceRecord& p = world->Province(i);
        if (p.owner != m_recruitPlayer || m_recruitPlayer == nullptr)
            continue;
        if (const CSquad* item = GarrisonItem(p, index))
            sum += item->count;
    }
    return sum;
}

// ---- Entering and leaving ----------------------------------------------------

void CMapWnd::EnterRecruitMode()
{
    CGameWorld* world = World();
    if (m_mapFrame != nullptr) {
        m_mapFrame->SetHalfScale(false, true);
        m_mapFrame->dragScrollEnabled = 0;
    }
    m_recruitPlayer = CurrentPlayer();
    if (m_panels.recruitAction != nullptr)
        m_panels.recruitAction->SetSideColour(PlayerColour(m_recruitPlayer), true);
    m_recruitPool = std::make_unique<CArmy>();
    if (m_recruitPlayer != nullptr)
        m_recruitPool->CopyFrom(m_recruitPlayer->army);
    for (int32_t i = 0; i < m_recruitPool->Count(); ++i) {
        m_recruitPool->Item(i)->count = 0;
        m_recruitPool->Item(i)->hitPoints = 0;
    }
    m_recruitKinds = m_recruitPool->Count();
    m_recruitedHere.assign(static_cast<size_t>(world != nullptr ? world->ProvinceCount() : 0) *
                               static_cast<size_t>(m_recruitKinds),
                           0);
    const int32_t capital = m_recruitPlayer != nullptr ? m_recruitPlayer->capital : -1;
    const bool capitalValid = world != nullptr && capital >= 0 && capital < world->ProvinceCount();
    if (m_mapFrame != nullptr && capitalValid)
        m_mapFrame->CenterOnProvince(&world->Province(capital), true);
    ShowRecruitTreasury(m_panels.recruitTreasury);
    if (CMapView* view = RecruitView()) {
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

void CMapWnd::LeaveRecruitMode()
{
    if (m_mapFrame != nullptr)
        m_mapFrame->dragScrollEnabled = 1;
    if (CMapView* view = RecruitView()) {
        RedrawRecruitMarkers();
        view->SetRecruitMode(false, 0, false);
        view->ClearRecruitCounts();
    }
    if (m_recruitPool != nullptr) {
        BookRecruits();
        for (int32_t i = 0; i < m_recruitPool->Count(); ++i)
            m_recruitPool->Item(i)->count = 0;
    }
    ClearProvinceMarks(false);
    m_recruitedHere.clear();
    if (m_recruitPlayer != nullptr)
        ShowBundle(m_panels.mapTopTreasury, m_recruitPlayer->treasury, true);
    NotifyCurrentPlayerChanged();
}

void CMapWnd::BookRecruits()
{
    // The units were placed as they were paid for; the lord's record, which
    // the end of the game reads, learns of them as the mode is left (what
    // was taken back meanwhile is not in it).
    if (m_recruitPlayer == nullptr || m_recruitKinds <= 0)
        return;
    CArmy booked(*m_recruitPool);
    bool any = false;
    for (int32_t kind = 0; kind < m_recruitKinds && kind < booked.Count(); ++kind) {
        int32_t n = 0;
        for (size_t slot = static_cast<size_t>(kind); slot < m_recruitedHere.size();
             slot += static_cast<size_t>(m_recruitKinds))
            n += m_recruitedHere[slot];
        booked.Item(kind)->count = n;
        any = any || n > 0;
    }
    if (any)
        m_recruitPlayer->stats.recruited.Merge(booked);
}

void CMapWnd::ShowRecruitTreasury(CResWnd* control)
{
    if (m_recruitPlayer != nullptr)
        ShowBundle(control, m_recruitPlayer->treasury, true);
}

void CMapWnd::BindRecruitModeControls()
{
    Panels& p = m_panels;
    if (p.recruitTopMenu)
        p.recruitTopMenu->BindHandler(HandlerClick, this, &CMapWnd::OnMenuTap);
    if (p.recruitTurn)
        p.recruitTurn->BindHandler(HandlerClick, this, &CMapWnd::OnRecruitApplyTap);
    if (p.recruitApply)
        p.recruitApply->BindHandler(HandlerClick, this, &CMapWnd::OnRecruitApplyTap);
    if (p.recruitClear)
        p.recruitClear->BindHandler(HandlerClick, this, &CMapWnd::OnRecruitClearTap);
    if (p.recruitInfo)
        p.recruitInfo->BindHandler(HandlerClick, this, &CMapWnd::OnRecruitInfoTap);
    if (p.recruitMarket)
        p.recruitMarket->BindHandler(HandlerClick, this, &CMapWnd::OnRecruitMarketTap);
    if (p.recruitScroller) {
        // The label beside it shows the numbers; the scroller writes none itself.
        p.recruitScroller->flags |= ScrollerTextSuspended;
        p.recruitScroller->valueChanged.Bind(this, &CMapWnd::OnRecruitScrollerChanged);
    }
}

// ---- Squad buttons -----------------------------------------------------------

void CMapWnd::ForgetLostSquadButtons()
{
    for (int32_t i = 0; i < m_squadButtonCount; ++i) {
        bool standing = false;
        for (CWindow* child = m_panels.recruitAction ? m_panels.recruitAction->GetFirstChild() : nullptr;
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

void CMapWnd::BuildSquadButtons()
{
    ForgetLostSquadButtons();
    const int32_t n =
        std::min<int32_t>(m_recruitPool != nullptr ? m_recruitPool->Count() : 0, kMaxSquadButtons);
    if (n != m_squadButtonCount) {
        for (int32_t i = 0; i < m_squadButtonCount; ++i) {
            delete m_squadButtons[i];
            m_squadButtons[i] = nullptr;
        }
        m_squadButtonCount = 0;
        if (m_panels.recruitAction != nullptr) {
            const CStr panel = MapWndPath(m_link.Path(), "RecruitActionPanel");
            for (int32_t i = 0; i < n; ++i) {
                CStr name;
                name.Format("BtnSquad%ld", static_cast<long>(i + 1));
                auto* button =
                    new CSquadButton(m_panels.recruitAction, MapWndPath(panel, name.Chars()), true);
                button->BindHandler(HandlerClick, this, &CMapWnd::OnSquadButtonTap);
                button->Face().flags =
                    static_cast<uint8_t>((button->Face().flags | SquadIconSignFirst) & ~SquadIconSignSecond);
                button->mode = PressRadio;
                m_squadButtons[i] = button;
            }
            m_squadButtonCount = n;
        }
    }
    for (int32_t i = 0; i < m_squadButtonCount; ++i)
        SetSquadIconSquad(m_squadButtons[i]->Face(), m_recruitPool->Item(i), SquadFaceLeft);
}

void CMapWnd::UpdateRecruitLimits()
{
    if (m_recruitPlayer == nullptr || m_recruitPool == nullptr)
        return;
    CGameWorld* world = World();
    int32_t owned = 0;
    for (int32_t i = world != nullptr ? world->ProvinceCount() - 1 : -1; i >= 0; --i)
        owned += world->Province(i).owner == m_recruitPlayer ? 1 : 0;
    for (int32_t i = 0; i < std::min(m_recruitPool->Count(), kMaxSquadButtons); ++i) {
        CSquad* item = m_recruitPool->Item(i);
        const int32_t room = owned * SquadTypeWeight(item) - GarrisonTotal(i);
        const int32_t affordable =
            item->type != nullptr ? m_recruitPlayer->treasury.TimesAffordable(item->type->cost) : 0;
        // A limit below what is already there offers nothing more.
        item->count = std::max(0, std::min(room, affordable));
    }
}

void CMapWnd::SelectSquad(int32_t index, bool redraw)
{
    if (index == m_selectedSquad)
        return;
    if (m_recruitPool == nullptr || index < 0 || index >= std::min(m_recruitPool->Count(), kMaxSquadButtons))
        return;
    ForgetLostSquadButtons();
    RedrawRecruitMarkers();
    m_selectedSquad = index;
    if (CMapView* view = RecruitView()) {
        view->SetRecruitMode(true, static_cast<uint8_t>(index), false);
        CGameWorld* world = World();
        view->ClearRecruitCounts();
        for (int32_t i = 0; world != nullptr && i < world->ProvinceCount(); ++i)
            view->SetRecruitCount(i, m_recruitedHere[static_cast<size_t>(i) * m_recruitKinds + index]);
    }
    RedrawRecruitMarkers();
    for (int32_t i = 0; i < m_squadButtonCount; ++i)
        m_squadButtons[i]->SetCheckedRelease(i == index, redraw);
    const CSquad* squad = m_recruitPool->Item(index);
    const CSquadType* type = squad->type;
    if (m_panels.recruitSquadName && type)
        m_panels.recruitSquadName->SetText(type->name, redraw);
    if (type)
        ShowBundle(m_panels.recruitCost, type->cost, redraw);
    if (m_panels.recruitSquadIcon && type) {
        CStr image = CPathMgr::Path(CPathMgr::kObjectsUnits);
        image.Append(type->typeId);
        image.Append(CStr("/icon_r"));
        m_panels.recruitSquadIcon->SetImage(image, redraw);
    }
    RefreshRecruitCounts(true, redraw);
}

void CMapWnd::RefreshRecruitCounts(bool updateScroller, bool redraw)
{
    ForgetLostSquadButtons();
    for (int32_t i = 0; i < m_squadButtonCount; ++i) {
        m_squadButtons[i]->Face().SetCount(Recruited(i));
        m_squadButtons[i]->Face().SetHealth(RecruitedHere(i));
        m_squadButtons[i]->Invalidate();
    }
    if (!updateScroller || m_recruitPool == nullptr || m_selectedSquad < 0 ||
        m_selectedSquad >= m_recruitPool->Count())
        return;
    const int32_t k = ChosenProvinceCount();
    int32_t a = Recruited(m_selectedSquad);
    int32_t t = a + m_recruitPool->Item(m_selectedSquad)->count;
    // Below this only units that stood there before would go.
    int32_t floor = a - RecruitedHere(m_selectedSquad);
    if (CValueScroller* scroller = m_panels.recruitScroller)
        ShowWindow(scroller->Window(), t >= 1);
    if (m_panels.recruitValue) {
        CStr text;
        text.Format("%+ld/%ld", static_cast<long>(a), static_cast<long>(t));
        m_panels.recruitValue->SetText(text, redraw);
    }
    if (k > 1) {
        a = CeilDiv(a, k);
        t = CeilDiv(t, k);
        floor = CeilDiv(floor, k);
    }
    if (CValueScroller* scroller = m_panels.recruitScroller) {
        scroller->SetMin(floor, false);
        scroller->SetMax(t, redraw);
        scroller->SetValue(a, redraw, false);
    }
}

// ---- Recruiting and giving back ----------------------------------------------

void CMapWnd::RedrawRecruitMarkers()
{
    if (CMapView* view = RecruitView())
        view->RefreshRecruitMarkers();
}

void CMapWnd::SetRecruited(int32_t index, int32_t target)
{
    CGameWorld* world = World();
    const int32_t k = ChosenProvinceCount();
    if (k == 0 || world == nullptr || m_recruitPlayer == nullptr || m_recruitPool == nullptr || index < 0 ||
        index >= m_recruitPool->Count() || index >= m_recruitKinds)
        return;
    CSquad* pool = m_recruitPool->Item(index);
    const CSquadType* type = pool->type;
    RedrawRecruitMarkers();
    const int32_t d = target - Recruited(index);
    int32_t moved = 0;
    const int32_t wanted = d >= 0 ? d : -d;
    // One unit per chosen province and pass, from the highest index down,
    // until all are moved or a pass moves none.
    bool progress = true;
    while (moved < wanted && progress) {
        progress = false;
        for (int32_t i = world->ProvinceCount() - 1; i >= 0 && moved < wanted; --i) {
            const ProvinceRecord& p = world->Province(i);
            CSquad* item = GarrisonItem(p, index);
            if (p.owner != m_recruitPlayer || !IsProvinceChosen(i) || item == nullptr)
                continue;
            int32_t& here = m_recruitedHere[static_cast<size_t>(i) * m_recruitKinds + index];
            if (d > 0) {
                if (pool->count < 1)
                    break;
                item->count += 1;
                pool->count -= 1;
                here += 1;
            } else {
                if (here < 1 || item->count < 1)
                    continue;
                item->count -= 1;
                pool->count += 1;
                here -= 1;
            }
            ++moved;
            progress = true;
            if (CMapView* view = RecruitView(); view && index == m_selectedSquad)
                view->SetRecruitCount(i, here);
        }
    }
    if (moved > 0 && type != nullptr) {
        const CResourceBundle cost = CResourceBundle::MultipliedCopy(type->cost, moved);
        if (d > 0) {
            m_recruitPlayer->Spend(cost);
        } else {
            m_recruitPlayer->treasury.Add(cost);
            m_recruitPlayer->stats.spent.Subtract(cost);
        }
    }
    RedrawRecruitMarkers();
    UpdateRecruitLimits();
}

// ---- Province marks ----------------------------------------------------------

void CMapWnd::ClearProvinceMarks(bool redraw)
{
    CGameWorld* world = World();
    if (CMapView* view = RecruitView())
        for (int32_t i = 0; world != nullptr && i < world->ProvinceCount(); ++i)
            view->SetHighlight(-1, i, redraw);
    ShowRecruitProvince(redraw);
}

void CMapWnd::MarkProvince(int32_t province, bool on, bool redraw)
{
    if (CMapView* view = RecruitView())
        view->SetHighlight(on ? 0 : -1, province, redraw);
    RefreshRecruitCounts(true, true);
    ShowRecruitProvince(redraw);
}

void CMapWnd::ShowRecruitProvince(bool redraw)
{
    CTextWnd* text = m_panels.recruitProvince;
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
        if (p.owner != m_recruitPlayer || m_recruitPlayer == nullptr)
            return;
        if (m_recruitPlayer->capital == i)
            text->ShowString(3, redraw);
        else
            FormatOwnString(text, 1, p.name.Chars());
        return;
    }
}

// ---- Map events and controls -------------------------------------------------

void CMapWnd::RecruitModePenDown(int16_t province)
{
    CGameWorld* world = World();
    if (world == nullptr || province < 0 || province >= world->ProvinceCount())
        return;
    if (m_recruitPlayer == nullptr || world->Province(province).owner != m_recruitPlayer)
        return;
    ClearProvinceMarks(true);
    MarkProvince(province, true, true);
}

void CMapWnd::RecruitModeDrag(int16_t province)
{
    CGameWorld* world = World();
    if (world == nullptr || province < 0 || province >= world->ProvinceCount())
        return;
    if (m_recruitPlayer == nullptr || world->Province(province).owner != m_recruitPlayer)
        return;
    MarkProvince(province, true, true);
}

void CMapWnd::RecruitModeResourcesChanged()
{
    UpdateRecruitLimits();
    RefreshRecruitCounts(true, true);
    ShowRecruitTreasury(m_panels.recruitTreasury);
}

void CMapWnd::OnSquadButtonTap(CWindow* control, intptr_t)
{
    for (int32_t i = 0; i < m_squadButtonCount; ++i)
        if (m_squadButtons[i] == control)
            SelectSquad(i, true);
}

void CMapWnd::OnRecruitApplyTap(CWindow*, intptr_t)
{
    // What was recruited stays: it was paid when it was set.
    SetMode(kModeMap, false);
}

void CMapWnd::OnRecruitClearTap(CWindow*, intptr_t)
{
    for (int32_t i = 0; i < m_squadButtonCount; ++i)
        SetRecruited(i, 0);
    RefreshRecruitCounts(true, true);
    ShowRecruitTreasury(m_panels.recruitTreasury);
}

void CMapWnd::OnRecruitScrollerChanged(CValueScroller* scroller)
{
    // Every step of the scroller is a set position: it is paid at once.
    if (scroller != nullptr)
        OnRecruitScrollSet(scroller->Value());
}

void CMapWnd::OnRecruitScrollChanging(int32_t position, int32_t maximum)
{
    if (m_recruitPool == nullptr || m_selectedSquad < 0 || m_selectedSquad >= m_recruitPool->Count())
        return;
    const int32_t k = ChosenProvinceCount();
    if (k > 1) {
        const int32_t c = Recruited(m_selectedSquad) + m_recruitPool->Item(m_selectedSquad)->count;
        position = std::min(position * k, c);
        maximum = std::min(maximum * k, c);
    }
    if (m_panels.recruitValue) {
        CStr text;
        text.Format("%+ld/%ld", static_cast<long>(position), static_cast<long>(maximum));
        m_panels.recruitValue->SetText(text, true);
    }
}

void CMapWnd::OnRecruitScrollSet(int32_t position)
{
    if (m_recruitPool == nullptr || m_selectedSquad < 0 || m_selectedSquad >= m_recruitPool->Count())
        return;
    const int32_t k = ChosenProvinceCount();
    int32_t v = position;
    if (k > 1)
        v = std::min(v * k, Recruited(m_selectedSquad) + m_recruitPool->Item(m_selectedSquad)->count);
    SetRecruited(m_selectedSquad, v);
    RefreshRecruitCounts(true, true);
    ShowRecruitTreasury(m_panels.recruitTreasury);
}

void CMapWnd::OnRecruitInfoTap(CWindow*, intptr_t)
{
    if (m_recruitPool == nullptr || m_selectedSquad < 0 || m_selectedSquad >= m_recruitPool->Count())
        return;
    auto* window = new CSquadDescrWnd(m_window, CStr("/Map/MapWnd/RecruitWnd/SquadDescrWnd"));
    window->Setup(m_recruitPool->Item(m_selectedSquad)->type);
    RunModal(window);
    delete window;
}

void CMapWnd::OnRecruitMarketTap(CWindow*, intptr_t)
{
    if (m_recruitPlayer == nullptr)
        return;
    TradingRequest record;
    record.treasury = m_recruitPlayer->treasury;
    record.player = m_recruitPlayer;
    record.confirmed = 0;
    CTradingWnd* window = nullptr;
    {
        // The market's layout name resolves under the map window's node.
        TreeNodeScope scope;
        if (scope.Saved())
            CUIMgr::Tree().GoToPath(m_link.Path().Chars());
        window = new CTradingWnd(m_window, CStr("TradingWnd"), true);
    }
    window->Setup(&record);
    RunModal(window);
    delete window;
    if (!record.confirmed)
        return;
    m_recruitPlayer->treasury = record.treasury;
    OnPlayerResources(&m_recruitPlayer->treasury);
    RecruitModeResourcesChanged();
}
