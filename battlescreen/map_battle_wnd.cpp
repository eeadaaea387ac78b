#include "battlescreen/map_battle_wnd.h"

#include <cstring>

#include "battle/battle_flow.h"
#include "battle/battle_hooks.h"
#include "battle/battle_input.h"
#include "battle/battle_rules.h"
#include "battle/quick_battle.h"
#include "core/core_main.h"
#include "core/device_mgr.h"
#include "core/display_surface.h"
#include "core/error_code_stack.h"
#include "core/log.h"
#include "core/path_mgr.h"
#include "core/raster.h"
#include "core/resource_mgr.h"
#include "core/sound_mgr.h"
#include "core/ui_mgr.h"
#include "core/ui_tree.h"
#include "game/army.h"
#include "game/player_colour.h"
#include "game/player_record.h"
#include "game/squad_type.h"
#include "ui/button.h"
#include "ui/frame_wnd.h"
#include "ui/label.h"
#include "ui/window_mgr.h"

namespace {

constexpr int kSideShades = 18;

void RepushResourceError()
{
    const uint32_t code = PopErrorCode();
    if (code != 0)
        PushErrorCode(code & 0xFF);
}

}  // namespace

CMapBattleWnd::CMapBattleWnd(CWindow* parent, const CStr& path) : CCompositeWnd(parent, path, true)
{
    m_window->SetFlag(WndRaiseOnPenDown, true);
    m_window->SetEventFlag(WndEventDoubleClick, true);
    m_window->SetFlag(WndSeeThrough, false);
    m_window->BindHandler(HandlerClick, this, &CMapBattleWnd::OnClickHandler);
    m_window->BindHandler(HandlerDoubleClick, this, &CMapBattleWnd::OnDoubleClickHandler);
    m_window->BindHandler(HandlerChar, this, &CMapBattleWnd::OnCharHandler);

    RawResource units;
    PushResourceFolder();
    CResourceMgr::SetCurrentFolder(CPathMgr::Path(CPathMgr::kPalettes).Chars());
    const bool unitsLoaded = CResourceMgr::LoadPalette("BattleUnits", units);
    PopResourceFolder();
    if (!unitsLoaded) {
        ShowErrorBox("Cannot load units palette");
        RepushResourceError();
        return;
    }
    m_unitsPalette = units.data;
    m_unitsPaletteSize = units.size;

    CUiTree& tree = CUIMgr::Tree();
    tree.PushNode();
    if (tree.GoToPath(path.Chars())) {
        m_bottomPanel = new CFrameWnd(m_window, CStr("BottomPanel"), true);
        m_bottomPanel->UpdateMargins();
        tree.PushNode();
        if (tree.GoToPath("BottomPanel")) {
            CWindow* panel = m_bottomPanel;
            m_menu = new CIconWnd(panel, CStr("Menu"), true);
            m_split = new CHintButton(panel, CStr("Split"), false);
            m_join = new CHintButton(panel, CStr("Join"), false);
            m_start = new CHintButton(panel, CStr("Start"), false);
            m_auto = new CHintButton(panel, CStr("Auto"), false);
            m_bridge = new CHintButton(panel, CStr("Bridge"), false);
            m_guard = new CHintButton(panel, CStr("Guard"), false);
            m_turn = new CHintButton(panel, CStr("Turn"), false);
            m_squadName = new CLabel(panel, CStr("LblSquadName"), true);
            m_squadIcon = new CIconWnd(panel, CStr("IcoSquad"), true);
            m_squadCount = new CLabel(panel, CStr("LblSquad"), true);
            m_hpIcon = new CIconWnd(panel, CStr("IcoHP"), true);
            m_hp = new CLabel(panel, CStr("LblHP"), true);
            m_info = new CHintButton(panel, CStr("BtnInfo"), false);
        }
        tree.PopNode();
        CreatePanels();
    }
    tree.PopNode();

    if (m_auto) {
        m_auto->BringToFront(false);
        const PackedRect placed = m_bottomPanel->WindowRect();
        m_fieldOrigin = PackedPoint(placed.IsDefined() ? placed.Left() : 0, 0);
        for (CHintButton* toggle : {m_split, m_join, m_auto, m_bridge})
            toggle->mode = PressToggle;
        FitBottomPanel();
        m_menu->BindHandler(HandlerClick, this, &CMapBattleWnd::OnMenuHandler);
        m_split->BindHandler(HandlerClick, this, &CMapBattleWnd::OnSplitHandler);
        m_join->BindHandler(HandlerClick, this, &CMapBattleWnd::OnJoinHandler);
        m_start->BindHandler(HandlerClick, this, &CMapBattleWnd::OnStartHandler);
        m_auto->BindHandler(HandlerClick, this, &CMapBattleWnd::OnAutoHandler);
        m_bridge->BindHandler(HandlerClick, this, &CMapBattleWnd::OnBridgeHandler);
        m_guard->BindHandler(HandlerClick, this, &CMapBattleWnd::OnGuardHandler);
        m_turn->BindHandler(HandlerClick, this, &CMapBattleWnd::OnTurnHandler);
        m_info->BindHandler(HandlerClick, this, &CMapBattleWnd::OnInfoHandler);
        m_bottomPanel->BindHandler(HandlerSize, this, &CMapBattleWnd::OnPanelSizeHandler);
    }
    // The engine keeps its defaults when the rules text is missing.
    LoadBattleRules("/rules/battle/battle");
    m_rulesLoaded = true;
    BindBattleHooks();
}

CMapBattleWnd::~CMapBattleWnd()
{
    UnbindBattleHooks();
    if (m_rulesLoaded)
        UnloadBattleRules();
    DisconnectSignals();
    battleOverHandler = nullptr;
}

CWindow* CMapBattleWnd::CommandControl(uint32_t bit) const
{
    switch (bit) {
    case kButtonMenu:
        return m_menu;
    case kButtonSplit:
        return m_split;
    case kButtonJoin:
        return m_join;
    case kButtonStart:
        return m_start;
    case kButtonTurn:
        return m_turn;
    case kButtonBridge:
        return m_bridge;
    case kButtonGuard:
        return m_guard;
    case kButtonAuto:
        return m_auto;
    default:
        return nullptr;
    }
}

CWindow* CMapBattleWnd::Control(const char* name) const
{
    const CStr n(name);
    if (n == "BottomPanel")
        return m_bottomPanel;
    if (n == "Menu")
        return m_menu;
    if (n == "Split")
        return m_split;
    if (n == "Join")
        return m_join;
    if (n == "Start")
        return m_start;
    if (n == "Auto")
        return m_auto;
    if (n == "Bridge")
        return m_bridge;
    if (n == "Guard")
        return m_guard;
    if (n == "Turn")
        return m_turn;
    if (n == "LblSquadName")
        return m_squadName;
    if (n == "IcoSquad")
        return m_squadIcon;
    if (n == "LblSquad")
        return m_squadCount;
    if (n == "IcoHP")
        return m_hpIcon;
    if (n == "LblHP")
        return m_hp;
    if (n == "BtnInfo")
        return m_info;
    return nullptr;
}

void CMapBattleWnd::FitBottomPanel()
{
    if (!m_bottomPanel)
        return;
    // The panel fills what the field leaves free below it.
    const PackedRect requested = m_bottomPanel->RequestedRect();
    const PackedRect placed = m_bottomPanel->WindowRect();
    if (!requested.IsDefined() || !placed.IsDefined())
        return;
    const int32_t height = m_fieldView.fieldHeight;
    PackedRect rect(requested.Left(), requested.Top(), requested.Right(),
                    requested.Top() + placed.Bottom() - height);
    if (rect.Bottom() < rect.Top())
        return;
    m_bottomPanel->SetRect(rect, false);
}

// Show: the whole battle runs here.

bool CMapBattleWnd::HasScreen() const
{
    return m_params && m_params->noScreen == 0;
}

void CMapBattleWnd::OnShow()
{
    if (m_split)
        m_split->Show(false, false);
    if (m_join)
        m_join->Show(false, false);
    if (m_bridge)
        m_bridge->SetChecked(false, true);
    CSound* startSound = nullptr;
    m_hadScreen = HasScreen();
    if (resumeFlag == 0 && m_params) {
        BeginBattle(m_params);
        if (m_hadScreen) {
            BindBattleHooks();
            startSound = new CSound("/Sounds/battle_begin");
            startSound->Play();
        } else {
            UnbindBattleHooks();
        }
    }
    if (m_hadScreen) {
        LoadBattlePalette();
        ApplySideColours();
        CCompositeWnd::OnShow();
        SetPaletteLock(true);
        PushPalette();
        SetDisplayPalette(m_screenPalette);
        if (m_split)
            m_split->Show(true, false);
        if (m_start)
            m_start->Enable(true, true);
    }
    if (m_params) {
        // The computer playing both sides (a person's on automatic) may face
        // a castle it can never get into: the quick battle's guard ends that.
        const int32_t oldLimit = g_battleTurnLimit;
        g_battleTurnLimit = kQuickBattleRoundLimit;
        if (resumeFlag != 0) {
            ResumeBattle();
        } else {
            RunPlacementPhase();
            RunBattleTurns();
        }
        g_battleTurnLimit = oldLimit;
    }
    delete startSound;
    if (battleOverHandler)
        battleOverHandler();
    EndModal(m_window);
}

void CMapBattleWnd::OnHide()
{
    if (m_hadScreen) {
        CCompositeWnd::OnHide();
        SetPaletteLock(false);
        PopPalette();
    }
    if (m_params)
        EndBattle();
    m_fieldView.Clear();
    m_currentSquad = nullptr;
}

void CMapBattleWnd::LoadBattlePalette()
{
    RawResource palette;
    CStr name;
    if (IsSiege())
        name = "BattleSiege";
    else
        name.Format("BattleTopImg%ld", long(g_battle.obstacleLayout / 5 + 1));
    PushResourceFolder();
    CResourceMgr::SetCurrentFolder(CPathMgr::Path(CPathMgr::kPalettes).Chars());
    bool loaded = CResourceMgr::LoadPalette(name.Chars(), palette) && palette.size >= sizeof m_screenPalette;
    if (!loaded && !IsSiege()) {
        // A layout past the data set's terrains shows the first, as the
        // field view does with its top picture; the palette must follow it.
        LogWrite(CStr("BATTLE: no palette ") + name + CStr(", the first terrain's is used"));
        loaded =
            CResourceMgr::LoadPalette("BattleTopImg1", palette) && palette.size >= sizeof m_screenPalette;
    }
    PopResourceFolder();
    if (!loaded) {
        ShowErrorBox("Cannot load battle palette");
        RepushResourceError();
        return;
    }
    m_battlePalette = palette.data;
    m_battlePaletteSize = palette.size;
    std::memcpy(m_screenPalette, palette.data, sizeof m_screenPalette);
}

void CMapBattleWnd::ApplySideColours()
{
    if (!m_unitsPalette || !m_params)
        return;
    // A colour number whose 18 shades would run past the units palette
    // takes the last group that fits.
    const int32_t groups = m_unitsPaletteSize / 3 / kSideShades;
    if (groups <= 0)
        return;
    auto group = [groups](const PlayerRecord* player) {
        const int32_t colour = PlayerColour(player);
        return (colour < groups ? colour : groups - 1) * kSideShades;
    };
    const int32_t a = group(m_params->attacker);
    const int32_t d = group(m_params->defender);
    for (int32_t i = 0; i < kSideShades; ++i) {
        std::memcpy(m_screenPalette + 3 * (220 + i), m_unitsPalette + 3 * (a + i), 3);
        std::memcpy(m_screenPalette + 3 * (238 + i), m_unitsPalette + 3 * (d + i), 3);
    }
}

// Painting and input.

void CMapBattleWnd::Paint(const PackedRect& rect)
{
    if (!m_canvas.IsBound() || !m_canvas.PushClip(rect))
        return;
    if (m_canvas.PushOrigin(m_fieldOrigin)) {
        m_fieldView.Draw(m_canvas);
        m_canvas.PopOrigin();
    }
    m_canvas.PopClip();
}

void CMapBattleWnd::OnClick(const PackedPoint& point)
{
    PackedPoint p = point;
    p.Subtract(m_fieldOrigin);
    m_fieldView.OnTap(p);
}

void CMapBattleWnd::OnDoubleClick(const PackedPoint& point)
{
    PackedPoint p = point;
    p.Subtract(m_fieldOrigin);
    m_fieldView.OnAltTap(p);
}

void CMapBattleWnd::OnChar(uint16_t code)
{
    BattleKeyInput(code);
}

void CMapBattleWnd::OnClickHandler(CWindow*, intptr_t argument)
{
    if (argument)
        OnClick(*reinterpret_cast<const PackedPoint*>(argument));
}

void CMapBattleWnd::OnDoubleClickHandler(CWindow*, intptr_t argument)
{
    if (argument)
        OnDoubleClick(*reinterpret_cast<const PackedPoint*>(argument));
}

void CMapBattleWnd::OnCharHandler(CWindow*, intptr_t argument)
{
    OnChar(uint16_t(argument));
}

void CMapBattleWnd::OnFieldDirty(const PackedRect& rect)
{
    if (!rect.IsDefined())
        return;
    PackedRect r = rect;
    r.OffsetBy(m_fieldOrigin);
    m_window->Invalidate(r, true);
}

// Hooks.

void CMapBattleWnd::BindBattleHooks()
{
    if (!m_bottomPanel)
        return;
    BattleScreenHooks& h = g_battleHooks;
    h.sideTurn.Bind(this, &CMapBattleWnd::ShowSideBanner);
    h.splitAmount.Bind(this, &CMapBattleWnd::AskSplitCount);
    h.redraw.Bind(this, &CMapBattleWnd::OnFieldRebuild);
    h.waitStep.Bind(this, &CMapBattleWnd::OnFramePump);
    h.strength.Bind(this, &CMapBattleWnd::OnStrength);
    h.selection.Bind(this, &CMapBattleWnd::ShowSquadInfo);
    h.stateWords.Bind(this, &CMapBattleWnd::OnCommandState);
    h.orderInfo.Bind(this, &CMapBattleWnd::SetActionMode);
    m_fieldView.BindEngineHooks();
    m_fieldView.repaintHandler = [this](const PackedRect& rect) { OnFieldDirty(rect); };
    ConnectSignals();
}

void CMapBattleWnd::UnbindBattleHooks()
{
    BattleScreenHooks& h = g_battleHooks;
    h.sideTurn.Delete();
    h.splitAmount.Delete();
    h.redraw.Delete();
    h.waitStep.Delete();
    h.strength.Delete();
    h.selection.Delete();
    h.stateWords.Delete();
    h.orderInfo.Delete();
    m_fieldView.repaintHandler = nullptr;
    DisconnectSignals();
}

void CMapBattleWnd::ConnectSignals()
{
    // A close request is not refused here: the quit it raises stops the
    // battle as left unfinished (never saved), and the program shuts down;
    // the next start resumes from the save made before the battle.
    SpareButtonSignal.ConnectVoid(this, &CMapBattleWnd::OnMenuKey, m_spareConnection);
}

void CMapBattleWnd::DisconnectSignals()
{
    SpareButtonSignal.Disconnect(m_spareConnection);
}

void CMapBattleWnd::OnFieldRebuild()
{
    m_fieldView.Rebuild();
}

void CMapBattleWnd::OnFramePump()
{
    m_fieldView.ReleaseInstantEvents();
    FrameStep();
}

void CMapBattleWnd::OnStrength(uint32_t battleId, int32_t count)
{
    OnSquadChanged(m_fieldView.FindSprite(battleId), count > 0);
}

void CMapBattleWnd::OnSquadChanged(CBattleSprite* sprite, bool flag)
{
    if (!sprite)
        return;
    if (m_currentSquad && sprite->object == m_currentSquad) {
        if (flag) {
            const CSquad* squad = m_currentSquad;
            CStr text;
            text.Format("%ld", long(squad->count));
            m_squadCount->SetText(text, true);
            text.Format("%ld(%ld)", long(squad->hitPoints), long(squad->type ? squad->type->hp : 0));
            m_hp->SetText(text, true);
        } else {
            ShowSquadInfo(nullptr, false);
        }
    }
    m_fieldView.OnSquadChanged(sprite, flag);
}

void CMapBattleWnd::ShowSquadInfo(CSquad* squad, bool sideFlag)
{
    if (!m_bottomPanel)
        return;
    m_currentSquad = squad;
    const bool shown = squad != nullptr;
    m_squadIcon->Show(shown, false);
    m_squadCount->Show(shown, false);
    m_hpIcon->Show(shown, false);
    m_hp->Show(shown, false);
    const PackedRect infoRect = m_info->RequestedRect();
    m_info->Show(infoRect.IsDefined() && infoRect.Left() > 0, false);
    m_squadName->Show(false, false);
    if (!squad)
        return;
    const CSquadType* type = squad->type;
    m_squadName->SetText(type ? type->name : CStr(), false);
    PushResourceFolder();
    CResourceMgr::SetCurrentFolder(
        CStr::Concat(CPathMgr::Path(CPathMgr::kObjectsUnits), type ? type->typeId : CStr()).Chars());
    m_squadIcon->SetImage(CStr(sideFlag ? "icon_r" : "icon_l"), true);
    PopResourceFolder();
    CStr text;
    text.Format("%ld", long(squad->count));
    m_squadCount->SetText(text, true);
    const int32_t hp = squad->hitPoints < 2 ? 1 : squad->hitPoints;
    text.Format("%ld(%ld)", long(hp), long(type ? type->hp : 0));
    m_hp->SetText(text, true);
    UpdateStatsPanel(type);
}

void CMapBattleWnd::OnCommandState(const BattleStateWords* words, uint32_t changed)
{
    if (!words || !m_bottomPanel)
        return;
    struct Entry {
        uint32_t bit;
        bool toggle;
    };
    static const Entry kEntries[] = {{kButtonMenu, false},  {kButtonSplit, true}, {kButtonJoin, true},
                                     {kButtonStart, false}, {kButtonAuto, true},  {kButtonBridge, true},
                                     {kButtonGuard, false}, {kButtonTurn, false}};
    // The engine changes several bits at once at times ("Split" and "Join"
    // together): every control whose bit changed follows.
    for (const Entry& e : kEntries) {
        if (changed != 0 && (changed & e.bit) == 0)
            continue;
        CWindow* control = CommandControl(e.bit);
        control->Enable((words->b & e.bit) != 0, true);
        if (e.toggle) {
            auto* button = static_cast<CButton*>(control);
            const bool checked = (words->c & e.bit) != 0;
            if (e.bit != kButtonAuto || button->IsDrawnDown() != checked)
                button->SetChecked(checked, false);
        }
        control->Show((words->a & e.bit) != 0, false);
    }
}

void CMapBattleWnd::SetActionMode(uint32_t mode)
{
    if (!m_turn)
        return;
    static const char* const kPictures[4] = {"", "/Images/Btn/BtlAtk", "/Images/Btn/BtlAtkRng",
                                             "/Images/Btn/BtlMove"};
    if (mode == 0) {
        m_turn->Show(false, false);
    } else if (mode <= 3) {
        m_turn->SetImage(CStr(kPictures[mode]), true);
        m_turn->Show(true, false);
    }
}

void CMapBattleWnd::OnCommandButton(uint32_t code)
{
    // The toggles tell the engine how they look before the command goes.
    if (CWindow* control = CommandControl(code)) {
        if (code == kButtonSplit || code == kButtonJoin || code == kButtonAuto || code == kButtonBridge) {
            const bool down = static_cast<CButton*>(control)->IsDrawnDown();
            if (down)
                g_battleStateWords.c |= code;
            else
                g_battleStateWords.c &= ~code;
        }
    }
    BattleCommand(code);
}

void CMapBattleWnd::OnSplitHandler(CWindow*, intptr_t)
{
    OnCommandButton(kButtonSplit);
}
void CMapBattleWnd::OnJoinHandler(CWindow*, intptr_t)
{
    OnCommandButton(kButtonJoin);
}
void CMapBattleWnd::OnStartHandler(CWindow*, intptr_t)
{
    OnCommandButton(kButtonStart);
}
void CMapBattleWnd::OnAutoHandler(CWindow*, intptr_t)
{
    OnCommandButton(kButtonAuto);
}
void CMapBattleWnd::OnBridgeHandler(CWindow*, intptr_t)
{
    OnCommandButton(kButtonBridge);
}
void CMapBattleWnd::OnGuardHandler(CWindow*, intptr_t)
{
    OnCommandButton(kButtonGuard);
}
void CMapBattleWnd::OnTurnHandler(CWindow*, intptr_t)
{
    OnCommandButton(kButtonTurn);
}
void CMapBattleWnd::OnMenuHandler(CWindow*, intptr_t)
{
    OnMenu();
}
void CMapBattleWnd::OnInfoHandler(CWindow*, intptr_t)
{
    OnSquadInfoButton();
}
void CMapBattleWnd::OnPanelSizeHandler(CWindow*, intptr_t)
{
    FitBottomPanel();
}
void CMapBattleWnd::OnMenuKey()
{
    OnMenu();
}
