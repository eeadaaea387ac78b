#include "core/animation_player.h"

#include <initializer_list>

#include "core/image_rows.h"
#include "core/raster.h"
#include "core/timer.h"

AnimationPlayer::AnimationPlayer(const char* path)
{
    m_timer = new CTimer();
    CCallback::Bind(m_timer->Callback(), this, &AnimationPlayer::Advance);
    if (path != nullptr && path[0] != '\0')
        Load(path);
}

AnimationPlayer::~AnimationPlayer()
{
    if (m_destroyed)
        *m_destroyed = true;
    delete m_timer;
    for (CCallback** slot : {&m_beforeFrame, &m_frameShown, &m_moveFinished, &m_ended, &m_moved})
        CCallback::Clear(*slot);
}

bool AnimationPlayer::IsPlaying() const
{
    return m_timer->Rate() != 0;
}

void AnimationPlayer::Stop()
{
    m_timer->SetRate(0);
}

void AnimationPlayer::TakeAnimation(const AnimData& anim)
{
    m_anim = anim;
    m_hotSpot.Set(anim.HotX(), anim.HotY());
    m_flags = (anim.FrameCount() == 1 && anim.LoopBack() == kPlayOnce) ? kHeld : 0;
}

bool AnimationPlayer::Load(const char* path)
{
    if (IsPlaying())
        return false;
    AnimData anim;
    if (!LoadAnimation(path, anim)) {
        m_anim.Clear();
        return false;
    }
    TakeAnimation(anim);
    return true;
}

bool AnimationPlayer::SetAnimation(const AnimData& anim)
{
    if (IsPlaying() || !anim.HasHeader())
        return false;
    TakeAnimation(anim);
    return true;
}

bool AnimationPlayer::Call(CCallback* callback)
{
    if (!callback)
        return true;
    bool destroyed = false;
    bool* outer = m_destroyed;
    m_destroyed = &destroyed;
    callback->Invoke(reinterpret_cast<intptr_t>(this));
    if (destroyed) {
        if (outer)
            *outer = true;
        return false;
    }
    m_destroyed = outer;
    return true;
}

void AnimationPlayer::LoadFrame()
{
    GetFrame(m_anim, m_frameIndex, m_frame);
    if (!m_frame.HasHeader()) {
        m_frameRect.SetUndefined();
        return;
    }
    m_frameRect.Set(m_frame.BlockX(), m_frame.BlockY(), m_frame.BlockX() + m_frame.BlockWidth() - 1,
                    m_frame.BlockY() + m_frame.BlockHeight() - 1);
    PackedPoint pixels = m_position;
    pixels.ShiftRight(2);
    m_frameRect.Offset(static_cast<int16_t>(pixels.X() - m_hotSpot.X()),
                       static_cast<int16_t>(pixels.Y() - m_hotSpot.Y()));
    m_frameRect.SetRight(m_frameRect.Right() + 1);
    m_frameRect.SetBottom(m_frameRect.Bottom() + 1);
}

void AnimationPlayer::Play(uint16_t passCounter, uint8_t startFrame)
{
    if (!m_anim.HasHeader() || IsPlaying())
        return;
    m_passCounter = passCounter;
    m_frameIndex = startFrame < m_anim.FrameCount() ? startFrame : 0;
    m_flags &= static_cast<uint8_t>(~kMoveReported);
    if (m_passes != 0) {
        m_step = m_target;
        m_step.Subtract(m_position);
        int32_t divisor = int32_t{m_anim.FrameCount()} * m_passes;
        m_step.Divide(static_cast<int16_t>(divisor > 32767 ? 32767 : divisor));
    }
    LoadFrame();
    if (IsHeldFrame() && !Call(m_frameShown))
        return;
    m_flags |= kStarting;
    m_timer->SetRate(kStartRate);
}

void AnimationPlayer::Advance(CTimer*)
{
    if (!m_anim.HasHeader())
        return;
    const uint8_t count = m_anim.FrameCount();
    if (!IsHeldFrame() && !Call(m_beforeFrame))
        return;
    if (m_flags & kStarting) {
        // The first advance shows frame 0 once more and switches to the
        // animation's own speed.
        m_timer->SetRate(m_anim.Rate());
        m_flags &= static_cast<uint8_t>(~kStarting);
    } else {
        ++m_frameIndex;
    }
    if (m_frameIndex >= count) {
        m_frameIndex = m_anim.LoopBack();
        ++m_passCounter;
    }
    if (m_frameIndex == kPlayOnce) {
        m_frameIndex = static_cast<uint8_t>(count - 1);
        Stop();
        if (!Call(m_ended))
            return;
    }
    bool arrived = false;
    if (m_passes != 0) {
        if (m_passCounter == m_passes) {
            m_frameIndex = static_cast<uint8_t>(count - 1);
            Stop();
            m_position = m_target;
            arrived = true;
            if (!Call(m_moved))
                return;
        } else if (!m_step.IsZero()) {
            m_position.Add(m_step);
            arrived = m_position.Equals(m_target);
            if (!Call(m_moved))
                return;
        }
    }
    LoadFrame();
    if (arrived && !(m_flags & kMoveReported)) {
        m_flags |= kMoveReported;
        Stop();
        Call(m_moveFinished);
    } else if (!IsHeldFrame()) {
        Call(m_frameShown);
    }
}

bool AnimationPlayer::HitTest(const PackedPoint& point) const
{
    if (!m_frameRect.IsDefined() || !m_frameRect.Contains(point))
        return false;
    PackedPoint pixels = m_position;
    pixels.ShiftRight(2);
    int32_t x = point.X() - pixels.X() + m_hotSpot.X();
    int32_t y = point.Y() - pixels.Y() + m_hotSpot.Y();
    return ImageHitTestFrame(x, y, m_anim, m_frameIndex) != 0;
}

void AnimationPlayer::Draw(CDrawContext& dc) const
{
    if (!m_anim.HasHeader())
        return;
    PackedPoint pixels = m_position;
    pixels.ShiftRight(2);
    DrawAnimationFrame(dc, pixels.X(), pixels.Y(), m_anim, m_frameIndex, UndefinedRect);
}
