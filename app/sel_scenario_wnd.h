#pragma once
// CSelScenarioWnd ("SelScenarioWnd" under the new game window): every mission
// of every scenario as one scrolling list of buttons on the left, and the
// selected mission's facts on the right: title, map preview, difficulty line,
// numbers of provinces and players, the short description, and buttons for
// the full description and the author's notes. Each selected mission is
// loaded into the new game window's preview world. Result 1 "BtnOk",
// 2 "BtnCancel".

#include <cstdint>
#include <vector>

#include "ui/frame_wnd.h"

class CGameWorld;
class CMarkupButton;
class CMarkupWnd;
class CMiniMap;
class CPushButton;
class CTextWnd;

class CSelScenarioWnd : public CFrameWnd {
public:
    CSelScenarioWnd(CWindow* parent, const CStr& path);
    ~CSelScenarioWnd() override;

    // Keeps the world and shows the selection the preferences name.
    void Fill(CGameWorld* world);
    // Selects a global mission number; a mission that does not load falls
    // back to the confirmed one.
    void Select(int16_t globalMission);
    void RefreshButtonTexts();
    void ScrollUp();
    void ScrollDown();

    int16_t ScenarioIndex() const { return m_scenario; }
    int16_t MissionIndex() const { return m_mission; }
    int16_t Confirmed() const { return m_confirmed; }
    int16_t Current() const { return m_current; }
    int16_t FirstVisible() const { return m_firstVisible; }
    int16_t TotalMissions() const { return m_total; }
    int32_t ButtonCount() const { return static_cast<int32_t>(m_buttons.size()); }
    CMarkupButton* MissionButton(int32_t i) const { return m_buttons.at(static_cast<size_t>(i)); }

    CFrameWnd* RightFrame() const { return m_right; }
    CFrameWnd* LeftFrame() const { return m_left; }
    CTextWnd* MissionText() const { return m_rtMission; }
    CTextWnd* DifficultyText() const { return m_rtDifficulty; }
    CTextWnd* ProvincesText() const { return m_rtProvinces; }
    CTextWnd* PlayersText() const { return m_rtPlayers; }
    CMiniMap* MiniMap() const { return m_miniMap; }
    CPushButton* AuthorButton() const { return m_btnAuthor; }
    CMarkupWnd* DescriptionText() const { return m_rtDescr; }
    CPushButton* DescriptionButton() const { return m_btnDescr; }
    CPushButton* OkButton() const { return m_btnOk; }
    CPushButton* CancelButton() const { return m_btnCancel; }
    CPushButton* UpButton() const { return m_btnUp; }
    CPushButton* DownButton() const { return m_btnDown; }

    // The mark-up text of the author window (author text, notes, or both).
    CStr AuthorText() const;

private:
    void BuildMissionButtons();
    bool LoadIntoWorld(int16_t globalMission);
    void OnMissionButton(CWindow* button, intptr_t);
    void OnOk(CWindow*, intptr_t);
    void OnCancel(CWindow*, intptr_t);
    void OnUp(CWindow*, intptr_t);
    void OnDown(CWindow*, intptr_t);
    void OnDescription(CWindow*, intptr_t);
    void OnAuthor(CWindow*, intptr_t);

    int16_t m_scenario = 0;
    int16_t m_mission = 0;
    int16_t m_confirmed = 0;
    int16_t m_current = 0;
    int16_t m_firstVisible = 0;
    int16_t m_total = 0;
    CFrameWnd* m_right = nullptr;
    CFrameWnd* m_left = nullptr;
    std::vector<CMarkupButton*> m_buttons;
    CTextWnd* m_rtMission = nullptr;
    CTextWnd* m_rtDifficulty = nullptr;
    CTextWnd* m_rtProvinces = nullptr;
    CTextWnd* m_rtPlayers = nullptr;
    CMiniMap* m_miniMap = nullptr;
    CPushButton* m_btnAuthor = nullptr;
    CMarkupWnd* m_rtDescr = nullptr;
    CPushButton* m_btnDescr = nullptr;
    bool m_descrVisibleByLayout = false;
    CPushButton* m_btnOk = nullptr;
    CPushButton* m_btnCancel = nullptr;
    CPushButton* m_btnUp = nullptr;
    CPushButton* m_btnDown = nullptr;
    CGameWorld* m_world = nullptr;
};
