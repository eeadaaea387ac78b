#include "mapdialogs/transfer_wnd.h"

#include <algorithm>
#include <vector>

#include "core/display_surface.h"
#include "core/path_mgr.h"
#include "game/army.h"
#include "game/game_object.h"
#include "game/game_rules.h"
#include "game/player_record.h"
#include "game/running_game.h"
#include "game/squad_type.h"
#include "mapdialogs/dialog_controls.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/child_path.h"
#include "ui/markup_wnd.h"
#include "ui/scroll_bar.h"
#include "ui/text_format.h"
#include "ui/window_mgr.h"

namespace {

const char* const kLeftNames[CTransferWnd::kRows] = {"BtnSquadL1", "BtnSquadL2", "BtnSquadL3", "BtnSquadL4"};
const char* const kRightNames[CTransferWnd::kRows] = {"BtnSquadR1", "BtnSquadR2", "BtnSquadR3", "BtnSquadR4"};
const char* const kBarNames[CTransferWnd::kRows] = {"ScrTransfer1", "ScrTransfer2", "ScrTransfer3",
                                                    "ScrTransfer4"};

// Below this screen size the squad pictures get a narrow column.
constexpr int32_t kSmallScreen = 199;
constexpr int16_t kWideColumn = 30;
constexpr int16_t kNarrowColumn = 12;

const CSquad* SquadAt(const CArmy* army, int i)
{
    return army != nullptr && i >= 0 && i < army->Count() ? army->Item(i) : nullptr;
}

int32_t CountOf(const CSquad* squad)
{
    return squad != nullptr ? std::max(squad->count, 0) : 0;
}

CStr Number(int32_t value)
{
    CStr text;
    text.Format("%ld", static_cast<long>(value));
    return text;
}

CStr SquadPicture(const CSquad* squad, const char* side)
{
    if (squad == nullptr || squad->type == nullptr)
        return CStr();
    return CStr::ConcatChars(CStr::Concat(CPathMgr::Path(CPathMgr::kObjectsUnits), squad->type->typeId),
                             side);
}

}  // namespace

CTransferWnd::CTransferWnd(CWindow* parent, const CStr& layoutName, bool load)
    : CFrameWnd(parent, DialogLayoutPath(layoutName), load)
{
    const CStr& path = m_link.Path();
    m_left.assign(kRows, nullptr);
    m_right.assign(kRows, nullptr);
    m_bars.assign(kRows, nullptr);
    m_rtCampaign = new CTextWnd(this, ChildPath(path, "RtCampaign"), true);
    m_rtGuardian = new CTextWnd(this, ChildPath(path, "RtGuardian"), true);
    for (int i = 0; i < kRows; ++i)
        m_left[static_cast<size_t>(i)] = new CButtonEx(this, ChildPath(path, kLeftNames[i]));
    for (int i = 0; i < kRows; ++i)
        m_right[static_cast<size_t>(i)] = new CButtonEx(this, ChildPath(path, kRightNames[i]));
    m_frame = new CFrameWnd(this, ChildPath(path, "FrameWnd"), true);
    m_frame->SetFlag(WndRaiseOnPenDown, false);
    for (int i = 0; i < kRows; ++i)
        m_bars[static_cast<size_t>(i)] = new CScrollBar(this, ChildPath(path, kBarNames[i]), true);
    m_btnOk = new CPushButton(this, ChildPath(path, "BtnOk"), true);
    m_btnCancel = new CPushButton(this, ChildPath(path, "BtnCancel"), true);
    m_imgRevolt = new CIconWnd(this, ChildPath(path, "ImgRevolt"), true);

    m_btnOk->BindHandler(HandlerClick, this, &CTransferWnd::OnOk);
    m_btnCancel->BindHandler(HandlerClick, this, &CTransferWnd::OnCancel);
    m_bars[0]->scrolled.Bind(this, &CTransferWnd::OnTransfer1Changed);
    m_bars[1]->scrolled.Bind(this, &CTransferWnd::OnTransfer2Changed);
    m_bars[2]->scrolled.Bind(this, &CTransferWnd::OnTransfer3Changed);
    m_bars[3]->scrolled.Bind(this, &CTransferWnd::OnTransfer4Changed);
}

CTransferWnd::~CTransferWnd()
{
    PrepareDestroy();
}

void CTransferWnd::Setup(TransferRequest* record)
{
    m_record = record;
    m_rowCount = 0;
    if (m_record == nullptr)
        return;
    const CArmy* army = m_record->army;
    const CArmy* garrison = m_record->garrison;
    // Every campaign squad has a delta, also those the window cannot show.
    const size_t squads = army != nullptr ? static_cast<size_t>(army->Count()) : 0;
    if (m_record->deltas.size() < squads)
        m_record->deltas.resize(squads, 0);

    const PlayerRecord* player = CurrentPlayer();
    FormatTextControl(m_rtCampaign, static_cast<long>(player != nullptr ? player->flagNumber + 1 : 1));

    m_rowCount = static_cast<int16_t>(std::min<size_t>(squads, kRows));
    for (int i = 0; i < kRows; ++i) {
        m_left[static_cast<size_t>(i)]->Show(false, false);
        m_right[static_cast<size_t>(i)]->Show(false, false);
        m_bars[static_cast<size_t>(i)]->Window()->Show(false, false);
    }
    int16_t column = kWideColumn;
    if (const CDisplaySurface* display = GetDisplaySurface()) {
        if (std::max(display->Width(), display->Height()) < kSmallScreen)
            column = kNarrowColumn;
    }
    for (int i = 0; i < m_rowCount; ++i) {
        CButtonEx* left = m_left[static_cast<size_t>(i)];
        CButtonEx* right = m_right[static_cast<size_t>(i)];
        CScrollBar* bar = m_bars[static_cast<size_t>(i)];
        const CSquad* own = SquadAt(army, i);
        const CSquad* kept = SquadAt(garrison, i);
        for (CButtonEx* button : {left, right}) {
            button->columnWidth = column;
            button->Invalidate();
            button->SetChecked(false, true);
        }
        left->SetPicture(SquadPicture(own, "/Icon_r"), true);
        left->SetText2(Number(CountOf(own)), true);
        right->SetPicture(SquadPicture(kept != nullptr ? kept : own, "/Icon_l"), true);
        right->SetText2(Number(CountOf(kept)), true);
        if (CountOf(own) == 0 && CountOf(kept) == 0) {
            left->Enable(false, true);
            right->Enable(false, true);
            bar->Window()->Show(false, false);
            bar->Window()->Enable(false, false);
        } else {
            left->Enable(true, true);
            right->Enable(true, true);
            bar->SetMax(CountOf(own) + CountOf(kept), false);
            bar->SetMin(0, false);
            bar->SetPos(CountOf(kept) - m_record->deltas[static_cast<size_t>(i)], true, true);
            bar->Window()->Enable(true, false);
            bar->Window()->Show(true, false);
        }
        left->Show(true, false);
        right->Show(true, false);
    }
    UpdateRevoltImage();
}

void CTransferWnd::OnTransfer1Changed(CScrollBar*)
{
    OnTransferChanged(0);
}
void CTransferWnd::OnTransfer2Changed(CScrollBar*)
{
    OnTransferChanged(1);
}
void CTransferWnd::OnTransfer3Changed(CScrollBar*)
{
    OnTransferChanged(2);
}
void CTransferWnd::OnTransfer4Changed(CScrollBar*)
{
    OnTransferChanged(3);
}

void CTransferWnd::OnTransferChanged(int row)
{
    if (m_record == nullptr || row < 0 || row >= m_rowCount)
        return;
    if (static_cast<size_t>(row) >= m_record->deltas.size())
        return;
    const int32_t own = CountOf(SquadAt(m_record->army, row));
    const int32_t kept = CountOf(SquadAt(m_record->garrison, row));
    const int32_t stay = m_bars[static_cast<size_t>(row)]->Pos();
    const int32_t delta = kept - stay;
    m_record->deltas[static_cast<size_t>(row)] = delta;
    m_left[static_cast<size_t>(row)]->SetText2(Number(own + delta), true);
    m_right[static_cast<size_t>(row)]->SetText2(Number(kept - delta), true);
    UpdateRevoltImage();
}

void CTransferWnd::UpdateRevoltImage()
{
    if (m_record == nullptr)
        return;
    const int16_t chance =
        RevoltChanceOfPlannedTransfer(CurrentPlayer(), m_record->province, m_record->deltas);
    m_imgRevolt->Show(chance > 0, false);
}

void CTransferWnd::OnOk(CWindow*, intptr_t)
{
    if (m_record != nullptr)
        m_record->confirmed = 1;
    SetModalResult(ResultOk);
    EndModal(this);
}

void CTransferWnd::OnCancel(CWindow*, intptr_t)
{
    if (m_record != nullptr)
        m_record->confirmed = 0;
    SetModalResult(ResultCancel);
    EndModal(this);
}
