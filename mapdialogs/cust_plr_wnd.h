#pragma once
// CCustPlrWnd ("/Map/MapWnd/CustPlrWnd"): at the start of a new game each
// human player chooses here a flag colour, a start position among the
// mission's open positions (shown by its blinking capital) and the hero's
// skills (in CCustSkillsWnd), and looks at the army and squad kinds of the
// position. Every choice goes straight into the world's player and province
// records; there is no cancel, the result is always 1.

#include <cstdint>

#include "game/player_record.h"
#include "ui/frame_wnd.h"

class CGameWorld;
class CIconWnd;
class CItemListWnd;
class CLabel;
class CMiniMap;
class CPushButton;
class CTextWnd;
class CValueScroller;
class HeroRecord;
class PlayerRecord;
class ProvinceRecord;

// The hero skills window ("CustSkillsWnd" under the custom player window):
// six points over battle, builder and stealth, each at least 1.
class CCustSkillsWnd : public CFrameWnd {
public:
    static constexpr int32_t kSkillPoints = kHeroStartSkillPoints;

    CCustSkillsWnd(CWindow* parent, const CStr& path);
    ~CCustSkillsWnd() override;

    void Setup(HeroRecord* hero);
    int32_t PointsLeft() const { return m_pointsLeft; }
    uint8_t Skill(int32_t i) const { return m_skills[i]; }

    CLabel* NameLabel() const { return m_lblName; }
    CValueScroller* Scroller(int32_t i) const { return m_scrollers[i]; }
    CTextWnd* PointsLeftText() const { return m_rtPointsLeft; }
    CPushButton* OkButton() const { return m_btnOk; }
    CPushButton* CancelButton() const { return m_btnCancel; }

private:
    void OnSkillChanged(CValueScroller* scroller);
    void OnOk(CWindow*, intptr_t);
    void OnCancel(CWindow*, intptr_t);

    HeroRecord* m_hero = nullptr;
    uint8_t m_skills[3] = {1, 1, 1};
    int32_t m_pointsLeft = 0;
    CLabel* m_lblName = nullptr;
    CValueScroller* m_scrollers[3] = {};
    CTextWnd* m_rtPointsLeft = nullptr;
    CPushButton* m_btnOk = nullptr;
    CPushButton* m_btnCancel = nullptr;
};

class CCustPlrWnd : public CFrameWnd {
public:
    CCustPlrWnd(CWindow* parent, const CStr& path);
    ~CCustPlrWnd() override;

    void OnShow() override;
    void OnHide() override;

    void Setup(PlayerRecord* player);
    void ApplyColour(uint8_t colour, bool upward);
    int32_t FreeColourCount() const;
    // Index of the n-th start position (players in index order, fixed
    // computer players skipped), 0 when there are fewer.
    uint8_t NthStartPosition(int32_t n) const;
    void SwapStartPosition(PlayerRecord* other);
    void AssignProvince(ProvinceRecord* province, PlayerRecord* player);
    void ProvinceColour(uint8_t* pixel);
    void ShowSquadType(int32_t i);

    PlayerRecord* Player() const { return m_player; }
    uint8_t OriginalIndex() const { return m_originalIndex; }
    uint8_t HeldIndex() const { return m_heldIndex; }

    CMiniMap* MiniMap() const { return m_miniMap; }
    CLabel* HeroNameLabel() const { return m_lblHeroName; }
    CValueScroller* ColourScroller() const { return m_scrColour; }
    CIconWnd* ColourIcon() const { return m_icoColour; }
    CValueScroller* CapitalScroller() const { return m_scrCapital; }
    CTextWnd* SkillsText() const { return m_rtSkills; }
    CItemListWnd* Army() const { return m_army; }
    CPushButton* ArmyButton(int32_t i) const { return m_btnArmy[i]; }
    CPushButton* HeroButton() const { return m_btnHero; }
    CButton* StartButton() const { return m_btnStart; }
    CCustSkillsWnd* SkillsWnd() const { return m_skillsWnd; }

private:
    void OnColourChanged(CValueScroller* scroller);
    void OnCapitalChanged(CValueScroller* scroller);
    void OnArmyButton(CWindow* button, intptr_t);
    void OnCustomHero(CWindow*, intptr_t);
    void OnStart(CWindow*, intptr_t);
    void RefreshHero();
    void RefreshArmy();
    CGameWorld* World() const;

    PlayerRecord* m_player = nullptr;
    uint8_t m_originalIndex = 0;
    uint8_t m_heldIndex = 0;
    CMiniMap* m_miniMap = nullptr;
    CLabel* m_lblColour = nullptr;
    CLabel* m_lblCapital = nullptr;
    CLabel* m_lblHero = nullptr;
    CLabel* m_lblHeroName = nullptr;
    CTextWnd* m_rtArmyUnits = nullptr;
    CValueScroller* m_scrColour = nullptr;
    CIconWnd* m_icoColour = nullptr;
    CValueScroller* m_scrCapital = nullptr;
    CTextWnd* m_rtSkills = nullptr;
    CItemListWnd* m_army = nullptr;
    CPushButton* m_btnArmy[4] = {};
    CPushButton* m_btnHero = nullptr;
    CButton* m_btnStart = nullptr;
    CCustSkillsWnd* m_skillsWnd = nullptr;
};
