#pragma once
// CMapPrefsWnd ("/Map/MapWnd/MapPrefsWnd"): switches five options of the
// strategic game on and off. It edits the preference bytes in memory only;
// the preferences manager writes them at shutdown. Result 1 stores, 2 leaves
// every byte as it was.

#include <cstdint>

#include "ui/dialog.h"

class CCheckBox;
class CPushButton;

class CMapPrefsWnd : public CDialog {
public:
    CMapPrefsWnd(CWindow* parent, const CStr& path, uint32_t flags = 0);
    ~CMapPrefsWnd() override;

    // Sets every box from its byte (the moving-flag box shows moves that
    // are not animated).
    void OnShow() override;

    CCheckBox* QuickBattlesBox() const { return m_quick; }
    CCheckBox* AutoTaxesBox() const { return m_taxes; }
    CCheckBox* ConfirmsBox() const { return m_confirms; }
    CCheckBox* MovingFlagBox() const { return m_moving; }
    CCheckBox* ReportBox() const { return m_report; }
    CPushButton* OkButton() const { return m_btnOk; }
    CPushButton* CancelButton() const { return m_btnCancel; }

private:
    void OnOk(CWindow*, intptr_t);
    void OnCancel(CWindow*, intptr_t);

    CCheckBox* m_quick = nullptr;
    CCheckBox* m_taxes = nullptr;
    CCheckBox* m_confirms = nullptr;
    CCheckBox* m_moving = nullptr;
    CCheckBox* m_report = nullptr;
    CPushButton* m_btnOk = nullptr;
    CPushButton* m_btnCancel = nullptr;
};
