#pragma once
// CMessageWnd: the one message box of the screens. A framed box with a
// title, a mark-up text it sizes itself to, up to two buttons and a sound
// played when it shows. Callers create it, call Setup, read the result
// (ModalResult) and delete it.
//
// Button modes and results:
//   0  no buttons; a tap on the box or its text closes it with 1
//   1  "Ok" (1)
//   2  "Ok" (1), "Cancel" (2)
//   3  "Ok" (3), "Cancel" (4): a question told apart from mode 2
//   4  no buttons; the program closes it

#include <cstdint>

#include "ui/button.h"
#include "ui/frame_wnd.h"
#include "ui/markup_wnd.h"

enum MessageMode : uint32_t {
    MessageTapToClose = 0,
    MessageOk = 1,
    MessageOkCancel = 2,
    MessageQuestion = 3,
    MessageNoButtons = 4,
};

enum MessageResult : uint16_t {
    MessageResultOk = 1,
    MessageResultCancel = 2,
    MessageResultYes = 3,
    MessageResultNo = 4,
};

class CMessageWnd : public CFrameWnd {
public:
    // A null parent puts the box under the root screen window.
    explicit CMessageWnd(CWindow* parent);
    ~CMessageWnd() override;

    // text: the mark-up shown; title: a locale key (or a plain text, shown
    // as it is); sound: "" none, "/..." a resource path, else a name in the
    // sounds folder. Modal runs the box until it closes; otherwise it is
    // only shown.
    void Setup(const CStr& text, const CStr& title, uint32_t mode, const CStr& sound, bool modal);

    void OnPenUp(const PackedPoint& point) override;
    void OnShow() override;
    void OnHide() override;

    void OnOk(CWindow* = nullptr, intptr_t = 0);
    void OnCancel(CWindow* = nullptr, intptr_t = 0);
    void Close();

    uint32_t Mode() const { return m_mode; }
    const CStr& SoundPath() const { return m_soundPath; }
    CMarkupWnd* TextWindow() const { return m_text; }
    CPushButton* OkButton() const { return m_ok; }
    CPushButton* CancelButton() const { return m_cancel; }
    uint16_t MinButtonWidth() const { return m_minButtonWidth; }
    uint16_t MaxButtonWidth() const { return m_maxButtonWidth; }
    uint16_t MinTextWidth() const { return m_minTextWidth; }
    uint16_t MinTextHeight() const { return m_minTextHeight; }

private:
    void Layout();
    void OnTextTap(CWindow*, intptr_t);

    uint32_t m_mode = MessageTapToClose;
    CStr m_soundPath;
    CMarkupWnd* m_text = nullptr;
    CPushButton* m_ok = nullptr;
    CPushButton* m_cancel = nullptr;
    uint16_t m_minButtonWidth = 70;
    uint16_t m_maxButtonWidth = 120;
    uint16_t m_minTextWidth = 150;
    uint16_t m_minTextHeight = 50;
    bool m_modal = false;
};

// Tells the person that something they rely on was not written (a full disk,
// a write error) and waits until they close the box with "Ok". The text
// names what was not saved; the title is the locale text of "NotSavedT".
void ShowNotSavedMessage(CWindow* parent, const CStr& text);
