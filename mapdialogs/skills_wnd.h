#pragma once
// CSkillsWnd ("SkillsWnd"): spends the skill points of a level-up on the
// hero's three skills. A skill never drops below its value on entry, and the
// points move freely between the skills without ever exceeding their total.

#include <cstdint>

#include "players/request_records.h"
#include "ui/frame_wnd.h"

class CPushButton;
class CTextWnd;
class CValueScroller;

class CSkillsWnd : public CFrameWnd {
public:
    CSkillsWnd(CWindow* parent, const CStr& layoutName, bool load);
    ~CSkillsWnd() override;

    void Setup(SkillsRequest* record);
    void OnSkillChanged(CValueScroller* scroller);
    void OnOk(CWindow*, intptr_t);
    void OnCancel(CWindow*, intptr_t);

    int32_t PointsLeft() const { return m_pointsLeft; }
    // 0 battle, 1 builder, 2 stealth.
    CValueScroller* SkillScroller(int skill) const { return m_scr[skill]; }
    CTextWnd* HeroText() const { return m_rtHero; }
    CTextWnd* LevelText() const { return m_rtLevel; }
    CTextWnd* ExperienceText() const { return m_rtExp; }
    CTextWnd* PointsText() const { return m_rtPtLeft; }
    CPushButton* OkButton() const { return m_btnOk; }
    CPushButton* CancelButton() const { return m_btnCancel; }

private:
    SkillsRequest* m_record = nullptr;
    int32_t m_pointsLeft = 0;
    CTextWnd* m_rtHero = nullptr;
    CTextWnd* m_rtLevel = nullptr;
    CTextWnd* m_rtExp = nullptr;
    CTextWnd* m_rtSkill[3] = {};
    CValueScroller* m_scr[3] = {};
    CTextWnd* m_rtPtLeft = nullptr;
    CPushButton* m_btnOk = nullptr;
    CPushButton* m_btnCancel = nullptr;
};
