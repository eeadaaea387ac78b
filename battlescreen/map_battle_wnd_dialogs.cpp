// The battle window's dialogs: the side banner, the split count, the squad
// description, the battle menu, and the two panels that come from the map
// dialogs (squad statistics and the menu itself).

#include <memory>

#include "battle/battle_flow.h"
#include "battle/battle_hooks.h"
#include "battle/battle_input.h"
#include "battle/side_controller.h"
#include "battlescreen/map_battle_wnd.h"
#include "core/core_main.h"
#include "core/ui_mgr.h"
#include "game/army.h"
#include "game/player_record.h"
#include "game/squad_type.h"
#include "mapdialogs/game_menu.h"
#include "mapdialogs/prefs_wnds.h"
#include "mapdialogs/split_squad_wnd.h"
#include "mapdialogs/squad_descr_wnd.h"
#include "ui/frame_wnd.h"
#include "ui/help_mgr.h"
#include "ui/message_wnd.h"
#include "ui/window_mgr.h"

namespace {

enum BattleMenuItem : uint16_t {
    kMenuRetreat = 1,
    kMenuBattlePrefs = 2,
    kMenuEndBattle = 3,
    kMenuQuit = 4,
    kMenuHelp = 5,
    kMenuGamePrefs = 20,
};

// A question box: true when the first button was taken. The box is the
// battle window's child: a box under the root could not run while the
// battle window is the root's modal child.
bool Confirm(CWindow* owner, const char* titleKey, const char* textKey)
{
    CStr text;
    GetLocaleText(textKey, text);
    auto* box = new CMessageWnd(owner);
    box->Setup(text, CStr(titleKey), MessageQuestion, CStr("/Sounds/msg_qst"), true);
    const bool yes = box->ModalResult() == MessageResultYes;
    delete box;
    return yes;
}

}  // namespace

void CMapBattleWnd::CreatePanels()
{
    m_rightPanel = new CSquadStatsPanel(m_window, CStr("RightPanel"));
    m_rightPanel->UpdateMargins();
    m_battleMenu = new CGameMenu(m_window, CStr("BattleMenu"));
}

void CMapBattleWnd::UpdateStatsPanel(const CSquadType* type)
{
    if (m_rightPanel)
        m_rightPanel->SetSquadType(type);
}

void CMapBattleWnd::ShowSideBanner(CSideController* side, uint8_t placement)
{
    if (!m_params || !side)
        return;
    const bool attacker = side->IsAttackerSide();
    const char* titleKey =
        placement ? (attacker ? "BtlPlacTA" : "BtlPlacTD") : (attacker ? "BtlTurnTA" : "BtlTurnTD");
    const PlayerRecord* player = attacker ? m_params->attacker : m_params->defender;
    CStr format;
    GetLocaleText(placement ? "BtlPlacM" : "BtlTurnM", format);
    CStr text;
    text.Format(format.Chars(), player ? player->name : CStr());
    auto* box = new CMessageWnd(m_window);
    box->Setup(text, CStr(titleKey), MessageTapToClose, CStr("/Sounds/battle_new_turn"), true);
    delete box;
}

void CMapBattleWnd::AskSplitCount(SplitAmountRecord* record)
{
    if (!record)
        return;
    m_fieldView.PauseAnimations();
    m_splitWnd = new CSplitSquadWnd(m_window, CStr(CSplitSquadWnd::kLayoutPath));
    m_splitWnd->size = uint32_t(record->max > 0 ? record->max : 0);
    m_splitWnd->chosen = uint32_t(record->proposal > 0 ? record->proposal : 0);
    const uint16_t result = RunModal(m_splitWnd);
    record->proposal = result == ResultOk ? int32_t(m_splitWnd->chosen) : 0;
    delete m_splitWnd;
    m_splitWnd = nullptr;
    m_fieldView.ResumeAnimations();
}

void CMapBattleWnd::OnSquadInfoButton()
{
    if (!m_currentSquad)
        return;
    m_fieldView.PauseAnimations();
    auto* descr = new CSquadDescrWnd(m_window, CStr("/Map/MapWnd/RecruitWnd/SquadDescrWnd"));
    descr->Setup(m_currentSquad->type);
    RunModal(descr);
    delete descr;
    m_fieldView.ResumeAnimations();
}

void CMapBattleWnd::OnMenu()
{
    if (!m_battleMenu)
        return;
    m_fieldView.PauseAnimations();
    CSideController* active = ActiveSide();
    m_battleMenu->EnableItem(kMenuRetreat, active && active->MayGiveUp());
    const uint16_t result = RunModal(m_battleMenu);
    const uint16_t item = uint16_t(result - kGameMenuResultBase);
    if (QuitFlag)
        return;
    switch (item) {
    case kMenuRetreat:
        if (Confirm(m_window, "RetreatMsgT", "RetreatMsg"))
            BattleCommand(kCommandGiveUp);
        break;
    case kMenuBattlePrefs:
    case kMenuGamePrefs: {
        std::unique_ptr<CDialog> prefs;
        if (item == kMenuBattlePrefs)
            prefs =
                std::make_unique<CBattlePrefsWnd>(m_window, CStr("/Map/MapWnd/MapBattleWnd/BattlePrefsWnd"));
        else
            prefs = std::make_unique<CGamePrefsWnd>(m_window, CStr("/Map/MapWnd/GamePrefsWnd"));
        // The options change how the whole field is drawn.
        if (RunModal(prefs.get()) == ResultOk)
            OnFieldDirty(m_fieldView.GetFieldRect());
        prefs.reset();
        RefreshActiveSide();
        break;
    }
    case kMenuEndBattle:
        if (Confirm(m_window, "QuitGameT", "EndBattleM")) {
            BattleCommand(kCommandStop);
            return;
        }
        break;
    case kMenuQuit:
        if (Confirm(m_window, "QuitGameT", "QuitGameM")) {
            RequestQuit();
            return;
        }
        break;
    case kMenuHelp:
        CHelpMgr::ShowHelp("", "/locale/battlehelp");
        break;
    default:
        break;
    }
    m_fieldView.ResumeAnimations();
}
