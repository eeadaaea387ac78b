#pragma once
// CGameInfoWnd ("/Map/MapWnd/GameInfoWnd"): the state of the running game:
// the current player's hero, the difficulty, the mission and the counts of
// provinces, players and turns, with a button to the mission's description.

#include <cstdint>

#include "ui/dialog.h"

class CPushButton;
class CTextWnd;

class CGameInfoWnd : public CDialog {
public:
    CGameInfoWnd(CWindow* parent, const CStr& path, uint32_t flags = 0);
    ~CGameInfoWnd() override;

    void Fill();

    CTextWnd* HeroName() const { return m_heroName; }
    CTextWnd* HeroSkills() const { return m_heroSkills; }
    CTextWnd* HeroExperience() const { return m_heroExp; }
    CTextWnd* Difficulty() const { return m_difficulty; }
    CTextWnd* Mission() const { return m_mission; }
    CTextWnd* Provinces() const { return m_provinces; }
    CTextWnd* Players() const { return m_players; }
    CTextWnd* Turn() const { return m_turn; }
    CPushButton* DescriptionButton() const { return m_btnDescr; }
    CPushButton* CloseButton() const { return m_btnClose; }

private:
    void OnClose(CWindow*, intptr_t);
    void OnFullDescr(CWindow*, intptr_t);

    CTextWnd* m_heroName = nullptr;
    CTextWnd* m_heroSkills = nullptr;
    CTextWnd* m_heroExp = nullptr;
    CTextWnd* m_difficulty = nullptr;
    CTextWnd* m_mission = nullptr;
    CPushButton* m_btnDescr = nullptr;
    CTextWnd* m_provinces = nullptr;
    CTextWnd* m_players = nullptr;
    CTextWnd* m_turn = nullptr;
    CPushButton* m_btnClose = nullptr;
};
