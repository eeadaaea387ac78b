#pragma once
// CVolunteersWnd ("VolunteersWnd"): asks whether to take on a squad of
// volunteers for a price. Yes and No end the run with 3 and 4 (as the
// message box's yes/no mode does); the poster reads only the accepted byte.

#include <cstdint>

#include "players/request_records.h"
#include "ui/dialog.h"

class CItemListWnd;
class CPushButton;
class CResWnd;
class CTextWnd;

class CVolunteersWnd : public CDialog {
public:
    static constexpr uint16_t kResultYes = 3;
    static constexpr uint16_t kResultNo = 4;

    CVolunteersWnd(CWindow* parent, const CStr& layoutName, bool load);
    ~CVolunteersWnd() override;

    void Setup(VolunteersRequest* record);
    void OnYes(CWindow*, intptr_t);
    void OnNo(CWindow*, intptr_t);

    CTextWnd* MessageText() const { return m_rtMessage; }
    CResWnd* CostControl() const { return m_resCost; }
    CResWnd* TreasuryControl() const { return m_resTreasury; }
    CItemListWnd* ArmyList() const { return m_armyIncom; }
    CPushButton* YesButton() const { return m_btnYes; }
    CPushButton* NoButton() const { return m_btnNo; }

private:
    VolunteersRequest* m_record = nullptr;
    CTextWnd* m_rtMessage = nullptr;
    CResWnd* m_resCost = nullptr;
    CResWnd* m_resTreasury = nullptr;
    CItemListWnd* m_armyIncom = nullptr;
    CPushButton* m_btnYes = nullptr;
    CPushButton* m_btnNo = nullptr;
};
