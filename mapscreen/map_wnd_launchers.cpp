// The operation-window launchers of the map window: one per dialog request
// kind. A launcher opens its window as a child of the map window, hands it
// the request record, runs it modally and deletes it; the window writes the
// user's answer into the record, which the poster reads once the request
// returns.
#include <new>

#include "core/ui_mgr.h"
#include "game/player_colour.h"
#include "game/player_record.h"
#include "game/running_game.h"
#include "game/ui_request.h"
#include "mapdialogs/battle_results_wnd.h"
#include "mapdialogs/castle_info_wnd.h"
#include "mapdialogs/castle_work_wnd.h"
#include "mapdialogs/decease_wnd.h"
#include "mapdialogs/item_list_wnd.h"
#include "mapdialogs/map_battle_question_wnd.h"
#include "mapdialogs/ner_wnd.h"
#include "mapdialogs/prep_treb_wnd.h"
#include "mapdialogs/random_event_wnd.h"
#include "mapdialogs/robbery_wnd.h"
#include "mapdialogs/scout_wnd.h"
#include "mapdialogs/skills_wnd.h"
#include "mapdialogs/taxes_wnd.h"
#include "mapdialogs/trading_wnd.h"
#include "mapdialogs/transfer_wnd.h"
#include "mapdialogs/volunteers_wnd.h"
#include "mapscreen/map_wnd.h"
#include "players/request_records.h"
#include "ui/message_wnd.h"
#include "ui/window_mgr.h"

namespace {

// Runs a window made for one request: modal, then deleted; the slot (when
// given) holds it meanwhile, so a second request of the kind cannot open a
// second window over it.
template <typename Wnd, typename Setup>
void RunOnce(CWindow*& slot, Wnd* window, Setup setup)
{
    if (window == nullptr)
        return;
    slot = window;
    setup(window);
    RunModal(window);
    delete window;
    slot = nullptr;
}

}  // namespace

// ---- The castle works (kinds 1 and 3 to 9) -------------------------------

namespace {

template <typename Wnd>
void OpenCastleWork(CWindow* parent, CWindow*& slot, CCastleInfoWnd* info, const char* name, void* record,
                    bool demolish)
{
    if (slot != nullptr || record == nullptr)
        return;
    auto* request = static_cast<CastleWorkRequestArgs*>(record);
    // The work window takes the pen from the castle panel for its run.
    if (info != nullptr)
        CWindowMgr::RemoveCapture(info);
    RunOnce(slot, new (std::nothrow) Wnd(parent, CStr(name)), [&](Wnd* w) { w->Setup(request); });
    if (info == nullptr)
        return;
    CWindowMgr::PushCapture(info);
    if (demolish && request->confirmed) {
        // The castle is gone: the panel closes (its hide handler frees the map).
        info->Show(false, false);
    } else {
        info->Refresh();
    }
}

}  // namespace

void CMapWnd::OpenBuildCastleWnd(void* record)
{
    if (m_dialogSlots[1] != nullptr || record == nullptr)
        return;
    RunOnce(m_dialogSlots[1], new (std::nothrow) CBuildCastleWnd(Window(), CStr("BuildCastleWnd")),
            [&](CBuildCastleWnd* w) { w->Setup(static_cast<CastleWorkRequestArgs*>(record)); });
}

void CMapWnd::OpenDemolishCastleWnd(void* record)
{
    OpenCastleWork<CDemolishCastleWnd>(Window(), m_dialogSlots[3], m_castleInfoWnd, "DemolishCastleWnd",
                                       record, true);
}
void CMapWnd::OpenCompleteCastleWnd(void* record)
{
    OpenCastleWork<CCompleteCastleWnd>(Window(), m_dialogSlots[4], m_castleInfoWnd, "CompleteCastleWnd",
                                       record, false);
}
void CMapWnd::OpenRepairCastleWnd(void* record)
{
    OpenCastleWork<CRepairCastleWnd>(Window(), m_dialogSlots[5], m_castleInfoWnd, "RepairCastleWnd", record,
                                     false);
}
void CMapWnd::OpenDigMoatWnd(void* record)
{
    OpenCastleWork<CDigMoatWnd>(Window(), m_dialogSlots[6], m_castleInfoWnd, "DigMoatWnd", record, false);
}
void CMapWnd::OpenAddCatapultWnd(void* record)
{
    OpenCastleWork<CAddCatapultWnd>(Window(), m_dialogSlots[7], m_castleInfoWnd, "AddCatapultWnd", record,
                                    false);
}
void CMapWnd::OpenAddWallsWnd(void* record)
{
    OpenCastleWork<CAddWallsWnd>(Window(), m_dialogSlots[8], m_castleInfoWnd, "AddWallsWnd", record, false);
}
void CMapWnd::OpenAddBuildingWnd(void* record)
{
    OpenCastleWork<CAddBuildingWnd>(Window(), m_dialogSlots[9], m_castleInfoWnd, "AddBuildingWnd", record,
                                    false);
}

// ---- The castle panel (kind 2, not modal) --------------------------------

void CMapWnd::OpenCastleInfoWnd(void* record)
{
    if (record == nullptr)
        return;
    if (m_castleInfoWnd == nullptr) {
        m_castleInfoWnd = new (std::nothrow) CCastleInfoWnd(Window(), CStr("CastleInfoWnd"));
        if (m_castleInfoWnd == nullptr)
            return;
    }
    m_castleInfoWnd->BindHandler(HandlerHide, this, &CMapWnd::OnCastleInfoClosed);
    m_castleInfoWnd->Setup(static_cast<CastleInfoRequestArgs*>(record));
    m_castleInfoWnd->Show(true, false);
    // A second request while the panel is open must not stack it twice: one
    // hide would then leave it holding the pen with the map below dead.
    CWindowMgr::RemoveCapture(m_castleInfoWnd);
    CWindowMgr::PushCapture(m_castleInfoWnd);
    m_castleInfoWnd->BringToFront(true);
}

void CMapWnd::DestroyLauncherDialogs()
{
    delete m_castleInfoWnd;
    m_castleInfoWnd = nullptr;
}

// ---- Ignored kinds ---------------------------------------------------------

void CMapWnd::IgnoreRequest13(void*) {}
void CMapWnd::IgnoreRequest32(void*) {}

// ---- The player's own operations (kinds 14 to 17, 31 and 37) -------------

namespace {

// The windows of these kinds write the player's answer into the record
// themselves; the launcher only runs them.
template <typename Wnd, typename Record>
void OpenOperation(CWindow* parent, CWindow*& slot, const char* name, void* record)
{
    if (slot != nullptr || record == nullptr)
        return;
    RunOnce(slot, new (std::nothrow) Wnd(parent, CStr(name), true),
            [&](Wnd* w) { w->Setup(static_cast<Record*>(record)); });
}

}  // namespace

void CMapWnd::OpenSkillsWnd(void* record)
{
    CWindow* slot = nullptr;
    OpenOperation<CSkillsWnd, SkillsRequest>(Window(), slot, "SkillsWnd", record);
}
void CMapWnd::OpenTransferWnd(void* record)
{
    OpenOperation<CTransferWnd, TransferRequest>(Window(), m_dialogSlots[15], "TransferWnd", record);
}
void CMapWnd::OpenTradingWnd(void* record)
{
    OpenOperation<CTradingWnd, TradingRequest>(Window(), m_dialogSlots[16], "TradingWnd", record);
}
void CMapWnd::OpenTaxesWnd(void* record)
{
    OpenOperation<CTaxesWnd, TaxesRequest>(Window(), m_dialogSlots[17], "TaxesWnd", record);
}
void CMapWnd::OpenRandomEventWnd(void* record)
{
    CWindow* slot = nullptr;
    OpenOperation<CRandomEventWnd, RandomEventRequest>(Window(), slot, "RandomEventWnd", record);
}
void CMapWnd::OpenVolunteersWnd(void* record)
{
    CWindow* slot = nullptr;
    OpenOperation<CVolunteersWnd, VolunteersRequest>(Window(), slot, "VolunteersWnd", record);
}

// ---- Covert operations (kinds 18 to 28) ----------------------------------

void CMapWnd::OpenDeceaseWnd(void* record)
{
    if (m_dialogSlots[18] != nullptr || record == nullptr)
        return;
    RunOnce(m_dialogSlots[18], new (std::nothrow) CDeceaseWnd(Window(), CStr("DeceaseWnd")),
            [&](CDeceaseWnd* w) { w->Setup(static_cast<DeceaseRequestArgs*>(record)); });
}

void CMapWnd::OpenDeceaseFailureWnd(void*)
{
    CWindow* slot = nullptr;
    RunOnce(slot, new (std::nothrow) CDeceaseFailureWnd(Window(), CStr("DeceaseFailureWnd")),
            [](CDeceaseFailureWnd*) {});
}

void CMapWnd::OpenDeceaseSuccessWnd(void* record)
{
    if (record == nullptr)
        return;
    CWindow* slot = nullptr;
    RunOnce(slot, new (std::nothrow) CDeceaseSuccessWnd(Window(), CStr("DeceaseSuccessWnd")),
            [&](CDeceaseSuccessWnd* w) { w->Setup(static_cast<DeceaseResultArgs*>(record)); });
}

void CMapWnd::OpenRobberyWnd(void* record)
{
    if (m_dialogSlots[21] != nullptr || record == nullptr)
        return;
    RunOnce(m_dialogSlots[21], new (std::nothrow) CRobberyWnd(Window(), CStr("RobberyWnd")),
            [&](CRobberyWnd* w) { w->Setup(static_cast<RobberyRequestArgs*>(record)); });
}

void CMapWnd::OpenRobberyEmptyWnd(void* record)
{
    if (record == nullptr)
        return;
    CWindow* slot = nullptr;
    RunOnce(slot, new (std::nothrow) CRobberyEmptyWnd(Window(), CStr("RobberyEmptyWnd")),
            [&](CRobberyEmptyWnd* w) { w->Setup(static_cast<RobberyResultArgs*>(record)); });
}

void CMapWnd::OpenRobberyFailureWnd(void*)
{
    CWindow* slot = nullptr;
    RunOnce(slot, new (std::nothrow) CRobberyFailureWnd(Window(), CStr("RobberyFailureWnd")),
            [](CRobberyFailureWnd*) {});
}

void CMapWnd::OpenRobberySuccessWnd(void* record)
{
    if (record == nullptr)
        return;
    CWindow* slot = nullptr;
    RunOnce(slot, new (std::nothrow) CRobberySuccessWnd(Window(), CStr("RobberySuccessWnd")),
            [&](CRobberySuccessWnd* w) { w->Setup(static_cast<RobberyResultArgs*>(record)); });
}

void CMapWnd::OpenScoutWnd(void* record)
{
    if (m_dialogSlots[25] != nullptr || record == nullptr)
        return;
    RunOnce(m_dialogSlots[25], new (std::nothrow) CScoutWnd(Window(), CStr("ScoutWnd")),
            [&](CScoutWnd* w) { w->Setup(static_cast<ScoutRequestArgs*>(record)); });
}

void CMapWnd::OpenScoutFailureWnd(void* record)
{
    if (record == nullptr)
        return;
    CWindow* slot = nullptr;
    RunOnce(slot, new (std::nothrow) CScoutFailureWnd(Window(), CStr("ScoutFailureWnd")),
            [&](CScoutFailureWnd* w) { w->Setup(static_cast<ScoutResultArgs*>(record)); });
}

void CMapWnd::OpenScoutSuccessWnd(void* record)
{
    if (record == nullptr)
        return;
    CWindow* slot = nullptr;
    RunOnce(slot, new (std::nothrow) CScoutSuccessWnd(Window(), CStr("ScoutSuccessWnd")),
            [&](CScoutSuccessWnd* w) { w->Setup(static_cast<ScoutResultArgs*>(record)); });
}

void CMapWnd::OpenNERWnd(void* record)
{
    if (m_dialogSlots[28] != nullptr || record == nullptr)
        return;
    RunOnce(m_dialogSlots[28], new (std::nothrow) CNERWnd(Window(), CStr("NERWnd")),
            [&](CNERWnd* w) { w->Setup(static_cast<NotEnoughResourcesArgs*>(record)); });
}

void CMapWnd::OpenPrepTrebWnd(void* record)
{
    if (record == nullptr)
        return;
    CWindow* slot = nullptr;
    RunOnce(slot, new (std::nothrow) CPrepTrebWnd(Window(), CStr("PrepTrebWnd")),
            [&](CPrepTrebWnd* w) { w->Setup(static_cast<SiegeRequestArgs*>(record)); });
}

// ---- Battles (kinds 29, 33 and 34) ------------------------------------------

void CMapWnd::OpenBattleResultsWnd(void* record)
{
    if (record == nullptr)
        return;
    CWindow* slot = nullptr;
    RunOnce(slot, new (std::nothrow) CBattleResultsWnd(Window(), CStr("BattleResultsWnd")),
            [&](CBattleResultsWnd* w) { w->Setup(static_cast<const BattleResultArgs*>(record)); });
}

namespace {

// The answer of a battle question is the launcher's to write: accepted when
// the window ended with Ok (a quit is a refusal), and the quick-battle box.
void AskBattleQuestion(CWindow* parent, const char* layout, BattleQuestionArgs* request)
{
    CMapBattleQuestionWnd* wnd = new (std::nothrow) CMapBattleQuestionWnd(parent, CStr(layout));
    if (wnd == nullptr)
        return;
    // The attacker may always turn back; a defender only where fleeing does
    // not give up the capital.
    const bool cancelAllowed = request->mode == 1 || request->mayRetreat != 0;
    wnd->Setup(request->provinceName, request->playerName, request->attacking, request->defending,
               cancelAllowed, request->castle);
    wnd->InvadeList()->SetSideColour(PlayerColour(request->attacker), false);
    wnd->GuardList()->SetSideColour(PlayerColour(request->defender), false);
    const uint16_t result = RunModal(wnd);
    request->confirmed = result == ResultOk ? 1 : 0;
    request->quick = wnd->IsQuickChecked() ? 1 : 0;
    delete wnd;
}

}  // namespace

void CMapWnd::OpenMapBtlAttackWnd(void* record)
{
    if (record != nullptr) {
        AskBattleQuestion(Window(), CMapBattleQuestionWnd::kAttackLayout,
                          static_cast<BattleQuestionArgs*>(record));
    }
}

void CMapWnd::OpenMapBtlDefendWnd(void* record)
{
    if (record != nullptr) {
        AskBattleQuestion(Window(), CMapBattleQuestionWnd::kDefendLayout,
                          static_cast<BattleQuestionArgs*>(record));
    }
}

// ---- Messages (kinds 30 and 35) -------------------------------------------

void CMapWnd::ShowNextPlayerMessage(void* record)
{
    const auto* notice = static_cast<const PlayerTurnNotice*>(record);
    if (notice == nullptr || notice->player == nullptr)
        return;
    const PlayerRecord& player = *notice->player;
    CStr titleFormat, textFormat;
    GetLocaleText(notice->gameFinished ? "PlrInvFinishT" : "PlrTurnT", titleFormat);
    GetLocaleText(notice->gameFinished ? "PlrInvFinishM" : "PlrTurnM", textFormat);
    CStr title, text;
    title.Format(titleFormat.Chars(), static_cast<int32_t>(ActiveHumanOrdinal(&player)));
    text.Format(textFormat.Chars(), static_cast<int32_t>(player.flagNumber + 1), player.name,
                static_cast<int32_t>(player.hero.battle), static_cast<int32_t>(player.hero.builder),
                static_cast<int32_t>(player.hero.stealth), static_cast<int32_t>(Game().turn));
    CMessageWnd* box = new (std::nothrow) CMessageWnd(Window());
    if (box == nullptr)
        return;
    box->Setup(text, title, notice->hotSeat ? MessageOk : MessageTapToClose, CStr("/Sounds/new_turn"), true);
    delete box;
}

void CMapWnd::ShowRecordMessage(void* record)
{
    auto* request = static_cast<MessageRequest*>(record);
    if (request == nullptr)
        return;
    CMessageWnd* box = new (std::nothrow) CMessageWnd(Window());
    if (box == nullptr)
        return;
    box->Setup(request->text, request->title, request->buttonMode, request->soundPath, true);
    request->result = box->ModalResult();
    delete box;
}

// ---- The dispatch table ----------------------------------------------------

bool CMapWnd::RunLauncher(uint32_t kind, void* record)
{
    switch (kind) {
    case 1:
        OpenBuildCastleWnd(record);
        return true;
    case 2:
        OpenCastleInfoWnd(record);
        return true;
    case 3:
        OpenDemolishCastleWnd(record);
        return true;
    case 4:
        OpenCompleteCastleWnd(record);
        return true;
    case 5:
        OpenRepairCastleWnd(record);
        return true;
    case 6:
        OpenDigMoatWnd(record);
        return true;
    case 7:
        OpenAddCatapultWnd(record);
        return true;
    case 8:
        OpenAddWallsWnd(record);
        return true;
    case 9:
        OpenAddBuildingWnd(record);
        return true;
    case 13:
        IgnoreRequest13(record);
        return true;
    case 14:
        OpenSkillsWnd(record);
        return true;
    case 15:
        OpenTransferWnd(record);
        return true;
    case 16:
        OpenTradingWnd(record);
        return true;
    case 17:
        OpenTaxesWnd(record);
        return true;
    case 18:
        OpenDeceaseWnd(record);
        return true;
    case 19:
        OpenDeceaseFailureWnd(record);
        return true;
    case 20:
        OpenDeceaseSuccessWnd(record);
        return true;
    case 21:
        OpenRobberyWnd(record);
        return true;
    case 22:
        OpenRobberyEmptyWnd(record);
        return true;
    case 23:
        OpenRobberyFailureWnd(record);
        return true;
    case 24:
        OpenRobberySuccessWnd(record);
        return true;
    case 25:
        OpenScoutWnd(record);
        return true;
    case 26:
        OpenScoutFailureWnd(record);
        return true;
    case 27:
        OpenScoutSuccessWnd(record);
        return true;
    case 28:
        OpenNERWnd(record);
        return true;
    case 29:
        OpenBattleResultsWnd(record);
        return true;
    case 30:
        ShowNextPlayerMessage(record);
        return true;
    case 31:
        OpenRandomEventWnd(record);
        return true;
    case 32:
        IgnoreRequest32(record);
        return true;
    case 33:
        OpenMapBtlAttackWnd(record);
        return true;
    case 34:
        OpenMapBtlDefendWnd(record);
        return true;
    case 35:
        ShowRecordMessage(record);
        return true;
    case 36:
        OpenPrepTrebWnd(record);
        return true;
    case 37:
        OpenVolunteersWnd(record);
        return true;
    default:
        return false;  // 0 is the window's own report; 10-12 have none
    }
}

// ---- The castle panel's hide handler ---------------------------------------

void CMapWnd::OnCastleInfoClosed(CWindow*, intptr_t)
{
    if (m_castleInfoWnd != nullptr)
        CWindowMgr::RemoveCapture(m_castleInfoWnd);
    UnlockMapFrame();
}
