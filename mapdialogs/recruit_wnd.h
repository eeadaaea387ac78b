#pragma once
// CRecruitWnd ("RecruitWnd"): sets a unit count for each of the first squads
// of an army. Up to four squads are offered as squad buttons; the one picked
// shows its type, opens its description, and takes its count from a slider.
// The window edits the counts of a RecruitRequestArgs record in place and
// writes the record's confirmed byte; the opener reads the counts only when
// it comes back confirmed. The battle trainer composes its two armies with it.

#include <cstdint>

#include "core/dyn_array.h"
#include "game/resource_bundle.h"
#include "ui/frame_wnd.h"

class CLabel;
class CPushButton;
class CResWnd;
class CScrollBar;
class CSquad;
class CSquadButton;
struct RecruitRequestArgs;

class CRecruitWnd : public CFrameWnd {
public:
    static constexpr int32_t kMaxOffered = 4;

    CRecruitWnd(CWindow* parent, const CStr& path);
    ~CRecruitWnd() override;

    // Fills the window from the record (which must outlive the modal run)
    // and selects the first squad.
    void Setup(RecruitRequestArgs* record);
    // Selects offered squad i: its button checked, its type shown, the slider
    // set to its count and limit. Out-of-range entries are ignored.
    void Select(int32_t index);

    int32_t OfferedCount() const { return m_offered; }
    int32_t SelectedEntry() const { return m_selected; }
    const CSquad* SelectedSquad() const { return m_squad; }
    const CResourceBundle& Treasury() const { return m_treasury; }

    CSquadButton* SquadButton(int32_t index) const;
    CLabel* TypeLabel() const { return m_type; }
    CPushButton* DescrButton() const { return m_descr; }
    CScrollBar* Quantity() const { return m_quantity; }
    CPushButton* OkButton() const { return m_ok; }
    CPushButton* CancelButton() const { return m_cancel; }

private:
    void OnQuantityChanged(CScrollBar* bar);
    void OnSquadClick(CWindow* button, intptr_t);
    void OnDescr(CWindow*, intptr_t);
    void OnOk(CWindow*, intptr_t);
    void OnCancel(CWindow*, intptr_t);

    CDynArray<CSquadButton*> m_buttons;
    CResourceBundle m_treasury;
    RecruitRequestArgs* m_record = nullptr;
    uint8_t m_selected = 0;
    const CSquad* m_squad = nullptr;
    int16_t m_offered = 0;

    CResWnd* m_treasuryWnd = nullptr;
    CFrameWnd* m_frame = nullptr;
    CLabel* m_type = nullptr;
    CPushButton* m_descr = nullptr;
    CLabel* m_quantityLabel = nullptr;
    CScrollBar* m_quantity = nullptr;
    CLabel* m_unitCostLabel = nullptr;
    CResWnd* m_unitCost = nullptr;
    CPushButton* m_ok = nullptr;
    CPushButton* m_cancel = nullptr;
};
