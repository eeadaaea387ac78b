#pragma once
// A person at the device: the whole program runs on its own thread over a
// copy of the built data, and at every message fetch hands the turn to the
// test, which looks at the windows on the screen (through the window
// manager, as a person looks at the screen) and answers with taps, keys and
// typed characters. Nothing here calls into the game model.

#include <gtest/gtest.h>

#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <ostream>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "core/packed_geometry.h"
#include "platform/headless/headless_backend.h"

class CWindow;

namespace play_test {

// A screen the game is played on, held at one of the device's display
// orientations (0, 1 = 90 degrees, 2 = 180, 4 = 270): the person sees it
// turned and taps it where each control is shown. Its shots go to
// build/screens/<name>[_at<degrees>]/<test name>/.
struct ScreenSize {
    int width, height;
    const char* name;
    int orientation = 0;
};

// Frames a person waits at most for a window to come (virtual time, 50 ms each).
inline constexpr int kWindowFrames = 400;

// Every screen size the data set is laid out for; a size without its
// layout in the built data is skipped.
inline constexpr ScreenSize kSizes[] = {{240, 320, "240x320"}, {480, 640, "480x640"}};
// Each screen at each of the device's four orientations.
std::vector<ScreenSize> AtEveryOrientation(std::span<const ScreenSize> screens);
// The screens a whole game is played through: each at every orientation.
// Under the sanitizers a game at 480x640 takes most of a minute, so there
// each screen is played upright and at one quarter turn, the two screens
// turned opposite ways; the shorter play tests still turn every way there.
std::vector<ScreenSize> ForAWholeGame(std::span<const ScreenSize> screens);

// True when the built data holds the layout tree of that screen size.
bool DataHasLayoutFor(const ScreenSize& size);

// The program's thread and the person's thread never run at once: the
// program waits at each fetch until the person gives the turn back.
class Turns {
public:
    void ProgramWaits();
    void ProgramEnded();
    // False when the program has ended instead.
    bool PersonWaits();
    void PersonGivesBack();

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_personsTurn = false;
    bool m_ended = false;
};

class PersonBackend : public HeadlessBackend {
public:
    PersonBackend(const HeadlessOptions& options, Turns& turns) : HeadlessBackend(options), m_turns(turns) {}
    void GatherInput() override
    {
        HeadlessBackend::GatherInput();
        m_turns.ProgramWaits();
    }

private:
    Turns& m_turns;
};

// One visible window as a person sees it: where, what it says, its layout path.
struct SeenWindow {
    CWindow* window = nullptr;
    std::string path, text;
    std::string kind;  // the window's class
};

// A text on a screen that a person cannot read as meant.
struct TextFault {
    std::string step, window, text, fault;
    int left, top, right, bottom;
};

class PersonRig : public ::testing::TestWithParam<ScreenSize> {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program; false when it ended before taking any input.
    bool StartProgram();
    // Lets the program run one fetch; false once it has ended.
    bool Step();
    void Frames(int n);
    // Runs frames until the condition holds; false when it did not within
    // the frames given (or the program ended).
    bool Until(const std::function<bool()>& condition, int maxFrames);
    bool Running() const { return !m_ended; }
    bool WaitFor(const std::string& pathTail, int frames = kWindowFrames)
    {
        return Until([&] { return Shown(pathTail); }, frames);
    }
    // Starts the program and taps from the title through the new game's
    // window and the lord's set-up into a game on the mission offered first;
    // a failure names the window that did not come.
    ::testing::AssertionResult StartNewGame();

    // Taps the device's screen where the back buffer's point (x, y) is shown.
    void TapAt(int x, int y);
    void TapOn(CWindow* window);
    // Taps the visible window whose layout path ends with the tail; false
    // when there is none.
    bool Tap(const std::string& pathTail);
    void Key(uint32_t virtualKey);
    // One device message as it comes, then one fetch.
    void Send(uint32_t message, uintptr_t wParam, intptr_t lParam);
    void Type(const std::string& text);
    void Shot(const std::string& name);
    // Has the whole screen drawn again, keeps a shot of it named for the
    // step (numbered in order), and checks every text drawn: inside its window and the screen,
    // no locale key or format left in it.
    void Look(const std::string& step);
    const std::vector<TextFault>& TextFaults() const { return m_faults; }
    // The texts a window shows as a person reads them (the screen drawn
    // again), top to bottom.
    std::vector<std::string> Read(CWindow* window);
    static std::string Describe(const std::vector<TextFault>& faults);

    // Visible windows, front to back as the window manager holds them (a
    // window before its children).
    std::vector<SeenWindow> Visible() const;
    CWindow* Find(const std::string& pathTail) const;
    // The same within one window's visible descendants (dialogs name their
    // controls without their own path).
    CWindow* FindIn(CWindow* window, const std::string& pathTail) const;
    std::string TextIn(CWindow* window, const std::string& pathTail) const;
    bool TapIn(CWindow* window, const std::string& pathTail);
    // Answers the frontmost message: its OK, or a tap on a notice without
    // buttons. False when none is shown.
    bool AnswerMessage();
    // The frontmost visible window showing that text.
    CWindow* FindText(const std::string& text) const;
    bool TapText(const std::string& text);
    // The frontmost visible window of that class.
    CWindow* FindKind(const std::string& kind) const;
    bool Shown(const std::string& pathTail) const { return Find(pathTail) != nullptr; }
    std::string TextOf(const std::string& pathTail) const;
    // The visible windows, one a line (for failure messages).
    std::string Describe() const;

    const ScreenSize& Size() const { return m_size; }
    std::filesystem::path DataFolder() const { return m_folder / "Data"; }
    std::filesystem::path ShotFolder() const { return m_shots; }

private:
    // Has the whole screen drawn again, recording every text line drawn.
    void DrawAgain();
    // Taps the window found; false when there was none.
    bool TapIfShown(CWindow* window);

    ScreenSize m_size{};
    std::filesystem::path m_folder, m_shots;
    Turns m_turns;
    PersonBackend* m_backend = nullptr;
    std::thread m_program;
    bool m_started = false, m_ended = false;
    std::vector<TextFault> m_faults;
    int m_looks = 0;
};

// The screen's name, with its turn when the device is turned.
std::string ScreenName(const ScreenSize& screen);
// Names the screen in test listings (rather than its bytes).
void PrintTo(const ScreenSize& screen, std::ostream* out);
std::string SizeName(const ::testing::TestParamInfo<ScreenSize>& info);

}  // namespace play_test
