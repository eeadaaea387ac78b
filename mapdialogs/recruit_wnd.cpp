#include "mapdialogs/recruit_wnd.h"

#include <vector>

#include "core/path_mgr.h"
#include "game/army.h"
#include "game/player_record.h"
#include "game/squad_type.h"
#include "mapdialogs/item_list_wnd.h"
#include "mapdialogs/squad_descr_wnd.h"
#include "players/request_records.h"
#include "ui/button.h"
#include "ui/child_path.h"
#include "ui/label.h"
#include "ui/res_wnd.h"
#include "ui/scroll_bar.h"
#include "ui/window_mgr.h"

namespace {

const char* const kSquadButtonNames[CRecruitWnd::kMaxOffered] = {"SquadBtn1", "SquadBtn2", "SquadBtn3",
                                                                 "SquadBtn4"};

CStr UnitPicturePath(const CSquadType* type, const char* picture)
{
    CStr path = CPathMgr::Path(CPathMgr::kObjectsUnits);
    if (type != nullptr)
        path.Append(type->typeId);
    path.AppendChars(picture);
    return path;
}

void ShowBundle(CResWnd* wnd, const CResourceBundle& bundle)
{
    std::vector<CStr> codes;
    std::vector<int32_t> amounts;
    for (int i = 0; i < bundle.Count(); ++i) {
        codes.push_back(ResourceKindName(i));
        amounts.push_back(bundle[i]);
    }
    wnd->SetAmounts(codes.data(), amounts.data(), static_cast<int32_t>(codes.size()), false);
}

int32_t ValueAt(const std::vector<int32_t>& values, int32_t index)
{
    return index >= 0 && static_cast<size_t>(index) < values.size() ? values[static_cast<size_t>(index)] : 0;
}

}  // namespace

CRecruitWnd::CRecruitWnd(CWindow* parent, const CStr& path) : CFrameWnd(parent, path, true)
{
    const CStr node = BindLayoutNode(m_link);
    m_treasuryWnd = new CResWnd(this, ChildPath(node, "ResTreasury"), true);
    for (const char* name : kSquadButtonNames) {
        auto* button = new CSquadButton(this, ChildPath(node, name), true);
        button->mode = PressToggle;
        // The face is the squad lists' light one: the icon's own dark inks
        // read on it, plain and chosen alike.
        button->BindHandler(HandlerClick, this, &CRecruitWnd::OnSquadClick);
        m_buttons.Add(button);
    }
    m_frame = new CFrameWnd(this, ChildPath(node, "RFrame"), true);
    m_frame->SetFlag(WndRaiseOnPenDown, false);
    m_type = new CLabel(this, ChildPath(node, "LblType"), true);
    m_descr = new CPushButton(this, ChildPath(node, "BtnDescr"));
    m_quantityLabel = new CLabel(this, ChildPath(node, "LblQuantity"), true);
    m_quantity = new CScrollBar(this, ChildPath(node, "SpinQuantity"), true);
    m_unitCostLabel = new CLabel(this, ChildPath(node, "LblUnitCost"), true);
    m_unitCost = new CResWnd(this, ChildPath(node, "ResCost"), true);
    m_ok = new CPushButton(this, ChildPath(node, "BtnOk"));
    m_cancel = new CPushButton(this, ChildPath(node, "BtnCancel"));
    // The costs are not part of composing an army here.
    m_treasuryWnd->Show(false, false);
    m_unitCostLabel->Show(false, false);
    m_unitCost->Show(false, false);
    m_quantity->scrolled.Bind(this, &CRecruitWnd::OnQuantityChanged);
    m_ok->BindHandler(HandlerClick, this, &CRecruitWnd::OnOk);
    m_cancel->BindHandler(HandlerClick, this, &CRecruitWnd::OnCancel);
    m_descr->BindHandler(HandlerClick, this, &CRecruitWnd::OnDescr);
}

CRecruitWnd::~CRecruitWnd()
{
    PrepareDestroy();
    // The buttons are children of the frame; deleting one detaches it, so
    // the frame does not meet it again.
    for (CSquadButton* button : m_buttons)
        delete button;
    m_buttons.SetSize(0);
}

CSquadButton* CRecruitWnd::SquadButton(int32_t index) const
{
    return m_buttons.GetAt(index);
}

void CRecruitWnd::Setup(RecruitRequestArgs* record)
{
    m_record = record;
    if (record == nullptr)
        return;
    m_treasury = record->treasury;
    ShowBundle(m_treasuryWnd, m_treasury);
    const int32_t listed = record->player ? static_cast<int32_t>(record->player->slotTypes.size()) : 0;
    const int32_t squads = record->army ? record->army->Count() : 0;
    // A recruit list longer than the army must not offer squads that are not there.
    int32_t n = listed < kMaxOffered ? listed : kMaxOffered;
    if (n > squads)
        n = squads;
    m_offered = static_cast<int16_t>(n);
    for (int32_t i = 0; i < kMaxOffered; ++i) {
        CSquadButton* button = m_buttons[i];
        if (i < n) {
            const CSquad* squad = record->army->Item(i);
            CSquadIcon& face = button->Face();
            SetSquadIconSquad(face, squad, SquadFaceLeft);
            // The count shown is the one the slider edits.
            face.SetCount(ValueAt(record->counts, i));
            button->Show(true, false);
        } else {
            button->Show(false, false);
        }
    }
    Select(0);
}

void CRecruitWnd::Select(int32_t index)
{
    if (m_record == nullptr || index < 0 || index >= m_offered)
        return;
    m_selected = static_cast<uint8_t>(index);
    for (int32_t i = 0; i < m_offered; ++i)
        m_buttons[i]->SetChecked(i == index, true);
    m_squad = m_record->army->Item(index);
    const CSquadType* type = m_squad->type;
    m_type->SetText(type ? type->name : CStr(), true);
    m_descr->SetImage(UnitPicturePath(type, "/Icon_l"), true);
    if (type != nullptr)
        ShowBundle(m_unitCost, type->cost);
    const int32_t limit = ValueAt(m_record->limits, index);
    m_quantity->SetMin(0, false);
    m_quantity->SetMax(limit < 0 ? 0 : limit, false);
    m_quantity->SetPos(ValueAt(m_record->counts, index), true, true);
    // The slider tells only of positions it has not told before; a count
    // it had to pull into the range must still reach the record.
    if (ValueAt(m_record->counts, index) != m_quantity->Pos())
        OnQuantityChanged(m_quantity);
}

void CRecruitWnd::OnQuantityChanged(CScrollBar* bar)
{
    if (m_record == nullptr || m_selected >= m_offered)
        return;
    const size_t i = m_selected;
    if (m_record->counts.size() <= i)
        m_record->counts.resize(i + 1, 0);
    m_record->counts[i] = bar->Pos();
    CSquadButton* button = m_buttons[m_selected];
    button->Face().SetCount(bar->Pos());
    button->Invalidate();
}

void CRecruitWnd::OnSquadClick(CWindow* button, intptr_t)
{
    for (int32_t i = 0; i < m_offered; ++i) {
        if (m_buttons[i] == button) {
            Select(i);
            return;
        }
    }
}

void CRecruitWnd::OnDescr(CWindow*, intptr_t)
{
    if (m_squad == nullptr || m_squad->type == nullptr)
        return;
    auto* wnd = new CSquadDescrWnd(this, CStr(kSquadDescrLayout));
    wnd->Setup(m_squad->type);
    WindowGuard guard(wnd);
    RunModal(wnd);
    // The window goes with this one when this one is destroyed meanwhile.
    if (guard.Alive())
        delete wnd;
}

void CRecruitWnd::OnOk(CWindow*, intptr_t)
{
    if (m_record != nullptr)
        m_record->confirmed = 1;
    SetModalResult(ResultOk);
    EndModal(this);
}

void CRecruitWnd::OnCancel(CWindow*, intptr_t)
{
    if (m_record != nullptr)
        m_record->confirmed = 0;
    SetModalResult(ResultCancel);
    EndModal(this);
}
