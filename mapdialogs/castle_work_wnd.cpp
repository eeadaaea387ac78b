#include "mapdialogs/castle_work_wnd.h"

#include <cstring>
#include <new>

#include "game/resource_bundle.h"
#include "mapdialogs/dialog_children.h"
#include "players/request_records.h"
#include "ui/button.h"
#include "ui/markup_wnd.h"
#include "ui/res_wnd.h"
#include "ui/text_format.h"
#include "ui/window_mgr.h"

namespace {

const char* const kBuildControls[] = {"IcoBg",   "ResCost", "RtMessage", "RtResLeft",
                                      "ResLeft", "BtnOk",   "BtnCancel", nullptr};
const char* const kCompleteControls[] = {"RtCaption", "ResCost",   "RtResLeft", "ResLeft",
                                         "BtnOk",     "BtnCancel", nullptr};
const char* const kRepairControls[] = {"RtAmount", "ResCost",   "RtResLeft", "ResLeft",
                                       "BtnOk",    "BtnCancel", nullptr};
const char* const kWorkControls[] = {"ResCost", "RtDescr", "RtMessage", "RtResLeft",
                                     "ResLeft", "BtnOk",   "BtnCancel", nullptr};
const char* const kDemolishControls[] = {"LblResGain", "ResGain", "RtMessage", "BtnOk", "BtnCancel", nullptr};

const CastleWorkLayout kLayouts[MemberCount] = {
    {"BuildCastleWnd", kBuildControls, "RtMessage", 1},
    {"CompleteCastleWnd", kCompleteControls, "RtCaption", 2},
    {"RepairCastleWnd", kRepairControls, "RtAmount", 1},
    {"DigMoatWnd", kWorkControls, "RtMessage", 1},
    {"AddCatapultWnd", kWorkControls, "RtMessage", 1},
    {"AddWallsWnd", kWorkControls, "RtMessage", 1},
    {"AddBuildingWnd", kWorkControls, "RtMessage", 1},
    {"DemolishCastleWnd", kDemolishControls, nullptr, 0},
};

// The place of a building in the description and refusal strings.
int32_t BuildingIndex(uint32_t bit)
{
    switch (bit) {
    case 0x01:
        return 0;  // market
    case 0x04:
        return 1;  // tavern
    case 0x02:
        return 2;  // bank
    case 0x08:
        return 3;  // guild
    case 0x10:
        return 4;  // metal mine
    case 0x20:
        return 5;  // stone mine
    default:
        return -1;
    }
}

}  // namespace

const CastleWorkLayout& CastleWorkLayoutOf(CastleWorkMember member)
{
    return kLayouts[member >= 0 && member < MemberCount ? member : MemberBuildCastle];
}

void ShowResourceAmounts(CResWnd* control, const CResourceBundle& bundle, bool redraw)
{
    if (control == nullptr)
        return;
    const int32_t count = bundle.Count();
    CStr* codes = new (std::nothrow) CStr[static_cast<size_t>(count > 0 ? count : 1)];
    int32_t* amounts = new (std::nothrow) int32_t[static_cast<size_t>(count > 0 ? count : 1)];
    if (codes != nullptr && amounts != nullptr) {
        for (int32_t i = 0; i < count; ++i) {
            codes[i] = ResourceKindName(i);
            amounts[i] = bundle[i];
        }
        control->SetAmounts(codes, amounts, count, redraw);
    }
    delete[] codes;
    delete[] amounts;
}

CCastleWorkWnd::CCastleWorkWnd(CWindow* parent, const CStr& path, CastleWorkMember member)
    : CFrameWnd(parent, path, true), m_member(member)
{
    const CastleWorkLayout& layout = CastleWorkLayoutOf(member);
    int32_t count = 0;
    while (layout.controls[count] != nullptr)
        ++count;
    m_children = new (std::nothrow) Child[static_cast<size_t>(count)];
    if (m_children == nullptr)
        return;
    m_childCount = count;
    {
        DialogNodeScope scope(path);
        for (int32_t i = 0; i < count; ++i) {
            m_children[i] = Child{layout.controls[i], nullptr, -1};
            if (scope.Entered())
                m_children[i].window = CreateNamedControl(this, layout.controls[i]);
        }
    }
    if (CWindow* ok = Control("BtnOk"))
        ok->BindHandler(HandlerClick, this, &CCastleWorkWnd::OnOk);
    if (CWindow* cancel = Control("BtnCancel"))
        cancel->BindHandler(HandlerClick, this, &CCastleWorkWnd::OnCancel);
}

CCastleWorkWnd::~CCastleWorkWnd()
{
    PrepareDestroy();
    delete[] m_children;
}

CCastleWorkWnd::Child* CCastleWorkWnd::FindChild(const char* name) const
{
    for (int32_t i = 0; i < m_childCount; ++i) {
        if (std::strcmp(m_children[i].name, name) == 0)
            return &m_children[i];
    }
    return nullptr;
}

CWindow* CCastleWorkWnd::Control(const char* name) const
{
    const Child* child = FindChild(name);
    return child != nullptr ? child->window : nullptr;
}

CResWnd* CCastleWorkWnd::ResControl(const char* name) const
{
    CWindow* w = Control(name);
    return w != nullptr ? static_cast<CResWnd*>(w->QueryInterface(IidResWnd)) : nullptr;
}

CTextWnd* CCastleWorkWnd::TextControl(const char* name) const
{
    CWindow* w = Control(name);
    return w != nullptr ? static_cast<CTextWnd*>(w->QueryInterface(IidTextWnd)) : nullptr;
}

CPushButton* CCastleWorkWnd::OkButton() const
{
    CWindow* w = Control("BtnOk");
    return w != nullptr ? static_cast<CPushButton*>(w->QueryInterface(IidPushButton)) : nullptr;
}

CPushButton* CCastleWorkWnd::CancelButton() const
{
    CWindow* w = Control("BtnCancel");
    return w != nullptr ? static_cast<CPushButton*>(w->QueryInterface(IidPushButton)) : nullptr;
}

int32_t CCastleWorkWnd::ShownString(const char* name) const
{
    const Child* child = FindChild(name);
    return child != nullptr ? child->shownString : -1;
}

void CCastleWorkWnd::ShowString(const char* name, int32_t index)
{
    Child* child = FindChild(name);
    CTextWnd* text = TextControl(name);
    if (child == nullptr || text == nullptr)
        return;
    // An index past the control's list leaves its text as it is.
    if (index < 0 || index >= text->StringCount())
        return;
    text->ShowString(index, true);
    child->shownString = index;
}

void CCastleWorkWnd::Setup(CastleWorkRequestArgs* request)
{
    m_request = request;
    if (request == nullptr)
        return;
    ShowResourceAmounts(ResControl("ResCost"), request->price, true);
    const bool building = m_member == MemberAddBuilding;
    const int32_t place = building ? BuildingIndex(request->building) : -1;
    if (building)
        ShowString("RtDescr", place);
    const CastleWorkLayout& layout = CastleWorkLayoutOf(m_member);
    if (layout.messageControl != nullptr) {
        CTextWnd* message = TextControl(layout.messageControl);
        if (layout.messageArguments == 2) {
            FormatTextControl(message, static_cast<int32_t>(request->turns),
                              static_cast<int32_t>(request->secondCount));
        } else {
            FormatTextControl(message, static_cast<int32_t>(request->turns));
        }
    }
    CWindow* left = Control("ResLeft");
    CWindow* ok = Control("BtnOk");
    if (request->affordable) {
        ShowString("RtResLeft", 0);
        ShowResourceAmounts(ResControl("ResLeft"), request->remaining, true);
        if (left != nullptr)
            left->Show(true, false);
        if (ok != nullptr)
            ok->Show(true, false);
    } else {
        // A building's refusal names the building; an unknown one gets the
        // market's, so the window still says the resources do not suffice.
        ShowString("RtResLeft", building ? 1 + (place >= 0 ? place : 0) : 1);
        if (left != nullptr)
            left->Show(false, false);
        if (ok != nullptr)
            ok->Show(false, false);
    }
    Invalidate();
}

void CDemolishCastleWnd::Setup(CastleWorkRequestArgs* request)
{
    m_request = request;
    if (request == nullptr)
        return;
    ShowResourceAmounts(ResControl("ResGain"), request->price, true);
}

void CCastleWorkWnd::OnOk(CWindow*, intptr_t)
{
    if (m_request != nullptr)
        m_request->confirmed = 1;
    SetModalResult(ResultOk);
    EndModal(this);
}

void CCastleWorkWnd::OnCancel(CWindow*, intptr_t)
{
    if (m_request != nullptr)
        m_request->confirmed = 0;
    SetModalResult(ResultCancel);
    EndModal(this);
}
