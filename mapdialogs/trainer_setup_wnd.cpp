#include "mapdialogs/trainer_setup_wnd.h"

#include "battle/battle_flow.h"
#include "battle/battle_trainer.h"
#include "core/ui_mgr.h"
#include "game/army.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "mapdialogs/recruit_wnd.h"
#include "players/request_records.h"
#include "ui/check_box.h"
#include "ui/child_path.h"
#include "ui/label.h"
#include "ui/message_wnd.h"
#include "ui/value_scroller.h"
#include "ui/window_mgr.h"

namespace {

CStr Localized(const char* key)
{
    return CUIMgr::Locale().Lookup(key);
}

std::vector<int32_t> Counts(const PlayerRecord* player)
{
    std::vector<int32_t> counts;
    if (player != nullptr) {
        for (int i = 0; i < player->army.Count(); ++i)
            counts.push_back(player->army.Item(i)->count);
    }
    return counts;
}

// Counts remembered from a set-up of the same squads only.
void ApplyCounts(PlayerRecord* player, const std::vector<int32_t>& counts)
{
    if (player == nullptr || counts.size() != static_cast<size_t>(player->army.Count()))
        return;
    for (int i = 0; i < player->army.Count(); ++i)
        player->army.Item(i)->count = counts[static_cast<size_t>(i)];
}

// A scroller that shows a word of the window's choosing instead of its number.
void ShowWord(CValueScroller* scroller, const char* key)
{
    scroller->ValueLabel()->SetText(Localized(key), true);
}

}  // namespace

CTrainerSetupWnd::CTrainerSetupWnd(BattleParams* params, CWindow* parent, const CStr& path)
    : CDialog(parent, path, true), m_params(params)
{
    const CStr node = BindLayoutNode(m_link);
    auto label = [&](const char* name) { return new CLabel(this, ChildPath(node, name), true); };
    auto scroller = [&](const char* name) { return new CValueScroller(this, ChildPath(node, name), true); };
    m_lblBtlType = label("LblBtlType");
    m_lblSeed = label("LblOFSeed");
    m_lblMoat = label("LblSiegeMoat");
    m_lblWalls = label("LblSiegeWalls");
    m_lblCatapults = label("LblSiegeCatap");
    m_lblAtkType = label("LblAtkType");
    m_lblDfdType = label("LblDfdType");
    m_btlType = scroller("ScrBtlType");
    m_seed = scroller("ScrOFSeed");
    m_moat = scroller("ScrSiegeMoat");
    m_walls = scroller("ScrSiegeWalls");
    m_catapults = scroller("ScrSiegeCatap");
    m_atkType = scroller("ScrAtkType");
    m_dfdType = scroller("ScrDfdType");
    m_ownArmy = new CMenuItem(this, ChildPath(node, "BtnOwnArmy"), true);
    m_enemyArmy = new CMenuItem(this, ChildPath(node, "BtnEnemyArmy"), true);
    m_cancel = new CButtonEx(this, ChildPath(node, "BtnCancel"));
    m_start = new CButtonEx(this, ChildPath(node, "BtnStart"));

    for (CValueScroller* s : {m_btlType, m_moat, m_walls, m_atkType, m_dfdType})
        s->flags = static_cast<uint8_t>(s->flags | ScrollerTextSuspended);
    m_btlType->valueChanged.Bind(this, &CTrainerSetupWnd::OnBattleTypeChanged);
    m_moat->valueChanged.Bind(this, &CTrainerSetupWnd::OnYesNoChanged);
    m_walls->valueChanged.Bind(this, &CTrainerSetupWnd::OnYesNoChanged);
    m_atkType->valueChanged.Bind(this, &CTrainerSetupWnd::OnSideTypeChanged);
    m_dfdType->valueChanged.Bind(this, &CTrainerSetupWnd::OnSideTypeChanged);
    m_ownArmy->BindHandler(HandlerClick, this, &CTrainerSetupWnd::OnOwnArmyClick);
    m_enemyArmy->BindHandler(HandlerClick, this, &CTrainerSetupWnd::OnEnemyArmyClick);
    m_cancel->BindHandler(HandlerClick, this, &CTrainerSetupWnd::OnCancel);
    m_start->BindHandler(HandlerClick, this, &CTrainerSetupWnd::OnStart);

    struct Range {
        CValueScroller* scroller;
        int32_t min, max, initial;
    };
    const TrainerChoices& last = LastTrainerChoices();
    const Range ranges[] = {{m_btlType, 0, 1, last.siege},
                            {m_seed, 0, 100, last.obstacleLayout},
                            {m_moat, 0, 1, last.moat},
                            {m_walls, 0, 1, last.walls},
                            {m_catapults, 1, 4, last.catapults},
                            {m_atkType, 0, 1, last.attackerComputer},
                            {m_dfdType, 0, 1, last.defenderComputer}};
    for (const Range& r : ranges) {
        r.scroller->SetMin(r.min, false);
        r.scroller->SetMax(r.max, false);
    }
    for (const Range& r : ranges)
        r.scroller->SetValue(r.initial, false, true);
    if (m_params != nullptr) {
        ApplyCounts(m_params->attacker, last.attackerCounts);
        ApplyCounts(m_params->defender, last.defenderCounts);
    }
}

CTrainerSetupWnd::~CTrainerSetupWnd()
{
    PrepareDestroy();
}

void CTrainerSetupWnd::OnBattleTypeChanged(CValueScroller* scroller)
{
    const bool siege = scroller->Value() == 1;
    m_lblSeed->Show(!siege, true);
    m_seed->Window()->Show(!siege, true);
    for (CValueScroller* s : {m_moat, m_walls, m_catapults})
        s->Window()->Show(siege, true);
    for (CLabel* l : {m_lblMoat, m_lblWalls, m_lblCatapults})
        l->Show(siege, true);
    ShowWord(scroller, siege ? "Siege" : "OpenField");
}

void CTrainerSetupWnd::OnYesNoChanged(CValueScroller* scroller)
{
    ShowWord(scroller, scroller->Value() == 1 ? "Yes" : "No");
}

void CTrainerSetupWnd::OnSideTypeChanged(CValueScroller* scroller)
{
    ShowWord(scroller, scroller->Value() == 1 ? "Computer" : "Human");
}

void CTrainerSetupWnd::OnOwnArmyClick(CWindow*, intptr_t)
{
    OnOwnArmy();
}
void CTrainerSetupWnd::OnEnemyArmyClick(CWindow*, intptr_t)
{
    OnEnemyArmy();
}

void CTrainerSetupWnd::OnOwnArmy(CWindow*, intptr_t)
{
    if (m_params != nullptr)
        EditArmy(m_params->attacker);
}

void CTrainerSetupWnd::OnEnemyArmy(CWindow*, intptr_t)
{
    if (m_params != nullptr)
        EditArmy(m_params->defender);
}

void CTrainerSetupWnd::EditArmy(PlayerRecord* player)
{
    if (player == nullptr)
        return;
    auto* wnd = new CRecruitWnd(this, CStr(kRecruitPath));
    wnd->SetText(Localized("TrainerRecruit"), false);
    auto* record = new RecruitRequestArgs;
    record->player = player;
    record->army = &player->army;
    for (int i = 0; i < player->army.Count(); ++i) {
        record->counts.push_back(player->army.Item(i)->count);
        record->limits.push_back(kArmyLimit);
    }
    record->treasury.Zero();
    for (int i = 0; i < 3 && i < record->treasury.Count(); ++i)
        record->treasury[i] = kTreasuryAmount;
    wnd->Setup(record);
    WindowGuard self(this);
    WindowGuard recruit(wnd);
    RunModal(wnd);
    // This window, and the recruit window with it, may be gone when the run
    // returns; the army is then no longer ours to change.
    if (self.Alive() && record->confirmed == 1) {
        for (int i = 0; i < player->army.Count() && static_cast<size_t>(i) < record->counts.size(); ++i) {
            const int32_t count = record->counts[static_cast<size_t>(i)];
            player->army.Item(i)->count = count < 0 ? 0 : count;
        }
    }
    if (recruit.Alive())
        delete wnd;
    delete record;
}

void CTrainerSetupWnd::OnStart(CWindow*, intptr_t)
{
    if (m_params != nullptr) {
        // A side without a single unit would lose before the battle began.
        for (const PlayerRecord* side : {m_params->attacker, m_params->defender}) {
            if (side != nullptr && !side->army.HasUnits()) {
                auto* box = new CMessageWnd(this);
                box->Setup(Localized("TrainerNoUnits"), CStr("TrainerT"), MessageTapToClose, CStr(), true);
                delete box;
                return;
            }
        }
    }
    RememberChoices();
    if (m_params != nullptr) {
        if (m_btlType->Value() == 1) {
            m_params->kind = kBattleSiege;
            if (CastleState* castle = m_params->castle) {
                castle->moat = m_moat->Value() == 1 ? 1 : 0;
                castle->fortWalls = m_walls->Value() == 1 ? 1 : 0;
                castle->catapults = static_cast<uint8_t>(m_catapults->Value());
            }
        } else {
            m_params->kind = kBattleOpenField;
            m_params->obstacleLayout = static_cast<uint8_t>(m_seed->Value() & 0xFF);
        }
        m_params->attackerSideKind = m_atkType->Value() == 1 ? 1 : 0;
        m_params->defenderSideKind = m_dfdType->Value() == 1 ? 1 : 0;
        m_params->powerOption = 1;
    }
    SetModalResult(ResultOk);
    EndModal(this);
}

void CTrainerSetupWnd::RememberChoices() const
{
    TrainerChoices& last = LastTrainerChoices();
    last.siege = m_btlType->Value();
    last.obstacleLayout = m_seed->Value();
    last.moat = m_moat->Value();
    last.walls = m_walls->Value();
    last.catapults = m_catapults->Value();
    last.attackerComputer = m_atkType->Value();
    last.defenderComputer = m_dfdType->Value();
    if (m_params != nullptr) {
        last.attackerCounts = Counts(m_params->attacker);
        last.defenderCounts = Counts(m_params->defender);
    }
}

TrainerChoices& LastTrainerChoices()
{
    static TrainerChoices choices;
    return choices;
}

void CTrainerSetupWnd::OnCancel(CWindow*, intptr_t)
{
    SetModalResult(ResultCancel);
    EndModal(this);
}

namespace {

CWindow* g_setupParent = nullptr;

uint16_t RunSetupWindow(BattleParams* params, uint32_t)
{
    auto* wnd = new CTrainerSetupWnd(params, g_setupParent, CStr(CTrainerSetupWnd::kLayoutPath));
    const uint16_t result = RunModal(wnd);
    delete wnd;
    return result;
}

}  // namespace

bool RunBattleTrainerSetup(BattleParams* params, CWindow* parent)
{
    if (params == nullptr)
        return false;
    CWindow* const previousParent = g_setupParent;
    g_setupParent = parent;
    g_trainerSetupWindow.Bind(&RunSetupWindow);
    const bool started = RunBattleTrainerSetup(params, uint32_t{0});
    g_trainerSetupWindow.Delete();
    g_setupParent = previousParent;
    return started;
}
