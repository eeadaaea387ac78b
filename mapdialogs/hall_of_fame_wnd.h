#pragma once
// CHallOfFameWnd ("/Main/HallOfFameWnd"): the best results of one mission at
// a time. The user steps through all missions, opens the statistics of a
// stored result, or clears the shown mission's results.

#include <cstdint>
#include <vector>

#include "ui/screen_wnd.h"

class CIconWnd;
class CMarkupWnd;
class CPushButton;
class CValueScroller;

class CHallOfFameWnd : public CScreenWnd {
public:
    struct Row {
        CIconWnd* line = nullptr;
        CMarkupWnd* playerName = nullptr;
        CMarkupWnd* mapName = nullptr;
        CMarkupWnd* score = nullptr;
        CMarkupWnd* turns = nullptr;
        CPushButton* details = nullptr;
    };

    CHallOfFameWnd(CWindow* parent, const CStr& path);
    ~CHallOfFameWnd() override;

    void OnShow() override;
    void SetStartMission(int16_t globalMission) { m_startMission = globalMission; }
    void OnMissionChanged(CValueScroller* scroller);
    void FillRows(CValueScroller* scroller);
    // The statistics of the entry of a row of the shown page.
    void ShowDetails(int32_t row);
    // Asks, and on Ok removes the shown mission's results.
    void ClearResults();

    const CStr& MissionPath() const { return m_missionPath; }
    int32_t RowCount() const { return static_cast<int32_t>(m_rows.size()); }
    const Row& RowAt(int32_t i) const { return m_rows.at(static_cast<size_t>(i)); }
    CValueScroller* MissionScroller() const { return m_scrMission; }
    CValueScroller* PageScroller() const { return m_scrPage; }
    CPushButton* ReturnButton() const { return m_btnReturn; }
    CPushButton* ClearButton() const { return m_btnClear; }

private:
    void BuildRows();
    void OnDetails(CWindow* button, intptr_t);
    void OnReturn(CWindow*, intptr_t);
    void OnClearResults(CWindow*, intptr_t);

    int16_t m_startMission = 0;
    CStr m_missionPath;
    std::vector<Row> m_rows;
    CValueScroller* m_scrMission = nullptr;
    CValueScroller* m_scrPage = nullptr;
    CPushButton* m_btnReturn = nullptr;
    CPushButton* m_btnClear = nullptr;
};
