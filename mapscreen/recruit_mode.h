#pragma once
// The recruit mode of the map window (mode 3): the human player chooses some
// of his provinces on the map, a squad kind of his army and, with
// "ScrRecruit", how many units the chosen provinces receive; every change is
// paid or refunded at once. Units recruited during one stay in the mode can
// be given back; the garrisons they joined cannot be sold.
//
// The mode works on the recruit panels the map window built and on its map
// frame; it reaches the window itself only through the two calls it is given.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "core/ref_string.h"

class CArmy;
class CMapFrame;
class CMapView;
class CResWnd;
class CResourceBundle;
class CSquadButton;
class CValueScroller;
class CWindow;
class PlayerRecord;
struct MapPanels;

class RecruitMode {
public:
    static constexpr int32_t kMaxSquadButtons = 4;

    struct Host {
        CWindow* window = nullptr;  // the map window: parent of the windows the mode opens
        CStr layoutPath;            // its layout node
        // The map window's own pointers, read at each use: the panels and the
        // frame are torn down and rebuilt around battles.
        const MapPanels* panels = nullptr;
        CMapFrame* const* frame = nullptr;
        std::function<void()> leave;  // "BtnApply" / "BtnTurn": back to the map mode
        std::function<void(const CResourceBundle*)> treasuryChanged;  // after the market
    };

    explicit RecruitMode(Host host);
    ~RecruitMode();

    void Enter();
    void Leave();
    void BindControls();
    void BuildSquadButtons();
    void UpdateRecruitLimits();
    void SelectSquad(int32_t index, bool redraw);
    void RefreshRecruitCounts(bool updateScroller, bool redraw);
    void SetRecruited(int32_t index, int32_t target);
    void ClearProvinceMarks(bool redraw);
    void MarkProvince(int32_t province, bool on, bool redraw);
    void ShowRecruitProvince(bool redraw);
    // Map events in the mode: a pen down chooses one province of the player,
    // moving the pen onto more adds them.
    void PenDown(int16_t province);
    void Drag(int16_t province);
    // The player's resources changed (the market): limits and counts again.
    void ResourcesChanged();
    // Control handlers.
    void OnSquadButtonTap(CWindow* control, intptr_t argument);
    void OnApplyTap(CWindow* control, intptr_t argument);
    void OnClearTap(CWindow* control, intptr_t argument);
    // "BtnInfo": the selected squad kind's description; "BtnMarket": the market.
    void OnInfoTap(CWindow* control, intptr_t argument);
    void OnMarketTap(CWindow* control, intptr_t argument);
    void OnScrollerChanged(CValueScroller* scroller);
    // The scroller's position while it moves (label only) and once it is set.
    void OnScrollChanging(int32_t position, int32_t maximum);
    void OnScrollSet(int32_t position);

    // Derived values over the provinces of the world.
    int32_t ChosenProvinceCount() const;
    int32_t Recruited(int32_t index) const;
    int32_t RecruitedHere(int32_t index) const;
    bool IsProvinceChosen(int32_t province) const;

    PlayerRecord* RecruitingPlayer() const { return m_player; }
    const CArmy* RecruitPool() const { return m_pool.get(); }
    int32_t SquadButtonCount() const { return m_squadButtonCount; }
    CSquadButton* SquadButton(int32_t index) const
    {
        return index >= 0 && index < m_squadButtonCount ? m_squadButtons[index] : nullptr;
    }
    int32_t SelectedSquad() const { return m_selectedSquad; }

private:
    const MapPanels& Panels() const { return *m_host.panels; }
    CMapFrame* Frame() const { return *m_host.frame; }
    CMapView* View() const;
    void ShowTreasury(CResWnd* control);
    void RedrawMarkers();
    // Puts what the mode placed into the lord's record.
    void BookRecruits();
    // The squad buttons still standing in the recruit panel (the panel and
    // its children go when the screen is rebuilt around a battle).
    void ForgetLostSquadButtons();

    Host m_host;
    PlayerRecord* m_player = nullptr;
    // A copy of the player's army: item i stands for squad kind i; its count
    // is how many more units of that kind may be recruited.
    std::unique_ptr<CArmy> m_pool;
    CSquadButton* m_squadButtons[kMaxSquadButtons] = {};
    int32_t m_squadButtonCount = 0;
    int32_t m_selectedSquad = -1;
    // Units recruited in this stay, per province and squad kind (province x
    // kind): what may be given back, and what the map's markers count.
    std::vector<int32_t> m_recruitedHere;
    int32_t m_kinds = 0;
};
