// The map window itself: construction, its panels, the screen modes and
// their layout, the map frame's province events and the map hold.

#include "mapscreen/map_wnd.h"

#include <algorithm>

#include "core/core_main.h"
#include "core/device_mgr.h"
#include "core/ui_mgr.h"
#include "core/ui_tree.h"
#include "game/army.h"
#include "game/game_signals.h"
#include "game/game_world.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/running_game.h"
#include "mapscreen/map_wnd_parts.h"
#include "mapscreen/panel_contents.h"
#include "ui/button.h"
#include "ui/frame_wnd.h"
#include "ui/label.h"
#include "ui/markup_wnd.h"
#include "ui/res_wnd.h"
#include "ui/ui_link.h"
#include "ui/value_scroller.h"
#include "ui/window_mgr.h"

namespace {

// Builds a control of the layout node <parent path>/<name>.
template <typename T>
T* MakeControl(CWindow* parent, const CStr& parentPath, const char* name)
{
    return new T(parent, MapWndPath(parentPath, name), true);
}

// The panels' picture buttons explain themselves when the pen rests on them.
CHintButton* MakeHintButton(CWindow* parent, const CStr& parentPath, const char* name)
{
    return new CHintButton(parent, MapWndPath(parentPath, name), false, true);
}

// A panel comes up hidden whatever its layout says: only the current mode's
// are shown, and a screen built again after a battle must not show every
// mode's at once. Built hidden, its controls post no repaints either.
CFrameWnd* MakePanel(CWindow* parent, const CStr& windowPath, const char* name)
{
    CFrameWnd* panel = new CFrameWnd(parent, MapWndPath(windowPath, name), false);
    panel->LoadLayout(true);
    panel->UpdateMargins();
    return panel;
}

uint8_t PlayerIndexOf(const PlayerRecord* player)
{
    CGameWorld* world = GameWorld();
    for (int i = 0; world && player && i < world->PlayerCount(); ++i)
        if (&world->Player(i) == player)
            return uint8_t(i);
    return 255;
}

}  // namespace

CStr MapWndPath(const CStr& parentPath, const char* name)
{
    return CStr::ConcatChars(CStr::ConcatChars(parentPath, "/"), name);
}

CStr LocalizedText(const char* key)
{
    CStr text;
    GetLocaleText(key, text);
    return text;
}

int16_t SelectedProvinceIndex()
{
    if (!GameWorld())
        return -1;
    return int16_t(Game().selectedProvince);
}

bool IsShown(const CWindow* window)
{
    return window && window->IsVisible();
}

bool IsDrawnDown(const CButton* button)
{
    return button && button->IsDrawnDown();
}

void ShowWindow(CWindow* window, bool show)
{
    if (window && window->IsVisible() != show)
        window->Show(show, false);
}

CMapWnd::CMapWnd(CWindow* parent, const CStr& layoutPath) : CCompositeWnd(parent, layoutPath, true)
{
    m_window->SetFlag(WndSeeThrough, false);
    m_window->SetEventFlag(WndEventTakesChars, true);
    m_window->BindHandler(HandlerChar, &m_inputs, &MapWndInputs::OnCharEvent);
    RecruitMode::Host recruitHost;
    recruitHost.window = m_window;
    recruitHost.layoutPath = m_link.Path();
    recruitHost.panels = &m_panels;
    recruitHost.frame = &m_mapFrame;
    recruitHost.leave = [this] { SetMode(kModeMap, false); };
    recruitHost.treasuryChanged = [this](const CResourceBundle* treasury) { OnPlayerResources(treasury); };
    m_recruit = std::make_unique<RecruitMode>(std::move(recruitHost));
    {
        TreeNodeScope scope;
        if (scope.Saved())
            CUIMgr::Tree().GoToPath(layoutPath.Chars());
        m_menu.Create();
    }
    m_panels = Panels{};
    CreatePanels();
    m_infoLayout.TakeSectionSizes(m_panels);
    CreateMapFrame();
    for (uint32_t mode = kModeMap; mode <= kModeRecruit; ++mode) {
        m_mode = mode;
        HideModePanels();
    }
    m_mode = kModeMap;
    CCallback::Bind(m_actionTimer.Callback(), this, &CMapWnd::OnActionTimer);
    CCallback::Bind(m_commandTimer.Callback(), this, &CMapWnd::OnCommandTimer);
}

CMapWnd::~CMapWnd()
{
    m_dialogs.HideCastleInfo();
    EndSession();
    m_inputs.DisconnectMenuKey();
    m_actionTimer.SetRate(0);
    m_commandTimer.SetRate(0);
    CCallback::Clear(m_actionTimer.Callback());
    CCallback::Clear(m_commandTimer.Callback());
    DestroyDialogs();
    DestroyMapFrame();
    DestroyPanels();
    m_menu.Destroy();
    delete m_armyCopy;
    m_armyCopy = nullptr;
    // The session leaves the game-over slot bound for the end-of-game
    // windows; a deleted window must not stay in it.
    SigGameOver.Disconnect();
}

// ---- Panels ----------------------------------------------------------------

void CMapWnd::CreatePanels()
{
    TreeNodeScope scope;
    if (scope.Saved())
        CUIMgr::Tree().GoToPath(m_link.Path().Chars());
    CreateMapPanels();
    CreateDomainPanels();
    CreateComputerPanel();
    CreateRecruitPanels();
}

void CMapWnd::CreateMapPanels()
{
    const CStr& path = m_link.Path();
    Panels& p = m_panels;
    {
        p.mapTop = MakePanel(m_window, path, "MapTopPanel");
        const CStr at = MapWndPath(path, "MapTopPanel");
        p.mapTopMenu = MakeControl<CIconWnd>(p.mapTop, at, "IcoMenu");
        p.mapTopTreasury = MakeControl<CResWnd>(p.mapTop, at, "ResTreasury");
        p.mapTopRecruit = MakeHintButton(p.mapTop, at, "BtnRecruit");
        p.mapTopTurn = MakeHintButton(p.mapTop, at, "BtnTurn");
        p.mapTopDomain = MakeHintButton(p.mapTop, at, "BtnDomain");
        p.mapTopMenu->BindHandler(HandlerClick, &m_inputs, &MapWndInputs::OnMenuTap);
        p.mapTopRecruit->BindHandler(HandlerClick, &m_inputs, &MapWndInputs::OnRecruitTap);
        p.mapTopTurn->BindHandler(HandlerClick, &m_inputs, &MapWndInputs::OnTurnTap);
        p.mapTopDomain->BindHandler(HandlerClick, &m_inputs, &MapWndInputs::OnDomainTap);
    }
    {
        p.campArmy = MakePanel(m_window, path, "MapCampArmy");
        const CStr at = MapWndPath(path, "MapCampArmy");
        p.campStyle = MakeControl<CIconWnd>(p.campArmy, at, "StyleIcon");
        p.campArmyList = PanelContents::CreateArmyList(p.campArmy, MapWndPath(at, "ArmyCtrl"));
        p.campAction = MakeHintButton(p.campArmy, at, "BtnAction");
        p.campTurnsIcon = MakeControl<CIconWnd>(p.campArmy, at, "IcoTurns");
        p.campTurns = MakeControl<CLabel>(p.campArmy, at, "LblTurns");
        p.campAction->BindHandler(HandlerClick, &m_inputs, &MapWndInputs::OnActionTap);
    }
    {
        p.info = MakePanel(m_window, path, "MapInfoPanel");
        const CStr at = MapWndPath(path, "MapInfoPanel");
        p.infoLine1 = MakeControl<CIconWnd>(p.info, at, "HorzLine1");
        p.infoLine2 = MakeControl<CIconWnd>(p.info, at, "HorzLine2");

        const CStr prov = MapWndPath(at, "ProvinceDetails");
        p.provinceDetails = new CCompositeWnd(p.info, prov, true);
        CWindow* provWnd = p.provinceDetails->Window();
        p.provinceName = MakeControl<CTextWnd>(provWnd, prov, "RtProvince");
        p.provinceIncome = MakeControl<CResWnd>(provWnd, prov, "ResProvince");
        p.provinceIncome->flags &= static_cast<uint8_t>(~ResPluralIcons);
        p.provArmyToggle = MakeHintButton(provWnd, prov, "BtnProvArmy");
        p.campArmyToggle = MakeHintButton(provWnd, prov, "BtnCampArmy");
        p.provArmyToggle->mode = PressToggle;
        p.campArmyToggle->mode = PressToggle;
        p.campArmyToggle->SetChecked(true, false);
        p.provArmyToggle->BindHandler(HandlerClick, &m_inputs, &MapWndInputs::OnInfoToggleTap);
        p.campArmyToggle->BindHandler(HandlerClick, &m_inputs, &MapWndInputs::OnInfoToggleTap);

        const CStr army = MapWndPath(at, "ArmyDetails");
        p.armyDetails = new CCompositeWnd(p.info, army, true);
        CWindow* armyWnd = p.armyDetails->Window();
        p.armyStyle = MakeControl<CIconWnd>(armyWnd, army, "StyleIcon");
        p.garrisonList = PanelContents::CreateArmyList(armyWnd, MapWndPath(army, "ArmyCtrl"));
        p.operationAction = MakeHintButton(armyWnd, army, "BtnRecruit");
        p.operationAction->BindHandler(HandlerClick, &m_inputs, &MapWndInputs::OnOperationTap);

        const CStr castle = MapWndPath(at, "CastleDetails");
        p.castleDetails = new CCompositeWnd(p.info, castle, true);
        CWindow* castleWnd = p.castleDetails->Window();
        p.castleCtrl = PanelContents::CreateCastleControl(castleWnd, MapWndPath(castle, "CastleCtrl"));
        p.castleAction = MakeHintButton(castleWnd, castle, "BtnCastleCtrl");
        p.castleAction->BindHandler(HandlerClick, &m_inputs, &MapWndInputs::OnCastleTap);

        m_infoLayout.TakeMinimumHeight(p);
    }
}

void CMapWnd::CreateDomainPanels()
{
    const CStr& path = m_link.Path();
    Panels& p = m_panels;
    {
        p.domainTop = MakePanel(m_window, path, "DomainTopPanel");
        const CStr at = MapWndPath(path, "DomainTopPanel");
        p.domainTopMenu = MakeControl<CIconWnd>(p.domainTop, at, "IcoMenu");
        p.domainCaption = MakeControl<CTextWnd>(p.domainTop, at, "RtDomains");
        p.domainReturn = MakeHintButton(p.domainTop, at, "BtnReturn");
        p.domainTopMenu->BindHandler(HandlerClick, &m_inputs, &MapWndInputs::OnMenuTap);
        p.domainReturn->BindHandler(HandlerClick, &m_inputs, &MapWndInputs::OnReturnTap);
    }
    {
        p.domainInfo = MakePanel(m_window, path, "DomainInfoPanel");
        const CStr at = MapWndPath(path, "DomainInfoPanel");
        p.domainSkillsLabel = MakeControl<CLabel>(p.domainInfo, at, "LblSkills");
        p.domainFameLabel = MakeControl<CLabel>(p.domainInfo, at, "LblFame");
        p.domainDomainLabel = MakeControl<CLabel>(p.domainInfo, at, "LblDomain");
        p.domainRelsLabel = MakeControl<CLabel>(p.domainInfo, at, "LblRels");
        p.domainPlayer = MakeControl<CTextWnd>(p.domainInfo, at, "RtPlayer");
        p.domainSkills = MakeControl<CTextWnd>(p.domainInfo, at, "RtSkills");
        p.domainProvCasl = MakeControl<CTextWnd>(p.domainInfo, at, "RtProvCasl");
        p.domainRelsIcon = MakeControl<CIconWnd>(p.domainInfo, at, "IcoRels");
        p.domainArrow = MakeControl<CIconWnd>(p.domainInfo, at, "IcoArrow");
        p.domainFameIcon = MakeControl<CIconWnd>(p.domainInfo, at, "IcoFame");
        p.domainRels = MakeControl<CPushButton>(p.domainInfo, at, "BtnRels");
        p.domainIncome = MakeControl<CResWnd>(p.domainInfo, at, "ResTreasury");
        p.domainRels->BindHandler(HandlerClick, &m_inputs, &MapWndInputs::OnRelsTap);
    }
}

void CMapWnd::CreateComputerPanel()
{
    const CStr& path = m_link.Path();
    m_panels.aiInfo = MakePanel(m_window, path, "AIInfoPanel");
    m_panels.aiPlayer = MakeControl<CTextWnd>(m_panels.aiInfo, MapWndPath(path, "AIInfoPanel"), "RtPlayer");
}

void CMapWnd::CreateRecruitPanels()
{
    const CStr& path = m_link.Path();
    Panels& p = m_panels;
    {
        p.recruitTop = MakePanel(m_window, path, "RecruitTopPanel");
        const CStr at = MapWndPath(path, "RecruitTopPanel");
        p.recruitTopMenu = MakeControl<CIconWnd>(p.recruitTop, at, "IcoMenu");
        p.recruitTreasury = MakeControl<CResWnd>(p.recruitTop, at, "ResTreasury");
        p.recruitTurn = MakeHintButton(p.recruitTop, at, "BtnTurn");
        p.recruitMarket = MakeHintButton(p.recruitTop, at, "BtnMarket");
        p.recruitTopMenu->BindHandler(HandlerClick, &m_inputs, &MapWndInputs::OnMenuTap);
    }
    {
        p.recruitAction = MakePanel(m_window, path, "RecruitActionPanel");
        const CStr at = MapWndPath(path, "RecruitActionPanel");
        p.recruitProvince = MakeControl<CTextWnd>(p.recruitAction, at, "RtProvince");
        p.recruitApply = MakeHintButton(p.recruitAction, at, "BtnApply");
        p.recruitClear = MakeHintButton(p.recruitAction, at, "BtnClear");
        p.recruitSquadName = MakeControl<CLabel>(p.recruitAction, at, "LblSquadName");
        p.recruitCost = MakeControl<CResWnd>(p.recruitAction, at, "ResCost");
        p.recruitCost->flags &= static_cast<uint8_t>(~ResPluralIcons);
        p.recruitInfo = MakeHintButton(p.recruitAction, at, "BtnInfo");
        p.recruitSquadIcon = MakeControl<CIconWnd>(p.recruitAction, at, "IcoSquad");
        p.recruitScroller = MakeControl<CValueScroller>(p.recruitAction, at, "ScrRecruit");
        p.recruitValue = MakeControl<CLabel>(p.recruitAction, at, "LblRecrVal");
    }
    m_recruit->BindControls();
}

void CMapWnd::DestroyPanels()
{
    // A panel owns its controls and sections: deleting it deletes them.
    Panels& p = m_panels;
    CFrameWnd* panels[] = {p.mapTop,     p.campArmy, p.info,       p.domainTop,
                           p.domainInfo, p.aiInfo,   p.recruitTop, p.recruitAction};
    m_panels = Panels{};
    for (CFrameWnd* panel : panels)
        delete panel;
}

// ---- Hold ------------------------------------------------------------------

void CMapWnd::LockMapFrame()
{
    m_held = true;
    m_frameSteps.SetViewHold(true);
}

void CMapWnd::UnlockMapFrame()
{
    m_held = false;
    m_frameSteps.SetViewHold(false);
}

// The view's blink timer is also held while nothing is selected, so the
// window's own record of the hold is the one that counts.
bool CMapWnd::IsMapFrameHeld() const
{
    return m_held;
}

// ---- Modes -----------------------------------------------------------------

void CMapWnd::SetMode(uint32_t mode, bool force)
{
    if (mode > kModeRecruit)
        return;
    if (!force && mode == m_mode)
        return;
    LeaveMode();
    HideModePanels();
    m_mode = mode;
    ShowModePanels();
    LayoutModePanels(false);
    EnterMode();
    m_frameSteps.Invalidate();
}

void CMapWnd::LeaveMode()
{
    switch (m_mode) {
    case kModeMap:
        m_frameSteps.SetDragScroll(true);
        m_frameSteps.SetViewSelection(-1);
        break;
    case kModeDomain:
        m_frameSteps.ClearViewMarks(false);
        break;
    case kModeComputer:
        PanelContents::ShowComputerTurnTitle(m_panels.aiPlayer, CurrentPlayer());
        break;
    case kModeRecruit:
        LeaveRecruitMode();
        break;
    default:
        break;
    }
}

void CMapWnd::HideModePanels()
{
    Panels& p = m_panels;
    switch (m_mode) {
    case kModeMap:
        ShowWindow(p.mapTop, false);
        ShowWindow(p.info, false);
        ShowWindow(p.campArmy, false);
        m_frameSteps.SetViewMapMode(false);
        break;
    case kModeDomain:
        ShowWindow(p.domainTop, false);
        ShowWindow(p.domainInfo, false);
        break;
    case kModeComputer:
        ShowWindow(p.aiInfo, false);
        break;
    case kModeRecruit:
        ShowWindow(p.recruitTop, false);
        ShowWindow(p.recruitAction, false);
        break;
    default:
        break;
    }
}

void CMapWnd::ShowModePanels()
{
    Panels& p = m_panels;
    switch (m_mode) {
    case kModeMap:
        ShowWindow(p.mapTop, true);
        ShowWindow(p.info, true);
        ShowWindow(p.campArmy, IsDrawnDown(p.campArmyToggle));
        m_frameSteps.SetViewMapMode(true);
        m_frameSteps.SetHalfScale(false);
        break;
    case kModeDomain:
        ShowWindow(p.domainTop, true);
        ShowWindow(p.domainInfo, true);
        m_frameSteps.SetHalfScale(true);
        break;
    case kModeComputer:
        ShowWindow(p.aiInfo, true);
        m_frameSteps.SetHalfScale(true);
        break;
    case kModeRecruit:
        ShowWindow(p.recruitTop, true);
        ShowWindow(p.recruitAction, true);
        m_frameSteps.SetHalfScale(false);
        break;
    default:
        break;
    }
}

void CMapWnd::EnterMode()
{
    switch (m_mode) {
    case kModeMap:
        LayoutInfoPanel();
        OnProvinceSelected(SelectedProvinceIndex(), 1, 0);
        break;
    case kModeDomain:
        m_domainPlayer = 255;
        if (PlayerRecord* player = CurrentPlayer())
            ShowDomain(PlayerIndexOf(player), 0);
        break;
    case kModeComputer:
        PanelContents::ShowComputerTurnTitle(m_panels.aiPlayer, CurrentPlayer());
        break;
    case kModeRecruit:
        m_frameSteps.SetDragScroll(false);
        EnterRecruitMode();
        break;
    default:
        break;
    }
}

namespace {

// Cuts the rest of the client rectangle by a top panel (anchor 4: below it;
// anchors 2 and 6: left of it).
void CutByTopPanel(const CFrameWnd* panel, int32_t& top, int32_t& right)
{
    if (!panel || !panel->WindowRect().IsDefined())
        return;
    const int32_t anchor = panel->AnchorMode();
    if (anchor == AnchorFullWidth)
        top = panel->WindowRect().Bottom() + 1;
    if (anchor == AnchorRightFullHeight || anchor == AnchorRight)
        right = panel->WindowRect().Left() - 1;
}

// Cuts it by a bottom panel of anchor 8: above it.
void CutByBottomPanel(const CFrameWnd* panel, int32_t& bottom)
{
    if (!panel || !panel->WindowRect().IsDefined())
        return;
    if (panel->AnchorMode() == AnchorBottomFullWidth)
        bottom = panel->WindowRect().Top() - 1;
}

// What the mode's panels leave of the window's client area.
PackedRect MapFrameArea(const PackedRect& client, const MapPanels& p, uint32_t mode)
{
    if (!client.IsDefined())
        return UndefinedRect;
    int32_t left = client.Left(), top = client.Top(), right = client.Right(), bottom = client.Bottom();
    switch (mode) {
    case CMapWnd::kModeMap:
        if (IsShown(p.mapTop))
            CutByTopPanel(p.mapTop, top, right);
        if (IsShown(p.info))
            CutByBottomPanel(p.info, bottom);
        if (IsShown(p.campArmy) && p.campArmy->WindowRect().IsDefined() &&
            (p.campArmy->AnchorMode() == AnchorBottomFullWidth || p.campArmy->AnchorMode() == AnchorBottom)) {
            bottom = std::min<int32_t>(bottom, p.campArmy->WindowRect().Top() - 1);
        }
        break;
    case CMapWnd::kModeDomain:
        CutByTopPanel(p.domainTop, top, right);
        CutByBottomPanel(p.domainInfo, bottom);
        break;
    case CMapWnd::kModeComputer:
        CutByBottomPanel(p.aiInfo, bottom);
        break;
    case CMapWnd::kModeRecruit:
        CutByTopPanel(p.recruitTop, top, right);
        CutByBottomPanel(p.recruitAction, bottom);
        break;
    default:
        break;
    }
    // The frame's rectangle is requested relative to the client's origin.
    return PackedRect(left - client.Left(), top - client.Top(), right - client.Left(), bottom - client.Top());
}

}  // namespace

void CMapWnd::LayoutModePanels(bool relayout)
{
    const PackedRect area = MapFrameArea(m_window->ClientRect(), m_panels, m_mode);
    if (!area.IsDefined())
        return;
    m_frameSteps.Place(area, relayout, m_mode == kModeMap);
}

void CMapWnd::LayoutInfoPanel()
{
    Panels& p = m_panels;
    if (!p.info || !p.provArmyToggle)
        return;
    if (!p.provArmyToggle->IsVisible() && p.provArmyToggle->AnchorMode() == 0)
        return;
    const bool wasHeld = IsMapFrameHeld();
    LockMapFrame();
    m_infoLayout.Place(p);
    LayoutModePanels(true);
    if (!wasHeld)
        UnlockMapFrame();
}

// ---- Province events -------------------------------------------------------

void CMapWnd::OnProvincePenDown(int16_t province)
{
    switch (m_mode) {
    case kModeMap:
    case kModeComputer:
        if (province >= 0)
            CurrentControllerSelectProvince(uint8_t(province));
        break;
    case kModeDomain: {
        CGameWorld* world = GameWorld();
        if (!world || province < 0 || province >= world->ProvinceCount())
            break;
        const ProvinceRecord& record = world->Province(province);
        if (record.ownerId < world->PlayerCount())
            ShowDomain(record.ownerId, 1);
        break;
    }
    case kModeRecruit:
        m_recruit->PenDown(province);
        break;
    default:
        break;
    }
}

void CMapWnd::OnProvinceDoubleTap(int16_t province)
{
    m_pendingProvince = province;
    m_actionTimer.SetRate(200);
}

void CMapWnd::OnActionTimer()
{
    m_actionTimer.SetRate(0);
    const int16_t province = m_pendingProvince;
    switch (m_mode) {
    case kModeMap:
        if (province >= 0)
            CurrentControllerProvinceAction(uint8_t(province));
        break;
    case kModeDomain:
    case kModeRecruit:
        OnProvincePenDown(province);
        break;
    default:
        break;
    }
}

void CMapWnd::OnProvinceDrag(int16_t province)
{
    if (m_mode == kModeRecruit)
        m_recruit->Drag(province);
}

void CMapWnd::OnProvinceSelected(int16_t province, uint8_t scroll, uint8_t mark)
{
    if (scroll && province != -1)
        m_frameSteps.ScrollTo(province, mark);
    m_frameSteps.SetViewSelection(province);
}

// ---- Panel controls (their taps arrive through MapWndInputs) ---------------

void CMapWnd::OnCommandTimer()
{
    m_commandTimer.SetRate(0);
    MapMenuCommand(32);
}

void CMapWnd::OnMenuKey()
{
    if (m_dialogs.IsCastleInfoShown())
        return;
    if (m_menu.IsShown()) {
        m_menu.Close();
        return;
    }
    OnMenu();
}
