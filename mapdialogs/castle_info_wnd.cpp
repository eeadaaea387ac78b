#include "mapdialogs/castle_info_wnd.h"

#include <new>

#include "core/core_main.h"
#include "core/path_mgr.h"
#include "game/game_rules.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/running_game.h"
#include "mapdialogs/dialog_children.h"
#include "players/home_economy.h"
#include "players/request_records.h"
#include "ui/button.h"
#include "ui/label.h"
#include "ui/markup_wnd.h"

namespace {

struct BuildingButton {
    const char* name;
    uint32_t operation;
    uint8_t bit;
    CastleWork work;
};
const BuildingButton kBuildings[CCastleInfoWnd::kBuildingButtons] = {
    {"BtnMarkt", CastleOpMarket, 0x01, WorkMarket},
    {"BtnTavrn", CastleOpTavern, 0x04, WorkTavern},
    {"BtnBank", CastleOpBank, 0x02, WorkBank},
    {"BtnGuild", CastleOpGuild, 0x08, WorkGuild},
    {"BtnMetlMine", CastleOpMetalMine, 0x10, WorkMetalMine},
    {"BtnStonMine", CastleOpStoneMine, 0x20, WorkStoneMine},
};
enum {
    kMarket,
    kTavern,
    kBank,
    kGuild,
    kMetalMine,
    kStoneMine
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

bool CCastleInfoWnd::IsCastleIdle() const
{
    const CastleState* castle = m_request != nullptr ? m_request->castle : nullptr;
    return castle != nullptr && castle->work == kCastleIdle && castle->percent == 100;
}

void CCastleInfoWnd::SetButtonLook(CHintButton* button, CastleWork work, int32_t state)
{
    if (button == nullptr)
        return;
    const CastleState* castle = m_request != nullptr ? m_request->castle : nullptr;
    const int32_t limit = Rules().catapultLimit;
    CStr name;
    switch (work) {
    case WorkMoat:
        name = "CastleMoat";
        break;
    case WorkCatapult: {
        int32_t next = (castle != nullptr ? castle->catapults : 0) + 1;
        if (next > limit)
            next = limit;
        if (next < 1)
            next = 1;
        name.Format("CastleCatap%ld", next);
        break;
    }
    case WorkFortWalls:
        name = "CastleFWall";
        break;
    case WorkMarket:
        name = "CastleMarket";
        break;
    case WorkBank:
        name = "CastleBank";
        break;
    case WorkGuild: {
        int32_t level = 1;
        if (castle != nullptr && (castle->buildings & 0x08) != 0)
            level = castle->guildLevel + 1;
        if (level > 4)
            level = 4;
        name.Format("CastleGuard%ld", level);
        break;
    }
    case WorkMetalMine:
        name = "CaslMtlMine";
        break;
    case WorkStoneMine:
        name = "CaslStnMine";
        break;
    case WorkTavern:
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

void CCastleInfoWnd::SetWorkButton(CHintButton* button, CastleWork work, bool built,
                                   const CResourceBundle& cost)
{
    int32_t state = WorkBuilt;
    if (!built) {
        CResourceBundle price = cost;
        const PlayerRecord* player = CurrentPlayer();
        if (player != nullptr)
            ApplyBuilderDiscount(price, player->hero);
        state = (player != nullptr && player->treasury.AllAtLeast(price)) ? WorkAffordable : WorkUnaffordable;
    }
    SetButtonLook(button, work, state);
}

void CCastleInfoWnd::ResetButtons()
{
    const ProvinceRecord* province = m_request != nullptr ? m_request->province : nullptr;
    const CastleState* castle = m_request != nullptr ? m_request->castle : nullptr;
    if (m_demolish != nullptr) {
        const bool offer = province != nullptr && castle != nullptr && province->owner != nullptr &&
                           m_request->index != province->owner->capital && castle->percent > 0;
        m_demolish->Show(offer, false);
    }
    if (m_complete != nullptr)
        m_complete->Show(false, false);
    if (m_fastRepair != nullptr)
        m_fastRepair->Show(false, false);
    if (castle == nullptr)
        return;
    auto look = [&](CHintButton* b, CastleWork work, bool built) {
        SetButtonLook(b, work, built ? WorkBuilt : WorkUnaffordable);
    };
    look(m_moat, WorkMoat, castle->moat != 0);
    look(m_catapult, WorkCatapult, castle->catapults >= Rules().catapultLimit);
    look(m_fortWalls, WorkFortWalls, castle->fortWalls != 0);
    if (m_buildings != nullptr) {
        for (int32_t i : {kMarket, kTavern, kBank, kMetalMine, kStoneMine}) {
            look(m_buildings[i], kBuildings[i].work, (castle->buildings & kBuildings[i].bit) != 0);
        }
    }
}

void CCastleInfoWnd::Refresh()
{
    if (QuitFlag)
        return;
    ResetButtons();
    const CastleState* castle = m_request != nullptr ? m_request->castle : nullptr;
    if (castle == nullptr)
        return;
    const PlayerRecord* player = CurrentPlayer();
    const int32_t builder = player != nullptr ? player->hero.builder : 0;
    int32_t progress = 5 * builder + 15;
    if (castle->fortWalls)
        progress = progress * 2 / 3;
    const int32_t damage = 100 - castle->percent;
    int32_t line = -1;
    int32_t argument = 0;
    const uint32_t kind = castle->work;
    if (kind == 1) {
        line = 0;
        argument = castle->percent;
    } else if (kind == 2) {
        line = 1;
        argument = castle->percent;
    } else if (kind == 4) {
        line = 2;
        argument = castle->percent;
        if (m_fastRepair != nullptr)
            m_fastRepair->Show(true, false);
    } else if (kind >= 8 && kind <= 2048 && (kind & (kind - 1)) == 0) {
        line = 5;
        argument = castle->turnsLeft;
    } else if (kind == kCastleIdle && castle->percent < 100 && damage > progress) {
        line = 3;
        argument = static_cast<uint8_t>(damage);
        if (m_complete != nullptr)
            m_complete->Show(true, false);
    } else if (kind == kCastleIdle) {
        line = 4;
        argument = castle->percent;
        const GameRules& rules = Rules();
        SetWorkButton(m_moat, WorkMoat, castle->moat != 0, rules.moatCost);
        SetWorkButton(m_catapult, WorkCatapult, castle->catapults >= rules.catapultLimit, rules.catapultCost);
        SetWorkButton(m_fortWalls, WorkFortWalls, castle->fortWalls != 0, rules.wallsCost);
        if (m_buildings != nullptr) {
            SetWorkButton(m_buildings[kMarket], WorkMarket, (castle->buildings & 0x01) != 0,
                          rules.marketCost);
            SetWorkButton(m_buildings[kBank], WorkBank, (castle->buildings & 0x02) != 0, rules.bankCost);
            SetWorkButton(m_buildings[kMetalMine], WorkMetalMine, (castle->buildings & 0x10) != 0,
                          rules.metalMineCost);
            SetWorkButton(m_buildings[kStoneMine], WorkStoneMine, (castle->buildings & 0x20) != 0,
                          rules.stoneMineCost);
        }
    }
    m_stateLine = line;
    CStr text;
    if (line >= 0 && m_state != nullptr) {
        CStr format;
        if (m_state->GetString(line, format))
            text.Format(format.Chars(), static_cast<int32_t>(argument & 0xFF));
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
    if (IsCastleIdle() && button->frameDrawn) {
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
