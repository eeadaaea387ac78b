#pragma once
// The robbery windows: the question, in which the player chooses how many
// raiders to send against a victim's treasury, and the three notices of the
// outcome (nothing to take, failure, success).

#include <cstdint>

#include "mapdialogs/covert_notice_wnd.h"
#include "ui/frame_wnd.h"

class CIconWnd;
class CLabel;
class CPushButton;
class CResWnd;
class CTextWnd;
class CValueScroller;
struct RobberyRequestArgs;
struct RobberyResultArgs;

class CRobberyWnd : public CFrameWnd {
public:
    CRobberyWnd(CWindow* parent, const CStr& path, bool load = true);
    ~CRobberyWnd() override;

    void Setup(RobberyRequestArgs* request);
    void OnRaidersChanged(CValueScroller* scroller);
    void OnOk(CWindow*, intptr_t);
    void OnCancel(CWindow*, intptr_t);

    RobberyRequestArgs* Request() const { return m_request; }
    CTextWnd* Player() const { return m_player; }
    CValueScroller* Raiders() const { return m_raiders; }
    CTextWnd* Chance() const { return m_chance; }
    CTextWnd* Cost() const { return m_cost; }
    CResWnd* Treasury() const { return m_treasury; }
    CPushButton* OkButton() const { return m_ok; }
    CPushButton* CancelButton() const { return m_cancel; }

private:
    RobberyRequestArgs* m_request = nullptr;
    CIconWnd* m_background = nullptr;
    CTextWnd* m_player = nullptr;
    CLabel* m_raidersLabel = nullptr;
    CIconWnd* m_raidersIcon = nullptr;
    CValueScroller* m_raiders = nullptr;
    CLabel* m_chanceLabel = nullptr;
    CTextWnd* m_chance = nullptr;
    CLabel* m_costLabel = nullptr;
    CTextWnd* m_cost = nullptr;
    CLabel* m_treasuryLabel = nullptr;
    CResWnd* m_treasury = nullptr;
    CPushButton* m_ok = nullptr;
    CPushButton* m_cancel = nullptr;
};

class CRobberyEmptyWnd : public CCovertNoticeWnd {
public:
    CRobberyEmptyWnd(CWindow* parent, const CStr& path, bool load = true);
    void Setup(RobberyResultArgs* result);
};

class CRobberyFailureWnd : public CCovertNoticeWnd {
public:
    CRobberyFailureWnd(CWindow* parent, const CStr& path, bool load = true);
};

class CRobberySuccessWnd : public CCovertNoticeWnd {
public:
    CRobberySuccessWnd(CWindow* parent, const CStr& path, bool load = true);
    void Setup(RobberyResultArgs* result);
};
