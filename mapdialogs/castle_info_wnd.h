#pragma once
// CCastleInfoWnd: the castle panel a human player opens on one of their castle
// provinces. It tells what the castle is doing (being built, repaired,
// completed, building a work, or standing idle and how damaged) and offers one
// button per castle operation and per castle work. It is the one map dialog
// that is not modal: it stays beside the map while the player works and is
// refreshed after each castle work window closes. What it offers the rules
// work out (CastleWorksOffer); the panel only shows it.

#include <cstdint>

#include "players/castle_works_offer.h"
#include "ui/frame_wnd.h"

class CHintButton;
class CLabel;
class CPushButton;
class CTextWnd;
struct CastleInfoRequestArgs;

// Castle operations, as the human controller's province command takes them.
enum CastleOperation : uint32_t {
    CastleOpComplete = 1,
    CastleOpFastRepair = 2,
    CastleOpDemolish = 4,
    CastleOpMoat = 8,
    CastleOpCatapult = 16,
    CastleOpFortWalls = 32,
    CastleOpMarket = 64,
    CastleOpBank = 128,
    CastleOpTavern = 256,
    CastleOpGuild = 512,
    CastleOpMetalMine = 1024,
    CastleOpStoneMine = 2048,
};

class CCastleInfoWnd : public CFrameWnd {
public:
    static constexpr int32_t kBuildingButtons = 6;

    CCastleInfoWnd(CWindow* parent, const CStr& path, bool load = true);
    ~CCastleInfoWnd() override;

    // Stores the record (not owned; it outlives the window's use) and refreshes.
    void Setup(CastleInfoRequestArgs* request);
    // Shows the record's offer again: the state line and the buttons;
    // nothing while quitting.
    void Refresh();
    void SetButtonLook(CHintButton* button, CastleWork work, CastleWorkState state);
    // The index (0-5) of the state line that Refresh chose, -1 for none.
    int32_t StateLine() const { return m_stateLine; }

    CastleInfoRequestArgs* Request() const { return m_request; }
    CTextWnd* State() const { return m_state; }
    CLabel* Upgrades() const { return m_upgrades; }
    CHintButton* CompleteButton() const { return m_complete; }
    CHintButton* FastRepairButton() const { return m_fastRepair; }
    CHintButton* DemolishButton() const { return m_demolish; }
    CHintButton* MoatButton() const { return m_moat; }
    CHintButton* CatapultButton() const { return m_catapult; }
    CHintButton* FortWallsButton() const { return m_fortWalls; }
    // In this order: market, tavern, bank, guild, metal mine, stone mine.
    CHintButton* BuildingButton(int32_t index) const { return m_buildings[index]; }
    CPushButton* ExitButton() const { return m_exit; }

private:
    void OnComplete(CWindow*, intptr_t);
    void OnFastRepair(CWindow*, intptr_t);
    void OnDemolish(CWindow*, intptr_t);
    void OnWorkClick(CWindow* window, intptr_t point);
    void OnExit(CWindow*, intptr_t);
    // Starts the button's operation when the castle is idle and the button's
    // frame flag is set; otherwise shows the button's hint.
    void TryWork(CHintButton* button, uint32_t operation, intptr_t point);

    CastleInfoRequestArgs* m_request = nullptr;
    CTextWnd* m_state = nullptr;
    CLabel* m_upgrades = nullptr;
    CHintButton* m_complete = nullptr;
    CHintButton* m_fastRepair = nullptr;
    CHintButton* m_demolish = nullptr;
    CHintButton* m_moat = nullptr;
    CHintButton* m_catapult = nullptr;
    CHintButton* m_fortWalls = nullptr;
    CHintButton** m_buildings = nullptr;  // owned array of kBuildingButtons
    CPushButton* m_exit = nullptr;
    int32_t m_stateLine = -1;
};
