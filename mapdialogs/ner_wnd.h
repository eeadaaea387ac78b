#pragma once
// CNERWnd: the notice that the player cannot pay for a covert operation
// (assassination, robbery or scouting). It shows the cost and one of three
// messages and has only a close button.

#include <cstdint>

#include "ui/frame_wnd.h"

class CPushButton;
class CResWnd;
class CTextWnd;
struct NotEnoughResourcesArgs;

class CNERWnd : public CFrameWnd {
public:
    CNERWnd(CWindow* parent, const CStr& path);
    ~CNERWnd() override;

    void Setup(NotEnoughResourcesArgs* request);
    void OnClose(CWindow*, intptr_t);

    CResWnd* Cost() const { return m_cost; }
    CTextWnd* Message() const { return m_message; }
    CPushButton* CloseButton() const { return m_close; }

private:
    CResWnd* m_cost = nullptr;
    CTextWnd* m_message = nullptr;
    CPushButton* m_close = nullptr;
};
