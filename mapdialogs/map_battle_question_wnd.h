#pragma once
// CMapBattleQuestionWnd ("MapBtlAttackWnd" and "MapBtlDefendWnd"): asks a
// human player before a battle on the map. It shows the province, the
// opposing player and both armies, and offers a quick (unwatched) battle in
// its "CbQuick" box, which starts from the quick-battles preference. OK
// ends with 1, Cancel (when offered) with 2; the launcher writes the answer
// and the box's state into the request record.

#include <cstdint>

#include "ui/dialog.h"

class CArmy;
class CButton;
class CCheckBox;
class CIconWnd;
class CItemListWnd;
class CLabel;
class CTextWnd;

class CMapBattleQuestionWnd : public CDialog {
public:
    static constexpr const char* kAttackLayout = "MapBtlAttackWnd";
    static constexpr const char* kDefendLayout = "MapBtlDefendWnd";

    CMapBattleQuestionWnd(CWindow* parent, const CStr& path);
    ~CMapBattleQuestionWnd() override;

    // textVariant selects the province line's second template (a castle).
    void Setup(const CStr& provinceName, const CStr& playerName, const CArmy* attacking,
               const CArmy* defending, bool cancelAllowed, uint8_t textVariant);
    bool IsQuickChecked() const;

    CTextWnd* ProvinceText() const { return m_province; }
    CTextWnd* PlayerText() const { return m_player; }
    CItemListWnd* InvadeList() const { return m_invade; }
    CItemListWnd* GuardList() const { return m_guard; }
    CCheckBox* QuickBox() const { return m_quick; }
    CButton* OkButton() const { return m_ok; }
    CButton* CancelButton() const { return m_cancel; }

private:
    void OnOk(CWindow*, intptr_t);
    void OnCancel(CWindow*, intptr_t);

    CIconWnd* m_background = nullptr;
    CTextWnd* m_province = nullptr;
    CTextWnd* m_player = nullptr;
    CLabel* m_lblInvade = nullptr;
    CItemListWnd* m_invade = nullptr;
    CLabel* m_lblGuard = nullptr;
    CItemListWnd* m_guard = nullptr;
    CCheckBox* m_quick = nullptr;
    CButton* m_ok = nullptr;
    CButton* m_cancel = nullptr;
};
