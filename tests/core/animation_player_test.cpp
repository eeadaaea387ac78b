// The animation player: frame sequences, movement, callbacks, hit tests.
// Each timer firing is made by hand (the timer's own OnTimer), so the
// sequences do not depend on the clock.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/animation_player.h"
#include "core/draw_context.h"
#include "core/timer.h"
#include "tests/support/art_fixtures.h"

namespace {

struct Recorder {
    std::vector<std::string> events;
    AnimationPlayer* deleteOn = nullptr;
    std::string deleteEvent;
};

template <const char* Name>
intptr_t Record(void* context, intptr_t argument, CCallback*)
{
    auto* r = static_cast<Recorder*>(context);
    auto* player = reinterpret_cast<AnimationPlayer*>(argument);
    std::string e = Name;
    if (e == "shown" || e == "before")
        e += std::to_string(player->FrameIndex());
    r->events.push_back(e);
    if (r->deleteOn == player && r->deleteEvent == Name) {
        r->deleteOn = nullptr;
        delete player;
    }
    return 0;
}
constexpr char kBefore[] = "before", kShown[] = "shown", kMoveFinished[] = "finished", kEnded[] = "ended",
               kMoved[] = "moved";

void Listen(AnimationPlayer& p, Recorder& r)
{
    CCallback::Bind(p.BeforeFrame(), &r, &Record<kBefore>);
    CCallback::Bind(p.FrameShown(), &r, &Record<kShown>);
    CCallback::Bind(p.MoveFinished(), &r, &Record<kMoveFinished>);
    CCallback::Bind(p.Ended(), &r, &Record<kEnded>);
    CCallback::Bind(p.Moved(), &r, &Record<kMoved>);
}

std::vector<uint8_t> Animation(int frames, uint8_t loopBack, uint8_t rate = 80)
{
    std::vector<IndexedPicture> pictures;
    for (int i = 0; i < frames; ++i)
        pictures.push_back(SolidPicture(4, 4, static_cast<uint8_t>(1 + i)));
    return MustEncode(EncodeAnimation(pictures, {.hotX = 2, .hotY = 2, .rate = rate, .loopBack = loopBack}));
}

std::vector<int> ShownFrames(const Recorder& r)
{
    std::vector<int> frames;
    for (const std::string& e : r.events)
        if (e.rfind("shown", 0) == 0)
            frames.push_back(std::stoi(e.substr(5)));
    return frames;
}

class PlayerTest : public testing::Test {
protected:
    AnimationPlayer& Make(const std::vector<uint8_t>& bytes)
    {
        m_bytes = bytes;
        EXPECT_TRUE(m_anim.Assign(m_bytes.data(), static_cast<uint32_t>(m_bytes.size())));
        m_player = std::make_unique<AnimationPlayer>();
        EXPECT_TRUE(m_player->SetAnimation(m_anim));
        m_player->SetPosition(PackedPoint(0, 0));
        Listen(*m_player, m_rec);
        return *m_player;
    }
    void Fire(int times)
    {
        for (int i = 0; i < times; ++i)
            m_player->Timer().OnTimer();
    }
    std::vector<uint8_t> m_bytes;
    AnimData m_anim;
    std::unique_ptr<AnimationPlayer> m_player;
    Recorder m_rec;
};

TEST_F(PlayerTest, PlayOnceShowsEveryFrameThenEnds)
{
    AnimationPlayer& p = Make(Animation(4, 255));
    p.Play();
    EXPECT_EQ(p.FrameIndex(), 0);
    EXPECT_EQ(p.Timer().Rate(), AnimationPlayer::kStartRate);
    Fire(4);
    EXPECT_EQ(ShownFrames(m_rec), (std::vector<int>{0, 1, 2, 3})) << "the first advance repeats frame 0";
    EXPECT_EQ(p.Timer().Rate(), 80) << "then the animation's own rate";
    Fire(1);
    EXPECT_EQ(p.FrameIndex(), 3);
    EXPECT_FALSE(p.IsPlaying());
    EXPECT_EQ(std::count(m_rec.events.begin(), m_rec.events.end(), "ended"), 1);
    EXPECT_EQ(m_rec.events.back(), "shown3");
}

TEST_F(PlayerTest, LoopBackCyclesAndCountsPasses)
{
    AnimationPlayer& p = Make(Animation(4, 1));
    p.Play();
    Fire(10);
    EXPECT_EQ(ShownFrames(m_rec), (std::vector<int>{0, 1, 2, 3, 1, 2, 3, 1, 2, 3}));
    EXPECT_EQ(p.PassCounter(), 2);
    EXPECT_TRUE(p.IsPlaying());
    EXPECT_EQ(std::count(m_rec.events.begin(), m_rec.events.end(), "ended"), 0);
}

TEST_F(PlayerTest, MovementArrivesExactlyAndIsReportedOnce)
{
    struct Case {
        const char* name;
        int target;
        uint16_t passes;
        std::vector<int> positions;  // x after each advance
    } cases[] = {
        // step 4: the position reaches 32 at the 8th advance, with the second pass not yet counted
        {"target reached before the last pass is counted", 32, 2, {4, 8, 12, 16, 20, 24, 28, 32}},
        // step 33 / 8 = 4: the last pass puts the position on the target
        {"remainder closed by the last pass", 33, 2, {4, 8, 12, 16, 20, 24, 28, 32, 33}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_rec = {};
        AnimationPlayer& p = Make(Animation(4, 0));
        p.SetTarget(PackedPoint(c.target, 0));
        p.SetPasses(c.passes);
        p.Play();
        EXPECT_EQ(p.Step().X(), c.target / 8);
        std::vector<int> positions;
        for (int i = 0; i < 20 && p.IsPlaying(); ++i) {
            Fire(1);
            positions.push_back(p.Position().X());
        }
        EXPECT_EQ(positions, c.positions);
        EXPECT_EQ(p.Position().X(), c.target);
        EXPECT_FALSE(p.IsPlaying());
        EXPECT_EQ(std::count(m_rec.events.begin(), m_rec.events.end(), "finished"), 1);
        EXPECT_EQ(m_rec.events.back(), "finished");
        Fire(3);  // a late firing (timer already due) reports nothing more
        EXPECT_EQ(std::count(m_rec.events.begin(), m_rec.events.end(), "finished"), 1);
    }
}

TEST_F(PlayerTest, HeldFrameShowsOnceAtPlay)
{
    AnimationPlayer& p = Make(Animation(1, 255));
    EXPECT_TRUE(p.IsHeldFrame());
    p.Play();
    EXPECT_EQ(m_rec.events, (std::vector<std::string>{"shown0"}));
    Fire(3);
    EXPECT_EQ(std::count(m_rec.events.begin(), m_rec.events.end(), "shown0"), 1);
    EXPECT_EQ(std::count(m_rec.events.begin(), m_rec.events.end(), "before0"), 0);
}

TEST_F(PlayerTest, LoadAndPlayAreIgnoredWhilePlaying)
{
    AnimationPlayer& p = Make(Animation(3, 0));
    p.Play();
    Fire(2);
    std::vector<uint8_t> other = Animation(2, 255);
    AnimData otherAnim;
    ASSERT_TRUE(otherAnim.Assign(other.data(), static_cast<uint32_t>(other.size())));
    EXPECT_FALSE(p.SetAnimation(otherAnim));
    p.Play();
    EXPECT_EQ(p.FrameIndex(), 1) << "a second Play does not restart";
    AnimationPlayer empty;
    empty.Play();
    EXPECT_FALSE(empty.IsPlaying());
}

TEST_F(PlayerTest, HitTestLooksAtTheCurrentFrameOnly)
{
    // frame 0: a 3x3 ring around a hole; position (40, 40) quarter pixels = (10, 10), hot spot (1, 1)
    std::vector<uint8_t> bytes =
        MustEncode(EncodeAnimation({PictureFromRows({"555", "5.5", "555"})},
                                   {.transparency = AnimTransparency::AllFrames, .hotX = 1, .hotY = 1}));
    AnimationPlayer& p = Make(bytes);
    p.SetPosition(PackedPoint(40, 40));
    p.Play();
    EXPECT_TRUE(p.HitTest(PackedPoint(9, 9)));
    EXPECT_FALSE(p.HitTest(PackedPoint(10, 10))) << "the hole";
    EXPECT_TRUE(p.HitTest(PackedPoint(11, 11)));
    EXPECT_FALSE(p.HitTest(PackedPoint(8, 9))) << "outside the frame rectangle";
    CDrawContext dc;
    ASSERT_TRUE(dc.CreateSurface(20, 20));
    p.Draw(dc);
    EXPECT_EQ(*dc.Surface().At(9, 9), 5);
    EXPECT_EQ(*dc.Surface().At(11, 11), 5);
}

TEST_F(PlayerTest, CallbackMayDeleteThePlayer)
{
    AnimationPlayer& p = Make(Animation(2, 255));
    m_rec.deleteOn = &p;
    m_rec.deleteEvent = kEnded;
    AnimationPlayer* raw = m_player.release();
    raw->Play();
    CTimer& timer = raw->Timer();
    for (int i = 0; i < 2; ++i)
        timer.OnTimer();
    timer.OnTimer();  // the player (and its timer) are deleted inside this call
    EXPECT_EQ(m_rec.deleteOn, nullptr);
    EXPECT_EQ(m_rec.events.back(), "ended");
}

}  // namespace
