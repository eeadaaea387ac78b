#include "ui/message_wnd.h"

#include <algorithm>

#include "core/core_main.h"
#include "core/path_mgr.h"
#include "core/resource_mgr.h"
#include "core/sound_data.h"
#include "core/sound_mgr.h"
#include "core/ui_mgr.h"
#include "core/ui_tree.h"
#include "ui/inks.h"
#include "ui/layout_box.h"
#include "ui/ui_link.h"
#include "ui/window_mgr.h"

namespace {

// Where the box's tuning values and its buttons' layout live.
constexpr const char* kMessageNode = "/Main/MessageWnd";
constexpr const char* kButtonNode = "/Main/MessageWnd/Btn";
// A button whose layout gives no usable height gets this one.
constexpr int16_t kFallbackButtonHeight = 30;
// Room the buttons leave above themselves.
constexpr int16_t kButtonTop = 5;

}  // namespace

CMessageWnd::CMessageWnd(CWindow* parent) : CFrameWnd(parent, CStr(), false)
{
    CUiTree& tree = CUIMgr::Tree();
    if (tree.ResolvePath(kMessageNode) && tree.SelectedNode() >= 0) {
        m_minButtonWidth = static_cast<uint16_t>(tree.ReadValue());
        m_maxButtonWidth = static_cast<uint16_t>(tree.ReadValue());
        m_minTextWidth = static_cast<uint16_t>(tree.ReadValue());
        m_minTextHeight = static_cast<uint16_t>(tree.ReadValue());
    }
    m_text = new CMarkupWnd(this, CStr(), false);
    m_text->foreground = kInkOnDark;
    m_ok = new CPushButton(this, CStr(), false);
    m_cancel = new CPushButton(this, CStr(), false);
    SetSkin(CStr("Scroll"), false);
    for (CPushButton* button : {m_ok, m_cancel}) {
        button->Link().SetPath(CStr(kButtonNode));
        button->LoadLayout(false);
    }
    m_ok->BindHandler(HandlerClick, this, &CMessageWnd::OnOk);
    m_cancel->BindHandler(HandlerClick, this, &CMessageWnd::OnCancel);
}

CMessageWnd::~CMessageWnd()
{
    PrepareDestroy();
}

void CMessageWnd::Setup(const CStr& text, const CStr& title, uint32_t mode, const CStr& sound, bool modal)
{
    titleColour = 15;
    Invalidate(UndefinedRect, true);

    CStr titleText;
    GetLocaleText(title.Chars(), titleText);
    SetText(titleText, false);

    m_text->SetAnchorMode(AnchorFullWidth);
    if (m_text->RequestedRect().IsDefined())
        m_text->SetRect(m_text->RequestedRect(), false);
    m_text->SetAlign(AlignCentre, AlignCentre, false);
    // The text is laid out at the full width the parent offers; the box then
    // shrinks to what the text needs.
    CWindow* parent = GetParent();
    if (parent != nullptr && parent->ClientRect().IsDefined()) {
        PackedRect whole = parent->ClientRect();
        whole.MoveToOrigin();
        SetRect(whole, false);
        PackedRect inside = ClientRect();
        inside.MoveToOrigin();
        m_text->SetRect(inside, false);
    }
    m_text->CWindow::SetText(text, false);

    m_mode = mode;
    {
        ResourceFolderScope folder;
        CResourceMgr::SetCurrentFolder(CPathMgr::Path(CPathMgr::kImagesButtons).Chars());
        if (mode == MessageOk) {
            m_ok->SetImage(CStr("Ok"), false);
        } else if (mode == MessageOkCancel || mode == MessageQuestion) {
            m_cancel->SetImage(CStr("Cancel"), false);
            m_ok->SetImage(CStr("Ok"), false);
        }
    }

    if (sound.IsEmpty()) {
        m_soundPath = CStr();
    } else if (sound.At(0) == '/') {
        m_soundPath = sound;
    } else {
        m_soundPath = CStr::Concat(CPathMgr::Path(CPathMgr::kSounds), sound);
    }

    Layout();

    m_text->Show(true, false);
    BringToFront(true);
    m_modal = modal;
    if (modal) {
        RunModal(this);
    } else {
        Show(true, true);
    }
}

void CMessageWnd::Layout()
{
    int32_t width = std::max<int32_t>(m_text->PageWidth(), m_minTextWidth);
    const int32_t titleWidth = TitleRect().IsDefined() ? TitleRect().Width() : 0;
    width = std::max(width, titleWidth + 10);
    const int32_t height = std::max<int32_t>(m_text->PageHeight(), m_minTextHeight);

    int32_t buttonHeight = m_ok->RequestedRect().IsDefined() ? m_ok->RequestedRect().Height() : 0;
    if (buttonHeight < 5)
        buttonHeight = kFallbackButtonHeight;
    const bool hasButtonRow = m_mode != MessageTapToClose;

    PackedRect box(0, 0, static_cast<int16_t>(width), static_cast<int16_t>(height));
    if (hasButtonRow)
        box.SetBottom(static_cast<int16_t>(box.Bottom() + buttonHeight));
    box.Inflate(Margins());
    box.MoveToOrigin();
    SetAnchorMode(AnchorCentre);
    if (RequestedRect().IsDefined())
        SetRect(RequestedRect(), false);
    SetRect(box, false);

    const int32_t clientWidth = ClientRect().Width();
    int32_t buttonWidth = clientWidth / 3;
    buttonWidth = std::max<int32_t>(buttonWidth, m_minButtonWidth);
    buttonWidth = std::min<int32_t>(buttonWidth, m_maxButtonWidth);
    const int16_t top = kButtonTop;
    const int16_t bottom = static_cast<int16_t>(buttonHeight - 1);

    switch (m_mode) {
    case MessageTapToClose:
        m_text->BindHandler(HandlerPenUp, this, &CMessageWnd::OnTextTap);
        m_ok->Show(false, false);
        m_cancel->Show(false, false);
        break;
    case MessageOk: {
        m_text->SetHandler(HandlerPenUp, nullptr);
        m_cancel->Show(false, false);
        m_ok->SetAnchorMode(AnchorBottom);
        if (m_ok->RequestedRect().IsDefined())
            m_ok->SetRect(m_ok->RequestedRect(), false);
        // Halving rounds toward minus infinity, as an arithmetic shift does.
        const int32_t spare = clientWidth - buttonWidth;
        const int32_t left = spare >= 0 ? spare / 2 : -((-spare + 1) / 2);
        m_ok->SetRect(
            PackedRect(static_cast<int16_t>(left), top, static_cast<int16_t>(left + buttonWidth - 1), bottom),
            false);
        m_ok->Show(true, false);
        break;
    }
    case MessageOkCancel:
    case MessageQuestion: {
        m_text->SetHandler(HandlerPenUp, nullptr);
        const int32_t gap = (clientWidth - 2 * buttonWidth) / 3;
        m_ok->SetAnchorMode(AnchorBottom);
        m_ok->SetRect(
            PackedRect(static_cast<int16_t>(gap), top, static_cast<int16_t>(gap + buttonWidth - 1), bottom),
            false);
        m_ok->Show(true, false);
        m_cancel->SetAnchorMode(AnchorBottomRight);
        if (m_cancel->RequestedRect().IsDefined())
            m_cancel->SetRect(m_cancel->RequestedRect(), false);
        m_cancel->SetRect(
            PackedRect(static_cast<int16_t>(-gap), top, static_cast<int16_t>(-gap + buttonWidth - 1), bottom),
            false);
        m_cancel->Show(true, false);
        break;
    }
    default:
        // A box the program closes must not close on a tap, whatever
        // an earlier set-up of the same box bound to its text.
        m_text->SetHandler(HandlerPenUp, nullptr);
        m_ok->Show(false, false);
        m_cancel->Show(false, false);
        break;
    }

    PackedRect textRect = ClientRect();
    textRect.MoveToOrigin();
    if (hasButtonRow)
        textRect.SetBottom(static_cast<int16_t>(textRect.Bottom() - buttonHeight));
    m_text->SetRect(textRect, false);
}

void CMessageWnd::OnOk(CWindow*, intptr_t)
{
    if (m_mode <= MessageOkCancel) {
        SetModalResult(MessageResultOk);
    } else if (m_mode == MessageQuestion) {
        SetModalResult(MessageResultYes);
    }
    Close();
}

void CMessageWnd::OnCancel(CWindow*, intptr_t)
{
    if (m_mode <= MessageOkCancel) {
        SetModalResult(MessageResultCancel);
    } else if (m_mode == MessageQuestion) {
        SetModalResult(MessageResultNo);
    }
    Close();
}

void CMessageWnd::Close()
{
    if (HasFlag(WndModal)) {
        EndModal(this);
    } else {
        Show(false, false);
    }
}

void CMessageWnd::OnTextTap(CWindow*, intptr_t)
{
    SetModalResult(MessageResultOk);
    Close();
}

void CMessageWnd::OnPenUp(const PackedPoint& point)
{
    WindowGuard guard(this);
    CFrameWnd::OnPenUp(point);
    if (!guard.Alive() || m_mode != MessageTapToClose)
        return;
    SetModalResult(MessageResultOk);
    Close();
}

void CMessageWnd::OnShow()
{
    // The message's own sound takes the place of the frame's show sound.
    if (!m_soundPath.IsEmpty()) {
        SoundData sample;
        if (LoadSound(m_soundPath.Chars(), sample)) {
            CSoundMgr::PlaySound(sample, CSoundMgr::DefaultVolume(), CSoundMgr::DefaultSecondValue());
        }
    }
    CWindow::OnShow();
}

void CMessageWnd::OnHide()
{
    CFrameWnd::OnHide();
}

void ShowNotSavedMessage(CWindow* parent, const CStr& text)
{
    CMessageWnd* box = new CMessageWnd(parent);
    box->Setup(text, CStr("NotSavedT"), MessageOk, CStr("/Sounds/msg_bad"), true);
    delete box;
}
