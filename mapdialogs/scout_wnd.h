#pragma once
// The scouting windows: the question, which shows the target, the chance and
// the cost, and the two notices of the outcome; a success shows the
// province's guardian army and its castle.

#include <cstdint>

#include "mapdialogs/covert_notice_wnd.h"
#include "ui/dialog.h"

class CCastleWnd;
class CIconWnd;
class CItemListWnd;
class CLabel;
class CPushButton;
class CTextWnd;
struct ScoutRequestArgs;
struct ScoutResultArgs;

class CScoutWnd : public CDialog {
public:
    CScoutWnd(CWindow* parent, const CStr& path, bool load = true);
    ~CScoutWnd() override;

    void Setup(ScoutRequestArgs* request);
    void OnOk(CWindow*, intptr_t);
    void OnCancel(CWindow*, intptr_t);

    ScoutRequestArgs* Request() const { return m_request; }
    CTextWnd* Province() const { return m_province; }
    CTextWnd* Player() const { return m_player; }
    CTextWnd* Chance() const { return m_chance; }
    CTextWnd* Cost() const { return m_cost; }
    CPushButton* OkButton() const { return m_ok; }
    CPushButton* CancelButton() const { return m_cancel; }

private:
    ScoutRequestArgs* m_request = nullptr;
    CIconWnd* m_background = nullptr;
    CTextWnd* m_province = nullptr;
    CLabel* m_ownerLabel = nullptr;
    CTextWnd* m_player = nullptr;
    CTextWnd* m_chance = nullptr;
    CLabel* m_costLabel = nullptr;
    CTextWnd* m_cost = nullptr;
    CPushButton* m_ok = nullptr;
    CPushButton* m_cancel = nullptr;
};

// Both results carry the province name first; a failure nothing else.
class CScoutFailureWnd : public CCovertNoticeWnd {
public:
    CScoutFailureWnd(CWindow* parent, const CStr& path, bool load = true);
    void Setup(ScoutResultArgs* result);
};

class CScoutSuccessWnd : public CCovertNoticeWnd {
public:
    CScoutSuccessWnd(CWindow* parent, const CStr& path, bool load = true);
    void Setup(ScoutResultArgs* result);
    CCastleWnd* CastleControl() const;
};
