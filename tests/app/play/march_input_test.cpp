// A person types while the computer's army marches on the map. The march
// runs frame steps of its own with the root window disabled and the map
// frame holding the capture; what is typed then must reach no window behind
// it. `F` (end the game) used to reach the map window, whose question, once
// confirmed, destroyed the map frame the march was still running in.

#include <gtest/gtest.h>

#include <string>

#include "tests/app/play/person_rig.h"
#include "ui/window.h"
#include "ui/window_mgr.h"

namespace play_test {
namespace {

// The computer's first turn, march by march.
constexpr int kComputerFrames = 4000;

class MarchInputTest : public PersonRig {
protected:
    static bool Marching()
    {
        CWindow* root = CWindowMgr::Root();
        return root != nullptr && !root->IsEnabled();
    }
};

TEST_P(MarchInputTest, KeysTypedDuringTheComputersMarchReachNoWindowBehindIt)
{
    ASSERT_TRUE(StartNewGame());
    ASSERT_TRUE(Until([&] { return AnswerMessage(); }, kWindowFrames)) << "the turn notice\n" << Describe();
    ASSERT_TRUE(WaitFor("/Map/MapWnd/MapTopPanel/BtnTurn")) << Describe();

    // The hourglass asks before the turn ends.
    ASSERT_TRUE(Tap("/Map/MapWnd/MapTopPanel/BtnTurn"));
    ASSERT_TRUE(Until([&] { return AnswerMessage(); }, kWindowFrames)) << "end the turn?\n" << Describe();
    ASSERT_TRUE(Until(Marching, kComputerFrames)) << "no march of the computer's army\n" << Describe();

    // Both cases of the end-game key, and OK wherever a question shows.
    int marchesTypedIn = 0;
    for (const char* typed : {"F", "f"}) {
        if (!Until(Marching, kComputerFrames))
            break;
        Type(typed);
        ++marchesTypedIn;
        EXPECT_EQ(FindKind("CMessageWnd"), nullptr) << "'" << typed << "' during the march asked\n"
                                                    << Describe();
        AnswerMessage();
        Frames(40);
        ASSERT_TRUE(Running()) << "the program ended after '" << typed << "' during the march";
    }
    EXPECT_GE(marchesTypedIn, 1);

    // The game goes on past the march: the person's turn, or the invasion
    // the march brought.
    EXPECT_TRUE(Until(
        [&] {
            return !Marching() &&
                   (Shown("/Map/MapWnd/MapTopPanel/BtnTurn") || Shown("/Map/MapWnd/MapBtlDefendWnd/BtnOk"));
        },
        kComputerFrames))
        << Describe();
    EXPECT_FALSE(Shown("/Map/MapWnd/VictoryWnd")) << Describe();
}

INSTANTIATE_TEST_SUITE_P(Screens, MarchInputTest, ::testing::ValuesIn(kSizes), SizeName);

}  // namespace
}  // namespace play_test
