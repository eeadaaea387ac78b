#include "ui/layout_box.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <strings.h>

#include "core/raster.h"
#include "core/timer.h"
#include "ui/window.h"

namespace {

bool Known(int16_t size)
{
    return size != kUnknownSize;
}

int16_t Clamp16(int32_t value)
{
    return static_cast<int16_t>(std::clamp<int32_t>(value, INT16_MIN, INT16_MAX));
}

// A margin wider than any screen means nothing, and keeping it within this
// keeps every sum of sizes and margins far from overflowing.
constexpr long kWidestMargin = 1024;

// Halves rounding toward minus infinity, as an arithmetic shift does.
int32_t Half(int32_t value)
{
    return value >= 0 ? value / 2 : -((-value + 1) / 2);
}

int32_t PlaceOnAxis(uint8_t align, int32_t outer, int32_t own, int32_t current)
{
    switch (align) {
    case AlignCentre:
        return Half(outer - own);
    case AlignStart:
        return 0;
    case AlignEnd:
        return outer - own;
    default:
        return current;
    }
}

// The element's own frame timer: each tick is one frame step.
class FrameTimer : public CTimer {
public:
    explicit FrameTimer(CAnimElement* owner) : m_owner(owner) {}
    void OnTimer() override { m_owner->StepFrame(); }

private:
    CAnimElement* m_owner;
};

}  // namespace

// ---- CAlignedBox ----

CAlignedBox::CAlignedBox(int16_t outerWidth, int16_t outerHeight, uint8_t alignH, uint8_t alignV,
                         int16_t ownWidth, int16_t ownHeight)
    : m_outerW(outerWidth),
      m_outerH(outerHeight),
      m_ownW(ownWidth),
      m_ownH(ownHeight),
      m_align(static_cast<uint8_t>((alignH & 0x0F) | (alignV << 4)))
{
    Recalc();
}

void* CAlignedBox::QueryInterface(int32_t id)
{
    return id == IidAlignedBox ? this : nullptr;
}
void CAlignedBox::Draw(CDrawContext&, int32_t, int32_t) {}
bool CAlignedBox::SetAttribute(const char*, const char*)
{
    return false;
}

void CAlignedBox::Recalc()
{
    if (Known(m_ownW) && Known(m_outerW)) {
        m_position.SetX(PlaceOnAxis(m_align & 0x0F, m_outerW, m_ownW, m_position.X()));
    }
    if (Known(m_ownH) && Known(m_outerH)) {
        m_position.SetY(PlaceOnAxis(m_align >> 4, m_outerH, m_ownH, m_position.Y()));
    }
}

void CAlignedBox::SetAlign(uint8_t alignH, uint8_t alignV)
{
    m_align = static_cast<uint8_t>((alignH & 0x0F) | (alignV << 4));
    Recalc();
}

void CAlignedBox::FitToContent()
{
    m_outerW = m_ownW;
    m_outerH = m_ownH;
    Recalc();
}

PackedRect CAlignedBox::GetRect() const
{
    return PackedRect(m_position.X(), m_position.Y(), m_position.X() + m_ownW - 1,
                      m_position.Y() + m_ownH - 1);
}

void CAlignedBox::SetOuterSize(int16_t width, int16_t height)
{
    m_outerW = width;
    m_outerH = height;
    Recalc();
}

void CAlignedBox::SetOwnSize(int16_t width, int16_t height)
{
    m_ownW = width;
    m_ownH = height;
    Recalc();
}

void* CDrawableElement::QueryInterface(int32_t id)
{
    return id == IidDrawable ? this : CAlignedBox::QueryInterface(id);
}

// ---- Attributes shared by the picture elements ----

bool CDrawableElement::SpacingAttribute(const char* name, const char* value)
{
    const bool horizontal = strcasecmp(name, "hspace") == 0;
    if (!horizontal && strcasecmp(name, "vspace") != 0)
        return false;
    const long given = std::clamp(std::strtol(value, nullptr, 10), -kWidestMargin, kWidestMargin);
    const int32_t margin = 2 * static_cast<int32_t>(given);
    if (horizontal && !Known(OuterWidth()))
        m_waitingHSpace = Clamp16(m_waitingHSpace + margin);
    else if (horizontal)
        SetOuterSize(Clamp16(OuterWidth() + margin), OuterHeight());
    else if (!Known(OuterHeight()))
        m_waitingVSpace = Clamp16(m_waitingVSpace + margin);
    else
        SetOuterSize(OuterWidth(), Clamp16(OuterHeight() + margin));
    return true;
}

void CDrawableElement::CentreAfterSource()
{
    if (!Known(OuterWidth()) || !Known(OuterHeight()))
        FitToContent();
    if (m_waitingHSpace != 0 || m_waitingVSpace != 0) {
        SetOuterSize(Clamp16(OuterWidth() + m_waitingHSpace), Clamp16(OuterHeight() + m_waitingVSpace));
        m_waitingHSpace = 0;
        m_waitingVSpace = 0;
    }
    SetAlign(Alignment() & 0x0F, AlignCentre);
    SetAlign(AlignCentre, AlignCentre);
}

// ---- CImageElement ----

CImageElement::CImageElement(const char* name, int16_t outerWidth, int16_t outerHeight)
    : CDrawableElement(outerWidth, outerHeight, AlignStart, AlignStart, kUnknownSize, kUnknownSize)
{
    SetImage(name, true);
}

void* CImageElement::QueryInterface(int32_t id)
{
    return id == IidImageElement ? this : CDrawableElement::QueryInterface(id);
}

bool CImageElement::SetImage(const char* name, bool relayout)
{
    if (!name || !name[0])
        return false;
    ImageData image;
    if (!LoadImage(name, image))
        return false;
    SetImageData(image, relayout);
    return true;
}

void CImageElement::SetImageData(const ImageData& image, bool relayout)
{
    m_image = image;
    if (m_image.HasHeader()) {
        SetOwnSize(static_cast<int16_t>(m_image.Width()), static_cast<int16_t>(m_image.Height()));
    }
    if (relayout)
        Relayout();
}

void CImageElement::Draw(CDrawContext& dc, int32_t dx, int32_t dy)
{
    if (!m_image.HasHeader() || !m_position.IsDefined())
        return;
    DrawImage(dc, m_position.X() + dx, m_position.Y() + dy, m_image, UndefinedRect);
}

bool CImageElement::SetAttribute(const char* name, const char* value)
{
    if (strcasecmp(name, "src") == 0) {
        if (!SetImage(value, false))
            return false;
        CentreAfterSource();
        return true;
    }
    return SpacingAttribute(name, value);
}

// ---- CAnimElement ----

CAnimElement::CAnimElement(const char* name, int16_t outerWidth, int16_t outerHeight)
    : CDrawableElement(outerWidth, outerHeight, AlignStart, AlignStart, kUnknownSize, kUnknownSize),
      m_timer(new (std::nothrow) FrameTimer(this))
{
    Load(name, true);
}

CAnimElement::CAnimElement(const AnimData& anim, int16_t outerWidth, int16_t outerHeight)
    : CDrawableElement(outerWidth, outerHeight, AlignStart, AlignStart, kUnknownSize, kUnknownSize),
      m_timer(new (std::nothrow) FrameTimer(this))
{
    LoadData(anim, true);
}

CAnimElement::~CAnimElement()
{
    delete m_timer;
    delete m_frameHandler;
    delete m_finishedHandler;
}

void* CAnimElement::QueryInterface(int32_t id)
{
    if (id == IidTimed || id == IidAnimElement)
        return this;
    return CDrawableElement::QueryInterface(id);
}

bool CAnimElement::IsRunning() const
{
    return m_timer && m_timer->Rate() != 0;
}
bool CAnimElement::IsPaused() const
{
    return m_timer && m_timer->suspended != 0;
}

bool CAnimElement::Load(const char* name, bool relayout)
{
    if (!name || !name[0]) {
        m_frame = 0;
        Stop();
        return false;
    }
    AnimData anim;
    if (!LoadAnimation(name, anim)) {
        m_frame = 0;
        return false;
    }
    return LoadData(anim, relayout);
}

bool CAnimElement::LoadData(const AnimData& anim, bool relayout)
{
    const bool running = IsRunning();
    m_frame = 0;
    m_anim = anim;
    const bool hasFrames = m_anim.HasHeader() && m_anim.FrameCount() > 0;
    if (hasFrames) {
        ImageData first;
        if (GetFrame(m_anim, 0, first))
            SetOwnSize(static_cast<int16_t>(first.Width()), static_cast<int16_t>(first.Height()));
    }
    if (running) {
        Stop();
        Start();
    }
    TakeFrame();
    if (relayout)
        Relayout();
    return hasFrames;
}

void CAnimElement::TakeFrame()
{
    m_frameImage.Clear();
    m_frameRect = UndefinedRect;
    if (!m_anim.HasHeader())
        return;
    if (GetFrame(m_anim, m_frame, m_frameImage)) {
        m_frameRect = PackedRect(0, 0, m_frameImage.Width() - 1, m_frameImage.Height() - 1);
        m_frameRect.Offset(static_cast<int16_t>(-m_frameImage.HotX()),
                           static_cast<int16_t>(-m_frameImage.HotY()));
    }
}

void CAnimElement::StepFrame()
{
    if (!m_anim.HasHeader() || m_anim.FrameCount() == 0)
        return;
    ++m_frame;
    if (m_frame >= m_anim.FrameCount()) {
        const uint8_t loop = m_anim.LoopBack();
        if (loop > 254 || loop >= m_anim.FrameCount()) {
            m_frame = static_cast<uint8_t>(m_anim.FrameCount() - 1);
            Pause();
            if (m_finishedHandler)
                m_finishedHandler->Invoke(this);
        } else {
            m_frame = loop;
        }
    }
    TakeFrame();
    if (m_frameHandler)
        m_frameHandler->Invoke(this);
}

void CAnimElement::Start()
{
    if (m_timer && m_anim.HasHeader())
        m_timer->SetRate(m_anim.Rate());
}

void CAnimElement::Stop()
{
    if (m_timer)
        m_timer->SetRate(0);
    m_frame = 0;
    TakeFrame();
    if (m_frameHandler)
        m_frameHandler->Invoke(this);
}

void CAnimElement::Resume()
{
    if (m_timer)
        m_timer->suspended = 0;
}

void CAnimElement::Pause()
{
    if (m_timer)
        m_timer->suspended = 1;
}

void CAnimElement::Draw(CDrawContext& dc, int32_t dx, int32_t dy)
{
    if (!m_anim.HasHeader() || !m_position.IsDefined())
        return;
    DrawAnimationFrame(dc, m_position.X() + dx, m_position.Y() + dy, m_anim, m_frame, UndefinedRect);
}

bool CAnimElement::SetAttribute(const char* name, const char* value)
{
    if (strcasecmp(name, "src") == 0) {
        if (!Load(value, false))
            return false;
        CentreAfterSource();
        return true;
    }
    return SpacingAttribute(name, value);
}
