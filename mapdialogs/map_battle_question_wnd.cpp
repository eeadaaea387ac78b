#include "mapdialogs/map_battle_question_wnd.h"

#include "core/preferences.h"
#include "game/army.h"
#include "mapdialogs/item_list_wnd.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/child_path.h"
#include "ui/label.h"
#include "ui/markup_wnd.h"
#include "ui/window_mgr.h"

namespace {

// The quick-battles option is the first of the map options.
constexpr int kQuickBattlesOption = 0;

// A text control's template, formatted with one string.
void ShowTemplate(CTextWnd* text, int32_t index, const CStr& value)
{
    CStr format;
    if (!text->GetString(index, format))
        return;
    CStr line;
    line.Format(format.Chars(), value);
    text->SetText(line, true);
}

void ShowArmy(CItemListWnd* list, const CArmy* army)
{
    if (army != nullptr) {
        // A squad without units is nothing to fight with or against, even
        // with hit points left over.
        list->options |= ItemListHideEmpty;
        list->Fill(*army, SquadFaceLeft, true, false, false);
    } else {
        list->Clear(true);
    }
}

}  // namespace

CMapBattleQuestionWnd::CMapBattleQuestionWnd(CWindow* parent, const CStr& path) : CDialog(parent, path, true)
{
    const CStr node = BindLayoutNode(m_link);
    m_background = new CIconWnd(this, ChildPath(node, "IcoBg"));
    m_province = new CTextWnd(this, ChildPath(node, "RtProvince"), true);
    m_player = new CTextWnd(this, ChildPath(node, "RtPlayer"), true);
    m_lblInvade = new CLabel(this, ChildPath(node, "LblInvade"), true);
    m_invade = new CItemListWnd(this, ChildPath(node, "ArmyInvade"));
    m_lblGuard = new CLabel(this, ChildPath(node, "LblGuard"), true);
    m_guard = new CItemListWnd(this, ChildPath(node, "ArmyGuard"));
    m_quick = new CCheckBox(this, ChildPath(node, "CbQuick"), true);
    m_ok = new CButton(this, ChildPath(node, "BtnOk"), true);
    m_cancel = new CButton(this, ChildPath(node, "BtnCancel"), true);
    // A centred caption keeps the box against it (the box aligned to its
    // box's far end); the face is laid out again.
    m_quick->SetTextAlign(AlignCentre, false);
    m_ok->BindHandler(HandlerClick, this, &CMapBattleQuestionWnd::OnOk);
    m_cancel->BindHandler(HandlerClick, this, &CMapBattleQuestionWnd::OnCancel);
}

CMapBattleQuestionWnd::~CMapBattleQuestionWnd()
{
    PrepareDestroy();
}

void CMapBattleQuestionWnd::Setup(const CStr& provinceName, const CStr& playerName, const CArmy* attacking,
                                  const CArmy* defending, bool cancelAllowed, uint8_t textVariant)
{
    ShowTemplate(m_province, textVariant != 0 ? 1 : 0, provinceName);
    ShowTemplate(m_player, 0, playerName);
    ShowArmy(m_invade, attacking);
    ShowArmy(m_guard, defending);
    m_cancel->Show(cancelAllowed, true);
    m_quick->SetChecked(PrefMapOptions[kQuickBattlesOption] != 0, true);
}

bool CMapBattleQuestionWnd::IsQuickChecked() const
{
    return m_quick->IsDrawnDown();
}

void CMapBattleQuestionWnd::OnOk(CWindow*, intptr_t)
{
    SetModalResult(ResultOk);
    EndModal(this);
}

void CMapBattleQuestionWnd::OnCancel(CWindow*, intptr_t)
{
    SetModalResult(ResultCancel);
    EndModal(this);
}
