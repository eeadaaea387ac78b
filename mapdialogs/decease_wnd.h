#pragma once
// The assassination windows: the question, in which the player chooses how
// many raiders to send and sees the chance and the cost, and the two notices
// of the outcome.

#include <cstdint>

#include "mapdialogs/covert_notice_wnd.h"
#include "ui/frame_wnd.h"

class CIconWnd;
class CItemListWnd;
class CLabel;
class CPushButton;
class CResWnd;
class CTextWnd;
class CValueScroller;
struct DeceaseRequestArgs;
struct DeceaseResultArgs;

class CDeceaseWnd : public CFrameWnd {
public:
    CDeceaseWnd(CWindow* parent, const CStr& path, bool load = true);
    ~CDeceaseWnd() override;

    void Setup(DeceaseRequestArgs* request);
    void OnRaidersChanged(CValueScroller* scroller);
    void OnOk(CWindow*, intptr_t);
    void OnCancel(CWindow*, intptr_t);

    DeceaseRequestArgs* Request() const { return m_request; }
    CTextWnd* Province() const { return m_province; }
    CTextWnd* Player() const { return m_player; }
    CValueScroller* Raiders() const { return m_raiders; }
    CTextWnd* Chance() const { return m_chance; }
    CTextWnd* Cost() const { return m_cost; }
    CResWnd* Treasury() const { return m_treasury; }
    CPushButton* OkButton() const { return m_ok; }
    CPushButton* CancelButton() const { return m_cancel; }

private:
    DeceaseRequestArgs* m_request = nullptr;
    CIconWnd* m_background = nullptr;
    CTextWnd* m_province = nullptr;
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

class CDeceaseFailureWnd : public CCovertNoticeWnd {
public:
    CDeceaseFailureWnd(CWindow* parent, const CStr& path, bool load = true);
};

class CDeceaseSuccessWnd : public CCovertNoticeWnd {
public:
    CDeceaseSuccessWnd(CWindow* parent, const CStr& path, bool load = true);
    void Setup(DeceaseResultArgs* result);
};
