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

// ---- The castle works ----------------------------------------------------

namespace {

template <typename Wnd>
void OpenCastleWork(CWindow* parent, CWindow*& slot, LauncherDialogs& dialogs, const char* name,
                    CastleWorkRequestArgs* request, bool demolish)
{
    CCastleInfoWnd* info = dialogs.CastleInfo();
    if (slot != nullptr || request == nullptr)
        return;
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
        dialogs.RefreshCastleInfo();
    }
}

}  // namespace

void CMapWnd::OpenBuildCastleWnd(CastleWorkRequestArgs* record)
{
    if (m_dialogs.Slot(UiRequestKind::BuildCastle) != nullptr || record == nullptr)
        return;
    RunOnce(m_dialogs.Slot(UiRequestKind::BuildCastle),
            new (std::nothrow) CBuildCastleWnd(Window(), CStr("BuildCastleWnd")),
            [&](CBuildCastleWnd* w) { w->Setup(record); });
}

void CMapWnd::OpenDemolishCastleWnd(CastleWorkRequestArgs* record)
{
    OpenCastleWork<CDemolishCastleWnd>(Window(), m_dialogs.Slot(UiRequestKind::DemolishCastle), m_dialogs,
                                       "DemolishCastleWnd", record, true);
}
void CMapWnd::OpenCompleteCastleWnd(CastleWorkRequestArgs* record)
{
    OpenCastleWork<CCompleteCastleWnd>(Window(), m_dialogs.Slot(UiRequestKind::CompleteCastle), m_dialogs,
                                       "CompleteCastleWnd", record, false);
}
void CMapWnd::OpenRepairCastleWnd(CastleWorkRequestArgs* record)
{
    OpenCastleWork<CRepairCastleWnd>(Window(), m_dialogs.Slot(UiRequestKind::RepairCastle), m_dialogs,
                                     "RepairCastleWnd", record, false);
}
void CMapWnd::OpenDigMoatWnd(CastleWorkRequestArgs* record)
{
    OpenCastleWork<CDigMoatWnd>(Window(), m_dialogs.Slot(UiRequestKind::DigMoat), m_dialogs, "DigMoatWnd",
                                record, false);
}
void CMapWnd::OpenAddCatapultWnd(CastleWorkRequestArgs* record)
{
    OpenCastleWork<CAddCatapultWnd>(Window(), m_dialogs.Slot(UiRequestKind::AddCatapult), m_dialogs,
                                    "AddCatapultWnd", record, false);
}
void CMapWnd::OpenAddWallsWnd(CastleWorkRequestArgs* record)
{
    OpenCastleWork<CAddWallsWnd>(Window(), m_dialogs.Slot(UiRequestKind::AddWalls), m_dialogs, "AddWallsWnd",
                                 record, false);
}
void CMapWnd::OpenAddBuildingWnd(CastleWorkRequestArgs* record)
{
    OpenCastleWork<CAddBuildingWnd>(Window(), m_dialogs.Slot(UiRequestKind::AddBuilding), m_dialogs,
                                    "AddBuildingWnd", record, false);
}

// ---- The castle panel (not modal) ----------------------------------------

void CMapWnd::OpenCastleInfoWnd(CastleInfoRequestArgs* record)
{
    if (record == nullptr)
        return;
    if (m_dialogs.CastleInfo() == nullptr) {
        m_dialogs.KeepCastleInfo(new (std::nothrow) CCastleInfoWnd(Window(), CStr("CastleInfoWnd")));
        if (m_dialogs.CastleInfo() == nullptr)
            return;
    }
    CCastleInfoWnd* info = m_dialogs.CastleInfo();
    info->BindHandler(HandlerHide, this, &CMapWnd::OnCastleInfoClosed);
    m_dialogs.SetupCastleInfo(record);
    info->Show(true, false);
    // A second request while the panel is open must not stack it twice: one
    // hide would then leave it holding the pen with the map below dead.
    CWindowMgr::RemoveCapture(info);
    CWindowMgr::PushCapture(info);
    info->BringToFront(true);
}

// ---- Ignored kinds ---------------------------------------------------------

void CMapWnd::IgnoreRequest13(RecruitRequestArgs*) {}
void CMapWnd::IgnoreRequest32(DiplomacyRequestArgs*) {}

// ---- The player's own operations -----------------------------------------

namespace {

// The windows of these kinds write the player's answer into the record
// themselves; the launcher only runs them.
template <typename Wnd, typename Record>
void OpenOperation(CWindow* parent, CWindow*& slot, const char* name, Record* record)
{
    if (slot != nullptr || record == nullptr)
        return;
    RunOnce(slot, new (std::nothrow) Wnd(parent, CStr(name), true), [&](Wnd* w) { w->Setup(record); });
}

}  // namespace

void CMapWnd::OpenSkillsWnd(SkillsRequestArgs* record)
{
    CWindow* slot = nullptr;
    OpenOperation<CSkillsWnd>(Window(), slot, "SkillsWnd", record);
}
void CMapWnd::OpenTransferWnd(TransferRequestArgs* record)
{
    OpenOperation<CTransferWnd>(Window(), m_dialogs.Slot(UiRequestKind::Transfer), "TransferWnd", record);
}
void CMapWnd::OpenTradingWnd(TradingRequestArgs* record)
{
    OpenOperation<CTradingWnd>(Window(), m_dialogs.Slot(UiRequestKind::Trading), "TradingWnd", record);
}
void CMapWnd::OpenTaxesWnd(TaxesRequestArgs* record)
{
    OpenOperation<CTaxesWnd>(Window(), m_dialogs.Slot(UiRequestKind::Taxes), "TaxesWnd", record);
}
void CMapWnd::OpenRandomEventWnd(RandomEventRequestArgs* record)
{
    CWindow* slot = nullptr;
    OpenOperation<CRandomEventWnd>(Window(), slot, "RandomEventWnd", record);
}
void CMapWnd::OpenVolunteersWnd(VolunteersRequestArgs* record)
{
    CWindow* slot = nullptr;
    OpenOperation<CVolunteersWnd>(Window(), slot, "VolunteersWnd", record);
}

// ---- Covert operations ---------------------------------------------------

void CMapWnd::OpenDeceaseWnd(DeceaseRequestArgs* record)
{
    if (m_dialogs.Slot(UiRequestKind::Decease) != nullptr || record == nullptr)
        return;
    RunOnce(m_dialogs.Slot(UiRequestKind::Decease),
            new (std::nothrow) CDeceaseWnd(Window(), CStr("DeceaseWnd")),
            [&](CDeceaseWnd* w) { w->Setup(record); });
}

void CMapWnd::OpenDeceaseFailureWnd(DeceaseResultArgs*)
{
    CWindow* slot = nullptr;
    RunOnce(slot, new (std::nothrow) CDeceaseFailureWnd(Window(), CStr("DeceaseFailureWnd")),
            [](CDeceaseFailureWnd*) {});
}

void CMapWnd::OpenDeceaseSuccessWnd(DeceaseResultArgs* record)
{
    if (record == nullptr)
        return;
    CWindow* slot = nullptr;
    RunOnce(slot, new (std::nothrow) CDeceaseSuccessWnd(Window(), CStr("DeceaseSuccessWnd")),
            [&](CDeceaseSuccessWnd* w) { w->Setup(record); });
}

void CMapWnd::OpenRobberyWnd(RobberyRequestArgs* record)
{
    if (m_dialogs.Slot(UiRequestKind::Robbery) != nullptr || record == nullptr)
        return;
    RunOnce(m_dialogs.Slot(UiRequestKind::Robbery),
            new (std::nothrow) CRobberyWnd(Window(), CStr("RobberyWnd")),
            [&](CRobberyWnd* w) { w->Setup(record); });
}

void CMapWnd::OpenRobberyEmptyWnd(RobberyResultArgs* record)
{
    if (record == nullptr)
        return;
    CWindow* slot = nullptr;
    RunOnce(slot, new (std::nothrow) CRobberyEmptyWnd(Window(), CStr("RobberyEmptyWnd")),
            [&](CRobberyEmptyWnd* w) { w->Setup(record); });
}

void CMapWnd::OpenRobberyFailureWnd(RobberyResultArgs*)
{
    CWindow* slot = nullptr;
    RunOnce(slot, new (std::nothrow) CRobberyFailureWnd(Window(), CStr("RobberyFailureWnd")),
            [](CRobberyFailureWnd*) {});
}

void CMapWnd::OpenRobberySuccessWnd(RobberyResultArgs* record)
{
    if (record == nullptr)
        return;
    CWindow* slot = nullptr;
    RunOnce(slot, new (std::nothrow) CRobberySuccessWnd(Window(), CStr("RobberySuccessWnd")),
            [&](CRobberySuccessWnd* w) { w->Setup(record); });
}

void CMapWnd::OpenScoutWnd(ScoutRequestArgs* record)
{
    if (m_dialogs.Slot(UiRequestKind::Scout) != nullptr || record == nullptr)
        return;
    RunOnce(m_dialogs.Slot(UiRequestKind::Scout), new (std::nothrow) CScoutWnd(Window(), CStr("ScoutWnd")),
            [&](CScoutWnd* w) { w->Setup(record); });
}

void CMapWnd::OpenScoutFailureWnd(ScoutResultArgs* record)
{
    if (record == nullptr)
        return;
    CWindow* slot = nullptr;
    RunOnce(slot, new (std::nothrow) CScoutFailureWnd(Window(), CStr("ScoutFailureWnd")),
            [&](CScoutFailureWnd* w) { w->Setup(record); });
}

void CMapWnd::OpenScoutSuccessWnd(ScoutResultArgs* record)
{
    if (record == nullptr)
        return;
    CWindow* slot = nullptr;
    RunOnce(slot, new (std::nothrow) CScoutSuccessWnd(Window(), CStr("ScoutSuccessWnd")),
            [&](CScoutSuccessWnd* w) { w->Setup(record); });
}

void CMapWnd::OpenNERWnd(NotEnoughResourcesArgs* record)
{
    if (m_dialogs.Slot(UiRequestKind::NotEnoughResources) != nullptr || record == nullptr)
        return;
    RunOnce(m_dialogs.Slot(UiRequestKind::NotEnoughResources),
            new (std::nothrow) CNERWnd(Window(), CStr("NERWnd")), [&](CNERWnd* w) { w->Setup(record); });
}

void CMapWnd::OpenPrepTrebWnd(SiegeRequestArgs* record)
{
    if (record == nullptr)
        return;
    CWindow* slot = nullptr;
    RunOnce(slot, new (std::nothrow) CPrepTrebWnd(Window(), CStr("PrepTrebWnd")),
            [&](CPrepTrebWnd* w) { w->Setup(record); });
}

// ---- Battles -------------------------------------------------------------

void CMapWnd::OpenBattleResultsWnd(const BattleResultArgs* record)
{
    if (record == nullptr)
        return;
    CWindow* slot = nullptr;
    RunOnce(slot, new (std::nothrow) CBattleResultsWnd(Window(), CStr("BattleResultsWnd")),
            [&](CBattleResultsWnd* w) { w->Setup(record); });
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

void CMapWnd::OpenMapBtlAttackWnd(BattleQuestionArgs* record)
{
    if (record != nullptr) {
        AskBattleQuestion(Window(), CMapBattleQuestionWnd::kAttackLayout, record);
    }
}

void CMapWnd::OpenMapBtlDefendWnd(BattleQuestionArgs* record)
{
    if (record != nullptr) {
        AskBattleQuestion(Window(), CMapBattleQuestionWnd::kDefendLayout, record);
    }
}

// ---- Messages ------------------------------------------------------------

void CMapWnd::ShowNextPlayerMessage(const PlayerTurnNotice* notice)
{
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

void CMapWnd::ShowRecordMessage(MessageRequest* request)
{
    if (request == nullptr)
        return;
    CMessageWnd* box = new (std::nothrow) CMessageWnd(Window());
    if (box == nullptr)
        return;
    box->Setup(request->text, request->title, request->buttonMode, request->soundPath, true);
    request->result = box->ModalResult();
    delete box;
}

// ---- The castle panel's hide handler ---------------------------------------

void CMapWnd::OnCastleInfoClosed(CWindow*, intptr_t)
{
    if (CCastleInfoWnd* info = m_dialogs.CastleInfo())
        CWindowMgr::RemoveCapture(info);
    UnlockMapFrame();
}
