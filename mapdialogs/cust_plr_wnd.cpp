#include "mapdialogs/cust_plr_wnd.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "game/game_world.h"
#include "game/player_colour.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/running_game.h"
#include "game/squad_type.h"
#include "mapdialogs/item_list_wnd.h"
#include "mapdialogs/mini_map.h"
#include "ui/child_path.h"
#include "ui/label.h"
#include "ui/layout_box.h"
#include "ui/markup_wnd.h"
#include "ui/text_format.h"
#include "ui/value_scroller.h"
#include "ui/window_mgr.h"

namespace {

constexpr int32_t kColours = 6;

bool IsStartPosition(const PlayerRecord& player)
{
    return player.assignment == 0 || player.assignment >= 128;
}

int IndexOf(const CGameWorld* world, const PlayerRecord* player)
{
    for (int i = 0; world && i < world->PlayerCount(); ++i)
        if (&world->Player(i) == player)
            return i;
    return -1;
}

// The owner's flag number for a province of a player, 6 for a neutral one.
uint8_t ProvinceFlagColour(const CGameWorld& world, int index)
{
    const ProvinceRecord& province = world.Province(index);
    if (province.ownerId >= ProvinceRecord::kNeutralId)
        return ProvinceRecord::kNeutralId;
    for (int i = 0; i < world.PlayerCount(); ++i)
        if (world.Player(i).playerId == province.ownerId)
            return world.Player(i).flagNumber;
    return ProvinceRecord::kNeutralId;
}

CStr CapitalName(const CGameWorld* world, const PlayerRecord& player)
{
    if (!world || player.capital >= world->ProvinceCount())
        return CStr();
    return world->Province(player.capital).name;
}

}  // namespace

// ---- CCustSkillsWnd ----

CCustSkillsWnd::CCustSkillsWnd(CWindow* parent, const CStr& path) : CFrameWnd(parent, path, true)
{
    m_lblName = new CLabel(this, ChildPath(path, "LblName"), true);
    new CLabel(this, ChildPath(path, "LblHero"), true);
    new CLabel(this, ChildPath(path, "LblSkills"), true);
    new CTextWnd(this, ChildPath(path, "RtBattle"), true);
    new CTextWnd(this, ChildPath(path, "RtBuilder"), true);
    new CTextWnd(this, ChildPath(path, "RtStealth"), true);
    static const char* const kScrollers[] = {"ScrBattle", "ScrBuilder", "ScrStealth"};
    for (int32_t i = 0; i < 3; ++i) {
        m_scrollers[i] = new CValueScroller(this, ChildPath(path, kScrollers[i]), true);
        m_scrollers[i]->valueChanged.Bind(this, &CCustSkillsWnd::OnSkillChanged);
    }
    m_rtPointsLeft = new CTextWnd(this, ChildPath(path, "RtPtLeft"), true);
    m_btnOk = new CPushButton(this, ChildPath(path, "BtnOk"));
    m_btnCancel = new CPushButton(this, ChildPath(path, "BtnCancel"));
    m_btnOk->BindHandler(HandlerClick, this, &CCustSkillsWnd::OnOk);
    m_btnCancel->BindHandler(HandlerClick, this, &CCustSkillsWnd::OnCancel);
}

CCustSkillsWnd::~CCustSkillsWnd()
{
    PrepareDestroy();
}

void CCustSkillsWnd::Setup(HeroRecord* hero)
{
    m_hero = hero;
    if (hero == nullptr)
        return;
    m_lblName->SetText(hero->owner ? hero->owner->name : hero->name, true);
    m_skills[0] = hero->battle;
    m_skills[1] = hero->builder;
    m_skills[2] = hero->stealth;
    m_pointsLeft = kSkillPoints - (m_skills[0] + m_skills[1] + m_skills[2]);
    for (int32_t i = 0; i < 3; ++i) {
        m_scrollers[i]->SetMin(1, false);
        m_scrollers[i]->SetMax(m_skills[i] + (m_pointsLeft > 0 ? m_pointsLeft : 0), false);
    }
    for (int32_t i = 0; i < 3; ++i)
        m_scrollers[i]->SetValue(m_skills[i], true, true);
}

void CCustSkillsWnd::OnSkillChanged(CValueScroller* scroller)
{
    for (int32_t i = 0; i < 3; ++i)
        if (m_scrollers[i] == scroller)
            m_skills[i] = static_cast<uint8_t>(scroller->Value());
    m_pointsLeft = kSkillPoints - (m_skills[0] + m_skills[1] + m_skills[2]);
    // A hero given more points than the window hands out keeps its values
    // until the user lowers them; no maximum is set below a value.
    for (int32_t i = 0; i < 3; ++i)
        m_scrollers[i]->SetMax(m_skills[i] + (m_pointsLeft > 0 ? m_pointsLeft : 0), true);
    FormatTextControl(m_rtPointsLeft, m_pointsLeft);
    m_btnOk->Enable(m_pointsLeft == 0, true);
}

void CCustSkillsWnd::OnOk(CWindow*, intptr_t)
{
    if (m_hero != nullptr) {
        m_hero->battle = m_skills[0];
        m_hero->builder = m_skills[1];
        m_hero->stealth = m_skills[2];
        if (m_hero->owner != nullptr)
            m_hero->owner->name = m_lblName->Text();
    }
    SetModalResult(ResultOk);
    EndModal(this);
}

void CCustSkillsWnd::OnCancel(CWindow*, intptr_t)
{
    SetModalResult(ResultCancel);
    EndModal(this);
}

// ---- CCustPlrWnd ----

CCustPlrWnd::CCustPlrWnd(CWindow* parent, const CStr& path) : CFrameWnd(parent, path, true)
{
    m_miniMap = new CMiniMap(this, ChildPath(path, "MiniMap"), true);
    m_lblColour = new CLabel(this, ChildPath(path, "LblColor"), true);
    m_lblCapital = new CLabel(this, ChildPath(path, "LblCapital"), true);
    m_lblHero = new CLabel(this, ChildPath(path, "LblHero"), true);
    m_lblHeroName = new CLabel(this, ChildPath(path, "LblHeroName"), true);
    m_rtArmyUnits = new CTextWnd(this, ChildPath(path, "RtArmyUnits"), true);
    m_rtArmyUnits->SetVAlign(AlignCentre, true);
    m_scrColour = new CValueScroller(this, ChildPath(path, "ScrColor"), true);
    m_icoColour = new CIconWnd(this, ChildPath(path, "IcoColor"));
    m_scrCapital = new CValueScroller(this, ChildPath(path, "ScrCapital"), true);
    m_scrCapital->flags |= ScrollerTextSuspended;
    m_rtSkills = new CTextWnd(this, ChildPath(path, "RtSkills"), true);
    m_army = new CItemListWnd(this, ChildPath(path, "Army"), true);
    m_army->SetDisplayFlags(false, false, false);
    m_army->options |= ItemListOpenDescr;
    static const char* const kArmyButtons[] = {"BtnArmy1", "BtnArmy2", "BtnArmy3", "BtnArmy4"};
    for (int32_t i = 0; i < 4; ++i) {
        m_btnArmy[i] = new CPushButton(this, ChildPath(path, kArmyButtons[i]));
        m_btnArmy[i]->BindHandler(HandlerClick, this, &CCustPlrWnd::OnArmyButton);
    }
    m_btnHero = new CPushButton(this, ChildPath(path, "BtnCustHero"));
    m_btnStart = new CButton(this, ChildPath(path, "BtnStart"), true);
    m_skillsWnd = new CCustSkillsWnd(this, ChildPath(path, "CustSkillsWnd"));
    m_skillsWnd->Show(false, false);
    m_scrColour->valueChanged.Bind(this, &CCustPlrWnd::OnColourChanged);
    m_scrCapital->valueChanged.Bind(this, &CCustPlrWnd::OnCapitalChanged);
    m_btnHero->BindHandler(HandlerClick, this, &CCustPlrWnd::OnCustomHero);
    m_btnStart->BindHandler(HandlerClick, this, &CCustPlrWnd::OnStart);
    MiniMapColourHook.Bind(this, &CCustPlrWnd::ProvinceColour);
}

CCustPlrWnd::~CCustPlrWnd()
{
    PrepareDestroy();
    MiniMapColourHook.Release(this);
}

CGameWorld* CCustPlrWnd::World() const
{
    return GameWorld();
}

void CCustPlrWnd::OnShow()
{
    CWindowMgr::PushCapture(this);
    CFrameWnd::OnShow();
}

void CCustPlrWnd::OnHide()
{
    CWindowMgr::RemoveCapture(this);
    CFrameWnd::OnHide();
}

void CCustPlrWnd::Setup(PlayerRecord* player)
{
    CGameWorld* world = World();
    m_player = player;
    if (world == nullptr || player == nullptr)
        return;
    SetSideColour(PlayerColour(player), false);
    MiniMapColourHook.Bind(this, &CCustPlrWnd::ProvinceColour);
    m_miniMap->SetMissionPreview(Game().missionPath);
    SetText(LocaleFormat("PlrWndTitle", ActiveHumanOrdinal(player)), true);
    m_originalIndex = m_heldIndex = static_cast<uint8_t>(IndexOf(world, player));

    m_scrColour->SetMin(0, false);
    m_scrColour->SetMax(kColours - 1, false);
    ApplyColour(0, true);
    m_scrColour->SetValue(0, true, true);
    m_scrColour->Window()->Enable(FreeColourCount() > 0, true);

    int32_t before = 0, positions = 0;
    for (int i = 0; i < world->PlayerCount(); ++i) {
        if (!IsStartPosition(world->Player(i)))
            continue;
        ++positions;
        if (i < m_originalIndex)
            ++before;
    }
    m_scrCapital->SetMin(before, false);
    m_scrCapital->SetMax(positions - 1, false);
    m_scrCapital->ValueLabel()->SetText(CapitalName(world, *player), true);
    m_scrCapital->SetValue(before, true, true);
    RefreshHero();
    RefreshArmy();
}

void CCustPlrWnd::RefreshHero()
{
    if (m_player == nullptr)
        return;
    m_lblHeroName->SetText(m_player->name, true);
    FormatTextControl(m_rtSkills, m_player->hero.battle, m_player->hero.builder, m_player->hero.stealth);
}

void CCustPlrWnd::RefreshArmy()
{
    if (m_player == nullptr)
        return;
    m_army->Fill(m_player->army, SquadFaceLeft, true, true, false);
    for (int32_t i = 0; i < 4; ++i) {
        CStr picture;
        if (static_cast<size_t>(i) < m_player->slotTypes.size())
            picture.Format("/Objects/Units/%s/Icon_l", m_player->slotTypes[static_cast<size_t>(i)]);
        m_btnArmy[i]->SetImage(picture, true);
    }
}

void CCustPlrWnd::ApplyColour(uint8_t colour, bool upward)
{
    CGameWorld* world = World();
    if (world == nullptr || m_player == nullptr)
        return;
    const int self = IndexOf(world, m_player);
    const uint8_t old = m_player->flagNumber;
    uint8_t c = colour;
    // Earlier humans keep their colours; the passes end at a free one (at
    // most five humans come before).
    for (int pass = 0; pass <= kColours; ++pass) {
        bool changed = false;
        for (int i = 0; i < self; ++i) {
            const PlayerRecord& other = world->Player(i);
            if (other.IsHuman() && other.flagNumber == c) {
                c = upward ? static_cast<uint8_t>((c + 1) % kColours)
                           : static_cast<uint8_t>((c + kColours - 1) % kColours);
                changed = true;
            }
        }
        if (!changed)
            break;
    }
    // Colours are traded, never shared.
    for (int i = 0; i < world->PlayerCount(); ++i) {
        PlayerRecord& other = world->Player(i);
        if (&other == m_player || (other.IsHuman() && i <= self))
            continue;
        if (other.flagNumber == c)
            other.flagNumber = old;
    }
    m_scrColour->SetValue(c, true, false);
    m_player->flagNumber = c;
    // His squads change colour with his flag.
    SetSideColour(PlayerColour(m_player), true);
    CStr picture;
    picture.Format("%sFlag%ld", "/Images/Icons/", c + 1);
    m_icoColour->SetImage(picture, true);
    m_miniMap->Invalidate(UndefinedRect, true);
}

int32_t CCustPlrWnd::FreeColourCount() const
{
    const CGameWorld* world = World();
    const int self = IndexOf(world, m_player);
    int32_t earlier = 0;
    for (int i = 0; i < self; ++i)
        earlier += world->Player(i).IsHuman() ? 1 : 0;
    return kColours - earlier;
}

void CCustPlrWnd::OnColourChanged(CValueScroller* scroller)
{
    if (m_player == nullptr)
        return;
    const int32_t value = scroller->Value();
    ApplyColour(static_cast<uint8_t>(value), value > m_player->flagNumber);
}

uint8_t CCustPlrWnd::NthStartPosition(int32_t n) const
{
    const CGameWorld* world = World();
    for (int i = 0; world && i < world->PlayerCount(); ++i) {
        if (!IsStartPosition(world->Player(i)))
            continue;
        if (n-- == 0)
            return static_cast<uint8_t>(i);
    }
    return 0;
}

void CCustPlrWnd::OnCapitalChanged(CValueScroller* scroller)
{
    CGameWorld* world = World();
    if (world == nullptr || m_player == nullptr)
        return;
    if (m_heldIndex < world->PlayerCount())
        SwapStartPosition(&world->Player(m_heldIndex));
    const uint8_t chosen = NthStartPosition(scroller->Value());
    PlayerRecord& record = world->Player(chosen);
    scroller->ValueLabel()->SetText(CapitalName(world, record), true);
    m_miniMap->SetBlinkProvince(record.capital);
    SwapStartPosition(&record);
    m_heldIndex = chosen;
    RefreshArmy();
}

void CCustPlrWnd::SwapStartPosition(PlayerRecord* other)
{
    CGameWorld* world = World();
    if (world == nullptr || m_player == nullptr || other == nullptr || other == m_player)
        return;
    PlayerRecord& p = *m_player;
    PlayerRecord& o = *other;
    std::swap(p.capital, o.capital);
    std::swap(p.name, o.name);
    std::swap(p.slotTypes, o.slotTypes);
    CArmy army(p.army);
    p.army.CopyFrom(o.army);
    o.army.CopyFrom(army);
    std::swap(p.hero.battle, o.hero.battle);
    std::swap(p.hero.builder, o.hero.builder);
    std::swap(p.hero.stealth, o.hero.stealth);
    RefreshHero();
    // The lists are taken first: each province changes hands once.
    std::vector<ProvinceRecord*> ofP, ofO;
    for (int i = 0; i < world->ProvinceCount(); ++i) {
        ProvinceRecord& province = world->Province(i);
        if (province.owner == &p)
            ofP.push_back(&province);
        if (province.owner == &o)
            ofO.push_back(&province);
    }
    for (ProvinceRecord* province : ofP)
        AssignProvince(province, &o);
    for (ProvinceRecord* province : ofO)
        AssignProvince(province, &p);
}

void CCustPlrWnd::AssignProvince(ProvinceRecord* province, PlayerRecord* player)
{
    if (province == nullptr)
        return;
    province->owner = player;
    province->garrison.Clear();
    if (player == nullptr) {
        province->garrisonFlag = 0;
        return;
    }
    province->ownerId = player->playerId;
    // The province of the old capital is an ordinary one for its new owner.
    province->castle.capital = player->capital == province->index ? 1 : 0;
    const CValueArray& counts = province->garrison.definitionCounts;
    const int n = std::min<int>(static_cast<int>(player->slotTypes.size()), counts.Count());
    for (int i = 0; i < n; ++i) {
        CSquad squad;
        squad.SetType(FindSquadType(player->slotTypes[static_cast<size_t>(i)]));
        squad.count = counts[i] < 0 ? 0 : counts[i];
        province->garrison.AddSquadCopy(squad);
    }
    province->garrisonFlag = 1;
}

void CCustPlrWnd::ProvinceColour(uint8_t* pixel)
{
    const CGameWorld* world = World();
    if (world == nullptr || *pixel >= world->ProvinceCount())
        return;
    const ProvinceRecord& province = world->Province(*pixel);
    *pixel = province.owner != nullptr && province.owner != m_player ? 7 : ProvinceFlagColour(*world, *pixel);
}

void CCustPlrWnd::OnArmyButton(CWindow* button, intptr_t)
{
    for (int32_t i = 0; i < 4; ++i)
        if (m_btnArmy[i] == button)
            ShowSquadType(i);
}

void CCustPlrWnd::OnCustomHero(CWindow*, intptr_t)
{
    if (m_player == nullptr)
        return;
    m_miniMap->SetBlinkProvince(255);
    m_skillsWnd->Setup(&m_player->hero);
    WindowGuard guard(this);
    RunModal(m_skillsWnd);
    if (!guard.Alive())
        return;
    RefreshHero();
    m_miniMap->SetBlinkProvince(m_player->capital);
}

void CCustPlrWnd::OnStart(CWindow*, intptr_t)
{
    SetModalResult(ResultOk);
    EndModal(this);
}
