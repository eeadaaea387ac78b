#include "mapdialogs/castle_info_wnd.h"

#include <new>

#include "core/core_main.h"
#include "core/path_mgr.h"
#include "game/running_game.h"
#include "mapdialogs/dialog_children.h"
#include "players/request_records.h"
#include "ui/button.h"
#include "ui/label.h"
#include "ui/markup_wnd.h"

namespace {

struct BuildingButton {
    const char* name;
    uint32_t operation;
    CastleWork work;
};
const BuildingButton kBuildings[CCastleInfoWnd::kBuildingButtons] = {
    {"BtnMarkt", CastleOpMarket, WorkMarket},
    {"BtnTavrn", CastleOpTavern, WorkTavern},
    {"BtnBank", CastleOpBank, WorkBank},
    {"BtnGuild", CastleOpGuild, WorkGuild},
    {"BtnMetlMine", CastleOpMetalMine, WorkMetalMine},
    {"BtnStonMine", CastleOpStoneMine, WorkStoneMine},
};

CHintButton* MakeHintButton(CWindow* parent, const char* name)
{
    return new (std::nothrow) CHintButton(parent, CStr(name), false, true);
}

CStr Under(int slot, const CStr& name)
{
    return CStr::ConcatChars(CPathMgr::Path(slot), name.Chars());
}

}  // namespace

CCastleInfoWnd::CCastleInfoWnd(CWindow* parent, const CStr& path, bool load) : CFrameWnd(parent, path, load)
{
    m_buildings = new (std::nothrow) CHintButton*[kBuildingButtons]();
    {
        DialogNodeScope scope(path);
        if (scope.Entered()) {
            m_state = static_cast<CTextWnd*>(CreateNamedControl(this, "RtState"));
            m_upgrades = static_cast<CLabel*>(CreateNamedControl(this, "LblUpgrades"));
            m_complete = MakeHintButton(this, "BtnComplete");
            m_fastRepair = MakeHintButton(this, "BtnFastRpr");
            m_demolish = MakeHintButton(this, "BtnDemolish");
            m_moat = MakeHintButton(this, "BtnMoat");
            m_catapult = MakeHintButton(this, "BtnCatapult");
            m_fortWalls = MakeHintButton(this, "BtnFWalls");
            for (int32_t i = 0; i < kBuildingButtons && m_buildings != nullptr; ++i) {
                m_buildings[i] = MakeHintButton(this, kBuildings[i].name);
            }
            m_exit = static_cast<CPushButton*>(CreateNamedControl(this, "BtnExit"));
        }
    }
    if (m_complete)
        m_complete->BindHandler(HandlerClick, this, &CCastleInfoWnd::OnComplete);
    if (m_fastRepair)
        m_fastRepair->BindHandler(HandlerClick, this, &CCastleInfoWnd::OnFastRepair);
    if (m_demolish)
        m_demolish->BindHandler(HandlerClick, this, &CCastleInfoWnd::OnDemolish);
    CHintButton* works[] = {m_moat, m_catapult, m_fortWalls};
    for (CHintButton* b : works) {
        if (b)
            b->BindHandler(HandlerClick, this, &CCastleInfoWnd::OnWorkClick);
    }
    for (int32_t i = 0; i < kBuildingButtons && m_buildings != nullptr; ++i) {
        if (m_buildings[i])
            m_buildings[i]->BindHandler(HandlerClick, this, &CCastleInfoWnd::OnWorkClick);
    }
    if (m_exit)
        m_exit->BindHandler(HandlerClick, this, &CCastleInfoWnd::OnExit);
}

CCastleInfoWnd::~CCastleInfoWnd()
{
    PrepareDestroy();
    // The buttons are children; only the array is ours.
    delete[] m_buildings;
    m_buildings = nullptr;
}

void CCastleInfoWnd::Setup(CastleInfoRequestArgs* request)
{
    m_request = request;
    Refresh();
}

void CCastleInfoWnd::SetButtonLook(CHintButton* button, CastleWork work, CastleWorkState state)
{
    if (button == nullptr || state == WorkAsLaidOut || m_request == nullptr)
        return;
    const CastleWorksOffer& offer = m_request->offer;
    CStr name;
    switch (work) {
    case WorkMoat:
        name = "CastleMoat";
        break;
    case WorkCatapult:
        name.Format("CastleCatap%ld", offer.catapultPicture);
        break;
    case WorkFortWalls:
        name = "CastleFWall";
        break;
    case WorkMarket:
        name = "CastleMarket";
        break;
    case WorkBank:
        name = "CastleBank";
        break;
    case WorkGuild:
        name.Format("CastleGuard%ld", offer.guildPicture);
        break;
    case WorkMetalMine:
        name = "CaslMtlMine";
        break;
    case WorkStoneMine:
        name = "CaslStnMine";
        break;
    case WorkTavern:
    case WorkCount:
        break;  // no picture of its own: the button keeps its look
    }
    if (!name.IsEmpty()) {
        if (state == WorkBuilt) {
            name.AppendChars("Big");
            button->SetImage(Under(CPathMgr::kImagesIcons, name), false);
        } else {
            button->SetImage(Under(CPathMgr::kImagesButtons, name), false);
        }
    }
    if (state == WorkAffordable) {
        button->frameDrawn = 1;
        button->SetSkin(CStr("CastleBtn"), false);
    } else if (state == WorkUnaffordable) {
        button->frameDrawn = 1;
        button->SetSkin(CStr("CastleBtnDis"), false);
    } else {
        button->frameDrawn = 0;
    }
    button->Invalidate();
}

void CCastleInfoWnd::Refresh()
{
    if (QuitFlag)
        return;
    const CastleWorksOffer offer = m_request != nullptr ? m_request->offer : CastleWorksOffer();
    if (m_demolish != nullptr)
        m_demolish->Show(offer.demolish, false);
    if (m_complete != nullptr)
        m_complete->Show(offer.complete, false);
    if (m_fastRepair != nullptr)
        m_fastRepair->Show(offer.fastRepair, false);
    if (!offer.known)
        return;
    SetButtonLook(m_moat, WorkMoat, offer.works[WorkMoat]);
    SetButtonLook(m_catapult, WorkCatapult, offer.works[WorkCatapult]);
    SetButtonLook(m_fortWalls, WorkFortWalls, offer.works[WorkFortWalls]);
    for (int32_t i = 0; i < kBuildingButtons && m_buildings != nullptr; ++i)
        SetButtonLook(m_buildings[i], kBuildings[i].work, offer.works[kBuildings[i].work]);
    const int32_t line = offer.stateLine;
    m_stateLine = line;
    CStr text;
    if (line >= 0 && m_state != nullptr) {
        CStr format;
        if (m_state->GetString(line, format))
            text.Format(format.Chars(), static_cast<int32_t>(offer.stateNumber & 0xFF));
    }
    if (m_state != nullptr)
        m_state->SetText(text, true);
    Invalidate();
}

void CCastleInfoWnd::OnComplete(CWindow*, intptr_t)
{
    RunCastleOperation(CastleOpComplete);
}
void CCastleInfoWnd::OnFastRepair(CWindow*, intptr_t)
{
    RunCastleOperation(CastleOpFastRepair);
}
void CCastleInfoWnd::OnDemolish(CWindow*, intptr_t)
{
    RunCastleOperation(CastleOpDemolish);
}

void CCastleInfoWnd::TryWork(CHintButton* button, uint32_t operation, intptr_t point)
{
    if (button == nullptr)
        return;
    if (m_request != nullptr && m_request->offer.idle && button->frameDrawn) {
        RunCastleOperation(operation);
        return;
    }
    button->ShowHint(reinterpret_cast<const PackedPoint*>(point));
}

void CCastleInfoWnd::OnWorkClick(CWindow* window, intptr_t point)
{
    if (window == m_moat)
        return TryWork(m_moat, CastleOpMoat, point);
    if (window == m_catapult)
        return TryWork(m_catapult, CastleOpCatapult, point);
    if (window == m_fortWalls)
        return TryWork(m_fortWalls, CastleOpFortWalls, point);
    for (int32_t i = 0; i < kBuildingButtons && m_buildings != nullptr; ++i) {
        if (window == m_buildings[i])
            return TryWork(m_buildings[i], kBuildings[i].operation, point);
    }
}

void CCastleInfoWnd::OnExit(CWindow*, intptr_t)
{
    Show(false, false);
}
