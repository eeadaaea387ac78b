#pragma once
// CMapBattleWnd: the full-screen window on which a tactical battle is shown
// and played by hand. The whole battle runs inside its show handler: it
// starts the battle in the battle engine, runs the placement and the turns,
// and closes itself when the engine returns. Meanwhile the engine talks back
// through the battle hooks (side banner, split count, field rebuild, frame
// pump, squad changed, squad information, command state, action mode), and
// the window turns taps and button presses into engine calls. The field
// itself is drawn and hit-tested by the embedded CBattleFieldView.
//
// Openers: construct it (the map window with "MapBattleWnd" under its own
// node, the trainer with "Map/MapWnd/MapBattleWnd" under the root), call
// SetBattleParams, set resumeFlag, optionally set battleOverHandler, run
// Window() modally and delete the object afterwards.

#include <cstdint>
#include <functional>

#include "battlescreen/battle_field_view.h"
#include "core/packed_geometry.h"
#include "core/ref_string.h"
#include "core/signal.h"
#include "ui/composite_wnd.h"

class CBattleSprite;
class CFrameWnd;
class CGameMenu;
class CIconWnd;
class CLabel;
class CHintButton;
class CSideController;
class CSquad;
class CSquadStatsPanel;
class CSplitSquadWnd;
class CWindow;
struct BattleParams;
struct BattleStateWords;
struct SplitAmountRecord;

class CMapBattleWnd : public CCompositeWnd {
public:
    CMapBattleWnd(CWindow* parent, const CStr& path);
    ~CMapBattleWnd() override;

    void SetBattleParams(BattleParams* params) { m_params = params; }

    // Called once when the battle has ended, just before the window closes.
    std::function<void()> battleOverHandler;
    // 0: start a new battle; otherwise continue a battle restored in progress.
    uint8_t resumeFlag = 0;

    // Window slots.
    void Paint(const PackedRect& rect) override;
    void OnShow() override;
    void OnHide() override;
    void OnClick(const PackedPoint& point);
    void OnDoubleClick(const PackedPoint& point);
    void OnChar(uint16_t code);

    // Battle hooks.
    void BindBattleHooks();
    void UnbindBattleHooks();
    void ShowSideBanner(CSideController* side, uint8_t placement);
    void AskSplitCount(SplitAmountRecord* record);
    void OnFieldRebuild();
    void OnFramePump();
    void OnSquadChanged(CBattleSprite* sprite, bool flag);
    void ShowSquadInfo(CSquad* squad, bool sideFlag);
    void OnCommandState(const BattleStateWords* words, uint32_t changed);
    void SetActionMode(uint32_t mode);

    void OnFieldDirty(const PackedRect& rect);
    void FitBottomPanel();
    void OnMenu();
    void OnMenuKey();
    void OnSquadInfoButton();
    void OnCommandButton(uint32_t code);
    void OnStrength(uint32_t battleId, int32_t count);

    void LoadBattlePalette();
    void ApplySideColours();

    CBattleFieldView& FieldView() { return m_fieldView; }
    const PackedPoint& FieldOrigin() const { return m_fieldOrigin; }
    CSquad* CurrentSquad() const { return m_currentSquad; }
    const uint8_t* ScreenPalette() const { return m_screenPalette; }
    bool HasControls() const { return m_bottomPanel != nullptr; }
    // The control with a command bit ("Menu" 1, "Split" 2, "Join" 4,
    // "Start" 8, "Turn" 16, "Bridge" 32, "Guard" 128, "Auto" 512).
    CWindow* CommandControl(uint32_t bit) const;
    CWindow* Control(const char* name) const;
    CGameMenu* BattleMenu() const { return m_battleMenu; }

private:
    // The panels that come from the map dialogs: the squad statistics and
    // the battle menu.
    void CreatePanels();
    void UpdateStatsPanel(const class CSquadType* type);
    void OnClickHandler(CWindow*, intptr_t argument);
    void OnDoubleClickHandler(CWindow*, intptr_t argument);
    void OnCharHandler(CWindow*, intptr_t argument);
    void OnSplitHandler(CWindow*, intptr_t);
    void OnJoinHandler(CWindow*, intptr_t);
    void OnStartHandler(CWindow*, intptr_t);
    void OnAutoHandler(CWindow*, intptr_t);
    void OnBridgeHandler(CWindow*, intptr_t);
    void OnGuardHandler(CWindow*, intptr_t);
    void OnTurnHandler(CWindow*, intptr_t);
    void OnMenuHandler(CWindow*, intptr_t);
    void OnInfoHandler(CWindow*, intptr_t);
    void OnPanelSizeHandler(CWindow*, intptr_t);
    void ConnectSignals();
    void DisconnectSignals();
    bool HasScreen() const;

    const uint8_t* m_unitsPalette = nullptr;
    uint16_t m_unitsPaletteSize = 0;
    const uint8_t* m_battlePalette = nullptr;
    uint16_t m_battlePaletteSize = 0;
    uint8_t m_screenPalette[768] = {};
    CBattleFieldView m_fieldView;
    PackedPoint m_fieldOrigin = PackedPoint(0, 0);
    BattleParams* m_params = nullptr;
    CSquad* m_currentSquad = nullptr;

    CFrameWnd* m_bottomPanel = nullptr;
    CIconWnd* m_menu = nullptr;
    CHintButton* m_split = nullptr;
    CHintButton* m_join = nullptr;
    CHintButton* m_start = nullptr;
    CHintButton* m_auto = nullptr;
    CHintButton* m_bridge = nullptr;
    CHintButton* m_guard = nullptr;
    CHintButton* m_turn = nullptr;
    CLabel* m_squadName = nullptr;
    CIconWnd* m_squadIcon = nullptr;
    CLabel* m_squadCount = nullptr;
    CIconWnd* m_hpIcon = nullptr;
    CLabel* m_hp = nullptr;
    CHintButton* m_info = nullptr;
    CSquadStatsPanel* m_rightPanel = nullptr;
    CGameMenu* m_battleMenu = nullptr;
    CSplitSquadWnd* m_splitWnd = nullptr;

    SignalConnection m_spareConnection;
    bool m_hadScreen = false;
    bool m_rulesLoaded = false;
};
