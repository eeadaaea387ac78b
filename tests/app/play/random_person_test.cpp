// A random person at the device: seeded taps, drags, keys and typed letters,
// chosen at every fetch from what is on the screen then, including the
// fetches of the frame pumps that animations and messages run inside the
// game. Close to half the taps go to the middle of a control that takes input
// then (found in the window tree; a question's buttons while it is asked), so
// the person gets past the title and the new game into turns, battles and
// menus, and half of them answer a question shown with its OK; the letters
// are those the game binds (F, f, digits, Enter) with a few others, and
// while the screen takes no taps the person types the end-game key instead.
// The program must survive every run and close when asked.
//
// CI plays two seeds at each screen size and each of its four turns, a fixed
// number of actions each; every run has a seed of its own. More by hand,
// e.g. on the sanitizer build, a batch of seeds from 100:
//   THARN_RANDOM_FIRST_SEED=100 build-asan/tests/play_tests --gtest_filter='*RandomPerson*'

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/app/play/person_rig.h"
#include "ui/message_wnd.h"
#include "ui/window.h"
#include "ui/window_mgr.h"

namespace play_test {
namespace {

// Seeds a screen size at one turn in one test run.
constexpr int kSeeds = 2;
// Actions of one run (a tap is five fetches, a wait up to twenty).
constexpr int kActions = 1000;
// Fetches a closing program may take (its saves, the windows it tears down).
constexpr int kCloseFrames = 2000;

// CI's seeds; their runs get past a few turns into the computer's marches.
constexpr int kFirstSeed = 17;

int FirstSeed()
{
    const char* value = std::getenv("THARN_RANDOM_FIRST_SEED");
    return value != nullptr && *value != 0 ? std::atoi(value) : kFirstSeed;
}

bool HasVisibleChild(const CWindow* window)
{
    for (CWindow* child = window->GetFirstChild(); child != nullptr; child = child->GetNextSibling())
        if (child->IsVisible())
            return true;
    return false;
}

class RandomPersonTest : public PersonRig {
protected:
    // Visible windows that take input now, with nothing visible inside them:
    // what a person takes for the buttons, items and fields of the screen,
    // those of a question when one is asked.
    std::vector<CWindow*> Controls() const
    {
        std::vector<CWindow*> controls;
        for (const SeenWindow& seen : Visible()) {
            const PackedRect& r = seen.window->GetNode()->screenRect;
            // The title's Exit would end most runs before a game starts; the
            // close requests come at the end of the run.
            if (seen.path == "/Main/MainMenu/Exit")
                continue;
            if (!HasVisibleChild(seen.window) && CWindowMgr::TakesInput(seen.window) && r.IsDefined() &&
                r.Right() >= 0 && r.Bottom() >= 0 && r.Left() < Size().width && r.Top() < Size().height)
                controls.push_back(seen.window);
        }
        return controls;
    }

    static bool ScreenTakesTaps()
    {
        const CWindow* root = CWindowMgr::Root();
        return root != nullptr && root->IsEnabled();
    }

    void Act(std::mt19937& random)
    {
        auto below = [&](int n) { return static_cast<int>(random() % static_cast<uint32_t>(n)); };
        auto x = [&] { return below(Size().width); };
        auto y = [&] { return below(Size().height); };
        const int kind = below(1000);
        // A question is answered yes as often as not. While the screen takes
        // no taps (the computer's army marches) a person presses keys, the
        // end-game key among them.
        auto* question = dynamic_cast<CMessageWnd*>(FindKind("CMessageWnd"));
        CWindow* ok = question != nullptr ? question->OkButton() : nullptr;
        if (kind < 450 && ok != nullptr && ok->IsVisible() && below(2) == 0) {
            TapOn(ok);
        } else if (kind < 450 && !ScreenTakesTaps()) {
            Type(below(2) == 0 ? "F" : "f");
        } else if (kind < 450) {
            const std::vector<CWindow*> controls = Controls();
            if (!controls.empty())
                TapOn(controls[static_cast<size_t>(below(static_cast<int>(controls.size())))]);
        } else if (kind < 550) {
            TapAt(x(), y());
        } else if (kind < 620) {
            Send(WM_LBUTTONDOWN, 1, MakePointParam(x(), y()));
            for (int n = 1 + below(4); n > 0; --n)
                Send(WM_MOUSEMOVE, 1, MakePointParam(x(), y()));
            Send(WM_LBUTTONUP, 0, MakePointParam(x(), y()));
        } else if (kind < 720) {
            // Not the action key: pressed twice it leaves the program, which
            // the close requests at the end of the run stand for.
            static const uint32_t kKeys[] = {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_PRIOR, VK_NEXT};
            Key(kKeys[below(6)]);
        } else if (kind < 880) {
            static const char kBound[] = "Ff0123456789\r";
            std::string text(1, kBound[below(static_cast<int>(sizeof kBound) - 1)]);
            if (below(4) == 0)
                text += static_cast<char>('!' + below(94));
            Type(text);
        } else if (kind < 900) {
            Send(WM_ACTIVATE, 0, 0);
            Frames(below(10));
            Send(WM_ACTIVATE, 1, 0);
        } else {
            Frames(1 + below(20));
        }
    }
};

// Every screen size at every turn, kSeeds runs each; a run's name ends with
// its seed's place after the first seed.
std::vector<ScreenSize> Runs()
{
    static const std::vector<ScreenSize> screens = AtEveryOrientation(kSizes);
    static std::vector<std::string> names;
    std::vector<ScreenSize> runs;
    names.reserve(screens.size() * kSeeds);
    for (const ScreenSize& screen : screens)
        for (int n = 0; n < kSeeds; ++n) {
            names.push_back(std::string(screen.name) + "_seed" + std::to_string(names.size()));
            runs.push_back(ScreenSize{screen.width, screen.height, names.back().c_str(), screen.orientation});
        }
    return runs;
}

int SeedOf(const ScreenSize& run)
{
    const std::string name = run.name;
    return FirstSeed() + std::atoi(name.c_str() + name.rfind("_seed") + 5);
}

TEST_P(RandomPersonTest, TheProgramSurvivesARandomPersonAndClosesWhenAsked)
{
    const int seed = SeedOf(Size());
    std::mt19937 random(static_cast<uint32_t>(seed));
    ASSERT_TRUE(StartProgram()) << "seed " << seed;
    int action = 0;
    for (; action < kActions && Running(); ++action)
        Act(random);
    // The person may have quit through the menus; otherwise the close button.
    for (int frame = 0; frame < kCloseFrames && Running(); ++frame) {
        if (frame % 50 == 0)
            Send(WM_CLOSE, 0, 0);
        else
            Frames(1);
    }
    EXPECT_FALSE(Running()) << "seed " << seed << ": the program does not close\n" << Describe();
    std::printf("random person: %s, seed %d, %d actions\n", ScreenName(Size()).c_str(), seed, action);
}

INSTANTIATE_TEST_SUITE_P(Screens, RandomPersonTest, ::testing::ValuesIn(Runs()), SizeName);

}  // namespace
}  // namespace play_test
