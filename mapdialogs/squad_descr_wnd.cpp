#include "mapdialogs/squad_descr_wnd.h"

#include <new>

#include "core/path_mgr.h"
#include "core/ui_mgr.h"
#include "game/squad_type.h"
#include "mapdialogs/dialog_controls.h"
#include "ui/button.h"
#include "ui/child_path.h"
#include "ui/label.h"
#include "ui/markup_wnd.h"
#include "ui/window_mgr.h"

namespace {

CStr Number(int32_t value)
{
    CStr text;
    text.Format("%ld", static_cast<long>(value));
    return text;
}

void SetLabel(CLabel* label, const CStr& text)
{
    if (label != nullptr)
        label->SetText(text, true);
}

}  // namespace

SquadStatTexts MakeSquadStatTexts(const CSquadType& type)
{
    SquadStatTexts texts;
    texts.melee = Number(type.meleeAttack & 0x0F);
    const int32_t ranged = type.rangedAttack & 0x0F;
    texts.ranged = ranged != 0 ? Number(ranged) : CStr("-");
    texts.hitPoints = Number(type.hp);
    texts.moveSpeed = Number(type.moveSpeed);
    texts.extras = type.extras.IsEmpty() ? LocaleText("NoExtras") : type.extras;
    return texts;
}

// ---- CSquadDescrWnd ----

CSquadDescrWnd::CSquadDescrWnd(CWindow* parent, const CStr& layoutPath)
    : CFrameWnd(parent, DialogLayoutPath(layoutPath), true)
{
    const CStr& path = m_link.Path();
    auto text = [&](const char* name) { return new CTextWnd(this, ChildPath(path, name), true); };
    auto icon = [&](const char* name) { return new CIconWnd(this, ChildPath(path, name), true); };
    auto label = [&](const char* name) { return new CLabel(this, ChildPath(path, name), true); };
    // The background goes first: a later child lies above the ones before
    // it, and the picture must stay under the texts it frames.
    m_bgImage = icon("BgImage");
    m_rtMelee = text("RtMelee");
    m_rtRanged = text("RtRanged");
    m_rtHP = text("RtHP");
    m_rtMoveSpeed = text("RtMoveSpeed");
    m_icoMelee = icon("IcoMelee");
    m_icoRanged = icon("IcoRanged");
    m_icoHP = icon("IcoHP");
    m_icoMoveSpeed = icon("IcoMoveSpeed");
    m_lblMeleeVal = label("LblMeleeVal");
    m_lblRangedVal = label("LblRangedVal");
    m_lblHPVal = label("LblHPVal");
    m_lblMoveSpeedVal = label("LblMoveSpeedVal");
    m_rtExtras = text("RtExtras");
    m_unitImage = icon("UnitImage");
    // The pictures pass their taps to the window, which closes on them too.
    m_bgImage->Enable(false, false);
    m_unitImage->Enable(false, false);
    CWindow* closers[] = {m_rtMelee,   m_rtRanged,        m_rtHP,         m_rtMoveSpeed, m_icoMelee,
                          m_icoRanged, m_icoHP,           m_icoMoveSpeed, m_lblMeleeVal, m_lblRangedVal,
                          m_lblHPVal,  m_lblMoveSpeedVal, m_rtExtras};
    for (CWindow* control : closers)
        control->BindHandler(HandlerPenUp, this, &CSquadDescrWnd::Close);
}

CSquadDescrWnd::~CSquadDescrWnd()
{
    PrepareDestroy();
}

void CSquadDescrWnd::Setup(const CSquadType* type)
{
    if (type == nullptr)
        return;
    SetText(type->name, true);
    m_unitImage->SetImage(
        CStr::ConcatChars(CStr::Concat(CPathMgr::Path(CPathMgr::kObjectsUnits), type->typeId), "/UnitInfo"),
        true);
    const SquadStatTexts texts = MakeSquadStatTexts(*type);
    m_rtExtras->SetText(texts.extras, true);
    SetLabel(m_lblMeleeVal, texts.melee);
    SetLabel(m_lblRangedVal, texts.ranged);
    SetLabel(m_lblHPVal, texts.hitPoints);
    SetLabel(m_lblMoveSpeedVal, texts.moveSpeed);
}

void CSquadDescrWnd::OnPenUp(const PackedPoint& point)
{
    WindowGuard guard(this);
    CWindow::OnPenDown(point);
    if (guard.Alive())
        EndModal(this);
}

void CSquadDescrWnd::OnShow()
{
    CFrameWnd::OnShow();
    // Every stylus event comes here while the description is up, so a tap
    // anywhere closes it.
    CWindowMgr::PushCapture(this);
}

void CSquadDescrWnd::OnHide()
{
    CWindowMgr::RemoveCapture(this);
    CFrameWnd::OnHide();
}

void CSquadDescrWnd::Close(CWindow*, intptr_t)
{
    EndModal(this);
}

// ---- CSquadStatsPanel ----

CSquadStatsPanel::CSquadStatsPanel(CWindow* parent, const CStr& layoutPath)
    : CFrameWnd(parent, DialogLayoutPath(layoutPath), true)
{
    const CStr& path = m_link.Path();
    auto text = [&](const char* name) { return new CTextWnd(this, ChildPath(path, name), true); };
    auto icon = [&](const char* name) { return new CIconWnd(this, ChildPath(path, name), true); };
    auto label = [&](const char* name) { return new CLabel(this, ChildPath(path, name), true); };
    m_lblName = label("LblName");
    m_lblMelee = text("LblMelee");
    m_lblRanged = text("LblRanged");
    m_lblHP = text("LblHP");
    m_lblMoveSpeed = text("LblMoveSpeed");
    m_icoMelee = icon("IcoMelee");
    m_icoRanged = icon("IcoRanged");
    m_icoHP = icon("IcoHP");
    m_icoMoveSpeed = icon("IcoMoveSpeed");
    m_lblMeleeVal = label("LblMeleeVal");
    m_lblRangedVal = label("LblRangedVal");
    m_lblHPVal = label("LblHPVal");
    m_lblMoveSpeedVal = label("LblMoveSpeedVal");
    m_rtExtras = new CMarkupWnd(this, ChildPath(path, "RtExtras"), true);
}

CSquadStatsPanel::~CSquadStatsPanel()
{
    PrepareDestroy();
}

void CSquadStatsPanel::SetSquadType(const CSquadType* type)
{
    if (type == nullptr)
        return;
    SetLabel(m_lblName, type->name);
    const SquadStatTexts texts = MakeSquadStatTexts(*type);
    m_rtExtras->SetText(texts.extras, true);
    SetLabel(m_lblMeleeVal, texts.melee);
    SetLabel(m_lblRangedVal, texts.ranged);
    SetLabel(m_lblHPVal, texts.hitPoints);
    SetLabel(m_lblMoveSpeedVal, texts.moveSpeed);
}
