#pragma once
// CNewGameWnd ("/Map/NewGameWnd"): the dialog in which the user sets up a new
// game: the mission (through the scenario selection it owns), the
// difficulty, the number of human players and the play mode for several
// humans. It shows the chosen mission's title and map preview. Result 1 when
// started with "BtnStart", 2 with "BtnMenu"; the caller then reads the choices.

#include <cstdint>
#include <memory>

#include "ui/dialog.h"

class CGameWorld;
class CLabel;
class CMarkupWnd;
class CMiniMap;
class CPushButton;
class CSelScenarioWnd;
class CValueScroller;

class CNewGameWnd : public CDialog {
public:
    CNewGameWnd(CWindow* parent, const CStr& path);
    ~CNewGameWnd() override;

    void OnShow() override;
    void OnHide() override;

    // 0 "Easy" .. 3 "Expert"; any other scroller value counts as 1.
    uint32_t GetDifficulty() const;
    uint32_t GetPlayMode() const { return 0; }
    uint8_t GetHumanCount() const;
    uint16_t ScenarioIndex() const { return m_scenario; }
    uint16_t MissionIndex() const { return m_mission; }

    // Re-reads the choice from the scenario selection and shows it.
    void Refresh();

    CGameWorld* PreviewWorld() const { return m_world.get(); }
    CMiniMap* MiniMap() const { return m_miniMap; }
    CMarkupWnd* MissionName() const { return m_missionName; }
    CLabel* DifficultyLabel() const { return m_lblDifficulty; }
    CLabel* PlayModeLabel() const { return m_lblMode; }
    CPushButton* SelectButton() const { return m_btnSelect; }
    CButton* StartButton() const { return m_btnStart; }
    CButton* MenuButton() const { return m_btnMenu; }
    CValueScroller* DifficultyScroller() const { return m_scrDifficulty; }
    CValueScroller* HumansScroller() const { return m_scrHumans; }
    CValueScroller* PlayModeScroller() const { return m_scrMode; }
    CSelScenarioWnd* Selection() const { return m_selection; }

private:
    void ProvinceColour(uint8_t* pixel);
    void OnSelectMission(CWindow*, intptr_t);
    void OnStart(CWindow*, intptr_t);
    void OnMenu(CWindow*, intptr_t);
    void OnDifficultyChanged(CValueScroller* scroller);
    void OnHumansChanged(CValueScroller* scroller);
    void OnPlayModeChanged(CValueScroller* scroller);

    CMiniMap* m_miniMap = nullptr;
    CLabel* m_lblMission = nullptr;
    CMarkupWnd* m_missionName = nullptr;
    CLabel* m_lblDifficulty = nullptr;
    CLabel* m_lblHumans = nullptr;
    CLabel* m_lblMode = nullptr;
    CPushButton* m_btnSelect = nullptr;
    CButton* m_btnStart = nullptr;
    CButton* m_btnMenu = nullptr;
    CValueScroller* m_scrDifficulty = nullptr;
    CValueScroller* m_scrHumans = nullptr;
    CValueScroller* m_scrMode = nullptr;
    CSelScenarioWnd* m_selection = nullptr;
    uint16_t m_scenario = 0;
    uint16_t m_mission = 0;
    std::unique_ptr<CGameWorld> m_world;
};
