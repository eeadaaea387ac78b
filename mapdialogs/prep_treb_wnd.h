#pragma once
// CPrepTrebWnd: before a human player's army attacks a province whose castle
// still stands, the player is asked to pay for a siege engine. Unlike the
// castle work windows it keeps Ok visible when the player cannot pay, only
// disabled.

#include <cstdint>

#include "ui/dialog.h"

class CIconWnd;
class CPushButton;
class CResWnd;
class CTextWnd;
struct SiegeRequestArgs;

class CPrepTrebWnd : public CDialog {
public:
    CPrepTrebWnd(CWindow* parent, const CStr& path);
    ~CPrepTrebWnd() override;

    void Setup(SiegeRequestArgs* request);
    void OnOk(CWindow*, intptr_t);
    void OnCancel(CWindow*, intptr_t);

    SiegeRequestArgs* Request() const { return m_request; }
    CIconWnd* Background() const { return m_background; }
    CResWnd* Cost() const { return m_cost; }
    CTextWnd* Description() const { return m_descr; }
    CTextWnd* ResourcesLeftText() const { return m_leftText; }
    CResWnd* ResourcesLeft() const { return m_left; }
    CPushButton* OkButton() const { return m_ok; }
    CPushButton* CancelButton() const { return m_cancel; }

private:
    SiegeRequestArgs* m_request = nullptr;
    CIconWnd* m_background = nullptr;
    CResWnd* m_cost = nullptr;
    CTextWnd* m_descr = nullptr;
    CTextWnd* m_leftText = nullptr;
    CResWnd* m_left = nullptr;
    CPushButton* m_ok = nullptr;
    CPushButton* m_cancel = nullptr;
};
