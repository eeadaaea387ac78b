#include "tests/app/play/person_rig.h"

#include <unistd.h>

#include <cxxabi.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <typeinfo>

#include "app/application.h"
#include "core/display_surface.h"
#include "core/font.h"
#include "core/pack_format.h"
#include "platform/platform.h"
#include "tests/app/play/covered_windows.h"
#include "tests/support/build_folder.h"
#include "tests/support/text_contrast.h"
#include "ui/help_mgr.h"
#include "ui/message_wnd.h"
#include "ui/ui_link.h"
#include "ui/value_scroller.h"
#include "ui/window.h"
#include "ui/window_mgr.h"

namespace play_test {

namespace fs = std::filesystem;

namespace {

// No single fetch of a healthy program takes this long (wall clock, the
// sanitizer build on a busy machine); past it the program is stuck.
constexpr auto kStuck = std::chrono::seconds(120);

// The names of a pack's files of one type.
std::vector<std::string> PackNames(const fs::path& file, ResourceType type)
{
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> names;
    if (bytes.size() < pack_format::kHeaderSize || bytes.compare(0, 8, pack_format::kSignature, 8) != 0)
        return names;
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    const int32_t count = static_cast<int32_t>(pack_format::ReadU32(data + 12));
    const bool scrambled = count >= 0;
    const size_t entries = static_cast<size_t>(scrambled ? count : -count);
    for (size_t i = 0; i < entries; ++i) {
        const size_t at = pack_format::kHeaderSize + i * pack_format::kEntrySize;
        if (at + pack_format::kEntrySize > bytes.size())
            break;
        uint8_t name[pack_format::kNameSize];
        std::copy(data + at, data + at + pack_format::kNameSize, name);
        const size_t length = pack_format::StoredNameLength(name, scrambled);
        uint32_t entryType = pack_format::ReadU32(data + at + pack_format::kEntryType);
        if (scrambled) {
            pack_format::ScrambleBytes(name, length);
            entryType ^= pack_format::kTypeKey;
        }
        if (entryType == type)
            names.emplace_back(reinterpret_cast<const char*>(name), length);
    }
    return names;
}

std::string ClassOf(CWindow* window)
{
    int status = 0;
    char* plain = abi::__cxa_demangle(typeid(*window).name(), nullptr, nullptr, &status);
    std::string name = status == 0 && plain != nullptr ? plain : typeid(*window).name();
    std::free(plain);
    return name;
}

std::string PathOf(CWindow* window)
{
    auto* link = static_cast<CUiTreeLink*>(window->QueryInterface(IidUiTreeLink));
    return link != nullptr ? std::string(link->Path().Chars()) : std::string();
}

// A window by its layout path, or by its class within the nearest window
// that has one.
std::string NameOf(CWindow* window)
{
    std::string name = PathOf(window);
    if (!name.empty())
        return name;
    name = ClassOf(window);
    for (CWindow* up = window->GetParent(); up != nullptr; up = up->GetParent())
        if (!PathOf(up).empty())
            return PathOf(up) + "/" + name;
    return name;
}

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Front to back: the first child of a window is in front of its siblings.
void CollectVisible(CWindow* window, std::vector<SeenWindow>& out)
{
    for (CWindow* child = window->GetFirstChild(); child != nullptr; child = child->GetNextSibling()) {
        if (!child->IsVisible())
            continue;
        out.push_back(SeenWindow{child, PathOf(child), child->Text().Chars(), ClassOf(child)});
        CollectVisible(child, out);
    }
}

bool Inside(const PackedRect& inner, const PackedRect& outer)
{
    return outer.IsDefined() && inner.Left() >= outer.Left() && inner.Top() >= outer.Top() &&
           inner.Right() <= outer.Right() && inner.Bottom() <= outer.Bottom();
}

struct SeenLine {
    std::string text;
    PackedRect line, window, screen;
    PackedRect ink;                         // the pixels drawn in the line's ink, as it was drawn
    std::optional<DrawnContrast> contrast;  // of its ink to what it was drawn on
};
std::vector<SeenLine> g_lines;

// Measured as the line is drawn: windows drawn later may cover it.
std::optional<DrawnContrast> ContrastAsDrawn(const DrawnTextLine& drawn)
{
    const CDisplaySurface* display = GetDisplaySurface();
    return display != nullptr ? DrawnTextContrast(drawn, display->RawPalette()) : std::nullopt;
}

// A line drawn again at once a pixel or two away is the shadow of the
// line that follows it: not read on its own.
bool ShadowOf(const SeenLine& before, const std::string& text, const PackedRect& line)
{
    return before.text == text && before.line.Width() == line.Width() &&
           std::abs(before.line.Left() - line.Left()) <= 2 && std::abs(before.line.Top() - line.Top()) <= 2 &&
           before.line != line;
}

// A line's cell has blank rows and columns around its letters: what may not
// be covered is the letters themselves.
PackedRect InkOf(const DrawnTextLine& drawn)
{
    PackedRect area = drawn.line;
    area.Intersect(drawn.clip);
    area.Intersect(drawn.screen);
    PackedRect ink = UndefinedRect;
    for (int32_t y = area.Top(); area.IsDefined() && drawn.pixels != nullptr && y <= area.Bottom(); ++y)
        for (int32_t x = area.Left(); x <= area.Right(); ++x)
            if (drawn.pixels[static_cast<ptrdiff_t>(y) * drawn.pitch + x] == drawn.foreground)
                ink.Union(PackedRect(x, y, x, y));
    return ink;
}

void RecordLine(const DrawnTextLine& drawn)
{
    const std::string text(drawn.text, static_cast<size_t>(drawn.length));
    if (!g_lines.empty() && ShadowOf(g_lines.back(), text, drawn.line))
        g_lines.back().contrast.reset();
    g_lines.push_back(
        SeenLine{text, drawn.line, drawn.window, drawn.screen, InkOf(drawn), ContrastAsDrawn(drawn)});
}

// A line too faint to read, unless it belongs to a control the toolkit
// shows as disabled (greyed on purpose): the smallest visible window
// holding the line's window area.
const CWindow* DrawingWindow(const SeenLine& seen, const std::vector<SeenWindow>& visible)
{
    const CWindow* owner = nullptr;
    long ownerSize = 0;
    for (const SeenWindow& shown : visible) {
        const PackedRect r = shown.window->GetNode()->screenRect;
        const long size = static_cast<long>(r.Width()) * r.Height();
        if (r.IsDefined() && Inside(seen.window, r) && (owner == nullptr || size <= ownerSize)) {
            owner = shown.window;
            ownerSize = size;
        }
    }
    return owner;
}

std::optional<std::string> ContrastFault(const SeenLine& seen, const std::vector<SeenWindow>& visible)
{
    if (!seen.contrast || seen.contrast->ratio >= kLegibleContrast)
        return std::nullopt;
    const CWindow* owner = DrawingWindow(seen, visible);
    // A value scroller's number is disabled only so that taps reach the
    // scroller; it is read like any text.
    const bool scrollerValue = owner != nullptr && owner->GetParent() != nullptr &&
                               owner->GetParent()->QueryInterface(IidValueScroller) != nullptr;
    if (owner != nullptr && !owner->IsEnabled() && !scrollerValue)
        return std::nullopt;
    char ratio[96];
    std::snprintf(ratio, sizeof ratio, "contrast %.1f:1 under %.1f:1 (ink %d on %d)", seen.contrast->ratio,
                  kLegibleContrast, seen.contrast->ink, seen.contrast->behind);
    return std::string(ratio);
}

// Whether the inner window is the outer one or lies inside it.
bool Holds(const CWindow* outer, const CWindow* inner)
{
    for (const CWindow* w = inner; w != nullptr; w = w->GetParent())
        if (w == outer)
            return true;
    return false;
}

// A help button stays in front of its window's controls, so a text it
// overlaps loses what lies under it (a table's value under its window's
// "?"): the help button of a window in front of the text leaves it whole.
std::optional<std::string> HelpButtonFault(const SeenLine& seen, const std::vector<SeenWindow>& visible,
                                           const std::vector<const CWindow*>& holders)
{
    const CWindow* drawer = DrawingWindow(seen, visible);
    for (const SeenWindow& shown : visible) {
        PackedRect covered = shown.window->GetNode()->screenRect;
        covered.Intersect(seen.ink);
        if (dynamic_cast<const CHelpButton*>(shown.window) == nullptr || shown.window == drawer ||
            !covered.IsDefined())
            continue;
        // The help button's own window, and what is inside it, lie behind it;
        // a text of a window further behind shows only where the windows
        // holding the help button leave it uncovered.
        const CWindow* owner = shown.window->GetParent();
        if (drawer != nullptr && Holds(owner, drawer))
            return "under the help button of " + NameOf(const_cast<CWindow*>(owner));
        bool hidden = drawer == nullptr || !InFrontAsSeen(shown.window, drawer, holders);
        for (const CWindow* w = owner; w != nullptr && !hidden; w = w->GetParent())
            hidden = !Holds(w, drawer) && Inside(seen.ink, w->GetNode()->screenRect);
        if (!hidden)
            return "under the help button of " + NameOf(const_cast<CWindow*>(owner));
    }
    return std::nullopt;
}

// Every key of our texts whose text is not the key itself, lower case
// (keys are matched without case).
const std::set<std::string>& LocaleKeys()
{
    static const std::set<std::string> keys = [] {
        std::set<std::string> found;
        for (const auto& entry : fs::recursive_directory_iterator(fs::path(THARN_TEST_SOURCE_DIR) / "data")) {
            const std::string path = entry.path().string();
            if (entry.path().extension() != ".txt" ||
                (path.find("/locale/") == std::string::npos && path.find("/Locale/") == std::string::npos))
                continue;
            std::ifstream in(entry.path());
            std::string line;
            while (std::getline(in, line)) {
                const size_t eq = line.find('=');
                if (line.rfind("//", 0) == 0 || eq == std::string::npos || eq == 0)
                    continue;
                std::string key = line.substr(0, eq), text = line.substr(eq + 1);
                for (std::string* s : {&key, &text})
                    for (char& c : *s)
                        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                if (text != key)
                    found.insert(key);
            }
        }
        return found;
    }();
    return keys;
}

}  // namespace

bool DataHasLayoutFor(const ScreenSize& size)
{
    const std::string wanted = std::to_string(size.width) + "x" + std::to_string(size.height);
    for (const auto& entry : fs::directory_iterator(fs::path(TestBuildFolder()) / "Data"))
        if (entry.path().extension() == ".pak")
            for (const std::string& name : PackNames(entry.path(), pack_format::kUiBinaryType))
                if (name == wanted)
                    return true;
    return false;
}

void Turns::ProgramWaits()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_personsTurn = true;
    m_changed.notify_all();
    m_changed.wait(lock, [this] { return !m_personsTurn; });
}

void Turns::ProgramEnded()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_ended = true;
    m_changed.notify_all();
}

bool Turns::PersonWaits()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (!m_changed.wait_for(lock, kStuck, [this] { return m_personsTurn || m_ended; })) {
        // Nothing can be asked of a program that stopped fetching input.
        std::fprintf(stderr, "play test: the program is stuck (no input fetched in %lld s)\n",
                     static_cast<long long>(kStuck.count()));
        std::abort();
    }
    return !m_ended;
}

void Turns::PersonGivesBack()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_personsTurn = false;
    m_changed.notify_all();
}

void PersonRig::SetUp()
{
    m_size = GetParam();
    if (!DataHasLayoutFor(m_size))
        GTEST_SKIP() << "the data has no layout for " << m_size.name;
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::string plain;
    for (char c : test)
        plain += (std::isalnum(static_cast<unsigned char>(c)) ? c : '_');
    m_folder = fs::temp_directory_path() / ("tharn_play_" + plain + "_" + std::to_string(::getpid()));
    fs::remove_all(m_folder);
    fs::create_directories(m_folder / "Data");
    for (const auto& entry : fs::directory_iterator(fs::path(TestBuildFolder()) / "Data"))
        if (entry.path().extension() == ".pak")
            fs::copy_file(entry.path(), m_folder / "Data" / entry.path().filename());
    // One folder of shots a test and size, emptied first, so what lies
    // there is what this run saw.
    const std::string testName = test.substr(0, test.find('/'));
    m_shots = fs::path(TestBuildFolder()) / "screens" / ScreenName(m_size) / testName;
    fs::remove_all(m_shots);
    fs::create_directories(m_shots);
}

bool PersonRig::StartProgram()
{
    HeadlessOptions options;
    options.closeAfterSteps = 0;
    options.settings.video = "headless";
    options.settings.dataFolder = (m_folder / "Data").string() + "/";
    options.settings.shots = m_shots.string();
    options.settings.screenWidth = m_size.width;
    options.settings.screenHeight = m_size.height;
    options.settings.orientation = m_size.orientation;
    auto backend = std::make_unique<PersonBackend>(options, m_turns);
    m_backend = backend.get();
    InstallPlatform(std::move(backend));
    m_started = true;
    m_program = std::thread([this] {
        WinMain(1);
        PlatformClose();
        m_turns.ProgramEnded();
    });
    m_ended = !m_turns.PersonWaits();
    return !m_ended;
}

void PersonRig::TearDown()
{
    SetDrawnTextObserver(nullptr);
    if (m_started) {
        // Whatever the test reached, the program is asked to close until it has.
        for (int i = 0; !m_ended && i < 20000; ++i) {
            if (i % 50 == 0)
                m_backend->Post(WM_CLOSE, 0, 0);
            Step();
        }
        if (!m_ended) {
            std::fprintf(stderr, "play test: the program does not close\n");
            std::abort();
        }
        m_program.join();
    }
    if (!m_folder.empty() && !std::getenv("THARN_KEEP_SHOTS"))
        fs::remove_all(m_folder);
}

::testing::AssertionResult PersonRig::StartNewGame()
{
    if (!StartProgram())
        return ::testing::AssertionFailure() << "the program ended before the title";
    for (const char* control :
         {"/Main/MainMenu/Map", "/Map/NewGameWnd/BtnStart", "/Map/MapWnd/CustPlrWnd/BtnStart"})
        if (!WaitFor(control) || !Tap(control))
            return ::testing::AssertionFailure() << "no " << control << "\n" << Describe();
    return ::testing::AssertionSuccess();
}

bool PersonRig::Step()
{
    if (m_ended)
        return false;
    m_turns.PersonGivesBack();
    m_ended = !m_turns.PersonWaits();
    return !m_ended;
}

void PersonRig::Frames(int n)
{
    for (int i = 0; i < n && Step(); ++i) {
    }
}

bool PersonRig::Until(const std::function<bool()>& condition, int maxFrames)
{
    for (int i = 0; i <= maxFrames; ++i) {
        if (m_ended)
            return false;
        if (condition())
            return true;
        Step();
    }
    return false;
}

void PersonRig::TapAt(int x, int y)
{
    if (m_ended)
        return;
    // The stylus touches the screen as the device shows it; the game turns
    // the point back onto its back buffer.
    int shownX = 0, shownY = 0;
    m_backend->Shown().ShownPoint(x, y, shownX, shownY);
    m_backend->Post(WM_LBUTTONDOWN, 1, MakePointParam(shownX, shownY));
    // The backend is gone once the program has ended.
    if (!Step())
        return;
    m_backend->Post(WM_LBUTTONUP, 0, MakePointParam(shownX, shownY));
    Frames(4);
}

void PersonRig::TapOn(CWindow* window)
{
    // A person taps the middle of what is seen of it.
    PackedRect r = window->GetNode()->screenRect;
    r.Intersect(
        PackedRect(0, 0, static_cast<int16_t>(m_size.width - 1), static_cast<int16_t>(m_size.height - 1)));
    TapAt((r.Left() + r.Right()) / 2, (r.Top() + r.Bottom()) / 2);
}

bool PersonRig::TapIfShown(CWindow* window)
{
    if (window == nullptr)
        return false;
    TapOn(window);
    return true;
}

bool PersonRig::Tap(const std::string& pathTail)
{
    return TapIfShown(Find(pathTail));
}

void PersonRig::Key(uint32_t virtualKey)
{
    if (m_ended)
        return;
    m_backend->SetKeyHeld(virtualKey, true);
    m_backend->Post(WM_KEYDOWN, virtualKey, 1);
    if (!Step())
        return;
    m_backend->SetKeyHeld(virtualKey, false);
    Frames(4);
}

void PersonRig::Send(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    if (m_ended)
        return;
    m_backend->Post(message, wParam, lParam);
    Step();
}

void PersonRig::Type(const std::string& text)
{
    for (char c : text) {
        if (m_ended)
            return;
        m_backend->Post(WM_CHAR, static_cast<uint8_t>(c), 1);
        Step();
    }
    Frames(4);
}

void PersonRig::Shot(const std::string& name)
{
    if (!m_ended) {
        EXPECT_TRUE(m_backend->Screenshot(name + ".png")) << name;
    }
}

std::vector<SeenWindow> PersonRig::Visible() const
{
    std::vector<SeenWindow> out;
    if (!m_ended && CWindowMgr::IsUp() && CWindowMgr::Root() != nullptr)
        CollectVisible(CWindowMgr::Root(), out);
    return out;
}

CWindow* PersonRig::Find(const std::string& pathTail) const
{
    for (const SeenWindow& seen : Visible())
        if (EndsWith(seen.path, pathTail))
            return seen.window;
    return nullptr;
}

CWindow* PersonRig::FindIn(CWindow* window, const std::string& pathTail) const
{
    if (window == nullptr || m_ended)
        return nullptr;
    std::vector<SeenWindow> inside;
    CollectVisible(window, inside);
    for (const SeenWindow& seen : inside)
        if (EndsWith(seen.path, pathTail))
            return seen.window;
    return nullptr;
}

std::string PersonRig::TextIn(CWindow* window, const std::string& pathTail) const
{
    CWindow* found = FindIn(window, pathTail);
    return found != nullptr ? std::string(found->Text().Chars()) : std::string("(not shown)");
}

bool PersonRig::TapIn(CWindow* window, const std::string& pathTail)
{
    return TapIfShown(FindIn(window, pathTail));
}

bool PersonRig::AnswerMessage()
{
    auto* message = dynamic_cast<CMessageWnd*>(FindKind("CMessageWnd"));
    if (message == nullptr)
        return false;
    if (message->OkButton() != nullptr && message->OkButton()->IsVisible())
        TapOn(message->OkButton());
    else
        TapOn(message);
    return true;
}

CWindow* PersonRig::FindText(const std::string& text) const
{
    for (const SeenWindow& seen : Visible())
        if (seen.text == text)
            return seen.window;
    return nullptr;
}

bool PersonRig::TapText(const std::string& text)
{
    return TapIfShown(FindText(text));
}

CWindow* PersonRig::FindKind(const std::string& kind) const
{
    for (const SeenWindow& seen : Visible())
        if (seen.kind == kind)
            return seen.window;
    return nullptr;
}

std::string PersonRig::TextOf(const std::string& pathTail) const
{
    CWindow* window = Find(pathTail);
    return window != nullptr ? std::string(window->Text().Chars()) : std::string("(not shown)");
}

void PersonRig::DrawAgain()
{
    g_lines.clear();
    SetDrawnTextObserver(RecordLine);
    RecordPaints();
    if (CWindowMgr::Root() != nullptr)
        CWindowMgr::Root()->Invalidate(UndefinedRect, true);
    Frames(3);
    StopRecordingPaints();
    SetDrawnTextObserver(nullptr);
}

void PersonRig::Look(const std::string& step)
{
    if (m_ended)
        return;
    DrawAgain();
    // Numbered in the order seen, so the folder reads as the game went.
    char number[16];
    std::snprintf(number, sizeof number, "%02d_", ++m_looks);
    Shot(number + step);
    static const std::regex format("%[-+ #0-9.]*[lh]?[dsuxXci]");
    const std::vector<SeenWindow> visible = Visible();
    // The window that drew: the smallest shown window holding the area,
    // named by its layout path, or by its class within the nearest window
    // that has one.
    auto windowAt = [&visible](const PackedRect& area) {
        CWindow* best = nullptr;
        long bestSize = 0;
        for (const SeenWindow& seen : visible) {
            const PackedRect r = seen.window->GetNode()->screenRect;
            const long size = static_cast<long>(r.Width()) * r.Height();
            if (r.IsDefined() && Inside(area, r) && (best == nullptr || size < bestSize)) {
                best = seen.window;
                bestSize = size;
            }
        }
        return best != nullptr ? NameOf(best) : std::string("(no window)");
    };
    auto note = [this](const TextFault& f) {
        const bool known = std::any_of(m_faults.begin(), m_faults.end(), [&f](const TextFault& k) {
            return k.window == f.window && k.text == f.text && k.fault == f.fault && k.left == f.left &&
                   k.top == f.top;
        });
        if (!known)
            m_faults.push_back(f);
    };
    // Nothing behind a window shows over it, whatever repainted last.
    std::vector<const CWindow*> shown;
    for (const SeenWindow& seen : visible)
        shown.push_back(seen.window);
    if (CWindowMgr::Root() != nullptr)
        shown.push_back(CWindowMgr::Root());
    std::vector<const CWindow*> holders;
    for (int32_t i = 0; i < CWindowMgr::CaptureCount(); ++i)
        holders.push_back(CWindowMgr::CaptureAt(i));
    for (const CoveredWindow& c :
         CoveredInRecordedPaints(shown, holders, CWindowMgr::DisplayWidth(), CWindowMgr::DisplayHeight())) {
        note(TextFault{step, NameOf(const_cast<CWindow*>(c.front)), std::string(c.front->Text().Chars()),
                       "drawn over by " + NameOf(const_cast<CWindow*>(c.behind)) + " behind it" +
                           (c.repainting ? " as every window repaints on its own" : ""),
                       c.area.Left(), c.area.Top(), c.area.Right(), c.area.Bottom()});
    }
    // A help button of a window below that the window on top covers only in
    // part reads as a second "?" of the window on top (the map's over a
    // question's corner): the window on top covers it whole or leaves it whole.
    if (CWindowMgr::CaptureCount() > 0) {
        const CWindow* top = CWindowMgr::CaptureAt(CWindowMgr::CaptureCount() - 1);
        const PackedRect t = top->GetNode()->screenRect;
        for (const SeenWindow& seen : visible) {
            const PackedRect r = seen.window->GetNode()->screenRect;
            if (dynamic_cast<CHelpButton*>(seen.window) == nullptr || Holds(top, seen.window) ||
                !r.IsDefined() || !t.IsDefined())
                continue;
            const bool overlaps = r.Left() <= t.Right() && t.Left() <= r.Right() && r.Top() <= t.Bottom() &&
                                  t.Top() <= r.Bottom();
            if (overlaps && !Inside(r, t))
                note(TextFault{step, NameOf(seen.window), seen.text,
                               "cut by " + NameOf(const_cast<CWindow*>(top)) + " on top of it", r.Left(),
                               r.Top(), r.Right(), r.Bottom()});
        }
    }
    for (const SeenLine& seen : g_lines) {
        std::vector<std::string> faults;
        const bool number =
            std::any_of(seen.text.begin(), seen.text.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (!Inside(seen.line, seen.window))
            faults.push_back(number ? "number cut by its window" : "drawn beyond its window");
        if (!Inside(seen.line, seen.screen))
            faults.push_back("drawn beyond the screen");
        if (std::regex_search(seen.text, format))
            faults.push_back("a format left in the text");
        std::string lower = seen.text;
        for (char& c : lower)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (lower.find(' ') == std::string::npos && LocaleKeys().count(lower) != 0)
            faults.push_back("a locale key shown as text");
        if (const std::optional<std::string> faint = ContrastFault(seen, visible))
            faults.push_back(*faint);
        if (const std::optional<std::string> covered = HelpButtonFault(seen, visible, holders))
            faults.push_back(*covered);
        for (const std::string& fault : faults)
            note(TextFault{step, windowAt(seen.window), seen.text, fault, seen.line.Left(), seen.line.Top(),
                           seen.line.Right(), seen.line.Bottom()});
    }
}

std::vector<std::string> PersonRig::Read(CWindow* window)
{
    std::vector<std::string> texts;
    if (m_ended || window == nullptr)
        return texts;
    DrawAgain();
    // Only what the window drew itself: windows behind it draw into the
    // same area.
    const PackedRect area = window->GetNode()->screenRect;
    std::vector<SeenLine> inside;
    for (const SeenLine& seen : g_lines)
        if (Inside(seen.line, area) && Inside(seen.window, area))
            inside.push_back(seen);
    std::stable_sort(inside.begin(), inside.end(), [](const SeenLine& a, const SeenLine& b) {
        return a.line.Top() != b.line.Top() ? a.line.Top() < b.line.Top() : a.line.Left() < b.line.Left();
    });
    for (const SeenLine& seen : inside)
        texts.push_back(seen.text);
    return texts;
}

std::string PersonRig::Describe(const std::vector<TextFault>& faults)
{
    std::ostringstream out;
    for (const TextFault& f : faults)
        out << f.step << ": " << f.window << ": \"" << f.text << "\" at " << f.left << "," << f.top << "-"
            << f.right << "," << f.bottom << ": " << f.fault << "\n";
    return out.str();
}

std::string PersonRig::Describe() const
{
    std::string text;
    for (const SeenWindow& seen : Visible()) {
        const PackedRect r = seen.window->GetNode()->screenRect;
        text += seen.kind + " " + seen.path + " \"" + seen.text + "\" " + std::to_string(r.Left()) + "," +
                std::to_string(r.Top()) + "-" + std::to_string(r.Right()) + "," + std::to_string(r.Bottom()) +
                "\n";
    }
    return text;
}

std::vector<ScreenSize> AtEveryOrientation(std::span<const ScreenSize> screens)
{
    std::vector<ScreenSize> turned;
    for (int orientation : {0, 1, 2, 4})
        for (ScreenSize screen : screens) {
            screen.orientation = orientation;
            turned.push_back(screen);
        }
    return turned;
}

std::vector<ScreenSize> ForAWholeGame(std::span<const ScreenSize> screens)
{
#if defined(__SANITIZE_ADDRESS__)
    constexpr bool kSanitized = true;
#elif defined(__has_feature)
    constexpr bool kSanitized = __has_feature(address_sanitizer);
#else
    constexpr bool kSanitized = false;
#endif
    if (!kSanitized)
        return AtEveryOrientation(screens);
    std::vector<ScreenSize> played;
    int turn = 1;
    for (ScreenSize screen : screens) {
        played.push_back(screen);
        screen.orientation = turn;
        played.push_back(screen);
        turn = turn == 1 ? 4 : 1;
    }
    return played;
}

std::string ScreenName(const ScreenSize& screen)
{
    // The upright screen keeps its plain name.
    static const char* const kDegrees[] = {"", "_at90", "_at180", "", "_at270"};
    return std::string(screen.name) + kDegrees[screen.orientation];
}

void PrintTo(const ScreenSize& screen, std::ostream* out)
{
    *out << ScreenName(screen);
}

std::string SizeName(const ::testing::TestParamInfo<ScreenSize>& info)
{
    return ScreenName(info.param);
}

}  // namespace play_test
