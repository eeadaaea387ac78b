#pragma once
// AnimationPlayer: plays one "ani" frame by frame on its own timer, and can
// move it in a straight line from its position to a target over a whole
// number of passes through its frames. It does not draw by itself: it tells
// its owner through optional callbacks (each invoked with the player as the
// argument) when a frame is about to change, when a new frame is ready, when
// the movement made a step or is finished, and when a play-once animation has
// ended.
//
// Positions are in quarter pixels (4 = one pixel).
//
// The movement is reported finished exactly once per Play: at the first
// advance that puts the position on the target (or completes the last pass).
// The timer stops there, so owners that move the battle on from this report
// are never told twice.
//
// A callback may delete the player (an owner that is done with it); the
// advance then stops touching it.

#include <cstdint>

#include "core/callback.h"
#include "core/image_data.h"
#include "core/packed_geometry.h"

class CDrawContext;
class CTimer;

class AnimationPlayer {
public:
    static constexpr uint16_t kStartRate = 150;  // tenths of frames a second

    // Loads the "ani" resource at `path` when it is not empty.
    explicit AnimationPlayer(const char* path = "");
    ~AnimationPlayer();
    AnimationPlayer(const AnimationPlayer&) = delete;
    AnimationPlayer& operator=(const AnimationPlayer&) = delete;

    // Both are ignored while playing.
    bool Load(const char* path);
    bool SetAnimation(const AnimData& anim);
    // Starts at frame `startFrame` (0 when past the last frame) with the pass
    // counter at `passCounter`. Ignored without an animation or while playing.
    void Play(uint16_t passCounter = 0, uint8_t startFrame = 0);
    bool IsPlaying() const;
    // Stops the timer where the animation stands.
    void Stop();

    // Whether the pixel at `point` (screen pixels) is an opaque pixel of the
    // current frame.
    bool HitTest(const PackedPoint& point) const;
    void Draw(CDrawContext& dc) const;

    // The frame advance; the timer calls it.
    void Advance(CTimer* timer);

    void SetPosition(const PackedPoint& p) { m_position = p; }
    void SetTarget(const PackedPoint& p) { m_target = p; }
    void SetPasses(uint16_t passes) { m_passes = passes; }
    const PackedPoint& Position() const { return m_position; }
    const PackedPoint& Target() const { return m_target; }
    const PackedPoint& Step() const { return m_step; }
    uint16_t Passes() const { return m_passes; }
    uint16_t PassCounter() const { return m_passCounter; }
    uint8_t FrameIndex() const { return m_frameIndex; }
    const PackedRect& FrameRect() const { return m_frameRect; }
    const AnimData& Animation() const { return m_anim; }
    bool IsHeldFrame() const { return (m_flags & kHeld) != 0; }
    CTimer& Timer() { return *m_timer; }

    // Callback slots; the player owns what they hold.
    CCallback*& BeforeFrame() { return m_beforeFrame; }
    CCallback*& FrameShown() { return m_frameShown; }
    CCallback*& MoveFinished() { return m_moveFinished; }
    CCallback*& Ended() { return m_ended; }
    CCallback*& Moved() { return m_moved; }

private:
    static constexpr uint8_t kStarting = 1, kHeld = 2, kMoveReported = 4;
    void LoadFrame();
    // False when the callback deleted the player.
    bool Call(CCallback* callback);
    void TakeAnimation(const AnimData& anim);

    CCallback* m_beforeFrame = nullptr;
    CCallback* m_frameShown = nullptr;
    CCallback* m_moveFinished = nullptr;
    CCallback* m_ended = nullptr;
    CCallback* m_moved = nullptr;
    PackedPoint m_position = UndefinedPoint;
    PackedPoint m_target = UndefinedPoint;
    PackedPoint m_step = UndefinedPoint;
    PackedPoint m_hotSpot;
    uint16_t m_passes = 0;
    AnimData m_anim;
    ImageData m_frame;
    PackedRect m_frameRect = UndefinedRect;
    uint16_t m_passCounter = 0;
    uint8_t m_frameIndex = 0;
    CTimer* m_timer = nullptr;
    uint8_t m_flags = 0;
    bool* m_destroyed = nullptr;  // set by the destructor while a callback runs
};
