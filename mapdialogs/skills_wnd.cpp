#include "mapdialogs/skills_wnd.h"

#include "mapdialogs/dialog_controls.h"
#include "ui/button.h"
#include "ui/child_path.h"
#include "ui/markup_wnd.h"
#include "ui/text_format.h"
#include "ui/value_scroller.h"
#include "ui/window_mgr.h"

namespace {
// A skill is a byte: a scroller that went past 255 would hand back a
// wrapped, lower skill.
int32_t CappedSkill(int32_t value)
{
    return value > 255 ? 255 : value;
}
}  // namespace

CSkillsWnd::CSkillsWnd(CWindow* parent, const CStr& layoutName, bool load)
    : CFrameWnd(parent, DialogLayoutPath(layoutName), load)
{
    const CStr& path = m_link.Path();
    auto text = [&](const char* name) { return new CTextWnd(this, ChildPath(path, name), true); };
    auto scroller = [&](const char* name) { return new CValueScroller(this, ChildPath(path, name), true); };
    m_rtHero = text("RtHero");
    m_rtLevel = text("RtLevel");
    m_rtExp = text("RtExp");
    m_rtSkill[0] = text("RtBattle");
    m_scr[0] = scroller("ScrBattle");
    m_rtSkill[1] = text("RtBuilder");
    m_scr[1] = scroller("ScrBuilder");
    m_rtSkill[2] = text("RtStealth");
    m_scr[2] = scroller("ScrStealth");
    m_rtPtLeft = text("RtPtLeft");
    m_btnOk = new CPushButton(this, ChildPath(path, "BtnOk"), true);
    m_btnCancel = new CPushButton(this, ChildPath(path, "BtnCancel"), true);
    m_btnOk->BindHandler(HandlerClick, this, &CSkillsWnd::OnOk);
    m_btnCancel->BindHandler(HandlerClick, this, &CSkillsWnd::OnCancel);
    for (CValueScroller* skill : m_scr)
        skill->valueChanged.Bind(this, &CSkillsWnd::OnSkillChanged);
}

CSkillsWnd::~CSkillsWnd()
{
    PrepareDestroy();
}

void CSkillsWnd::Setup(SkillsRequest* record)
{
    m_record = record;
    if (m_record == nullptr)
        return;
    FormatTextControl(m_rtHero, m_record->name);
    FormatTextControl(m_rtLevel, static_cast<long>(static_cast<int16_t>(m_record->level)));
    FormatTextControl(m_rtExp, static_cast<long>(m_record->experience),
                      static_cast<long>(m_record->nextLevelAt));
    for (int i = 0; i < 3; ++i)
        m_scr[i]->SetMin(m_record->skills[i], false);
    // A record cannot hand out negative points: they would lower the skills
    // below their values on entry.
    m_pointsLeft = m_record->pendingLevelUps > 0 ? m_record->pendingLevelUps : 0;
    m_btnOk->Enable(m_pointsLeft >= 1, true);
    for (int i = 0; i < 3; ++i)
        m_scr[i]->SetMax(CappedSkill(m_record->skills[i] + m_pointsLeft), false);
    for (int i = 0; i < 3; ++i)
        m_scr[i]->SetValue(m_record->skills[i], true, true);
}

void CSkillsWnd::OnSkillChanged(CValueScroller*)
{
    if (m_record == nullptr)
        return;
    const int32_t points = m_record->pendingLevelUps > 0 ? m_record->pendingLevelUps : 0;
    int32_t total = points;
    for (int i = 0; i < 3; ++i)
        total += m_record->skills[i] - m_scr[i]->Value();
    m_pointsLeft = total;
    for (CValueScroller* skill : m_scr)
        skill->SetMax(CappedSkill(skill->Value() + m_pointsLeft), true);
    FormatTextControl(m_rtPtLeft, static_cast<long>(m_pointsLeft));
}

void CSkillsWnd::OnOk(CWindow*, intptr_t)
{
    if (m_record != nullptr) {
        for (int i = 0; i < 3; ++i)
            m_record->skills[i] = static_cast<uint8_t>(m_scr[i]->Value() & 0xFF);
        m_record->confirmed = 1;
    }
    SetModalResult(ResultOk);
    EndModal(this);
}

void CSkillsWnd::OnCancel(CWindow*, intptr_t)
{
    if (m_record != nullptr)
        m_record->confirmed = 0;
    SetModalResult(ResultCancel);
    EndModal(this);
}
