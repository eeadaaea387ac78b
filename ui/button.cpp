#include "ui/button.h"

#include <algorithm>

#include "core/draw_context.h"
#include "core/font.h"
#include "core/path_mgr.h"
#include "core/resource_mgr.h"
#include "core/time_mgr.h"
#include "core/ui_mgr.h"
#include "ui/owner_timer.h"
#include "ui/window_mgr.h"

namespace {

CStr UnderFolder(int slot, const CStr& name)
{
    if (name.IsEmpty() || name.At(0) == '/' || name.At(0) == ':')
        return name;
    return CStr::Concat(CPathMgr::Path(slot), name);
}

int16_t KnownOrZero(int16_t size)
{
    return size == kUnknownSize ? 0 : size;
}

}  // namespace

// ---- CPressable ----

CPressable::CPressable(CWindow* parent, const PackedRect& rect, const CStr& text, bool visible)
    : CWindow(parent, rect, text, visible)
{
    SetEventFlag(WndEventDoubleClick, false);
}

CPressable::~CPressable()
{
    PrepareDestroy();
    delete m_stateHandler;
    m_stateHandler = nullptr;
}

void* CPressable::QueryInterface(int32_t id)
{
    return id == IidPressable ? static_cast<CWindow*>(this) : CWindow::QueryInterface(id);
}

bool CPressable::TakesPresses() const
{
    return mode == PressPush || mode == PressToggle || (mode == PressRadio && !IsChecked());
}

bool CPressable::IsDrawnDown() const
{
    return IsPressed() != IsChecked();
}

void CPressable::SetStateHandler(WindowHandler* handler)
{
    delete m_stateHandler;
    m_stateHandler = handler;
}

void CPressable::OnStateChanged(bool sound)
{
    if (m_stateHandler)
        m_stateHandler->Invoke(this, sound ? 1 : 0);
}

void CPressable::OnPenDown(const PackedPoint& point)
{
    WindowGuard guard(this);
    CWindow::OnPenDown(point);
    if (!guard.Alive())
        return;
    if (TakesPresses()) {
        pressFlags |= PressPressed;
        OnStateChanged(true);
        if (!guard.Alive())
            return;
        Invalidate(UndefinedRect, true);
    }
    // One entry per press, even when a pen-up went missing.
    const int32_t count = CWindowMgr::CaptureCount();
    if (count == 0 || CWindowMgr::CaptureAt(count - 1) != this)
        CWindowMgr::PushCapture(this);
}

void CPressable::OnPenMove(const PackedPoint& point)
{
    if (!HasFlag(WndPenPressed))
        return;
    WindowGuard guard(this);
    const bool inside = point.X() >= 0 && point.Y() >= 0 && point.X() < Width() && point.Y() < Height();
    const bool forward = (pressFlags & PressForwardMoves) != 0;
    if (TakesPresses()) {
        if (inside) {
            if (!IsPressed()) {
                pressFlags |= PressPressed;
                OnStateChanged(true);
                if (!guard.Alive())
                    return;
                Invalidate(UndefinedRect, true);
            }
            if (!forward)
                InvokeHandler(HandlerPenMove, reinterpret_cast<intptr_t>(&point));
        } else if (IsPressed()) {
            pressFlags &= ~PressPressed;
            OnStateChanged(true);
            if (!guard.Alive())
                return;
            Invalidate(UndefinedRect, true);
        }
    }
    if (guard.Alive() && forward)
        InvokeHandler(HandlerPenMove, reinterpret_cast<intptr_t>(&point));
}

void CPressable::OnPenUp(const PackedPoint& point)
{
    if (!HasFlag(WndPenPressed))
        return;
    WindowGuard guard(this);
    CWindowMgr::RemoveCapture(this);
    if (IsPressed()) {
        pressFlags &= ~PressPressed;
        if (mode == PressPush) {
            OnStateChanged(true);
            if (!guard.Alive())
                return;
            Invalidate(UndefinedRect, true);
        } else if (mode == PressToggle || (mode == PressRadio && !IsChecked())) {
            // pressed XOR checked stays the same: the look does not change.
            pressFlags ^= PressChecked;
        }
        CWindow::OnPenUp(point);
        return;
    }
    if (pressFlags & PressReleaseAnywhere) {
        CWindow::OnPenUp(point);
        if (!guard.Alive())
            return;
    }
    SetFlag(WndPenPressed, false);
}

void CPressable::SetChecked(bool checked, bool redraw)
{
    if (IsChecked() == checked)
        return;
    pressFlags = checked ? (pressFlags | PressChecked) : (pressFlags & ~PressChecked);
    WindowGuard guard(this);
    OnStateChanged(false);
    if (guard.Alive() && redraw)
        Invalidate(UndefinedRect, true);
}

void CPressable::SetCheckedRelease(bool checked, bool redraw)
{
    pressFlags &= ~PressPressed;
    SetChecked(checked, redraw);
}

// ---- ButtonCaption ----

void ButtonCaption::SetText(const CStr& text)
{
    m_text = text;
}

void ButtonCaption::Measure()
{
    const FontData& font = SelectFont(0);
    SetOwnSize(MeasureTextWidth(m_text, font), static_cast<int16_t>(MeasureTextHeight(m_text, font)));
}

void ButtonCaption::Draw(CDrawContext& dc, int32_t dx, int32_t dy)
{
    if (m_text.IsEmpty() || !m_position.IsDefined())
        return;
    DrawText(dc, m_position.X() + dx, m_position.Y() + dy, m_text, foreground, 0, true, SelectFont(0));
}

// ---- CButton ----

CButton::CButton(CWindow* parent, const CStr& path, bool load)
    : CPressable(parent, UndefinedRect, CStr(), false),
      m_link(false, path, this),
      m_picture("", kUnknownSize, kUnknownSize),
      m_look(&DefaultButtonSkin().normal),
      m_skin(&DefaultButtonSkin())
{
    m_link.SetLayoutReader(this);
    m_picture.SetAlign(AlignCentre, AlignCentre);
    if (load)
        LoadLayout(false);
}

CButton::~CButton()
{
    PrepareDestroy();
}

void* CButton::QueryInterface(int32_t id)
{
    switch (id) {
    case IidButton:
        return static_cast<CWindow*>(this);
    case IidSkinTarget:
        return static_cast<CSkinTarget*>(this);
    case IidUiTreeLink:
    case IidHintHelpLink:
        return &m_link;
    case IidWindowCanvas:
        return &m_canvas;
    default:
        return CPressable::QueryInterface(id);
    }
}

CStr CButton::ButtonPicturePath(const CStr& name)
{
    return UnderFolder(CPathMgr::kImagesButtons, name);
}

uint32_t CButton::SetSkin(const CStr& name, bool redraw)
{
    // A name that is empty or cached as a frame skin gives no button skin:
    // the button keeps the default look rather than a null skin.
    CButtonSkin* skin = GetButtonSkin(name);
    m_skin = skin ? skin : &DefaultButtonSkin();
    if (!IsEnabled()) {
        m_look = &m_skin->disabled;
    } else {
        m_look = IsDrawnDown() ? &m_skin->pushed : &m_skin->normal;
    }
    WindowGuard guard(this);
    OnSize();
    if (guard.Alive() && redraw)
        Invalidate(UndefinedRect, true);
    return 1;
}

void CButton::OnStateChanged(bool sound)
{
    if (IsDrawnDown()) {
        m_look = &m_skin->pushed;
        if (sound)
            PlaySkinSound(m_skin->push);
    } else {
        m_look = IsEnabled() ? &m_skin->normal : &m_skin->disabled;
        if (sound)
            PlaySkinSound(m_skin->release);
    }
    CPressable::OnStateChanged(sound);
}

void CButton::OnEnable()
{
    m_look = IsDrawnDown() ? &m_skin->pushed : &m_skin->normal;
    CWindow::OnEnable();
}

void CButton::OnDisable()
{
    m_look = &m_skin->disabled;
    CWindow::OnDisable();
}

void CButton::OnPenDown(const PackedPoint& point)
{
    PlaySkinSound(m_skin->penDown);
    CPressable::OnPenDown(point);
}

void CButton::OnPenUp(const PackedPoint& point)
{
    PlaySkinSound(m_skin->penUp);
    CPressable::OnPenUp(point);
}

void CButton::OnClick(const PackedPoint& point)
{
    PlaySkinSound(m_skin->click);
    InvokeHandler(HandlerClick, reinterpret_cast<intptr_t>(&point));
}

void CButton::OnSize()
{
    CWindow::OnSize();
    FitToSkin();
    m_canvas.Attach(this);
    LayoutContent();
}

void CButton::FitToSkin()
{
    if (!m_skin->IsLoaded())
        return;
    SetRect(m_look->FitRect(RequestedRect()), false);
}

void CButton::LayoutContent()
{
    if (!m_skin->IsLoaded() || !ClientRect().IsDefined())
        return;
    const int32_t cw = ClientRect().Width(), ch = ClientRect().Height();
    const int32_t pw = m_picture.Image().HasHeader() ? KnownOrZero(m_picture.OwnWidth()) : 0;
    const int32_t tw = m_caption.Text().IsEmpty() ? 0 : KnownOrZero(m_caption.OwnWidth());
    int32_t pictureBox = 0, captionBox = 0;
    if (pw != 0 && tw != 0) {
        pictureBox = pw * cw / (pw + tw);
        captionBox = cw - pictureBox;
    } else if (pw != 0) {
        pictureBox = cw;
    } else if (tw != 0) {
        captionBox = cw;
    }
    m_picture.SetOuterSize(static_cast<int16_t>(pictureBox), static_cast<int16_t>(ch));
    m_picture.SetAlign(AlignCentre, AlignCentre);
    m_caption.SetOuterSize(static_cast<int16_t>(captionBox), static_cast<int16_t>(ch));
    m_caption.SetAlign(AlignCentre, AlignCentre);
}

void CButton::OnTextChanged()
{
    m_caption.SetText(Text());
    m_caption.Measure();
    m_caption.Relayout();
    LayoutContent();
}

void CButton::SetImage(const CStr& name, bool redraw)
{
    m_picture.SetImage(name.Chars(), false);
    LayoutContent();
    if (redraw)
        Invalidate(UndefinedRect, true);
}

void CButton::Paint(const PackedRect& rect)
{
    if (!m_canvas.IsBound() || !m_canvas.PushClip(rect))
        return;
    if (frameDrawn && m_look)
        m_look->Draw(m_canvas, PackedRect(0, 0, Width() - 1, Height() - 1));
    const PackedRect& client = ClientRect();
    m_picture.Draw(m_canvas, client.Left(), client.Top());
    m_caption.Draw(m_canvas, client.Left() + std::max<int32_t>(0, KnownOrZero(m_picture.OuterWidth())),
                   client.Top());
    m_canvas.PopClip();
}

bool CButton::BeginLayout(bool keepVisibility, bool& refreshWas)
{
    refreshWas = m_link.SetRefreshEnabled(false);
    if (!m_link.ReloadLink(keepVisibility)) {
        m_link.SetRefreshEnabled(refreshWas);
        return false;
    }
    return true;
}

void CButton::EndLayout(bool refreshWas)
{
    m_link.SetRefreshEnabled(refreshWas);
    if (refreshWas)
        m_link.Refresh();
}

bool CButton::LoadLayout(bool keepVisibility)
{
    bool was = false;
    if (!BeginLayout(keepVisibility, was))
        return false;
    SetSkin(CUIMgr::NextString(), false);
    SetImage(ButtonPicturePath(CUIMgr::NextString()), true);
    SetText(CUIMgr::Tree().ReadText(), false);
    m_caption.foreground = static_cast<uint8_t>(CUIMgr::Tree().ReadValue() & 0xFF);
    EndLayout(was);
    return true;
}

// ---- The button family ----

CPushButton::CPushButton(CWindow* parent, const CStr& path, bool load) : CButton(parent, path, false)
{
    if (load)
        LoadLayout(false);
}

void* CPushButton::QueryInterface(int32_t id)
{
    return id == IidPushButton ? static_cast<CWindow*>(this) : CButton::QueryInterface(id);
}

bool CPushButton::LoadLayout(bool keepVisibility)
{
    bool was = false;
    if (!BeginLayout(keepVisibility, was))
        return false;
    const CStr picture = CUIMgr::NextString();
    const CStr skin = CUIMgr::NextString();
    SetImage(ButtonPicturePath(picture), true);
    SetSkin(skin, false);
    EndLayout(was);
    return true;
}

CTextButton::CTextButton(CWindow* parent, const CStr& path, bool load) : CButton(parent, path, false)
{
    if (load)
        LoadLayout(false);
}

void* CTextButton::QueryInterface(int32_t id)
{
    return id == IidTextButton ? static_cast<CWindow*>(this) : CButton::QueryInterface(id);
}

bool CTextButton::LoadLayout(bool keepVisibility)
{
    bool was = false;
    if (!BeginLayout(keepVisibility, was))
        return false;
    SetSkin(CUIMgr::NextString(), false);
    EndLayout(was);
    return true;
}

namespace {
// How often a held hint button looks at the clock (tenths of a second).
constexpr uint16_t kHoldPollRate = 200;
}  // namespace

CHintButton::CHintButton(CWindow* parent, const CStr& path, bool keepText, bool load)
    : CButton(parent, path, false),
      m_keepText(keepText ? 1 : 0),
      m_holdTimer(new OwnerTimer<CHintButton>(this, &CHintButton::OnHoldTimer))
{
    if (load)
        LoadLayout(false);
    SetHintMode(keepText);
}

CHintButton::~CHintButton()
{
    delete m_holdTimer;
}

void* CHintButton::QueryInterface(int32_t id)
{
    return id == IidHintButton ? static_cast<CWindow*>(this) : CButton::QueryInterface(id);
}

bool CHintButton::LoadLayout(bool keepVisibility)
{
    bool was = false;
    if (!BeginLayout(keepVisibility, was))
        return false;
    const CStr picture = CUIMgr::NextString();
    const CStr skin = CUIMgr::NextString();
    SetImage(ButtonPicturePath(picture), true);
    SetSkin(skin, false);
    EndLayout(was);
    // Every reload reads the node's hint again: it is the button's own text,
    // and without keep mode the link must not show it on every tap.
    if (m_link.Hint() && !m_link.Hint()->Text().IsEmpty())
        m_hintText = m_link.Hint()->Text();
    SetHintMode(m_keepText != 0);
    return true;
}

void CHintButton::OnPenDown(const PackedPoint& point)
{
    WindowGuard guard(this);
    CButton::OnPenDown(point);
    if (!guard.Alive() || m_hintText.IsEmpty() || !HasFlag(WndPenPressed))
        return;
    m_pressTick = CTimeMgr::GetTicks();
    m_holdTimer->SetRate(kHoldPollRate);
    m_holdTimer->suspended = 0;
}

void CHintButton::OnPenUp(const PackedPoint& point)
{
    m_holdTimer->suspended = 1;
    CButton::OnPenUp(point);
}

void CHintButton::OnHoldTimer()
{
    if (!HasFlag(WndPenPressed)) {
        m_holdTimer->suspended = 1;
        return;
    }
    // A pen slid off the button is not asking about it.
    if (!IsPressed() ||
        CTimeMgr::TicksSince(m_pressTick) < kHoldMilliseconds * CTimeMgr::TicksPerSecond() / 1000)
        return;
    m_holdTimer->suspended = 1;
    // The pen asked what the button does; the press is given up, so that
    // lifting the pen does not do it as well.
    WindowGuard guard(this);
    pressFlags &= ~PressPressed;
    SetFlag(WndPenPressed, false);
    CWindowMgr::RemoveCapture(this);
    OnStateChanged(false);
    if (!guard.Alive())
        return;
    Invalidate(UndefinedRect, true);
    ShowHint(nullptr);
}

void CHintButton::SetHintMode(bool keep)
{
    m_keepText = keep ? 1 : 0;
    if (!keep && m_link.Hint())
        m_link.Hint()->SetText(CStr());
}

void CHintButton::ShowHint(const PackedPoint* point)
{
    CHintText* hint = m_link.Hint();
    if (!m_keepText && hint)
        hint->SetText(m_hintText);
    if (GetToolkitHooks().showHintFor)
        GetToolkitHooks().showHintFor(this, m_hintText, point);
    if (!m_keepText && hint)
        hint->SetText(CStr());
}

CImageButton::CImageButton(CWindow* parent, const CStr& path, bool load)
    : CTextButton(parent, path, false), m_overlay("", kUnknownSize, kUnknownSize)
{
    if (load)
        LoadLayout(false);
}

bool CImageButton::LoadLayout(bool keepVisibility)
{
    bool was = false;
    if (!BeginLayout(keepVisibility, was))
        return false;
    const CStr overlay = CUIMgr::NextString();
    const CStr skin = CUIMgr::NextString();
    if (!overlay.IsEmpty()) {
        ResourceFolderScope scope;
        if (overlay.At(0) != '/')
            CResourceMgr::SetCurrentFolder(CPathMgr::Path(CPathMgr::kImagesButtons).Chars());
        m_overlay.SetImage(overlay.Chars(), false);
    }
    SetSkin(skin, false);
    LayoutContent();
    EndLayout(was);
    return true;
}

void CImageButton::LayoutContent()
{
    CButton::LayoutContent();
    m_overlay.SetOuterSize(Width(), Height());
    m_overlay.SetAlign(AlignCentre, AlignCentre);
}

void CImageButton::Paint(const PackedRect& rect)
{
    CButton::Paint(rect);
    if (!m_canvas.IsBound() || !m_canvas.PushClip(rect))
        return;
    m_overlay.Draw(m_canvas, 0, 0);
    m_canvas.PopClip();
}

// ---- CIconWnd ----

CIconWnd::CIconWnd(CWindow* parent, const CStr& path, bool load)
    : CWindow(parent, UndefinedRect, CStr(), false),
      m_picture("", kUnknownSize, kUnknownSize),
      m_link(false, path, this)
{
    m_link.SetLayoutReader(this);
    if (load)
        LoadLayout(false);
}

CIconWnd* CIconWnd::CreateFromSelectedNode(CWindow* parent)
{
    CIconWnd* icon = new (std::nothrow) CIconWnd(parent, CStr(), false);
    if (!icon)
        return nullptr;
    icon->m_link.BindSelectedNode();
    icon->m_link.SetCreatedFromTree(true);
    icon->LoadLayout(false);
    return icon;
}

void* CIconWnd::QueryInterface(int32_t id)
{
    switch (id) {
    case IidIconWnd:
        return static_cast<CWindow*>(this);
    case IidUiTreeLink:
    case IidHintHelpLink:
        return &m_link;
    case IidWindowCanvas:
        return &m_canvas;
    case IidImageElement:
    case IidDrawable:
    case IidAlignedBox:
        return &m_picture;
    default:
        return CWindow::QueryInterface(id);
    }
}

bool CIconWnd::LoadLayout(bool keepVisibility)
{
    const bool was = m_link.SetRefreshEnabled(false);
    if (!m_link.ReloadLink(keepVisibility)) {
        m_link.SetRefreshEnabled(was);
        return false;
    }
    const CStr name = CUIMgr::NextString();
    if (!keepVisibility)
        SetImage(UnderFolder(CPathMgr::kImagesIcons, name), true);
    PackedRect rect = RequestedRect();
    bool changed = false;
    if (rect.IsDefined() && m_picture.Image().HasHeader()) {
        if (Width() == 0) {
            rect.SetRight(rect.Left() + m_picture.Image().Width() - 1);
            changed = true;
        }
        if (Height() == 0) {
            rect.SetBottom(rect.Top() + m_picture.Image().Height() - 1);
            changed = true;
        }
    }
    if (changed)
        SetRect(rect, true);
    const uint8_t alignH = static_cast<uint8_t>(CUIMgr::NextNumber() & 0x0F);
    const uint8_t alignV = static_cast<uint8_t>(CUIMgr::NextNumber() & 0x0F);
    m_picture.SetAlign(alignH, alignV);
    m_link.SetRefreshEnabled(was);
    if (was)
        m_link.Refresh();
    return true;
}

bool CIconWnd::SetImage(const CStr& name, bool relayout)
{
    if (!m_picture.SetImage(name.Chars(), relayout))
        return false;
    SetFlag(WndSeeThrough, (m_picture.Image().Flags() & kImageTransparent) != 0);
    FitPicture();
    InvalidateThrough(UndefinedRect);
    return true;
}

void CIconWnd::FitPicture()
{
    if (!ClientRect().IsDefined())
        return;
    m_picture.SetOuterSize(ClientRect().Width(), ClientRect().Height());
}

void CIconWnd::OnSize()
{
    CWindow::OnSize();
    m_canvas.Attach(this);
    FitPicture();
}

void CIconWnd::OnMarginsChanged()
{
    CWindow::OnMarginsChanged();
    FitPicture();
}

void CIconWnd::Paint(const PackedRect& rect)
{
    if (!m_canvas.IsBound() || !m_canvas.PushClip(rect))
        return;
    m_picture.Draw(m_canvas, ClientRect().Left(), ClientRect().Top());
    m_canvas.PopClip();
}
