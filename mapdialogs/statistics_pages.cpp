#include "mapdialogs/statistics_pages.h"

#include <vector>

#include "game/hall_of_fame.h"
#include "game/resource_bundle.h"
#include "mapdialogs/item_list_wnd.h"
#include "ui/child_path.h"
#include "ui/composite_wnd.h"
#include "ui/label.h"
#include "ui/markup_wnd.h"
#include "ui/res_wnd.h"
#include "ui/text_format.h"

namespace {

void ShowBundle(CResWnd* control, const CResourceBundle& bundle)
{
    std::vector<CStr> codes;
    std::vector<int32_t> amounts;
    for (int i = 0; i < bundle.Count(); ++i) {
        codes.push_back(ResourceKindName(i));
        amounts.push_back(bundle[i]);
    }
    control->SetAmounts(codes.data(), amounts.data(), static_cast<int32_t>(codes.size()), true);
}

void ShowArmy(CItemListWnd* control, const CArmy& army)
{
    // Squads without units are left out; the strongest types come last.
    control->Fill(army, SquadFaceLeft, true, false, true);
}

}  // namespace

void StatisticsPages::Build(CWindow* window, const CStr& path)
{
    static const char* const kPages[] = {"Page1", "Page2", "Page3", "Page4"};
    for (int32_t i = 0; i < kPageCount; ++i)
        m_pages[i] = new CCompositeWnd(window, ChildPath(path, kPages[i]), true);
    const CStr p1 = ChildPath(path, "Page1"), p2 = ChildPath(path, "Page2");
    const CStr p3 = ChildPath(path, "Page3"), p4 = ChildPath(path, "Page4");
    CWindow* w1 = m_pages[0]->Window();
    CWindow* w2 = m_pages[1]->Window();
    CWindow* w3 = m_pages[2]->Window();
    CWindow* w4 = m_pages[3]->Window();
    new CLabel(w1, ChildPath(p1, "LblGame"), true);
    new CIconWnd(w1, ChildPath(p1, "HLGame"));
    turns = new CMarkupWnd(w1, ChildPath(p1, "RtTurns"), true);
    difficulty = new CMarkupWnd(w1, ChildPath(p1, "RtDifficulty"), true);
    score = new CMarkupWnd(w1, ChildPath(p1, "RtScore"), true);
    hero = new CMarkupWnd(w1, ChildPath(p1, "RtHero"), true);
    new CLabel(w2, ChildPath(p2, "LblRes"), true);
    new CIconWnd(w2, ChildPath(p2, "HLRes"));
    new CLabel(w2, ChildPath(p2, "RLblTaxes"), true);
    taxes = new CResWnd(w2, ChildPath(p2, "ResTaxes"), true);
    new CLabel(w2, ChildPath(p2, "RLblSpent"), true);
    spent = new CResWnd(w2, ChildPath(p2, "ResSpent"), true);
    new CLabel(w2, ChildPath(p2, "RLblStolen"), true);
    stolen = new CTextWnd(w2, ChildPath(p2, "RtStolen"), true);
    new CLabel(w2, ChildPath(p2, "RLblTheft"), true);
    theft = new CTextWnd(w2, ChildPath(p2, "RtTheft"), true);
    new CLabel(w2, ChildPath(p2, "RLblFinal"), true);
    finalResources = new CResWnd(w2, ChildPath(p2, "ResFinal"), true);
    new CLabel(w3, ChildPath(p3, "LblArmies"), true);
    new CIconWnd(w3, ChildPath(p3, "HLArmies"));
    new CLabel(w3, ChildPath(p3, "ALblRecr"), true);
    recruited = new CItemListWnd(w3, ChildPath(p3, "ArmyRecr"), true);
    new CLabel(w3, ChildPath(p3, "ALblJoin"), true);
    joined = new CItemListWnd(w3, ChildPath(p3, "ArmyJoin"), true);
    new CLabel(w3, ChildPath(p3, "BLblAssasin"), true);
    assassinated = new CItemListWnd(w3, ChildPath(p3, "ArmyAssasin"), true);
    new CLabel(w3, ChildPath(p3, "BLblFinal"), true);
    finalArmy = new CItemListWnd(w3, ChildPath(p3, "ArmyFinal"), true);
    new CLabel(w4, ChildPath(p4, "LblBattle"), true);
    new CIconWnd(w4, ChildPath(p4, "HLBattle"));
    totalBattles = new CMarkupWnd(w4, ChildPath(p4, "RtTotalNum"), true);
    victories = new CMarkupWnd(w4, ChildPath(p4, "RtVictNum"), true);
    defeats = new CMarkupWnd(w4, ChildPath(p4, "RtDeftNum"), true);
    retreats = new CMarkupWnd(w4, ChildPath(p4, "RtRetrNum"), true);
    for (CMarkupWnd* text : {turns, difficulty, score, hero, totalBattles, victories, defeats, retreats})
        text->foreground = kStatisticsInk;
    for (CResWnd* amounts : {taxes, spent, finalResources})
        amounts->amountColour = kStatisticsInk;
    new CLabel(w4, ChildPath(p4, "BLblKilled"), true);
    killed = new CItemListWnd(w4, ChildPath(p4, "ArmyKilled"), true);
    new CLabel(w4, ChildPath(p4, "BLblLost"), true);
    lost = new CItemListWnd(w4, ChildPath(p4, "ArmyLost"), true);
}

void StatisticsPages::Fill(const CHallOfFameEntry& source)
{
    m_entry.Assign(source);
    const CHallOfFameEntry& entry = m_entry;
    turns->SetText(LocaleFormat("RtStatTurns", entry.turns), true);
    difficulty->SetText(LocaleFormat("RtStatDiff", LocaleText(DifficultyKey(entry.difficulty, "Normal"))),
                        true);
    score->SetText(LocaleFormat("RtStatScore", entry.score), true);
    hero->SetText(LocaleFormat("RtStatHero", entry.heroName, entry.heroBattle, entry.heroBuilder,
                               entry.heroStealth, entry.HeroLevel(), entry.heroExperience),
                  true);
    ShowBundle(taxes, entry.taxes);
    ShowBundle(spent, entry.spent);
    FormatTextControl(stolen, entry.stolen.GetByChars("gold"));
    FormatTextControl(theft, entry.theft.GetByChars("gold"));
    ShowBundle(finalResources, entry.finalResources);
    ShowArmy(recruited, entry.recruited);
    ShowArmy(joined, entry.joined);
    ShowArmy(assassinated, entry.assassinated);
    ShowArmy(finalArmy, entry.finalArmy);
    totalBattles->SetText(LocaleFormat("RtTotalNum", entry.battles), true);
    victories->SetText(LocaleFormat("RtVictNum", entry.victories), true);
    defeats->SetText(LocaleFormat("RtDeftNum", entry.defeats), true);
    retreats->SetText(LocaleFormat("RtRetrNum", entry.retreats), true);
    ShowArmy(killed, entry.killed);
    ShowArmy(lost, entry.lost);
}

void StatisticsPages::ShowPage(int32_t n)
{
    for (int32_t i = 0; i < kPageCount; ++i) {
        if (m_pages[i] != nullptr && m_pages[i]->Window() != nullptr)
            m_pages[i]->Window()->Show(i + 1 == n, false);
    }
    if (m_pages[0] != nullptr && m_pages[0]->Window() != nullptr &&
        m_pages[0]->Window()->GetParent() != nullptr)
        m_pages[0]->Window()->GetParent()->Invalidate(UndefinedRect, true);
}
